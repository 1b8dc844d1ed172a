#pragma once

#include "ServerFixture.h"
#include "SqliteFixture.h"

#include "data/ADOConnection.h"
#include "data/ADOQuery.h"
#include "data/ADOTable.h"
#include "data/SqlDialect.h"
#include "forms/SearchStatement.h"
#include "toolkit/db/DataSource.h"
#include "toolkit/db/DatabaseError.h"

#include <QElapsedTimer>
#include <QThread>
#include <functional>
#include <gtest/gtest.h>
#include <memory>

// The directory of the given rows on either engine: in a file of a folder of
// its own, or copied to a database of its own on the test server; the
// program's connection to it with its table and query, and another
// program's connection.

// Rows that hold only their number, 1 to `count`, as the phone.
inline std::vector<TRecord> NumberedRows(int count)
{
    std::vector<TRecord> rows;
    for (int i = 1; i <= count; ++i)
        rows.push_back(Record({QString::number(i), "NULL", "NULL", "NULL", "NULL", "NULL", "NULL"}));
    return rows;
}

inline QStringList Column(TDataSet &set, const QString &field)
{
    QStringList values;
    for (int row = 0; row < set.DisplayRowCount(); ++row) {
        TDataSet::DisplayRowScope scope(set, row);
        values << set.FieldByName(field)->AsString();
    }
    return values;
}

// How long a server's notification may take to arrive, and how long the
// notifications of one burst of commits may trail each other.
inline constexpr int kNotificationWaitMs = 5000;
inline constexpr int kBurstMs = 150;
// Another program waits this long for a reader's lock, as it would with a
// busy timeout of its own.
inline constexpr int kOtherProgramsBusyTimeoutMs = 10000;

struct EngineDirectory {
    EngineDirectory(TSqlEngine engine, const std::vector<TRecord> &rows)
        : engine(engine)
    {
        fixture.CreateDirectory(rows);
        if (engine == TSqlEngine::Postgres) {
            server = std::make_unique<ServerFixture>(fixture);
            connection.SetServer(server->ConnectionString());
        } else {
            connection.SetConnectionString(fixture.ConnectionString());
            other = std::make_unique<SqliteFixture::OtherConnection>(fixture.Path());
            other->SetBusyTimeout(kOtherProgramsBusyTimeoutMs);
        }
        connection.SetBusyTimeout(50);
        table.SetConnection(&connection);
        table.SetTableName(QStringLiteral("Велирск"));
        query.SetConnection(&connection);
        source.SetDataSet(&table);
        table.Open();
    }
    QString Phone() const { return table.FieldByName(QStringLiteral("Телефон"))->AsString(); }
    QString Phones() { return Column(table, QStringLiteral("Телефон")).join(u','); }
    void Elsewhere(const QString &sql)
    {
        if (server)
            server->Execute(sql);
        else
            other->Execute(sql);
    }
    QStringList Rows(const QString &sql) { return server ? server->Rows(sql) : other->Rows(sql); }
    // One look, or on the server the looks until the notifications of the
    // last commits are in.
    bool Follow()
    {
        QElapsedTimer waited;
        waited.start();
        while (!connection.FollowOtherWriters()) {
            if (engine == TSqlEngine::Sqlite || waited.elapsed() > kNotificationWaitMs)
                return false;
            QThread::msleep(5);
        }
        if (engine == TSqlEngine::Postgres) {
            QThread::msleep(kBurstMs);
            connection.FollowOtherWriters();
        }
        return true;
    }
    // Whether a look finds nothing new, after time enough for a notification.
    bool NothingToFollow()
    {
        if (engine == TSqlEngine::Postgres)
            QThread::msleep(200);
        return !connection.FollowOtherWriters();
    }
    void Search(const QStringList &criteria)
    {
        query.SQL()->Clear();
        for (const QString &line : SearchStatement::Lines(criteria))
            query.SQL()->Add(line);
        query.Open();
    }

    TSqlEngine engine;
    SqliteFixture fixture;
    std::unique_ptr<ServerFixture> server;
    std::unique_ptr<SqliteFixture::OtherConnection> other;
    TADOConnection connection;
    TADOTable table;
    TADOQuery query;
    TDataSource source;
};

// The message of the database error `work` raises; empty when it raises none.
inline QString DatabaseErrorOf(const std::function<void()> &work)
{
    try {
        work();
    } catch (const EDatabaseError &error) {
        return error.Message();
    }
    return {};
}

// A case that runs on the file and on the test server (skipped when there
// is none); see INSTANTIATE_ENGINES.
class EngineTest : public ::testing::TestWithParam<TSqlEngine>
{
protected:
    void SetUp() override
    {
        if (GetParam() == TSqlEngine::Postgres && ServerFixture::TestServer().isEmpty())
            GTEST_SKIP() << "VELIRSK_TEST_SERVER names no test server";
    }
};

inline std::string EngineName(const ::testing::TestParamInfo<TSqlEngine> &engine)
{
    return engine.param == TSqlEngine::Sqlite ? "File" : "Server";
}

#define INSTANTIATE_ENGINES(suite)                                                                                     \
    INSTANTIATE_TEST_SUITE_P(Engines, suite, ::testing::Values(TSqlEngine::Sqlite, TSqlEngine::Postgres), EngineName)
