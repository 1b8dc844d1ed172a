#include "skin/SkinControlFixture.h"
#include "support/Input.h"

#include "components/FlatSkin/SkinPrimitives.h"
#include "support/PixelMask.h"
#include "toolkit/controls/CheckBox.h"
#include "toolkit/controls/RadioButton.h"
#include "toolkit/controls/UpDown.h"

#include <QMouseEvent>

#include <gtest/gtest.h>

// A check box 17 pixels high has its box at (2, 3)-(13, 15): the tick's
// lowest point is (6, 12), (10, 12) lies inside the box below the tick.
TEST(SkinCheckPainters, grayedCheckBoxIsGreyWithAGreyTick)
{
    SkinnedControl<TCheckBox> f(100, 17, [](TCheckBox &box) { box.SetState(cbGrayed); });
    const QImage shot = f.Shot();
    EXPECT_EQ(At(shot, 2, 8), ColorToRGB(clBtnShadow));
    EXPECT_EQ(At(shot, 10, 12), RGB(192, 192, 192));
    EXPECT_EQ(At(shot, 6, 12), RGB(128, 128, 128));
}

TEST(SkinCheckPainters, pressedCheckedBoxFillsWithTheCheckedSelectionAndTicksInWindowColour)
{
    SkinnedControl<TCheckBox> f(100, 17, [](TCheckBox &box) { box.SetState(cbChecked); });
    EXPECT_EQ(At(f.Shot(), 6, 12), ColorToRGB(clHighlight));
    SendMouse(f.control, QEvent::MouseButtonPress, QPoint(6, 8));
    const QImage pressed = f.Shot();
    SendMouse(f.control, QEvent::MouseButtonRelease, QPoint(-5, -5));
    EXPECT_EQ(At(pressed, 10, 12), LightenColor(clHighlight, 50));
    EXPECT_EQ(At(pressed, 6, 12), ColorToRGB(clWindow));
}

TEST(SkinCheckPainters, checkBoxWithCaptionOnTheLeftHasItsBoxAtTheRightEdge)
{
    SkinnedControl<TCheckBox> f(100, 17, [](TCheckBox &box) {
        box.SetAlignment(taLeftJustify);
        box.SetState(cbGrayed);
    });
    const QImage shot = f.Shot();
    EXPECT_EQ(At(shot, 95, 12), RGB(192, 192, 192));
    EXPECT_EQ(At(shot, 97, 12), ColorToRGB(clBtnShadow));
    EXPECT_NE(At(shot, 10, 12), RGB(192, 192, 192));
}

namespace {

// The box of a check box 17 pixels high, rows 1 to 16 of its left 15
// columns, in the keys C (control colour), P (box frame), F (box fill) and
// T (tick): the box at (2, 3)-(13, 15), the tick three pixels thick with its
// lowest point at (6, 12).
std::string CheckBoxPicture(bool ticked)
{
    KeyPicture picture(15, 16, 'C');
    picture.Fill(2, 2, 13, 14, 'F').Frame(2, 2, 13, 14, 'P');
    if (ticked)
        for (int i = 0; i < 3; ++i) {
            const int points[][2] = {{4, 10}, {5, 11}, {6, 12}, {7, 11}, {8, 10}, {9, 9}, {10, 8}};
            for (const auto &pt : points)
                picture.Fill(pt[0], pt[1] - i - 1, pt[0] + 1, pt[1] - i, 'T');
        }
    return picture.Text();
}

} // namespace

TEST(SkinCheckPainters, checkBoxPicturesIdleCheckedAndHot)
{
    SkinnedControl<TCheckBox> f(100, 17, [](TCheckBox &box) { box.SetState(cbChecked); });
    const TSkinPalette &p = f.skin->Palette();
    const TColor C = ColorToRGB(f.control->Color());
    const TRect box(0, 1, 15, 17);
    EXPECT_EQ(
        ColourMap(
            f.Shot(), box,
            {{'C', C}, {'P', ColorToRGB(clBtnShadow)}, {'F', ColorToRGB(clWindow)}, {'T', ColorToRGB(clHighlight)}}),
        CheckBoxPicture(true));

    f.control->SetState(cbUnchecked);
    f.PointAt(QPoint(40, 8));
    EXPECT_EQ(ColourMap(f.Shot(), box,
                        {{'C', C}, {'P', ColorToRGB(p.SelectFrameColor)}, {'F', ColorToRGB(p.SelectFillColor)}}),
              CheckBoxPicture(false));
}

