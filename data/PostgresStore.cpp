#include "data/PostgresStore.h"

#include "data/SchemaNames.h"
#include "data/SqlDialect.h"
#include "toolkit/db/DatabaseError.h"

#include <QCoreApplication>
#include <QStringList>
#include <QtEndian>
#include <libpq-fe.h>

#include <array>
#include <cstring>

namespace {

// SQLSTATEs the program tells apart.
constexpr const char *kLockNotAvailable = "55P03";
constexpr const char *kQueryCanceled = "57014";
// The type of varchar columns, whose declared length is their size.
constexpr Oid kVarcharType = 1043;
constexpr int kVarcharHeader = 4;
constexpr size_t kCancelMessageBytes = 256;
// How long a connection is tried for when the connection string names no
// limit of its own: an unreachable host must not hold the window for minutes.
constexpr const char *kDefaultConnectSeconds = "10";
constexpr const char *kVisibleTables =
    "SELECT c.relname FROM pg_class c WHERE c.relkind IN ('r', 'p') AND pg_table_is_visible(c.oid)";

// Connects with the default limit first, so that the string's own wins.
PGconn *ConnectWithin(const QString &connectionString)
{
    const QByteArray text = connectionString.toUtf8();
    const char *const keywords[] = {"connect_timeout", "dbname", nullptr};
    const char *const values[] = {kDefaultConnectSeconds, text.constData(), nullptr};
    return PQconnectdbParams(keywords, values, 1);
}

QString Tr(const char *text)
{
    return QCoreApplication::translate("TPostgresStore", text);
}

// libpq's messages run over several indented lines.
QString ServerText(const char *text)
{
    return QString::fromUtf8(text).simplified();
}

std::optional<QByteArray> TextOf(const TFieldValue &value)
{
    if (!value)
        return std::nullopt;
    return value->toUtf8();
}

std::optional<QByteArray> TextOf(const TStoredValue &value)
{
    if (value.storageClass == TStoredValue::Null)
        return std::nullopt;
    return value.bytes;
}

// A statement's parameters as libpq takes them, pointing into the parameters.
struct TParameterArrays {
    explicit TParameterArrays(const TPostgresStore::TParameters &parameters)
    {
        for (const std::optional<QByteArray> &parameter : parameters) {
            values.push_back(parameter ? parameter->constData() : nullptr);
            lengths.push_back(parameter ? int(parameter->size()) : 0);
        }
    }
    std::vector<const char *> values;
    std::vector<int> lengths;
};

class TPostgresRowReader : public TStore::TRowReader
{
public:
    TPostgresRowReader(TPostgresStore &store, const QString &sql)
        : m_store(store)
    {
        m_statement.name = store.NewStatementName();
        m_statement.sql = sql.toUtf8();
        // Preparing it now finds a wrong statement at once and tells its columns.
        m_columns = store.Describe(store.DescribePrepared(m_statement).get());
    }

    const std::vector<TStore::TColumn> &Columns() const override { return m_columns; }

    bool Read(qint64 rowid, TStore::TStoredRecord &values) override
    {
        const std::shared_ptr<PGresult> result = m_store.ExecutePrepared(m_statement, {QByteArray::number(rowid)});
        if (PQntuples(result.get()) == 0)
            return false;
        values.assign(m_columns.size(), {});
        for (int column = 0; column < int(m_columns.size()) && column < PQnfields(result.get()); ++column) {
            if (PQgetisnull(result.get(), 0, column))
                continue;
            values[column].storageClass = TStoredValue::Text;
            values[column].bytes =
                QByteArray(PQgetvalue(result.get(), 0, column), PQgetlength(result.get(), 0, column));
        }
        return true;
    }

private:
    TPostgresStore &m_store;
    TPostgresStore::TPrepared m_statement;
    std::vector<TStore::TColumn> m_columns;
};

} // namespace

std::unique_ptr<TPostgresStore> TPostgresStore::Open(const QString &connectionString)
{
    return Connect(connectionString, false, kDefaultLockTimeoutMs);
}

std::unique_ptr<TPostgresStore> TPostgresStore::Connect(const QString &connectionString, bool reader, int lockTimeoutMs)
{
    PGconn *connection = ConnectWithin(connectionString);
    std::unique_ptr<TPostgresStore> store(new TPostgresStore(connection, connectionString, reader));
    if (!connection || PQstatus(connection) != CONNECTION_OK) {
        throw EDatabaseError(Tr("the server cannot be reached (%1)")
                                 .arg(connection ? ServerText(PQerrorMessage(connection)) : Tr("out of memory")));
    }
    store->m_lockTimeoutMs = lockTimeoutMs;
    store->SetUpSession();
    return store;
}

