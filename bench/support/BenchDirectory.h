#pragma once

// The generated directories the benchmarks share: files of a given number of
// rows under <build>/bench-data, made once by tools/make_directory, and their
// copies on a server named by VELIRSK_BENCH_SERVER, made once by
// tools/transfer_directory.

#include "forms/SearchStatement.h"

#include <QDir>
#include <QFileInfo>
#include <QString>
#include <QStringList>
#include <cstdio>
#include <cstdlib>
#include <libpq-fe.h>

inline QString BenchDataDir()
{
    const QString exe = QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath();
    return QFileInfo(exe).absolutePath() + QStringLiteral("/../bench-data");
}

// The generated file of `rows` rows, made on first use.
inline QString DirectoryFile(long rows)
{
    const QString dir = QDir::cleanPath(BenchDataDir());
    QDir().mkpath(dir);
    const QString path = QStringLiteral("%1/velirsk-%2.dat").arg(dir).arg(rows);
    if (!QFileInfo::exists(path)) {
        const QString tool = QDir::cleanPath(dir + QStringLiteral("/../tools/make_directory"));
        const QString command = QStringLiteral("'%1' '%2' %3 >/dev/null").arg(tool, path).arg(rows);
        if (std::system(command.toLocal8Bit().constData()) != 0) {
            std::fprintf(stderr, "cannot generate %s\n", qPrintable(path));
            std::exit(1);
        }
    }
    return path;
}

inline QString ConnectionStringFor(const QString &path)
{
    return QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=%1;Mode=Share Deny None").arg(path);
}

// The search statement exactly as the search dialog writes it.
inline QString SearchText(const QStringList &criteria)
{
    return SearchStatement::Lines(criteria).join(QStringLiteral("\r\n")) + QStringLiteral("\r\n");
}

// A surname's beginning as a person types it; all seven edits filled; none.
inline const QStringList kOneCriterion{QString(), QStringLiteral("Иван")};
inline const QStringList kSevenCriteria{QStringLiteral("2"), QStringLiteral("П"), QStringLiteral("С"),
                                        QStringLiteral("1"), QStringLiteral("1"), QStringLiteral("1"),
                                        QStringLiteral("В")};

// The server's copy of the generated file of `rows` rows: a connection
// string, or empty when no server is named or the copy cannot be made.
inline QString DirectoryOnServer(long rows)
{
    const QString server = qEnvironmentVariable("VELIRSK_BENCH_SERVER");
    if (server.isEmpty())
        return {};
    const QString database = QStringLiteral("velirsk_bench_%1").arg(rows);
    const QString directory = server + QStringLiteral(" dbname=") + database;
    PGconn *existing = PQconnectdb(directory.toUtf8().constData());
    const bool present = PQstatus(existing) == CONNECTION_OK;
    PQfinish(existing);
    if (present)
        return directory;
    PGconn *admin = PQconnectdb(server.toUtf8().constData());
    PQclear(PQexec(admin, QStringLiteral("CREATE DATABASE %1").arg(database).toUtf8().constData()));
    PQfinish(admin);
    const QString tool = QDir::cleanPath(BenchDataDir() + QStringLiteral("/../tools/transfer_directory"));
    const QString command = QStringLiteral("'%1' '%2' '%3' >/dev/null").arg(tool, DirectoryFile(rows), directory);
    if (std::system(command.toLocal8Bit().constData()) != 0) {
        std::fprintf(stderr, "cannot copy %ld rows to the server\n", rows);
        return {};
    }
    return directory;
}
