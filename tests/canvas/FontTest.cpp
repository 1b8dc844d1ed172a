#include "toolkit/Canvas.h"
#include "toolkit/Font.h"

#include <QImage>
#include <gtest/gtest.h>

TEST(Font, bundledFacesAtHeightMinus11AreThirteenPixelsHigh)
{
    ASSERT_TRUE(RegisterBundledFonts());
    QImage image(40, 20, QImage::Format_RGB32);
    TCanvas canvas(&image);
    for (const char *face : {"Tahoma", "MS Sans Serif"}) {
        canvas.Font().SetName(QString::fromLatin1(face));
        canvas.Font().SetHeight(-11);
        EXPECT_EQ(canvas.TextHeight(QStringLiteral("W")), 13) << face;
    }
}
