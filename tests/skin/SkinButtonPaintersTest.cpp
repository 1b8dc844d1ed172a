#include "skin/SkinControlFixture.h"
#include "support/Input.h"
#include "support/PixelMask.h"

#include "components/FlatSkin/SkinPrimitives.h"
#include "toolkit/controls/BitBtn.h"
#include "toolkit/controls/Button.h"
#include "toolkit/controls/ControlTag.h"
#include "toolkit/controls/NavButton.h"

#include "components/FlatSkin/SkinControlPaint.h"
#include "toolkit/controls/SpeedButton.h"
#include "toolkit/gdi/Canvas.h"
#include "toolkit/gdi/TextLayout.h"

#include <QKeyEvent>

#include <gtest/gtest.h>

namespace {

class TestNavButton : public TNavButton
{
public:
    explicit TestNavButton(QWidget *parent)
        : TNavButton(nbFirst, parent)
    { }
};

constexpr TColor kBackground = SkinnedControl<TButton>::kBackground;

TColor SelectFill()
{
    return LightenColor(clHighlight, 68);
}

// Cells of 4 x 4 pixels in the given colours, each with a magenta
// bottom-left pixel: the glyph's transparent colour.
TBitmap CellGlyph(std::initializer_list<TColor> colors)
{
    constexpr int kCell = 4;
    TBitmap glyph(kCell * int(colors.size()), kCell);
    int left = 0;
    for (TColor color : colors) {
        glyph.Canvas().Brush().SetColor(color);
        glyph.Canvas().FillRect(Bounds(left, 0, kCell, kCell));
        glyph.Canvas().SetPixel(left, kCell - 1, clFuchsia);
        left += kCell;
    }
    return glyph;
}

// The glyph of a 24 x 24 button without caption lands at (10, 10).
constexpr int kGlyphX = 12;
constexpr int kGlyphY = 11;

} // namespace

TEST(SkinButtonPainters, navigatorButtonRestsOnTheBackgroundAndLightsUnderThePointer)
{
    SkinnedControl<TestNavButton> f(23, 22, [](TestNavButton &button) { button.SetFlat(true); });
    const QImage rest = f.Shot();
    EXPECT_EQ(At(rest, 0, 0), kBackground) << "no outline at rest";
    EXPECT_EQ(At(rest, 11, 11), kBackground);

    f.PointAt(QPoint(11, 11));
    const QImage hot = f.Shot();
    EXPECT_EQ(At(hot, 0, 0), ColorToRGB(clHighlight));
    EXPECT_EQ(At(hot, 22, 21), ColorToRGB(clHighlight));
    EXPECT_EQ(At(hot, 5, 5), SelectFill());

    SendMouse(f.control, QEvent::MouseButtonPress, QPoint(11, 11));
    const QImage pressed = f.Shot();
    const TColor frame = LightenColor(clHighlight, 60);
    EXPECT_EQ(At(pressed, 0, 5), DarkenColor(frame, 50)) << "the pressed edge along the left";
    EXPECT_EQ(At(pressed, 5, 0), DarkenColor(frame, 50)) << "and along the top";
    EXPECT_EQ(At(pressed, 22, 5), frame);
    EXPECT_EQ(At(pressed, 5, 21), frame);
    SendMouse(f.control, QEvent::MouseButtonRelease, QPoint(-5, -5));
}

TEST(SkinButtonPainters, flatButtonLeftWithoutALeaveNotificationPaintsAsNotHot)
{
    SkinnedControl<TestNavButton> f(23, 22, [](TestNavButton &button) { button.SetFlat(true); });
    f.PointAt(QPoint(11, 11));
    ASSERT_EQ(At(f.Shot(), 0, 0), ColorToRGB(clHighlight));
    QCursor::setPos(f.control->mapToGlobal(QPoint(60, 60)));
    ASSERT_TRUE(f.Record().Hot());
    EXPECT_EQ(At(f.Shot(), 0, 0), kBackground);
}

