#include "components/FlatBtn.h"
#include "data/ADOQuery.h"
#include "data/DirectoryData.h"
#include "forms/FindForm.h"
#include "forms/Unit1.h"
#include "forms/Unit2.h"
#include "toolkit/app/Application.h"
#include "toolkit/app/MessageBox.h"
#include "toolkit/grid/DBGrid.h"

#include <QClipboard>
#include <QDir>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>
#include <sqlite3.h>

namespace {

// The program's three windows over a small directory file, created the way
// start-up creates them.
class SearchRunTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        sqlite3 *db = nullptr;
        ASSERT_EQ(sqlite3_open(QDir(m_dir.path()).filePath("velirsk.dat").toUtf8().constData(), &db), SQLITE_OK);
        ASSERT_EQ(sqlite3_exec(db,
                               "CREATE TABLE Велирск (Телефон TEXT, Фамилия TEXT, Улица TEXT, Дом TEXT, "
                               "Корпус TEXT, Квартира TEXT, Организация TEXT);"
                               "INSERT INTO Велирск VALUES ('2-11-01','Иванов','Ленина','1','','2','');",
                               nullptr, nullptr, nullptr),
                  SQLITE_OK);
        sqlite3_close(db);
        m_oldDir = QDir::currentPath();
        QDir::setCurrent(m_dir.path());
        Application->Restart();
        Application->CreateForm<TForm1>();
        m_dialog = Application->CreateForm<TFindDialog>();
        m_results = Application->CreateForm<TForm2>();
    }

    // Counts the showings of the results window, each closed as soon as it is up.
    void CloseResultsWhenShown(int &shows)
    {
        QObject::connect(m_results, &TForm::Shown, m_results, [this, &shows] {
            ++shows;
            QTimer::singleShot(0, m_results, [this] { m_results->Close(); });
        });
    }

    TADOQuery *SearchQuery() const { return qobject_cast<TForm1 *>(Application->MainForm())->Data->ADOQuery1; }

    void TearDown() override
    {
        Application->Restart();
        QDir::setCurrent(m_oldDir);
    }

    QTemporaryDir m_dir;
    QString m_oldDir;
    TFindDialog *m_dialog = nullptr;
    TForm2 *m_results = nullptr;
};

