#include "data/SqliteStatement.h"

#include "toolkit/db/DatabaseDamaged.h"
#include "toolkit/db/DatabaseError.h"
#include "toolkit/db/DatabaseLocked.h"

#include <QCoreApplication>
#include <sqlite3.h>
#include <utility>

namespace {

QString Tr(const char *text)
{
    return QCoreApplication::translate("SqliteStatement", text);
}

QString FromUtf8(const char *text)
{
    return text ? QString::fromUtf8(text) : QString();
}

} // namespace

TSqliteStatement::TSqliteStatement(sqlite3 *db, const QString &sql)
    : m_db(db)
{
    const QByteArray utf8 = sql.toUtf8();
    const char *tail = nullptr;
    const int rc = sqlite3_prepare_v2(db, utf8.constData(), int(utf8.size()), &m_statement, &tail);
    if (rc != SQLITE_OK)
        ThrowSqliteError(db, rc);
    if (!m_statement)
        throw EDatabaseError(Tr("The SQL statement is empty."));
}

TSqliteStatement::~TSqliteStatement()
{
    sqlite3_finalize(m_statement);
}

TSqliteStatement::TSqliteStatement(TSqliteStatement &&other) noexcept
    : m_db(std::exchange(other.m_db, nullptr))
    , m_statement(std::exchange(other.m_statement, nullptr))
{ }

TSqliteStatement &TSqliteStatement::operator=(TSqliteStatement &&other) noexcept
{
    if (this != &other) {
        sqlite3_finalize(m_statement);
        m_db = std::exchange(other.m_db, nullptr);
        m_statement = std::exchange(other.m_statement, nullptr);
    }
    return *this;
}

void TSqliteStatement::Bind(int parameter, const TFieldValue &value)
{
    int rc;
    if (value) {
        const QByteArray utf8 = value->toUtf8();
        rc = sqlite3_bind_text(m_statement, parameter, utf8.constData(), int(utf8.size()), SQLITE_TRANSIENT);
    } else {
        rc = sqlite3_bind_null(m_statement, parameter);
    }
    if (rc != SQLITE_OK)
        ThrowSqliteError(m_db, rc);
}

void TSqliteStatement::Bind(int parameter, qint64 value)
{
    const int rc = sqlite3_bind_int64(m_statement, parameter, value);
    if (rc != SQLITE_OK)
        ThrowSqliteError(m_db, rc);
}

void TSqliteStatement::Bind(int parameter, const TStoredValue &value)
{
    int rc = SQLITE_OK;
    switch (value.storageClass) {
    case TStoredValue::Null: rc = sqlite3_bind_null(m_statement, parameter); break;
    case TStoredValue::Integer: rc = sqlite3_bind_int64(m_statement, parameter, value.integer); break;
    case TStoredValue::Real: rc = sqlite3_bind_double(m_statement, parameter, value.real); break;
    case TStoredValue::Text:
        rc = sqlite3_bind_text(m_statement, parameter, value.bytes.constData(), int(value.bytes.size()),
                               SQLITE_TRANSIENT);
        break;
    case TStoredValue::Blob:
        rc = sqlite3_bind_blob(m_statement, parameter, value.bytes.constData(), int(value.bytes.size()),
                               SQLITE_TRANSIENT);
        break;
    }
    if (rc != SQLITE_OK)
        ThrowSqliteError(m_db, rc);
}

bool TSqliteStatement::Step()
{
    const int rc = sqlite3_step(m_statement);
    if (rc == SQLITE_ROW)
        return true;
    if (rc == SQLITE_DONE)
        return false;
    sqlite3_reset(m_statement);
    ThrowSqliteError(m_db, rc);
}

void TSqliteStatement::Reset()
{
    sqlite3_reset(m_statement);
}

int TSqliteStatement::ColumnCount() const
{
    return sqlite3_column_count(m_statement);
}

QString TSqliteStatement::ColumnName(int column) const
{
    return FromUtf8(sqlite3_column_name(m_statement, column));
}

QString TSqliteStatement::ColumnOriginTable(int column) const
{
    return FromUtf8(sqlite3_column_table_name(m_statement, column));
}

QString TSqliteStatement::ColumnOriginName(int column) const
{
    return FromUtf8(sqlite3_column_origin_name(m_statement, column));
}

QString TSqliteStatement::ColumnDeclaredType(int column) const
{
    return FromUtf8(sqlite3_column_decltype(m_statement, column));
}

TFieldValue TSqliteStatement::Value(int column) const
{
    return Stored(column).Shown();
}

bool SortsByBytes(sqlite3 *db, const char *database, const char *table, const char *column)
{
    const char *collation = nullptr;
    return database && table && column
           && sqlite3_table_column_metadata(db, database, table, column, nullptr, &collation, nullptr, nullptr, nullptr)
                  == SQLITE_OK
           && collation && sqlite3_stricmp(collation, "BINARY") == 0;
}