// A button enabled again under a resting pointer (the next record reached
// from the keyboard) stays unlit: enabling clears hot, and only the pointer
// coming in again lights the button.
TEST(SkinButtonPainters, buttonEnabledUnderARestingPointerLightsOnlyWhenThePointerComesInAgain)
{
    SkinnedControl<TestNavButton> f(23, 22, [](TestNavButton &button) { button.SetFlat(true); });
    const TRect whole{0, 0, 23, 22};
    const std::string rest = PixelMask(f.Shot(), whole, kBackground);
    f.control->setEnabled(false);
    const std::string disabled = PixelMask(f.Shot(), whole, kBackground);
    f.control->setEnabled(true);
    f.PointAt(QPoint(11, 11));
    const std::string hot = PixelMask(f.Shot(), whole, kBackground);
    ASSERT_NE(hot, rest);

    f.control->setEnabled(false);
    EXPECT_EQ(PixelMask(f.Shot(), whole, kBackground), disabled) << "a disabled button is never hot";
    f.control->setEnabled(true);
    EXPECT_EQ(PixelMask(f.Shot(), whole, kBackground), rest) << "enabled under the resting pointer";

    f.Leave();
    f.PointAt(QPoint(11, 11));
    EXPECT_EQ(PixelMask(f.Shot(), whole, kBackground), hot);
}

TEST(SkinButtonPainters, raisedSpeedButtonTaggedForTheParentTintsItsFaceFromTheBackground)
{
    SkinnedControl<TSpeedButton> f(24, 24, [](TSpeedButton &button) {
        button.SetTransparent(false);
        SetControlTag(&button, 1000);
    });
    const QImage shot = f.Shot();
    const TColor shadow = ColorToRGB(clBtnShadow);
    EXPECT_EQ(At(shot, 5, 5), LightenColor(kBackground, 16));
    EXPECT_EQ(At(shot, 5, 0), LightenColor(shadow, 30));
    EXPECT_EQ(At(shot, 23, 5), DarkenColor(shadow, 50)) << "the raised edge";
    EXPECT_EQ(At(shot, 5, 23), DarkenColor(shadow, 50));
}

// Under the pointer a raised speed button lights its face from the button
// face by 40 and draws outline and raised edge from the lightened selection
// frame.
TEST(SkinButtonPainters, raisedSpeedButtonUnderThePointer)
{
    SkinnedControl<TSpeedButton> f(24, 24, [](TSpeedButton &button) { button.SetTransparent(false); });
    f.PointAt(QPoint(12, 12));
    const QImage shot = f.Shot();
    const TColor a = LightenColor(clHighlight, 60);
    KeyPicture expected(24, 24, 'S');
    expected.Frame(0, 0, 24, 24, 'O').Fill(23, 0, 24, 24, 'E').Fill(1, 23, 24, 24, 'E');
    // The edge's last point, the bottom-left corner, keeps the outline.
    EXPECT_EQ(ColourMap(shot, TRect(0, 0, 24, 24),
                        {{'S', LightenColor(clBtnFace, 40)}, {'O', LightenColor(a, 30)}, {'E', DarkenColor(a, 50)}}),
              expected.Text());
}

TEST(SkinButtonPainters, speedButtonPicksTheGlyphCellOfItsState)
{
    {
        SkinnedControl<TSpeedButton> f(24, 24, [](TSpeedButton &button) {
            button.SetGlyph(CellGlyph({clRed, clWhite}));
            button.SetNumGlyphs(2);
            button.setEnabled(false);
        });
        // The disabled cell, greyed and lightened as every disabled glyph.
        EXPECT_EQ(At(f.Shot(), kGlyphX, kGlyphY), RGB(246, 246, 246));
    }
    {
        SkinnedControl<TSpeedButton> f(24, 24, [](TSpeedButton &button) {
            button.SetGlyph(CellGlyph({clRed, clWhite, clBlue}));
            button.SetNumGlyphs(3);
        });
        SendMouse(f.control, QEvent::MouseButtonPress, QPoint(3, 3));
        EXPECT_EQ(At(f.Shot(), kGlyphX, kGlyphY), clBlue) << "pressed glyphs are neither dimmed nor lifted";
        SendMouse(f.control, QEvent::MouseButtonRelease, QPoint(-5, -5));
    }
}

