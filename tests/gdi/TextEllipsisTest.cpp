#include "support/PixelMask.h"
#include "toolkit/gdi/Canvas.h"

#include <gtest/gtest.h>

namespace {

constexpr unsigned kFlags = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX;

QImage Drawn(const QString &text, int width, unsigned flags)
{
    QImage image = FilledImage(200, 20);
    TCanvas canvas(&image);
    canvas.Font().SetName(QStringLiteral("Tahoma"));
    canvas.Font().SetHeight(-11);
    canvas.Font().SetStyle(fsBold);
    canvas.Brush().SetStyle(bsClear);
    TRect r(0, 0, width, 20);
    canvas.DrawText(text, r, flags);
    return image;
}

int Width(const QString &text)
{
    QImage image = FilledImage(1, 1);
    TCanvas canvas(&image);
    canvas.Font().SetName(QStringLiteral("Tahoma"));
    canvas.Font().SetHeight(-11);
    canvas.Font().SetStyle(fsBold);
    return canvas.TextWidth(text);
}

// A line wider than its rectangle ends in "..." after the longest beginning
// that fits with the dots; a line that fits is drawn as it is.
TEST(TextEllipsis, aLineTooWideEndsInThreeDotsAfterTheLongestBeginningThatFits)
{
    const QString caption = QStringLiteral("Телефонный справочник г. Велирск | Поиск в базе данных");
    constexpr int kWidth = 150;
    ASSERT_GT(Width(caption), kWidth);
    int kept = caption.size();
    while (kept > 0 && Width(caption.left(kept) + QStringLiteral("...")) > kWidth)
        --kept;
    const QString elided = caption.left(kept) + QStringLiteral("...");
    EXPECT_EQ(Drawn(caption, kWidth, kFlags | DT_END_ELLIPSIS), Drawn(elided, kWidth, kFlags));
    EXPECT_GT(kept, 10);

    const QString shortText = QStringLiteral("Поиск");
    EXPECT_EQ(Drawn(shortText, kWidth, kFlags | DT_END_ELLIPSIS), Drawn(shortText, kWidth, kFlags));
}

} // namespace