TPostgresStore::TPostgresStore(PGconn *connection, QString connectionString, bool reader)
    : m_connection(connection)
    , m_connectionString(std::move(connectionString))
    , m_reader(reader)
{
    if (m_connection && PQstatus(m_connection) == CONNECTION_OK)
        m_cancel = PQgetCancel(m_connection);
}

TPostgresStore::~TPostgresStore()
{
    {
        const std::lock_guard guard(m_cancelLock);
        PQfreeCancel(m_cancel);
        m_cancel = nullptr;
    }
    PQfinish(m_connection);
}

void TPostgresStore::SetUpSession()
{
    Execute(QStringLiteral("SET client_encoding = 'UTF8'"));
    Execute(QStringLiteral("SET lock_timeout = %1").arg(m_lockTimeoutMs));
    if (m_reader) {
        Execute(QStringLiteral("SET default_transaction_read_only = on"));
        return;
    }
    Execute(QStringLiteral("LISTEN %1").arg(QString::fromLatin1(kChangeChannel)));
    const std::shared_ptr<PGresult> readOnly = Execute(QStringLiteral("SHOW transaction_read_only"));
    m_readOnly = std::strcmp(PQgetvalue(readOnly.get(), 0, 0), "on") == 0;
}

bool TPostgresStore::Reconnect()
{
    if (PQstatus(m_connection) == CONNECTION_OK && !m_resetting)
        return false;
    m_resetting = false;
    PQreset(m_connection);
    if (PQstatus(m_connection) != CONNECTION_OK) {
        throw EDatabaseError(Tr("The connection to the directory's server is lost and cannot be made again: %1 "
                                "Nothing was changed; what you typed is kept, and the next step tries again.")
                                 .arg(ServerText(PQerrorMessage(m_connection))));
    }
    Reconnected();
    return true;
}

void TPostgresStore::Reconnected()
{
    ++m_session;
    m_missedNotifications = true;
    {
        const std::lock_guard guard(m_cancelLock);
        PQfreeCancel(m_cancel);
        m_cancel = PQgetCancel(m_connection);
    }
    SetUpSession();
}

// While idle the connection is made again without waiting: each look takes
// the attempt one step further.
bool TPostgresStore::ReconnectWithoutWaiting()
{
    if (!m_resetting) {
        if (PQstatus(m_connection) == CONNECTION_OK)
            return true;
        m_resetting = PQresetStart(m_connection) == 1;
        if (!m_resetting)
            return false;
    }
    const PostgresPollingStatusType step = PQresetPoll(m_connection);
    if (step == PGRES_POLLING_READING || step == PGRES_POLLING_WRITING)
        return false;
    m_resetting = false;
    if (step != PGRES_POLLING_OK)
        return false;
    try {
        Reconnected();
    } catch (const EDatabaseError &) {
        return false;
    }
    return true;
}

void TPostgresStore::ThrowError(PGresult *result)
{
    if (PQstatus(m_connection) != CONNECTION_OK) {
        throw EDatabaseError(Tr("The connection to the directory's server was lost: %1 Nothing was changed; what you "
                                "typed is kept, and the next step connects again.")
                                 .arg(ServerText(PQerrorMessage(m_connection))));
    }
    const char *state = result ? PQresultErrorField(result, PG_DIAG_SQLSTATE) : nullptr;
    if (state && std::strcmp(state, kLockNotAvailable) == 0) {
        throw EDatabaseError(QCoreApplication::translate(
            "TCustomADODataSet", "The database is locked by another user or program, so the change was not saved. "
                                 "Nothing was lost: try again in a moment."));
    }
    if (state && std::strcmp(state, kQueryCanceled) == 0)
        throw EDatabaseError(Tr("The server's work was cancelled."));
    const QString message = ServerText(result ? PQresultErrorMessage(result) : PQerrorMessage(m_connection));
    throw EDatabaseError(Tr("The directory's server refused the request: %1").arg(message));
}

std::shared_ptr<PGresult> TPostgresStore::Checked(PGresult *result)
{
    std::shared_ptr<PGresult> owned(result, PQclear);
    const ExecStatusType status = result ? PQresultStatus(result) : PGRES_FATAL_ERROR;
    if (status != PGRES_COMMAND_OK && status != PGRES_TUPLES_OK)
        ThrowError(result);
    return owned;
}

