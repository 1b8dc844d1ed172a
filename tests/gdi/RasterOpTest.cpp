#include "support/PixelMask.h"
#include "toolkit/gdi/Bitmap.h"
#include "toolkit/gdi/Canvas.h"

#include <gtest/gtest.h>

namespace {

struct RopCase {
    const char *name;
    TRasterOp rop;
    TColor expected;
};

class RasterOpTest : public ::testing::TestWithParam<RopCase>
{ };

// Destination 0x0F0F0F... source 0x335577, brush 0xF0F000 (as RGB bytes).
TEST_P(RasterOpTest, combinesPatternSourceAndDestinationBitwise)
{
    QImage target = FilledImage(2, 2, RGB(0x0F, 0x3C, 0xAA));
    QImage source = FilledImage(2, 2, RGB(0x33, 0x55, 0x77));
    TCanvas dst(&target), src(&source);
    dst.Brush().SetColor(RGB(0xF0, 0xF0, 0x00));
    dst.BitBlt(0, 0, 1, 2, src, 0, 0, GetParam().rop);
    EXPECT_EQ(PixelAt(target, 0, 1), GetParam().expected);
    EXPECT_EQ(PixelAt(target, 1, 1), RGB(0x0F, 0x3C, 0xAA));
}

INSTANTIATE_TEST_SUITE_P(Operations, RasterOpTest,
                         ::testing::Values(RopCase{"SRCCOPY", SRCCOPY, RGB(0x33, 0x55, 0x77)},
                                           RopCase{"SRCAND", SRCAND, RGB(0x03, 0x14, 0x22)},
                                           RopCase{"SRCPAINT", SRCPAINT, RGB(0x3F, 0x7D, 0xFF)},
                                           RopCase{"SRCINVERT", SRCINVERT, RGB(0x3C, 0x69, 0xDD)},
                                           RopCase{"masked", ROP_MASKED_BRUSH, RGB(0x3C, 0x78, 0x88)},
                                           RopCase{"PATCOPY", PATCOPY, RGB(0xF0, 0xF0, 0x00)},
                                           RopCase{"DSTINVERT", DSTINVERT, RGB(0xF0, 0xC3, 0x55)},
                                           RopCase{"BLACKNESS", BLACKNESS, clBlack}),
                         [](const auto &info) { return std::string(info.param.name); });

TEST(RasterOps, monochromeMaskPaintsTheBrushWhereSetAndKeepsTheRestWhereClear)
{
    // The disabled-glyph technique: text black, background white, the mask
    // as source, the brush painted through the mask's set pixels.
    TBitmap mask(3, 1, pf1bit);
    mask.Canvas().SetPixel(1, 0, clBlack);
    QImage target = FilledImage(3, 1, clBtnFace);
    TCanvas canvas(&target);
    canvas.Brush().SetColor(clBtnShadow);
    canvas.BitBlt(0, 0, 3, 1, mask.Canvas(), 0, 0, ROP_MASKED_BRUSH);
    EXPECT_EQ(PixelAt(target, 0, 0), RGB(128, 128, 128));
    EXPECT_EQ(PixelAt(target, 1, 0), RGB(212, 208, 200));
    EXPECT_EQ(PixelAt(target, 2, 0), RGB(128, 128, 128));
}

TEST(RasterOps, colourSourceOnMonochromeTargetSetsPixelsOfTheSourceBackground)
{
    QImage source = FilledImage(3, 1, clFuchsia);
    source.setPixel(1, 0, ToQRgb(clNavy));
    TCanvas src(&source);
    src.SetBkColor(clFuchsia);
    TBitmap mask(3, 1, pf1bit);
    mask.Canvas().BitBlt(0, 0, 3, 1, src, 0, 0, SRCCOPY);
    EXPECT_EQ(mask.Canvas().Pixel(0, 0), clWhite);
    EXPECT_EQ(mask.Canvas().Pixel(1, 0), clBlack);
}

TEST(RasterOps, stretchRepeatsAndDropsPixelsAndMirrorsOnOppositeSigns)
{
    QImage source = FilledImage(2, 1);
    source.setPixel(1, 0, qRgb(0, 0, 0));
    TCanvas src(&source);
    QImage target = FilledImage(4, 2);
    TCanvas dst(&target);
    dst.StretchBlt(0, 0, 4, 1, src, 0, 0, 2, 1, SRCCOPY);
    dst.StretchBlt(0, 1, 4, 1, src, 2, 0, -2, 1, SRCCOPY);
    EXPECT_EQ(PixelMask(target, {0, 0, 4, 2}), "..##\n##..\n");

    QImage wide = FilledImage(4, 1);
    wide.setPixel(1, 0, qRgb(0, 0, 0));
    TCanvas wideCanvas(&wide);
    QImage narrow = FilledImage(2, 1);
    TCanvas narrowCanvas(&narrow);
    narrowCanvas.StretchBlt(0, 0, 2, 1, wideCanvas, 0, 0, 4, 1, SRCCOPY);
    EXPECT_EQ(PixelMask(narrow, {0, 0, 2, 1}), "..\n");
}

TEST(RasterOps, drawUsesTheCopyModeAndTransparentBitmapsSkipTheirKeyColour)
{
    TBitmap glyph(3, 2, pf24bit);
    glyph.Canvas().Brush().SetColor(clFuchsia);
    glyph.Canvas().FillRect({0, 0, 3, 2});
    glyph.Canvas().SetPixel(1, 0, clNavy);
    QImage target = FilledImage(3, 2, clSilver);
    TCanvas canvas(&target);

    glyph.SetTransparent(true);
    EXPECT_EQ(glyph.TransparentColor(), clFuchsia);
    canvas.Draw(0, 0, glyph);
    EXPECT_EQ(PixelMask(target, {0, 0, 3, 2}, clSilver), ".#.\n...\n");

    glyph.SetTransparent(false);
    canvas.SetCopyMode(SRCAND);
    canvas.Draw(0, 0, glyph);
    EXPECT_EQ(PixelAt(target, 0, 0), RGB(192, 0, 192));
    EXPECT_EQ(PixelAt(target, 1, 0), RGB(0, 0, 128));
}

TEST(RasterOps, copyRectClipsAtBothImagesAndIgnoresEmptySources)
{
    QImage source = FilledImage(2, 2, clBlack);
    TCanvas src(&source);
    QImage target = FilledImage(3, 3);
    TCanvas dst(&target);
    dst.CopyRect({1, 1, 5, 5}, src, {0, 0, 4, 4});
    EXPECT_EQ(PixelMask(target, {0, 0, 3, 3}), "...\n.##\n.##\n");
    TBitmap empty;
    dst.Draw(0, 0, empty);
    dst.CopyRect({0, 0, 3, 3}, empty.Canvas(), {0, 0, 3, 3});
    EXPECT_EQ(PixelMask(target, {0, 0, 3, 3}), "...\n.##\n.##\n");
}

TEST(FocusRect, invertsEveryOtherFramePixelAndUndoesItselfWhenDrawnTwice)
{
    QImage target = FilledImage(6, 5);
    TCanvas canvas(&target);
    canvas.DrawFocusRect({0, 0, 6, 5});
    EXPECT_EQ(PixelMask(target, {0, 0, 6, 5}), "#.#.#.\n.....#\n#.....\n.....#\n#.#.#.\n");
    EXPECT_EQ(PixelAt(target, 0, 0), clBlack);
    canvas.DrawFocusRect({0, 0, 6, 5});
    EXPECT_EQ(PixelMask(target, {0, 0, 6, 5}), "......\n......\n......\n......\n......\n");
}

} // namespace

