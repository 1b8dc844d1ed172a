#include "data/LegacyText.h"

#include "support/QtPrinters.h"

#include <QStringDecoder>
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

// The search decides by IsStoredUtf8 which reading a value gets, so it must
// call UTF-8 exactly what Qt's decoder reads without error: every one- and
// two-byte value, and every lead of a longer sequence with every second byte.
TEST(LegacyText, utf8CheckAgreesWithQtsDecoder)
{
    std::vector<QByteArray> samples;
    for (int first = 0; first < 0x100; ++first) {
        samples.push_back(QByteArray(1, char(first)));
        for (int second = 0; second < 0x100; ++second) {
            const QByteArray pair = QByteArray(1, char(first)) + char(second);
            samples.push_back(pair);
            if (first >= 0xE0) {
                samples.push_back(pair + '\x80');
                samples.push_back(pair + "\xBF\xBF");
                samples.push_back(pair + "\x80\x80" + "a");
                samples.push_back(pair + "\xBF" + "a");
            }
        }
    }
    for (const QByteArray &bytes : samples) {
        QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        const QString decoded = decoder.decode(bytes);
        ASSERT_EQ(IsStoredUtf8(std::string_view(bytes.constData(), size_t(bytes.size()))), !decoder.hasError())
            << bytes.toHex().toStdString();
        if (!decoder.hasError()) {
            ASSERT_EQ(DecodeStoredText(bytes), decoded) << bytes.toHex().toStdString();
        }
    }
}
