#include "components/FlatSkin/SkinPrimitives.h"
#include "toolkit/SystemColors.h"

#include <gtest/gtest.h>

namespace {

struct ColorCase {
    TColor input;
    int amount;
    TColor expected;
};

class DarkenColorTest : public ::testing::TestWithParam<ColorCase> {};

TEST_P(DarkenColorTest, subtractsAmountWithGreenKeptTwoHigher)
{
    EXPECT_EQ(DarkenColor(GetParam().input, GetParam().amount), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Examples, DarkenColorTest,
                         ::testing::Values(ColorCase{RGB(212, 208, 200), 90, RGB(122, 120, 110)},
                                           ColorCase{clBlack, 0, RGB(0, 2, 0)},
                                           ColorCase{clWhite, 10, RGB(245, 247, 245)},
                                           ColorCase{clWhite, 0, clWhite},
                                           ColorCase{RGB(10, 10, 10), 300, RGB(0, 0, 0)},
                                           ColorCase{RGB(250, 250, 250), -20, clWhite},
                                           ColorCase{clBtnFace, 90, RGB(122, 120, 110)}));

class LightenColorTest : public ::testing::TestWithParam<ColorCase> {};

TEST_P(LightenColorTest, movesTowardsWhiteRoundingHalfToEven)
{
    EXPECT_EQ(LightenColor(GetParam().input, GetParam().amount), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Examples, LightenColorTest,
                         ::testing::Values(ColorCase{RGB(212, 208, 200), 86, RGB(249, 248, 247)},
                                           ColorCase{clBlack, 50, RGB(128, 128, 128)},
                                           ColorCase{RGB(1, 3, 5), 50, RGB(128, 129, 130)},
                                           ColorCase{clFuchsia, 30, RGB(255, 76, 255)},
                                           ColorCase{RGB(17, 99, 200), 0, RGB(17, 99, 200)},
                                           ColorCase{RGB(17, 99, 200), 100, clWhite},
                                           ColorCase{RGB(17, 99, 200), 250, clWhite},
                                           ColorCase{clHighlight, 0, RGB(10, 36, 106)}));

} // namespace