namespace {

// The glyph (g x g) and caption (tw x th) rectangles of a w x h face, spaced
// sp apart and centred together in the layout's order; a glyph left of its
// caption is lifted by glyphLeftLift rows.
std::pair<TRect, TRect> LaidOut(TButtonLayout layout, int w, int h, int g, int tw, int th, int sp, int glyphLeftLift)
{
    switch (layout) {
    case blGlyphLeft: {
        const TRect glyph = Bounds((w - (sp + g + tw)) / 2, (h - g) / 2 - glyphLeftLift, g, g);
        return {glyph, Bounds(glyph.Left + g + sp, (h - th) / 2, tw, th)};
    }
    case blGlyphRight: {
        const TRect glyph = Bounds((sp + g + tw + w) / 2 - g, (h - g) / 2, g, g);
        return {glyph, Bounds(glyph.Left - sp - tw, (h - th) / 2, tw, th)};
    }
    case blGlyphTop: {
        const TRect glyph = Bounds((w - g) / 2, (h - (sp + g + th)) / 2, g, g);
        return {glyph, Bounds((w - tw) / 2, glyph.Top + g + sp, tw, th)};
    }
    case blGlyphBottom: {
        const TRect glyph = Bounds((w - g) / 2, (sp + g + th + h) / 2 - g, g, g);
        return {glyph, Bounds((w - tw) / 2, glyph.Top - sp - th, tw, th)};
    }
    }
    return {};
}

// The expected face of a button: the face colour, the dimmed one-cell red
// glyph one row below its rectangle (its bottom-left pixel transparent) and
// the caption in the button's font.
QImage FacePicture(int w, int h, TColor face, const TFlatSkin &skin, const TFont &font, const QString &caption,
                   const TRect &glyph, const TRect &text, unsigned format)
{
    QImage expected = FilledImage(w, h, face);
    TCanvas canvas(&expected);
    canvas.SetFont(font);
    canvas.FillSolidRect(glyph.Offset(0, 1), LightenColor(clRed, skin.DimLevel()));
    canvas.SetPixel(glyph.Left, glyph.Bottom, face);
    canvas.Brush().SetStyle(bsClear);
    TRect textRect = text;
    canvas.DrawText(caption, textRect, format);
    return expected;
}

} // namespace

// A 4 x 4 glyph and a caption, spaced 4 apart and centred together in each
// layout; right to left swaps glyph left and glyph right. The glyph is drawn
// one row below its cell's top, so a glyph left of the caption, lifted a row
// first, lands on the centre line.
TEST(SkinButtonPainters, speedButtonPlacesGlyphAndCaptionByItsLayout)
{
    const QString caption = QStringLiteral("Шаг");
    constexpr int w = 60;
    constexpr int h = 44;
    struct Case {
        TButtonLayout layout;
        bool rightToLeft;
        TButtonLayout drawn;
    };
    const Case cases[] = {{blGlyphLeft, false, blGlyphLeft},   {blGlyphRight, false, blGlyphRight},
                          {blGlyphTop, false, blGlyphTop},     {blGlyphBottom, false, blGlyphBottom},
                          {blGlyphLeft, true, blGlyphRight},   {blGlyphRight, true, blGlyphLeft},
                          {blGlyphBottom, true, blGlyphBottom}};
    const TColor face = LightenColor(clBtnFace, 16);
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << "layout " << c.layout << (c.rightToLeft ? ", right to left" : ""));
        SkinnedControl<TSpeedButton> f(w, h, [&](TSpeedButton &button) {
            button.SetTransparent(false);
            button.SetGlyph(CellGlyph({clRed}));
            button.SetCaption(caption);
            button.SetLayout(c.layout);
            if (c.rightToLeft)
                button.setLayoutDirection(Qt::RightToLeft);
        });
        const QImage shot = f.Shot();
        QImage scratch(1, 1, QImage::Format_RGB32);
        TCanvas measure(&scratch);
        measure.SetFont(f.control->Font());
        ASSERT_EQ(f.control->Spacing(), 4);
        const auto [glyph, text] =
            LaidOut(c.drawn, w, h, 4, measure.TextWidth(caption), measure.TextHeight(caption), 4, 1);
        const unsigned format = DT_CENTER | DT_VCENTER | (c.rightToLeft ? DT_RTLREADING : 0);
        const QImage expected = FacePicture(w, h, face, *f.skin, f.control->Font(), caption, glyph, text, format);
        const TRect inside(2, 2, w - 2, h - 2);
        EXPECT_EQ(PixelMask(shot, inside, face), PixelMask(expected, inside, face));
        EXPECT_EQ(At(shot, glyph.Left + 1, glyph.Top + 1), LightenColor(clRed, f.skin->DimLevel()));
    }
}