std::shared_ptr<PGresult> TPostgresStore::Execute(const QString &sql, const TParameters &parameters, bool binaryResult)
{
    Reconnect();
    const TParameterArrays arrays(parameters);
    const QByteArray text = sql.toUtf8();
    return Checked(PQexecParams(m_connection, text.constData(), int(parameters.size()), nullptr, arrays.values.data(),
                                arrays.lengths.data(), nullptr, binaryResult ? 1 : 0));
}

// A prepared statement lives as long as the server session: it is prepared
// again after the connection was made again.
void TPostgresStore::Prepare(TPrepared &statement)
{
    Reconnect();
    if (statement.session == m_session)
        return;
    Checked(PQprepare(m_connection, statement.name.constData(), statement.sql.constData(), 0, nullptr));
    statement.session = m_session;
}

std::shared_ptr<PGresult> TPostgresStore::DescribePrepared(TPrepared &statement)
{
    Prepare(statement);
    return Checked(PQdescribePrepared(m_connection, statement.name.constData()));
}

std::shared_ptr<PGresult> TPostgresStore::ExecutePrepared(TPrepared &statement, const TParameters &parameters)
{
    Prepare(statement);
    const TParameterArrays arrays(parameters);
    return Checked(PQexecPrepared(m_connection, statement.name.constData(), int(parameters.size()),
                                  arrays.values.data(), arrays.lengths.data(), nullptr, 0));
}

QByteArray TPostgresStore::NewStatementName()
{
    return "velirsk_" + QByteArray::number(++m_statementNames);
}

std::vector<TStore::TColumn> TPostgresStore::Describe(PGresult *result)
{
    std::vector<TColumn> columns;
    for (int field = 0; field < PQnfields(result); ++field) {
        TColumn column;
        column.name = QString::fromUtf8(PQfname(result, field));
        const int modifier = PQfmod(result, field);
        if (PQftype(result, field) == kVarcharType && modifier >= kVarcharHeader)
            column.size = modifier - kVarcharHeader;
        const Oid table = PQftable(result, field);
        const int tableColumn = PQftablecol(result, field);
        if (table != InvalidOid && tableColumn > 0) {
            const std::shared_ptr<PGresult> origin = Execute(
                QStringLiteral("SELECT c.relname, a.attname FROM pg_attribute a JOIN pg_class c ON c.oid = a.attrelid "
                               "WHERE a.attrelid = $1 AND a.attnum = $2"),
                {QByteArray::number(table), QByteArray::number(tableColumn)});
            if (PQntuples(origin.get()) == 1) {
                column.originTable = QString::fromUtf8(PQgetvalue(origin.get(), 0, 0));
                column.originColumn = QString::fromUtf8(PQgetvalue(origin.get(), 0, 1));
            }
        }
        columns.push_back(std::move(column));
    }
    return columns;
}

// Names are compared here: the server folds them in the C collation, which
// leaves Cyrillic letters alone.
TSchemaNames TPostgresStore::VisibleNames(const QString &sql)
{
    const std::shared_ptr<PGresult> names = Execute(sql);
    TSchemaNames found;
    for (int row = 0; row < PQntuples(names.get()); ++row)
        found.Add(QString::fromUtf8(PQgetvalue(names.get(), row, 0)));
    return found;
}

QString TPostgresStore::FindTable(const QString &name)
{
    const QStringList tables = VisibleNames(QString::fromLatin1(kVisibleTables)).Matches(name);
    if (tables.size() > 1) {
        throw EDatabaseError(Tr("The database on the server holds several tables whose names differ from \"%1\" in "
                                "case alone (%2), so it is not clear which one to show.")
                                 .arg(name, tables.join(QStringLiteral(", "))));
    }
    return tables.value(0);
}

// Rows are found again by the identity column rowid; a table without one
// cannot be edited safely and is refused plainly.
void TPostgresStore::CheckRowNumbers(const QString &table)
{
    const std::shared_ptr<PGresult> column =
        Execute(QStringLiteral("SELECT 1 FROM pg_attribute WHERE attrelid = $1::regclass AND attname = 'rowid' "
                               "AND NOT attisdropped"),
                {QuoteSqlName(table).toUtf8()});
    if (PQntuples(column.get()) == 0) {
        throw EDatabaseError(Tr("The table \"%1\" on the server cannot be shown: it has no column rowid, by which the "
                                "program finds a row again when it is changed.")
                                 .arg(table));
    }
}

