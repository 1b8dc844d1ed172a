#include "toolkit/app/FormFrame.h"
#include "toolkit/gdi/Canvas.h"
#include "toolkit/gdi/SystemColors.h"

#include <gtest/gtest.h>

namespace {

struct SizeCase {
    TFormBorderStyle style;
    bool menu;
    QSize outer;
    QRect client;
};

TEST(FrameLayout, theLayoutsOuterSizesGiveTheirClientAreas)
{
    const SizeCase cases[] = {
        {bsSizeable, true, {699, 411}, {4, 42, 691, 365}},  // main window
        {bsSizeable, false, {701, 375}, {4, 23, 693, 348}}, // results window
        {bsDialog, false, {440, 251}, {3, 22, 434, 226}},   // search dialog
        {bsNone, false, {392, 227}, {0, 0, 392, 227}},      // splash
    };
    for (const SizeCase &c : cases) {
        const TFrameLayout layout = TFrameLayout::Compute(c.style, c.outer, c.menu);
        EXPECT_EQ(layout.client, c.client) << c.style;
        EXPECT_EQ(TFrameLayout::OuterSizeFor(c.style, c.client.size(), c.menu), c.outer) << c.style;
    }
}

TEST(FrameLayout, menuBandLiesBetweenCaptionAndClient)
{
    const TFrameLayout layout = TFrameLayout::Compute(bsSizeable, {699, 411}, true);
    EXPECT_EQ(layout.caption, QRect(4, 4, 691, 18));
    EXPECT_EQ(layout.menuBand, QRect(4, 23, 691, 19));
}

TEST(FrameLayout, dialogsHaveOnlyTheCloseBoxAndSizeableWindowsAllThree)
{
    const TFrameLayout dialog = TFrameLayout::Compute(bsDialog, {440, 251}, false);
    EXPECT_EQ(dialog.closeBox, QRect(419, 5, 16, 14));
    EXPECT_TRUE(dialog.maximizeBox.isEmpty());
    EXPECT_TRUE(dialog.minimizeBox.isEmpty());

    const TFrameLayout main = TFrameLayout::Compute(bsSizeable, {699, 411}, true);
    EXPECT_EQ(main.closeBox, QRect(677, 6, 16, 14));
    EXPECT_EQ(main.maximizeBox, QRect(659, 6, 16, 14));
    EXPECT_EQ(main.minimizeBox, QRect(643, 6, 16, 14));
    EXPECT_TRUE(main.caption.contains(main.minimizeBox));
}

struct HitCase {
    QPoint pos;
    TFrameHit hit;
};

TEST(FrameLayout, hitTestFindsBoxesCaptionBordersAndCorners)
{
    const TFrameLayout layout = TFrameLayout::Compute(bsSizeable, {699, 411}, true);
    const HitCase cases[] = {
        {{100, 100}, TFrameHit::Client},      {{100, 30}, TFrameHit::Client},   {{100, 10}, TFrameHit::Caption},
        {{100, 22}, TFrameHit::Caption},      {{680, 10}, TFrameHit::CloseBox}, {{660, 10}, TFrameHit::MaximizeBox},
        {{645, 10}, TFrameHit::MinimizeBox},  {{0, 200}, TFrameHit::Left},      {{698, 200}, TFrameHit::Right},
        {{300, 0}, TFrameHit::Top},           {{300, 410}, TFrameHit::Bottom},  {{2, 2}, TFrameHit::TopLeft},
        {{10, 1}, TFrameHit::TopLeft},        {{697, 3}, TFrameHit::TopRight},  {{1, 400}, TFrameHit::BottomLeft},
        {{690, 409}, TFrameHit::BottomRight},
    };
    for (const HitCase &c : cases)
        EXPECT_EQ(layout.HitTest(c.pos), c.hit) << c.pos.x() << "," << c.pos.y();

    const TFrameLayout dialog = TFrameLayout::Compute(bsDialog, {440, 251}, false);
    EXPECT_EQ(dialog.HitTest({0, 100}), TFrameHit::Border);
    EXPECT_EQ(dialog.HitTest({439, 250}), TFrameHit::Border);
}

class FramePaint : public ::testing::Test
{
protected:
    QImage Paint(const TFrameState &state, TFormBorderStyle style = bsSizeable, QSize outer = {300, 120},
                 const QString &caption = QStringLiteral("Заголовок"))
    {
        layout = TFrameLayout::Compute(style, outer, false);
        QImage image(outer, QImage::Format_RGB32);
        image.fill(Qt::magenta);
        TCanvas canvas(&image);
        PaintFormFrame(canvas, layout, state, caption);
        return image;
    }
    static QRgb Rgb(TColor color) { return ToQColor(color).rgb(); }

