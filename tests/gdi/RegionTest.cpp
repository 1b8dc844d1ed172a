#include "toolkit/gdi/Region.h"
#include "support/PixelMask.h"
#include "toolkit/gdi/Canvas.h"

#include <gtest/gtest.h>

namespace {

std::string RegionMask(const TRegion &region, const TRect &area)
{
    std::string out;
    for (int y = area.Top; y < area.Bottom; ++y) {
        for (int x = area.Left; x < area.Right; ++x)
            out += region.Contains(x, y) ? '#' : '.';
        out += '\n';
    }
    return out;
}

// A five-pointed star drawn in one stroke: its centre is wound twice.
const std::vector<TPoint> kStar = {{5, 0}, {8, 10}, {0, 4}, {10, 4}, {2, 10}};

TEST(Region, rectangleExcludesRightAndBottomAndIsNormalised)
{
    const TRegion r = TRegion::FromRect({1, 1, 3, 2});
    EXPECT_EQ(RegionMask(r, {0, 0, 4, 3}), "....\n.##.\n....\n");
    EXPECT_EQ(r.BoundingBox(), TRect(1, 1, 3, 2));
    EXPECT_EQ(TRegion::FromRect({3, 3, 1, 1}), TRegion::FromRect({1, 1, 3, 3}));
    EXPECT_TRUE(TRegion::FromRect({3, 3, 3, 5}).IsEmpty());
    EXPECT_EQ(TRegion().BoundingBox(), TRect());
}

TEST(Region, windingRuleFillsTheCentreOfAStarThatAlternateLeavesOpen)
{
    const TRegion winding = TRegion::FromPolygon(kStar, WINDING);
    const TRegion alternate = TRegion::FromPolygon(kStar, ALTERNATE);
    EXPECT_TRUE(winding.Contains(5, 5));
    EXPECT_FALSE(alternate.Contains(5, 5));
    EXPECT_TRUE(alternate.Contains(5, 2));
    EXPECT_TRUE(winding.Contains(5, 2));
    EXPECT_EQ(TRegion::Combined(alternate, winding, RGN_DIFF), TRegion());
}

TEST(Region, polygonTakesPixelsWhoseCentresAreInside)
{
    const TRegion square = TRegion::FromPolygon({{0, 0}, {3, 0}, {3, 2}, {0, 2}});
    EXPECT_EQ(square, TRegion::FromRect({0, 0, 3, 2}));
    const TRegion triangle = TRegion::FromPolygon({{0, 0}, {4, 4}, {0, 4}});
    EXPECT_EQ(RegionMask(triangle, {0, 0, 5, 4}), ".....\n#....\n##...\n###..\n");
}

TEST(Region, unionOfTwoOffsetRectanglesKeepsBothAndBoundsThem)
{
    // The flat popup frame's shape: two rectangles two pixels apart.
    TRegion shape = TRegion::FromRect({0, 0, 6, 4});
    shape.Combine(TRegion::FromRect({2, 2, 8, 6}), RGN_OR);
    EXPECT_EQ(RegionMask(shape, {0, 0, 8, 6}), "######..\n######..\n########\n########\n..######\n..######\n");
    EXPECT_EQ(shape.BoundingBox(), TRect(0, 0, 8, 6));
    EXPECT_EQ(shape.Rects().size(), 3u);
    EXPECT_EQ(shape.ToQRegion().boundingRect(), QRect(0, 0, 8, 6));
    EXPECT_TRUE(shape.ToQRegion().contains(QPoint(7, 3)));
    EXPECT_FALSE(shape.ToQRegion().contains(QPoint(7, 1)));
}

TEST(Region, roundRectRegionHoldsExactlyThePixelsRoundRectPaints)
{
    for (const auto &[w, h, corner] : {std::tuple{20, 12, 6}, std::tuple{9, 9, 4}, std::tuple{30, 7, 12}}) {
        QImage image = FilledImage(w + 2, h + 2);
        TCanvas canvas(&image);
        canvas.Brush().SetColor(clBlack);
        canvas.RoundRect(1, 1, 1 + w, 1 + h, corner, corner);
        const TRegion region = TRegion::FromRoundRect(1, 1, 1 + w, 1 + h, corner, corner);
        EXPECT_EQ(RegionMask(region, {0, 0, w + 2, h + 2}), PixelMask(image, {0, 0, w + 2, h + 2}))
            << w << "x" << h << " corner " << corner;
    }
}

TEST(Region, fillAndFrameUseTheBrushWithTheGivenFrameSize)
{
    QImage image = FilledImage(7, 6);
    TCanvas canvas(&image);
    TBrush brush;
    brush.SetColor(clNavy);
    const TRegion region = TRegion::FromRect({0, 0, 7, 6});
    canvas.FrameRgn(region, brush, 2, 1);
    EXPECT_EQ(PixelMask(image, {0, 0, 7, 6}), "#######\n##...##\n##...##\n##...##\n##...##\n#######\n");
    canvas.FillRgn(TRegion::FromRect({2, 2, 4, 3}), brush);
    EXPECT_EQ(PixelAt(image, 3, 2), clNavy);
    EXPECT_EQ(PixelAt(image, 4, 2), clWhite);
}

TEST(Region, maskBitmapSetsTheRegionsPixels)
{
    const TRegion region = TRegion::FromRect({1, 0, 3, 1});
    const QImage mask = region.ToQBitmap(4, 2).toImage().convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(PixelMask(mask, {0, 0, 4, 2}), ".##.\n....\n");
}

TEST(Region, combineModes)
{
    const TRegion a = TRegion::FromRect({0, 0, 4, 1});
    const TRegion b = TRegion::FromRect({2, 0, 6, 1});
    EXPECT_EQ(RegionMask(TRegion::Combined(a, b, RGN_AND), {0, 0, 6, 1}), "..##..\n");
    EXPECT_EQ(RegionMask(TRegion::Combined(a, b, RGN_XOR), {0, 0, 6, 1}), "##..##\n");
    EXPECT_EQ(RegionMask(TRegion::Combined(a, b, RGN_DIFF), {0, 0, 6, 1}), "##....\n");
    EXPECT_EQ(RegionMask(TRegion::Combined(a, b, RGN_OR), {0, 0, 6, 1}), "######\n");
}

} // namespace