QString TPostgresStore::TableReaderSql(const QString &table)
{
    const std::shared_ptr<PGresult> names =
        Execute(QStringLiteral("SELECT attname FROM pg_attribute WHERE attrelid = $1::regclass AND attnum > 0 "
                               "AND NOT attisdropped AND attname <> 'rowid' ORDER BY attnum"),
                {QuoteSqlName(table).toUtf8()});
    QStringList columns;
    for (int row = 0; row < PQntuples(names.get()); ++row)
        columns << QuoteSqlName(QString::fromUtf8(PQgetvalue(names.get(), row, 0)));
    return QStringLiteral("SELECT %1 FROM %2 WHERE rowid = $1")
        .arg(columns.join(QStringLiteral(", ")), QuoteSqlName(table));
}

TQueryPlan TPostgresStore::PlanQuery(const QString &statement)
{
    const TSchemaNames names =
        VisibleNames(QStringLiteral("SELECT relname FROM (%1) t UNION "
                                    "SELECT a.attname FROM pg_attribute a JOIN pg_class c ON c.oid = a.attrelid "
                                    "WHERE c.relkind IN ('r', 'p') AND pg_table_is_visible(c.oid) "
                                    "AND a.attnum > 0 AND NOT a.attisdropped")
                         .arg(QString::fromLatin1(kVisibleTables)));
    return ::PlanQuery(names.Respell(statement), TSqlEngine::Postgres);
}

std::unique_ptr<TStore::TRowReader> TPostgresStore::PrepareReader(const QString &sql)
{
    return std::make_unique<TPostgresRowReader>(*this, sql);
}

std::vector<TRecord> TPostgresStore::ReadAll(const QString &sql, std::vector<TColumn> &columns)
{
    const std::shared_ptr<PGresult> result = Execute(sql);
    columns = Describe(result.get());
    std::vector<TRecord> rows;
    for (int row = 0; row < PQntuples(result.get()); ++row) {
        TRecord record(columns.size());
        for (int column = 0; column < int(columns.size()); ++column) {
            if (!PQgetisnull(result.get(), row, column))
                record[column] =
                    QString::fromUtf8(PQgetvalue(result.get(), row, column), PQgetlength(result.get(), row, column));
        }
        rows.push_back(std::move(record));
    }
    return rows;
}

// Row numbers come as binary integers, most significant byte first: eight
// bytes for the identity's bigint, four for a table numbered by integer.
std::vector<qint64> TPostgresStore::RowidsOf(PGresult *result) const
{
    std::vector<qint64> rowids;
    rowids.reserve(size_t(PQntuples(result)));
    for (int row = 0; row < PQntuples(result); ++row) {
        const char *value = PQgetvalue(result, row, 0);
        if (PQgetlength(result, row, 0) == int(sizeof(qint64)))
            rowids.push_back(qFromBigEndian<qint64>(value));
        else if (PQgetlength(result, row, 0) == int(sizeof(qint32)))
            rowids.push_back(qFromBigEndian<qint32>(value));
    }
    return rowids;
}

std::vector<qint64> TPostgresStore::ListCursor(const QString &cursorSql)
{
    return RowidsOf(Execute(cursorSql, {}, true).get());
}

TStore::TTableSize TPostgresStore::MeasureTable(const QString &table)
{
    const std::shared_ptr<PGresult> size =
        Execute(QStringLiteral("SELECT count(*), coalesce(max(rowid), 0) FROM %1").arg(QuoteSqlName(table)));
    return {QByteArray(PQgetvalue(size.get(), 0, 0)).toLongLong(),
            QByteArray(PQgetvalue(size.get(), 0, 1)).toLongLong()};
}

void TPostgresStore::ListRowids(const QString &table, qint64 after, qint64 before, int limit, bool descending,
                                std::vector<qint64> &out)
{
    const std::shared_ptr<PGresult> listed = Execute(
        QStringLiteral("SELECT rowid::bigint FROM %1 WHERE rowid > $1 AND rowid < $2 ORDER BY rowid %2 LIMIT $3")
            .arg(QuoteSqlName(table), descending ? QStringLiteral("DESC") : QStringLiteral("ASC")),
        {QByteArray::number(after), QByteArray::number(before), QByteArray::number(limit)}, true);
    const std::vector<qint64> rowids = RowidsOf(listed.get());
    out.insert(out.end(), rowids.begin(), rowids.end());
}

bool TPostgresStore::RowExists(const QString &table, qint64 rowid)
{
    return PQntuples(Execute(QStringLiteral("SELECT 1 FROM %1 WHERE rowid = $1").arg(QuoteSqlName(table)),
                             {QByteArray::number(rowid)})
                         .get())
           > 0;
}

