#include "toolkit/gdi/ImageList.h"

#include "toolkit/gdi/Canvas.h"

#include <gtest/gtest.h>

namespace {

const QColor kKey(255, 0, 255);
const QColor kInk(0, 0, 128);
const QColor kBackground(10, 200, 10);

// Two 4 x 4 images side by side: the first inked on its diagonal, the second
// inked everywhere except its top-left pixel.
QImage Strip()
{
    QImage strip(8, 4, QImage::Format_RGB32);
    strip.fill(kKey);
    for (int i = 0; i < 4; ++i)
        strip.setPixelColor(i, i, kInk);
    for (int y = 0; y < 4; ++y)
        for (int x = 4; x < 8; ++x)
            if (x != 4 || y != 0)
                strip.setPixelColor(x, y, kInk);
    return strip;
}

QImage DrawOnBackground(const TImageList &list, int index, bool enabled)
{
    QImage target(6, 6, QImage::Format_RGB32);
    target.fill(kBackground);
    TCanvas canvas(&target);
    list.Draw(canvas, 1, 1, index, enabled);
    return target;
}

TEST(ImageList, masksTheKeyColourAndCutsAStripIntoImages)
{
    TImageList list(4, 4);
    EXPECT_EQ(list.AddMasked(Strip(), clFuchsia), 0);
    ASSERT_EQ(list.Count(), 2);
    EXPECT_TRUE(list.IsOpaque(0, 2, 2));
    EXPECT_FALSE(list.IsOpaque(0, 1, 2));
    EXPECT_FALSE(list.IsOpaque(1, 0, 0));
    EXPECT_TRUE(list.IsOpaque(1, 3, 3));

    const QImage drawn = DrawOnBackground(list, 0, true);
    EXPECT_EQ(drawn.pixelColor(3, 3), kInk);
    EXPECT_EQ(drawn.pixelColor(2, 3), kBackground);
    EXPECT_EQ(drawn.pixelColor(0, 0), kBackground);
}

TEST(ImageList, refusesPicturesOfTheWrongHeightAndIgnoresBadIndexes)
{
    TImageList list(4, 4);
    EXPECT_EQ(list.AddMasked(QImage(8, 3, QImage::Format_RGB32), clFuchsia), -1);
    EXPECT_EQ(list.AddMasked(QImage(), clFuchsia), -1);
    EXPECT_EQ(list.Count(), 0);
    list.AddMasked(Strip(), clFuchsia);
    for (const int bad : {-1, 2, 100}) {
        const QImage drawn = DrawOnBackground(list, bad, true);
        for (int y = 0; y < 6; ++y)
            for (int x = 0; x < 6; ++x)
                ASSERT_EQ(drawn.pixelColor(x, y), kBackground);
        EXPECT_TRUE(list.Image(bad).isNull());
    }
}

TEST(ImageList, disabledImagesAreEmbossedGreyWithoutTheirColours)
{
    TImageList list(4, 4);
    list.AddMasked(Strip(), clFuchsia);
    const QImage drawn = DrawOnBackground(list, 1, false);
    bool shadow = false, light = false;
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 6; ++x) {
            const QColor c = drawn.pixelColor(x, y);
            EXPECT_NE(c, kInk);
            shadow |= c == QColor(128, 128, 128);
            light |= c == QColor(255, 255, 255);
        }
    EXPECT_TRUE(shadow);
    EXPECT_TRUE(light);
    EXPECT_EQ(drawn.pixelColor(5, 5), QColor(255, 255, 255)); // the highlight one pixel down-right
    EXPECT_EQ(drawn.pixelColor(1, 1), kBackground);           // masked pixel stays
}

TEST(ImageList, explicitMasksKeepOnlyTheirBlackPixels)
{
    TImageList list(2, 2);
    QImage image(2, 2, QImage::Format_RGB32);
    image.fill(kInk);
    QImage mask(2, 2, QImage::Format_RGB32);
    mask.fill(Qt::white);
    mask.setPixelColor(1, 0, Qt::black);
    ASSERT_EQ(list.Add(image, mask), 0);
    EXPECT_TRUE(list.IsOpaque(0, 1, 0));
    EXPECT_FALSE(list.IsOpaque(0, 0, 0));
    EXPECT_FALSE(list.IsOpaque(0, 1, 1));
}

} // namespace
