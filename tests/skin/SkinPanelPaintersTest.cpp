#include "skin/SkinControlFixture.h"

#include "components/FlatSkin/SkinPrimitives.h"
#include "support/PixelMask.h"
#include "toolkit/controls/GroupBox.h"
#include "toolkit/gdi/Canvas.h"

#include <gtest/gtest.h>

namespace {

constexpr TColor kParentColor = RGB(200, 220, 240);

TColor Light()
{
    return LightenColor(clBtnFace, 60);
}

TColor Dark()
{
    return DarkenColor(clBtnFace, 60);
}

} // namespace

TEST(SkinPanelPainters, groupBoxIsOnePixelFrameBrokenByItsCaptionUnderABackgroundBand)
{
    auto captioned = [](TGroupBox &box) {
        box.setFont(TFont().ToQFont());
        box.SetCaption(QStringLiteral("Условия"));
    };
    SkinnedControl<TGroupBox> f(150, 80, captioned, kParentColor);
    const QImage shot = f.Shot();
    // Text 13 pixels high: the frame's top row is 13 div 2 + 1.
    const int top = 7;
    EXPECT_EQ(At(shot, 3, 2), kParentColor) << "the band above the frame";
    EXPECT_EQ(At(shot, 3, top), Light());
    EXPECT_EQ(At(shot, 146, top), Light());
    EXPECT_EQ(At(shot, 0, 40), Light());
    EXPECT_EQ(At(shot, 149, 40), Dark());
    EXPECT_EQ(At(shot, 75, 79), Dark());
    EXPECT_EQ(At(shot, 1, 40), ColorToRGB(clBtnFace)) << "the control's own inner line is gone";
    EXPECT_EQ(At(shot, 148, 40), ColorToRGB(clBtnFace));
    EXPECT_EQ(At(shot, 75, 78), ColorToRGB(clBtnFace));
    // The caption's cell lies over the gap in the top line.
    EXPECT_NE(At(shot, 9, top), Light());
}

// The whole box in the keys P (parent background), K (box colour), L and D
// (light and dark shades); the caption's cell is left out.
TEST(SkinPanelPainters, groupBoxPictureHasItsCaptionGapNineColumnsInAndSquareCorners)
{
    const QString caption = QStringLiteral("Условия");
    SkinnedControl<TGroupBox> f(
        150, 80,
        [&](TGroupBox &box) {
            box.setFont(TFont().ToQFont());
            box.SetCaption(caption);
        },
        kParentColor);
    const QImage shot = f.Shot();
    QImage scratch(1, 1, QImage::Format_RGB32);
    TCanvas measure(&scratch);
    measure.SetFont(TFont());
    const int ht = measure.TextHeight(caption);
    const int wt = measure.TextWidth(caption);
    const int w = 150;
    const int h = 80;
    const int yt = ht / 2 + 1;
    KeyPicture expected(w, h, 'K');
    expected.Fill(0, 0, w, yt, 'P');
    expected.Fill(0, yt, w - 1, yt + 1, 'L').Fill(0, yt, 1, h - 1, 'L');
    expected.Fill(9, yt, 9 + wt, 2 * yt, 'K');
    expected.Fill(w - 1, yt, w, h, 'D').Fill(0, h - 1, w, h, 'D');
    expected.Fill(9, 0, 9 + wt, ht, '*');
    EXPECT_EQ(Blanked(ColourMap(shot, TRect(0, 0, w, h),
                                {{'P', kParentColor}, {'K', ColorToRGB(clBtnFace)}, {'L', Light()}, {'D', Dark()}}),
                      expected.Text()),
              expected.Text());
}

TEST(SkinPanelPainters, groupBoxWithoutCtl3DAndCaptionIsDarkAllRoundAndUnbroken)
{
    SkinnedControl<TGroupBox> f(
        150, 80,
        [](TGroupBox &box) {
            box.setFont(TFont().ToQFont());
            box.SetCtl3D(false);
        },
        kParentColor);
    const QImage shot = f.Shot();
    for (int x : {3, 9, 12, 146})
        EXPECT_EQ(At(shot, x, 7), Dark()) << x;
    EXPECT_EQ(At(shot, 0, 40), Dark());
}

