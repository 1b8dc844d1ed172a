// The case-insensitive LIKE over any pattern and text (split at the first
// NUL byte): it answers as the textbook matcher does on the text as the grid
// shows it, what a text's leading bytes turn down does not match, and a text
// as the grid shows it, its wildcards and escape characters escaped, matches
// the stored bytes.
#include "data/CaseInsensitiveLike.h"
#include "data/LegacyText.h"
#include "tests/data/ReferenceSearch.h"

#include <QStringDecoder>

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace {

constexpr char kEscape = '\\';

std::string Escaped(std::string_view text)
{
    std::string pattern;
    for (const char c : text) {
        if (c == '%' || c == '_' || c == kEscape)
            pattern += kEscape;
        pattern += c;
    }
    return pattern;
}

// A pattern as the SQL text carries it: a byte-order mark is a character too.
QString PatternText(std::string_view utf8)
{
    QStringDecoder decoder(QStringConverter::Utf8, QStringConverter::Flag::ConvertInitialBom);
    return decoder.decode(QByteArrayView(utf8.data(), qsizetype(utf8.size())));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const std::string_view input(reinterpret_cast<const char *>(data), size);
    const size_t split = input.find('\0');
    const std::string_view pattern = input.substr(0, split);
    const std::string_view text = split == std::string_view::npos ? std::string_view() : input.substr(split + 1);

    const QString patternText = PatternText(pattern);
    // What the leading bytes of the zero-terminated text turn down matches nothing.
    const std::string zeroTerminated(text);
    for (const char32_t escape : {char32_t(0), char32_t(kEscape)}) {
        const TLikePattern compiled(patternText, escape);
        if (compiled.Matches(text) && compiled.LeadBytesRuleOut(zeroTerminated.c_str()))
            __builtin_trap();
    }
    const QString shownText = DecodeStoredText(QByteArray(text.data(), qsizetype(text.size())));
    if (TLikePattern(patternText, 0).Matches(text) != ReferenceLike(patternText, shownText))
        __builtin_trap();
    const QByteArray shown = shownText.toUtf8();
    const std::string escaped = Escaped(std::string_view(shown.constData(), size_t(shown.size())));
    if (!TLikePattern(PatternText(escaped), kEscape).Matches(text))
        __builtin_trap();
    return 0;
}