// A bit button lays out like a speed button but never lifts a glyph left of
// its caption and keeps its layout right to left; with the side-caption tag
// the caption is left-aligned four pixels in (right-aligned right to left),
// over a glyph still placed for the centred caption.
TEST(SkinButtonPainters, bitButtonPlacesGlyphAndCaptionByItsLayout)
{
    const QString caption = QStringLiteral("Шаг");
    constexpr int w = 60;
    constexpr int h = 44;
    struct Case {
        TButtonLayout layout;
        bool rightToLeft;
        bool sideCaption;
    };
    const Case cases[] = {{blGlyphLeft, false, false},   {blGlyphRight, false, false}, {blGlyphTop, false, false},
                          {blGlyphBottom, false, false}, {blGlyphLeft, true, false},   {blGlyphTop, false, true},
                          {blGlyphTop, true, true}};
    const TColor face = LightenColor(clBtnFace, 16);
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << "layout " << c.layout << (c.rightToLeft ? ", right to left" : "")
                                        << (c.sideCaption ? ", caption at the side" : ""));
        SkinnedControl<TBitBtn> f(w, h, [&](TBitBtn &button) {
            button.SetGlyph(CellGlyph({clRed, clBlue}));
            button.SetNumGlyphs(2);
            button.SetCaption(caption);
            button.SetLayout(c.layout);
            if (c.rightToLeft)
                button.SetBiDiMode(bdRightToLeft);
            if (c.sideCaption)
                SetControlTag(&button, 1002);
        });
        const QImage shot = f.Shot();
        const TFont font = FontOf(*f.control);
        QImage scratch(1, 1, QImage::Format_RGB32);
        TCanvas measure(&scratch);
        measure.SetFont(font);
        const auto [glyph, text] =
            LaidOut(c.layout, w, h, 4, measure.TextWidth(caption), measure.TextHeight(caption), 4, 0);
        unsigned format = DT_CENTER | DT_VCENTER | (c.rightToLeft ? DT_RTLREADING : 0);
        TRect textRect = text;
        if (c.sideCaption) {
            format = DT_VCENTER | DT_SINGLELINE | (c.rightToLeft ? DT_RIGHT | DT_RTLREADING : DT_LEFT);
            textRect = TRect(4, 2, w - 4, h - 2);
        }
        const QImage expected = FacePicture(w, h, face, *f.skin, font, caption, glyph, textRect, format);
        const TRect inside(2, 2, w - 2, h - 2);
        EXPECT_EQ(PixelMask(shot, inside, face), PixelMask(expected, inside, face));
        EXPECT_EQ(At(shot, glyph.Left + 1, glyph.Top + 1), LightenColor(clRed, f.skin->DimLevel()));
    }
}

namespace {

TColor BitwiseAnd(TColor a, TColor b)
{
    return ColorToRGB(a) & ColorToRGB(b);
}

} // namespace

// A transparent speed button that is lit or down lets what lies beneath show
// through, ANDed with a tint: for a flat button the selection fill lightened
// by 20, otherwise the face lightened by 5.
TEST(SkinButtonPainters, transparentSpeedButtonTintsWhatLiesBeneath)
{
    constexpr TColor P = RGB(120, 220, 170);
    const TColor lit = LightenColor(clHighlight, 60);
    {
        SCOPED_TRACE("flat, under the pointer");
        SkinnedControl<TSpeedButton> f(
            24, 24, [](TSpeedButton &button) { button.SetFlat(true); }, P);
        f.PointAt(QPoint(12, 12));
        KeyPicture expected(24, 24, 'T');
        expected.Frame(0, 0, 24, 24, 'K');
        EXPECT_EQ(ColourMap(f.Shot(), TRect(0, 0, 24, 24),
                            {{'T', BitwiseAnd(P, LightenColor(SelectFill(), 20))}, {'K', ColorToRGB(clHighlight)}}),
                  expected.Text());
    }
    {
        SCOPED_TRACE("raised, under the pointer");
        SkinnedControl<TSpeedButton> f(24, 24, {}, P);
        f.PointAt(QPoint(12, 12));
        KeyPicture expected(24, 24, 'T');
        expected.Frame(0, 0, 24, 24, 'O').Fill(23, 0, 24, 24, 'E').Fill(1, 23, 24, 24, 'E');
        EXPECT_EQ(ColourMap(f.Shot(), TRect(0, 0, 24, 24),
                            {{'T', BitwiseAnd(P, LightenColor(LightenColor(clBtnFace, 40), 5))},
                             {'O', LightenColor(lit, 30)},
                             {'E', DarkenColor(lit, 50)}}),
                  expected.Text());
    }
    {
        SCOPED_TRACE("raised, down");
        SkinnedControl<TSpeedButton> f(
            24, 24, [](TSpeedButton &button) { button.SetDown(true); }, P);
        const TSkinPalette &p = f.skin->Palette();
        KeyPicture expected(24, 24, 'T');
        expected.Frame(0, 0, 24, 24, 'O').Fill(0, 0, 1, 24, 'E').Fill(0, 0, 24, 1, 'E');
        EXPECT_EQ(ColourMap(f.Shot(), TRect(0, 0, 24, 24),
                            {{'T', BitwiseAnd(P, LightenColor(p.CheckedFillColor, 5))},
                             {'O', LightenColor(p.SelectFrameColor, 30)},
                             {'E', DarkenColor(p.SelectFrameColor, 50)}}),
                  expected.Text());
    }
    {
        SCOPED_TRACE("flat, at rest");
        SkinnedControl<TSpeedButton> f(
            24, 24, [](TSpeedButton &button) { button.SetFlat(true); }, P);
        EXPECT_EQ(ColourMap(f.Shot(), TRect(0, 0, 24, 24), {{'P', P}}), KeyPicture(24, 24, 'P').Text());
    }
}

