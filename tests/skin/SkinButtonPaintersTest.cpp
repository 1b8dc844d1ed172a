#include "skin/SkinControlFixture.h"
#include "support/Input.h"
#include "support/PixelMask.h"

#include "components/FlatSkin/SkinPrimitives.h"
#include "toolkit/controls/BitBtn.h"
#include "toolkit/controls/Button.h"
#include "toolkit/controls/ControlTag.h"
#include "toolkit/controls/NavButton.h"

#include "toolkit/controls/SpeedButton.h"
#include "toolkit/gdi/Canvas.h"
#include "toolkit/gdi/TextLayout.h"

#include <QKeyEvent>

#include <gtest/gtest.h>

namespace {

class TestNavButton : public TNavButton
{
public:
    explicit TestNavButton(QWidget *parent) : TNavButton(nbFirst, parent) {}
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

// A 4 x 4 glyph and a caption, spaced 4 apart and centred together: the
// glyph right of, above or below the caption. The glyph is drawn one row
// below its cell's top; everything inside the outline that is not glyph or
// caption is face.
TEST(SkinButtonPainters, speedButtonPlacesGlyphAndCaptionByItsLayout)
{
    const QString caption = QStringLiteral("Шаг");
    constexpr int w = 60;
    constexpr int h = 44;
    for (const TButtonLayout layout : {blGlyphRight, blGlyphTop, blGlyphBottom}) {
        SCOPED_TRACE(layout);
        SkinnedControl<TSpeedButton> f(w, h, [&](TSpeedButton &button) {
            button.SetTransparent(false);
            button.SetGlyph(CellGlyph({clRed}));
            button.SetCaption(caption);
            button.SetLayout(layout);
        });
        const QImage shot = f.Shot();
        QImage expected = FilledImage(w, h, LightenColor(clBtnFace, 16));
        TCanvas canvas(&expected);
        canvas.SetFont(f.control->Font());
        const int tw = canvas.TextWidth(caption);
        const int th = canvas.TextHeight(caption);
        const int sp = f.control->Spacing();
        ASSERT_EQ(sp, 4);
        constexpr int g = 4;
        TRect glyph;
        TRect text;
        if (layout == blGlyphRight) {
            glyph = Bounds((sp + g + tw + w) / 2 - g, (h - g) / 2, g, g);
            text = Bounds(glyph.Left - sp - tw, (h - th) / 2, tw, th);
        } else if (layout == blGlyphTop) {
            glyph = Bounds((w - g) / 2, (h - (sp + g + th)) / 2, g, g);
            text = Bounds((w - tw) / 2, glyph.Top + g + sp, tw, th);
        } else {
            glyph = Bounds((w - g) / 2, (sp + g + th + h) / 2 - g, g, g);
            text = Bounds((w - tw) / 2, glyph.Top - sp - th, tw, th);
        }
        const TColor dimmed = LightenColor(clRed, f.skin->DimLevel());
        canvas.FillSolidRect(glyph.Offset(0, 1), dimmed);
        canvas.SetPixel(glyph.Left, glyph.Top + g, LightenColor(clBtnFace, 16));
        canvas.Brush().SetStyle(bsClear);
        canvas.DrawText(caption, text, DT_CENTER | DT_VCENTER);
        const TRect inside(2, 2, w - 2, h - 2);
        EXPECT_EQ(PixelMask(shot, inside, LightenColor(clBtnFace, 16)),
                  PixelMask(expected, inside, LightenColor(clBtnFace, 16)));
        EXPECT_EQ(At(shot, glyph.Left + 1, glyph.Top + 1), dimmed);
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
