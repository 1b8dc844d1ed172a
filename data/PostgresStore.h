#pragma once

#include "data/Store.h"

#include <QByteArray>
#include <QString>
#include <memory>
#include <mutex>

struct pg_conn;
struct pg_result;
struct pg_cancel;

// The directory on a PostgreSQL server, reached through libpq with a
// connection string or URI (libpq's own variables and service files apply).
//
// The server's table carries a hidden identity column named rowid, which
// plays the part of the file's rowid, and a trigger that notifies the
// channel kChangeChannel of every change; the connection listens to it, so
// other programs' commits are known without reading the table. A row is
// changed or deleted only while every column IS NOT DISTINCT FROM the value
// that was read. Every write is one statement, and so one transaction; a
// row lock held past the lock timeout is reported like the file's lock.
//
// A connection that was lost is made again before the next statement, which
// then runs as if nothing had happened; the statement that found it lost
// reports it and changes nothing.
class TSchemaNames;
class TPostgresStore : public TStore
{
public:
    static constexpr const char *kChangeChannel = "velirsk_changed";
    static constexpr int kDefaultLockTimeoutMs = 3000;

    // Raises EDatabaseError when the server cannot be reached or refuses the login.
    static std::unique_ptr<TPostgresStore> Open(const QString &connectionString);
    ~TPostgresStore() override;

    QString FindTable(const QString &name) override;
    void CheckRowNumbers(const QString &table) override;
    QString TableReaderSql(const QString &table) override;
    TQueryPlan PlanQuery(const QString &statement) override;
    std::unique_ptr<TRowReader> PrepareReader(const QString &sql) override;
    std::vector<TRecord> ReadAll(const QString &sql, std::vector<TColumn> &columns) override;
    std::vector<qint64> ListCursor(const QString &cursorSql) override;
    // A server may be slow to answer however small the table.
    bool ListsAtOnce(const QString &) override { return false; }
    // The server spreads one statement over its cores itself.
    std::optional<std::vector<qint64>> ListCursorInRanges(const QString &, const QString &, const std::vector<bool> &,
                                                          const TScanTerms &) override
    {
        return std::nullopt;
    }
    TTableSize MeasureTable(const QString &table) override;
    void ListRowids(const QString &table, qint64 after, qint64 before, int limit, bool descending,
                    std::vector<qint64> &out) override;
    bool RowExists(const QString &table, qint64 rowid) override;
    bool Update(const QString &table, qint64 rowid, const std::vector<TColumnValue> &changes,
                const std::vector<TColumnAsRead> &asRead) override;
    qint64 Insert(const QString &table, const std::vector<TColumnValue> &values) override;
    bool Delete(const QString &table, qint64 rowid, const std::vector<TColumnAsRead> &asRead) override;
    bool ReadOnly() override { return m_readOnly; }
    std::optional<bool> OthersCommitted() override;
    std::unique_ptr<TStore> OpenReader() const override;
    void Interrupt() override;
    // The server keeps its pages whole itself.
    QString FindDamage() override { return {}; }
    void AcceptAsDirectory() override { }
    void SetLockTimeout(int milliseconds) override;
    // The server's reads wait for no lock that a writer of rows holds.
    bool Glance(const std::function<void()> &reads) override
    {
        reads();
        return true;
    }

    // A statement's parameters in text form; nothing is NULL.
    using TParameters = std::vector<std::optional<QByteArray>>;
    // Runs a statement and returns its result; raises EDatabaseError.
    std::shared_ptr<pg_result> Execute(const QString &sql, const TParameters &parameters = {},
                                       bool binaryResult = false);
    // Prepares a statement under a name of its own, once per server session.
    struct TPrepared {
        QByteArray name;
        QByteArray sql;
        int session = -1;
    };
    std::shared_ptr<pg_result> ExecutePrepared(TPrepared &statement, const TParameters &parameters);
    // The columns of a prepared statement's result, without running it.
    std::shared_ptr<pg_result> DescribePrepared(TPrepared &statement);
    std::vector<TColumn> Describe(pg_result *result);
    QByteArray NewStatementName();

private:
    TPostgresStore(pg_conn *connection, QString connectionString, bool reader);
    static std::unique_ptr<TPostgresStore> Connect(const QString &connectionString, bool reader, int lockTimeoutMs);
    void Prepare(TPrepared &statement);
    // The names in column 0 of a statement's rows.
    TSchemaNames VisibleNames(const QString &sql);
    // Makes the connection again when it was lost; true when it had been.
    bool Reconnect();
    bool ReconnectWithoutWaiting();
    // The session is new: statements are prepared again, the notifications
    // listened to again, and those missed made up for.
    void Reconnected();
    void SetUpSession();
    [[noreturn]] void ThrowError(pg_result *result);
    // Takes `result`, raising the error it reports, if any.
    std::shared_ptr<pg_result> Checked(pg_result *result);
    std::vector<qint64> RowidsOf(pg_result *result) const;

    pg_conn *m_connection = nullptr;
    QString m_connectionString;
    bool m_reader = false;
    bool m_readOnly = false;
    int m_lockTimeoutMs = kDefaultLockTimeoutMs;
    int m_session = 0; // grows each time the connection is made again
    bool m_missedNotifications = false;
    bool m_resetting = false; // a reconnection started while idle is under way
    int m_statementNames = 0;
    std::mutex m_cancelLock; // guards m_cancel against Interrupt from another thread
    pg_cancel *m_cancel = nullptr;
};
