#include "toolkit/grid/GridScrollBars.h"

#include <QScrollBar>
#include <QWidget>
#include <gtest/gtest.h>

#include <vector>

namespace {

class GridScrollBarsTest : public ::testing::Test
{
protected:
    QWidget grid;
    std::vector<int> rowsChosen;
    std::vector<int> leftColsChosen;
    TGridScrollBars bars{grid, [this](int row) { rowsChosen.push_back(row); },
                         [this](int col) { leftColsChosen.push_back(col); }};
};

TEST_F(GridScrollBarsTest, showingThePositionIsSilentAndTheUsersMovesAreReported)
{
    bars.ShowPosition(TGridScrollBars::TRowRange{100, 17, 40}, {1, 4, 3, 2});
    EXPECT_EQ(bars.Vert()->maximum(), 99);
    EXPECT_EQ(bars.Vert()->pageStep(), 17);
    EXPECT_EQ(bars.Vert()->value(), 40);
    EXPECT_TRUE(bars.Vert()->isEnabled());
    EXPECT_EQ(bars.Horz()->minimum(), 1);
    EXPECT_EQ(bars.Horz()->maximum(), 4);
    EXPECT_EQ(bars.Horz()->pageStep(), 3);
    EXPECT_EQ(bars.Horz()->value(), 2);
    // A shrinking range pulls the value in as well, silently.
    bars.ShowPosition(TGridScrollBars::TRowRange{10, 17, 9}, {1, 1, 0, 1});
    EXPECT_EQ(bars.Horz()->pageStep(), 1);
    EXPECT_TRUE(rowsChosen.empty());
    EXPECT_TRUE(leftColsChosen.empty());

    bars.Vert()->setValue(3);
    bars.ShowPosition(TGridScrollBars::TRowRange{10, 17, 9}, {1, 4, 3, 1});
    bars.Horz()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(rowsChosen, std::vector<int>{3});
    EXPECT_EQ(leftColsChosen, std::vector<int>{2});
}

TEST_F(GridScrollBarsTest, theRowBarIsDisabledWithoutRowsToMoveBetween)
{
    bars.ShowPosition(TGridScrollBars::TRowRange{1, 17, 0}, {1, 1, 7, 1});
    EXPECT_FALSE(bars.Vert()->isEnabled());
    bars.ShowPosition(TGridScrollBars::TRowRange{0, 17, -1}, {1, 1, 7, 1});
    EXPECT_FALSE(bars.Vert()->isEnabled());
    EXPECT_EQ(bars.Vert()->value(), 0);
    bars.ShowPosition(std::nullopt, {1, 1, 7, 1});
    EXPECT_FALSE(bars.Vert()->isEnabled());
    EXPECT_EQ(bars.Vert()->maximum(), 0);
}

TEST_F(GridScrollBarsTest, barsStandBesideAndBelowTheClientArea)
{
    bars.Place(QRect(2, 2, 300, 150), true);
    EXPECT_EQ(bars.Vert()->geometry(), QRect(302, 2, bars.Vert()->width(), 150));
    EXPECT_EQ(bars.Horz()->geometry(), QRect(2, 152, 300, bars.Horz()->height()));
    EXPECT_FALSE(bars.Horz()->isHidden());
    bars.Place(QRect(2, 2, 300, 170), false);
    EXPECT_TRUE(bars.Horz()->isHidden());
    EXPECT_EQ(bars.Vert()->height(), 170);
}

} // namespace
