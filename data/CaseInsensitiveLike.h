#pragma once

#include <bitset>
#include <string>
#include <string_view>

struct sqlite3;

// LIKE as the program's users expect it: "%" matches any run of characters,
// "_" exactly one, letters compare without regard to case in every script
// (Cyrillic as well as Latin), and NULL on either side never matches.
//
// A compiled pattern. The pattern is UTF-8; the text to match is a stored
// value's bytes, read as the grid shows them: UTF-8 when they are valid UTF-8
// (a leading byte-order mark dropped), Windows-1251 otherwise (LegacyText).
class TLikePattern
{
public:
    // Anything: every value ("%"); Prefix: a fixed text then "%"; Exact: no
    // wildcard; General: the rest.
    enum TShape { General, Anything, Prefix, Exact };

    // `escape` is the character that makes the next one literal (0 for none).
    TLikePattern(std::string_view utf8Pattern, char32_t escape);

    bool Matches(std::string_view storedText) const
    {
        return !FirstCharacterRulesOut(storedText) && MatchesAll(storedText);
    }

    TShape Shape() const { return m_shape; }
    // Characters before the first wildcard.
    size_t FixedLength() const;

private:
    static constexpr char32_t AnyOne = 0xFFFFFFFE;
    static constexpr char32_t AnyRun = 0xFFFFFFFF;

    // Inline: a scan calls it for every row, and it settles most of them.
    bool FirstCharacterRulesOut(std::string_view storedText) const
    {
        if (!m_firstCharacterDecides)
            return false;
        if (storedText.empty())
            return true;
        const auto lead = static_cast<unsigned char>(storedText[0]);
        if (lead < 0x80)
            return !m_firstMayMatch[lead];
        // C0 and C1 begin only over-long forms, which the full comparison
        // reads. Bytes after the first two may still make the value
        // Windows-1251, so the lead byte's Windows-1251 letter must not match
        // either.
        if (lead >= 0xC2 && lead < 0xE0 && storedText.size() >= 2) {
            const auto next = static_cast<unsigned char>(storedText[1]);
            return (next & 0xC0) == 0x80 && !m_firstMayMatch[((lead & 0x1F) << 6) | (next & 0x3F)]
                   && !m_firstMayMatchAsLegacy[lead - kFirstUpperByte];
        }
        return false;
    }
    bool MatchesAll(std::string_view storedText) const;
    bool MatchGeneral(const std::u32string &text) const;

    // Set when the pattern begins with a character rather than a wildcard.
    // A text that begins with a one- or two-byte character (Latin, Cyrillic)
    // is then turned down at once unless that character is among those that
    // fold to the pattern's first one; other texts take the full comparison.
    static constexpr char32_t kShortCharacters = 0x800;
    static constexpr unsigned char kFirstUpperByte = 0x80;
    bool m_firstCharacterDecides = false;
    std::bitset<kShortCharacters> m_firstMayMatch;
    // By byte from 0x80: whether the byte's Windows-1251 character may match.
    std::bitset<0x100 - kFirstUpperByte> m_firstMayMatchAsLegacy;
    std::u32string m_pattern;  // case-folded; wildcards as AnyOne / AnyRun
    std::u32string m_literal;  // for Prefix and Exact: the pattern without the final run
    TShape m_shape = General;
};

// The case folding used by LIKE: one code point to its caseless form.
char32_t FoldCase(char32_t c);

// Replaces SQLite's like() (the LIKE operator, with and without ESCAPE) on
// this connection.
void InstallCaseInsensitiveLike(sqlite3 *db);
