#include "flatbtn/FlatBtnFixture.h"

#include "components/FlatBtn/GlyphDrawing.h"

namespace {

struct Probe {
    int x, y; // negative: from the right or bottom edge
    TColor colour;
};

struct OutlineCase {
    const char *name;
    bool cutCornerLook;
    State state;
    std::vector<Probe> probes;
};

class OutlinePixels : public FlatGlyphButtonTest, public ::testing::WithParamInterface<OutlineCase>
{ };

// A 40 x 30 button without caption; the pointer moves in and presses to
// reach the state.
TEST_P(OutlinePixels, drawsEachLookAndState)
{
    const OutlineCase &c = GetParam();
    button->resize(40, 30);
    button->SetCutCornerLook(c.cutCornerLook);
    button->SetShowGlyph(false);
    useOutlineColours();
    if (c.state != State::Normal)
        move(inside);
    if (c.state == State::Pressed || c.state == State::PressedAway)
        press(inside);
    if (c.state == State::PressedAway)
        move(outside, Qt::LeftButton);
    ASSERT_EQ(button->MouseState(), c.state);

    const QImage image = look();
    for (const Probe &p : c.probes) {
        const int x = p.x < 0 ? 40 + p.x : p.x, y = p.y < 0 ? 30 + p.y : p.y;
        EXPECT_EQ(pixel(image, x, y), p.colour) << c.name << " at (" << x << ", " << y << ")";
    }
}

const std::vector<Probe> kCutCornerRing{
    {0, 0, kFace},       {1, 1, kFace},       {2, 2, kInactive},   {20, 1, kInactive}, {1, 15, kInactive},
    {20, -2, kInactive}, {-2, 15, kInactive}, {-3, -3, kInactive}, {20, 0, kFace},     {20, 15, kFace}};
const std::vector<Probe> kRoundRing{{1, 1, kFace},       {20, 1, kFace},     {8, 2, kInactive},
                                    {20, 2, kInactive},  {2, 15, kInactive}, {20, -2, kInactive},
                                    {-2, 15, kInactive}, {5, 4, kInactive},  {20, 3, kFace}};

INSTANTIATE_TEST_SUITE_P(
    Looks, OutlinePixels,
    ::testing::Values(OutlineCase{"cut corners at rest", true, State::Normal, kCutCornerRing},
                      OutlineCase{"cut corners pressed away look as at rest", true, State::PressedAway, kCutCornerRing},
                      OutlineCase{"cut corners hot",
                                  true,
                                  State::Hot,
                                  {{20, 1, kOutline},
                                   {1, 15, kOutline},
                                   {1, -4, kOutline},
                                   {20, -2, kActive},
                                   {-2, 15, kActive},
                                   {3, -2, kActive},
                                   {-2, 3, kInactive},
                                   {2, -3, kInactive},
                                   {20, 0, kOutline2},
                                   {0, 15, kOutline2},
                                   {20, -1, kOutline2},
                                   {-1, 15, kOutline2},
                                   {0, 0, kFace}}},
                      OutlineCase{"cut corners pressed",
                                  true,
                                  State::Pressed,
                                  {{20, 1, kActive},
                                   {1, 15, kActive},
                                   {1, -5, kActive},
                                   {-3, 2, kInactive},
                                   {1, -4, kInactive},
                                   {20, -1, kOutline},
                                   {-1, 15, kOutline},
                                   {1, -3, kOutline},
                                   {20, 0, kOutline2},
                                   {0, 15, kOutline2},
                                   {0, -4, kOutline2},
                                   {20, -2, kOutline2},
                                   {-2, 15, kOutline2},
                                   {2, -3, kOutline2}}},
                      OutlineCase{"rounded at rest", false, State::Normal, kRoundRing},
                      OutlineCase{"rounded pressed away look as at rest", false, State::PressedAway, kRoundRing},
                      OutlineCase{"rounded hot",
                                  false,
                                  State::Hot,
                                  {{20, 2, kActive},
                                   {2, 15, kActive},
                                   {20, -2, kActive},
                                   {-2, 15, kActive},
                                   {20, 1, kInactive},
                                   {1, 15, kInactive},
                                   {20, -3, kInactive},
                                   {-3, 15, kInactive},
                                   {20, 3, kOutline},
                                   {20, 4, kOutline},
                                   {3, 15, kOutline},
                                   {4, 15, kOutline},
                                   {20, -1, kFace}}},
                      OutlineCase{"rounded pressed",
                                  false,
                                  State::Pressed,
                                  {{20, 2, kActive},
                                   {2, 15, kActive},
                                   {20, 1, kInactive},
                                   {1, 15, kInactive},
                                   {3, 15, kInactive},
                                   {20, -2, kInactive},
                                   {-2, 15, kInactive},
                                   {20, -1, kOutline},
                                   {-1, 15, kOutline},
                                   {20, 3, kOutline},
                                   {20, 4, kOutline},
                                   {4, 15, kOutline},
                                   {5, 15, kOutline}}}),
    [](const auto &info) { return std::to_string(info.index); });

TEST_F(FlatGlyphButtonTest, compactTypesDrawNoOutline)
{
    button->SetControlType(bsRadioButton);
    button->SetShowGlyph(false);
    useOutlineColours();
    move(inside);
    press(inside);
    const QImage image = look();
    for (int x = 0; x < image.width(); ++x)
        for (int y = 0; y < image.height(); ++y) {
            const TColor c = pixel(image, x, y);
            ASSERT_TRUE(c != kInactive && c != kActive && c != kOutline && c != kOutline2) << x << ", " << y;
        }
}

// A 16 x 16 glyph, fuchsia but for a black square at (4..7, 4..7).
TBitmap squareGlyph(TColor square = clBlack)
{
    TBitmap glyph(16, 16);
    glyph.Canvas().Brush().SetColor(clFuchsia);
    glyph.Canvas().FillRect({0, 0, 16, 16});
    glyph.Canvas().Brush().SetColor(square);
    glyph.Canvas().FillRect({4, 4, 8, 8});
    return glyph;
}

TEST_F(FlatGlyphButtonTest, glyphLeavesItsTransparentColourOutAndMovesWhenPressed)
{
    button->resize(73, 26);
    useOutlineColours();
    button->SetUseCustomGlyphs(true);
    button->SetInactiveGlyph(squareGlyph());
    button->SetTransparentColor(clFuchsia);
    button->SetShowGlyph(true);

    QImage image = look();
    // The glyph stands at (6, 5).
    EXPECT_EQ(pixel(image, 6 + 4, 5 + 4), clBlack);
    EXPECT_EQ(pixel(image, 6 + 8, 5 + 8), kFace);

    move(inside);
    image = look();
    EXPECT_EQ(pixel(image, 6 + 4, 5 + 4), clBlack) << "hot falls back to InactiveGlyph";
    press(inside);
    image = look();
    EXPECT_EQ(pixel(image, 7 + 4, 6 + 4), clBlack) << "pressed falls back to InactiveGlyph, shifted";
    EXPECT_EQ(pixel(image, 6 + 4, 5 + 4), kFace);
}

TEST_F(FlatGlyphButtonTest, disabledButtonShowsBuiltInOrEmbossedGlyph)
{
    button->SetControlType(bsHintButton);
    button->setEnabled(false);
    QImage image = look();
    TBitmap disabledBulb;
    disabledBulb.LoadFromResourceName(QStringLiteral("FLATBTN_22"));
    // The bulb's glass at its centre, drawn at (2, 2).
    EXPECT_EQ(pixel(image, 2 + 7, 2 + 5), disabledBulb.Canvas().Pixel(7, 5));

    button->SetUseCustomGlyphs(true);
    button->SetInactiveGlyph(squareGlyph());
    image = look();
    const TColor face = ColorToRGB(clBtnFace);
    EXPECT_EQ(pixel(image, 2 + 4, 2 + 4), ColorToRGB(clBtnShadow));
    EXPECT_EQ(pixel(image, 2 + 8, 2 + 8), ColorToRGB(clBtnHighlight));
    EXPECT_EQ(pixel(image, 2 + 0, 2 + 0), face) << "the square is not transparent";
}

TEST(GlyphDrawing, transparentPixelsKeepTheTargetOthersCoverIt)
{
    TBitmap target(20, 20);
    target.Canvas().Brush().SetColor(clNavy);
    target.Canvas().FillRect({0, 0, 20, 20});
    DrawTransparentGlyph(target.Canvas(), 2, 2, squareGlyph(clRed), clFuchsia);
    EXPECT_EQ(target.Canvas().Pixel(2, 2), clNavy);
    EXPECT_EQ(target.Canvas().Pixel(6, 6), clRed);
    EXPECT_EQ(target.Canvas().Pixel(17, 17), clNavy);

    DrawTransparentGlyph(target.Canvas(), 0, 0, TBitmap(), clFuchsia);
    EXPECT_EQ(target.Canvas().Pixel(0, 0), clNavy);
}

TEST(GlyphDrawing, disabledImageEmbossesOnlyBlackPixels)
{
    TBitmap glyph = squareGlyph();
    glyph.Canvas().SetPixel(12, 12, clRed);
    const TBitmap disabled = MakeDisabledGlyph(glyph);
    TBitmap copy(disabled);
    TCanvas &c = copy.Canvas();
    EXPECT_EQ(c.Pixel(4, 4), ColorToRGB(clBtnShadow));
    EXPECT_EQ(c.Pixel(7, 7), ColorToRGB(clBtnShadow));
    EXPECT_EQ(c.Pixel(8, 8), ColorToRGB(clBtnHighlight));
    EXPECT_EQ(c.Pixel(8, 5), ColorToRGB(clBtnHighlight));
    EXPECT_EQ(c.Pixel(12, 12), ColorToRGB(clBtnFace));
    EXPECT_EQ(c.Pixel(0, 0), ColorToRGB(clBtnFace));
}

TEST_F(FlatGlyphButtonTest, focusCueInvertsADottedFrameAroundTheCaption)
{
    button->resize(73, 26);
    useOutlineColours();
    button->SetCaption(QStringLiteral("Найти"));
    const QImage unfocused = look();
    button->setFocus();
    const QImage focused = look();
    int changed = 0;
    for (int x = 0; x < 73; ++x)
        for (int y = 0; y < 26; ++y)
            changed += unfocused.pixel(x, y) != focused.pixel(x, y);
    EXPECT_GT(changed, 20);
}

TEST_F(FlatGlyphButtonTest, defaultButtonCaptionIsBoldWhoeverHasTheFocus)
{
    button->resize(73, 26);
    useOutlineColours();
    TFont tahoma;
    tahoma.SetName(QStringLiteral("Tahoma"));
    button->SetFont(tahoma);
    button->SetCaption(QStringLiteral("Найти"));
    auto ink = [this] {
        const QImage image = look();
        int dark = 0;
        for (int x = 3; x < 70; ++x)
            for (int y = 3; y < 23; ++y)
                dark += pixel(image, x, y) == ColorToRGB(clWindowText);
        return dark;
    };
    const int regular = ink();
    button->SetDefault(true);
    ASSERT_FALSE(button->hasFocus());
    EXPECT_GT(ink(), regular);
}

TEST_F(FlatGlyphButtonTest, captionsLongerThanTheTextBufferAreDrawnWhole)
{
    const QString caption(300, QLatin1Char('x'));
    TBitmap measure(1, 1);
    measure.Canvas().SetFont(button->Font());
    const int total = measure.Canvas().TextWidth(caption), last = measure.Canvas().TextWidth(QStringLiteral("xxxxx"));
    button->resize(total + 40, 23);
    button->SetWordWrap(false);
    button->SetCaption(caption);
    const QImage image = look();
    const int right = (button->width() - total - 1) / 2 + 1 + total;
    bool inkInLastCharacters = false;
    for (int x = right - last; x < right; ++x)
        for (int y = 4; y < 19; ++y)
            inkInLastCharacters |= pixel(image, x, y) != button->Color();
    EXPECT_TRUE(inkInLastCharacters);
}

TEST_F(FlatGlyphButtonTest, unbreakableCaptionDrawsNothing)
{
    button->resize(16, 23);
    useOutlineColours();
    button->SetCaption(QStringLiteral("Ж"));
    const QImage image = look();
    EXPECT_TRUE(button->CaptionLines().isEmpty());
    for (int x = 3; x < 13; ++x)
        for (int y = 3; y < 20; ++y)
            ASSERT_EQ(pixel(image, x, y), kFace) << x << ", " << y;
}

} // namespace
