#include "support/PixelMask.h"
#include "toolkit/gdi/Canvas.h"

#include <gtest/gtest.h>

namespace {

// The smallest rectangle holding every pixel that is not background.
TRect InkBounds(const QImage &image, TColor background = clWhite)
{
    TRect r;
    const QRgb bg = ToQRgb(background) & 0x00FFFFFF;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if ((image.pixel(x, y) & 0x00FFFFFF) != bg)
                r = r.United({x, y, x + 1, y + 1});
    return r;
}

class Text : public ::testing::TestWithParam<const char *>
{
protected:
    void SetUp() override
    {
        image = FilledImage(120, 60);
        canvas.SetImage(&image);
        canvas.Font().SetName(QString::fromLatin1(GetParam()));
        canvas.Font().SetHeight(-11);
        canvas.Font().SetColor(clBlack);
        canvas.Brush().SetStyle(bsClear);
    }
    QImage image;
    TCanvas canvas;
};

TEST_P(Text, heightFollowsThePlatformAndSizeAndHeightAgree)
{
    EXPECT_EQ(canvas.TextHeight(QStringLiteral("W")), 13);
    EXPECT_EQ(canvas.Font().Size(), 8);
    canvas.Font().SetSize(8);
    EXPECT_EQ(canvas.Font().Height(), -11);
    const TTextMetric tm = canvas.Font().Metrics();
    EXPECT_EQ(tm.Ascent + tm.Descent, 13);
    EXPECT_EQ(tm.InternalLeading, 2);
}

// Metrics are kept once measured: each face, size and style keeps its own,
// however the fonts asked for alternate.
TEST(TextMetrics, eachFaceSizeAndStyleKeepsItsOwn)
{
    const auto metricsOf = [](const char *face, int height, TFontStyles style) {
        TFont font;
        font.SetName(QLatin1String(face));
        font.SetHeight(height);
        font.SetStyle(style);
        return font.Metrics();
    };
    const TTextMetric tahoma = metricsOf("Tahoma", -11, 0);
    EXPECT_EQ(metricsOf("Tahoma", -16, 0).Height, 19);
    EXPECT_EQ(metricsOf("Tahoma", -11, 0).Height, tahoma.Height);
    EXPECT_GT(metricsOf("Tahoma", -11, fsBold).MaxCharWidth, tahoma.MaxCharWidth);
    EXPECT_EQ(metricsOf("Tahoma", -11, 0).MaxCharWidth, tahoma.MaxCharWidth);
    EXPECT_NE(metricsOf("MS Sans Serif", -11, 0).AveCharWidth, tahoma.AveCharWidth);
    EXPECT_EQ(metricsOf("Tahoma", -11, 0).AveCharWidth, tahoma.AveCharWidth);
}

TEST_P(Text, inkStaysInsideTheMeasuredCellOnTheBaseline)
{
    const QString word = QString::fromUtf8("Найти Wy");
    canvas.TextOut(10, 5, word);
    const TRect ink = InkBounds(image);
    const TTextMetric tm = canvas.Font().Metrics();
    EXPECT_GE(ink.Left, 10);
    EXPECT_LE(ink.Right, 10 + canvas.TextWidth(word));
    EXPECT_GE(ink.Top, 5);
    EXPECT_LE(ink.Bottom, 5 + tm.Height);
    // 'Н' stands on the baseline: its last row is the one above it.
    const QImage h = image.copy(10, 0, 2, 60);
    EXPECT_EQ(InkBounds(h).Bottom, 5 + tm.Ascent);
}

TEST_P(Text, ampersandUnderlinesTheNextCharacterAndDoubledAmpersandShowsOne)
{
    TRect r(0, 0, 120, 20);
    canvas.DrawText(QStringLiteral("&W"), r, DT_SINGLELINE);
    QImage plain = FilledImage(120, 60);
    TCanvas reference(&plain);
    reference.SetFont(canvas.Font());
    reference.Brush().SetStyle(bsClear);
    reference.TextOut(0, 0, QStringLiteral("W"));
    const int underlineRow = canvas.Font().Metrics().Ascent + 1;
    const int width = canvas.TextWidth(QStringLiteral("W"));
    for (int x = 0; x < 120; ++x)
        EXPECT_EQ(PixelAt(image, x, underlineRow), x < width ? clBlack : PixelAt(plain, x, underlineRow)) << x;

    image.fill(Qt::white);
    plain.fill(Qt::white);
    r = TRect(0, 0, 120, 20);
    canvas.DrawText(QStringLiteral("a&&b"), r, DT_SINGLELINE);
    reference.TextOut(0, 0, QStringLiteral("a&b"));
    EXPECT_EQ(image, plain);

    r = TRect(0, 0, 120, 20);
    canvas.DrawText(QStringLiteral("&W"), r, DT_SINGLELINE | DT_CALCRECT);
    EXPECT_EQ(r.Width(), width);
    r = TRect(0, 0, 120, 20);
    canvas.DrawText(QStringLiteral("&W"), r, DT_SINGLELINE | DT_CALCRECT | DT_NOPREFIX);
    EXPECT_EQ(r.Width(), canvas.TextWidth(QStringLiteral("&W")));
}

TEST_P(Text, calcRectMeasuresLinesAndWordBreaks)
{
    const int lineHeight = canvas.TextHeight(QStringLiteral("W"));
    TRect r(5, 7, 500, 7);
    EXPECT_EQ(canvas.DrawText(QStringLiteral("one\r\ntwo words"), r, DT_CALCRECT), 2 * lineHeight);
    EXPECT_EQ(r, TRect(5, 7, 5 + canvas.TextWidth(QStringLiteral("two words")), 7 + 2 * lineHeight));

    const int narrow = canvas.TextWidth(QStringLiteral("alpha beta")) - 1;
    r = TRect(0, 0, narrow, 0);
    canvas.DrawText(QStringLiteral("alpha beta gamma"), r, DT_CALCRECT | DT_WORDBREAK);
    EXPECT_EQ(r.Height(), 3 * lineHeight);
    EXPECT_EQ(r.Width(), canvas.TextWidth(QStringLiteral("alpha")) > canvas.TextWidth(QStringLiteral("gamma"))
                             ? canvas.TextWidth(QStringLiteral("alpha"))
                             : canvas.TextWidth(QStringLiteral("gamma")));

    r = TRect(0, 0, 10, 0);
    canvas.DrawText(QStringLiteral("unbreakable"), r, DT_CALCRECT | DT_WORDBREAK);
    EXPECT_EQ(r.Height(), lineHeight);
    EXPECT_EQ(r.Width(), canvas.TextWidth(QStringLiteral("unbreakable")));

    r = TRect(0, 0, 100, 100);
    EXPECT_EQ(canvas.DrawText(QString(), r, DT_CALCRECT), lineHeight);
}

TEST_P(Text, alignmentFlagsPlaceTheLine)
{
    const QString word = QStringLiteral("Wy");
    const int width = canvas.TextWidth(word);
    const int height = canvas.TextHeight(word);
    struct Case {
        unsigned flags;
        int left, top;
    };
    const TRect box(10, 10, 110, 50);
    for (const Case c : {Case{DT_SINGLELINE, 10, 10}, Case{DT_SINGLELINE | DT_RIGHT, 110 - width, 10},
                         Case{DT_SINGLELINE | DT_CENTER | DT_VCENTER, (120 - width) / 2, (60 - height) / 2},
                         Case{DT_SINGLELINE | DT_BOTTOM, 10, 50 - height}}) {
        image.fill(Qt::white);
        TRect r = box;
        const int result = canvas.DrawText(word, r, c.flags);
        QImage expected = FilledImage(120, 60);
        TCanvas reference(&expected);
        reference.SetFont(canvas.Font());
        reference.Brush().SetStyle(bsClear);
        reference.TextOut(c.left, c.top, word);
        EXPECT_EQ(image, expected) << c.flags;
        EXPECT_EQ(result, c.top - 10 + height) << c.flags;
    }
}

TEST_P(Text, drawTextClipsToItsRectangleUnlessToldNot)
{
    TRect r(0, 0, 8, 20);
    canvas.DrawText(QStringLiteral("WWWW"), r, DT_SINGLELINE);
    EXPECT_LE(InkBounds(image).Right, 8);
    image.fill(Qt::white);
    r = TRect(0, 0, 8, 20);
    canvas.DrawText(QStringLiteral("WWWW"), r, DT_SINGLELINE | DT_NOCLIP);
    EXPECT_GT(InkBounds(image).Right, 8);
}

TEST_P(Text, opaqueBrushFillsTheTextCell)
{
    canvas.Brush().SetStyle(bsSolid);
    canvas.Brush().SetColor(clYellow);
    canvas.TextOut(3, 4, QStringLiteral("ab"));
    const TRect cell(3, 4, 3 + canvas.TextWidth(QStringLiteral("ab")), 4 + 13);
    EXPECT_EQ(InkBounds(image), cell);
}

TEST_P(Text, tabsExpandToEightAverageCharacters)
{
    const int average = canvas.Font().Metrics().AveCharWidth;
    TRect r(0, 0, 500, 0);
    canvas.DrawText(QStringLiteral("a\tb"), r, DT_CALCRECT | DT_SINGLELINE | DT_EXPANDTABS);
    EXPECT_EQ(r.Width(), 8 * average + canvas.TextWidth(QStringLiteral("b")));
}

TEST_P(Text, rightToLeftReadingMovesTrailingPunctuationToTheLeft)
{
    TRect r(0, 0, 120, 20);
    canvas.DrawText(QStringLiteral("ab."), r, DT_SINGLELINE | DT_RTLREADING);
    QImage expected = FilledImage(120, 60);
    TCanvas reference(&expected);
    reference.SetFont(canvas.Font());
    reference.Brush().SetStyle(bsClear);
    reference.TextOut(0, 0, QStringLiteral(".ab"));
    EXPECT_EQ(image, expected);
}

INSTANTIATE_TEST_SUITE_P(Faces, Text, ::testing::Values("Tahoma", "MS Sans Serif"),
                         [](const auto &info) { return std::string(info.param[0] == 'T' ? "Tahoma" : "MSSansSerif"); });

} // namespace
