// Copies the directory of the town Velirsk between its SQLite file and a
// PostgreSQL server, either way:
//
//   transfer_directory [--replace] SOURCE TARGET
//
// An argument is a server when it is a libpq URI (postgresql://...,
// postgres://...) or a key=value connection string (it holds "="); anything
// else is the path of a file. One of the two is a file, the other a server.
//
// Values arrive as the program shows them: file text that is not UTF-8 as its
// Windows-1251 reading, numbers as their decimal text, NULL as NULL; every
// row keeps its rowid. The target's table is created when it is absent, on a
// server with the identity column, the case-blind prefix indexes and the
// change notification the program's server provider relies on. A target
// whose table holds rows is refused unless --replace is given. The target is
// written in one transaction: a failure leaves it as it was, and a file that
// the tool created is removed again.
//
// Exit codes: 0 copied, 1 failed or refused (nothing changed), 2 wrong usage.

#include "data/SqliteStatement.h"

#include <libpq-fe.h>
#include <sqlite3.h>

#include <array>
#include <cstdio>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <sys/stat.h>

namespace {

constexpr const char *kProgram = "transfer_directory";
const std::string kTable = "\"Велирск\"";
constexpr size_t kFieldCount = 7;
const std::array<const char *, kFieldCount> kFields{"Телефон", "Фамилия",  "Улица",      "Дом",
                                                    "Корпус",  "Квартира", "Организация"};
// The file's columns as make_directory declares them: the program sizes its
// grid columns by the declared lengths.
constexpr const char *kFileTableColumns = "\"Телефон\" VARCHAR(10), \"Фамилия\" VARCHAR(50), \"Улица\" VARCHAR(50),"
                                          "\"Дом\" VARCHAR(10), \"Корпус\" VARCHAR(10), \"Квартира\" VARCHAR(10),"
                                          "\"Организация\" VARCHAR(100)";

// How long the tool waits for a program that holds the table, on either side,
// before it gives up with a message instead of hanging.
constexpr int kLockWaitSeconds = 30;
constexpr int kConnectSeconds = 10;
// COPY data goes to the server in pieces of about this size.
constexpr size_t kCopyChunkBytes = 64 * 1024;

struct DirectoryRow {
    long long rowid = 0;
    std::array<std::optional<std::string>, kFieldCount> values; // UTF-8
};

std::string Quoted(const char *name)
{
    return std::string("\"") + name + "\"";
}

// rowid and the seven fields, for SELECT, INSERT and COPY.
std::string ColumnList()
{
    std::string list = "rowid";
    for (const char *field : kFields)
        list += ", " + Quoted(field);
    return list;
}

bool IsServer(std::string_view argument)
{
    return argument.starts_with("postgresql://") || argument.starts_with("postgres://")
           || argument.find('=') != std::string_view::npos;
}

class RowSource
{
public:
    virtual ~RowSource() = default;
    // Fills `row` with the next row in rowid order; false after the last.
    virtual bool Next(DirectoryRow &row) = 0;
};

class RowTarget
{
public:
    virtual ~RowTarget() = default;
    // Opens the transaction, creates the table when absent, and refuses a
    // table with rows unless they are to be replaced.
    virtual void Begin(bool replace) = 0;
    virtual void Put(const DirectoryRow &row) = 0;
    virtual void Commit() = 0;
};

// -------------------------------------------------------------------- the file

class DirectoryFile
{
public:
    DirectoryFile(const std::string &path, int openFlags)
    {
        const int rc = sqlite3_open_v2(path.c_str(), &m_db, openFlags, nullptr);
        if (rc != SQLITE_OK) {
            const std::string message = SqliteErrorMessage(m_db, rc).toStdString();
            sqlite3_close(m_db);
            throw std::runtime_error(message);
        }
        sqlite3_busy_timeout(m_db, kLockWaitSeconds * 1000);
    }
    ~DirectoryFile() { sqlite3_close_v2(m_db); }
    DirectoryFile(const DirectoryFile &) = delete;
    DirectoryFile &operator=(const DirectoryFile &) = delete;

    sqlite3 *Handle() const { return m_db; }
    void Execute(const std::string &sql) { TSqliteStatement(m_db, QString::fromStdString(sql)).Step(); }
    bool HoldsRows() const
    {
        return TSqliteStatement(m_db, QString::fromStdString("SELECT 1 FROM " + kTable + " LIMIT 1")).Step();
    }

private:
    sqlite3 *m_db = nullptr;
};

class FileSource : public RowSource
{
public:
    explicit FileSource(const std::string &path)
        : m_file(path, SQLITE_OPEN_READONLY)
        , m_select(m_file.Handle(),
                   QString::fromStdString("SELECT " + ColumnList() + " FROM " + kTable + " ORDER BY rowid"))
    { }

