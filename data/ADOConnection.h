#pragma once

#include <QList>
#include <QObject>
#include <QString>
#include <QTimer>

#include <optional>

struct sqlite3;
class TCustomADODataSet;

// The connection to the directory's database: an SQLite file named by the
// connection string's "Data Source" entry, taken relative to the working
// directory. The file is opened read-write and never created; other
// processes may open it at the same time (its rollback journal is kept).
//
// On the connection: SQLite's reading of unknown double-quoted names as
// strings is off, LIKE is the case-insensitive one of CaseInsensitiveLike.h,
// and a busy timeout lets other processes' short locks pass.
// The other entries of the connection string are kept as data.
//
// Following other programs: while the connection is open, it looks a few
// times a second, from the event loop, whether another connection has
// committed to the file (the file's data version, a read of its header
// that waits for no lock), and then has every open data set on it follow
// the store (TDataSet::FollowStore). It does not look while a message box
// is up, since what the box asks about must stay as it was shown.
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
    // Kept for the window layouts; the connection never asks for a login.
    bool LoginPrompt() const { return m_loginPrompt; }
    void SetLoginPrompt(bool loginPrompt) { m_loginPrompt = loginPrompt; }
    int BusyTimeout() const { return m_busyTimeoutMs; }
    void SetBusyTimeout(int milliseconds);

    // Raises EDatabaseError with a clear message when the file is missing,
    // empty, not a database, truncated, damaged, read-only or locked; the
    // file is then left exactly as it was.
    void Open();
    // Closes the data sets on this connection first.
    void Close();
    bool Connected() const { return m_db != nullptr; }

    // The absolute path of the open file.
    QString FileName() const { return m_fileName; }
    sqlite3 *Handle() const { return m_db; }

    // Looks once whether another connection committed since the last look,
    // and if so has the open data sets follow the store (a long query when
    // its run in the background is done). Returns whether it found a commit.
    bool FollowOtherWriters();
    // Commits made through this connection so far.
    int OwnCommits() const { return m_ownCommits; }

signals:
    // A data set could not follow the store; it shows what it showed
    // before, and the next look tries again.
    void FollowFailed(const QString &message);

private:
    friend class TCustomADODataSet;
    void AddDataSet(TCustomADODataSet *dataSet);
    void RemoveDataSet(TCustomADODataSet *dataSet);
    // Data sets on one connection tell each other of the rows they delete,
    // so that a row deleted in the results window leaves the main grid.
    void RowDeleted(TCustomADODataSet *from, const QString &table, qint64 rowid);
    void CloseHandle();
    void NoteOwnCommit() { ++m_ownCommits; }
    void ReportFollowFailure(const QString &message) { emit FollowFailed(message); }
    // The file's data version, or nothing when the file is locked right now.
    std::optional<qint64> DataVersion();

    QString m_connectionString;
    QString m_fileName;
    sqlite3 *m_db = nullptr;
    int m_busyTimeoutMs = kDefaultBusyTimeoutMs;
    bool m_loginPrompt = false;
    QList<TCustomADODataSet *> m_dataSets;
    QTimer m_storeCheck;
    qint64 m_dataVersion = 0;
    int m_ownCommits = 0;
};