// The box sits at the right edge when the caption is left of it: left to
// right with the caption left-justified, right to left with it
// right-justified; otherwise at the left edge. The client is 100 wide and
// the box cell a thumb (16) wide less one.
TEST(SkinCheckPainters, checkBoxPictureLiesOnTheSideAwayFromItsCaption)
{
    struct Case {
        TBiDiMode mode;
        TAlignment alignment;
        int cellLeft;
    };
    const Case cases[] = {{bdLeftToRight, taRightJustify, 0},
                          {bdLeftToRight, taLeftJustify, 85},
                          {bdRightToLeft, taRightJustify, 85},
                          {bdRightToLeft, taLeftJustify, 0}};
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << "mode " << c.mode << ", alignment " << c.alignment);
        SkinnedControl<TCheckBox> f(100, 17, [&](TCheckBox &box) {
            box.SetBiDiMode(c.mode);
            box.SetAlignment(c.alignment);
            box.SetState(cbChecked);
        });
        EXPECT_EQ(ColourMap(f.Shot(), TRect(c.cellLeft, 1, c.cellLeft + 15, 17),
                            {{'C', ColorToRGB(f.control->Color())},
                             {'P', ColorToRGB(clBtnShadow)},
                             {'F', ColorToRGB(clWindow)},
                             {'T', ColorToRGB(clHighlight)}}),
                  CheckBoxPicture(true));
    }
}

// A grayed box is grey whatever the pointer does, with a grey tick; a
// disabled one ticks in the disabled colour.
TEST(SkinCheckPainters, grayedAndDisabledCheckBoxPictures)
{
    SkinnedControl<TCheckBox> f(100, 17, [](TCheckBox &box) { box.SetState(cbGrayed); });
    const TSkinPalette &p = f.skin->Palette();
    const TColor C = ColorToRGB(f.control->Color());
    const TRect box(0, 1, 15, 17);
    f.PointAt(QPoint(40, 8));
    EXPECT_EQ(
        ColourMap(
            f.Shot(), box,
            {{'C', C}, {'P', ColorToRGB(p.SelectFrameColor)}, {'F', RGB(192, 192, 192)}, {'T', RGB(128, 128, 128)}}),
        CheckBoxPicture(true));
    f.Leave();
    f.control->SetState(cbChecked);
    f.control->setEnabled(false);
    EXPECT_EQ(ColourMap(f.Shot(), box,
                        {{'C', C},
                         {'P', ColorToRGB(clBtnShadow)},
                         {'F', ColorToRGB(clWindow)},
                         {'T', ColorToRGB(p.DisabledTextColor)}}),
              CheckBoxPicture(true));
}

// The box is centred in the client height less 3 above and below: a check
// box 21 high places its 16-row cell from row 3.
TEST(SkinCheckPainters, aTallerCheckBoxCentresItsBoxInTheShrunkenHeight)
{
    SkinnedControl<TCheckBox> f(100, 21);
    EXPECT_EQ(
        ColourMap(f.Shot(), TRect(0, 3, 15, 19),
                  {{'C', ColorToRGB(f.control->Color())}, {'P', ColorToRGB(clBtnShadow)}, {'F', ColorToRGB(clWindow)}}),
        CheckBoxPicture(false));
}

// Halving rounds toward zero: a box 23 high has one row more than its
// 16-row cell between its inset rows, and the cell starts on row 3.
TEST(SkinCheckPainters, aCheckBoxWithAnOddRowLeftOverRoundsItsOffsetTowardZero)
{
    SkinnedControl<TCheckBox> f(100, 23);
    EXPECT_EQ(
        ColourMap(f.Shot(), TRect(0, 3, 15, 19),
                  {{'C', ColorToRGB(f.control->Color())}, {'P', ColorToRGB(clBtnShadow)}, {'F', ColorToRGB(clWindow)}}),
        CheckBoxPicture(false));
}

// And less 4 for a radio button: one 23 high has its circle in (2, 6)-(13, 17).
TEST(SkinCheckPainters, aTallerRadioButtonCentresItsCircleInTheShrunkenHeight)
{
    SkinnedControl<TRadioButton> f(100, 23);
    const QImage shot = f.Shot();
    for (auto [x, y] : {std::pair{7, 6}, {7, 16}, {2, 11}, {12, 11}})
        EXPECT_EQ(At(shot, x, y), ColorToRGB(clBtnShadow)) << x << "," << y;
    for (auto [x, y] : {std::pair{7, 5}, {7, 17}, {0, 4}, {14, 18}})
        EXPECT_EQ(At(shot, x, y), ColorToRGB(f.control->Color())) << x << "," << y;
}