    bool Next(DirectoryRow &row) override
    {
        if (!m_select.Step())
            return false;
        row.rowid = m_select.Int64(0);
        for (size_t field = 0; field < kFieldCount; ++field) {
            const TFieldValue shown = m_select.Value(int(field) + 1);
            row.values[field] = shown ? std::optional<std::string>(shown->toStdString()) : std::nullopt;
        }
        return true;
    }

private:
    DirectoryFile m_file;
    TSqliteStatement m_select;
};

class FileTarget : public RowTarget
{
public:
    explicit FileTarget(const std::string &path)
        : m_path(path)
    {
        struct stat existing;
        m_created = stat(path.c_str(), &existing) != 0;
        m_file = std::make_unique<DirectoryFile>(path, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE);
    }

    ~FileTarget() override
    {
        // Closing without COMMIT rolls the transaction back.
        m_insert = TSqliteStatement();
        m_file.reset();
        if (m_created && !m_committed)
            std::remove(m_path.c_str());
    }

    void Begin(bool replace) override
    {
        // IMMEDIATE: no other writer between the look at the table and the copy.
        m_file->Execute("BEGIN IMMEDIATE");
        m_file->Execute("CREATE TABLE IF NOT EXISTS " + kTable + " (" + kFileTableColumns + ")");
        if (m_file->HoldsRows()) {
            if (!replace)
                throw std::runtime_error("the table " + kTable + " already holds rows; give --replace to replace them");
            m_file->Execute("DELETE FROM " + kTable);
        }
        std::string insert = "INSERT INTO " + kTable + " (" + ColumnList() + ") VALUES (?1";
        for (size_t field = 0; field < kFieldCount; ++field)
            insert += ", ?" + std::to_string(field + 2);
        m_insert = TSqliteStatement(m_file->Handle(), QString::fromStdString(insert + ")"));
    }

    void Put(const DirectoryRow &row) override
    {
        m_insert.Bind(1, qint64(row.rowid));
        for (size_t field = 0; field < kFieldCount; ++field) {
            const std::optional<std::string> &value = row.values[field];
            m_insert.Bind(int(field) + 2, value ? TFieldValue(QString::fromStdString(*value)) : TFieldValue());
        }
        m_insert.Step();
        m_insert.Reset();
    }

    void Commit() override
    {
        m_insert = TSqliteStatement();
        m_file->Execute("COMMIT");
        m_committed = true;
    }

private:
    std::string m_path;
    bool m_created = false;
    bool m_committed = false;
    std::unique_ptr<DirectoryFile> m_file;
    TSqliteStatement m_insert;
};

// ------------------------------------------------------------------ the server

struct ResultDeleter {
    void operator()(PGresult *result) const { PQclear(result); }
};
using Result = std::unique_ptr<PGresult, ResultDeleter>;

std::string ServerMessage(const PGconn *connection)
{
    std::string message = PQerrorMessage(connection);
    while (!message.empty() && (message.back() == '\n' || message.back() == ' '))
        message.pop_back();
    return message;
}

class ServerConnection
{
public:
    explicit ServerConnection(const std::string &connectionString)
    {
        // Keys are read in order and later ones win: the caller's string may
        // set its own connect timeout and name, but the text always travels
        // as UTF-8.
        const std::string timeout = std::to_string(kConnectSeconds);
        const char *keys[] = {"connect_timeout", "application_name", "dbname", "client_encoding", nullptr};
        const char *values[] = {timeout.c_str(), kProgram, connectionString.c_str(), "UTF8", nullptr};
        m_connection = PQconnectdbParams(keys, values, 1);
        if (PQstatus(m_connection) != CONNECTION_OK) {
            const std::string message = ServerMessage(m_connection);
            PQfinish(m_connection);
            throw std::runtime_error(message);
        }
        Command("SET lock_timeout = '" + std::to_string(kLockWaitSeconds) + "s'");
    }
    // A connection that ends inside a transaction has it rolled back.
    ~ServerConnection() { PQfinish(m_connection); }
    ServerConnection(const ServerConnection &) = delete;
    ServerConnection &operator=(const ServerConnection &) = delete;

    PGconn *Handle() const { return m_connection; }

    Result Query(const std::string &sql, ExecStatusType expected = PGRES_TUPLES_OK)
    {
        Result result(PQexec(m_connection, sql.c_str()));
        if (PQresultStatus(result.get()) != expected)
            throw std::runtime_error(ServerMessage(m_connection));
        return result;
    }
    void Command(const std::string &sql) { Query(sql, PGRES_COMMAND_OK); }

private:
    PGconn *m_connection = nullptr;
};

class ServerSource : public RowSource
{
public:
    explicit ServerSource(const std::string &connectionString)
        : m_server(connectionString)
    {
        // Row by row: a directory of any size passes through little memory.
        const std::string select = "SELECT " + ColumnList() + " FROM " + kTable + " ORDER BY rowid";
        if (!PQsendQuery(m_server.Handle(), select.c_str()) || !PQsetSingleRowMode(m_server.Handle()))
            throw std::runtime_error(ServerMessage(m_server.Handle()));
    }

