#include "support/Input.h"
#include "support/PixelMask.h"

#include "toolkit/controls/CheckBox.h"
#include "toolkit/controls/Edit.h"
#include "toolkit/controls/ListBox.h"
#include "toolkit/controls/UpDown.h"
#include "toolkit/gdi/SystemColors.h"

#include <gtest/gtest.h>

namespace {

QImage Grab(QWidget &widget)
{
    return widget.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

// The colours of the rings from the window's edge inwards along the top-left
// and the bottom-right sides.
struct TRingColors {
    TColor topLeft;
    TColor bottomRight;
};

void ExpectRing(const QImage &image, int ring, TRingColors expected)
{
    const int right = image.width() - 1 - ring;
    const int bottom = image.height() - 1 - ring;
    EXPECT_EQ(PixelAt(image, ring + 3, ring), ColorToRGB(expected.topLeft)) << "top of ring " << ring;
    EXPECT_EQ(PixelAt(image, ring, ring + 3), ColorToRGB(expected.topLeft)) << "left of ring " << ring;
    EXPECT_EQ(PixelAt(image, right, ring + 3), ColorToRGB(expected.bottomRight)) << "right of ring " << ring;
    EXPECT_EQ(PixelAt(image, ring + 3, bottom), ColorToRGB(expected.bottomRight)) << "bottom of ring " << ring;
}

template <class Control> void ExpectClassicBorders(Control &control)
{
    control.resize(60, 21);
    control.SetColor(RGB(250, 240, 230));

    ExpectRing(Grab(control), 0, {clBtnShadow, clBtnHighlight});
    ExpectRing(Grab(control), 1, {cl3DDkShadow, cl3DLight});
    EXPECT_EQ(control.ClientRect(), Rect(2, 2, 58, 19));

    control.SetCtl3D(false);
    ExpectRing(Grab(control), 0, {clWindowFrame, clWindowFrame});
    ExpectRing(Grab(control), 1, {RGB(250, 240, 230), RGB(250, 240, 230)});
    EXPECT_EQ(control.ClientRect(), Rect(1, 1, 59, 20));

    control.SetBorderStyle(TBorderStyle::bsNone);
    ExpectRing(Grab(control), 0, {RGB(250, 240, 230), RGB(250, 240, 230)});
    EXPECT_EQ(control.ClientRect(), Rect(0, 0, 60, 21));
}

} // namespace

TEST(StandardControls, editShowsSunkenEdgeThenPlainLineWithoutCtl3DAndNothingWithoutBorder)
{
    TEdit edit;
    ExpectClassicBorders(edit);
}

TEST(StandardControls, scrollingViewsDrawTheSameBordersAroundTheirViewport)
{
    TListBox list;
    ExpectClassicBorders(list);
}

TEST(StandardControls, checkBoxSitsAtTheRightEdgeWhenCaptionAndReadingDirectionDisagree)
{
    EXPECT_FALSE(BoxAtRightEdge(taRightJustify, bdLeftToRight));
    EXPECT_TRUE(BoxAtRightEdge(taLeftJustify, bdLeftToRight));
    EXPECT_TRUE(BoxAtRightEdge(taRightJustify, bdRightToLeft));
    EXPECT_FALSE(BoxAtRightEdge(taLeftJustify, bdRightToLeft));

    TCheckBox box;
    box.SetAlignment(taLeftJustify);
    EXPECT_EQ(box.layoutDirection(), Qt::RightToLeft);
    box.SetBiDiMode(bdRightToLeft);
    EXPECT_EQ(box.layoutDirection(), Qt::LeftToRight);
}

TEST(StandardControls, upDownStepsByTheHalfPressedAndStaysInRange)
{
    TUpDown upDown;
    upDown.resize(16, 22);
    upDown.SetRange(0, 1);
    Click(&upDown, QPoint(8, 2));
    EXPECT_EQ(upDown.Position(), 1);
    Click(&upDown, QPoint(8, 2));
    EXPECT_EQ(upDown.Position(), 1);
    Click(&upDown, QPoint(8, 19));
    Click(&upDown, QPoint(8, 19));
    EXPECT_EQ(upDown.Position(), 0);
}
