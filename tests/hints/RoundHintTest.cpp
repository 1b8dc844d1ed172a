#include "components/RoundHint.h"
#include "toolkit/gdi/SystemColors.h"
#include "toolkit/hints/HintManager.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

// Every test starts from a program without balloon components and with the
// standard hint window class, as at start-up.
class RoundHintTest : public ::testing::Test
{
protected:
    void SetUp() override { THintManager::SetHintWindowClass(THintWindowClass::Of<THintWindow>()); }
    void TearDown() override { THintManager::SetHintWindowClass(THintWindowClass::Of<THintWindow>()); }

    static bool BalloonsInstalled()
    {
        return THintManager::HintWindowClass() == THintWindowClass::Of<TRoundHintWindow>();
    }
};

struct RangeCase {
    const char *setting;
    void (TRoundHint::*set)(int);
    int (TRoundHint::*get)() const;
    int value;
    bool taken;
};

TEST_F(RoundHintTest, numericSettingsTakeOnlyValuesInTheirRange)
{
    const RangeCase cases[] = {
        {"FrameWidth", &TRoundHint::SetFrameWidth, &TRoundHint::FrameWidth, 0, false},
        {"FrameWidth", &TRoundHint::SetFrameWidth, &TRoundHint::FrameWidth, 1, true},
        {"FrameWidth", &TRoundHint::SetFrameWidth, &TRoundHint::FrameWidth, 20, true},
        {"FrameWidth", &TRoundHint::SetFrameWidth, &TRoundHint::FrameWidth, 21, false},
        {"RoundSize", &TRoundHint::SetRoundSize, &TRoundHint::RoundSize, -1, false},
        {"RoundSize", &TRoundHint::SetRoundSize, &TRoundHint::RoundSize, 0, true},
        {"RoundSize", &TRoundHint::SetRoundSize, &TRoundHint::RoundSize, 20, true},
        {"RoundSize", &TRoundHint::SetRoundSize, &TRoundHint::RoundSize, 21, false},
        {"FrameFade", &TRoundHint::SetFrameFade, &TRoundHint::FrameFade, -1, false},
        {"FrameFade", &TRoundHint::SetFrameFade, &TRoundHint::FrameFade, 0, true},
        {"FrameFade", &TRoundHint::SetFrameFade, &TRoundHint::FrameFade, 50, true},
        {"FrameFade", &TRoundHint::SetFrameFade, &TRoundHint::FrameFade, 51, false},
    };
    for (const RangeCase &c : cases) {
        TRoundHint hint;
        TRoundHintWindow window;
        const int before = (hint.*c.get)();
        (hint.*c.set)(c.value);
        const int expected = c.taken ? c.value : before;
        EXPECT_EQ((hint.*c.get)(), expected) << c.setting << " " << c.value;
        const TBalloonStyle &copied = window.Style();
        const int inWindow = c.get == &TRoundHint::FrameWidth  ? copied.FrameWidth
                             : c.get == &TRoundHint::RoundSize ? copied.RoundSize
                                                               : copied.FrameFade;
        EXPECT_EQ(inWindow, expected) << c.setting << " " << c.value << " reaches the current window";
    }
}

TEST_F(RoundHintTest, frameColourFadesTheHintColourWithHalvesToEven)
{
    struct Case {
        TColor background;
        int fade;
        TColor frame;
    };
    const Case cases[] = {
        {RGB(255, 255, 225), 35, RGB(178, 178, 158)}, // 178.5 down, 157.5 up
        {RGB(255, 255, 225), 50, RGB(255, 255, 225)},
        {RGB(255, 255, 225), 0, RGB(0, 0, 0)},
        {RGB(1, 3, 5), 25, RGB(0, 2, 2)}, // 0.5, 1.5, 2.5
        {clInfoBk, 35, RGB(178, 178, 158)},
        {clSystemColor | 0xFEu, 50, RGB(0, 0, 0)}, // an index the table does not know
        {clNone, 50, RGB(0, 0, 0)},
    };
    for (const Case &c : cases)
        EXPECT_EQ(FadeColor(c.background, c.fade), c.frame) << std::hex << c.background << " " << std::dec << c.fade;

    TRoundHint hint;
    hint.SetAutoFrameColor(false);
    hint.SetFrameColor(clNavy);
    TRoundHintWindow window;
    window.SetColor(RGB(255, 255, 225));
    EXPECT_EQ(window.FrameColorToPaint(), clNavy);
    window.SetColor(clWhite);
    EXPECT_EQ(window.FrameColorToPaint(), clNavy);
    hint.SetFrameColor(clBtnShadow);
    EXPECT_EQ(window.FrameColorToPaint(), GetSysColor(COLOR_BTNSHADOW));
}

TEST_F(RoundHintTest, activeSwitchesTheApplicationsHintWindowClass)
{
    auto hint = std::make_unique<TRoundHint>();
    EXPECT_TRUE(hint->Active());
    EXPECT_TRUE(BalloonsInstalled());

    hint->SetActive(false);
    EXPECT_TRUE(THintManager::HintWindowClass() == THintWindowClass::Of<THintWindow>());
    hint->SetActive(true);
    EXPECT_TRUE(BalloonsInstalled());

    hint->SetFrameWidth(7);
    hint.reset();
    EXPECT_TRUE(BalloonsInstalled()) << "destroying the component keeps the balloons";
    EXPECT_EQ(TRoundHint::FirstHintComponent(), nullptr);
    TRoundHintWindow later;
    EXPECT_EQ(later.Style().FrameWidth, TBalloonStyle().FrameWidth) << "later windows use the built-in look";
}

TEST_F(RoundHintTest, firstComponentSuppliesTheLookWhileAnyComponentReachesTheCurrentWindow)
{
    TRoundHint first;
    first.SetFrameWidth(3);
    TRoundHint second;
    second.SetFrameWidth(9);
    EXPECT_EQ(TRoundHint::FirstHintComponent(), &first);

    TRoundHintWindow older;
    TRoundHintWindow current;
    EXPECT_EQ(TRoundHintWindow::CurrentHintWindow(), &current);
    EXPECT_EQ(current.Style().FrameWidth, 3);

    second.SetRoundSize(4);
    EXPECT_EQ(current.Style().RoundSize, 4);
    EXPECT_EQ(older.Style().RoundSize, TBalloonStyle().RoundSize) << "only the current window hears setters";
}

} // namespace
