#include "support/AccessibilityRecorder.h"
#include "support/Input.h"
#include "support/QtPrinters.h"

#include "data/ADOConnection.h"
#include "data/ADOTable.h"
#include "toolkit/controls/DBNavigator.h"
#include "toolkit/controls/NavButton.h"
#include "toolkit/db/DataSource.h"
#include "toolkit/db/MemoryDataSet.h"
#include "toolkit/grid/DBGrid.h"
#include "toolkit/grid/DBGridPainter.h"

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sqlite3.h>

namespace {

const QStringList kFieldNames = {"Телефон", "Фамилия", "Улица", "Дом", "Корпус", "Квартира", "Организация"};
const std::vector<int> kWidths = {50, 140, 100, 28, 40, 52, 243};

std::vector<TRecord> DirectoryRows(int count)
{
    std::vector<TRecord> rows;
    for (int i = 1; i <= count; ++i)
        rows.push_back({QString::number(100000 + i), QString("Фамилия %1").arg(i), "Ленина", QString::number(i % 90),
                        {}, QString::number(i % 300), {}});
    return rows;
}

// The grid as a reader meets it: shown in the active window, with Qt's
// accessibility active and every event it sends recorded.
class DBGridAccessibleTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        for (int k = 0; k < kFieldNames.size(); ++k) {
            TColumn *column = grid.Columns().Add(kFieldNames[k], kWidths[k]);
            column->SetTitleCaption(kFieldNames[k]);
        }
        grid.resize(691, 321);
        source.SetDataSet(&data);
        grid.SetDataSource(&source);
    }

    void Open(int rows)
    {
        data.SetFieldNames(kFieldNames);
        data.SetRows(DirectoryRows(rows));
        data.Open();
        grid.show();
        QApplication::setActiveWindow(&grid);
        grid.setFocus();
        QApplication::processEvents();
        recorder.Clear();
    }

    QAccessibleInterface *Grid() { return QAccessible::queryAccessibleInterface(&grid); }
    QAccessibleTableInterface *Table() { return Grid()->tableInterface(); }

    void Key(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier, const QString &text = {})
    {
        PressKey(grid.InplaceEditor() ? grid.InplaceEditor() : &grid, key, modifiers, text);
    }

    // The focus events sent since the last look, each as "row,column:name".
    QStringList FocusedCells()
    {
        QStringList cells;
        for (const TAccessibilityRecorder::TEvent &event : recorder.Of(QAccessible::Focus))
            if (event.Role == QAccessible::Cell)
                cells << QStringLiteral("%1,%2:%3").arg(event.Row).arg(event.Column).arg(event.Name);
        recorder.Clear();
        return cells;
    }

    // Grid client point in the middle of a data cell in view.
    QPoint CellCentre(int viewRow, int dataCol)
    {
        const int gridCol = dataCol + (grid.IndicatorShown() ? 1 : 0);
        return grid.CellRect(gridCol, grid.FixedRows() + viewRow).ToQRect().center();
    }

    TAccessibilityRecorder recorder;
    TMemoryDataSet data;
    TDataSource source;
    TDBGrid grid;
};

} // namespace

TEST_F(DBGridAccessibleTest, aTableOfEveryRecordTitledByTheColumns)
{
    Open(1000);
    ASSERT_NE(Table(), nullptr);
    EXPECT_EQ(Grid()->role(), QAccessible::Table);
    EXPECT_EQ(Table()->rowCount(), 1000) << "all records, not the rows in view";
    EXPECT_EQ(Table()->columnCount(), 7);
    EXPECT_EQ(Table()->columnDescription(1), "Фамилия");

    QAccessibleInterface *far = Table()->cellAt(999, 1);
    ASSERT_NE(far, nullptr);
    EXPECT_EQ(far->role(), QAccessible::Cell);
    EXPECT_EQ(far->text(QAccessible::Name), "Фамилия 1000");
    EXPECT_TRUE(far->state().offscreen);
    EXPECT_EQ(far->parent(), Grid());
    EXPECT_EQ(far->tableCellInterface()->rowIndex(), 999);
    EXPECT_EQ(far->tableCellInterface()->columnIndex(), 1);
    EXPECT_EQ(Table()->cellAt(999, 1), far) << "a cell asked for again is the same object";

    EXPECT_EQ(Table()->cellAt(0, 4)->text(QAccessible::Name), "") << "a NULL shows as nothing";
    EXPECT_FALSE(Table()->cellAt(0, 0)->state().offscreen);
    EXPECT_EQ(Table()->cellAt(1000, 0), nullptr);
    EXPECT_EQ(Table()->cellAt(0, 7), nullptr);

    const QList<QAccessibleInterface *> titles = far->tableCellInterface()->columnHeaderCells();
    ASSERT_EQ(titles.size(), 1);
    EXPECT_EQ(titles[0]->role(), QAccessible::ColumnHeader);
    EXPECT_EQ(titles[0]->text(QAccessible::Name), "Фамилия");

    // Children: the title row, then the records row by row.
    EXPECT_EQ(Grid()->childCount(), 1001 * 7);
    EXPECT_EQ(Grid()->child(2)->text(QAccessible::Name), "Улица");
    EXPECT_EQ(Grid()->child(7 + 1), Table()->cellAt(0, 1));
    EXPECT_EQ(Grid()->indexOfChild(Table()->cellAt(5, 3)), 6 * 7 + 3);
    EXPECT_EQ(Grid()->indexOfChild(titles[0]), 1);
}