namespace {

// The result of a ternary code worked out one bit at a time, as the
// operation's truth table defines it.
QRgb TruthTable(unsigned code, QRgb p, QRgb s, QRgb d)
{
    QRgb result = 0;
    for (int bit = 0; bit < 24; ++bit) {
        const unsigned index = (((p >> bit) & 1u) << 2) | (((s >> bit) & 1u) << 1) | ((d >> bit) & 1u);
        result |= QRgb((code >> index) & 1u) << bit;
    }
    return result;
}

} // namespace

TEST(RasterOps, everyCodeAndItsShortcutsFollowTheTruthTable)
{
    const QRgb patterns[] = {0x000000, 0xFFFFFF, 0xF0F000, 0x5A5AA5};
    const QRgb sources[] = {0x000000, 0xFFFFFF, 0x335577, 0xC3C33C};
    const QRgb targets[] = {0x0F3CAA, 0xFFFFFF, 0x000000};
    for (unsigned code = 0; code < 256; ++code) {
        bool sourceMatters = false;
        for (QRgb p : patterns)
            for (QRgb s : sources)
                for (QRgb d : targets) {
                    ASSERT_EQ(ApplyTernary(code, p, s, d), TruthTable(code, p, s, d)) << std::hex << code;
                    sourceMatters |= TruthTable(code, p, s, d) != TruthTable(code, p, 0xFFFFFF & ~s, d);
                }
        EXPECT_EQ(UsesSource(code), sourceMatters) << std::hex << code;
    }
    EXPECT_EQ(TernaryCode(SRCCOPY), 0xCCu);
    EXPECT_EQ(TernaryCode(ROP_MASKED_BRUSH), 0xE2u);
}
