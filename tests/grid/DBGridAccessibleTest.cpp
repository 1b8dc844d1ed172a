#include "DirectoryRows.h"
#include "support/AccessibleEventLog.h"
#include "support/Input.h"
#include "support/QtPrinters.h"

#include "toolkit/controls/DBNavigator.h"
#include "toolkit/controls/NavButton.h"
#include "toolkit/db/DataSource.h"
#include "toolkit/db/MemoryDataSet.h"
#include "toolkit/grid/DBGrid.h"
#include "toolkit/grid/DBGridPainter.h"

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <gtest/gtest.h>

namespace {

constexpr int kColumnWidth = 80;

// The grid as a reader meets it: shown in the active window, every event
// it sends recorded.
class DBGridAccessibleTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        for (const QString &name : kFieldNames)
            grid.Columns().Add(name, kColumnWidth)->SetTitleCaption(name);
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
        for (const TAccessibleEventLog::TEntry &event : recorder.Of(QAccessible::Focus))
            if (event.role == QAccessible::Cell)
                cells << QStringLiteral("%1,%2:%3").arg(event.row).arg(event.column).arg(event.name);
        recorder.Clear();
        return cells;
    }

    // Grid client point in the middle of a data cell in view.
    QPoint CellCentre(int viewRow, int dataCol)
    {
        const int gridCol = dataCol + (grid.IndicatorShown() ? 1 : 0);
        return grid.CellRect(gridCol, grid.FixedRows() + viewRow).ToQRect().center();
    }

    TAccessibleEventLog recorder;
    TMemoryDataSet data;
    TDataSource source;
    TDBGrid grid;
};

} // namespace

TEST_F(DBGridAccessibleTest, aTableOfEveryRecordTitledByTheColumnsReadAsShown)
{
    Open(1000);
    ASSERT_NE(Table(), nullptr);
    EXPECT_EQ(Grid()->role(), QAccessible::Table);
    EXPECT_EQ(Table()->rowCount(), 1000) << "all records, not the rows in view";
    EXPECT_EQ(Table()->columnCount(), 7);
    EXPECT_EQ(Table()->columnDescription(1), "Фамилия");

    QAccessibleInterface *far = Table()->cellAt(999, 1);
    ASSERT_NE(far, nullptr);
    EXPECT_EQ(far->text(QAccessible::Name), "Фамилия 1000");
    EXPECT_TRUE(far->state().offscreen);
    EXPECT_FALSE(Table()->cellAt(0, 0)->state().offscreen);
    EXPECT_EQ(Table()->cellAt(0, 4)->text(QAccessible::Name), "") << "a NULL shows as nothing";
    EXPECT_EQ(Table()->cellAt(1000, 0), nullptr);
    const QList<QAccessibleInterface *> titles = far->tableCellInterface()->columnHeaderCells();
    ASSERT_EQ(titles.size(), 1);
    EXPECT_EQ(titles[0]->role(), QAccessible::ColumnHeader);
    EXPECT_EQ(titles[0]->text(QAccessible::Name), "Фамилия");

    // Children: the title row, then the records row by row.
    EXPECT_EQ(Grid()->childCount(), 1001 * 7);
    EXPECT_EQ(Grid()->child(7 + 1), Table()->cellAt(0, 1));
    EXPECT_EQ(Grid()->indexOfChild(Table()->cellAt(5, 3)), 6 * 7 + 3);
    const QPoint centre = grid.mapToGlobal(CellCentre(2, 1) + QPoint(kGridBorderWidth, kGridBorderWidth));
    EXPECT_EQ(Grid()->childAt(centre.x(), centre.y()), Table()->cellAt(2, 1));

    // A cell keeps its place and reads whatever row is there now.
    QAccessibleInterface *first = Table()->cellAt(0, 1);
    Key(Qt::Key_Insert);
    EXPECT_EQ(Table()->rowCount(), 1001) << "the new row is a row of the table";
    EXPECT_EQ(first->text(QAccessible::Name), "");
    Key(Qt::Key_Escape);
    EXPECT_EQ(first->text(QAccessible::Name), "Фамилия 1");
    data.Last();
    data.Delete();
    EXPECT_FALSE(far->isValid()) << "a cell of a row that went is no cell";
}