TEST_F(DBGridAccessibleTest, cellsFollowTheRowsAsTheGridShowsThem)
{
    Open(3);
    QAccessibleInterface *first = Table()->cellAt(0, 1);
    Key(Qt::Key_Insert);
    EXPECT_EQ(Table()->rowCount(), 4) << "the new row is a row of the table";
    EXPECT_EQ(first->text(QAccessible::Name), "") << "the place now holds the new row";
    EXPECT_EQ(Table()->cellAt(1, 1)->text(QAccessible::Name), "Фамилия 1");

    Key(Qt::Key_Escape);
    EXPECT_EQ(Table()->rowCount(), 3);
    EXPECT_EQ(first->text(QAccessible::Name), "Фамилия 1");
    EXPECT_FALSE(Table()->cellAt(2, 0)->state().invalid);
    QAccessibleInterface *last = Table()->cellAt(2, 0);
    data.Last();
    data.Delete();
    EXPECT_FALSE(last->isValid()) << "a cell of a row that went is no cell";
}

TEST_F(DBGridAccessibleTest, theCurrentCellIsTheFocusedAndSelectedOne)
{
    Open(20);
    Key(Qt::Key_Down);
    Key(Qt::Key_Right);
    QAccessibleInterface *current = Table()->cellAt(1, 1);
    EXPECT_EQ(Grid()->focusChild(), current);
    EXPECT_TRUE(current->state().focused);
    EXPECT_TRUE(current->state().selected);
    EXPECT_TRUE(current->state().editable);
    EXPECT_FALSE(Table()->cellAt(1, 2)->state().selected);
    EXPECT_EQ(Table()->selectedCells(), QList<QAccessibleInterface *>{current});
    EXPECT_TRUE(Table()->selectedRows().isEmpty());

    Key(Qt::Key_F2);
    EXPECT_EQ(Grid()->focusChild()->object(), grid.InplaceEditor()) << "the editor stands for the cell";
    EXPECT_FALSE(current->state().focused);
    Key(Qt::Key_Escape);

    grid.SetOptions(grid.Options() | dgRowSelect);
    EXPECT_EQ(Table()->selectedRows(), QList<int>{1});
    EXPECT_EQ(Table()->selectedCellCount(), 7);
    EXPECT_TRUE(Table()->cellAt(1, 6)->state().selected);
    EXPECT_TRUE(Table()->cellAt(1, 6)->state().readOnly);
    EXPECT_TRUE(Table()->selectRow(4));
    EXPECT_EQ(data.RecNo(), 5);

    QAccessibleActionInterface *action = Table()->cellAt(7, 2)->actionInterface();
    ASSERT_NE(action, nullptr);
    action->doAction(QAccessibleActionInterface::setFocusAction());
    EXPECT_EQ(data.RecNo(), 8);
    EXPECT_EQ(grid.SelectedIndex(), 2);
}

