#pragma once

#include <string>
#include <string_view>

struct sqlite3;

// LIKE as the program's users expect it: "%" matches any run of characters,
// "_" exactly one, letters compare without regard to case in every script
// (Cyrillic as well as Latin), and NULL on either side never matches.
//
// A compiled pattern; the text to match is UTF-8.
class TLikePattern
{
public:
    // Anything: every value ("%"); Prefix: a fixed text then "%"; Exact: no
    // wildcard; General: the rest.
    enum TShape { General, Anything, Prefix, Exact };

    // `escape` is the character that makes the next one literal (0 for none).
    TLikePattern(std::string_view utf8Pattern, char32_t escape);

    bool Matches(std::string_view utf8Text) const;

    TShape Shape() const { return m_shape; }
    // Characters before the first wildcard.
    size_t FixedLength() const;

private:
    static constexpr char32_t AnyOne = 0xFFFFFFFE;
    static constexpr char32_t AnyRun = 0xFFFFFFFF;

    bool MatchGeneral(const std::u32string &text) const;

    std::u32string m_pattern;  // case-folded; wildcards as AnyOne / AnyRun
    std::u32string m_literal;  // for Prefix and Exact: the pattern without the final run
    TShape m_shape = General;
};

// The case folding used by LIKE: one code point to its caseless form.
char32_t FoldCase(char32_t c);

// Replaces SQLite's like() (the LIKE operator, with and without ESCAPE) on
// this connection.
void InstallCaseInsensitiveLike(sqlite3 *db);