// A flat opaque button at rest is all face: its outline takes the face's
// colour. A disabled raised button that is down keeps the checked face but
// takes its outline from the button shadow, and shows no edge.
TEST(SkinButtonPainters, flatOpaqueButtonAtRestAndDisabledDownButtonPictures)
{
    {
        SkinnedControl<TSpeedButton> f(24, 24, [](TSpeedButton &button) {
            button.SetFlat(true);
            button.SetTransparent(false);
        });
        EXPECT_EQ(ColourMap(f.Shot(), TRect(0, 0, 24, 24), {{'P', kBackground}}), KeyPicture(24, 24, 'P').Text());
    }
    {
        SkinnedControl<TSpeedButton> f(24, 24, [](TSpeedButton &button) {
            button.SetTransparent(false);
            button.SetDown(true);
            button.setEnabled(false);
        });
        KeyPicture expected(24, 24, 'S');
        expected.Frame(0, 0, 24, 24, 'O');
        EXPECT_EQ(
            ColourMap(f.Shot(), TRect(0, 0, 24, 24),
                      {{'S', ColorToRGB(f.skin->Palette().CheckedFillColor)}, {'O', LightenColor(clBtnShadow, 30)}}),
            expected.Text());
    }
}

// Flat and down, or flat and pressed: the outline in A and the pressed edge
// along the top and left, A being the selection frame when down and the
// lightened one when pressed under the pointer.
TEST(SkinButtonPainters, flatSpeedButtonDownOrPressedShowsThePressedEdge)
{
    const auto picture = [] {
        KeyPicture expected(24, 24, 'S');
        expected.Frame(0, 0, 24, 24, 'A').Fill(0, 0, 1, 24, 'E').Fill(0, 0, 24, 1, 'E');
        return expected.Text();
    };
    {
        SkinnedControl<TSpeedButton> f(24, 24, [](TSpeedButton &button) {
            button.SetFlat(true);
            button.SetTransparent(false);
            button.SetDown(true);
        });
        const TSkinPalette &p = f.skin->Palette();
        EXPECT_EQ(ColourMap(f.Shot(), TRect(0, 0, 24, 24),
                            {{'S', ColorToRGB(p.CheckedFillColor)},
                             {'A', ColorToRGB(p.SelectFrameColor)},
                             {'E', DarkenColor(p.SelectFrameColor, 50)}}),
                  picture());
    }
    {
        SkinnedControl<TSpeedButton> f(24, 24, [](TSpeedButton &button) {
            button.SetFlat(true);
            button.SetTransparent(false);
        });
        f.PointAt(QPoint(12, 12));
        SendMouse(f.control, QEvent::MouseButtonPress, QPoint(12, 12));
        const QImage shot = f.Shot();
        SendMouse(f.control, QEvent::MouseButtonRelease, QPoint(-5, -5));
        const TColor a = LightenColor(clHighlight, 60);
        EXPECT_EQ(ColourMap(shot, TRect(0, 0, 24, 24), {{'S', SelectFill()}, {'A', a}, {'E', DarkenColor(a, 50)}}),
                  picture());
    }
}