TEST(SkinPanelPainters, panelBevelsBecomeShadesOfItsColourAndKeepTheBorderBetweenThem)
{
    SkinnedControl<TPanel> f(60, 40, [](TPanel &panel) {
        panel.SetBevelOuter(bvRaised);
        panel.SetBevelInner(bvLowered);
        panel.SetBevelWidth(2);
        panel.SetBorderWidth(1);
    });
    const QImage shot = f.Shot();
    const std::pair<int, TColor> leftToRight[] = {
        {0, Light()},  {1, Light()},  {2, ColorToRGB(clBtnFace)},  {3, Dark()},  {4, Dark()},
        {55, Light()}, {56, Light()}, {57, ColorToRGB(clBtnFace)}, {58, Dark()}, {59, Dark()}};
    for (auto [x, color] : leftToRight)
        EXPECT_EQ(At(shot, x, 20), color) << "column " << x;
}

namespace {

// n rings from r's outermost inwards: left column and top row in a, right
// column and bottom row in b, b also on the top-right and bottom-left corners.
void BevelRings(KeyPicture &picture, TRect r, char a, char b, int n)
{
    for (int i = 0; i < n; ++i) {
        picture.Fill(r.Left, r.Top, r.Right, r.Top + 1, a).Fill(r.Left, r.Top, r.Left + 1, r.Bottom, a);
        picture.Fill(r.Right - 1, r.Top, r.Right, r.Bottom, b).Fill(r.Left, r.Bottom - 1, r.Right, r.Bottom, b);
        r = r.Inflated(-1, -1);
    }
}

} // namespace

// Whole panels: the outer bevel on the outermost rings, the inner one
// BorderWidth further in; lowered bevels swap the shades, space ones are
// drawn raised.
TEST(SkinPanelPainters, panelBevelPictures)
{
    struct Case {
        TPanelBevel outer;
        TPanelBevel inner;
        int bevelWidth;
        int borderWidth;
    };
    const Case cases[] = {
        {bvRaised, bvLowered, 2, 1}, {bvLowered, bvNone, 1, 0}, {bvSpace, bvRaised, 1, 2}, {bvNone, bvLowered, 1, 3}};
    constexpr int w = 60;
    constexpr int h = 40;
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << "outer " << c.outer << ", inner " << c.inner);
        SkinnedControl<TPanel> f(w, h, [&](TPanel &panel) {
            panel.SetBevelOuter(c.outer);
            panel.SetBevelInner(c.inner);
            panel.SetBevelWidth(c.bevelWidth);
            panel.SetBorderWidth(c.borderWidth);
        });
        KeyPicture expected(w, h, 'K');
        TRect r(0, 0, w, h);
        if (c.outer != bvNone) {
            const bool lowered = c.outer == bvLowered;
            BevelRings(expected, r, lowered ? 'D' : 'L', lowered ? 'L' : 'D', c.bevelWidth);
            r = r.Inflated(-c.bevelWidth, -c.bevelWidth);
        }
        if (c.inner != bvNone) {
            r = r.Inflated(-c.borderWidth, -c.borderWidth);
            const bool lowered = c.inner == bvLowered;
            BevelRings(expected, r, lowered ? 'D' : 'L', lowered ? 'L' : 'D', c.bevelWidth);
        }
        EXPECT_EQ(ColourMap(f.Shot(), TRect(0, 0, w, h), {{'K', ColorToRGB(clBtnFace)}, {'L', Light()}, {'D', Dark()}}),
                  expected.Text());
    }
}

TEST(SkinPanelPainters, panelWithoutBevelsKeepsItsOwnPicture)
{
    auto bare = [](TPanel &panel) {
        panel.SetBevelOuter(bvNone);
        panel.SetColor(RGB(90, 100, 110));
    };
    SkinnedControl<TPanel> f(60, 40, bare);
    const QImage shot = f.Shot();
    for (auto [x, y] : {std::pair{0, 0}, {59, 39}, {1, 20}})
        EXPECT_EQ(At(shot, x, y), RGB(90, 100, 110));
}
