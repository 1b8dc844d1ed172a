#include "components/GridRoutine.h"
#include "components/PairedBorderDrag.h"
#include "toolkit/grid/GridGeometry.h"

#include <gtest/gtest.h>

namespace {

constexpr int kIndicatorWidth = 11;
const std::vector<int> kDirectoryWidths = {50, 140, 100, 28, 40, 52, 243};

// The directory grid: indicator, seven columns, one title row, lines of 1.
TGridGeometry DirectoryGrid(int clientWidth)
{
    TGridGeometry g;
    std::vector<int> widths = {kIndicatorWidth};
    widths.insert(widths.end(), kDirectoryWidths.begin(), kDirectoryWidths.end());
    g.SetColumnWidths(widths);
    g.SetFixedCols(1);
    g.SetFixedRows(1);
    g.SetIndicatorShown(true);
    g.SetDefaultRowHeight(17);
    g.SetClientSize(clientWidth, 300);
    return g;
}

int DataWidth(const TGridGeometry &g, int dataColumn)
{
    return g.ColWidths(dataColumn + 1);
}

int TotalDataWidth(const TGridGeometry &g)
{
    int sum = 0;
    for (int k = 0; k < 7; ++k)
        sum += DataWidth(g, k);
    return sum;
}

// x of the pixel column of the right line of grid column `col` in view.
int BorderLineX(const TGridGeometry &g, int col)
{
    return g.ColumnSpan(col)->End;
}

} // namespace

TEST(GridRoutine, lineWidthsFollowTheLineOptions)
{
    TGridGeometry g = DirectoryGrid(600);
    g.SetGridLineWidth(3);
    struct Case {
        bool fixedVert, vert, fixedHorz, horz;
        int vertWidth, horzWidth;
    };
    for (const Case c : {Case{true, true, true, true, 3, 3}, Case{false, true, true, false, 3, 3},
                         Case{true, false, false, true, 3, 3}, Case{false, false, false, false, 0, 0},
                         Case{false, false, true, false, 0, 3}}) {
        g.SetLines(c.fixedVert, c.vert, c.fixedHorz, c.horz);
        EXPECT_EQ(GridVertLineWidth(g), c.vertWidth);
        EXPECT_EQ(GridHorzLineWidth(g), c.horzWidth);
    }
}

TEST(GridRoutine, fittingTheLastColumnMakesItsLineEndAtTheClientWidth)
{
    for (int clientWidth : {671, 640, 700, 1000, 433}) {
        TGridGeometry g = DirectoryGrid(clientWidth);
        FitColumnWidth(g, 6);
        EXPECT_EQ(BorderLineX(g, 7) + 1, clientWidth) << clientWidth;
        EXPECT_EQ(g.GridWidth(), clientWidth);
        EXPECT_EQ(g.VisibleColCount(), 7);
    }
}

TEST(GridRoutine, lastColumnOutOfViewShrinksToTheLineWidthAndFillsAgain)
{
    TGridGeometry g = DirectoryGrid(671);
    FitColumnWidth(g, -1);
    EXPECT_EQ(DataWidth(g, 6), 242);

    for (int clientWidth = 671; clientWidth >= 300; clientWidth -= 7) {
        g.SetClientSize(clientWidth, 300);
        FitColumnWidth(g, 6);
    }
    EXPECT_EQ(DataWidth(g, 6), 1);

    g.SetClientSize(300, 300);
    FitColumnWidth(g, 6);
    EXPECT_EQ(DataWidth(g, 6), 1) << "an overflow keeps the line width";

    g.SetClientSize(671, 300);
    FitColumnWidth(g, 6);
    EXPECT_EQ(DataWidth(g, 6), 242);
    EXPECT_EQ(BorderLineX(g, 7) + 1, 671);
}

