#pragma once

#include "data/DamageCheck.h"

#include <QList>
#include <QObject>
#include <QString>
#include <QTimer>

#include <memory>

struct sqlite3;
class TCustomADODataSet;
class TStore;

// The connection to the directory's database: an SQLite file named by the
// connection string's "Data Source" entry, taken relative to the working
// directory (see TSqliteStore), or, when a server is set, the database of
// a PostgreSQL server (see TPostgresStore). A file's search is read on
// several threads side by side, its table's pages or ranges of its rows
// (TSqliteStore::SetRanges): "Search Threads" sets how many, "Search Threads
// From Rows" from what size of table. The other entries of the connection
// string are kept as data.
//
// Following other programs: while the connection is open, it looks a few
// times a second, from the event loop, whether another connection has
// committed (TStore::OthersCommitted, which waits for no lock), and then has
// every open data set on it follow the store (TDataSet::FollowStore). It
// does not look while a message box is up, since what the box asks about
// must stay as it was shown; a look whose following failed is made again.
//
// Damage: a file too big to be checked page by page while it opens is
// checked in the background once it is open. When that check or any read
// of a data set finds the file damaged, the connection is damaged for good:
// its data sets stay readable but can no longer be changed, so that nothing
// is written over the damage, and DamageFound says so once.
class TADOConnection : public QObject
{
    Q_OBJECT

public:
    static constexpr int kDefaultBusyTimeoutMs = 3000;
    static constexpr int kStoreCheckIntervalMs = 250;

    explicit TADOConnection(QObject *parent = nullptr);
    ~TADOConnection() override;

    QString ConnectionString() const { return m_connectionString; }
    // Closes the connection first when it is open.
    void SetConnectionString(const QString &connectionString);
    // A libpq connection string or URI; when set, it is opened instead of
    // the file. Closes the connection first when it is open.
    QString Server() const { return m_server; }
    void SetServer(const QString &connectionString);
    // Kept for the window layouts; the connection never asks for a login.
    bool LoginPrompt() const { return m_loginPrompt; }
    void SetLoginPrompt(bool loginPrompt) { m_loginPrompt = loginPrompt; }
    // How long a write waits for another program's lock.
    int BusyTimeout() const { return m_busyTimeoutMs; }
    void SetBusyTimeout(int milliseconds);

    // Raises EDatabaseError with a clear message when the data cannot be
    // reached; a file is then left exactly as it was.
    void Open();
    // Closes the data sets on this connection first.
    void Close();
    bool Connected() const { return m_store != nullptr; }

    // The store while connected.
    TStore &Store() const { return *m_store; }
    // The open SQLite file's absolute path and handle; empty and null otherwise.
    QString FileName() const { return m_fileName; }
    sqlite3 *Handle() const;

    // Looks once whether another connection committed since the last look,
    // and if so has the open data sets follow the store (a long query when
    // its run in the background is done). Returns whether it found a commit.
    bool FollowOtherWriters();
    // Commits made through this connection so far.
    int OwnCommits() const { return m_ownCommits; }

    // A read found the data damaged (the finding as a sentence).
    void ReportDamage(const QString &finding);
    bool Damaged() const { return !m_damage.isEmpty(); }
    // Why nothing can be changed, for the person; empty while not damaged.
    QString DamageNotice() const;

signals:
    // A data set could not follow the store; it shows what it showed
    // before, and the next look tries again.
    void FollowFailed(const QString &message);
    // The data was found damaged; `notice` is DamageNotice().
    void DamageFound(const QString &notice);

private:
    friend class TCustomADODataSet;
    void AddDataSet(TCustomADODataSet *dataSet);
    void RemoveDataSet(TCustomADODataSet *dataSet);
    // Data sets on one connection tell each other of the rows they delete,
    // so that a row deleted in the results window leaves the main grid.
    void RowDeleted(TCustomADODataSet *from, const QString &table, qint64 rowid);
    std::unique_ptr<TStore> OpenFile();
    std::unique_ptr<TStore> OpenServer();
    void CloseStore();
    void NoteOwnCommit() { ++m_ownCommits; }
    void ReportFollowFailure(const QString &message) { emit FollowFailed(message); }

    QString m_connectionString;
    QString m_server;
    QString m_fileName;
    std::unique_ptr<TStore> m_store;
    int m_busyTimeoutMs = kDefaultBusyTimeoutMs;
    bool m_loginPrompt = false;
    QList<TCustomADODataSet *> m_dataSets;
    QTimer m_storeCheck;
    int m_ownCommits = 0;
    bool m_following = false;
    bool m_followPending = false; // a commit was seen but not yet followed
    QString m_damage;             // what was found damaged, until closed
    TDamageCheck m_damageCheck;
};
