#pragma once

#include "data/StoredRecord.h"
#include "data/StoredValue.h"
#include "toolkit/db/Field.h"

#include <QString>

struct sqlite3;
struct sqlite3_stmt;

// One prepared SQLite statement, finalized with its owner. Every failure
// raises EDatabaseError with a message for the user.
class TSqliteStatement
{
public:
    TSqliteStatement() = default;
    TSqliteStatement(sqlite3 *db, const QString &sql);
    ~TSqliteStatement();
    TSqliteStatement(TSqliteStatement &&other) noexcept;
    TSqliteStatement &operator=(TSqliteStatement &&other) noexcept;
    TSqliteStatement(const TSqliteStatement &) = delete;
    TSqliteStatement &operator=(const TSqliteStatement &) = delete;

    bool IsPrepared() const { return m_statement != nullptr; }
    sqlite3_stmt *Handle() const { return m_statement; }

    // Binds from parameter 1; NULL values bind as SQL NULL.
    void Bind(int parameter, const TFieldValue &value);
    void Bind(int parameter, qint64 value);
    // Binds a value as it was read: same storage class, same bytes.
    void Bind(int parameter, const TStoredValue &value);
    // True while a row is ready, false when the statement has finished.
    bool Step();
    // Ends the current run (releasing its locks) and keeps the bindings.
    void Reset();

    int ColumnCount() const;
    QString ColumnName(int column) const;
    // The column of the table the result column reads, when it reads one plainly.
    QString ColumnOriginTable(int column) const;
    QString ColumnOriginName(int column) const;
    QString ColumnDeclaredType(int column) const;
    // The value as shown (see TStoredValue::Shown).
    TFieldValue Value(int column) const;
    TStoredValue Stored(int column) const;
    qint64 Int64(int column) const;

private:
    sqlite3 *m_db = nullptr;
    sqlite3_stmt *m_statement = nullptr;
};

// The message for the user for an SQLite result code on this connection.
QString SqliteErrorMessage(sqlite3 *db, int resultCode);
// EDatabaseLocked for a lock, EDatabaseDamaged for damaged data.
[[noreturn]] void ThrowSqliteError(sqlite3 *db, int resultCode);

// Whether the named column of a table compares by its bytes (BINARY
// collation), as the sorts that merge or sort rows themselves assume.
bool SortsByBytes(sqlite3 *db, const char *database, const char *table, const char *column);

// The value of a column of the statement's current row in its own storage
// class, text and blobs seen in place until the statement moves on.
TStoredField ColumnField(sqlite3_stmt *statement, int column);

// The primary result code means the database was locked past the busy timeout.
bool IsBusyCode(int resultCode);