TEST(GridRoutine, fillWidthSignTellsWhetherTheTargetIsInView)
{
    TGridGeometry g = DirectoryGrid(400);
    // Grid columns 1..5 fit whole, column 6 is cut by the client edge.
    ASSERT_EQ(g.VisibleColCount(), 5);
    EXPECT_EQ(ColumnFillWidth(g, 6), 400 - 11 - (50 + 140 + 100 + 28 + 40) - 7);
    EXPECT_EQ(ColumnFillWidth(g, 7), 1) << "out of view and overflowing";
    EXPECT_EQ(ColumnFillWidth(g, -1), 1);

    g.SetClientSize(2000, 300);
    EXPECT_EQ(ColumnFillWidth(g, 7), 2000 - 11 - 410 - 8);
    g.SetLeftCol(3);
    EXPECT_LT(ColumnFillWidth(g, 1), 0) << "scrolled away, with room to spare";
}

TEST(GridRoutine, fittingIgnoresColumnsTheGridDoesNotHave)
{
    TGridGeometry g = DirectoryGrid(671);
    const TGridGeometry before = g;
    FitColumnWidth(g, 7);
    FitColumnWidth(g, 70);
    for (int col = 0; col < g.ColCount(); ++col)
        EXPECT_EQ(g.ColWidths(col), before.ColWidths(col));

    TGridGeometry empty;
    empty.SetColumnWidths({kIndicatorWidth});
    empty.SetFixedCols(1);
    empty.SetFixedRows(1);
    empty.SetIndicatorShown(true);
    empty.SetClientSize(671, 300);
    FitColumnWidth(empty, 6);
    FitColumnWidth(empty, -1);
    EXPECT_EQ(empty.ColWidths(0), kIndicatorWidth);
    EXPECT_EQ(GridColumnAtBorder(empty, 12, 5), -1);
}

TEST(GridRoutine, sizingZoneSpansThreeLeftAndFourRightOfAOnePixelLine)
{
    // The zone of a border at edge E with line width L.
    struct Case {
        int edge, line, x;
        bool inside;
    };
    for (const Case c :
         {Case{100, 1, 95, false}, Case{100, 1, 96, true}, Case{100, 1, 103, true}, Case{100, 1, 104, false},
          Case{100, 2, 95, false}, Case{100, 2, 96, true}, Case{100, 2, 103, true}, Case{100, 2, 104, false},
          Case{100, 8, 91, false}, Case{100, 8, 92, true}, Case{100, 8, 100, true}, Case{100, 8, 101, false},
          Case{100, 0, 96, false}, Case{100, 0, 97, true}, Case{100, 0, 104, true}, Case{100, 0, 105, false}})
        EXPECT_EQ(InSizingZone(c.edge, c.line, c.x), c.inside) << c.edge << "/" << c.line << "/" << c.x;
}

TEST(GridRoutine, borderUnderAPointOfTheTitleRow)
{
    TGridGeometry g = DirectoryGrid(671);
    FitColumnWidth(g, 6);
    // Data column 2 (grid column 3) has its line at x = 11+1+50+1+140+1+100.
    const int line = BorderLineX(g, 3);
    ASSERT_EQ(line, 304);
    for (int dx = -6; dx <= 6; ++dx) {
        const bool inside = dx >= -3 && dx <= 4;
        EXPECT_EQ(GridColumnAtBorder(g, line + dx, 8), inside ? 3 : -1) << dx;
    }
    EXPECT_EQ(ColumnAtBorder(g, line, 8), 2) << "one less as a data column";
    EXPECT_EQ(GridColumnAtBorder(g, line, 0), 3);
    EXPECT_EQ(GridColumnAtBorder(g, line, 17), 3) << "the title row's own line";
    EXPECT_EQ(GridColumnAtBorder(g, line, 18), -1) << "first data row";
    EXPECT_EQ(GridColumnAtBorder(g, line, 200), -1);
    EXPECT_EQ(GridColumnAtBorder(g, line, -1), -1);
    EXPECT_LT(ColumnAtBorder(g, line, 200), 0);
    EXPECT_EQ(ColumnAtBorder(g, kIndicatorWidth, 8), -2) << "the indicator's border sizes nothing";
    EXPECT_EQ(GridColumnAtBorder(g, 670, 8), 7) << "last border at the client edge";

    g.SetColSizing(false);
    EXPECT_EQ(GridColumnAtBorder(g, line, 8), -1);
    g.SetColSizing(true);
    g.SetFixedRows(0);
    EXPECT_EQ(GridColumnAtBorder(g, line, 0), -1) << "no title row";
}

