#include "data/CaseInsensitiveLike.h"

#include "data/LegacyText.h"

#include <QChar>
#include <QList>
#include <algorithm>
#include <memory>
#include <sqlite3.h>

namespace {

constexpr char32_t ReplacementCharacter = 0xFFFD;

// Decodes one UTF-8 sequence at `pos` and advances past it; malformed bytes
// read as the replacement character, one byte at a time. An over-long form,
// a surrogate or a value past U+10FFFF is malformed: otherwise a pattern could
// hide a "%" or an escape character in bytes that no check of its plain
// bytes would see.
char32_t NextCodePoint(std::string_view text, size_t &pos)
{
    const auto byte = [&](size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(pos);
    if (lead < 0x80) {
        ++pos;
        return lead;
    }
    int length = 0;
    char32_t value = 0;
    if ((lead & 0xE0) == 0xC0) {
        length = 2;
        value = lead & 0x1F;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3;
        value = lead & 0x0F;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4;
        value = lead & 0x07;
    } else {
        ++pos;
        return ReplacementCharacter;
    }
    if (pos + length > text.size()) {
        ++pos;
        return ReplacementCharacter;
    }
    for (int i = 1; i < length; ++i) {
        const unsigned char part = byte(pos + i);
        if ((part & 0xC0) != 0x80) {
            ++pos;
            return ReplacementCharacter;
        }
        value = (value << 6) | (part & 0x3F);
    }
    constexpr char32_t kShortest[] = {0, 0, 0x80, 0x800, 0x10000};
    if (value < kShortest[length] || (value >= 0xD800 && value <= 0xDFFF) || value > 0x10FFFF) {
        ++pos;
        return ReplacementCharacter;
    }
    pos += length;
    return value;
}

std::u32string FoldedText(std::string_view text)
{
    std::u32string result;
    result.reserve(text.size());
    for (size_t pos = 0; pos < text.size();)
        result.push_back(FoldCase(NextCodePoint(text, pos)));
    return result;
}

std::u32string FoldedText(const QString &text)
{
    std::u32string result;
    result.reserve(size_t(text.size()));
    for (const uint c : text.toUcs4())
        result.push_back(FoldCase(c));
    return result;
}

// True when the grid shows the bytes exactly as a plain UTF-8 reading does.
bool ReadsAsPlainUtf8(std::string_view bytes)
{
    constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
    return IsStoredUtf8(bytes) && !bytes.starts_with(kByteOrderMark);
}

void DeletePattern(void *pattern)
{
    delete static_cast<TLikePattern *>(pattern);
}

// like(pattern, text [, escape]); SQLite calls it for "text LIKE pattern".
void LikeFunction(sqlite3_context *context, int argc, sqlite3_value **argv)
{
    // The common call, once per row of a scan: the pattern is a constant that
    // an earlier row compiled (it was not NULL then, and it cannot change).
    // The text is NULL only when the value is NULL or memory ran out.
    if (argc == 2) {
        if (const auto *cached = static_cast<const TLikePattern *>(sqlite3_get_auxdata(context, 0))) {
            const auto *textBytes = reinterpret_cast<const char *>(sqlite3_value_text(argv[1]));
            if (!textBytes && sqlite3_value_type(argv[1]) == SQLITE_NULL) {
                sqlite3_result_null(context);
                return;
            }
            const std::string_view text(textBytes ? textBytes : "", size_t(sqlite3_value_bytes(argv[1])));
            sqlite3_result_int(context, cached->Matches(text) ? 1 : 0);
            return;
        }
    }
    for (int i = 0; i < argc; ++i) {
        if (sqlite3_value_type(argv[i]) == SQLITE_NULL) {
            sqlite3_result_null(context);
            return;
        }
    }
    char32_t escape = 0;
    if (argc == 3) {
        const auto *escapeText = reinterpret_cast<const char *>(sqlite3_value_text(argv[2]));
        const std::string_view view(escapeText ? escapeText : "", size_t(sqlite3_value_bytes(argv[2])));
        size_t pos = 0;
        if (!view.empty())
            escape = NextCodePoint(view, pos);
        if (view.empty() || pos != view.size()) {
            sqlite3_result_error(context, "ESCAPE expression must be a single character", -1);
            return;
        }
    }
    const auto *textBytes = reinterpret_cast<const char *>(sqlite3_value_text(argv[1]));
    const std::string_view text(textBytes ? textBytes : "", size_t(sqlite3_value_bytes(argv[1])));
    const auto *patternBytes = reinterpret_cast<const char *>(sqlite3_value_text(argv[0]));
    auto pattern = std::make_unique<TLikePattern>(
        std::string_view(patternBytes ? patternBytes : "", size_t(sqlite3_value_bytes(argv[0]))), escape);
    sqlite3_result_int(context, pattern->Matches(text) ? 1 : 0);
    // A constant pattern is compiled once per statement; SQLite owns it from here.
    if (argc == 2)
        sqlite3_set_auxdata(context, 0, pattern.release(), DeletePattern);
}

} // namespace

char32_t FoldCase(char32_t c)
{
    if (c < 0x80)
        return (c >= U'A' && c <= U'Z') ? c + 0x20 : c;
    if (c >= 0x0410 && c <= 0x042F)  // А..Я
        return c + 0x20;
    if (c >= 0x0400 && c <= 0x040F)  // Ѐ..Џ, Ё among them
        return c + 0x50;
    if (c >= 0x0430 && c <= 0x045F)
        return c;
    if (c > 0x10FFFF)
        return c;
    return QChar::toCaseFolded(c);
}

TLikePattern::TLikePattern(std::string_view utf8Pattern, char32_t escape)
{
    // An escape character at the very end stands for nothing.
    bool escaped = false;
    for (size_t pos = 0; pos < utf8Pattern.size();) {
        const char32_t c = NextCodePoint(utf8Pattern, pos);
        if (escaped) {
            m_pattern.push_back(FoldCase(c));
            escaped = false;
        } else if (escape != 0 && c == escape) {
            escaped = true;
        } else if (c == U'%') {
            if (m_pattern.empty() || m_pattern.back() != AnyRun)
                m_pattern.push_back(AnyRun);
        } else if (c == U'_') {
            m_pattern.push_back(AnyOne);
        } else {
            m_pattern.push_back(FoldCase(c));
        }
    }
    if (!m_pattern.empty() && m_pattern.front() != AnyRun && m_pattern.front() != AnyOne) {
        m_firstCharacterDecides = true;
        for (char32_t c = 0; c < kShortCharacters; ++c)
            m_firstMayMatch[c] = FoldCase(c) == m_pattern.front();
        QByteArray upperBytes;
        for (int byte = kFirstUpperByte; byte <= 0xFF; ++byte)
            upperBytes += char(byte);
        const QString upperHalf = FromWindows1251(upperBytes);
        for (qsizetype i = 0; i < upperHalf.size(); ++i)
            m_firstMayMatchAsLegacy[size_t(i)] = FoldCase(upperHalf[i].unicode()) == m_pattern.front();
    }
    const size_t wildcards = std::count(m_pattern.begin(), m_pattern.end(), AnyRun)
                             + std::count(m_pattern.begin(), m_pattern.end(), AnyOne);
    if (wildcards == 0) {
        m_shape = Exact;
        m_literal = m_pattern;
    } else if (wildcards == 1 && m_pattern.back() == AnyRun) {
        m_shape = m_pattern.size() == 1 ? Anything : Prefix;
        m_literal = m_pattern.substr(0, m_pattern.size() - 1);
    }
}

size_t TLikePattern::FixedLength() const
{
    return size_t(std::find_if(m_pattern.begin(), m_pattern.end(), [](char32_t c) { return c == AnyOne || c == AnyRun; })
                  - m_pattern.begin());
}

bool TLikePattern::MatchesAll(std::string_view storedText) const
{
    // "%" matches every present value, however it reads.
    if (m_shape == Anything)
        return true;
    if (!ReadsAsPlainUtf8(storedText))
        return MatchGeneral(
            FoldedText(DecodeStoredText(QByteArray::fromRawData(storedText.data(), qsizetype(storedText.size())))));
    if (m_shape == General)
        return MatchGeneral(FoldedText(storedText));
    size_t pos = 0;
    for (char32_t expected : m_literal) {
        if (pos >= storedText.size() || FoldCase(NextCodePoint(storedText, pos)) != expected)
            return false;
    }
    return m_shape == Prefix || pos == storedText.size();
}

// Classic wildcard matching: on a mismatch, let the last "%" swallow one more
// character and retry from there. Linear in practice, never exponential.
bool TLikePattern::MatchGeneral(const std::u32string &text) const
{
    size_t p = 0;
    size_t t = 0;
    size_t starP = std::u32string::npos;
    size_t starT = 0;
    while (t < text.size()) {
        if (p < m_pattern.size() && (m_pattern[p] == AnyOne || m_pattern[p] == text[t])) {
            ++p;
            ++t;
        } else if (p < m_pattern.size() && m_pattern[p] == AnyRun) {
            starP = p++;
            starT = t;
        } else if (starP != std::u32string::npos) {
            p = starP + 1;
            t = ++starT;
        } else {
            return false;
        }
    }
    while (p < m_pattern.size() && m_pattern[p] == AnyRun)
        ++p;
    return p == m_pattern.size();
}

void InstallCaseInsensitiveLike(sqlite3 *db)
{
    const int flags = SQLITE_UTF8 | SQLITE_DETERMINISTIC | SQLITE_INNOCUOUS;
    sqlite3_create_function(db, "like", 2, flags, nullptr, LikeFunction, nullptr, nullptr);
    sqlite3_create_function(db, "like", 3, flags, nullptr, LikeFunction, nullptr, nullptr);
}
