#include "DirectoryRows.h"
#include "support/Input.h"

#include "components/GridRoutine.h"
#include "components/PairedBorderDrag.h"
#include "toolkit/app/MessageBox.h"
#include "toolkit/db/DataSource.h"
#include "toolkit/db/MemoryDataSet.h"
#include "toolkit/grid/DBGrid.h"
#include "toolkit/grid/DBGridPainter.h"

#include <QApplication>
#include <QLineEdit>
#include <QPaintEvent>
#include <QScopeGuard>
#include <QScrollBar>
#include <QTest>
#include <QVBoxLayout>
#include <gtest/gtest.h>

namespace {

const std::vector<int> kWidths = {50, 140, 100, 28, 40, 52, 243};
constexpr TColor kStripeColor = RGB(204, 204, 153);

// A memory data set that counts the rows it is asked for.
class TCountingDataSet : public TMemoryDataSet
{
public:
    mutable int Fetches = 0;

protected:
    const TRecord &InternalGetRecord(int index) const override
    {
        ++Fetches;
        return TMemoryDataSet::InternalGetRecord(index);
    }
};

class DBGridTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        for (int k = 0; k < kFieldNames.size(); ++k)
            grid.Columns().Add(kFieldNames[k], kWidths[k]);
        grid.resize(691, 321);
        source.SetDataSet(&data);
        grid.SetDataSource(&source);
    }

    void Open(int rows)
    {
        data.SetFieldNames(kFieldNames);
        data.SetRows(DirectoryRows(rows));
        data.Open();
    }

    QWidget *KeyTarget() { return grid.InplaceEditor() ? grid.InplaceEditor() : &grid; }

    void Key(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier, const QString &text = {})
    {
        PressKey(KeyTarget(), key, modifiers, text);
    }

    void Type(const QString &text)
    {
        for (QChar c : text)
            Key(c.unicode() < 128 ? int(c.toUpper().unicode()) : int(Qt::Key_unknown), Qt::NoModifier, QString(c));
    }

    // Mouse input at a point of the client area, inside the grid's border.
    static QPoint Local(QPoint client) { return client + QPoint(kGridBorderWidth, kGridBorderWidth); }

    void Mouse(QEvent::Type type, QPoint client, Qt::MouseButton button = Qt::LeftButton)
    {
        SendMouse(&grid, type, Local(client), button);
    }

    void Drag(QPoint from, QPoint to)
    {
        Mouse(QEvent::MouseButtonPress, from);
        MoveMouse(&grid, Local(to), Qt::LeftButton);
        Mouse(QEvent::MouseButtonRelease, to);
    }

    QImage Paint()
    {
        QImage image(grid.size(), QImage::Format_RGB32);
        grid.render(&image);
        return image;
    }

    TColor PixelAt(const QImage &image, int clientX, int clientY)
    {
        return FromQRgb(image.pixel(clientX + kGridBorderWidth, clientY + kGridBorderWidth));
    }

    QString Cell(int row, int field) { return data.Rows()[row][field].value_or("<null>"); }

    TCountingDataSet data;
    TDataSource source;
    TDBGrid grid;
};

} // namespace

TEST_F(DBGridTest, classicMetricsAtTheMainWindowSize)
{
    Open(3);
    EXPECT_EQ(grid.RowHeights(0), 17);
    EXPECT_EQ(grid.RowHeights(1), 17);
    EXPECT_EQ(grid.ColWidths(0), kIndicatorColumnWidth);
    EXPECT_EQ(grid.ClientWidth(), 691 - 2 * kGridBorderWidth - 16);
    EXPECT_EQ(grid.FixedCols(), 1);
    EXPECT_EQ(grid.FixedRows(), 1);
    EXPECT_EQ(grid.LeftCol(), 1);

    FitColumnWidth(grid, 6);
    EXPECT_EQ(grid.Columns()[6]->Width(), 242);
    EXPECT_EQ(grid.CellRect(7, 0).Right + 1, grid.ClientWidth());
    EXPECT_FALSE(grid.HorzScrollBar()->isVisible());

    grid.resize(400, 321);
    FitColumnWidth(grid, 6);
    EXPECT_EQ(grid.Columns()[6]->Width(), 1);
    grid.resize(691, 321);
    FitColumnWidth(grid, 6);
    EXPECT_EQ(grid.Columns()[6]->Width(), 242);
}

