#include "toolkit/gdi/JpegImage.h"

#include <QFile>
#include <gtest/gtest.h>

namespace {

QByteArray SplashData()
{
    QFile file(qEnvironmentVariable("VELIRSK_SOURCE_DIR") + QStringLiteral("/resources/splash.jpg"));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    return file.readAll();
}

TEST(JpegImage, theSplashPictureIsABaselineThreeComponentPicture)
{
    TJPEGImage picture;
    picture.LoadFromData(SplashData());
    EXPECT_EQ(picture.Width(), 392);
    EXPECT_EQ(picture.Height(), 227);
    EXPECT_EQ(picture.Components(), 3);
    EXPECT_FALSE(picture.Progressive());
    // The title's red letters are in the top rows, never on the ground.
    int red = 0;
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < picture.Width(); ++x) {
            const QColor c = picture.Image().pixelColor(x, y);
            red += c.red() > 180 && c.green() < 80 && c.blue() < 80;
        }
    EXPECT_GT(red, 150);
}

TEST(JpegImage, brokenDataRaisesAClearErrorAndKeepsThePicture)
{
    TJPEGImage picture;
    picture.LoadFromData(SplashData());
    const QByteArray broken[] = {QByteArray(), QByteArray("not a picture at all"),
                                 QByteArray::fromHex("FFD8FFE000104A46494600")};
    for (const QByteArray &data : broken) {
        try {
            picture.LoadFromData(data);
            ADD_FAILURE() << "no error for " << data.toHex().constData();
        } catch (const EJPEGError &error) {
            EXPECT_TRUE(QString::fromUtf8(error.what()).startsWith("JPEG")) << error.what();
        }
        EXPECT_EQ(picture.Width(), 392);
    }
}

TEST(JpegImage, aTruncatedPictureNeverCrashes)
{
    const QByteArray data = SplashData();
    for (const qsizetype length : {qsizetype(2), qsizetype(200), data.size() / 2, data.size() - 2}) {
        TJPEGImage picture;
        try {
            picture.LoadFromData(data.left(length));
            EXPECT_EQ(picture.Width(), 392);
        } catch (const EJPEGError &) {
            EXPECT_TRUE(picture.Empty());
        }
    }
}

TEST(JpegImage, aMissingFileIsAnError)
{
    TJPEGImage picture;
    EXPECT_THROW(picture.LoadFromFile(QStringLiteral("/nonexistent/splash.jpg")), EJPEGError);
}

} // namespace