TEST_F(DBGridAccessibleTest, theCurrentCellIsTheFocusedAndSelectedOneAndTheEditorStandsForIt)
{
    Open(20);
    Key(Qt::Key_Down);
    Key(Qt::Key_Right);
    QAccessibleInterface *current = Table()->cellAt(1, 1);
    EXPECT_EQ(Grid()->focusChild(), current);
    EXPECT_TRUE(current->state().focused);
    EXPECT_TRUE(current->state().editable);
    EXPECT_FALSE(Table()->cellAt(1, 2)->state().selected);
    EXPECT_EQ(Table()->selectedCells(), QList<QAccessibleInterface *>{current});

    Key(Qt::Key_F2);
    EXPECT_EQ(Grid()->focusChild()->object(), grid.InplaceEditor());
    EXPECT_FALSE(current->state().focused);
    EXPECT_EQ(grid.InplaceEditor()->accessibleName(), "Фамилия, запись 2");
    Key(Qt::Key_Tab);
    EXPECT_EQ(grid.InplaceEditor()->accessibleName(), "Улица, запись 2");
    Key(Qt::Key_Escape);
    Key(Qt::Key_Insert);
    Key(Qt::Key_B, Qt::NoModifier, "Б");
    EXPECT_EQ(grid.InplaceEditor()->accessibleName(), "Улица, новая запись");
    Key(Qt::Key_Escape);
    Key(Qt::Key_Escape);

    Table()->cellAt(7, 2)->actionInterface()->doAction(QAccessibleActionInterface::setFocusAction());
    EXPECT_EQ(data.RecNo(), 8);
    EXPECT_EQ(grid.SelectedIndex(), 2);

    grid.SetOptions(grid.Options() | dgRowSelect);
    EXPECT_EQ(Table()->selectedRows(), QList<int>{7});
    EXPECT_EQ(Table()->selectedCellCount(), 7);
    EXPECT_TRUE(Table()->cellAt(7, 6)->state().readOnly);
    EXPECT_TRUE(Table()->selectRow(4));
    EXPECT_EQ(data.RecNo(), 5);
}

// Each move names the cell it ends on, once: a click that moves the row and
// then the column, a navigator's button, a reader's own action; the editor
// moving on with the focus is named too, typing is not.
TEST_F(DBGridAccessibleTest, everyMoveNamesTheCellItEndsOn)
{
    Open(1000);
    Key(Qt::Key_Down);
    EXPECT_EQ(FocusedCells(), QStringList{"1,0:100002"});
    Key(Qt::Key_Right);
    Key(Qt::Key_Home);
    Key(Qt::Key_Home);
    EXPECT_EQ(FocusedCells(), (QStringList{"1,1:Фамилия 2", "1,0:100002"})) << "a key that does not move names nothing";
    Key(Qt::Key_End, Qt::ControlModifier);
    EXPECT_EQ(FocusedCells(), QStringList{"999,0:101000"});
    Key(Qt::Key_Home, Qt::ControlModifier);
    FocusedCells();
    Key(Qt::Key_PageDown);
    EXPECT_EQ(FocusedCells(), QStringList{QStringLiteral("%1,0:%2").arg(data.RecNo() - 1).arg(100000 + data.RecNo())});

    const int top = grid.TopRow();
    const QPoint target = CellCentre(2, 2) + QPoint(kGridBorderWidth, kGridBorderWidth);
    SendMouse(&grid, QEvent::MouseButtonPress, target);
    SendMouse(&grid, QEvent::MouseButtonRelease, target);
    EXPECT_EQ(FocusedCells(), QStringList{QStringLiteral("%1,2:Ленина").arg(top + 2)});

    TDBNavigator navigator;
    navigator.SetDataSource(&source);
    navigator.resize(240, 25);
    Click(navigator.Button(nbFirst));
    EXPECT_EQ(FocusedCells(), QStringList{"0,2:Ленина"});
    Table()->cellAt(4, 1)->actionInterface()->doAction(QAccessibleActionInterface::setFocusAction());
    EXPECT_EQ(FocusedCells(), QStringList{"4,1:Фамилия 5"});

    Key(Qt::Key_F2);
    recorder.Clear();
    Key(Qt::Key_Tab);
    const std::vector<TAccessibleEventLog::TEntry> focus = recorder.Of(QAccessible::Focus);
    ASSERT_EQ(focus.size(), 1u);
    EXPECT_EQ(focus[0].object, grid.InplaceEditor());
    EXPECT_EQ(focus[0].name, "Улица, запись 5");
    recorder.Clear();
    Key(Qt::Key_A, Qt::NoModifier, "А");
    EXPECT_TRUE(recorder.Of(QAccessible::Focus).empty());
}

TEST_F(DBGridAccessibleTest, onlyTheActiveWindowSpeaksAndFocusComingBackNamesTheCell)
{
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
