#include "ServerFixture.h"

#include "SqliteFixture.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QProcess>
#include <gtest/gtest.h>
#include <libpq-fe.h>

namespace {

constexpr int kToolTimeoutMs = 60000;

// Runs one statement on a connection, failing the test when it fails.
void Run(PGconn *connection, const QString &sql)
{
    PGresult *result = PQexec(connection, sql.toUtf8().constData());
    const ExecStatusType status = PQresultStatus(result);
    EXPECT_TRUE(status == PGRES_COMMAND_OK || status == PGRES_TUPLES_OK)
        << sql.toStdString() << ": " << PQresultErrorMessage(result);
    PQclear(result);
}

PGconn *Connect(const QString &connectionString)
{
    PGconn *connection = PQconnectdb(connectionString.toUtf8().constData());
    EXPECT_EQ(PQstatus(connection), CONNECTION_OK) << PQerrorMessage(connection);
    return connection;
}

} // namespace

QString ServerFixture::TestServer()
{
    return qEnvironmentVariable("VELIRSK_TEST_SERVER");
}

ServerFixture::ServerFixture(const SqliteFixture &file)
{
    static int databases = 0;
    m_database = QStringLiteral("velirsk_test_%1_%2").arg(QCoreApplication::applicationPid()).arg(++databases);
    PGconn *admin = Connect(TestServer());
    Run(admin, QStringLiteral("CREATE DATABASE %1").arg(m_database));
    PQfinish(admin);

    const QString tool =
        QFileInfo(QCoreApplication::applicationDirPath() + QStringLiteral("/tools/transfer_directory")).filePath();
    QProcess transfer;
    transfer.start(tool, {file.Path(), ConnectionString()});
    const bool finished = transfer.waitForFinished(kToolTimeoutMs);
    EXPECT_TRUE(finished && transfer.exitCode() == 0) << transfer.readAllStandardError().toStdString();
    m_other = Connect(ConnectionString());
    m_ready = finished && transfer.exitCode() == 0 && PQstatus(m_other) == CONNECTION_OK;
}

ServerFixture::~ServerFixture()
{
    PQfinish(m_other);
    PGconn *admin = PQconnectdb(TestServer().toUtf8().constData());
    PQclear(
        PQexec(admin, QStringLiteral("DROP DATABASE IF EXISTS %1 WITH (FORCE)").arg(m_database).toUtf8().constData()));
    PQfinish(admin);
}

QString ServerFixture::ConnectionString() const
{
    return TestServer() + QStringLiteral(" dbname=") + m_database;
}

void ServerFixture::Execute(const QString &sql)
{
    Run(m_other, sql);
}

QStringList ServerFixture::Rows(const QString &sql)
{
    QStringList rows;
    PGresult *result = PQexec(m_other, sql.toUtf8().constData());
    EXPECT_EQ(PQresultStatus(result), PGRES_TUPLES_OK) << sql.toStdString() << ": " << PQresultErrorMessage(result);
    for (int row = 0; row < PQntuples(result); ++row) {
        QStringList values;
        for (int column = 0; column < PQnfields(result); ++column) {
            values << (PQgetisnull(result, row, column) ? QStringLiteral("NULL")
                                                        : QString::fromUtf8(PQgetvalue(result, row, column)));
        }
        rows << values.join(u'|');
    }
    PQclear(result);
    return rows;
}