// A hot push button is lit from the button face by 40 and outlined in the
// lightened selection frame; a focused one keeps the resting face with that
// outline; the default button's caption is embossed.
TEST(SkinButtonPainters, pushButtonHotFocusedAndDefaultLooks)
{
    SkinnedControl<TButton> f(75, 25, [](TButton &button) { button.SetCaption(QStringLiteral("OK")); });
    const TColor lit = LightenColor(clHighlight, 60);
    f.PointAt(QPoint(37, 12));
    QImage shot = f.Shot();
    EXPECT_EQ(At(shot, 37, 5), LightenColor(clBtnFace, 40));
    EXPECT_EQ(At(shot, 37, 0), LightenColor(lit, 30));
    EXPECT_EQ(At(shot, 0, 12), LightenColor(lit, 30));
    EXPECT_EQ(At(shot, 37, 24), DarkenColor(lit, 50));
    EXPECT_EQ(At(shot, 74, 12), DarkenColor(lit, 50));
    EXPECT_EQ(At(shot, 0, 0), kBackground) << "the rounded corner";
    f.Leave();

    f.control->setFocus();
    shot = f.Shot();
    EXPECT_EQ(At(shot, 37, 5), LightenColor(clBtnFace, 16));
    EXPECT_EQ(At(shot, 37, 0), LightenColor(lit, 30));
    EXPECT_EQ(At(shot, 37, 24), DarkenColor(lit, 50));

    const TRect inside(2, 2, 73, 23);
    const std::string plain = PixelMask(shot, inside, LightenColor(clBtnFace, 16));
    f.control->SetDefault(true);
    const std::string embossed = PixelMask(f.Shot(), inside, LightenColor(clBtnFace, 16));
    EXPECT_NE(embossed, plain);
}