TEST_F(DBGridTest, keyboardMovesThroughRowsAndColumns)
{
    Open(100);
    const int page = grid.Geometry().WholeDataRows();
    ASSERT_EQ(page, 16);
    struct Step {
        int key;
        Qt::KeyboardModifiers modifiers;
        int recNo, topRow, selected;
    };
    const Step steps[] = {
        {Qt::Key_Up, {}, 1, 0, 0},
        {Qt::Key_Down, {}, 2, 0, 0},
        {Qt::Key_Down, {}, 3, 0, 0},
        {Qt::Key_PageDown, {}, 3 + page, page, 0},
        {Qt::Key_End, Qt::ControlModifier, 100, 100 - page, 0},
        {Qt::Key_PageUp, {}, 100 - page, 100 - 2 * page, 0},
        {Qt::Key_Home, Qt::ControlModifier, 1, 0, 0},
        {Qt::Key_PageDown, Qt::ControlModifier, 100, 100 - page, 0},
        {Qt::Key_PageUp, Qt::ControlModifier, 1, 0, 0},
        {Qt::Key_End, {}, 1, 0, 6},
        {Qt::Key_Left, {}, 1, 0, 5},
        {Qt::Key_Home, {}, 1, 0, 0},
        {Qt::Key_Right, {}, 1, 0, 1},
        {Qt::Key_Tab, {}, 1, 0, 2},
        {Qt::Key_Backtab, Qt::ShiftModifier, 1, 0, 1},
    };
    for (const Step &s : steps) {
        Key(s.key, s.modifiers);
        EXPECT_EQ(data.RecNo(), s.recNo) << s.key;
        EXPECT_EQ(grid.TopRow(), s.topRow) << s.key;
        EXPECT_EQ(grid.SelectedIndex(), s.selected) << s.key;
        EXPECT_EQ(grid.VertScrollBar()->value(), s.recNo - 1);
    }
    Key(Qt::Key_End);
    Key(Qt::Key_Tab);
    EXPECT_EQ(data.RecNo(), 2) << "tab past the last column goes to the next row";
    EXPECT_EQ(grid.SelectedIndex(), 0);

    grid.VertScrollBar()->setValue(49);
    EXPECT_EQ(data.RecNo(), 50);
    EXPECT_LE(grid.TopRow(), 49);
    EXPECT_GT(grid.TopRow() + page, 49);
}

TEST_F(DBGridTest, anEmptyDataSetIgnoresEveryKeyThatMovesToARow)
{
    Open(0);
    const std::pair<int, Qt::KeyboardModifiers> moves[] = {
        {Qt::Key_Up, Qt::NoModifier},
        {Qt::Key_PageUp, Qt::NoModifier},
        {Qt::Key_PageDown, Qt::NoModifier},
        {Qt::Key_PageUp, Qt::ControlModifier},
        {Qt::Key_PageDown, Qt::ControlModifier},
        {Qt::Key_Home, Qt::ControlModifier},
        {Qt::Key_End, Qt::ControlModifier},
    };
    for (const auto &[key, modifiers] : moves) {
        Key(key, modifiers);
        EXPECT_EQ(data.State(), dsBrowse) << key;
        EXPECT_TRUE(data.IsEmpty()) << key;
    }
}

TEST_F(DBGridTest, narrowGridScrollsByWholeColumns)
{
    Open(5);
    grid.show();
    grid.resize(400, 321);
    EXPECT_TRUE(grid.HorzScrollBar()->isVisible());
    EXPECT_EQ(grid.HorzScrollBar()->maximum(), 4) << "the last left column still shows the last column whole";
    Key(Qt::Key_End);
    EXPECT_EQ(grid.LeftCol(), 4);
    EXPECT_EQ(grid.HorzScrollBar()->value(), 4);
    EXPECT_TRUE(grid.CellRect(3, 0).IsEmpty()) << "scrolled out of view";
    Key(Qt::Key_Home);
    EXPECT_EQ(grid.LeftCol(), 1);
    grid.HorzScrollBar()->setValue(3);
    EXPECT_EQ(grid.LeftCol(), 3);
    EXPECT_EQ(grid.SelectedIndex(), 0) << "the scroll bar moves the view, not the current cell";

    grid.resize(900, 321);
    EXPECT_EQ(grid.LeftCol(), 1) << "room for every column brings the first back";
    EXPECT_FALSE(grid.HorzScrollBar()->isVisible());
}

