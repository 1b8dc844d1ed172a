#include "components/GlyphNavigator.h"
#include "data/DirectoryData.h"
#include "forms/DirectoryView.h"
#include "forms/SearchStatement.h"
#include "forms/Unit2.h"
#include "toolkit/app/MessageBox.h"
#include "toolkit/controls/NavButton.h"

#include "support/QtPrinters.h"
#include <QDir>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>
#include <sqlite3.h>

namespace {

// A directory file of a few rows in a folder of its own, opened the way the
// main window opens it (from the working directory).
class ResultsWindowTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        m_oldDir = QDir::currentPath();
        Execute("CREATE TABLE Велирск (Телефон TEXT, Фамилия TEXT, Улица TEXT, Дом TEXT, Корпус TEXT, "
                "Квартира TEXT, Организация TEXT);"
                "INSERT INTO Велирск VALUES ('2-11-01','Иванов','Ленина','1','','2','');"
                "INSERT INTO Велирск VALUES ('2-11-02','ИВАНОВА','Ленина','1','','10','');"
                "INSERT INTO Велирск VALUES ('2-11-03','иваненко','Мира','5','1','7','');"
                "INSERT INTO Велирск VALUES ('2-11-04','Петров','Мира','5','1','1',NULL);"
                "INSERT INTO Велирск VALUES ('2-11-05','Сидоров \"Кот\"','Мира','5','1','3','');");
        QDir::setCurrent(m_dir.path());
        m_data.Open();
        m_window.SetData(&m_data);
    }

    void TearDown() override { QDir::setCurrent(m_oldDir); }

    void Execute(const char *sql)
    {
        sqlite3 *db = nullptr;
        ASSERT_EQ(sqlite3_open(QDir(m_dir.path()).filePath("velirsk.dat").toUtf8().constData(), &db), SQLITE_OK);
        ASSERT_EQ(sqlite3_exec(db, sql, nullptr, nullptr, nullptr), SQLITE_OK) << sqlite3_errmsg(db);
        sqlite3_close(db);
    }

    void Search(const QStringList &criteria)
    {
        TSqlLines *sql = m_data.ADOQuery1->SQL();
        sql->Clear();
        for (const QString &line : SearchStatement::Lines(criteria))
            sql->Add(line);
        m_data.ADOQuery1->Open();
    }

    QStringList Column(const QString &field)
    {
        QStringList values;
        TDataSet *query = m_data.ADOQuery1;
        for (query->First(); !query->Eof(); query->Next())
            values << query->FieldByName(field)->AsString();
        query->First();
        return values;
    }

    bool Enabled(TNavigateBtn button) const { return m_window.GlyphNavigator1->Button(button)->isEnabled(); }

    QTemporaryDir m_dir;
    QString m_oldDir;
    TDirectoryData m_data;
    TForm2 m_window;
};

} // namespace

TEST_F(ResultsWindowTest, matchesArePrefixesOfAnyCaseOrderedByApartmentAsText)
{
    Search({"", "иван", "", "", "", "", ""});
    EXPECT_EQ(Column(QStringLiteral("Фамилия")), QStringList({"ИВАНОВА", "Иванов", "иваненко"}));
    EXPECT_EQ(Column(QStringLiteral("Квартира")), QStringList({"10", "2", "7"}));
}

TEST_F(ResultsWindowTest, emptyCriteriaImposeNothingEvenOnANullField)
{
    Search(QStringList(7, QString()));
    EXPECT_EQ(m_data.ADOQuery1->RecordCount(), 5);
    Search({"", "петров", "", "", "", "", ""});
    EXPECT_EQ(m_data.ADOQuery1->RecordCount(), 1);
    Search({"", "", "", "", "", "", "%"});
    EXPECT_EQ(m_data.ADOQuery1->RecordCount(), 4) << "a criterion typed never matches an empty field";
}

TEST_F(ResultsWindowTest, typedQuotesAndWildcardsSearchAsTyped)
{
    Search({"", "Сидоров \"К", "", "", "", "", ""});
    EXPECT_EQ(m_data.ADOQuery1->RecordCount(), 1);
    Search({"", "%ов", "", "", "", "", ""});
    EXPECT_EQ(m_data.ADOQuery1->RecordCount(), 4);
    Search({"", "'; DROP TABLE Велирск; --", "\\", "", "", "", QString(1000, QLatin1Char('x'))});
    EXPECT_EQ(m_data.ADOQuery1->RecordCount(), 0);
}

