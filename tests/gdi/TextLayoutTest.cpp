#include "toolkit/gdi/TextLayout.h"

#include <gtest/gtest.h>

namespace {

class TextLayout : public ::testing::Test
{
protected:
    void SetUp() override
    {
        font.SetName(QStringLiteral("Tahoma"));
        font.SetHeight(-11);
        lineHeight = font.Metrics().Height;
    }

    TFont font;
    int lineHeight = 0;
};

TEST_F(TextLayout, ampersandsAreStrippedAndRememberedOnlyWhenAsked)
{
    const TPrefixedText shown = StripPrefixes(QStringLiteral("&File && &Edit&"), true);
    EXPECT_EQ(shown.text, QStringLiteral("File & Edit"));
    EXPECT_EQ(shown.underlined, (std::vector<int>{0, 7}));
    EXPECT_EQ(StripPrefixes(QStringLiteral("a&b"), false).text, QStringLiteral("a&b"));

    const TTextLayout layout(font);
    EXPECT_EQ(layout.RunWidth(QStringLiteral("&File"), true, false),
              layout.RunWidth(QStringLiteral("File"), false, false));
}

TEST_F(TextLayout, onlyASingleLineMovesDownAndEachLineIsAlignedByItsOwnWidth)
{
    const TTextLayout layout(font);
    const TRect box(10, 20, 210, 120);

    const TTextBlock single = layout.Arrange(QStringLiteral("one\ntwo"), box, DT_SINGLELINE | DT_VCENTER);
    ASSERT_EQ(single.lines.size(), 1u);
    EXPECT_EQ(single.lines[0].text, QStringLiteral("onetwo"));
    EXPECT_EQ(single.lines[0].top, (20 + 120 - lineHeight) / 2);
    EXPECT_EQ(single.bottomOffset, single.lines[0].top - 20 + lineHeight);

    const TTextBlock several = layout.Arrange(QStringLiteral("a\r\nwide line\rb"), box, DT_VCENTER | DT_RIGHT);
    ASSERT_EQ(several.lines.size(), 3u);
    for (size_t i = 0; i < several.lines.size(); ++i) {
        const TTextLine &line = several.lines[i];
        EXPECT_EQ(line.top, 20 + int(i) * lineHeight);
        EXPECT_EQ(line.x + layout.RunWidth(line.text, true, false), 210) << line.text.toStdString();
    }
    EXPECT_EQ(several.width, layout.RunWidth(QStringLiteral("wide line"), true, false));
    EXPECT_EQ(several.height, 3 * lineHeight);
    EXPECT_EQ(several.bottomOffset, several.height);
}

} // namespace