TEST(SkinButtonPainters, pushButtonKeepsRoundCornersAndShowsThePressOnlyForSpaceOrAHotPress)
{
    SkinnedControl<TButton> f(75, 25, [](TButton &button) { button.SetCaption(QStringLiteral("OK")); });
    const TColor shadow = ColorToRGB(clBtnShadow);
    const QImage idle = f.Shot();
    EXPECT_EQ(At(idle, 0, 0), kBackground);
    EXPECT_EQ(At(idle, 74, 24), kBackground);
    EXPECT_EQ(At(idle, 37, 0), LightenColor(shadow, 30));
    EXPECT_EQ(At(idle, 37, 24), DarkenColor(shadow, 50)) << "raised";
    EXPECT_EQ(At(idle, 37, 5), LightenColor(clBtnFace, 16)) << "the face in the icon bar colour";

    SendMouse(f.control, QEvent::MouseButtonPress, QPoint(37, 12));
    EXPECT_EQ(At(f.Shot(), 37, 24), DarkenColor(shadow, 50)) << "not hot: still raised";
    SendMouse(f.control, QEvent::MouseButtonRelease, QPoint(-5, -5));

    QKeyEvent space(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "));
    QApplication::sendEvent(f.control, &space);
    const QImage pressed = f.Shot();
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "));
    QApplication::sendEvent(f.control, &release);
    EXPECT_NE(At(pressed, 37, 0), At(idle, 37, 0));
    EXPECT_NE(At(pressed, 37, 24), At(idle, 37, 24));
    EXPECT_EQ(At(pressed, 0, 12), At(pressed, 37, 0)) << "the pressed edge runs down the left";
}

namespace {

// A push button W x H in the keys P (parent background), S (face),
// O (outline) and E (edge), the caption left out: the rounded corners leave
// their outermost pixels to the background; the pressed edge runs down the
// left column and along the top row, the raised one down the right column
// and along the bottom row, both short of the corners.
std::string PushButtonPicture(int w, int h, bool pressed)
{
    KeyPicture picture(w, h, 'S');
    picture.Frame(0, 0, w, h, 'O');
    if (pressed)
        picture.Fill(0, 1, 1, h - 1, 'E').Fill(1, 0, w - 1, 1, 'E');
    else
        picture.Fill(w - 1, 1, w, h - 1, 'E').Fill(1, h - 1, w - 1, h, 'E');
    for (const auto &[x, y] : {std::pair{0, 0}, {w - 1, 0}, {0, h - 1}, {w - 1, h - 1}})
        picture.Fill(x, y, x + 1, y + 1, 'P');
    return picture.Fill(10, 3, w - 10, h - 3, '*').Text();
}

std::string PushButtonMap(const QImage &shot, TColor face, TColor frame, const std::string &expected,
                          TColor background = kBackground)
{
    return Blanked(
        ColourMap(shot, TRect(0, 0, shot.width(), shot.height()),
                  {{'P', background}, {'S', face}, {'O', LightenColor(frame, 30)}, {'E', DarkenColor(frame, 50)}}),
        expected);
}

} // namespace

// Idle, hot, pressed by the space key, and pressed by the left button under
// the pointer, as whole pictures.
TEST(SkinButtonPainters, pushButtonPicturesAtRestLitAndPressed)
{
    SkinnedControl<TButton> f(75, 25, [](TButton &button) { button.SetCaption(QStringLiteral("OK")); });
    const TColor rest = LightenColor(clBtnFace, 16);
    const TColor shadow = ColorToRGB(clBtnShadow);
    const TColor lit = LightenColor(clHighlight, 60);
    const std::string raised = PushButtonPicture(75, 25, false);
    const std::string sunk = PushButtonPicture(75, 25, true);
    EXPECT_EQ(PushButtonMap(f.Shot(), rest, shadow, raised), raised);

    QKeyEvent space(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "));
    QApplication::sendEvent(f.control, &space);
    const QImage bySpace = f.Shot();
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "));
    QApplication::sendEvent(f.control, &release);
    EXPECT_EQ(PushButtonMap(bySpace, rest, shadow, sunk), sunk) << "space";

    f.PointAt(QPoint(37, 12));
    EXPECT_EQ(PushButtonMap(f.Shot(), LightenColor(clBtnFace, 40), lit, raised), raised) << "hot";
    SendMouse(f.control, QEvent::MouseButtonPress, QPoint(37, 12));
    const QImage byMouse = f.Shot();
    SendMouse(f.control, QEvent::MouseButtonRelease, QPoint(37, 12));
    EXPECT_EQ(PushButtonMap(byMouse, LightenColor(clBtnFace, 40), lit, sunk), sunk) << "left button";
}

// Tagged for the parent, a push button at rest takes its face from the
// parent's background lightened by 16.
TEST(SkinButtonPainters, pushButtonTaggedForTheParentTintsItsFace)
{
    constexpr TColor P = RGB(200, 220, 240);
    SkinnedControl<TButton> f(
        75, 25,
        [](TButton &button) {
            button.SetCaption(QStringLiteral("OK"));
            SetControlTag(&button, 1000);
        },
        P);
    const std::string raised = PushButtonPicture(75, 25, false);
    EXPECT_EQ(PushButtonMap(f.Shot(), LightenColor(P, 16), ColorToRGB(clBtnShadow), raised, P), raised);
}

// A bit button lights its face for a held space key as for the pointer.
TEST(SkinButtonPainters, bitButtonLightsForTheSpaceKey)
{
    SkinnedControl<TBitBtn> f(75, 25, [](TBitBtn &button) { button.SetCaption(QStringLiteral("OK")); });
    QKeyEvent space(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "));
    QApplication::sendEvent(f.control, &space);
    const QImage bySpace = f.Shot();
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "));
    QApplication::sendEvent(f.control, &release);
    const std::string sunk = PushButtonPicture(75, 25, true);
    EXPECT_EQ(PushButtonMap(bySpace, LightenColor(clBtnFace, 40), LightenColor(clHighlight, 60), sunk), sunk);
}

TEST(SkinButtonPainters, bitButtonTaggedWithoutOutlineShowsNeitherOutlineNorEdge)
{
    SkinnedControl<TBitBtn> f(75, 25, [](TBitBtn &button) {
        button.SetCaption(QStringLiteral("OK"));
        SetControlTag(&button, 1001 | 1000);
    });
    const QImage shot = f.Shot();
    const TColor face = LightenColor(kBackground, 16);
    EXPECT_EQ(At(shot, 37, 5), face) << "tinted from the parent's background";
    EXPECT_EQ(At(shot, 37, 0), face);
    EXPECT_EQ(At(shot, 37, 24), face);
    EXPECT_EQ(At(shot, 74, 12), face);
}
