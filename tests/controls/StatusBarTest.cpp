#include "toolkit/controls/StatusBar.h"

#include <QApplication>
#include <gtest/gtest.h>

namespace {

QColor Face()
{
    return QColor(212, 208, 200);
}

TEST(StatusBar, panelsLieSideBySideAndTheLastReachesTheGrip)
{
    QWidget form;
    form.resize(691, 365);
    TStatusBar bar(&form);
    bar.setGeometry(0, 346, 691, TStatusBar::kDefaultHeight);
    bar.AddPanel(150, QStringLiteral("В базе записей: 0"));
    bar.AddPanel(50, QStringLiteral("Запись № 0"));
    form.show();

    EXPECT_EQ(bar.PanelRect(0), QRect(0, 2, 148, 17));
    EXPECT_EQ(bar.PanelRect(1), QRect(150, 2, 691 - 12 - 150, 17));
    bar.SetSizeGrip(false);
    EXPECT_EQ(bar.PanelRect(1).right(), 690);
    EXPECT_TRUE(bar.GripRect().isEmpty());
}

TEST(StatusBar, drawsSunkenPanelsTextAndTheSimplePanelInstead)
{
    TStatusBar bar;
    bar.resize(300, TStatusBar::kDefaultHeight);
    bar.AddPanel(150, QStringLiteral("ЖЖЖЖ"));
    bar.AddPanel(50, QString());
    QImage shot = bar.grab().toImage();
    const QColor shadow(128, 128, 128), light(255, 255, 255);
    EXPECT_EQ(shot.pixelColor(0, 2), shadow);
    EXPECT_EQ(shot.pixelColor(147, 18), light);
    EXPECT_EQ(shot.pixelColor(148, 10), Face()); // the gap between panels
    EXPECT_EQ(shot.pixelColor(5, 0), Face());
    const auto inkIn = [](const QImage &image, const QRect &area) {
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x)
                if (qGray(image.pixel(x, y)) < 100)
                    return true;
        return false;
    };
    EXPECT_TRUE(inkIn(shot, QRect(2, 3, 140, 14)));
    EXPECT_FALSE(inkIn(shot, QRect(152, 3, 100, 14)));

    bar.SetSimpleText(QStringLiteral("Готово"));
    bar.SetSimplePanel(true);
    shot = bar.grab().toImage();
    EXPECT_EQ(shot.pixelColor(149, 2), shadow); // the simple panel's frame runs over the old gap
    EXPECT_FALSE(inkIn(shot, QRect(2, 3, 140, 14)) && inkIn(shot, QRect(152, 3, 100, 14)));
}

TEST(StatusBar, growsNoTextOutsideItsPanel)
{
    TStatusBar bar;
    bar.resize(300, TStatusBar::kDefaultHeight);
    bar.AddPanel(40, QStringLiteral("ЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖ"));
    bar.AddPanel(50, QString());
    const QImage shot = bar.grab().toImage();
    for (int y = 0; y < shot.height(); ++y)
        EXPECT_EQ(shot.pixelColor(38, y), Face()) << y;
}

} // namespace