TEST(GridRoutine, borderOfAColumnCutByTheClientEdgeLiesOneLinePastIt)
{
    TGridGeometry g = DirectoryGrid(400);
    g.SetLeftCol(2);
    // Grid columns 2.. in view; the walk stops at the edge past the client.
    EXPECT_EQ(GridColumnAtBorder(g, 11 + 1 + 140, 5), 2);
    EXPECT_EQ(GridColumnAtBorder(g, 399, 5), 7);
    EXPECT_EQ(GridColumnAtBorder(g, 380, 5), 6);
    EXPECT_EQ(GridColumnAtBorder(g, 390, 5), -1);
}

TEST(PairedBorderDrag, neighbourGivesWhatTheDraggedColumnGains)
{
    TGridGeometry g = DirectoryGrid(671);
    FitColumnWidth(g, 6);
    TPairedBorderDrag drag;
    drag.LeftButtonDown(g, BorderLineX(g, 3) + 2, 5);
    ASSERT_EQ(drag.DragColumn(), 2);
    EXPECT_EQ(drag.DragWidth(), 100);
    EXPECT_EQ(drag.PairWidth(), 128);

    g.SetColWidths(3, 120); // the grid applies the user's drag
    drag.Complete(g);
    EXPECT_EQ(DataWidth(g, 2), 120);
    EXPECT_EQ(DataWidth(g, 3), 8);
    EXPECT_EQ(TotalDataWidth(g), 653 - 1);
    EXPECT_EQ(BorderLineX(g, 7) + 1, 671);
    EXPECT_EQ(drag.DragColumn(), -1);
}

TEST(PairedBorderDrag, dragLeavingTheNeighbourNothingIsUndone)
{
    for (int newWidth : {128, 200}) {
        TGridGeometry g = DirectoryGrid(671);
        FitColumnWidth(g, 6);
        TPairedBorderDrag drag;
        drag.LeftButtonDown(g, BorderLineX(g, 3), 5);
        g.SetColWidths(3, newWidth);
        drag.Complete(g);
        EXPECT_EQ(DataWidth(g, 2), 100) << newWidth;
        EXPECT_EQ(DataWidth(g, 3), 28) << newWidth;
    }
}

TEST(PairedBorderDrag, lastColumnDragIsAbsorbedByTheFirstColumn)
{
    TGridGeometry g = DirectoryGrid(671);
    FitColumnWidth(g, 6);
    TPairedBorderDrag drag;
    drag.LeftButtonDown(g, 669, 5);
    ASSERT_EQ(drag.DragColumn(), 6);
    EXPECT_EQ(drag.PairWidth(), 242);
    g.SetColWidths(7, 222);
    drag.Complete(g);
    EXPECT_EQ(DataWidth(g, 6), 222);
    EXPECT_EQ(DataWidth(g, 0), 70);
    EXPECT_EQ(BorderLineX(g, 7) + 1, 671);
}

TEST(PairedBorderDrag, pressesAwayFromABorderStartNoDrag)
{
    TGridGeometry g = DirectoryGrid(671);
    FitColumnWidth(g, 6);
    const TGridGeometry before = g;
    TPairedBorderDrag drag;
    for (auto [x, y] : {std::pair{BorderLineX(g, 3) + 8, 5}, std::pair{BorderLineX(g, 3), 40},
                        std::pair{BorderLineX(g, 3), -3}, std::pair{kIndicatorWidth, 5}}) {
        drag.LeftButtonDown(g, x, y);
        EXPECT_LT(drag.DragColumn(), 0) << x << "," << y;
        drag.Complete(g);
    }
    for (int col = 0; col < g.ColCount(); ++col)
        EXPECT_EQ(g.ColWidths(col), before.ColWidths(col));
}