TEST_F(ResultsWindowTest, captionGivesTheCountWhenShownAndWhenAnotherProgramChangesTheRows)
{
    Search({"", "иван", "", "", "", "", ""});
    m_window.Show();
    const QString caption =
        QStringLiteral("Телефонный справочник г. Велирск | Результаты поиска | Найдена(о) 3 запись(ей)");
    EXPECT_EQ(m_window.Caption(), caption);
    EXPECT_FALSE(Enabled(nbFirst));
    EXPECT_FALSE(Enabled(nbPrior));
    EXPECT_TRUE(Enabled(nbNext));
    EXPECT_TRUE(Enabled(nbLast));

    // Deleting through the grid removes the row from the table; the caption
    // keeps its count.
    TMessageBoxHook confirm(IDOK);
    m_window.DBGrid1->setFocus();
    QTest::keyClick(m_window.DBGrid1, Qt::Key_Delete, Qt::ControlModifier);
    EXPECT_EQ(m_data.ADOQuery1->RecordCount(), 2);
    EXPECT_EQ(m_window.Caption(), caption);
    m_data.ADOTable1->Refresh();
    EXPECT_EQ(m_data.ADOTable1->RecordCount(), 4);

    Execute("INSERT INTO Велирск VALUES ('2-11-06','Иванченко','Мира','5','1','4','');"
            "INSERT INTO Велирск VALUES ('2-11-07','Ивашов','Мира','5','1','5','');");
    ASSERT_TRUE(m_data.ADOConnection1->FollowOtherWriters());
    EXPECT_EQ(m_window.Caption(),
              QStringLiteral("Телефонный справочник г. Велирск | Результаты поиска | Найдена(о) 3 запись(ей)"));
    m_window.Hide();
}

TEST_F(ResultsWindowTest, noMatchShowsZeroAndDisablesTheBar)
{
    Search({"нет такого", "", "", "", "", "", ""});
    m_window.Show();
    EXPECT_TRUE(m_window.Caption().endsWith(QStringLiteral("Найдена(о) 0 запись(ей)")));
    for (TNavigateBtn button : {nbFirst, nbPrior, nbNext, nbLast})
        EXPECT_FALSE(Enabled(button)) << button;
    m_window.Hide();
}

TEST_F(ResultsWindowTest, onlyTheFourMovingButtonsAreShownAndTheGridCannotEdit)
{
    for (int button = nbFirst; button <= nbRefresh; ++button)
        EXPECT_EQ(m_window.GlyphNavigator1->Button(TNavigateBtn(button))->isVisibleTo(m_window.GlyphNavigator1),
                  button <= nbLast)
            << button;
    EXPECT_FALSE(m_window.DBGrid1->Options().testFlag(dgEditing));
    EXPECT_TRUE(m_window.DBGrid1->Options().testFlag(dgRowSelect));
}

TEST_F(ResultsWindowTest, noMatchShowsOnlyTheTitles)
{
    Search({"нет такого", "", "", "", "", "", ""});
    m_window.Show();
    TDBGrid *grid = m_window.DBGrid1;
    const QImage image = grid->grab().toImage();
    // Below the titles the grid shows its background alone: no indicator
    // cell, no cell and no grid line of an empty row.
    const QRect client = grid->ClientRect();
    const int firstDataRowTop = client.top() + grid->RowHeights(0) + grid->GridLineWidth();
    const int rowBottom = firstDataRowTop + grid->RowHeights(1) + grid->GridLineWidth();
    const QRgb background = ToQColor(grid->Color()).rgb();
    for (int y = firstDataRowTop; y <= rowBottom; ++y)
        for (int x = client.left(); x < client.left() + 200; ++x)
            ASSERT_EQ(image.pixel(x, y), background) << x << "," << y;
    m_window.Hide();
}

TEST_F(ResultsWindowTest, gridHasTheKeyboardWhenShownAndAfterTheBarIsClicked)
{
    Search(QStringList(7, QString()));
    m_window.Show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&m_window));
    EXPECT_EQ(QApplication::focusWidget(), m_window.DBGrid1);
    QTest::mouseClick(m_window.GlyphNavigator1->Button(nbNext), Qt::LeftButton);
    EXPECT_EQ(QApplication::focusWidget(), m_window.DBGrid1);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
    EXPECT_EQ(m_data.ADOQuery1->RecNo(), 3);
    m_window.Hide();
}

TEST_F(ResultsWindowTest, deletingTheFirstRowLeavesFirstAndPriorDisabled)
{
    Search(QStringList(7, QString()));
    m_window.Show();
    TMessageBoxHook confirm(IDOK);
    QTest::keyClick(m_window.DBGrid1, Qt::Key_Delete, Qt::ControlModifier);
    ASSERT_EQ(m_data.ADOQuery1->RecNo(), 1);
    EXPECT_FALSE(Enabled(nbFirst));
    EXPECT_FALSE(Enabled(nbPrior));
    EXPECT_TRUE(Enabled(nbNext));
    QTest::keyClick(m_window.DBGrid1, Qt::Key_End, Qt::ControlModifier);
    EXPECT_FALSE(Enabled(nbNext));
    EXPECT_FALSE(Enabled(nbLast));
    m_window.Hide();
}