TEST_F(DBGridTest, typingEditsTheCellEnterPostsEscapeCancels)
{
    Open(5);
    Key(Qt::Key_Right);
    Type("Ab");
    ASSERT_TRUE(grid.EditorMode());
    EXPECT_EQ(data.State(), dsEdit);
    EXPECT_EQ(static_cast<QLineEdit *>(grid.InplaceEditor())->text(), "Ab");
    Key(Qt::Key_Return);
    EXPECT_FALSE(grid.EditorMode());
    EXPECT_EQ(data.State(), dsBrowse);
    EXPECT_EQ(Cell(0, 1), "Ab");

    Type("Zz");
    Key(Qt::Key_Escape);
    EXPECT_EQ(data.State(), dsBrowse);
    EXPECT_FALSE(grid.EditorMode());
    EXPECT_EQ(Cell(0, 1), "Ab");

    Key(Qt::Key_F2);
    ASSERT_TRUE(grid.EditorMode());
    EXPECT_EQ(static_cast<QLineEdit *>(grid.InplaceEditor())->text(), "Ab");
    Key(Qt::Key_End, Qt::NoModifier);
    Type("c");
    Key(Qt::Key_Down);
    EXPECT_EQ(Cell(0, 1), "Abc") << "leaving the row posts";
    EXPECT_EQ(data.RecNo(), 2);

    Type("x");
    Key(Qt::Key_Tab);
    EXPECT_TRUE(grid.EditorMode()) << "the editor follows the current cell";
    EXPECT_EQ(data.State(), dsEdit);
    Type("y");
    Key(Qt::Key_Up);
    EXPECT_EQ(Cell(1, 1), "x");
    EXPECT_EQ(Cell(1, 2), "y");
}

TEST_F(DBGridTest, lettersHeldWithAltCtrlOrMetaLeaveTheCellAlone)
{
    Open(5);
    const QString before = Cell(0, 0);
    for (const Qt::KeyboardModifiers held :
         {Qt::KeyboardModifiers(Qt::AltModifier), Qt::AltModifier | Qt::ShiftModifier,
          Qt::KeyboardModifiers(Qt::ControlModifier), Qt::KeyboardModifiers(Qt::MetaModifier)}) {
        Key(Qt::Key_F, held, held & Qt::ShiftModifier ? "F" : "f");
        EXPECT_FALSE(grid.EditorMode()) << held;
        EXPECT_EQ(data.State(), dsBrowse) << held;
    }
    Key(Qt::Key_Down);
    EXPECT_EQ(Cell(0, 0), before) << "a mistyped accelerator is never posted";
}

TEST_F(DBGridTest, failedPostKeepsTheTypedText)
{
    Open(5);
    Type("New");
    data.FailNextWrite("locked");
    {
        TMessageBoxHook errorBox(IDOK);
        Key(Qt::Key_Return);
        ASSERT_EQ(errorBox.Count(), 1);
        EXPECT_TRUE(errorBox.Requests()[0].text.startsWith("locked"));
    }
    EXPECT_EQ(data.State(), dsEdit);
    EXPECT_EQ(data.FieldByName(kFieldNames[0])->AsString(), "New");
    Key(Qt::Key_Return);
    EXPECT_EQ(Cell(0, 0), "New");
}

TEST_F(DBGridTest, insertAppendAndLeavingAnUntouchedNewRow)
{
    Open(20);
    Key(Qt::Key_Down);
    Key(Qt::Key_Down);
    Key(Qt::Key_Insert);
    EXPECT_EQ(data.State(), dsInsert);
    EXPECT_EQ(data.RecNo(), -1);
    EXPECT_EQ(data.ActiveDisplayRow(), 2);
    Key(Qt::Key_Up);
    EXPECT_EQ(data.State(), dsBrowse);
    EXPECT_EQ(data.RecordCount(), 20) << "the untouched row is dropped";
    EXPECT_EQ(data.RecNo(), 2);

    Key(Qt::Key_Insert);
    Key(Qt::Key_Down);
    EXPECT_EQ(data.RecordCount(), 20);
    EXPECT_EQ(data.RecNo(), 2) << "down from a dropped row lands on the row shown below it";

    Key(Qt::Key_Insert);
    Type("7");
    Key(Qt::Key_Down);
    EXPECT_EQ(data.RecordCount(), 21);
    EXPECT_EQ(Cell(1, 0), "7");
    EXPECT_EQ(data.RecNo(), 3);
    EXPECT_EQ(Cell(2, 0), "100002");

    Key(Qt::Key_End, Qt::ControlModifier);
    Key(Qt::Key_Down);
    EXPECT_EQ(data.State(), dsInsert);
    EXPECT_EQ(data.ActiveDisplayRow(), 21);
    EXPECT_EQ(grid.TopRow() + grid.Geometry().WholeDataRows(), 22) << "the new row is in view";
    Key(Qt::Key_Down);
    EXPECT_EQ(data.State(), dsInsert);
    EXPECT_EQ(data.RecordCount(), 21) << "down on an untouched new row appends no other";
    Type("8");
    Key(Qt::Key_Down);
    EXPECT_EQ(data.RecordCount(), 22);
    EXPECT_EQ(Cell(21, 0), "8");
    EXPECT_EQ(data.State(), dsInsert) << "and a next one is started";
    Key(Qt::Key_Escape);
    EXPECT_EQ(data.State(), dsBrowse);
    EXPECT_EQ(data.RecordCount(), 22);
}

