#pragma once

#include "toolkit/db/Field.h"

#include <QString>
#include <QStringList>
#include <vector>

struct pg_conn;
class SqliteFixture;

// A database of its own on the test server (VELIRSK_TEST_SERVER, which the
// test script starts), holding the directory table as transfer_directory
// makes it from a file of the given rows; dropped again at the end.
class ServerFixture
{
public:
    // The test server's connection string; empty when there is none.
    static QString TestServer();

    // Copies the directory of `file`'s velirsk.dat to a new database.
    explicit ServerFixture(const SqliteFixture &file);
    ~ServerFixture();
    ServerFixture(const ServerFixture &) = delete;
    ServerFixture &operator=(const ServerFixture &) = delete;

    // Whether the database was made; a test fails otherwise.
    bool Ready() const { return m_ready; }
    QString ConnectionString() const;
    // As another program would, through a connection of its own.
    void Execute(const QString &sql);
    // The rows of a query, each row's values joined with "|" ("NULL" for NULL).
    QStringList Rows(const QString &sql);

private:
    QString m_database;
    pg_conn *m_other = nullptr;
    bool m_ready = false;
};
