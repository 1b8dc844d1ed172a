#include "skin/SkinControlFixture.h"
#include "support/Input.h"
#include "support/PixelMask.h"

#include "components/FlatSkin/SkinPrimitives.h"
#include "toolkit/controls/BitBtn.h"
#include "toolkit/controls/Button.h"
#include "toolkit/controls/ControlTag.h"
#include "toolkit/controls/NavButton.h"

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
