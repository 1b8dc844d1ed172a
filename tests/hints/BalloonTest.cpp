#include "components/RoundHint.h"
#include "toolkit/gdi/Font.h"
#include "toolkit/hints/HintManager.h"

#include <gtest/gtest.h>

#include <QBitmap>

namespace {

constexpr TColor kHintColor = RGB(255, 255, 225);
constexpr TColor kFrameColor = RGB(178, 178, 158);
const TRect kHintAt = Bounds(50, 60, 103, 37);

// A balloon as the main window's component makes it, shown at kHintAt.
class BalloonTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        RegisterBundledFonts();
        hint.SetFrameWidth(1);
        window = std::make_unique<TRoundHintWindow>();
        window->SetColor(kHintColor);
    }
    void TearDown() override
    {
        window.reset();
        THintManager::SetHintWindowClass(THintWindowClass::Of<THintWindow>());
    }

    bool Shaped(int x, int y) const { return window->mask().contains(QPoint(x, y)); }

    TRoundHint hint;
    std::unique_ptr<TRoundHintWindow> window;
};

TEST_F(BalloonTest, measureAddsTheFrameAndTheTailToTheStandardMeasure)
{
    const QString text = QStringLiteral("Следующая запись");
    THintWindow standard;
    const TRect plain = standard.CalcHintRect(300, text, nullptr);
    const TRect balloon = window->CalcHintRect(300, text, nullptr);
    EXPECT_EQ(balloon, Rect(-1, -1, plain.Right + 2, plain.Bottom + 21));

    const TRect wrapped = standard.CalcHintRect(60, QStringLiteral("Применить изминения"), nullptr);
    EXPECT_LE(wrapped.Width(), 60 + 6);
    EXPECT_GT(wrapped.Height(), plain.Height()) << "long text wraps within the maximum width";
}

TEST_F(BalloonTest, activationShapesTheWindowAsBodyAndTail)
{
    window->ActivateHint(kHintAt, QStringLiteral("Первая запись"));
    EXPECT_EQ(window->geometry(), QRect(50, 60, 103, 41)) << "4 pixels taller than the measure";

    struct Case {
        int x, y;
        bool shaped;
    };
    // Tail (10, 1), (20, 20), (51, 20); body from (1, 20) to (103, 40) with
    // corners 15 across.
    const Case cases[] = {
        {25, 15, true}, {16, 15, false}, {45, 15, false}, {5, 5, false},    {60, 10, false},
        {51, 20, true}, {80, 20, true},  {102, 30, true}, {50, 39, true},   {50, 40, false},
        {0, 30, false}, {1, 30, true},   {1, 20, false},  {102, 39, false}, {10, 0, false},
    };
    for (const Case &c : cases)
        EXPECT_EQ(Shaped(c.x, c.y), c.shaped) << c.x << "," << c.y;

    hint.SetRoundSize(0);
    window->ActivateHint(kHintAt, QStringLiteral("Первая запись"));
    EXPECT_TRUE(Shaped(1, 20) && Shaped(102, 20) && Shaped(1, 39) && Shaped(102, 39)) << "square corners";
}

TEST_F(BalloonTest, paintedBalloonIsFramedAllRoundWithTheTextBelowTheTail)
{
    window->ActivateHint(kHintAt, QStringLiteral("Первая запись"));
    const QImage picture = window->Compose();
    const auto pixel = [&](int x, int y) { return FromQRgb(picture.pixel(x, y)); };

    for (int y = 20; y < 40; ++y) {
        int first = -1;
        int last = -1;
        for (int x = 0; x < picture.width(); ++x) {
            if (Shaped(x, y)) {
                last = x;
                if (first < 0)
                    first = x;
            }
        }
        ASSERT_GE(first, 0) << "row " << y;
        EXPECT_EQ(pixel(first, y), kFrameColor) << "left edge, row " << y;
        EXPECT_EQ(pixel(last, y), kFrameColor) << "right edge, row " << y;
    }
    EXPECT_EQ(pixel(2, 30), kHintColor);
    EXPECT_EQ(pixel(25, 15), kHintColor) << "inside the tail";

    // Text in the info-text colour, from the client point (FW + 2, 20 + FW + 1).
    int textLeft = picture.width();
    int textTop = picture.height();
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            if (Shaped(x, y) && pixel(x, y) == clBlack) {
                textLeft = std::min(textLeft, x);
                textTop = std::min(textTop, y);
            }
        }
    }
    EXPECT_GE(textLeft, 1 + 3);
    EXPECT_LE(textLeft, 1 + 3 + 1) << "the first glyph starts at the text margin";
    EXPECT_GE(textTop, 1 + 22);
    EXPECT_LT(textTop, 1 + 22 + 13);
}

TEST(BalloonPattern, tilesTheBodyAndOutlivesItsComponent)
{
    TBitmap pattern(2, 2);
    pattern.Canvas().Brush().SetColor(clRed);
    pattern.Canvas().FillRect(Rect(0, 0, 2, 2));
    std::unique_ptr<TRoundHintWindow> window;
    {
        TRoundHint hint;
        hint.SetPattern(&pattern);
        window = std::make_unique<TRoundHintWindow>();
    }
    window->SetColor(kHintColor);
    window->ActivateHint(kHintAt, QStringLiteral("x"));
    EXPECT_EQ(FromQRgb(window->Compose().pixel(60, 36)), clRed) << "the body is tiled with the pattern";

    TRoundHint plain;
    plain.SetPattern(nullptr);
    EXPECT_EQ(FromQRgb(window->Compose().pixel(60, 36)), kHintColor) << "no pattern leaves the body plain";
    THintManager::SetHintWindowClass(THintWindowClass::Of<THintWindow>());
}

} // namespace