    TFrameLayout layout;
};

TEST_F(FramePaint, raisedEdgeBorderBandAndFace)
{
    const QImage image = Paint({});
    EXPECT_EQ(image.pixel(0, 0), Rgb(cl3DLight));
    EXPECT_EQ(image.pixel(1, 1), Rgb(clBtnHighlight));
    EXPECT_EQ(image.pixel(299, 0), Rgb(cl3DDkShadow)); // bottom and right win the corners
    EXPECT_EQ(image.pixel(0, 119), Rgb(cl3DDkShadow));
    EXPECT_EQ(image.pixel(298, 60), Rgb(clBtnShadow));
    EXPECT_EQ(image.pixel(2, 60), Rgb(clActiveBorder));
    EXPECT_EQ(image.pixel(100, 22), Rgb(clBtnFace)); // the line under the caption
    EXPECT_EQ(image.pixel(150, 60), Rgb(clBtnFace)); // nothing left unpainted
}

TEST_F(FramePaint, captionGradientRunsFromCaptionToGradientColour)
{
    const QImage active = Paint({});
    EXPECT_EQ(active.pixel(layout.caption.left(), 20), Rgb(clActiveCaption));
    EXPECT_EQ(active.pixel(layout.caption.right(), 20), Rgb(clGradientActiveCaption));

    TFrameState inactive;
    inactive.active = false;
    const QImage image = Paint(inactive);
    EXPECT_EQ(image.pixel(layout.caption.left(), 20), Rgb(clInactiveCaption));
    EXPECT_EQ(image.pixel(layout.caption.right(), 20), Rgb(clGradientInactiveCaption));
    EXPECT_EQ(image.pixel(2, 60), Rgb(clInactiveBorder));
}

TEST_F(FramePaint, captionTextIsDrawnInTheCaptionTextColour)
{
    const QImage image = Paint({});
    const QRect text(layout.caption.left(), layout.caption.top(), 80, layout.caption.height());
    int inked = 0;
    for (int y = text.top(); y <= text.bottom(); ++y)
        for (int x = text.left(); x <= text.right(); ++x)
            inked += image.pixel(x, y) == Rgb(clCaptionText);
    EXPECT_GT(inked, 40);
}

TEST_F(FramePaint, pushedCloseBoxIsSunkenWithItsGlyphMoved)
{
    const QImage raised = Paint({});
    const QRect box = layout.closeBox;
    EXPECT_EQ(raised.pixel(box.left() + 1, box.top() + 1), Rgb(clBtnHighlight));
    EXPECT_EQ(raised.pixel(box.left() + 4, box.top() + 3), Rgb(clBtnText));
    EXPECT_EQ(raised.pixel(box.left() + 5, box.top() + 4), Rgb(clBtnText));

    TFrameState pushed;
    pushed.pushedButton = TCaptionButton::Close;
    const QImage sunken = Paint(pushed);
    EXPECT_EQ(sunken.pixel(box.left(), box.top()), Rgb(cl3DDkShadow));
    EXPECT_EQ(sunken.pixel(box.left() + 4, box.top() + 3), Rgb(clBtnFace));
    EXPECT_EQ(sunken.pixel(box.left() + 5, box.top() + 4), Rgb(clBtnText));
}

TEST_F(FramePaint, borderlessWindowsPaintNoFrame)
{
    const QImage image = Paint({}, bsNone);
    EXPECT_EQ(image.pixel(0, 0), QColor(Qt::magenta).rgb());
}

// The search dialog's caption is longer than its bar: it ends in "..." and
// leaves the gap before the close box free.
TEST_F(FramePaint, ALongCaptionEndsInDotsBeforeTheButtons)
{
    const QString caption = QStringLiteral("Телефонный справочник г. Велирск | Поиск в базе данных");
    const QImage image = Paint({}, bsDialog, {300, 60}, caption);
    const int textRight = layout.closeBox.left() - FrameMetrics::kCaptionTextGap;
    int rightmostInk = -1;
    for (int x = layout.caption.left(); x < layout.closeBox.left(); ++x)
        for (int y = layout.caption.top(); y <= layout.caption.bottom(); ++y)
            if (image.pixel(x, y) == Rgb(clCaptionText))
                rightmostInk = std::max(rightmostInk, x);
    EXPECT_LT(rightmostInk, textRight);

    // The three dots sit on the text's baseline at the end: three short runs
    // of ink in the last columns, nothing above them.
    int dotColumns = 0;
    int topmostInk = layout.caption.bottom();
    for (int x = rightmostInk - 8; x <= rightmostInk; ++x)
        for (int y = layout.caption.top(); y <= layout.caption.bottom(); ++y)
            if (image.pixel(x, y) == Rgb(clCaptionText)) {
                topmostInk = std::min(topmostInk, y);
                ++dotColumns;
                break;
            }
    EXPECT_GE(dotColumns, 3);
    EXPECT_GT(topmostInk, layout.caption.top() + layout.caption.height() / 2) << "only dots end the caption";
}

} // namespace