TEST_F(DBGridTest, clickingAnotherRowWhileInserting)
{
    Open(20);
    Key(Qt::Key_Down);
    Key(Qt::Key_Down);
    Key(Qt::Key_Insert);
    // Rows in view: records 1 and 2, the new row, records 3, 4...
    const TRect row4 = grid.CellRect(2, 1 + 4);
    Mouse(QEvent::MouseButtonPress, {row4.Left + 5, row4.Top + 5});
    Mouse(QEvent::MouseButtonRelease, {row4.Left + 5, row4.Top + 5});
    EXPECT_EQ(data.State(), dsBrowse);
    EXPECT_EQ(data.RecNo(), 4) << "the record that was shown there";

    Key(Qt::Key_Insert);
    Type("1");
    const TRect row1 = grid.CellRect(2, 1 + 1);
    Mouse(QEvent::MouseButtonPress, {row1.Left + 5, row1.Top + 5});
    EXPECT_EQ(data.RecordCount(), 21);
    EXPECT_EQ(data.RecNo(), 2);
}

TEST_F(DBGridTest, leavingTheGridCancelsAnUntouchedNewRow)
{
    QWidget window;
    auto *layout = new QVBoxLayout(&window);
    auto *other = new QLineEdit(&window);
    grid.setParent(&window);
    const auto giveBack = qScopeGuard([this] { grid.setParent(nullptr); });
    layout->addWidget(&grid);
    layout->addWidget(other);
    window.show();
    QApplication::setActiveWindow(&window);
    Open(5);
    grid.setFocus();
    ASSERT_TRUE(grid.hasFocus());

    Key(Qt::Key_Insert);
    other->setFocus();
    EXPECT_EQ(data.State(), dsBrowse);
    EXPECT_EQ(data.RecordCount(), 5);

    grid.setFocus();
    Key(Qt::Key_Insert);
    Type("5");
    other->setFocus();
    EXPECT_EQ(data.State(), dsInsert) << "typed text is never dropped";

    grid.setFocus();
    Key(Qt::Key_Escape);
    grid.SetOptions(grid.Options() & ~TDBGridOptions(dgCancelOnExit));
    Key(Qt::Key_Insert);
    other->setFocus();
    EXPECT_EQ(data.State(), dsInsert);
    grid.setParent(nullptr);
}

TEST_F(DBGridTest, ctrlDeleteAsksBeforeDeleting)
{
    Open(5);
    Key(Qt::Key_Down);
    {
        TMessageBoxHook hook(IDCANCEL);
        Key(Qt::Key_Delete, Qt::ControlModifier);
        ASSERT_EQ(hook.Count(), 1);
        const TMessageBoxRequest &box = hook.Requests()[0];
        EXPECT_EQ(box.text, "Delete record?");
        EXPECT_EQ(box.caption, "Confirm");
        EXPECT_EQ(box.icon, TMsgIcon::Question);
        EXPECT_EQ(box.buttons, TMsgButtons::OKCancel);
        EXPECT_EQ(data.RecordCount(), 5);
    }
    {
        TMessageBoxHook hook(IDOK);
        Key(Qt::Key_Delete, Qt::ControlModifier);
        EXPECT_EQ(hook.Count(), 1);
        EXPECT_EQ(data.RecordCount(), 4);
        EXPECT_EQ(Cell(1, 0), "100003");

        Key(Qt::Key_Delete);
        EXPECT_EQ(data.RecordCount(), 4) << "Delete alone edits text, it deletes no row";
        grid.SetOptions(grid.Options() & ~TDBGridOptions(dgConfirmDelete));
        Key(Qt::Key_Delete, Qt::ControlModifier);
        EXPECT_EQ(hook.Count(), 1);
        EXPECT_EQ(data.RecordCount(), 3);
    }
    TMessageBoxHook hook(IDOK);
    grid.SetOptions(TDBGrid::kDefaultOptions);
    data.Close();
    data.SetReadOnly(true);
    data.Open();
    Key(Qt::Key_Delete, Qt::ControlModifier);
    EXPECT_EQ(hook.Count(), 0) << "nothing to ask when the row cannot be deleted";
    Type("a");
    EXPECT_FALSE(grid.EditorMode());
    Key(Qt::Key_Insert);
    EXPECT_EQ(data.State(), dsBrowse);
}

