#include "support/Input.h"

#include "data/ADOConnection.h"
#include "data/ADOTable.h"
#include "toolkit/app/MessageBox.h"
#include "toolkit/db/DataSource.h"
#include "toolkit/grid/DBGrid.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <atomic>
#include <chrono>
#include <map>
#include <thread>

namespace {

// More rows than the grid lists at once, so that the last ones are listed
// only when they are reached.
constexpr int kRows = 40000;
constexpr int kLockTimeoutMs = 1000;
// A paint that takes longer than this froze the window.
constexpr qint64 kLongestPaintMs = 300;
// Bounds of the waits for what should happen within them.
constexpr int kSettleMs = 600;
constexpr int kRecoverMs = 4000;

// Another program's EXCLUSIVE lock on the file for a while, taken before
// the constructor returns.
class TForeignLock
{
public:
    TForeignLock(const QString &path, int holdMs)
        : m_thread([this, file = path.toUtf8(), holdMs] {
            sqlite3 *db = nullptr;
            sqlite3_open(file.constData(), &db);
            const bool locked = sqlite3_exec(db, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr) == SQLITE_OK;
            m_state = locked ? kHeld : kFailed;
            if (locked)
                std::this_thread::sleep_for(std::chrono::milliseconds(holdMs));
            sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr);
            sqlite3_close(db);
            m_state = kReleased;
        })
    {
        while (m_state == kTaking)
            std::this_thread::yield();
    }
    ~TForeignLock() { m_thread.join(); }

    bool Held() const { return m_state == kHeld; }

private:
    enum { kTaking, kHeld, kFailed, kReleased };
    std::atomic<int> m_state{kTaking};
    std::thread m_thread;
};

// The grid noting each paint: how long it took, and the texts of the cells
// it drew, by record number.
class TWatchedGrid : public TDBGrid
{
public:
    TWatchedGrid()
    {
        OnDrawColumnCell = [this](TDBGrid *, const TRect &rect, int dataCol, TColumn *column, TGridDrawState state) {
            const QString text = column && column->Field() ? column->Field()->DisplayText() : QString();
            LastPaintCells[column->Field()->DataSet()->RecNo()] << text;
            DefaultDrawColumnCell(rect, dataCol, column, state);
        };
    }

    int Paints = 0;
    qint64 LongestPaintMs = 0;
    std::map<int, QStringList> LastPaintCells;

protected:
    void paintEvent(QPaintEvent *event) override
    {
        LastPaintCells.clear();
        QElapsedTimer paint;
        paint.start();
        TDBGrid::paintEvent(event);
        LongestPaintMs = std::max(LongestPaintMs, paint.elapsed());
        ++Paints;
    }
};

class LockedFileGridTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        sqlite3 *db = nullptr;
        ASSERT_EQ(sqlite3_open(Path().toUtf8().constData(), &db), SQLITE_OK);
        const QByteArray fill =
            QStringLiteral(
                "CREATE TABLE \"Велирск\" (\"Телефон\" VARCHAR(10), \"Фамилия\" VARCHAR(50), \"Улица\" VARCHAR(50));"
                "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < %1) "
                "INSERT INTO \"Велирск\" SELECT i, 'Фамилия ' || i, 'Улица ' || i FROM n;")
                .arg(kRows)
                .toUtf8();
        ASSERT_EQ(sqlite3_exec(db, fill.constData(), nullptr, nullptr, nullptr), SQLITE_OK) << sqlite3_errmsg(db);
        sqlite3_close(db);

        connection.SetConnectionString(QStringLiteral("Data Source=%1").arg(Path()));
        connection.SetBusyTimeout(kLockTimeoutMs);
        table.SetConnection(&connection);
        table.SetTableName(QStringLiteral("Велирск"));
        source.SetDataSet(&table);
        grid.SetDataSource(&source);
        grid.resize(800, 320);
        connection.Open();
        table.Open();
        grid.show();
        ASSERT_TRUE(WaitForRowsInViewWhole());
    }

    QString Path() const { return dir.filePath("velirsk.dat"); }

    static void ProcessEventsFor(int milliseconds)
    {
        QElapsedTimer elapsed;
        elapsed.start();
        do
            QApplication::processEvents(QEventLoop::AllEvents, 10);
        while (elapsed.elapsed() < milliseconds);
    }

    // Every row in view was drawn, each with every cell's text.
    bool RowsInViewWhole() const
    {
        if (int(grid.LastPaintCells.size()) < grid.Geometry().WholeDataRows())
            return false;
        for (const auto &[recNo, texts] : grid.LastPaintCells) {
            if (recNo < 1 || texts.size() != table.FieldCount() || texts.contains(QString()))
                return false;
        }
        return true;
    }

    bool WaitForRowsInViewWhole()
    {
        QElapsedTimer elapsed;
        elapsed.start();
        while (!RowsInViewWhole() && elapsed.elapsed() < kRecoverMs)
            QApplication::processEvents(QEventLoop::AllEvents, 10);
        return RowsInViewWhole();
    }

    QTemporaryDir dir;
    TADOConnection connection;
    TADOTable table;
    TDataSource source;
    TWatchedGrid grid;
};

} // namespace