// Keys typed while the search runs wait in the queue and reach the dialog
// when the search lets the screen repaint; they must not start a search of
// their own, nor show the results a second time.
TEST_F(SearchRunTest, aSecondEnterDuringARunningSearchStartsNoOtherSearch)
{
    int shows = 0;
    CloseResultsWhenShown(shows);
    m_dialog->Show();
    m_dialog->PhoneEdit->setFocus();
    QCoreApplication::postEvent(m_dialog->PhoneEdit,
                                new QKeyEvent(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r")));
    m_dialog->FindButton->Click();
    QCoreApplication::processEvents();
    EXPECT_EQ(shows, 1);
    EXPECT_FALSE(m_dialog->isVisible());
    EXPECT_TRUE(m_dialog->FindButton->isEnabled());
}

// A search that fails (another program holds the file) shows its message;
// the criteria are still there when the dialog comes back, and go as usual
// after a search that ran.
TEST_F(SearchRunTest, aFailedSearchKeepsWhatWasTyped)
{
    auto *mainWindow = qobject_cast<TForm1 *>(Application->MainForm());
    mainWindow->Data->ADOConnection1->SetBusyTimeout(50);
    sqlite3 *other = nullptr;
    ASSERT_EQ(sqlite3_open(QDir(m_dir.path()).filePath("velirsk.dat").toUtf8().constData(), &other), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(other, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr), SQLITE_OK);
    TMessageBoxHook box(IDOK);
    m_dialog->Show();
    m_dialog->FamilyEdit->setText(QStringLiteral("Иван"));
    m_dialog->FindButton->Click();
    EXPECT_EQ(box.Count(), 1);
    EXPECT_FALSE(m_results->isVisible());
    m_dialog->Show();
    EXPECT_EQ(m_dialog->FamilyEdit->text(), QStringLiteral("Иван"));

    sqlite3_exec(other, "ROLLBACK", nullptr, nullptr, nullptr);
    sqlite3_close(other);
    // Escape ends the modal window; should it not, the window is closed
    // after a while so that the test fails rather than waits.
    constexpr int kEscapeWaitMs = 3000;
    bool closedByEscape = true;
    QTimer escape;
    escape.setSingleShot(true);
    QObject::connect(&escape, &QTimer::timeout, [this] { QTest::keyClick(m_results->DBGrid1, Qt::Key_Escape); });
    QTimer giveUp;
    giveUp.setSingleShot(true);
    QObject::connect(&giveUp, &QTimer::timeout, [this, &closedByEscape] {
        if (m_results->isVisible()) {
            closedByEscape = false;
            m_results->Close();
        }
    });
    QObject::connect(m_results, &TForm::Shown, &escape, [&] {
        escape.start(0);
        giveUp.start(kEscapeWaitMs);
    });
    m_dialog->FindButton->Click();
    EXPECT_TRUE(closedByEscape) << "Escape closes the results window";
    m_dialog->Show();
    EXPECT_TRUE(m_dialog->FamilyEdit->text().isEmpty());
    EXPECT_EQ(box.Count(), 1);
}

// A criterion is searched as long as it was pasted: forty thousand letters
// find no surname that is only their first part.
TEST_F(SearchRunTest, aLongPastedCriterionIsSearchedWhole)
{
    constexpr int kStoredLength = 32767;
    constexpr int kPastedLength = 40001;
    sqlite3 *db = nullptr;
    ASSERT_EQ(sqlite3_open(QDir(m_dir.path()).filePath("velirsk.dat").toUtf8().constData(), &db), SQLITE_OK);
    const QByteArray update =
        QStringLiteral("UPDATE Велирск SET Фамилия = '%1';").arg(QString(kStoredLength, QChar(u'ж'))).toUtf8();
    ASSERT_EQ(sqlite3_exec(db, update.constData(), nullptr, nullptr, nullptr), SQLITE_OK);
    sqlite3_close(db);
    int shows = 0;
    CloseResultsWhenShown(shows);
    m_dialog->Show();
    QApplication::clipboard()->setText(QString(kPastedLength, QChar(u'ж')));
    m_dialog->FamilyEdit->paste();
    EXPECT_EQ(m_dialog->FamilyEdit->text().size(), kPastedLength);
    m_dialog->FindButton->Click();
    EXPECT_EQ(shows, 1);
    EXPECT_EQ(SearchQuery()->RecordCount(), 0);
}

// A NUL character cannot be searched for: the search is refused before it
// runs, naming the condition, and the dialog stays with every criterion as
// typed and the cursor in front of the character, where Delete removes it.
TEST_F(SearchRunTest, aNulCharacterIsRefusedBeforeTheSearchRunsAndKeepsTheDialog)
{
    const QString surname = QStringLiteral("Ив") + QChar(u'\0') + QStringLiteral("ан");
    TMessageBoxHook box(IDOK);
    int shows = 0;
    CloseResultsWhenShown(shows);
    m_dialog->Show();
    m_dialog->PhoneEdit->setText(QStringLiteral("2-11"));
    m_dialog->FamilyEdit->setText(surname);
    m_dialog->FindButton->Click();
    ASSERT_EQ(box.Count(), 1);
    EXPECT_TRUE(box.Requests()[0].text.contains(QStringLiteral("«по фамилии»")))
        << box.Requests()[0].text.toStdString();
    EXPECT_EQ(shows, 0);
    EXPECT_TRUE(m_dialog->isVisible());
    EXPECT_TRUE(m_dialog->FindButton->isEnabled());
    EXPECT_EQ(m_dialog->Criteria().mid(0, 2), (QStringList{QStringLiteral("2-11"), surname}));
    EXPECT_EQ(m_dialog->FamilyEdit->cursorPosition(), 2);

    QTest::keyClick(m_dialog->FamilyEdit, Qt::Key_Delete);
    m_dialog->FindButton->Click();
    EXPECT_EQ(box.Count(), 1);
    EXPECT_EQ(shows, 1);
    EXPECT_EQ(SearchQuery()->RecordCount(), 1);
}

} // namespace
