#pragma once

#include "toolkit/db/Field.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <vector>

struct sqlite3;

// A folder of its own for each test, with helpers to make and inspect
// database files through a connection independent of the program's.
class SqliteFixture
{
public:
    SqliteFixture();

    QString Path(const QString &fileName = QStringLiteral("velirsk.dat")) const;
    // A connection string like the program's, naming `fileName` in this folder.
    QString ConnectionString(const QString &fileName = QStringLiteral("velirsk.dat")) const;
    // Creates the directory table with these rows (NULLs where a value is absent).
    void CreateDirectory(const std::vector<TRecord> &rows,
                         const QString &fileName = QStringLiteral("velirsk.dat")) const;
    void WriteFile(const QByteArray &bytes, const QString &fileName) const;
    QByteArray Checksum(const QString &fileName = QStringLiteral("velirsk.dat")) const;
    // The files of the folder, sorted.
    QStringList Files() const;

    // A second connection to a file of this folder, as another process would hold.
    class OtherConnection
    {
    public:
        explicit OtherConnection(const QString &path);
        ~OtherConnection();
        void Execute(const QString &sql);
        // Waits up to this long for the program's locks (by default not at all).
        void SetBusyTimeout(int milliseconds);
        // The rows of a query, each row's values joined with "|" ("NULL" for NULL).
        QStringList Rows(const QString &sql);

    private:
        sqlite3 *m_db = nullptr;
    };

private:
    QTemporaryDir m_dir;
};

// A directory record from seven texts; a "NULL" entry stands for NULL.
TRecord Record(const QStringList &values);
