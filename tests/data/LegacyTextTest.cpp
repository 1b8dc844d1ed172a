#include "data/LegacyText.h"

#include "support/QtPrinters.h"

#include <gtest/gtest.h>

// Valid UTF-8 is read as such; anything else as Windows-1251, including the
// letters outside А..я that the directory's streets and names use.
TEST(LegacyText, utf8WinsAndOtherBytesReadAsWindows1251)
{
    EXPECT_EQ(DecodeStoredText(QStringLiteral("Щёлково № 5").toUtf8()), QStringLiteral("Щёлково № 5"));
    EXPECT_EQ(DecodeStoredText(QByteArray("\xD9\xB8\xEB\xEA\xEE\xE2\xEE \xB9 5")), QStringLiteral("Щёлково № 5"));
    EXPECT_EQ(DecodeStoredText(QByteArray("\xA8\xC0\xDF\xE0\xFF")), QStringLiteral("ЁАЯая"));
    EXPECT_EQ(DecodeStoredText(QByteArray("\x80\x8A\x96\xAB\xBB")), QStringLiteral("ЂЉ–«»"));
    EXPECT_EQ(DecodeStoredText(QByteArray("plain")), QStringLiteral("plain"));
    EXPECT_EQ(DecodeStoredText(QByteArray("\xD0")), QStringLiteral("Р")) << "a cut UTF-8 sequence is not UTF-8";
    EXPECT_EQ(DecodeStoredText(QByteArray()), QString());
}