// A radio button 17 pixels high has its circle in (2, 3)-(13, 14) on the
// control colour; the focus fills it but leaves its ring, the pointer
// colours both.
TEST(SkinCheckPainters, radioButtonCircleTakesTheFillFromFocusAndTheRingOnlyFromThePointer)
{
    SkinnedControl<TRadioButton> f(100, 17);
    const TSkinPalette &p = f.skin->Palette();
    const TColor C = ColorToRGB(f.control->Color());
    const auto expectCircle = [&](const QImage &shot, TColor ring, TColor fill) {
        for (auto [x, y] : {std::pair{7, 3}, {7, 13}, {2, 8}, {12, 8}})
            EXPECT_EQ(At(shot, x, y), ring) << x << "," << y;
        for (auto [x, y] : {std::pair{7, 8}, {4, 8}, {7, 5}})
            EXPECT_EQ(At(shot, x, y), fill) << x << "," << y;
        for (auto [x, y] : {std::pair{0, 1}, {2, 3}, {14, 8}, {7, 2}, {7, 14}, {1, 8}, {13, 8}, {14, 15}})
            EXPECT_EQ(At(shot, x, y), C) << x << "," << y;
    };
    {
        SCOPED_TRACE("idle");
        expectCircle(f.Shot(), ColorToRGB(clBtnShadow), ColorToRGB(clWindow));
    }
    // Taking the focus lights the control as the pointer does; the pointer
    // leaving it then leaves the focus alone.
    f.control->setFocus();
    f.Leave();
    ASSERT_TRUE(f.control->hasFocus());
    {
        SCOPED_TRACE("focused");
        expectCircle(f.Shot(), ColorToRGB(clBtnShadow), ColorToRGB(p.SelectFillColor));
    }
    f.PointAt(QPoint(40, 8));
    {
        SCOPED_TRACE("hot");
        expectCircle(f.Shot(), ColorToRGB(p.SelectFrameColor), ColorToRGB(p.SelectFillColor));
    }
}

// Upper half lit under the pointer, lower half at rest; the chevrons are
// left out of the picture but must be there in black.
TEST(SkinCheckPainters, upDownHalvesPicture)
{
    SkinnedControl<TUpDown> f(16, 24);
    const TSkinPalette &p = f.skin->Palette();
    f.PointAt(QPoint(8, 4));
    const QImage shot = f.Shot();
    KeyPicture expected(16, 24, 'l');
    expected.Frame(0, 0, 16, 12, 'K');
    expected.Fill(0, 12, 16, 24, 'i').Frame(0, 12, 16, 24, 'R');
    expected.Fill(4, 3, 13, 9, '*').Fill(4, 15, 13, 20, '*');
    EXPECT_EQ(Blanked(ColourMap(shot, TRect(0, 0, 16, 24),
                                {{'K', ColorToRGB(p.SelectFrameColor)},
                                 {'l', LightenColor(p.SelectFillColor, 60)},
                                 {'R', LightenColor(SkinnedControl<TUpDown>::kBackground, 80)},
                                 {'i', LightenColor(p.SelectFillColor, 16)}}),
                      expected.Text()),
              expected.Text());
    EXPECT_EQ(At(shot, 8, 4), clBlack) << "the upper chevron's tip";
    EXPECT_EQ(At(shot, 8, 19), clBlack) << "the lower chevron's tip";
}

// Pressed under the pointer, the lit half fills with the checked selection
// colour and draws its chevron white, in the same shape as the black one.
TEST(SkinCheckPainters, upDownPressedHalfPicture)
{
    SkinnedControl<TUpDown> f(16, 24);
    const TSkinPalette &p = f.skin->Palette();
    f.PointAt(QPoint(8, 18));
    const QImage lit = f.Shot();
    SendMouse(f.control, QEvent::MouseButtonPress, QPoint(8, 18));
    const QImage pressed = f.Shot();
    SendMouse(f.control, QEvent::MouseButtonRelease, QPoint(8, 18));

    KeyPicture expected(16, 24, 'i');
    expected.Frame(0, 0, 16, 12, 'R');
    expected.Fill(0, 12, 16, 24, 'd').Frame(0, 12, 16, 24, 'K');
    expected.Fill(4, 3, 13, 9, '*').Fill(4, 15, 13, 20, '*');
    EXPECT_EQ(Blanked(ColourMap(pressed, TRect(0, 0, 16, 24),
                                {{'K', ColorToRGB(p.SelectFrameColor)},
                                 {'d', ColorToRGB(p.CheckedSelectFillColor)},
                                 {'R', LightenColor(SkinnedControl<TUpDown>::kBackground, 80)},
                                 {'i', LightenColor(p.SelectFillColor, 16)}}),
                      expected.Text()),
              expected.Text());
    const TRect chevron(4, 15, 13, 20);
    EXPECT_EQ(PixelMask(pressed, chevron, clWhite), PixelMask(lit, chevron, clBlack));
    EXPECT_EQ(PixelMask(pressed, chevron, p.CheckedSelectFillColor),
              PixelMask(lit, chevron, LightenColor(p.SelectFillColor, 60)));
}

