// Many clerks at once on one directory, each a process with a connection of
// its own, editing, inserting, deleting and searching through the program's
// data sets; then a check that no committed change was lost or overwritten
// unseen:
//
//   clerk_load [--clerks N] [--seconds S] [--server CONNECTION] FILE
//
// With --server the directory is that server's database (FILE is unused but
// names the work folder's file for the logs); otherwise it is the file.
//
// Before the clerks start, every row's "Организация" gets a token of its own.
// An edit reads a row's token and writes a new one; a delete reads the token
// it deletes. Every token is written or consumed once, so:
//   - two successful changes that read the same token mean a change was
//     overwritten unseen;
//   - a row inserted and never deleted must be there at the end, each row
//     must hold the last token of its chain, and no refused change's token
//     may be found;
//   - every refused post must say the row changed or was deleted, or that it
//     was locked; any other failure is a fault.
// Exit code 0 when all holds, 1 otherwise.

#include "data/ADOConnection.h"
#include "data/ADOQuery.h"
#include "data/ADOTable.h"
#include "forms/SearchStatement.h"
#include "toolkit/db/DatabaseError.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QSet>
#include <QStringList>
#include <QTextStream>
#include <QThread>

#include <cstdio>
#include <cstdlib>
#include <libpq-fe.h>
#include <map>
#include <sqlite3.h>