// Only the accessor of the value's own storage class is called: another
// would convert the value in place.
TStoredField ColumnField(sqlite3_stmt *statement, int column)
{
    TStoredField field;
    switch (sqlite3_column_type(statement, column)) {
    case SQLITE_NULL: break;
    case SQLITE_INTEGER:
        field.kind = TStoredField::Integer;
        field.integer = sqlite3_column_int64(statement, column);
        break;
    case SQLITE_FLOAT:
        field.kind = TStoredField::Real;
        field.real = sqlite3_column_double(statement, column);
        break;
    case SQLITE_TEXT: {
        field.kind = TStoredField::Text;
        const auto *text = reinterpret_cast<const char *>(sqlite3_column_text(statement, column));
        field.bytes = {text, size_t(sqlite3_column_bytes(statement, column))};
        break;
    }
    default: {
        field.kind = TStoredField::Blob;
        const auto *blob = static_cast<const char *>(sqlite3_column_blob(statement, column));
        field.bytes = {blob, size_t(sqlite3_column_bytes(statement, column))};
        break;
    }
    }
    return field;
}

// The storage class is asked first: reading a number as text converts it.
TStoredValue TSqliteStatement::Stored(int column) const
{
    const TStoredField field = ColumnField(m_statement, column);
    TStoredValue value;
    switch (field.kind) {
    case TStoredField::Null: return value;
    case TStoredField::Integer:
    case TStoredField::Real: {
        value.storageClass = field.kind == TStoredField::Integer ? TStoredValue::Integer : TStoredValue::Real;
        value.integer = field.integer;
        value.real = field.real;
        const auto *text = reinterpret_cast<const char *>(sqlite3_column_text(m_statement, column));
        value.bytes = QByteArray(text, sqlite3_column_bytes(m_statement, column));
        return value;
    }
    case TStoredField::Text: value.storageClass = TStoredValue::Text; break;
    case TStoredField::Blob: value.storageClass = TStoredValue::Blob; break;
    }
    value.bytes = QByteArray(field.bytes.data(), qsizetype(field.bytes.size()));
    return value;
}

qint64 TSqliteStatement::Int64(int column) const
{
    return sqlite3_column_int64(m_statement, column);
}

bool IsBusyCode(int resultCode)
{
    const int primary = resultCode & 0xFF;
    return primary == SQLITE_BUSY || primary == SQLITE_LOCKED;
}

namespace {

// SQLite's own words for this error, when they say more than the name of
// the error that the sentence already gives in Russian; empty otherwise. The
// connection's last error must be this one: a caller may pass a code that no
// call on the connection returned.
QString SqliteDetail(sqlite3 *db, int resultCode)
{
    if (!db || (sqlite3_errcode(db) & 0xFF) != (resultCode & 0xFF))
        return {};
    const QString said = FromUtf8(sqlite3_errmsg(db));
    return said == FromUtf8(sqlite3_errstr(resultCode)) ? QString() : said;
}

// One sentence for the person, SQLite's English detail only at its end.
QString Sentence(const char *text, const QString &detail)
{
    return detail.isEmpty() ? Tr(text) + QLatin1Char('.') : QStringLiteral("%1 (%2).").arg(Tr(text), detail);
}

} // namespace

QString SqliteErrorMessage(sqlite3 *db, int resultCode)
{
    const QString detail = SqliteDetail(db, resultCode);
    switch (resultCode & 0xFF) {
    case SQLITE_BUSY:
    case SQLITE_LOCKED: return Tr("The database is locked by another user or program. Try again in a moment.");
    case SQLITE_CORRUPT: return Sentence("The database file is damaged", detail);
    case SQLITE_NOTADB: return Sentence("The file is not a database of this program", {});
    case SQLITE_READONLY: return Sentence("The database file cannot be changed: it is read-only", {});
    case SQLITE_PERM:
    case SQLITE_AUTH: return Sentence("Access to the database file is denied", {});
    case SQLITE_FULL: return Sentence("The disk is full; the change was not saved", {});
    case SQLITE_CANTOPEN: return Sentence("The database file cannot be opened", detail);
    case SQLITE_IOERR: return Sentence("The database file cannot be read or written (input/output error)", {});
    case SQLITE_NOMEM: return Sentence("Out of memory", {});
    case SQLITE_CONSTRAINT:
        return Sentence("The database refused the change: it breaks a rule of the database", detail);
    default:
        return Sentence("The database reported an error",
                        detail.isEmpty() ? FromUtf8(sqlite3_errstr(resultCode)) : detail);
    }
}

void ThrowSqliteError(sqlite3 *db, int resultCode)
{
    if (IsBusyCode(resultCode))
        throw EDatabaseLocked(SqliteErrorMessage(db, resultCode));
    const int primary = resultCode & 0xFF;
    if (primary == SQLITE_CORRUPT || primary == SQLITE_NOTADB)
        throw EDatabaseDamaged(SqliteErrorMessage(db, resultCode));
    throw EDatabaseError(SqliteErrorMessage(db, resultCode));
}
