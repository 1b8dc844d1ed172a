#include "support/PixelMask.h"
#include "toolkit/gdi/Bitmap.h"
#include "toolkit/gdi/Canvas.h"
#include "toolkit/gdi/Region.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

const double kScales[] = {1.25, 1.5, 2.0, 3.0};

TEST(DeviceScale, logicalPixelsTileTheDeviceWithoutGapOrOverlap)
{
    for (double ratio : kScales) {
        const TDeviceScale scale = TDeviceScale::FromRatio(ratio);
        EXPECT_DOUBLE_EQ(scale.Ratio(), ratio);
        for (int width = 1; width <= 41; ++width) {
            const int device = scale.DeviceExtent(width);
            ASSERT_EQ(scale.LogicalExtent(device), width) << ratio << " " << width;
            ASSERT_EQ(scale.Edge(0, width, device), 0);
            ASSERT_EQ(scale.Edge(width, width, device), device);
            for (int x = 0; x < width; ++x) {
                const int left = scale.Edge(x, width, device), right = scale.Edge(x + 1, width, device);
                ASSERT_GE(right - left, int(ratio)) << ratio << " " << width << " " << x;
                ASSERT_LE(right - left, int(ratio) + 1) << ratio << " " << width << " " << x;
                ASSERT_EQ(scale.LogicalOf(left, width, device), x);
                ASSERT_EQ(scale.LogicalOf(right - 1, width, device), x);
            }
        }
    }
    const TDeviceScale unit = TDeviceScale::FromRatio(1.0);
    EXPECT_TRUE(unit.IsUnit());
    EXPECT_EQ(unit.Edge(-3, 10, 10), -3);
}

// Every figure, fill and copy: the drawing rules of a logical pixel.
void DrawGeometry(TCanvas &canvas)
{
    canvas.FillSolidRect({0, 0, 40, 30}, clBtnFace);
    canvas.Pen().SetColor(clNavy);
    canvas.Brush().SetColor(clYellow);
    canvas.Rectangle(2, 2, 15, 11);
    canvas.Ellipse(16, 1, 29, 12);
    canvas.RoundRect(30, 2, 39, 14, 5, 5);
    canvas.MoveTo(1, 28);
    canvas.LineTo(38, 13);
    canvas.Pen().SetStyle(psDot);
    canvas.MoveTo(1, 14);
    canvas.LineTo(25, 14);
    canvas.Pen().SetStyle(psSolid);
    canvas.Brush().SetColor(clRed);
    canvas.FillRgn(TRegion::FromRoundRect(4, 16, 20, 27, 6, 6), canvas.Brush());
    canvas.InvertRect({10, 20, 30, 25});
    canvas.DrawFocusRect({22, 16, 37, 29});

    TBitmap glyph(4, 3);
    glyph.Canvas().FillSolidRect({0, 0, 4, 3}, clLime);
    glyph.Canvas().SetPixel(1, 1, clFuchsia);
    glyph.Canvas().SetPixel(3, 2, clFuchsia);
    canvas.Draw(31, 15, glyph);
    glyph.SetTransparent(true);
    glyph.SetTransparentColor(clFuchsia);
    canvas.StretchDraw({31, 20, 39, 26}, glyph);
    canvas.BitBlt(5, 12, 6, 3, canvas, 30, 2, SRCINVERT);
}

TEST(DeviceScale, figuresOnAScaledSurfaceAreTheUnitDrawingScaledPixelForPixel)
{
    QImage unit(40, 30, QImage::Format_RGB32);
    TCanvas unitCanvas(&unit);
    DrawGeometry(unitCanvas);
    for (double ratio : kScales) {
        const TDeviceScale scale = TDeviceScale::FromRatio(ratio);
        QImage scaled = ScaledSurface(scale, QSize(40, 30));
        TCanvas canvas(&scaled);
        ASSERT_EQ(canvas.Width(), 40);
        ASSERT_EQ(canvas.Height(), 30);
        DrawGeometry(canvas);
        int wrong = 0;
        for (int y = 0; y < scaled.height(); ++y)
            for (int x = 0; x < scaled.width(); ++x) {
                const int lx = scale.LogicalOf(x, 40, scaled.width()), ly = scale.LogicalOf(y, 30, scaled.height());
                wrong += (scaled.pixel(x, y) & 0xFFFFFF) != (unit.pixel(lx, ly) & 0xFFFFFF);
            }
        EXPECT_EQ(wrong, 0) << "at scale " << ratio;
        EXPECT_EQ(canvas.Pixel(3, 3), clYellow);
    }
}

// Text in the window font on a white surface; returns the ink's box in
// device pixels.
QRect InkOf(const QImage &image)
{
    QRect ink;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if ((image.pixel(x, y) & 0xFFFFFF) != 0xFFFFFF)
                ink |= QRect(x, y, 1, 1);
    return ink;
}

TEST(DeviceScale, textIsDrawnAtTheDevicesResolutionWithinItsLogicalExtent)
{
    const QString text = QStringLiteral("Фамилия Жуковский");
    for (const char *face : {"MS Sans Serif", "Tahoma"}) {
        QImage image = ScaledSurface(TDeviceScale::FromRatio(2.0), QSize(140, 16));
        image.fill(Qt::white);
        TCanvas canvas(&image);
        canvas.Font().SetName(QLatin1String(face));
        canvas.Font().SetHeight(-11);
        const int width = canvas.TextWidth(text);
        canvas.Brush().SetStyle(bsClear);
        canvas.TextOut(2, 1, text);

        // The strokes are not pixels doubled: some 2x2 block has two shades.
        int mixedBlocks = 0;
        for (int y = 0; y + 1 < image.height(); y += 2)
            for (int x = 0; x + 1 < image.width(); x += 2)
                mixedBlocks += image.pixel(x, y) != image.pixel(x + 1, y) || image.pixel(x, y) != image.pixel(x, y + 1)
                               || image.pixel(x, y) != image.pixel(x + 1, y + 1);
        EXPECT_GT(mixedBlocks, 20) << face;
        // The letters fill the width the layout measured, and no more.
        const QRect ink = InkOf(image);
        EXPECT_GE(ink.left(), 2 * 2) << face;
        EXPECT_LE(ink.right(), 2 * (2 + width) + 1) << face;
        EXPECT_GE(ink.width(), 2 * width * 9 / 10) << face;
    }
}

TEST(DeviceScale, aCopyBetweenSurfacesOfOneScaleKeepsEveryDevicePixel)
{
    const TDeviceScale scale = TDeviceScale::FromRatio(2.0);
    QImage source = ScaledSurface(scale, QSize(60, 16));
    source.fill(Qt::white);
    TCanvas from(&source);
    from.Brush().SetStyle(bsClear);
    from.TextOut(1, 1, QStringLiteral("Найти"));
    QImage target = ScaledSurface(scale, QSize(70, 20));
    target.fill(Qt::black);
    TCanvas to(&target);
    to.BitBlt(5, 3, 60, 16, from, 0, 0, SRCCOPY);
    EXPECT_EQ(target.copy(10, 6, source.width(), source.height()).convertToFormat(QImage::Format_RGB32),
              source.convertToFormat(QImage::Format_RGB32));
}

} // namespace
