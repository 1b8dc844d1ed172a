#include "support/PixelMask.h"
#include "toolkit/gdi/Canvas.h"

#include <gtest/gtest.h>

namespace {

struct LineCase {
    const char *name;
    TPoint from, to;
    const char *mask; // over the area (0, 0, 6, 4)
};

class ThinLineTest : public ::testing::TestWithParam<LineCase>
{ };

TEST_P(ThinLineTest, leavesOutTheEndPoint)
{
    QImage image = FilledImage(6, 4);
    TCanvas canvas(&image);
    canvas.MoveTo(GetParam().from.X, GetParam().from.Y);
    canvas.LineTo(GetParam().to.X, GetParam().to.Y);
    EXPECT_EQ(PixelMask(image, {0, 0, 6, 4}), GetParam().mask);
    EXPECT_EQ(canvas.PenPos(), GetParam().to);
}

INSTANTIATE_TEST_SUITE_P(Lines, ThinLineTest,
                         ::testing::Values(LineCase{"rightward", {0, 1}, {4, 1}, "......\n####..\n......\n......\n"},
                                           LineCase{"leftward", {4, 1}, {0, 1}, "......\n.####.\n......\n......\n"},
                                           LineCase{"downward", {2, 0}, {2, 3}, "..#...\n..#...\n..#...\n......\n"},
                                           LineCase{"diagonal", {0, 0}, {3, 3}, "#.....\n.#....\n..#...\n......\n"},
                                           LineCase{"shallow", {0, 0}, {6, 2}, "##....\n..###.\n.....#\n......\n"},
                                           LineCase{"onePixelLong", {5, 3}, {5, 2}, "......\n......\n......\n.....#\n"},
                                           LineCase{"zeroLength", {3, 2}, {3, 2}, "......\n......\n......\n......\n"}),
                         [](const auto &info) { return std::string(info.param.name); });

TEST(CanvasLines, polylineDrawsInnerCornersButNotItsLastPoint)
{
    QImage image = FilledImage(5, 4);
    TCanvas canvas(&image);
    canvas.Polyline({{0, 0}, {3, 0}, {3, 3}, {0, 3}});
    EXPECT_EQ(PixelMask(image, {0, 0, 5, 4}), "####.\n...#.\n...#.\n.###.\n");
}

TEST(CanvasLines, dottedPenRunsItsPatternAcrossTheSegmentsOfAPolyline)
{
    QImage image = FilledImage(14, 2);
    TCanvas canvas(&image);
    canvas.Pen().SetStyle(psDot);
    canvas.Polyline({{0, 0}, {4, 0}, {13, 0}});
    EXPECT_EQ(PixelMask(image, {0, 0, 14, 1}), "###...###...#.\n");
}

TEST(CanvasLines, clearPenDrawsNothing)
{
    QImage image = FilledImage(4, 4);
    TCanvas canvas(&image);
    canvas.Pen().SetStyle(psClear);
    canvas.MoveTo(0, 0);
    canvas.LineTo(4, 4);
    EXPECT_EQ(PixelMask(image, {0, 0, 4, 4}), "....\n....\n....\n....\n");
}

TEST(CanvasLines, xorPenModeTogglesPixels)
{
    QImage image = FilledImage(3, 1, RGB(0x10, 0x20, 0x30));
    TCanvas canvas(&image);
    canvas.Pen().SetMode(pmXor);
    canvas.Pen().SetColor(RGB(0xFF, 0x0F, 0x00));
    canvas.MoveTo(0, 0);
    canvas.LineTo(2, 0);
    EXPECT_EQ(PixelAt(image, 0, 0), RGB(0xEF, 0x2F, 0x30));
    canvas.MoveTo(0, 0);
    canvas.LineTo(2, 0);
    EXPECT_EQ(PixelAt(image, 0, 0), RGB(0x10, 0x20, 0x30));
    EXPECT_EQ(PixelAt(image, 2, 0), RGB(0x10, 0x20, 0x30));
}

TEST(CanvasLines, widePenIsCentredOnTheLine)
{
    QImage image = FilledImage(8, 5);
    TCanvas canvas(&image);
    canvas.Pen().SetWidth(3);
    canvas.MoveTo(2, 2);
    canvas.LineTo(5, 2);
    EXPECT_EQ(PixelMask(image, {0, 0, 8, 5}), "........\n.######.\n.######.\n.######.\n........\n");
}

TEST(CanvasLines, originAndClipApplyToLines)
{
    QImage image = FilledImage(6, 3);
    TCanvas canvas(&image);
    canvas.SetOrigin(1, 1);
    canvas.SetClipRect({0, 0, 3, 1});
    canvas.MoveTo(-1, 0);
    canvas.LineTo(5, 0);
    EXPECT_EQ(PixelMask(image, {0, 0, 6, 3}), "......\n.###..\n......\n");
}

} // namespace
