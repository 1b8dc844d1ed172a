#include "toolkit/gdi/Bitmap.h"
#include "support/PixelMask.h"
#include "toolkit/gdi/Canvas.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <stdexcept>

namespace {

TEST(Bitmap, zeroSizeBitmapIsEmptyAndSafeToUse)
{
    for (TBitmap bitmap : {TBitmap(), TBitmap(0, 5), TBitmap(5, 0, pf8bit)}) {
        EXPECT_TRUE(bitmap.Empty());
        bitmap.Canvas().FillRect({0, 0, 5, 5});
        bitmap.Canvas().SetPixel(0, 0, clRed);
        EXPECT_EQ(bitmap.Canvas().Pixel(0, 0), CLR_INVALID);
        EXPECT_EQ(bitmap.TransparentColor(), clNone);
        EXPECT_TRUE(bitmap.CreateMask(clRed).Empty());
    }
}

TEST(Bitmap, newPixelsAreWhiteAndResizingKeepsTheRest)
{
    TBitmap bitmap(2, 2);
    bitmap.Canvas().SetPixel(1, 1, clNavy);
    bitmap.SetSize(3, 3);
    EXPECT_EQ(bitmap.Canvas().Pixel(1, 1), clNavy);
    EXPECT_EQ(bitmap.Canvas().Pixel(2, 2), clWhite);
    bitmap.SetHeight(-4);
    EXPECT_TRUE(bitmap.Empty());
}

TEST(Bitmap, transparentColourIsTheBottomLeftPixelUnlessFixed)
{
    TBitmap bitmap(3, 2);
    bitmap.Canvas().SetPixel(0, 1, clFuchsia);
    EXPECT_EQ(bitmap.TransparentColor(), clFuchsia);
    bitmap.SetTransparentColor(clLime);
    EXPECT_EQ(bitmap.TransparentMode(), tmFixed);
    EXPECT_EQ(bitmap.TransparentColor(), clLime);
}

TEST(Bitmap, palettedBitmapsDrawInTheirNearestPaletteColour)
{
    TBitmap mono(2, 1, pf1bit);
    mono.Canvas().SetPixel(0, 0, RGB(200, 200, 200));
    mono.Canvas().SetPixel(1, 0, RGB(60, 60, 60));
    EXPECT_EQ(mono.Canvas().Pixel(0, 0), clWhite);
    EXPECT_EQ(mono.Canvas().Pixel(1, 0), clBlack);

    TBitmap indexed(1, 1, pf8bit);
    indexed.SetPalette({qRgb(0, 0, 0), qRgb(255, 0, 255), qRgb(250, 250, 250)});
    indexed.Canvas().SetPixel(0, 0, RGB(255, 76, 255));
    EXPECT_EQ(indexed.Canvas().Pixel(0, 0), clFuchsia);
}

TEST(Bitmap, copiesAreIndependentAndAssignTakesEverything)
{
    TBitmap original(2, 2, pf8bit);
    original.SetTransparent(true);
    TBitmap copy = original;
    copy.Canvas().SetPixel(0, 0, clBlack);
    EXPECT_EQ(original.Canvas().Pixel(0, 0), clWhite);
    EXPECT_EQ(copy.PixelFormat(), pf8bit);
    EXPECT_TRUE(copy.Transparent());
    TBitmap assigned;
    assigned.Assign(copy);
    EXPECT_EQ(assigned.Canvas().Pixel(0, 0), clBlack);
    EXPECT_EQ(assigned.Palette(), original.Palette());
}

TEST(Bitmap, eightBitFileRoundTripKeepsPaletteAndPixels)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("glyph.bmp"));
    TBitmap glyph(4, 3, pf8bit);
    QVector<QRgb> palette;
    for (int i = 0; i < 256; ++i)
        palette.push_back(qRgb(i, 255 - i, (i * 7) % 256));
    glyph.SetPalette(palette);
    glyph.Canvas().SetPixel(2, 1, FromQRgb(palette[17]));
    glyph.SaveToFile(path);

    TBitmap loaded;
    loaded.LoadFromFile(path);
    EXPECT_EQ(loaded.PixelFormat(), pf8bit);
    EXPECT_EQ(loaded.Palette().size(), 256);
    EXPECT_EQ(loaded.Palette()[17], palette[17] | 0xFF000000);
    EXPECT_EQ(loaded.Canvas().Pixel(2, 1), FromQRgb(palette[17]));
    EXPECT_EQ(loaded.Width(), 4);
    EXPECT_EQ(loaded.Height(), 3);
}

TEST(Bitmap, missingOrBrokenFilesThrowAndLeaveTheBitmapAsItWas)
{
    QTemporaryDir dir;
    const QString broken = dir.filePath(QStringLiteral("broken.bmp"));
    QFile file(broken);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("BM not really a bitmap");
    file.close();
    TBitmap bitmap(2, 2);
    for (const QString &path : {broken, dir.filePath(QStringLiteral("absent.bmp"))})
        EXPECT_THROW(bitmap.LoadFromFile(path), std::runtime_error);
    EXPECT_THROW(bitmap.LoadFromResourceName(QStringLiteral("NO_SUCH_BITMAP")), std::runtime_error);
    EXPECT_EQ(bitmap.Width(), 2);
}

TEST(Bitmap, maskIsWhiteWhereTheColourMatches)
{
    TBitmap bitmap(3, 1);
    bitmap.Canvas().SetPixel(1, 0, clRed);
    const TBitmap mask = bitmap.CreateMask(clRed);
    EXPECT_EQ(mask.PixelFormat(), pf1bit);
    EXPECT_EQ(PixelMask(mask.Image(), {0, 0, 3, 1}, clBlack), ".#.\n");
}

TEST(Bitmap, monochromePatternBrushUsesTextAndBackgroundColours)
{
    TBitmap pattern(2, 1, pf1bit);
    pattern.Canvas().SetPixel(0, 0, clBlack);
    QImage image = FilledImage(4, 1);
    TCanvas canvas(&image);
    canvas.Brush().SetBitmap(&pattern);
    canvas.SetTextColor(clNavy);
    canvas.SetBkColor(clYellow);
    canvas.FillRect({0, 0, 4, 1});
    EXPECT_EQ(PixelAt(image, 0, 0), clNavy);
    EXPECT_EQ(PixelAt(image, 1, 0), clYellow);
    EXPECT_EQ(PixelAt(image, 2, 0), clNavy);
}

} // namespace
