#include "data/LegacyText.h"

namespace {

constexpr unsigned char kFirstUpperByte = 0x80;
constexpr char16_t kUnassigned = u'\uFFFD';
constexpr unsigned char kCapitalA = 0xC0;
constexpr char16_t kCyrillicCapitalA = u'\u0410';

// Windows-1251 from 0x80 to 0xBF; 0xC0 to 0xFF are А to я in order. 0x98 is
// unassigned in the code page.
constexpr char16_t kUpperHalf[kCapitalA - kFirstUpperByte] = {
    u'\u0402', u'\u0403', u'\u201A', u'\u0453', u'\u201E',   u'\u2026', u'\u2020', u'\u2021', u'\u20AC', u'\u2030',
    u'\u0409', u'\u2039', u'\u040A', u'\u040C', u'\u040B',   u'\u040F', u'\u0452', u'\u2018', u'\u2019', u'\u201C',
    u'\u201D', u'\u2022', u'\u2013', u'\u2014', kUnassigned, u'\u2122', u'\u0459', u'\u203A', u'\u045A', u'\u045C',
    u'\u045B', u'\u045F', u'\u00A0', u'\u040E', u'\u045E',   u'\u0408', u'\u00A4', u'\u0490', u'\u00A6', u'\u00A7',
    u'\u0401', u'\u00A9', u'\u0404', u'\u00AB', u'\u00AC',   u'\u00AD', u'\u00AE', u'\u0407', u'\u00B0', u'\u00B1',
    u'\u0406', u'\u0456', u'\u0491', u'\u00B5', u'\u00B6',   u'\u00B7', u'\u0451', u'\u2116', u'\u0454', u'\u00BB',
    u'\u0458', u'\u0405', u'\u0455', u'\u0457',
};

} // namespace

QString FromWindows1251(const QByteArray &bytes)
{
    QString text;
    text.reserve(bytes.size());
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < kFirstUpperByte)
            text += QChar(byte);
        else if (byte >= kCapitalA)
            text += QChar(char16_t(kCyrillicCapitalA + (byte - kCapitalA)));
        else
            text += QChar(kUpperHalf[byte - kFirstUpperByte]);
    }
    return text;
}

bool IsStoredUtf8(std::string_view bytes)
{
    const auto byte = [&](size_t i) { return static_cast<unsigned char>(bytes[i]); };
    const auto isContinuation = [&](size_t i) { return i < bytes.size() && (byte(i) & 0xC0) == 0x80; };
    for (size_t pos = 0; pos < bytes.size();) {
        const unsigned char lead = byte(pos);
        if (lead < 0x80) {
            ++pos;
            continue;
        }
        // The second byte's range rules out over-long forms, surrogates and
        // values past U+10FFFF at once.
        unsigned char low = 0x80;
        unsigned char high = 0xBF;
        size_t length = 0;
        if (lead >= 0xC2 && lead <= 0xDF) {
            length = 2;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            length = 3;
            if (lead == 0xE0)
                low = 0xA0;
            else if (lead == 0xED)
                high = 0x9F;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            length = 4;
            if (lead == 0xF0)
                low = 0x90;
            else if (lead == 0xF4)
                high = 0x8F;
        } else {
            return false;
        }
        if (pos + 1 >= bytes.size() || byte(pos + 1) < low || byte(pos + 1) > high)
            return false;
        for (size_t i = 2; i < length; ++i) {
            if (!isContinuation(pos + i))
                return false;
        }
        pos += length;
    }
    return true;
}

QString DecodeStoredText(const QByteArray &bytes)
{
    const std::string_view view(bytes.constData(), size_t(bytes.size()));
    return IsStoredUtf8(view) ? QString::fromUtf8(bytes) : FromWindows1251(bytes);
}