TEST_F(DBGridTest, drawNotificationStandsOnThePaintedRow)
{
    Open(100);
    Key(Qt::Key_PageDown);
    Key(Qt::Key_Down);
    Key(Qt::Key_Right);
    struct Call {
        int recNo, dataCol;
        TGridDrawState state;
        TRect rect;
    };
    std::vector<Call> calls;
    grid.OnDrawColumnCell = [&](TDBGrid *sender, const TRect &rect, int dataCol, TColumn *column,
                                TGridDrawState state) {
        EXPECT_EQ(sender, &grid);
        EXPECT_EQ(column, grid.Columns()[dataCol]);
        calls.push_back({data.RecNo(), dataCol, state, rect});
        sender->DefaultDrawColumnCell(rect, dataCol, column, state);
    };
    Paint();
    const int rowsInView = grid.Geometry().VisibleDataRows();
    ASSERT_EQ(int(calls.size()), rowsInView * 7);
    for (const Call &c : calls) {
        const int row = (c.rect.Top / 18) - 1;
        EXPECT_EQ(c.recNo, grid.TopRow() + row + 1);
        const bool current = c.recNo == 18 && c.dataCol == 1;
        EXPECT_EQ(bool(c.state & gdSelected), current) << c.recNo << "/" << c.dataCol;
        EXPECT_FALSE(c.state & gdFocused) << "the grid has no focus here";
    }
    EXPECT_EQ(data.RecNo(), 18) << "the current row is back after painting";

    calls.clear();
    grid.SetOptions(grid.Options() | dgRowSelect);
    Paint();
    int selected = 0;
    for (const Call &c : calls)
        if (c.state & gdSelected) {
            ++selected;
            EXPECT_EQ(c.recNo, 18);
        }
    EXPECT_EQ(selected, 7);
}

TEST_F(DBGridTest, paintsTheClassicLookAndTheHandlersColours)
{
    Open(10);
    Key(Qt::Key_Down);
    grid.OnDrawColumnCell = [&](TDBGrid *sender, const TRect &rect, int dataCol, TColumn *column,
                                TGridDrawState state) {
        if (data.RecNo() % 2 == 1)
            sender->Canvas()->Brush().SetColor(kStripeColor);
        if (state & gdSelected) {
            sender->Canvas()->Brush().SetColor(clHighlight);
            sender->Canvas()->Font().SetColor(clHighlightText);
        }
        sender->DefaultDrawColumnCell(rect, dataCol, column, state);
    };
    const QImage image = Paint();
    const TRect title = grid.CellRect(2, 0);
    EXPECT_EQ(PixelAt(image, title.Left, title.Top), ColorToRGB(clBtnHighlight));
    EXPECT_EQ(PixelAt(image, title.Right - 1, title.Bottom - 1), ColorToRGB(clBtnShadow));
    EXPECT_EQ(PixelAt(image, title.Right - 3, title.Bottom - 3), ColorToRGB(clBtnFace));
    EXPECT_EQ(PixelAt(image, title.Right, title.Top + 3), ColorToRGB(FixedLineColor()));

    const TRect odd = grid.CellRect(3, 1);
    const TRect even = grid.CellRect(3, 4);
    const TRect current = grid.CellRect(1, 2);
    EXPECT_EQ(PixelAt(image, odd.Right - 2, odd.Top + 1), kStripeColor);
    EXPECT_EQ(PixelAt(image, even.Right - 2, even.Top + 1), ColorToRGB(clWindow));
    EXPECT_EQ(PixelAt(image, current.Right - 2, current.Top + 1), ColorToRGB(clHighlight));
    EXPECT_EQ(PixelAt(image, odd.Right, odd.Top + 3), ColorToRGB(DataLineColor(clWindow)));
    EXPECT_EQ(PixelAt(image, odd.Left + 3, odd.Bottom), ColorToRGB(DataLineColor(clWindow)));

    // The indicator of the current row carries a mark, the others none.
    auto markPixels = [&](const QImage &shot, int row) {
        const TRect cell = grid.CellRect(0, row);
        int dark = 0;
        for (int y = cell.Top + 1; y < cell.Bottom - 1; ++y)
            for (int x = cell.Left + 1; x < cell.Right - 1; ++x)
                dark += PixelAt(shot, x, y) == ColorToRGB(IndicatorMarkColor());
        return dark;
    };
    EXPECT_GT(markPixels(image, 2), 0);
    EXPECT_EQ(markPixels(image, 1), 0);
    const int arrow = markPixels(image, 2);
    Type("e");
    const int beam = markPixels(Paint(), 2);
    Key(Qt::Key_Escape);
    Key(Qt::Key_Insert);
    const int star = markPixels(Paint(), 2);
    EXPECT_GT(beam, 0);
    EXPECT_GT(star, 0);
    EXPECT_NE(arrow, beam);
    EXPECT_NE(beam, star);
}