namespace {

// " AND ..." requiring each column to hold its value as read, the values
// being parameters from `firstParameter` on, which are appended.
QString StillAsRead(const std::vector<TStore::TColumnAsRead> &asRead, int firstParameter,
                    TPostgresStore::TParameters &parameters)
{
    QString checks;
    int parameter = firstParameter;
    for (const TStore::TColumnAsRead &column : asRead) {
        checks += QStringLiteral(" AND %1 IS NOT DISTINCT FROM $%2").arg(QuoteSqlName(column.column)).arg(parameter++);
        parameters.push_back(TextOf(column.value));
    }
    return checks;
}

} // namespace

bool TPostgresStore::Update(const QString &table, qint64 rowid, const std::vector<TColumnValue> &changes,
                            const std::vector<TColumnAsRead> &asRead)
{
    TParameters parameters{QByteArray::number(rowid)};
    QStringList assignments;
    for (const TColumnValue &change : changes) {
        parameters.push_back(TextOf(change.value));
        assignments << QStringLiteral("%1 = $%2").arg(QuoteSqlName(change.column)).arg(parameters.size());
    }
    const QString checks = StillAsRead(asRead, int(parameters.size()) + 1, parameters);
    const std::shared_ptr<PGresult> updated =
        Execute(QStringLiteral("UPDATE %1 SET %2 WHERE rowid = $1%3")
                    .arg(QuoteSqlName(table), assignments.join(QStringLiteral(", ")), checks),
                parameters);
    return std::strcmp(PQcmdTuples(updated.get()), "1") == 0;
}

qint64 TPostgresStore::Insert(const QString &table, const std::vector<TColumnValue> &values)
{
    TParameters parameters;
    QStringList columns;
    QStringList placeholders;
    for (const TColumnValue &value : values) {
        parameters.push_back(TextOf(value.value));
        columns << QuoteSqlName(value.column);
        placeholders << QStringLiteral("$%1").arg(parameters.size());
    }
    const QString quoted = QuoteSqlName(table);
    const QString sql = columns.isEmpty() ? QStringLiteral("INSERT INTO %1 DEFAULT VALUES RETURNING rowid").arg(quoted)
                                          : QStringLiteral("INSERT INTO %1 (%2) VALUES (%3) RETURNING rowid")
                                                .arg(quoted, columns.join(QStringLiteral(", ")),
                                                     placeholders.join(QStringLiteral(", ")));
    const std::shared_ptr<PGresult> inserted = Execute(sql, parameters);
    return QByteArray(PQgetvalue(inserted.get(), 0, 0)).toLongLong();
}

bool TPostgresStore::Delete(const QString &table, qint64 rowid, const std::vector<TColumnAsRead> &asRead)
{
    TParameters parameters{QByteArray::number(rowid)};
    const QString checks = StillAsRead(asRead, 2, parameters);
    const std::shared_ptr<PGresult> deleted =
        Execute(QStringLiteral("DELETE FROM %1 WHERE rowid = $1%2").arg(QuoteSqlName(table), checks), parameters);
    return std::strcmp(PQcmdTuples(deleted.get()), "1") == 0;
}

// The trigger's notifications arrive between statements; this connection's
// own are told by the sending server process.
std::optional<bool> TPostgresStore::OthersCommitted()
{
    if (!ReconnectWithoutWaiting() || !PQconsumeInput(m_connection))
        return std::nullopt;
    bool committed = m_missedNotifications;
    m_missedNotifications = false;
    const int ownProcess = PQbackendPID(m_connection);
    while (PGnotify *notification = PQnotifies(m_connection)) {
        if (notification->be_pid != ownProcess)
            committed = true;
        PQfreemem(notification);
    }
    return committed;
}

std::unique_ptr<TStore> TPostgresStore::OpenReader() const
{
    return Connect(m_connectionString, true, m_lockTimeoutMs);
}

void TPostgresStore::Interrupt()
{
    const std::lock_guard guard(m_cancelLock);
    if (!m_cancel)
        return;
    std::array<char, kCancelMessageBytes> message{};
    PQcancel(m_cancel, message.data(), int(message.size()));
}

void TPostgresStore::SetLockTimeout(int milliseconds)
{
    m_lockTimeoutMs = milliseconds;
    if (m_connection && PQstatus(m_connection) == CONNECTION_OK)
        Execute(QStringLiteral("SET lock_timeout = %1").arg(milliseconds));
}
