#include "components/FlatBtn/FlatBtnLayout.h"

#include <gtest/gtest.h>

namespace {

TFlatBtnLayoutInput input(QSize button, QSize glyph, QSize text, bool showGlyph, TFlatBtnType type,
                          TGlyphPosition position, bool rightToLeft = false)
{
    return {button, glyph, text, text.height(), showGlyph, type, position, rightToLeft};
}

struct PlacementCase {
    const char *name;
    TFlatBtnLayoutInput in;
    TPoint glyph;
    TPoint text;
};

class Placement : public ::testing::TestWithParam<PlacementCase>
{ };

TEST_P(Placement, placesGlyphAndCaption)
{
    const PlacementCase &c = GetParam();
    const TFlatBtnPlacement p = PlaceGlyphAndCaption(c.in);
    EXPECT_EQ(p.Glyph.TopLeft(), c.glyph) << c.name;
    EXPECT_EQ(p.Text.TopLeft(), c.text) << c.name;
    EXPECT_EQ(p.Glyph.Width(), c.in.Glyph.width()) << c.name;
    EXPECT_EQ(p.Text.Height(), c.in.Text.height()) << c.name;
}

const QSize kDialogButton(73, 26), kGlyph16(16, 16), kCaption(30, 13);

INSTANTIATE_TEST_SUITE_P(
    Cases, Placement,
    ::testing::Values(PlacementCase{"dialog button, glyph left",
                                    input(kDialogButton, kGlyph16, kCaption, true, bsButton, bsLeft),
                                    {6, 5},
                                    {30, 7}},
                      PlacementCase{"glyph right mirrors the caption",
                                    input(kDialogButton, kGlyph16, kCaption, true, bsButton, bsRight),
                                    {50, 5},
                                    {12, 7}},
                      PlacementCase{"right-to-left swaps left and right",
                                    input(kDialogButton, kGlyph16, kCaption, true, bsButton, bsLeft, true),
                                    {50, 5},
                                    {12, 7}},
                      PlacementCase{"glyph on top",
                                    input(QSize(73, 50), kGlyph16, kCaption, true, bsButton, bsTop),
                                    {29, 6},
                                    {22, 27}},
                      PlacementCase{"glyph at the bottom",
                                    input(QSize(73, 50), kGlyph16, kCaption, true, bsButton, bsBottom),
                                    {29, 27},
                                    {22, 9}},
                      PlacementCase{"hidden glyph centres the caption",
                                    input(kDialogButton, kGlyph16, kCaption, false, bsButton, bsLeft),
                                    {0, 0},
                                    {22, 7}},
                      PlacementCase{"compact type, glyph left of the caption",
                                    input(QSize(100, 30), QSize(15, 15), kCaption, true, bsHintButton, bsTop),
                                    {2, 2},
                                    {22, 2}},
                      PlacementCase{"compact type right-to-left",
                                    input(QSize(100, 30), QSize(15, 15), kCaption, true, bsHintButton, bsTop, true),
                                    {83, 2},
                                    {48, 2}},
                      PlacementCase{"compact type at the bottom",
                                    input(QSize(100, 30), QSize(9, 9), kCaption, true, bsUpButton, bsBottom),
                                    {2, 16},
                                    {16, 14}},
                      PlacementCase{"compact type, hidden glyph, right-to-left",
                                    input(QSize(100, 30), QSize(9, 9), kCaption, false, bsRadioButton, bsTop, true),
                                    {0, 0},
                                    {68, 2}}),
    [](const auto &info) { return std::to_string(info.index); });

TEST(FlatBtnLayout, pressedOffsetMovesCaptionAndShownGlyphOnly)
{
    TFlatBtnPlacement p = PlaceGlyphAndCaption(input(kDialogButton, kGlyph16, kCaption, true, bsButton, bsLeft));
    ApplyPressedOffset(p, true);
    EXPECT_EQ(p.Glyph.TopLeft(), TPoint(7, 6));
    EXPECT_EQ(p.Text.TopLeft(), TPoint(31, 8));

    TFlatBtnPlacement hidden = PlaceGlyphAndCaption(input(kDialogButton, kGlyph16, kCaption, false, bsButton, bsLeft));
    ApplyPressedOffset(hidden, false);
    EXPECT_EQ(hidden.Glyph.TopLeft(), TPoint(0, 0));
    EXPECT_EQ(hidden.Text.TopLeft(), TPoint(23, 8));
}

TEST(FlatBtnLayout, wrapWidthDependsOnTypeGlyphAndPosition)
{
    EXPECT_EQ(CaptionWrapWidth(70, 16, true, bsButton, bsLeft), 36);
    EXPECT_EQ(CaptionWrapWidth(70, 16, false, bsButton, bsRight), 57);
    EXPECT_EQ(CaptionWrapWidth(70, 16, true, bsButton, bsTop), 57);
    EXPECT_EQ(CaptionWrapWidth(70, 16, false, bsButton, bsBottom), 57);
    EXPECT_EQ(CaptionWrapWidth(70, 15, true, bsHintButton, bsTop), 45);
    EXPECT_EQ(CaptionWrapWidth(70, 15, false, bsHintButton, bsTop), 65);
}

TEST(FlatBtnLayout, fittingHeightMakesRoomForCaptionAndGlyph)
{
    EXPECT_EQ(FittingHeight(13, 16, true, bsButton, bsLeft), 26); // max(13, 16) + 10
    EXPECT_EQ(FittingHeight(26, 16, true, bsButton, bsRight), 36);
    EXPECT_EQ(FittingHeight(13, 16, true, bsButton, bsTop), 43); // 13 + 16 + 4 + 10
    EXPECT_EQ(FittingHeight(13, 16, false, bsButton, bsTop), 23);
    EXPECT_EQ(FittingHeight(13, 15, true, bsHintButton, bsTop), 20);
}

TEST(FlatBtnLayout, multiLineFocusOutlineFollowsTheLastLine)
{
    const TRect text{10, 5, 60, 31}; // two lines of 13
    EXPECT_EQ(MultiLineFocusOutline(text, 2, 20, 13, false),
              (std::vector<TPoint>{{9, 32}, {9, 4}, {61, 4}, {61, 17}, {31, 17}, {31, 32}, {9, 32}}));
    // A last line as wide as the text keeps the outline a rectangle.
    EXPECT_EQ(MultiLineFocusOutline(text, 2, 70, 13, false)[4], TPoint(61, 17));
    EXPECT_EQ(MultiLineFocusOutline(text, 2, 20, 13, true),
              (std::vector<TPoint>{{61, 32}, {61, 4}, {9, 4}, {9, 17}, {39, 17}, {39, 32}, {61, 32}}));
}

} // namespace