// The dot fills the circle's box (2, 3)-(13, 14) shrunk by 2: its extreme
// pixels lie on columns 4 and 10 and rows 5 and 11.
TEST(SkinCheckPainters, checkedRadioButtonDotLiesTwoInsideTheCircle)
{
    SkinnedControl<TRadioButton> f(100, 17, [](TRadioButton &radio) { radio.setChecked(true); });
    const QImage shot = f.Shot();
    for (auto [x, y] : {std::pair{4, 8}, {10, 8}, {7, 5}, {7, 11}, {7, 8}})
        EXPECT_EQ(At(shot, x, y), ColorToRGB(clHighlight)) << x << "," << y;
    for (auto [x, y] : {std::pair{3, 8}, {11, 8}, {7, 4}, {7, 12}})
        EXPECT_EQ(At(shot, x, y), ColorToRGB(clWindow)) << x << "," << y;
}

TEST(SkinCheckPainters, disabledCheckedRadioButtonShowsItsDotInTheDisabledColour)
{
    SkinnedControl<TRadioButton> f(100, 17, [](TRadioButton &radio) {
        radio.setChecked(true);
        radio.setEnabled(false);
    });
    EXPECT_EQ(At(f.Shot(), 7, 8), LightenColor(clBtnShadow, 10));
}

// Every picture of the skin follows the control's own paint, so a half is
// drawn anew each time, whatever colour its corner had: a black selection
// frame lights the half under the pointer like any other.
TEST(SkinCheckPainters, upDownHalfUnderThePointerLightsWithABlackSelectionFrame)
{
    SkinnedControl<TUpDown> f(16, 24);
    f.skin->SetUseSystemColors(false);
    f.skin->SetSelectBorderColor(clBlack);
    f.PointAt(QPoint(8, 4));
    const QImage shot = f.Shot();
    const TSkinPalette &p = f.skin->Palette();
    ASSERT_EQ(ColorToRGB(p.SelectFrameColor), clBlack);
    KeyPicture expected(16, 12, 'l');
    expected.Frame(0, 0, 16, 12, 'K').Fill(4, 3, 13, 9, '*');
    EXPECT_EQ(
        Blanked(ColourMap(shot, TRect(0, 0, 16, 12), {{'K', clBlack}, {'l', LightenColor(p.SelectFillColor, 60)}}),
                expected.Text()),
        expected.Text());
}

// Tagged for the parent, the halves at rest fill with the parent's
// background lightened by 16.
TEST(SkinCheckPainters, upDownTaggedForTheParentTintsItsRestingHalves)
{
    constexpr TColor P = RGB(200, 220, 240);
    SkinnedControl<TUpDown> f(
        16, 24, [](TUpDown &upDown) { upDown.SetTag(1000); }, P);
    KeyPicture expected(16, 24, 'i');
    expected.Frame(0, 0, 16, 12, 'R').Frame(0, 12, 16, 24, 'R');
    expected.Fill(4, 3, 13, 9, '*').Fill(4, 15, 13, 20, '*');
    EXPECT_EQ(
        Blanked(ColourMap(f.Shot(), TRect(0, 0, 16, 24), {{'R', LightenColor(P, 80)}, {'i', LightenColor(P, 16)}}),
                expected.Text()),
        expected.Text());
}

TEST(SkinCheckPainters, upDownLightsTheHalfUnderThePointer)
{
    SkinnedControl<TUpDown> f(16, 24);
    const TColor idle = LightenColor(SkinnedControl<TUpDown>::kBackground, 80);
    const TColor lit = ColorToRGB(clHighlight);

    f.PointAt(QPoint(8, 4));
    QImage shot = f.Shot();
    EXPECT_EQ(At(shot, 0, 0), lit);
    EXPECT_EQ(At(shot, 0, 12), idle);

    QCursor::setPos(f.control->mapToGlobal(QPoint(8, 18)));
    SendMouse(f.control, QEvent::MouseMove, QPoint(8, 18));
    shot = f.Shot();
    EXPECT_EQ(At(shot, 0, 0), idle);
    EXPECT_EQ(At(shot, 0, 12), lit);

    f.Leave();
    shot = f.Shot();
    EXPECT_EQ(At(shot, 0, 0), idle);
    EXPECT_EQ(At(shot, 0, 12), idle);
}
