#include "components/FlatBtn/CaptionBreaker.h"

#include <gtest/gtest.h>

namespace {

// Every character is 5 pixels wide, a space 3 and a "W" 9.
int fakeWidth(const QString &text)
{
    int width = 0;
    for (QChar c : text)
        width += c == QLatin1Char(' ') ? 3 : c == QLatin1Char('W') ? 9 : 5;
    return width;
}

QStringList breakCaption(const QString &caption, int wrapWidth)
{
    return TCaptionBreaker(fakeWidth).Break(caption, wrapWidth);
}

struct BreakCase {
    const char *name;
    QString caption;
    int wrapWidth;
    QStringList lines;
};

class CaptionBreaking : public ::testing::TestWithParam<BreakCase>
{ };

TEST_P(CaptionBreaking, breaksAsExpected)
{
    const BreakCase &c = GetParam();
    EXPECT_EQ(breakCaption(c.caption, c.wrapWidth), c.lines) << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CaptionBreaking,
    ::testing::Values(BreakCase{"fitting caption is one line", QStringLiteral("ab cd"), 23, {QStringLiteral("ab cd")}},
                      BreakCase{"empty caption is one empty line", QString(), 0, {QString()}},
                      // "ab c" is 18 wide, the whole caption 23: break at the space, which is dropped.
                      BreakCase{"two words break at the space",
                                QStringLiteral("ab cd"),
                                18,
                                {QStringLiteral("ab"), QStringLiteral("cd")}},
                      BreakCase{"word without space breaks inside",
                                QStringLiteral("abcdef"),
                                20,
                                {QStringLiteral("abcd"), QStringLiteral("ef")}},
                      BreakCase{"breaks at the last space that fits",
                                QStringLiteral("a b c d"),
                                20,
                                {QStringLiteral("a b"), QStringLiteral("c d")}},
                      // A space at the very start of a line gives no usable break.
                      BreakCase{"leading space breaks inside the word",
                                QStringLiteral(" abcdef"),
                                18,
                                {QStringLiteral(" abc"), QStringLiteral("def")}},
                      BreakCase{"character wider than the wrap width gives no lines", QStringLiteral("abc"), 4, {}},
                      BreakCase{"later unbreakable character discards all lines", QStringLiteral("aW"), 5, {}}),
    [](const auto &info) { return std::to_string(info.index); });

TEST(CaptionBreaker, longCaptionIsBrokenWholeWithoutLosingText)
{
    QString caption;
    for (int i = 0; i < 120; ++i)
        caption += QStringLiteral("слово ");
    caption += QStringLiteral("конец");
    ASSERT_GT(caption.size(), 255);

    const QStringList lines = breakCaption(caption, 60);
    ASSERT_FALSE(lines.isEmpty());
    for (const QString &line : lines)
        EXPECT_LE(fakeWidth(line), 60) << line.toStdString();
    EXPECT_EQ(lines.join(QLatin1Char(' ')), caption);
}

} // namespace
