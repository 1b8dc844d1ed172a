#include "forms/Unit3.h"
#include "toolkit/controls/Image.h"
#include "toolkit/controls/Panel.h"

#include <QGuiApplication>
#include <QScreen>
#include <gtest/gtest.h>

namespace {

TEST(SplashForm, layoutIsABorderlessCentredPanelWithThePicture)
{
    TSplashForm splash;
    EXPECT_EQ(splash.BorderStyle(), bsNone);
    EXPECT_EQ(splash.size(), QSize(392, 227));
    EXPECT_EQ(splash.ClientSize(), QSize(392, 227));
    EXPECT_EQ(splash.Caption(), QStringLiteral("SplashForm"));
    EXPECT_EQ(splash.Panel1->geometry(), QRect(0, 0, 392, 227));
    EXPECT_EQ(splash.Image1->geometry(), QRect(3, 3, 386, 221));
    EXPECT_EQ(splash.Image1->Picture().size(), QSize(392, 227));
    EXPECT_EQ(splash.Panel1->cursor().shape(), Qt::WaitCursor);
    EXPECT_EQ(splash.ClientArea()->cursor().shape(), Qt::WaitCursor);

    splash.Show();
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    EXPECT_EQ(splash.pos(), QPoint((screen.width() - 392) / 2, (screen.height() - 227) / 2));
}

TEST(SplashForm, paintsARaisedBevelAroundThePictureDrawnFromItsTopLeft)
{
    TSplashForm splash;
    const QImage shown = splash.grab().toImage();
    const QImage &picture = splash.Image1->Picture();
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(QColor(shown.pixel(i, 100)), QColor(Qt::white)) << i;
        EXPECT_EQ(QColor(shown.pixel(391 - i, 100)), QColor(128, 128, 128)) << i;
        EXPECT_EQ(QColor(shown.pixel(200, 226 - i)), QColor(128, 128, 128)) << i;
    }
    // Unscaled: the window's pixel (3 + x, 3 + y) is the picture's (x, y),
    // and the picture's last 6 columns and rows are cut off.
    for (const QPoint p : {QPoint(0, 0), QPoint(100, 20), QPoint(385, 220)})
        EXPECT_EQ(shown.pixel(p + QPoint(3, 3)), picture.pixel(p)) << p.x() << "," << p.y();
}

} // namespace
