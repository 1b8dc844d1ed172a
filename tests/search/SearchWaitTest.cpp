// A long search over a big directory: the program paints and runs its
// timers meanwhile, Escape or "Отмена" cancels it, and other input waits
// for nothing and changes nothing.

#include "components/FlatBtn.h"
#include "data/ADOQuery.h"
#include "data/DirectoryData.h"
#include "forms/FindForm.h"
#include "forms/Unit1.h"
#include "forms/Unit2.h"
#include "toolkit/app/Application.h"
#include "toolkit/app/MessageBox.h"

#include <QDialog>
#include <QDir>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <sqlite3.h>

namespace {

// Enough rows that sorting them all takes a good part of a second.
constexpr int kRows = 300000;
// How often the test looks whether the search is running.
constexpr int kLookMs = 2;
// No window may go unpainted for longer.
constexpr int kLongestStillMs = 100;

class SearchWaitTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        s_dir = new QTemporaryDir;
        sqlite3 *db = nullptr;
        ASSERT_EQ(sqlite3_open(QDir(s_dir->path()).filePath("velirsk.dat").toUtf8().constData(), &db), SQLITE_OK);
        const QByteArray fill =
            QStringLiteral(
                "CREATE TABLE Велирск (Телефон TEXT, Фамилия TEXT, Улица TEXT, Дом TEXT, Корпус TEXT, Квартира TEXT, "
                "Организация TEXT);"
                "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < %1) "
                "INSERT INTO Велирск SELECT printf('2-%06d', i), 'Фамилия' || (i % 1000), 'Улица' || (i % 300), "
                "i % 50, '', (i * 7919) % 1000, '' FROM n;")
                .arg(kRows)
                .toUtf8();
        ASSERT_EQ(sqlite3_exec(db, fill.constData(), nullptr, nullptr, nullptr), SQLITE_OK);
        sqlite3_close(db);
    }

    static void TearDownTestSuite()
    {
        delete s_dir;
        s_dir = nullptr;
    }

    void SetUp() override
    {
        m_oldDir = QDir::currentPath();
        QDir::setCurrent(s_dir->path());
        Application->Restart();
        Application->CreateForm<TForm1>();
        m_dialog = Application->CreateForm<TFindDialog>();
        m_results = Application->CreateForm<TForm2>();
        QObject::connect(m_results, &TForm::Shown, m_results, [this] {
            ++m_shows;
            QTimer::singleShot(0, m_results, [this] { m_results->Close(); });
        });
    }

    void TearDown() override
    {
        Application->Restart();
        QDir::setCurrent(m_oldDir);
    }

    bool SearchRunning() const { return !m_dialog->FindButton->isEnabled(); }

    // Runs `action` once, from the event loop, while the search runs;
    // false when the search was over before it could.
    bool SearchWith(const std::function<void()> &action)
    {
        bool acted = false;
        QTimer look;
        look.setInterval(kLookMs);
        QObject::connect(&look, &QTimer::timeout, [&] {
            if (!acted && SearchRunning()) {
                acted = true;
                action();
            }
        });
        look.start();
        m_dialog->FindButton->Click();
        return acted;
    }

    TADOQuery *SearchQuery() const { return qobject_cast<TForm1 *>(Application->MainForm())->Data->ADOQuery1; }

    static QTemporaryDir *s_dir;
    QString m_oldDir;
    TFindDialog *m_dialog = nullptr;
    TForm2 *m_results = nullptr;
    int m_shows = 0;
};

QTemporaryDir *SearchWaitTest::s_dir = nullptr;

// Counts paints of a window while the search runs.
class TPaintCounter : public QObject
{
public:
    explicit TPaintCounter(std::function<bool()> counting)
        : m_counting(std::move(counting))
    { }
    int paints = 0;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && m_counting())
            ++paints;
        return false;
    }

private:
    std::function<bool()> m_counting;
};

} // namespace

