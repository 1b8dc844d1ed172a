#include "skin/SkinControlFixture.h"
#include "support/Input.h"

#include "components/FlatSkin/SkinPrimitives.h"
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

TEST(SkinCheckPainters, disabledCheckedRadioButtonShowsItsDotInTheDisabledColour)
{
    SkinnedControl<TRadioButton> f(100, 17, [](TRadioButton &radio) {
        radio.setChecked(true);
        radio.setEnabled(false);
    });
    EXPECT_EQ(At(f.Shot(), 7, 8), LightenColor(clBtnShadow, 10));
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
