#include "support/PixelMask.h"
#include "toolkit/gdi/Bitmap.h"
#include "toolkit/gdi/Canvas.h"
#include "toolkit/gdi/Region.h"

#include <gtest/gtest.h>

namespace {

// Pen black, brush grey: '#' marks pen and brush alike, so the masks below
// show the extent; the outline tests read the colours.
std::string Masked(const std::function<void(TCanvas &)> &draw, int width, int height)
{
    QImage image = FilledImage(width, height);
    TCanvas canvas(&image);
    canvas.Brush().SetColor(clGray);
    draw(canvas);
    return PixelMask(image, {0, 0, width, height});
}

TEST(CanvasShapes, rectangleLeavesOutRightColumnAndBottomRow)
{
    QImage image = FilledImage(5, 4);
    TCanvas canvas(&image);
    canvas.Brush().SetColor(clGray);
    canvas.Rectangle(0, 0, 4, 3);
    EXPECT_EQ(PixelMask(image, {0, 0, 5, 4}), "####.\n####.\n####.\n.....\n");
    EXPECT_EQ(PixelAt(image, 1, 1), clGray);
    EXPECT_EQ(PixelAt(image, 3, 1), clBlack);
}

TEST(CanvasShapes, invertedRectangleIsNormalised)
{
    EXPECT_EQ(Masked([](TCanvas &c) { c.Rectangle(3, 2, 0, 0); }, 4, 3), "###.\n###.\n....\n");
}

// FillRect fills row by row; the region of the same rectangle, filled
// through its spans, must come out pixel for pixel the same, whatever the
// origin, the clipping, the image's edges and the brush.
TEST(CanvasShapes, aFilledRectangleIsItsFilledRegion)
{
    TBitmap pattern(2, 2, pf1bit);
    pattern.Canvas().SetPixel(0, 0, clBlack);
    pattern.Canvas().SetPixel(1, 1, clBlack);
    const TRect rectangles[] = {{1, 1, 6, 4}, {-3, -2, 4, 3}, {5, 4, 14, 11}, {0, 0, 10, 8}};
    const TPoint origins[] = {{0, 0}, {2, -1}};
    for (const TRect &rect : rectangles) {
        for (const TPoint &origin : origins) {
            for (const bool clipped : {false, true}) {
                for (const bool patterned : {false, true}) {
                    QImage filled = FilledImage(10, 8);
                    QImage region = FilledImage(10, 8);
                    const auto prepare = [&](TCanvas &canvas) {
                        canvas.SetOrigin(origin.X, origin.Y);
                        if (clipped)
                            canvas.SetClipRect({2, 0, 5, 7});
                        canvas.Brush().SetColor(clTeal);
                        canvas.Brush().SetBitmap(patterned ? &pattern : nullptr);
                        canvas.SetTextColor(clNavy);
                        canvas.SetBkColor(clYellow);
                    };
                    TCanvas byRect(&filled);
                    prepare(byRect);
                    byRect.FillRect(rect);
                    TCanvas byRegion(&region);
                    prepare(byRegion);
                    byRegion.FillRgn(TRegion::FromRect(rect), byRegion.Brush());
                    EXPECT_EQ(filled, region)
                        << rect.Left << "," << rect.Top << " origin " << origin.X << "," << origin.Y
                        << (clipped ? " clipped" : "") << (patterned ? " patterned" : "");
                }
            }
        }
    }
}

TEST(CanvasShapes, emptyAndInvertedFillsPaintNothing)
{
    const std::string blank = "....\n....\n....\n";
    EXPECT_EQ(Masked([](TCanvas &c) { c.FillRect({2, 2, 2, 3}); }, 4, 3), blank);
    EXPECT_EQ(Masked([](TCanvas &c) { c.FillRect({3, 3, 1, 1}); }, 4, 3), blank);
    EXPECT_EQ(Masked([](TCanvas &c) { c.FrameRect({3, 3, 1, 1}); }, 4, 3), blank);
    EXPECT_EQ(Masked([](TCanvas &c) { c.DrawFocusRect({3, 3, 1, 1}); }, 4, 3), blank);
}

TEST(CanvasShapes, fillRectAndFrameRectUseTheBrushOnly)
{
    EXPECT_EQ(Masked([](TCanvas &c) { c.FillRect({1, 0, 3, 2}); }, 4, 3), ".##.\n.##.\n....\n");
    EXPECT_EQ(Masked([](TCanvas &c) { c.FrameRect({0, 0, 4, 3}); }, 4, 3), "####\n#..#\n####\n");
    EXPECT_EQ(Masked(
                  [](TCanvas &c) {
                      c.Brush().SetStyle(bsClear);
                      c.FillRect({0, 0, 4, 3});
                  },
                  4, 3),
              "....\n....\n....\n");
}

TEST(CanvasShapes, rectangleWithoutPenFillsOnePixelLessEachWay)
{
    EXPECT_EQ(Masked(
                  [](TCanvas &c) {
                      c.Pen().SetStyle(psClear);
                      c.Rectangle(0, 0, 4, 3);
                  },
                  5, 4),
              "###..\n###..\n.....\n.....\n");
}

TEST(CanvasShapes, threePixelPenOutlinesTheWholeClientWithAHollowBrush)
{
    // The search dialog's frame: a 3-pixel pen centred on the path through
    // (0, 0)..(W - 1, H - 1) shows two pixels on each edge.
    QImage image = FilledImage(8, 7);
    TCanvas canvas(&image);
    canvas.Pen().SetWidth(3);
    canvas.Pen().SetColor(clNavy);
    canvas.Brush().SetStyle(bsClear);
    canvas.Rectangle(0, 0, 8, 7);
    EXPECT_EQ(PixelMask(image, {0, 0, 8, 7}), "########\n########\n##....##\n##....##\n##....##\n########\n########\n");
}

TEST(CanvasShapes, insideFramePenStaysWithinTheBox)
{
    QImage image = FilledImage(8, 7);
    TCanvas canvas(&image);
    canvas.Pen().SetWidth(2);
    canvas.Pen().SetStyle(psInsideFrame);
    canvas.Brush().SetStyle(bsClear);
    canvas.Rectangle(1, 1, 7, 6);
    EXPECT_EQ(PixelMask(image, {0, 0, 8, 7}), "........\n.######.\n.######.\n.##..##.\n.######.\n.######.\n........\n");
}

struct ShapeCase {
    const char *name;
    std::function<void(TCanvas &)> draw;
    int width, height;
    const char *mask;
};

class SmallShapeTest : public ::testing::TestWithParam<ShapeCase>
{ };

TEST_P(SmallShapeTest, paintsTheExpectedPixels)
{
    EXPECT_EQ(Masked(GetParam().draw, GetParam().width, GetParam().height), GetParam().mask);
}

INSTANTIATE_TEST_SUITE_P(
    Figures, SmallShapeTest,
    ::testing::Values(ShapeCase{"ellipse1", [](TCanvas &c) { c.Ellipse(0, 0, 1, 1); }, 2, 2, "#.\n..\n"},
                      ShapeCase{"ellipse2", [](TCanvas &c) { c.Ellipse(0, 0, 2, 2); }, 3, 3, "##.\n##.\n...\n"},
                      ShapeCase{"ellipse3", [](TCanvas &c) { c.Ellipse(0, 0, 3, 3); }, 3, 3, ".#.\n###\n.#.\n"},
                      ShapeCase{"circle6", [](TCanvas &c) { c.Ellipse(0, 0, 6, 6); }, 6, 6,
                                "..##..\n.####.\n######\n######\n.####.\n..##..\n"},
                      ShapeCase{"ellipseFlat", [](TCanvas &c) { c.Ellipse(0, 0, 8, 4); }, 8, 4,
                                "..####..\n########\n########\n..####..\n"},
                      ShapeCase{"ellipseInverted", [](TCanvas &c) { c.Ellipse(6, 6, 0, 0); }, 6, 6,
                                "..##..\n.####.\n######\n######\n.####.\n..##..\n"},
                      ShapeCase{"roundRect4", [](TCanvas &c) { c.RoundRect(0, 0, 7, 5, 4, 4); }, 7, 5,
                                ".#####.\n#######\n#######\n#######\n.#####.\n"},
                      ShapeCase{"roundRect6", [](TCanvas &c) { c.RoundRect(0, 0, 8, 6, 6, 6); }, 8, 6,
                                "..####..\n.######.\n########\n########\n.######.\n..####..\n"},
                      ShapeCase{"roundRectCornersLargerThanBox", [](TCanvas &c) { c.RoundRect(0, 0, 6, 6, 40, 40); }, 6,
                                6, "..##..\n.####.\n######\n######\n.####.\n..##..\n"},
                      ShapeCase{"roundRectNoCorners", [](TCanvas &c) { c.RoundRect(0, 0, 3, 2, 0, 0); }, 3, 2,
                                "###\n###\n"},
                      ShapeCase{"emptyEllipse", [](TCanvas &c) { c.Ellipse(2, 2, 2, 5); }, 3, 3, "...\n...\n...\n"}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(CanvasShapes, ellipseOutlineIsOnePixelThickAndEightConnected)
{
    QImage image = FilledImage(8, 8);
    TCanvas canvas(&image);
    canvas.Brush().SetStyle(bsClear);
    canvas.Ellipse(0, 0, 8, 8);
    EXPECT_EQ(PixelMask(image, {0, 0, 8, 8}),
              "..####..\n.#....#.\n#......#\n#......#\n#......#\n#......#\n.#....#.\n..####..\n");
}

TEST(CanvasShapes, polygonFillsByTheAlternateRuleAndClosesItsOutline)
{
    QImage image = FilledImage(5, 5);
    TCanvas canvas(&image);
    canvas.Pen().SetStyle(psClear);
    canvas.Brush().SetColor(clBlack);
    canvas.Polygon({{0, 0}, {4, 0}, {4, 4}, {0, 4}});
    EXPECT_EQ(PixelMask(image, {0, 0, 5, 5}), "####.\n####.\n####.\n####.\n.....\n");
    image.fill(Qt::white);
    canvas.Pen().SetStyle(psSolid);
    canvas.Brush().SetStyle(bsClear);
    canvas.Polygon({{0, 0}, {4, 0}, {4, 4}, {0, 4}});
    EXPECT_EQ(PixelMask(image, {0, 0, 5, 5}), "#####\n#...#\n#...#\n#...#\n#####\n");
}

TEST(CanvasShapes, pixelsOutsideTheImageReadInvalidAndIgnoreWrites)
{
    QImage image = FilledImage(2, 2);
    TCanvas canvas(&image);
    canvas.SetPixel(5, 5, clRed);
    canvas.SetPixel(1, 0, clBtnFace);
    EXPECT_EQ(canvas.Pixel(1, 0), RGB(212, 208, 200));
    EXPECT_EQ(canvas.Pixel(-1, 0), CLR_INVALID);
    EXPECT_EQ(canvas.Pixel(2, 0), CLR_INVALID);
}

TEST(CanvasShapes, canvasWithoutImageDoesNothing)
{
    TCanvas canvas;
    QImage empty;
    TCanvas overEmpty(&empty);
    for (TCanvas *c : {&canvas, &overEmpty}) {
        c->Rectangle(0, 0, 5, 5);
        c->Ellipse(0, 0, 5, 5);
        c->MoveTo(0, 0);
        c->LineTo(5, 5);
        c->DrawFocusRect({0, 0, 5, 5});
        TRect r(0, 0, 50, 20);
        c->DrawText(QStringLiteral("&Text"), r, DT_SINGLELINE);
        EXPECT_EQ(c->Pixel(0, 0), CLR_INVALID);
        EXPECT_TRUE(c->ClipRect().IsEmpty());
    }
}

TEST(CanvasShapes, saveAndRestoreKeepPenBrushOriginAndClip)
{
    QImage image = FilledImage(4, 4);
    TCanvas canvas(&image);
    canvas.Save();
    canvas.Pen().SetColor(clRed);
    canvas.SetOrigin(2, 2);
    canvas.SetClipRect({0, 0, 1, 1});
    canvas.Restore();
    EXPECT_EQ(canvas.Pen().Color(), clBlack);
    EXPECT_EQ(canvas.Origin(), TPoint(0, 0));
    EXPECT_EQ(canvas.ClipRect(), TRect(0, 0, 4, 4));
    canvas.Restore();
    EXPECT_EQ(canvas.Pen().Color(), clBlack);
}

} // namespace
