#include "support/NavigatorFixtures.h"

#include "toolkit/app/MessageBox.h"
#include "toolkit/controls/DBNavigator.h"
#include "toolkit/hints/HintManager.h"
#include "toolkit/hints/HintWindow.h"

#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>

namespace {

const TNavButtonSet kResultsButtons{nbFirst, nbPrior, nbNext, nbLast};
const TNavButtonSet kMainButtons{nbFirst, nbPrior, nbNext, nbLast, nbInsert, nbDelete, nbEdit, nbPost, nbCancel};

struct WidthCase {
    int width;
    int count;
    std::vector<int> widths;
};

class ButtonWidths : public testing::TestWithParam<WidthCase>
{ };

TEST_P(ButtonWidths, leftoverPixelsGoWhereTheCounterPutsThem)
{
    const WidthCase &c = GetParam();
    EXPECT_EQ(TDBNavigator::ButtonWidths(c.width, c.count), c.widths);
}

INSTANTIATE_TEST_SUITE_P(Table, ButtonWidths,
                         testing::Values(WidthCase{80, 4, {20, 20, 20, 20}}, WidthCase{81, 4, {20, 20, 21, 20}},
                                         WidthCase{82, 4, {20, 21, 20, 21}}, WidthCase{83, 4, {21, 20, 21, 21}},
                                         WidthCase{693, 4, {173, 173, 174, 173}},
                                         WidthCase{180, 9, {20, 20, 20, 20, 20, 20, 20, 20, 20}},
                                         WidthCase{691, 9, {77, 77, 76, 77, 77, 77, 76, 77, 77}},
                                         WidthCase{203, 10, {20, 21, 20, 20, 20, 21, 20, 20, 21, 20}},
                                         WidthCase{695, 10, {69, 70, 69, 70, 69, 70, 69, 70, 69, 70}},
                                         WidthCase{500, 0, {}}));

TEST(DBNavigatorLayout, visibleButtonsShareTheBarAndHiddenOnesTakeNoRoom)
{
    TDBNavigator bar;
    bar.SetVisibleButtons(TNavButtonSet{nbPrior, nbLast, nbEdit, nbRefresh});
    bar.show();
    bar.resize(81, 25);
    const std::vector<std::pair<TNavigateBtn, QRect>> expected = {{nbPrior, QRect(0, 0, 20, 25)},
                                                                  {nbLast, QRect(20, 0, 20, 25)},
                                                                  {nbEdit, QRect(40, 0, 21, 25)},
                                                                  {nbRefresh, QRect(61, 0, 20, 25)}};
    for (const auto &[button, geometry] : expected) {
        EXPECT_EQ(bar.Button(button)->geometry(), geometry) << button;
        EXPECT_FALSE(bar.Button(button)->isHidden());
    }
    for (TNavigateBtn hidden : {nbFirst, nbNext, nbInsert, nbDelete, nbPost, nbCancel})
        EXPECT_TRUE(bar.Button(hidden)->isHidden()) << hidden;
}

TEST(DBNavigatorLayout, buttonsNeverShrinkBelowTheMinimumSize)
{
    TDBNavigator bar;
    bar.SetVisibleButtons(kResultsButtons);
    bar.show();
    bar.resize(30, 10);
    EXPECT_EQ(bar.minimumSize(), QSize(80, 18));
    for (TNavigateBtn b : {nbFirst, nbPrior, nbNext, nbLast})
        EXPECT_EQ(bar.Button(b)->size(), QSize(20, 18)) << b;
}

TEST(DBNavigatorHints, nonEmptyEntriesReplaceTheDefaults)
{
    TDBNavigator bar;
    EXPECT_EQ(bar.Button(nbPost)->Hint(), QStringLiteral("Post edit"));
    bar.SetHints({QStringLiteral("Первая запись"), QString(), QStringLiteral("Следующая запись")});
    EXPECT_EQ(bar.Button(nbFirst)->Hint(), QStringLiteral("Первая запись"));
    EXPECT_EQ(HintControlFor(bar.Button(nbFirst)), bar.Button(nbFirst));
    EXPECT_EQ(Hint(bar.Button(nbFirst)), QStringLiteral("Первая запись"));
    EXPECT_EQ(bar.Button(nbPrior)->Hint(), QStringLiteral("Prior record"));
    EXPECT_EQ(bar.Button(nbNext)->Hint(), QStringLiteral("Следующая запись"));
    EXPECT_EQ(bar.Button(nbRefresh)->Hint(), QStringLiteral("Refresh data"));
}

TNavButtonSet EnabledOf(const TDBNavigator &bar)
{
    TNavButtonSet enabled;
    for (int i = 0; i < kNavButtonCount; ++i)
        enabled.Set(TNavigateBtn(i), bar.Button(TNavigateBtn(i))->isEnabled());
    return enabled;
}

struct EnablingCase {
    const char *name;
    std::function<void(TMemorySource &, TDBNavigator &)> arrange;
    TNavButtonSet enabled;
};

class Enabling : public testing::TestWithParam<EnablingCase>
{ };

TEST_P(Enabling, followsTheDataSetState)
{
    TMemorySource data(3);
    TDBNavigator bar;
    bar.SetDataSource(&data.source);
    GetParam().arrange(data, bar);
    EXPECT_EQ(EnabledOf(bar), GetParam().enabled) << GetParam().name;
}

const TNavButtonSet kMoves{nbFirst, nbPrior, nbNext, nbLast};

INSTANTIATE_TEST_SUITE_P(
    States, Enabling,
    testing::Values(
        EnablingCase{"closed", [](TMemorySource &d, TDBNavigator &) { d.dataSet.Close(); }, {}},
        EnablingCase{"empty",
                     [](TMemorySource &d, TDBNavigator &) {
                         d.dataSet.Close();
                         d.dataSet.SetRows({});
                         d.dataSet.Open();
                     },
                     {nbInsert, nbEdit, nbRefresh}},
        EnablingCase{"first row",
                     [](TMemorySource &, TDBNavigator &) {},
                     {nbNext, nbLast, nbInsert, nbDelete, nbEdit, nbRefresh}},
        EnablingCase{"middle row",
                     [](TMemorySource &d, TDBNavigator &) { d.dataSet.Next(); },
                     {nbFirst, nbPrior, nbNext, nbLast, nbInsert, nbDelete, nbEdit, nbRefresh}},
        EnablingCase{"last row",
                     [](TMemorySource &d, TDBNavigator &) { d.dataSet.Last(); },
                     {nbFirst, nbPrior, nbInsert, nbDelete, nbEdit, nbRefresh}},
        EnablingCase{"editing",
                     [](TMemorySource &d, TDBNavigator &) {
                         d.dataSet.Next();
                         d.dataSet.Edit();
                     },
                     {nbFirst, nbPrior, nbNext, nbLast, nbInsert, nbDelete, nbPost, nbCancel, nbRefresh}},
        EnablingCase{"back to browsing after cancel",
                     [](TMemorySource &d, TDBNavigator &) {
                         d.dataSet.Next();
                         d.dataSet.Edit();
                         d.dataSet.Cancel();
                     },
                     {nbFirst, nbPrior, nbNext, nbLast, nbInsert, nbDelete, nbEdit, nbRefresh}},
        EnablingCase{"read-only set",
                     [](TMemorySource &d, TDBNavigator &) {
                         d.dataSet.Close();
                         d.dataSet.SetReadOnly(true);
                         d.dataSet.Open();
                         d.dataSet.Next();
                     },
                     kMoves},
        EnablingCase{"bar disabled", [](TMemorySource &, TDBNavigator &bar) { bar.setEnabled(false); }, {}},
        EnablingCase{"bar enabled again",
                     [](TMemorySource &, TDBNavigator &bar) {
                         bar.setEnabled(false);
                         bar.setEnabled(true);
                     },
                     {nbNext, nbLast, nbInsert, nbDelete, nbEdit, nbRefresh}},
        EnablingCase{"source disabled", [](TMemorySource &d, TDBNavigator &) { d.source.SetEnabled(false); }, {}},
        EnablingCase{"no source", [](TMemorySource &, TDBNavigator &bar) { bar.SetDataSource(nullptr); }, {}}),
    [](const testing::TestParamInfo<EnablingCase> &info) {
        std::string name = info.param.name;
        for (char &c : name)
            if (!std::isalnum(static_cast<unsigned char>(c)))
                c = '_';
        return name;
    });

TEST(DBNavigatorEnabling, insertingEnablesPostAndCancelOnly)
{
    TMemorySource data(3);
    TDBNavigator bar;
    bar.SetDataSource(&data.source);
    data.dataSet.Insert();
    const TNavButtonSet enabled = EnabledOf(bar);
    EXPECT_TRUE(enabled.Contains(nbPost));
    EXPECT_TRUE(enabled.Contains(nbCancel));
    EXPECT_FALSE(enabled.Contains(nbEdit));
    EXPECT_TRUE(enabled.Contains(nbInsert));
}

TEST(DBNavigatorActions, buttonsRunTheirOperations)
{
    TMemorySource data(5);
    TDBNavigator bar;
    bar.SetDataSource(&data.source);
    Click(bar.Button(nbLast));
    EXPECT_EQ(data.dataSet.RecNo(), 5);
    Click(bar.Button(nbPrior));
    EXPECT_EQ(data.dataSet.RecNo(), 4);
    Click(bar.Button(nbFirst));
    Click(bar.Button(nbNext));
    EXPECT_EQ(data.dataSet.RecNo(), 2);
    Click(bar.Button(nbEdit));
    EXPECT_EQ(data.dataSet.State(), dsEdit);
    Click(bar.Button(nbCancel));
    EXPECT_EQ(data.dataSet.State(), dsBrowse);
    Click(bar.Button(nbInsert));
    EXPECT_EQ(data.dataSet.State(), dsInsert);
    data.dataSet.FieldByName(QStringLiteral("Name"))->SetValue(QStringLiteral("new"));
    Click(bar.Button(nbPost));
    EXPECT_EQ(data.dataSet.State(), dsBrowse);
    EXPECT_EQ(data.dataSet.RecordCount(), 6);
}

TEST(DBNavigatorActions, deleteAsksFirstAndCancelKeepsTheRecord)
{
    TMemorySource data(3);
    TDBNavigator bar;
    bar.SetDataSource(&data.source);
    {
        TMessageBoxHook answer(IDCANCEL);
        Click(bar.Button(nbDelete));
        ASSERT_EQ(answer.Count(), 1);
        const TMessageBoxRequest &box = answer.Requests().front();
        EXPECT_EQ(box.text, QStringLiteral("Delete record?"));
        EXPECT_EQ(box.caption, QStringLiteral("Confirm"));
        EXPECT_EQ(box.icon, TMsgIcon::Question);
        EXPECT_EQ(box.buttons, TMsgButtons::OKCancel);
        EXPECT_EQ(data.dataSet.RecordCount(), 3);
    }
    {
        TMessageBoxHook answer(IDOK);
        Click(bar.Button(nbDelete));
        EXPECT_EQ(answer.Count(), 1);
        EXPECT_EQ(data.dataSet.RecordCount(), 2);
    }
    bar.SetConfirmDelete(false);
    TMessageBoxHook answer(IDCANCEL);
    Click(bar.Button(nbDelete));
    EXPECT_EQ(answer.Count(), 0);
    EXPECT_EQ(data.dataSet.RecordCount(), 1);
}

TEST(DBNavigatorActions, aFailedDeleteIsReportedAndKeepsTheRecord)
{
    TMemorySource data(3);
    TDBNavigator bar;
    bar.SetDataSource(&data.source);
    data.dataSet.FailNextWrite(QStringLiteral("locked"));
    TMessageBoxHook answer(IDOK);
    Click(bar.Button(nbDelete));
    ASSERT_EQ(answer.Count(), 2);
    EXPECT_EQ(answer.Requests().back().icon, TMsgIcon::Error);
    EXPECT_EQ(data.dataSet.RecordCount(), 3);
    EXPECT_TRUE(bar.Button(nbDelete)->isEnabled());
}

TEST(DBNavigatorActions, clicksDoNothingWhileTheSetIsClosed)
{
    TMemorySource data(3, false);
    TDBNavigator bar;
    bar.SetDataSource(&data.source);
    bar.BtnClick(nbNext);
    bar.BtnClick(nbInsert);
    EXPECT_EQ(data.dataSet.State(), dsInactive);
}

TEST(DBNavigatorActions, priorAndNextRepeatWhileHeldAndAReleaseAddsNoStep)
{
    TMemorySource data(50);
    TDBNavigator bar;
    bar.SetDataSource(&data.source);
    bar.resize(200, 25);
    TNavButton *next = bar.Button(nbNext);
    SendMouse(next, QEvent::MouseButtonPress);
    EXPECT_EQ(data.dataSet.RecNo(), 1);
    ASSERT_TRUE(WaitFor([&] { return data.dataSet.RecNo() >= 4; }));
    SendMouse(next, QEvent::MouseButtonRelease);
    const int afterRelease = data.dataSet.RecNo();
    WaitFor([] { return false; }, 3 * TNavButton::kRepeatIntervalMs);
    EXPECT_EQ(data.dataSet.RecNo(), afterRelease);

    EXPECT_TRUE(next->AllowRepeat());
    EXPECT_TRUE(bar.Button(nbPrior)->AllowRepeat());
    EXPECT_FALSE(bar.Button(nbLast)->AllowRepeat());
    EXPECT_FALSE(bar.Button(nbDelete)->AllowRepeat());
}

TEST(DBNavigatorKeyboard, arrowsSkipHiddenButtonsAndSpaceClicks)
{
    TMemorySource data(5);
    TDBNavigator bar;
    bar.SetDataSource(&data.source);
    bar.SetVisibleButtons(TNavButtonSet{nbFirst, nbNext, nbLast});
    EXPECT_EQ(bar.FocusedButton(), nbFirst);
    PressKey(&bar, Qt::Key_Right);
    EXPECT_EQ(bar.FocusedButton(), nbNext);
    PressKey(&bar, Qt::Key_Space);
    EXPECT_EQ(data.dataSet.RecNo(), 2);
    PressKey(&bar, Qt::Key_Right);
    PressKey(&bar, Qt::Key_Right);
    EXPECT_EQ(bar.FocusedButton(), nbLast);
    PressKey(&bar, Qt::Key_Left);
    PressKey(&bar, Qt::Key_Left);
    PressKey(&bar, Qt::Key_Left);
    EXPECT_EQ(bar.FocusedButton(), nbFirst);
    bar.SetVisibleButtons(TNavButtonSet{nbLast});
    EXPECT_EQ(bar.FocusedButton(), nbLast);
}

TEST(DBNavigatorKeyboard, spaceOnADisabledButtonDoesNothing)
{
    TMemorySource data(5);
    TDBNavigator bar;
    bar.SetDataSource(&data.source);
    bar.SetFocusedButton(nbPost);
    PressKey(&bar, Qt::Key_Space);
    EXPECT_EQ(data.dataSet.State(), dsBrowse);
}

} // namespace

TEST(DBNavigatorFocus, aClickOnAButtonLeavesTheFocusWhereItWas)
{
    QWidget window;
    auto *edit = new QLineEdit(&window);
    auto *bar = new TDBNavigator(&window);
    bar->setGeometry(0, 30, 240, 25);
    window.show();
    QApplication::setActiveWindow(&window);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    edit->setFocus();
    QTest::mouseClick(bar->Button(nbNext), Qt::LeftButton);
    EXPECT_TRUE(edit->hasFocus());
}

TEST(DBNavigatorFocus, tabPassesTheBarUnlessItIsMadeATabStop)
{
    QWidget window;
    auto *before = new QLineEdit(&window);
    auto *bar = new TDBNavigator(&window);
    auto *after = new QLineEdit(&window);
    QWidget::setTabOrder(before, bar);
    QWidget::setTabOrder(bar, after);
    window.show();
    QApplication::setActiveWindow(&window);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    before->setFocus();
    QTest::keyClick(before, Qt::Key_Tab);
    EXPECT_TRUE(after->hasFocus());

    bar->SetTabStop(true);
    before->setFocus();
    QTest::keyClick(before, Qt::Key_Tab);
    EXPECT_TRUE(bar->hasFocus());
}