TEST_F(DBGridTest, titleBorderDragResizesAndNotifiesAfterwards)
{
    Open(5);
    FitColumnWidth(grid, 6);
    const int line = grid.CellRect(3, 0).Right;
    std::vector<int> widthsAtMouseUp;
    grid.OnMouseUp = [&](TDBGrid *sender, Qt::MouseButton, Qt::KeyboardModifiers, int, int) {
        widthsAtMouseUp.push_back(sender->Columns()[2]->Width());
    };
    Drag({line + 4, 5}, {line + 24, 5});
    EXPECT_EQ(grid.Columns()[2]->Width(), 120);
    EXPECT_EQ(grid.Columns()[3]->Width(), 28) << "without the paired drag the neighbour keeps its width";
    ASSERT_EQ(widthsAtMouseUp.size(), 1u);
    EXPECT_EQ(widthsAtMouseUp[0], 120);

    grid.Columns()[2]->SetWidth(100);
    Drag({line + 5, 5}, {line + 25, 5});
    EXPECT_EQ(grid.Columns()[2]->Width(), 100) << "outside the sizing zone";
    Drag({line, 30}, {line + 20, 30});
    EXPECT_EQ(grid.Columns()[2]->Width(), 100) << "below the title row";

    TPairedBorderDrag paired;
    paired.Install(grid);
    grid.OnMouseUp = [&](TDBGrid *, Qt::MouseButton, Qt::KeyboardModifiers, int, int) { paired.Complete(); };
    Drag({line - 3, 5}, {line + 17, 5});
    EXPECT_EQ(grid.Columns()[2]->Width(), 120);
    EXPECT_EQ(grid.Columns()[3]->Width(), 8);
    EXPECT_EQ(grid.CellRect(7, 0).Right + 1, grid.ClientWidth());

    const int line2 = grid.CellRect(3, 0).Right;
    Drag({line2, 5}, {line2 + 40, 5});
    EXPECT_EQ(grid.Columns()[2]->Width(), 120) << "a neighbour left with nothing undoes the drag";
    EXPECT_EQ(grid.Columns()[3]->Width(), 8);

    paired.Uninstall();
    Drag({line2, 5}, {line2 - 10, 5});
    EXPECT_EQ(grid.Columns()[3]->Width(), 8) << "uninstalled: plain sizing again";
    EXPECT_EQ(grid.Columns()[2]->Width(), 110);
}

TEST_F(DBGridTest, sizingGoesOnWhileTheKeyboardScrollsTheColumnOutOfView)
{
    Open(5);
    grid.show();
    grid.resize(400, 321);
    const int line = grid.CellRect(1, 0).Right;
    Mouse(QEvent::MouseButtonPress, {line, 5});
    Key(Qt::Key_End);
    ASSERT_TRUE(grid.CellRect(1, 0).IsEmpty()) << "scrolled out of view";
    MoveMouse(&grid, Local({line + 30, 5}), Qt::LeftButton);
    Paint();
    Mouse(QEvent::MouseButtonRelease, {line + 30, 5});
    EXPECT_EQ(grid.Columns()[0]->Width(), kWidths[0] + 30);
}