TEST_F(DBGridAccessibleTest, everyMoveByKeyOrMouseNamesTheCellItEndsOn)
{
    if (!recorder.Listening())
        GTEST_SKIP() << TAccessibilityRecorder::kNoReaderHere;
    Open(1000);
    Key(Qt::Key_Down);
    EXPECT_EQ(FocusedCells(), QStringList{"1,0:100002"});
    Key(Qt::Key_Right);
    EXPECT_EQ(FocusedCells(), QStringList{"1,1:Фамилия 2"});
    Key(Qt::Key_End, Qt::ControlModifier);
    EXPECT_EQ(FocusedCells(), QStringList{"999,1:Фамилия 1000"});
    Key(Qt::Key_Home, Qt::ControlModifier);
    FocusedCells();
    Key(Qt::Key_PageDown);
    ASSERT_GT(data.RecNo(), 2);
    EXPECT_EQ(FocusedCells(), QStringList{QStringLiteral("%1,1:Фамилия %2").arg(data.RecNo() - 1).arg(data.RecNo())});

    // A click that moves to another row and column names only where it ends.
    const int top = grid.TopRow();
    const QPoint target = CellCentre(2, 2) + QPoint(kGridBorderWidth, kGridBorderWidth);
    SendMouse(&grid, QEvent::MouseButtonPress, target);
    SendMouse(&grid, QEvent::MouseButtonRelease, target);
    EXPECT_EQ(FocusedCells(), QStringList{QStringLiteral("%1,2:Ленина").arg(top + 2)});

    Key(Qt::Key_Up);
    Key(Qt::Key_Down);
    EXPECT_EQ(FocusedCells().size(), 2) << "going back to a cell names it again";
    Key(Qt::Key_Left, Qt::NoModifier);
    Key(Qt::Key_Home);
    Key(Qt::Key_Home);
    EXPECT_EQ(FocusedCells().size(), 2) << "a key that does not move names nothing";
}

TEST_F(DBGridAccessibleTest, navigatorMovesNameTheCell)
{
    if (!recorder.Listening())
        GTEST_SKIP() << TAccessibilityRecorder::kNoReaderHere;
    Open(10);
    TDBNavigator navigator;
    navigator.SetDataSource(&source);
    navigator.resize(240, 25);
    Click(navigator.Button(nbNext));
    EXPECT_EQ(FocusedCells(), QStringList{"1,0:100002"});
    Click(navigator.Button(nbLast));
    EXPECT_EQ(FocusedCells(), QStringList{"9,0:100010"});

    Table()->cellAt(4, 2)->actionInterface()->doAction(QAccessibleActionInterface::setFocusAction());
    EXPECT_EQ(FocusedCells(), QStringList{"4,2:Ленина"});
}

TEST_F(DBGridAccessibleTest, onlyTheActiveWindowSpeaksAndFocusComingBackNamesTheCell)
{
    if (!recorder.Listening())
        GTEST_SKIP() << TAccessibilityRecorder::kNoReaderHere;
    Open(10);
    QWidget other;
    other.show();
    QApplication::setActiveWindow(&other);
    data.Next();
    data.Next();
    EXPECT_TRUE(FocusedCells().isEmpty()) << "a grid behind the window in use leaves the reader alone";

    QApplication::setActiveWindow(&grid);
    grid.setFocus();
    QApplication::processEvents();
    EXPECT_EQ(FocusedCells(), QStringList{"2,0:100003"});
}

TEST_F(DBGridAccessibleTest, theEditorIsNamedByItsColumnAndRecord)
{
    Open(5);
    Key(Qt::Key_Down);
    Key(Qt::Key_F2);
    ASSERT_NE(grid.InplaceEditor(), nullptr);
    EXPECT_EQ(grid.InplaceEditor()->accessibleName(), "Телефон, запись 2");
    Key(Qt::Key_Tab);
    EXPECT_EQ(grid.InplaceEditor()->accessibleName(), "Фамилия, запись 2");
    Key(Qt::Key_Escape);

    Key(Qt::Key_Insert);
    Key(Qt::Key_B, Qt::NoModifier, "Б");
    ASSERT_NE(grid.InplaceEditor(), nullptr);
    EXPECT_EQ(grid.InplaceEditor()->accessibleName(), "Фамилия, новая запись");
}

TEST_F(DBGridAccessibleTest, theEditorMovingOnIsAnnouncedAndTypingIsNot)
{
    if (!recorder.Listening())
        GTEST_SKIP() << TAccessibilityRecorder::kNoReaderHere;
    Open(5);
    Key(Qt::Key_F2);
    recorder.Clear();
    Key(Qt::Key_Tab);
    const auto focus = recorder.Of(QAccessible::Focus);
    ASSERT_EQ(focus.size(), 1u) << "the editor moved on, keeping Qt's focus";
    EXPECT_EQ(focus[0].Object, grid.InplaceEditor());
    EXPECT_EQ(focus[0].Name, "Фамилия, запись 1");

    recorder.Clear();
    Key(Qt::Key_A, Qt::NoModifier, "А");
    EXPECT_TRUE(recorder.Of(QAccessible::Focus).empty());
}

