#include "support/Input.h"
#include "support/NavigatorFixtures.h"

#include "toolkit/app/MessageBox.h"
#include "toolkit/controls/DBNavigator.h"
#include "toolkit/grid/DBGrid.h"

#include <QScrollBar>
#include <gtest/gtest.h>

#include <functional>
#include <ostream>

namespace {

// A grid and a bar over the same rows: whatever moves the cursor, the bar's
// moving buttons must agree with where it stands.
struct PositionCase {
    const char *name;
    std::function<void(TDBGrid &, TMemorySource &)> move;
    int recNo;
};

void PrintTo(const PositionCase &c, std::ostream *out)
{
    *out << c.name;
}

class NavigatorFollowsThePosition : public testing::TestWithParam<PositionCase>
{ };

TEST_P(NavigatorFollowsThePosition, firstAndPriorOffAtTheStartNextAndLastOffAtTheEnd)
{
    constexpr int kRows = 30;
    TMemorySource data(kRows);
    TDBGrid grid;
    grid.resize(300, 200);
    grid.SetDataSource(&data.source);
    TDBNavigator bar;
    bar.SetDataSource(&data.source);
    data.dataSet.SetRecNo(kRows / 2);

    TMessageBoxHook answerOk(IDOK);
    GetParam().move(grid, data);

    const int recNo = data.dataSet.RecNo();
    ASSERT_EQ(recNo, GetParam().recNo);
    const bool atStart = recNo == 1;
    const bool atEnd = recNo == data.dataSet.RecordCount();
    EXPECT_EQ(bar.Button(nbFirst)->isEnabled(), !atStart);
    EXPECT_EQ(bar.Button(nbPrior)->isEnabled(), !atStart);
    EXPECT_EQ(bar.Button(nbNext)->isEnabled(), !atEnd);
    EXPECT_EQ(bar.Button(nbLast)->isEnabled(), !atEnd);
}

void Keys(TDBGrid &grid, std::initializer_list<std::pair<int, Qt::KeyboardModifiers>> keys)
{
    for (const auto &[key, modifiers] : keys)
        PressKey(&grid, key, modifiers);
}

INSTANTIATE_TEST_SUITE_P(
    Moves, NavigatorFollowsThePosition,
    testing::Values(PositionCase{"ctrlEnd",
                                 [](TDBGrid &g, TMemorySource &) {
                                     Keys(g, {{Qt::Key_End, Qt::ControlModifier}});
                                 },
                                 30},
                    PositionCase{"ctrlPageDown",
                                 [](TDBGrid &g, TMemorySource &) {
                                     Keys(g, {{Qt::Key_PageDown, Qt::ControlModifier}});
                                 },
                                 30},
                    PositionCase{"pageDownPastTheEnd",
                                 [](TDBGrid &g, TMemorySource &) {
                                     for (int i = 0; i < 5; ++i)
                                         Keys(g, {{Qt::Key_PageDown, Qt::NoModifier}});
                                 },
                                 30},
                    PositionCase{"ctrlHome",
                                 [](TDBGrid &g, TMemorySource &) {
                                     Keys(g, {{Qt::Key_Home, Qt::ControlModifier}});
                                 },
                                 1},
                    PositionCase{"pageUpPastTheStart",
                                 [](TDBGrid &g, TMemorySource &) {
                                     for (int i = 0; i < 5; ++i)
                                         Keys(g, {{Qt::Key_PageUp, Qt::NoModifier}});
                                 },
                                 1},
                    PositionCase{"upAtTheFirstRow",
                                 [](TDBGrid &g, TMemorySource &d) {
                                     d.dataSet.SetRecNo(2);
                                     Keys(g, {{Qt::Key_Up, Qt::NoModifier}, {Qt::Key_Up, Qt::NoModifier}});
                                 },
                                 1},
                    PositionCase{"downToTheLastRow",
                                 [](TDBGrid &g, TMemorySource &d) {
                                     d.dataSet.SetRecNo(29);
                                     Keys(g, {{Qt::Key_Down, Qt::NoModifier}});
                                 },
                                 30},
                    PositionCase{
                        "scrollBarToTheEnd",
                        [](TDBGrid &g, TMemorySource &) { g.VertScrollBar()->setValue(g.VertScrollBar()->maximum()); },
                        30},
                    PositionCase{"ctrlDeleteOfTheFirstRow",
                                 [](TDBGrid &g, TMemorySource &d) {
                                     d.dataSet.First();
                                     d.dataSet.Next();
                                     d.dataSet.Prior();
                                     Keys(g, {{Qt::Key_Delete, Qt::ControlModifier}});
                                 },
                                 1},
                    PositionCase{"ctrlDeleteOfTheLastRow",
                                 [](TDBGrid &g, TMemorySource &d) {
                                     d.dataSet.SetRecNo(30);
                                     Keys(g, {{Qt::Key_Delete, Qt::ControlModifier}});
                                 },
                                 29},
                    PositionCase{"setRecNoInTheMiddle", [](TDBGrid &, TMemorySource &d) { d.dataSet.SetRecNo(7); }, 7}),
    [](const testing::TestParamInfo<PositionCase> &info) { return std::string(info.param.name); });

} // namespace