TEST_F(DBGridTest, workDependsOnTheRowsInViewOnly)
{
    grid.Columns().Clear();
    grid.Columns().Add("N", 80);
    data.SetFieldNames({"N"});
    std::vector<TRecord> rows(300000);
    for (int i = 0; i < int(rows.size()); ++i)
        rows[i] = {QString::number(i + 1)};
    data.SetRows(std::move(rows));
    data.Open();
    const int budget = 4 * grid.Geometry().VisibleDataRows();
    for (auto [key, modifiers] :
         {std::pair{Qt::Key_End, Qt::ControlModifier}, std::pair{Qt::Key_PageUp, Qt::NoModifier},
          std::pair{Qt::Key_Home, Qt::ControlModifier}}) {
        data.Fetches = 0;
        Key(key, modifiers);
        Paint();
        EXPECT_LT(data.Fetches, budget) << key;
    }
}

// Every cell of a row shows the same reading of it: the row is fetched once
// for all its columns.
TEST_F(DBGridTest, aPaintedRowIsFetchedOnceForAllItsCells)
{
    Open(100);
    const int rowsInView = grid.Geometry().VisibleDataRows();
    ASSERT_GT(rowsInView, 1);
    data.Fetches = 0;
    Paint();
    EXPECT_EQ(data.Fetches, rowsInView);
}

// A text of a hundred thousand characters paints as the part of it that
// reaches the cell, from the end its alignment shows.
TEST(DBGridPainter, aVeryLongTextPaintsLikeItsVisiblePart)
{
    const TRect cell{0, 0, 243, 17};
    const auto paint = [&](TAlignment alignment, const QString &text) {
        QImage image(cell.Width(), cell.Height(), QImage::Format_RGB32);
        TCanvas canvas(&image);
        canvas.Brush().SetColor(clWhite);
        PaintCellText(canvas, cell, alignment, text);
        return image;
    };
    const QString end = QStringLiteral("конец");
    EXPECT_EQ(paint(taLeftJustify, QString(100000, QChar(u'ж'))), paint(taLeftJustify, QString(300, QChar(u'ж'))));
    EXPECT_EQ(paint(taRightJustify, QString(100000, QChar(u'a')) + end),
              paint(taRightJustify, QString(400, QChar(u'a')) + end));
    EXPECT_NE(paint(taRightJustify, QString(400, QChar(u'a')) + end), paint(taRightJustify, QString(400, QChar(u'a'))))
        << "the end of the text is what shows";
}

// Focus shows in the current cell alone: gaining it repaints that cell, not
// the grid, so a window's first activation does not paint the grid twice.
TEST_F(DBGridTest, gainingFocusRepaintsTheCurrentCellAlone)
{
    constexpr int kPaintSettleMs = 150;
    constexpr int kWindowWidth = 700;
    constexpr int kWindowHeight = 400;
    Open(40);
    QWidget window;
    window.resize(kWindowWidth, kWindowHeight);
    auto *other = new QLineEdit(&window);
    grid.setParent(&window);
    const auto giveBack = qScopeGuard([this] { grid.setParent(nullptr); });
    grid.move(0, other->height());
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    other->setFocus();
    Key(Qt::Key_Down);
    QTest::qWait(kPaintSettleMs);
    ASSERT_FALSE(grid.hasFocus());

    struct PaintRecorder : QObject {
        QRegion painted;
        bool eventFilter(QObject *, QEvent *event) override
        {
            if (event->type() == QEvent::Paint)
                painted += static_cast<QPaintEvent *>(event)->region();
            return false;
        }
    } recorder;
    grid.installEventFilter(&recorder);
    grid.setFocus();
    QTest::qWait(kPaintSettleMs);
    grid.removeEventFilter(&recorder);
    ASSERT_TRUE(grid.hasFocus());

    const int column = grid.SelectedIndex() + (grid.IndicatorShown() ? 1 : 0);
    const QRect current =
        grid.CellRect(column, grid.FixedRows() + 1).ToQRect().translated(kGridBorderWidth, kGridBorderWidth);
    ASSERT_FALSE(current.isEmpty());
    EXPECT_EQ(recorder.painted, QRegion(current));
}