    bool Next(DirectoryRow &row) override
    {
        Result result(PQgetResult(m_server.Handle()));
        switch (PQresultStatus(result.get())) {
        case PGRES_SINGLE_TUPLE: break;
        case PGRES_TUPLES_OK:
            // The end of the rows; the query's last result follows.
            while (Result(PQgetResult(m_server.Handle())))
                ;
            return false;
        default: throw std::runtime_error(ServerMessage(m_server.Handle()));
        }
        row.rowid = std::stoll(PQgetvalue(result.get(), 0, 0));
        for (size_t field = 0; field < kFieldCount; ++field) {
            const int column = int(field) + 1;
            if (PQgetisnull(result.get(), 0, column))
                row.values[field].reset();
            else
                row.values[field].emplace(PQgetvalue(result.get(), 0, column), PQgetlength(result.get(), 0, column));
        }
        return true;
    }

private:
    ServerConnection m_server;
};

// COPY's text form: tab between fields, newline after the row, \N for NULL,
// and a backslash before what would otherwise read as one of these.
void AppendCopyValue(std::string &line, const std::optional<std::string> &value)
{
    if (!value) {
        line += "\\N";
        return;
    }
    for (const char c : *value) {
        switch (c) {
        case '\\': line += "\\\\"; break;
        case '\t': line += "\\t"; break;
        case '\n': line += "\\n"; break;
        case '\r': line += "\\r"; break;
        default: line += c; break;
        }
    }
}

class ServerTarget : public RowTarget
{
public:
    explicit ServerTarget(const std::string &connectionString)
        : m_server(connectionString)
    { }

    void Begin(bool replace) override
    {
        m_server.Command("BEGIN");
        const Result exists = m_server.Query("SELECT to_regclass('" + kTable + "') IS NOT NULL");
        if (std::string_view(PQgetvalue(exists.get(), 0, 0)) != "t")
            CreateTable();
        // EXCLUSIVE lets programs go on reading but keeps every other writer
        // out between the look at the table and the commit.
        m_server.Command("LOCK TABLE " + kTable + " IN EXCLUSIVE MODE");
        if (PQntuples(m_server.Query("SELECT 1 FROM " + kTable + " LIMIT 1").get()) > 0) {
            if (!replace)
                throw std::runtime_error("the table " + kTable + " already holds rows; give --replace to replace them");
            m_server.Command("DELETE FROM " + kTable);
        }
        m_server.Query("COPY " + kTable + " (" + ColumnList() + ") FROM STDIN", PGRES_COPY_IN);
    }

    void Put(const DirectoryRow &row) override
    {
        for (size_t field = 0; field < kFieldCount; ++field) {
            if (row.values[field] && row.values[field]->find('\0') != std::string::npos)
                throw std::runtime_error("the row with rowid " + std::to_string(row.rowid)
                                         + " holds a NUL character in " + Quoted(kFields[field])
                                         + ", which PostgreSQL text cannot hold; nothing was copied");
        }
        m_pending += std::to_string(row.rowid);
        for (const std::optional<std::string> &value : row.values) {
            m_pending += '\t';
            AppendCopyValue(m_pending, value);
        }
        m_pending += '\n';
        if (m_pending.size() >= kCopyChunkBytes)
            SendPending();
    }

