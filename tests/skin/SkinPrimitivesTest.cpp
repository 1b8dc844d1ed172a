#include "components/FlatSkin/SkinPrimitives.h"
#include "support/PixelMask.h"
#include "toolkit/gdi/SystemColors.h"

#include <algorithm>
#include <functional>
#include <gtest/gtest.h>

namespace {

struct ColorCase {
    TColor input;
    int amount;
    TColor expected;
};

class DarkenColorTest : public ::testing::TestWithParam<ColorCase>
{ };

TEST_P(DarkenColorTest, subtractsAmountWithGreenKeptTwoHigher)
{
    EXPECT_EQ(DarkenColor(GetParam().input, GetParam().amount), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Examples, DarkenColorTest,
                         ::testing::Values(ColorCase{RGB(212, 208, 200), 90, RGB(122, 120, 110)},
                                           ColorCase{clBlack, 0, RGB(0, 2, 0)},
                                           ColorCase{clWhite, 10, RGB(245, 247, 245)}, ColorCase{clWhite, 0, clWhite},
                                           ColorCase{RGB(10, 10, 10), 300, RGB(0, 0, 0)},
                                           ColorCase{RGB(250, 250, 250), -20, clWhite},
                                           ColorCase{clBtnFace, 90, RGB(122, 120, 110)}));

class LightenColorTest : public ::testing::TestWithParam<ColorCase>
{ };

TEST_P(LightenColorTest, movesTowardsWhiteRoundingHalfToEven)
{
    EXPECT_EQ(LightenColor(GetParam().input, GetParam().amount), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Examples, LightenColorTest,
    ::testing::Values(ColorCase{RGB(212, 208, 200), 86, RGB(249, 248, 247)}, ColorCase{clBlack, 50, RGB(128, 128, 128)},
                      ColorCase{RGB(1, 3, 5), 50, RGB(128, 129, 130)}, ColorCase{clFuchsia, 30, RGB(255, 76, 255)},
                      ColorCase{RGB(17, 99, 200), 0, RGB(17, 99, 200)}, ColorCase{RGB(17, 99, 200), 100, clWhite},
                      ColorCase{RGB(17, 99, 200), 250, clWhite}, ColorCase{clHighlight, 0, RGB(10, 36, 106)}));

// The lightening rule in integers alone: the fraction is percent / 100 rounded
// to a 64-bit mantissa, the product (255 - v) * fraction is rounded to a
// 64-bit mantissa as well, then to an integer (halves to even), and only then
// added to v.
using Wide = unsigned __int128;

constexpr int kMantissaBits = 64;

int BitLength(Wide x)
{
    int bits = 0;
    for (; x != 0; x >>= 1)
        ++bits;
    return bits;
}

// numerator / denominator rounded to an integer, halves to even.
Wide DivideRoundingHalfToEven(Wide numerator, Wide denominator)
{
    const Wide quotient = numerator / denominator;
    const Wide twiceRemainder = (numerator - quotient * denominator) * 2;
    if (twiceRemainder > denominator || (twiceRemainder == denominator && (quotient & 1) != 0))
        return quotient + 1;
    return quotient;
}

int LightenedChannelInIntegers(int v, int percent)
{
    if (percent == 0)
        return v;
    // fraction = mantissa / 2^scale, the mantissa 64 bits long
    int scale = 0;
    while ((Wide(percent) << scale) / 100 < (Wide(1) << (kMantissaBits - 1)))
        ++scale;
    const Wide mantissa = DivideRoundingHalfToEven(Wide(percent) << scale, 100);
    // product = mantissa * (255 - v) / 2^scale, its mantissa cut to 64 bits
    Wide product = mantissa * Wide(255 - v);
    int productScale = scale;
    if (const int excess = BitLength(product) - kMantissaBits; excess > 0) {
        product = DivideRoundingHalfToEven(product, Wide(1) << excess);
        productScale -= excess;
    }
    return v + int(DivideRoundingHalfToEven(product, Wide(1) << productScale));
}

TEST(LightenColorRule, everyChannelValueAtEveryPercentRoundsTheProductBeforeAddingIt)
{
    constexpr int kReported = 10;
    int mismatches = 0;
    for (int percent = 0; percent <= 100; ++percent)
        for (int v = 0; v <= 255; ++v) {
            const int expected = LightenedChannelInIntegers(v, percent);
            const TColor lightened = LightenColor(RGB(v, v, v), percent);
            if (lightened != RGB(expected, expected, expected) && ++mismatches <= kReported)
                ADD_FAILURE() << "v " << v << ", percent " << percent << ": " << GetRValue(lightened) << ", not "
                              << expected;
        }
    EXPECT_EQ(mismatches, 0);
}

} // namespace

namespace {

TEST(AverageColors, dividesEachColourBeforeSumming)
{
    EXPECT_EQ(AverageColors({RGB(255, 255, 255), RGB(255, 255, 255)}), RGB(254, 254, 254));
    EXPECT_EQ(AverageColors({RGB(3, 5, 7), RGB(3, 5, 7), RGB(3, 5, 7)}), RGB(3, 3, 6));
    EXPECT_EQ(AverageColors({clBtnFace}), RGB(212, 208, 200));
    EXPECT_EQ(AverageColors(std::vector<TColor>{}), clBlack);
}

TEST(GrayColor, averagesChannelsAddsOffsetAndStaysWithin0To240)
{
    EXPECT_EQ(GrayColor(clFuchsia, 10), RGB(180, 180, 180));
    EXPECT_EQ(GrayColor(RGB(1, 1, 2), 0), RGB(1, 1, 1));
    EXPECT_EQ(GrayColor(clWhite, 0), RGB(240, 240, 240));
    EXPECT_EQ(GrayColor(clBlack, 1000), RGB(240, 240, 240));
    EXPECT_EQ(GrayColor(clBlack, -10), RGB(0, 0, 0));
}

TBitmap KeyedGlyph()
{
    TBitmap glyph(4, 3, pf24bit);
    glyph.Canvas().Brush().SetColor(clFuchsia);
    glyph.Canvas().FillRect({0, 0, 4, 3});
    glyph.Canvas().SetPixel(1, 1, clNavy);
    return glyph;
}

TEST(BitmapPrimitives, theKeyColourStaysUniformAndKeepsNamingTheTransparentColour)
{
    TBitmap lightened = KeyedGlyph();
    LightenBitmap(lightened, 30);
    EXPECT_EQ(lightened.TransparentColor(), RGB(255, 76, 255));
    EXPECT_EQ(lightened.Canvas().Pixel(3, 0), RGB(255, 76, 255));
    EXPECT_EQ(lightened.Canvas().Pixel(1, 1), LightenColor(clNavy, 30));

    TBitmap grayed = KeyedGlyph();
    GrayBitmap(grayed, 10);
    EXPECT_EQ(grayed.TransparentColor(), RGB(180, 180, 180));
    LightenBitmap(grayed, 40);
    EXPECT_EQ(grayed.TransparentColor(), RGB(210, 210, 210));
    EXPECT_EQ(grayed.Canvas().Pixel(1, 1), LightenColor(GrayColor(clNavy, 10), 40));

    TBitmap capped = KeyedGlyph();
    LightenBitmap(capped, 500);
    EXPECT_EQ(capped.Canvas().Pixel(1, 1), clWhite);

    TBitmap empty;
    LightenBitmap(empty, 30);
    GrayBitmap(empty, 10);
    EXPECT_TRUE(empty.Empty());
}

std::string Drawn(const std::function<void(TCanvas &)> &draw, const TRect &area)
{
    QImage image = FilledImage(20, 20);
    TCanvas canvas(&image);
    draw(canvas);
    return PixelMask(image, area);
}

TEST(DrawingPrimitives, dropArrowIsADownwardTriangleFiveThreeAndOnePixelsWide)
{
    EXPECT_EQ(Drawn([](TCanvas &c) { DrawDropArrow(c, 2, 3); }, {2, 3, 8, 6}), "#####.\n.###..\n..#...\n");
}

TEST(DrawingPrimitives, chevronsAreThreePixelsThickWithTheTipAtX)
{
    EXPECT_EQ(Drawn([](TCanvas &c) { DrawChevron(c, 8, 8, kChevronUp); }, {3, 8, 14, 12}),
              ".....#.....\n....###....\n...#####...\n..###.###..\n");
    EXPECT_EQ(Drawn([](TCanvas &c) { DrawChevron(c, 8, 8, kChevronDown); }, {3, 8, 14, 12}),
              "..#######..\n...#.###...\n....###....\n.....#.....\n");
    for (int direction : {-1, 2, 99})
        EXPECT_EQ(Drawn([direction](TCanvas &c) { DrawChevron(c, 8, 8, direction); }, {0, 0, 20, 20}),
                  Drawn([](TCanvas &) {}, {0, 0, 20, 20}));
}

TEST(DrawingPrimitives, checkTickIsThreePixelsThickWithItsLowestPointAtXPlus4YMinus3)
{
    EXPECT_EQ(Drawn([](TCanvas &c) { DrawCheckTick(c, 0, 12); }, {0, 1, 10, 10}), "..........\n"
                                                                                  "..........\n"
                                                                                  "........#.\n"
                                                                                  ".......##.\n"
                                                                                  "..#...###.\n"
                                                                                  "..##.###..\n"
                                                                                  "..#####...\n"
                                                                                  "...###....\n"
                                                                                  "....#.....\n");
}

TEST(DrawingPrimitives, glyphShadowPaintsEveryPixelThatDiffersFromTheBottomLeftOne)
{
    const TBitmap glyph = KeyedGlyph();
    EXPECT_EQ(Drawn([&glyph](TCanvas &c) { DrawGlyphShadow(glyph, c, 5, 6, clGray); }, {4, 5, 10, 10}),
              "......\n......\n..#...\n......\n......\n");
    TBitmap uniform(3, 3);
    EXPECT_EQ(Drawn([&uniform](TCanvas &c) { DrawGlyphShadow(uniform, c, 0, 0, clGray); }, {0, 0, 4, 4}),
              "....\n....\n....\n....\n");
    EXPECT_EQ(Drawn([](TCanvas &c) { DrawGlyphShadow(TBitmap(), c, 0, 0, clGray); }, {0, 0, 2, 2}), "..\n..\n");
}

} // namespace