namespace {

constexpr const char *kUsage = "clerk_load [--clerks N] [--seconds S] [--server CONNECTION] FILE";
constexpr int kDefaultClerks = 20;
constexpr int kDefaultSeconds = 60;
// Edits and deletes fall on this many rows at the front, so that clerks meet.
constexpr int kHotRows = 300;
// A clerk reads the table afresh after this many steps.
constexpr int kStepsPerRefresh = 25;
// The longest a clerk "types" between reading a row and posting it.
constexpr int kLongestTypingMs = 15;
constexpr int kExtraSecondsToFinish = 120;
const QString kTokenField = QStringLiteral("Организация");
const QString kPhoneField = QStringLiteral("Телефон");
const QString kInitialToken = QStringLiteral("init-%1");

struct TOptions {
    int clerks = kDefaultClerks;
    int seconds = kDefaultSeconds;
    QString server;
    QString file;
    int clerk = -1; // set in a clerk's own process
};

void Connect(TADOConnection &connection, const TOptions &options)
{
    connection.SetConnectionString(QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=%1").arg(options.file));
    connection.SetServer(options.server);
}

// The data layer's words for a row changed or deleted by another user and
// for a lock, untranslated here.
bool IsConflictOrLock(const QString &message)
{
    return message.contains(QLatin1String("another user")) || message.contains(QLatin1String("is locked"));
}

// One clerk: writes what it did, a line a step, to standard output.
int RunClerk(const TOptions &options)
{
    TADOConnection connection;
    Connect(connection, options);
    TADOTable table;
    table.SetConnection(&connection);
    table.SetTableName(QStringLiteral("Велирск"));
    TADOQuery query;
    query.SetConnection(&connection);
    QTextStream out(stdout);
    QRandomGenerator random(quint32(options.clerk) * 7919u + 17u);
    QElapsedTimer clock;
    clock.start();
    const auto timeLeft = [&] { return clock.elapsed() < qint64(options.seconds) * 1000; };
    // Twenty writers may hold a file past a reader's lock timeout: a clerk
    // then tries again, as a person would.
    while (!table.Active() && timeLeft()) {
        try {
            table.Open();
        } catch (const EDatabaseError &error) {
            if (!IsConflictOrLock(error.Message()))
                throw;
            out << "locked opening\n";
        }
    }
    int step = 0;
    const auto typing = [&] { QThread::msleep(random.bounded(kLongestTypingMs + 1)); };
    while (table.Active() && timeLeft()) {
        ++step;
        const QString token = QStringLiteral("c%1-%2").arg(options.clerk).arg(step);
        const int kind = random.bounded(10);
        try {
            if (step % kStepsPerRefresh == 0)
                table.Refresh();
            if (kind < 5) {
                table.SetRecNo(1 + random.bounded(std::min(kHotRows, table.RecordCount())));
                table.Edit();
                const QString read = table.FieldByName(kTokenField)->AsString();
                typing();
                table.FieldByName(kTokenField)->SetAsString(token);
                try {
                    table.Post();
                    out << "edit " << read << ' ' << token << '\n';
                } catch (const EDatabaseError &error) {
                    out << (IsConflictOrLock(error.Message()) ? "refused " : "fault ") << token << ' '
                        << error.Message().simplified() << '\n';
                    table.Cancel();
                }
            } else if (kind < 7) {
                table.Append();
                table.FieldByName(kPhoneField)->SetAsString(token);
                table.FieldByName(kTokenField)->SetAsString(token);
                typing();
                table.Post();
                out << "insert " << token << '\n';
            } else if (kind < 8) {
                table.SetRecNo(1 + random.bounded(std::min(kHotRows, table.RecordCount())));
                const QString read = table.FieldByName(kTokenField)->AsString();
                typing();
                try {
                    table.Delete();
                    out << "delete " << read << '\n';
                } catch (const EDatabaseError &error) {
                    out << (IsConflictOrLock(error.Message()) ? "refused-delete " : "fault ") << read << ' '
                        << error.Message().simplified() << '\n';
                }
            } else {
                query.Close();
                query.SQL()->Clear();
                const QString prefixes[] = {QStringLiteral("иван"), QStringLiteral("п"), QStringLiteral("с")};
                for (const QString &line : SearchStatement::Lines({QString(), prefixes[random.bounded(3)]}))
                    query.SQL()->Add(line);
                query.Open();
                out << "search " << query.RecordCount() << '\n';
            }
        } catch (const EDatabaseError &error) {
            out << (IsConflictOrLock(error.Message()) ? "locked " : "fault ") << token << ' '
                << error.Message().simplified() << '\n';
            table.Cancel();
        }
        out.flush();
    }
    return 0;
}

// Gives every row a token of its own, in one statement of the engine's.
bool PrepareTokens(const TOptions &options)
{
    const QByteArray sql = QStringLiteral("UPDATE \"Велирск\" SET \"%1\" = 'init-' || rowid").arg(kTokenField).toUtf8();
    if (!options.server.isEmpty()) {
        PGconn *server = PQconnectdb(options.server.toUtf8().constData());
        PGresult *result = PQexec(server, sql.constData());
        const bool done = PQresultStatus(result) == PGRES_COMMAND_OK;
        if (!done)
            std::fprintf(stderr, "clerk_load: %s", PQerrorMessage(server));
        PQclear(result);
        PQfinish(server);
        return done;
    }
    sqlite3 *file = nullptr;
    const bool done =
        sqlite3_open_v2(QFile::encodeName(options.file).constData(), &file, SQLITE_OPEN_READWRITE, nullptr) == SQLITE_OK
        && sqlite3_exec(file, sql.constData(), nullptr, nullptr, nullptr) == SQLITE_OK;
    if (!done)
        std::fprintf(stderr, "clerk_load: %s\n", sqlite3_errmsg(file));
    sqlite3_close(file);
    return done;
}

struct TFinalRow {
    QString phone;
    QString token;
};

std::vector<TFinalRow> FinalRows(const TOptions &options)
{
    TADOConnection connection;
    Connect(connection, options);
    TADOTable table;
    table.SetConnection(&connection);
    table.SetTableName(QStringLiteral("Велирск"));
    table.Open();
    std::vector<TFinalRow> rows;
    for (table.First(); !table.Eof(); table.Next())
        rows.push_back({table.FieldByName(kPhoneField)->AsString(), table.FieldByName(kTokenField)->AsString()});
    return rows;
}

int RunLoad(const TOptions &options)
{
    if (!PrepareTokens(options))
        return 1;
    const int rowsBefore = int(FinalRows(options).size());
    std::vector<std::unique_ptr<QProcess>> clerks;
    for (int clerk = 0; clerk < options.clerks; ++clerk) {
        auto process = std::make_unique<QProcess>();
        QStringList arguments{QStringLiteral("--clerk"), QString::number(clerk), QStringLiteral("--seconds"),
                              QString::number(options.seconds)};
        if (!options.server.isEmpty())
            arguments << QStringLiteral("--server") << options.server;
        arguments << options.file;
        process->setProcessChannelMode(QProcess::ForwardedErrorChannel);
        process->start(QCoreApplication::applicationFilePath(), arguments);
        clerks.push_back(std::move(process));
    }
    QStringList lines;
    bool allEnded = true;
    for (auto &process : clerks) {
        allEnded = process->waitForFinished((options.seconds + kExtraSecondsToFinish) * 1000) && allEnded
                   && process->exitCode() == 0;
        lines << QString::fromUtf8(process->readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts);
    }

    std::map<QString, int> consumed; // token read by a successful edit or delete
    QSet<QString> written, inserted, deletedTokens, refusedTokens;
    int edits = 0, refused = 0, faults = 0, inserts = 0, deletes = 0, searches = 0;
    for (const QString &line : lines) {
        const QStringList parts = line.split(u' ');
        const QString &kind = parts.value(0);
        if (kind == QLatin1String("edit")) {
            ++edits;
            ++consumed[parts.value(1)];
            written << parts.value(2);
        } else if (kind == QLatin1String("delete")) {
            ++deletes;
            ++consumed[parts.value(1)];
            deletedTokens << parts.value(1);
        } else if (kind == QLatin1String("insert")) {
            ++inserts;
            inserted << parts.value(1);
        } else if (kind == QLatin1String("refused") || kind == QLatin1String("refused-delete")) {
            ++refused;
            if (kind == QLatin1String("refused"))
                refusedTokens << parts.value(1);
        } else if (kind == QLatin1String("locked")) {
            ++refused;
        } else if (kind == QLatin1String("search")) {
            ++searches;
        } else {
            ++faults;
            std::fprintf(stderr, "fault: %s\n", qPrintable(line));
        }
    }
    int overwrittenUnseen = 0;
    for (const auto &[token, times] : consumed) {
        if (times > 1) {
            ++overwrittenUnseen;
            std::fprintf(stderr, "token %s was changed %d times from the same reading\n", qPrintable(token), times);
        }
    }
    QSet<QString> finalTokens, finalPhones;
    const std::vector<TFinalRow> rowsAfter = FinalRows(options);
    // Every row is there that was there or inserted, and was not deleted.
    int lost = std::abs(rowsBefore + inserts - deletes - int(rowsAfter.size()));
    if (lost != 0)
        std::fprintf(stderr, "%d rows before, %d inserted, %d deleted, yet %d after\n", rowsBefore, inserts, deletes,
                     int(rowsAfter.size()));
    for (const TFinalRow &row : rowsAfter) {
        finalTokens << row.token;
        finalPhones << row.phone;
    }
    int stale = 0, refusedFound = 0;
    for (const QString &token : inserted) {
        // An inserted row that nobody deleted keeps its phone; its token may
        // have been edited since.
        if (!finalPhones.contains(token) && !deletedTokens.contains(token) && !consumed.count(token)) {
            ++lost;
            std::fprintf(stderr, "row inserted as %s is gone though nobody deleted it\n", qPrintable(token));
        }
    }
    for (const QString &token : written) {
        const bool replacedOrDeleted = consumed.count(token) > 0;
        if (replacedOrDeleted == finalTokens.contains(token)) {
            ++(replacedOrDeleted ? stale : lost);
            std::fprintf(stderr,
                         replacedOrDeleted ? "token %s was replaced or deleted yet is still there\n"
                                           : "token %s is gone though no change read it\n",
                         qPrintable(token));
        }
    }
    for (const QString &token : finalTokens) {
        if (consumed.count(token))
            ++stale;
        if (refusedTokens.contains(token))
            ++refusedFound;
    }
    std::printf(
        "clerks %d, seconds %d: %d edits, %d inserts, %d deletes, %d searches, %d refused as conflicts or locks;\n"
        "overwritten unseen %d, lost %d, stale %d, refused yet written %d, other faults %d, clerks ended %s\n",
        options.clerks, options.seconds, edits, inserts, deletes, searches, refused, overwrittenUnseen, lost, stale,
        refusedFound, faults, allEnded ? "yes" : "no");
    const bool sound = allEnded && overwrittenUnseen == 0 && lost == 0 && stale == 0 && refusedFound == 0 && faults == 0
                       && edits > 0 && refused > 0;
    return sound ? 0 : 1;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    TOptions options;
    bool wrongUsage = false;
    const QStringList arguments = app.arguments().mid(1);
    for (int i = 0; i < arguments.size(); ++i) {
        const QString &argument = arguments[i];
        if (argument == QLatin1String("--clerks") && i + 1 < arguments.size())
            options.clerks = arguments[++i].toInt();
        else if (argument == QLatin1String("--seconds") && i + 1 < arguments.size())
            options.seconds = arguments[++i].toInt();
        else if (argument == QLatin1String("--server") && i + 1 < arguments.size())
            options.server = arguments[++i];
        else if (argument == QLatin1String("--clerk") && i + 1 < arguments.size())
            options.clerk = arguments[++i].toInt();
        else if (argument == QLatin1String("--help") || argument == QLatin1String("-h")) {
            std::printf("usage: %s\n", kUsage);
            return 0;
        } else if (argument.startsWith(u'-') || !options.file.isEmpty()) {
            wrongUsage = true;
        } else {
            options.file = argument;
        }
    }
    if (wrongUsage || options.file.isEmpty() || options.clerks < 1 || options.seconds < 1) {
        std::fprintf(stderr, "usage: %s\n", kUsage);
        return 2;
    }
    try {
        return options.clerk >= 0 ? RunClerk(options) : RunLoad(options);
    } catch (const EDatabaseError &error) {
        std::fprintf(stderr, "clerk_load: %s\n", qPrintable(error.Message()));
        return 1;
    }
}
