#include "toolkit/gdi/PaletteMap.h"

#include <gtest/gtest.h>

namespace {

constexpr QRgb kOpaque = 0xFF000000;

TEST(PaletteMap, anEmptyPaletteKeepsEveryColourAndMakesItOpaque)
{
    const TPaletteMap map;
    EXPECT_EQ(map.Map(0x00123456), kOpaque | 0x123456);
    EXPECT_FALSE(map.IsMonochrome());
}

TEST(PaletteMap, colourBecomesTheNearestEntryAndTheFirstOfEqualsWins)
{
    TPaletteMap map;
    map.SetEntries({qRgb(0, 0, 0), qRgb(200, 0, 0), qRgb(0, 0, 200), qRgb(200, 0, 0)});
    EXPECT_EQ(map.Map(qRgb(150, 20, 10)), qRgb(200, 0, 0));
    EXPECT_EQ(map.Map(qRgb(20, 10, 40)), qRgb(0, 0, 0));
    // As far from the red entry as from the blue one, and farther from black.
    EXPECT_EQ(map.Map(qRgb(150, 0, 150)), qRgb(200, 0, 0));
}

TEST(PaletteMap, aNewPaletteForgetsTheLastAnswer)
{
    TPaletteMap map;
    map.SetEntries({qRgb(0, 0, 0), qRgb(255, 255, 255)});
    EXPECT_EQ(map.Map(qRgb(200, 200, 200)), qRgb(255, 255, 255));
    map.SetEntries({qRgb(0, 0, 0), qRgb(128, 128, 128)});
    EXPECT_EQ(map.Map(qRgb(200, 200, 200)), qRgb(128, 128, 128));
}

TEST(PaletteMap, onlyBlackThenWhiteIsMonochrome)
{
    TPaletteMap map;
    map.SetEntries({0x000000, 0xFFFFFF});
    EXPECT_TRUE(map.IsMonochrome());
    map.SetEntries({0xFFFFFF, 0x000000});
    EXPECT_FALSE(map.IsMonochrome());
    map.SetEntries({0x000000, 0xFFFFFF, 0x808080});
    EXPECT_FALSE(map.IsMonochrome());
}

} // namespace