    void Commit() override
    {
        SendPending();
        if (PQputCopyEnd(m_server.Handle(), nullptr) != 1)
            throw std::runtime_error(ServerMessage(m_server.Handle()));
        Result copied(PQgetResult(m_server.Handle()));
        if (PQresultStatus(copied.get()) != PGRES_COMMAND_OK)
            throw std::runtime_error(ServerMessage(m_server.Handle()));
        while (Result(PQgetResult(m_server.Handle())))
            ;
        // Rows the program adds later take rowids past the copied ones.
        m_server.Query("SELECT setval(pg_get_serial_sequence('" + kTable
                       + "', 'rowid'), coalesce(max(rowid), 0) + 1, false) FROM " + kTable);
        m_server.Command("COMMIT");
        // The planner needs the new rows' statistics to page by rowid through
        // the key and to find prefixes through the indexes; the visibility map
        // lets the count read the key alone.
        m_server.Command("VACUUM (ANALYZE) " + kTable);
    }

private:
    void CreateTable()
    {
        std::string sql = "CREATE TABLE " + kTable + " (rowid bigint GENERATED BY DEFAULT AS IDENTITY PRIMARY KEY";
        for (const char *field : kFields)
            sql += ", " + Quoted(field) + " text";
        sql += ");";
        // The program's searches are case-blind prefixes: lower(field) LIKE 'prefix%'.
        for (const char *field : kFields)
            sql += "CREATE INDEX ON " + kTable + " (lower(" + Quoted(field) + ") text_pattern_ops);";
        // Programs that show the directory listen on this channel and read
        // the table again after another one's commit.
        sql += "CREATE OR REPLACE FUNCTION velirsk_changed() RETURNS trigger LANGUAGE plpgsql AS "
               "$$BEGIN PERFORM pg_notify('velirsk_changed', ''); RETURN NULL; END$$;"
               "CREATE TRIGGER velirsk_changed AFTER INSERT OR UPDATE OR DELETE OR TRUNCATE ON "
               + kTable + " FOR EACH STATEMENT EXECUTE FUNCTION velirsk_changed();";
        m_server.Command(sql);
    }

    void SendPending()
    {
        if (m_pending.empty())
            return;
        if (PQputCopyData(m_server.Handle(), m_pending.data(), int(m_pending.size())) != 1)
            throw std::runtime_error(ServerMessage(m_server.Handle()));
        m_pending.clear();
    }

    ServerConnection m_server;
    std::string m_pending;
};

// -------------------------------------------------------------------- the copy

// Runs one step on an endpoint; its failure names the endpoint.
template <typename Step> auto On(const std::string &endpoint, Step step)
{
    try {
        return step();
    } catch (const std::exception &error) {
        throw std::runtime_error(endpoint + ": " + error.what());
    }
}

std::string EndpointName(const std::string &argument)
{
    return IsServer(argument) ? std::string("the server") : argument;
}

std::unique_ptr<RowSource> OpenSource(const std::string &argument)
{
    if (IsServer(argument))
        return std::make_unique<ServerSource>(argument);
    return std::make_unique<FileSource>(argument);
}

std::unique_ptr<RowTarget> OpenTarget(const std::string &argument)
{
    if (IsServer(argument))
        return std::make_unique<ServerTarget>(argument);
    return std::make_unique<FileTarget>(argument);
}

long long Transfer(const std::string &sourceArgument, const std::string &targetArgument, bool replace)
{
    const std::string sourceName = EndpointName(sourceArgument);
    const std::string targetName = EndpointName(targetArgument);
    const std::unique_ptr<RowSource> source = On(sourceName, [&] { return OpenSource(sourceArgument); });
    const std::unique_ptr<RowTarget> target = On(targetName, [&] { return OpenTarget(targetArgument); });
    On(targetName, [&] { target->Begin(replace); });
    DirectoryRow row;
    long long copied = 0;
    while (On(sourceName, [&] { return source->Next(row); })) {
        On(targetName, [&] { target->Put(row); });
        ++copied;
    }
    On(targetName, [&] { target->Commit(); });
    return copied;
}

void PrintUsage(std::FILE *stream)
{
    std::fprintf(stream,
                 "usage: %s [--replace] SOURCE TARGET\n"
                 "  Copies the directory between a velirsk.dat file and a PostgreSQL server, either way.\n"
                 "  A server is a libpq URI (postgresql://...) or a key=value connection string;\n"
                 "  anything else is a file. --replace replaces the rows a target already holds.\n",
                 kProgram);
}

} // namespace

int main(int argc, char *argv[])
{
    bool replace = false;
    std::array<std::string, 2> endpoints;
    size_t named = 0;
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        if (argument == "--replace") {
            replace = true;
        } else if (argument == "--help" || argument == "-h") {
            PrintUsage(stdout);
            return 0;
        } else if (argument.starts_with("--") || named == endpoints.size()) {
            PrintUsage(stderr);
            return 2;
        } else {
            endpoints[named++] = argument;
        }
    }
    if (named != endpoints.size()) {
        PrintUsage(stderr);
        return 2;
    }
    if (IsServer(endpoints[0]) == IsServer(endpoints[1])) {
        std::fprintf(stderr, "%s: one of SOURCE and TARGET must be a file and the other a server\n", kProgram);
        return 2;
    }
    try {
        const long long copied = Transfer(endpoints[0], endpoints[1], replace);
        std::printf("%s: %lld rows copied from %s to %s\n", kProgram, copied, EndpointName(endpoints[0]).c_str(),
                    EndpointName(endpoints[1]).c_str());
    } catch (const std::exception &error) {
        std::fprintf(stderr, "%s: %s\n", kProgram, error.what());
        return 1;
    }
    return 0;
}