TEST_F(LockedFileGridTest, aPageDownDuringALongLockIsDrawnAtOnceAndItsRowsComeWholeAfterTheLock)
{
    const int page = grid.Geometry().WholeDataRows();
    {
        const TForeignLock lock(Path(), kLockTimeoutMs * 3 / 2);
        ASSERT_TRUE(lock.Held());
        grid.LongestPaintMs = 0;
        const int paintsBefore = grid.Paints;
        PressKey(&grid, Qt::Key_PageDown);
        ProcessEventsFor(kSettleMs);
        EXPECT_EQ(table.RecNo(), 1 + page);
        EXPECT_GT(grid.Paints, paintsBefore);
        EXPECT_LT(grid.LongestPaintMs, kLongestPaintMs);
        // No row of the new page is drawn from values the lock kept out.
        for (const auto &[recNo, texts] : grid.LastPaintCells)
            EXPECT_FALSE(texts.contains(QString())) << "record " << recNo;
    }
    EXPECT_TRUE(WaitForRowsInViewWhole());
    EXPECT_EQ(grid.LastPaintCells.begin()->first, 1 + page);
}

TEST_F(LockedFileGridTest, aMoveThatWaitsForALockKeepsTheWindowPaintingAndEndsInAnErrorWhereItWas)
{
    {
        const TForeignLock lock(Path(), kLockTimeoutMs * 2);
        ASSERT_TRUE(lock.Held());
        TMessageBoxHook hook(IDOK);
        grid.update();
        const int paintsBefore = grid.Paints;
        PressKey(&grid, Qt::Key_End, Qt::ControlModifier);
        EXPECT_GT(grid.Paints, paintsBefore);
        EXPECT_EQ(hook.Count(), 1);
        EXPECT_EQ(table.RecNo(), 1);
        EXPECT_EQ(grid.TopRow(), 0);
    }
    grid.LastPaintCells.clear();
    PressKey(&grid, Qt::Key_End, Qt::ControlModifier);
    EXPECT_EQ(table.RecNo(), kRows);
    EXPECT_TRUE(WaitForRowsInViewWhole());
    EXPECT_EQ(grid.LastPaintCells.rbegin()->first, kRows);
}

// Typing into a row the lock kept from being read begins no edit of NULLs:
// the lock is told and the row stays as it is; after the lock the same key
// edits the row with its values.
TEST_F(LockedFileGridTest, typingIntoARowNotYetReadWaitsForTheLockAndEditsNothingUnseen)
{
    const int page = grid.Geometry().WholeDataRows();
    {
        const TForeignLock lock(Path(), kLockTimeoutMs * 3);
        ASSERT_TRUE(lock.Held());
        // Two pages on, past the partly shown row read before the lock.
        PressKey(&grid, Qt::Key_PageDown);
        PressKey(&grid, Qt::Key_PageDown);
        ASSERT_EQ(table.RecNo(), 1 + 2 * page);
        TMessageBoxHook hook(IDOK);
        PressKey(&grid, Qt::Key_X, Qt::NoModifier, QStringLiteral("x"));
        ASSERT_EQ(hook.Count(), 1);
        EXPECT_TRUE(hook.Requests()[0].text.contains(QStringLiteral("занята")))
            << hook.Requests()[0].text.toStdString();
        EXPECT_EQ(table.State(), dsBrowse);
        EXPECT_FALSE(grid.EditorMode());
    }
    PressKey(&grid, Qt::Key_X, Qt::NoModifier, QStringLiteral("x"));
    ASSERT_EQ(table.State(), dsEdit);
    EXPECT_EQ(table.FieldByName(QStringLiteral("Улица"))->AsString(), QStringLiteral("Улица %1").arg(1 + 2 * page));
    PressKey(&grid, Qt::Key_Escape);
}