TEST_F(DBGridAccessibleTest, ctrlCCopiesTheCellAndCtrlShiftCTheRow)
{
    Open(5);
    QClipboard *clipboard = QGuiApplication::clipboard();
    clipboard->setText(QStringLiteral("проба"));
    if (clipboard->text() != QStringLiteral("проба"))
        GTEST_SKIP() << "no clipboard here";

    Key(Qt::Key_Down);
    Key(Qt::Key_Right);
    Key(Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(clipboard->text(), "Фамилия 2");
    Key(Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(clipboard->text(), "100002\tФамилия 2\tЛенина\t2\t\t2\t") << "NULLs copy as nothing";
    EXPECT_EQ(data.State(), dsBrowse) << "copying starts no edit";
    EXPECT_EQ(grid.InplaceEditor(), nullptr);

    Key(Qt::Key_F2);
    auto *editor = qobject_cast<QLineEdit *>(grid.InplaceEditor());
    ASSERT_NE(editor, nullptr);
    editor->setText(QStringLiteral("Соколов"));
    editor->setSelection(0, 3);
    Key(Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(clipboard->text(), "Сок") << "the editor copies its own selection";
    Key(Qt::Key_Escape);
    Key(Qt::Key_Escape);

    grid.SetOptions(grid.Options() | dgRowSelect);
    Key(Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(clipboard->text(), "100002\tФамилия 2\tЛенина\t2\t\t2\t") << "where rows are selected, the row";
}

namespace {

// The grid over a database file that another program changes.
class LiveGridAccessibleTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        Sql("CREATE TABLE \"Велирск\" (\"Телефон\" VARCHAR(10), \"Фамилия\" VARCHAR(50), \"Улица\" VARCHAR(50), "
            "\"Дом\" VARCHAR(10), \"Корпус\" VARCHAR(10), \"Квартира\" VARCHAR(10), \"Организация\" VARCHAR(100));"
            "INSERT INTO \"Велирск\" VALUES ('1001', 'Орлов', 'Садовая', '1', NULL, '10', NULL);"
            "INSERT INTO \"Велирск\" VALUES ('1002', 'Зайцев', 'Садовая', '2', NULL, '11', NULL);"
            "INSERT INTO \"Велирск\" VALUES ('1003', 'Лисин', 'Речная', '3', 'а', '12', NULL);");
        connection.SetConnectionString(
            QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=%1;Mode=Share Deny None")
                .arg(dir.filePath("velirsk.dat")));
        table.SetConnection(&connection);
        table.SetTableName(QStringLiteral("Велирск"));
        source.SetDataSet(&table);
        grid.SetDataSource(&source);
        grid.resize(691, 321);
        connection.Open();
        table.Open();
        grid.show();
        QApplication::setActiveWindow(&grid);
        grid.setFocus();
        QApplication::processEvents();
    }

    void Sql(const char *sql)
    {
        sqlite3 *db = nullptr;
        ASSERT_EQ(sqlite3_open(dir.filePath("velirsk.dat").toUtf8().constData(), &db), SQLITE_OK);
        ASSERT_EQ(sqlite3_exec(db, sql, nullptr, nullptr, nullptr), SQLITE_OK) << sqlite3_errmsg(db);
        sqlite3_close(db);
    }

    std::vector<TAccessibilityRecorder::TEvent> CellFocus()
    {
        const std::vector<TAccessibilityRecorder::TEvent> cells = recorder.Of(QAccessible::Focus);
        recorder.Clear();
        return cells;
    }

    TAccessibilityRecorder recorder;
    QTemporaryDir dir;
    TADOConnection connection;
    TADOTable table;
    TDataSource source;
    TDBGrid grid;
};

} // namespace

TEST_F(LiveGridAccessibleTest, anotherProgramsCommitNamesTheCellWhereItNowIs)
{
    if (!recorder.Listening())
        GTEST_SKIP() << TAccessibilityRecorder::kNoReaderHere;
    PressKey(&grid, Qt::Key_Down);
    PressKey(&grid, Qt::Key_Right);
    recorder.Clear();

    Sql("DELETE FROM \"Велирск\" WHERE \"Телефон\" = '1001'");
    table.FollowStore();
    EXPECT_EQ(recorder.Of(QAccessible::TableModelChanged).size(), 1u) << "the table is to be read again";
    auto moved = CellFocus();
    ASSERT_EQ(moved.size(), 1u) << "the row moved up";
    EXPECT_EQ(moved[0].Row, 0);
    EXPECT_EQ(moved[0].Name, "Зайцев");

    Sql("UPDATE \"Велирск\" SET \"Фамилия\" = 'Зайцева' WHERE \"Телефон\" = '1002'");
    table.FollowStore();
    auto changed = CellFocus();
    ASSERT_EQ(changed.size(), 1u) << "the cell's text changed";
    EXPECT_EQ(changed[0].Name, "Зайцева");

    Sql("UPDATE \"Велирск\" SET \"Улица\" = 'Луговая' WHERE \"Телефон\" = '1002'");
    table.FollowStore();
    EXPECT_TRUE(CellFocus().empty()) << "another cell of the row changed";
}
