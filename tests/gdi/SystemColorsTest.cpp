#include "toolkit/gdi/SystemColors.h"
#include "toolkit/gdi/Colors.h"

#include <QApplication>
#include <QStyle>
#include <gtest/gtest.h>

namespace {

class SystemColors : public ::testing::Test
{
protected:
    void TearDown() override { ResetSystemSettings(); }
};

TEST_F(SystemColors, systemColoursResolveThroughTheClassicTable)
{
    struct Case {
        TColor color;
        TColor rgb;
    };
    for (const Case c : {Case{clBtnFace, RGB(212, 208, 200)}, Case{clHighlight, RGB(10, 36, 106)},
                         Case{clBtnShadow, RGB(128, 128, 128)}, Case{clBtnHighlight, RGB(255, 255, 255)},
                         Case{cl3DDkShadow, RGB(64, 64, 64)}, Case{clInfoBk, RGB(255, 255, 225)},
                         Case{clInactiveCaption, RGB(128, 128, 128)}, Case{clGradientActiveCaption, RGB(166, 202, 240)},
                         Case{clMenuText, clBlack}, Case{clWindowFrame, clBlack}, Case{clNavy, clNavy},
                         Case{clFuchsia, RGB(255, 0, 255)}})
        EXPECT_EQ(ColorToRGB(c.color), c.rgb) << std::hex << c.color;
}

TEST_F(SystemColors, unknownIndicesGiveBlackAndPlainValuesPassUnchanged)
{
    EXPECT_EQ(ColorToRGB(clSystemColor | 25), clBlack);
    EXPECT_EQ(ColorToRGB(clSystemColor | 200), clBlack);
    EXPECT_EQ(ColorToRGB(0x80000000u | COLOR_HIGHLIGHT), RGB(10, 36, 106));
    EXPECT_EQ(ColorToRGB(clNone), clNone);
    EXPECT_EQ(GetSysColor(-1), clBlack);
    EXPECT_EQ(ToQColor(clSystemColor | 77), QColor(0, 0, 0));
    EXPECT_EQ(GetSystemMetrics(-3), 0);
    EXPECT_EQ(GetSystemMetrics(SM_METRIC_COUNT), 0);
}

TEST_F(SystemColors, testsCanOverrideAndResetTheTable)
{
    SetSysColor(COLOR_BTNFACE, RGB(1, 2, 3));
    SetSystemMetric(SM_CXHTHUMB, 21);
    SetSystemMetric(SM_CXSCREEN, 800);
    SetVersionInfo({5, 1, 2600, VER_PLATFORM_WIN32_NT});
    SetScreenColorDepth(16);
    EXPECT_EQ(ColorToRGB(clBtnFace), RGB(1, 2, 3));
    EXPECT_EQ(GetSystemMetrics(SM_CXHTHUMB), 21);
    EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 800);
    EXPECT_EQ(GetVersionEx().MinorVersion, 1);
    EXPECT_EQ(ScreenColorDepth(), 16);
    ResetSystemSettings();
    EXPECT_EQ(ColorToRGB(clBtnFace), RGB(212, 208, 200));
    EXPECT_EQ(GetSystemMetrics(SM_CXHTHUMB), 16);
    EXPECT_EQ(GetVersionEx().MajorVersion, 5);
    EXPECT_EQ(GetVersionEx().MinorVersion, 0);
    EXPECT_EQ(ScreenColorDepth(), 32);
}

TEST_F(SystemColors, applicationPaletteFollowsTheTable)
{
    SetSysColor(COLOR_HIGHLIGHT, RGB(0, 128, 0));
    const QPalette palette = BuildApplicationPalette();
    EXPECT_EQ(palette.color(QPalette::Active, QPalette::Highlight), QColor(0, 128, 0));
    EXPECT_EQ(palette.color(QPalette::Active, QPalette::Button), QColor(212, 208, 200));
    EXPECT_EQ(palette.color(QPalette::Active, QPalette::ToolTipBase), QColor(255, 255, 225));
    EXPECT_EQ(palette.color(QPalette::Disabled, QPalette::ButtonText), QColor(128, 128, 128));
    InstallApplicationPalette();
    EXPECT_EQ(QApplication::style()->name().toLower(), QStringLiteral("windows"));
}

} // namespace