TEST_F(SearchWaitTest, timersAndPaintsGoOnWhileTheSearchRuns)
{
    TMessageBoxHook box(IDOK);
    m_dialog->Show();
    TPaintCounter counter([this] { return SearchRunning(); });
    m_dialog->installEventFilter(&counter);
    int ticks = 0;
    qint64 longestStillMs = 0;
    QElapsedTimer sinceTick;
    QTimer tick;
    tick.setInterval(kLookMs);
    QObject::connect(&tick, &QTimer::timeout, [&] {
        if (!SearchRunning()) {
            sinceTick.invalidate();
            return;
        }
        if (sinceTick.isValid())
            longestStillMs = std::max(longestStillMs, sinceTick.elapsed());
        sinceTick.start();
        ++ticks;
        m_dialog->update();
    });
    tick.start();
    m_dialog->FindButton->Click();

    EXPECT_EQ(box.Count(), 0);
    EXPECT_EQ(m_shows, 1);
    EXPECT_EQ(SearchQuery()->RecordCount(), kRows);
    EXPECT_GT(ticks, 1);
    EXPECT_GT(counter.paints, 0);
    EXPECT_LT(longestStillMs, kLongestStillMs);
}

TEST_F(SearchWaitTest, escapeOrCancelStopsTheSearchAndKeepsTheDialogAsItWas)
{
    const std::vector<std::pair<const char *, std::function<void()>>> cancels{
        {"Escape", [this] { QTest::keyClick(m_dialog->StreetEdit, Qt::Key_Escape); }},
        {"Отмена", [this] { QTest::mouseClick(m_dialog->CancelButton, Qt::LeftButton); }},
    };
    for (const auto &[how, cancel] : cancels) {
        TMessageBoxHook box(IDOK);
        m_dialog->Show();
        m_dialog->StreetEdit->setText(QStringLiteral("улица"));
        m_dialog->FindButton->setFocus();
        ASSERT_TRUE(SearchWith(cancel)) << how << ": the search was over too soon";
        EXPECT_EQ(m_dialog->focusWidget(), m_dialog->FindButton) << how;
        EXPECT_EQ(box.Count(), 0) << how;
        EXPECT_EQ(m_shows, 0) << how;
        EXPECT_TRUE(m_dialog->isVisible()) << how;
        EXPECT_TRUE(m_dialog->FindButton->isEnabled()) << how;
        EXPECT_EQ(m_dialog->Criteria(), (QStringList{"", "", "улица", "", "", "", ""})) << how;
        EXPECT_FALSE(SearchQuery()->Active()) << how;
    }
    // Nothing is left that keeps the next search from running.
    m_dialog->FindButton->Click();
    EXPECT_EQ(m_shows, 1);
    EXPECT_EQ(SearchQuery()->RecordCount(), kRows);
}

TEST_F(SearchWaitTest, otherInputDuringTheSearchStartsNothingAndChangesNothing)
{
    TMessageBoxHook box(IDOK);
    m_dialog->Show();
    m_dialog->FamilyEdit->setText(QStringLiteral("Фам"));
    ASSERT_TRUE(SearchWith([this] {
        QTest::keyClicks(m_dialog->FamilyEdit, QStringLiteral("x"));
        QTest::keyClick(m_dialog->FamilyEdit, Qt::Key_Return);
        QTest::mouseClick(m_dialog->FindButton, Qt::LeftButton);
    })) << "the search was over too soon";
    EXPECT_EQ(box.Count(), 0);
    EXPECT_EQ(m_shows, 1);
    EXPECT_EQ(m_dialog->FamilyEdit->text(), QStringLiteral("Фам"));
    EXPECT_EQ(SearchQuery()->RecordCount(), kRows);
}

// A window that comes up modal meanwhile (a message) takes its input as
// usual; its Escape is its own and leaves the search running.
TEST_F(SearchWaitTest, aModalWindowOpenedDuringTheSearchHasItsInput)
{
    TMessageBoxHook box(IDOK);
    m_dialog->Show();
    QString typed;
    ASSERT_TRUE(SearchWith([&typed] {
        QDialog message;
        auto *edit = new QLineEdit(&message);
        QTimer::singleShot(0, &message, [&] {
            QTest::keyClicks(edit, QStringLiteral("ok"));
            QTest::keyClick(edit, Qt::Key_Escape);
        });
        message.exec();
        typed = edit->text();
    })) << "the search was over too soon";
    EXPECT_EQ(typed, QStringLiteral("ok"));
    EXPECT_EQ(m_shows, 1);
    EXPECT_EQ(box.Count(), 0);
}
