#pragma once

#include <QStringView>
#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

struct sqlite3;

// LIKE as the program's users expect it: "%" matches any run of characters,
// "_" exactly one, letters compare without regard to case in every script
// (Cyrillic as well as Latin). An empty field (NULL) is matched by the
// pattern "%" alone, which a search writes for a criterion left empty and
// which so imposes no condition; every other pattern, and a NULL pattern,
// never match it.
//
// A compiled pattern. The text to match is a stored value's bytes, read as
// the grid shows them: UTF-8 when they are valid UTF-8 (a leading byte-order
// mark dropped), Windows-1251 otherwise (LegacyText).
//
// Plain UTF-8 values, nearly all of them, are settled on their bytes: each
// character of the pattern is compared with the UTF-8 encodings of the
// characters that fold to it, and "_" steps over one encoded character, which
// is exact because valid UTF-8 reads one way only and no encoding begins
// another. Values that are not plain UTF-8 compare characters.
class TLikePattern
{
public:
    // Anything: every value ("%"); Prefix: a fixed text then "%"; Exact: no
    // wildcard; General: the rest.
    enum TShape { General, Anything, Prefix, Exact };

    // `escape` is the character that makes the next one literal (0 for none).
    TLikePattern(QStringView pattern, char32_t escape);

    // The answer for the stored bytes. Inline: a scan calls it for every row.
    bool MatchesBytes(std::string_view storedBytes) const
    {
        if (m_shape == Anything)
            return true;
        if (FirstCharacterRulesOut(storedBytes))
            return false;
        return MatchesRest(storedBytes);
    }
    // MatchesBytes' first check, on the bytes of a zero-terminated text
    // before its length is known: true only for a value that cannot match.
    // The end reads as a NUL byte, which turns a text down as its end does.
    bool LeadBytesRuleOut(const char *zeroTerminated) const
    {
        if (!m_firstCharacterDecides)
            return false;
        switch (m_leadBytes[static_cast<unsigned char>(zeroTerminated[0])]) {
        case RulesOut: return true;
        case CheckSecondByte: return !SecondByteMayMatch(zeroTerminated[0], zeroTerminated[1]);
        case MayMatch:
        case CheckVariants: break;
        }
        return false;
    }
    // A value's characters as the grid shows them.
    bool MatchesText(QStringView shownText) const;
    bool Matches(std::string_view storedBytes) const { return MatchesBytes(storedBytes); }

    TShape Shape() const { return m_shape; }
    // The pattern is "%" alone, written without an escape: it matches an empty field too.
    bool MatchesEmptyField() const { return m_matchesEmptyField; }
    // Characters before the first wildcard.
    size_t FixedLength() const;

private:
    static constexpr char32_t kAnyOne = 0xFFFFFFFE;
    static constexpr char32_t kAnyRun = 0xFFFFFFFF;
    static constexpr size_t kByteValues = 0x100;
    static constexpr size_t kMostListedProbes = 4;

    // What the first byte of a value tells when the pattern begins with a
    // character rather than a wildcard.
    enum TLeadByte : unsigned char {
        RulesOut,        // no reading of a value that begins so can match
        MayMatch,        // ASCII that folds to the first character, or a
                         // byte whose Windows-1251 letter does
        CheckSecondByte, // the lead of two-byte variants: the pair decides
        CheckVariants    // matches only if a variant's encoding (or a
                         // byte-order mark) begins the value
    };
    static constexpr unsigned char kFirstTwoByteLead = 0xC0;
    static constexpr unsigned char kFirstThreeByteLead = 0xE0;
    static constexpr unsigned char kContinuationMask = 0xC0;
    static constexpr unsigned char kContinuationBits = 0x80;

    bool FirstCharacterRulesOut(std::string_view storedBytes) const
    {
        if (!m_firstCharacterDecides)
            return false;
        if (storedBytes.empty())
            return true;
        switch (m_leadBytes[static_cast<unsigned char>(storedBytes[0])]) {
        case RulesOut: return true;
        case MayMatch: return false;
        case CheckSecondByte: return storedBytes.size() < 2 || !SecondByteMayMatch(storedBytes[0], storedBytes[1]);
        case CheckVariants: break;
        }
        return !StartsWithFirstVariant(storedBytes);
    }
    // A lead and a byte that cannot follow it make the value Windows-1251,
    // whose reading of this lead does not match.
    bool SecondByteMayMatch(char lead, char second) const
    {
        const auto secondByte = static_cast<unsigned char>(second);
        return (secondByte & kContinuationMask) == kContinuationBits
               && ((m_secondBytes[static_cast<unsigned char>(lead) - kFirstTwoByteLead]
                    >> (secondByte & ~kContinuationMask))
                   & 1)
                      != 0;
    }
    // One character's UTF-8 encoding (at most four bytes), compared with the
    // leading bytes of a text in one step.
    struct TEncoding {
        std::uint32_t bytes = 0;
        std::uint32_t mask = 0;
        size_t length = 0;
    };
    static TEncoding Encoding(std::string_view utf8);
    static std::uint32_t LeadingWord(std::string_view text)
    {
        std::uint32_t word = 0;
        if (text.size() >= sizeof word) {
            std::memcpy(&word, text.data(), sizeof word);
        } else {
            auto *bytes = reinterpret_cast<unsigned char *>(&word);
            for (size_t i = 0; i < text.size(); ++i)
                bytes[i] = static_cast<unsigned char>(text[i]);
        }
        return word;
    }
    static bool Begins(const TEncoding &encoding, std::uint32_t leadingWord)
    {
        return (leadingWord & encoding.mask) == encoding.bytes;
    }
    bool StartsWithFirstVariant(std::string_view storedBytes) const
    {
        const std::uint32_t word = LeadingWord(storedBytes);
        for (const TEncoding &encoding : m_firstMayBegin) {
            if (Begins(encoding, word))
                return true;
        }
        return false;
    }
    // The pattern between two "%" (or an end): characters and "_", each
    // matching one character of a value.
    struct TPiece {
        size_t firstElement = 0;
        size_t elementCount = 0;
        // When the first element is no "_": the bytes that stand
        // `probeOffset` bytes into a character matching it, the last byte of
        // its shortest encoding (in Cyrillic the one that tells letters
        // apart; the longer variants of a letter, such as the old narrow
        // forms, hold a byte there too).
        size_t probeOffset = 0;
        std::array<bool, kByteValues> probeBytes{};
        // The same bytes listed, when there are few enough to look for many
        // places at once; none otherwise.
        std::array<unsigned char, kMostListedProbes> probeList{};
        size_t probeCount = 0;
    };
    // A character of the pattern: the encodings of the characters folding
    // to it, m_variants[firstVariant, firstVariant + variantCount); "_" has none.
    struct TElement {
        std::uint32_t firstVariant = 0;
        std::uint32_t variantCount = 0;
    };
    void CompilePieces();
    bool MatchesRest(std::string_view storedBytes) const;
    bool MatchesUtf8(std::string_view utf8) const;
    bool MatchPieceAt(const TPiece &piece, std::string_view utf8, size_t &pos) const;
    // The length of the variant of `element` that begins `utf8` at `pos`, 0 for none.
    size_t FittingVariant(const TElement &element, std::string_view utf8, size_t pos) const
    {
        const size_t left = utf8.size() - pos;
        const std::uint32_t word = LeadingWord({utf8.data() + pos, left});
        const TEncoding *variant = m_variants.data() + element.firstVariant;
        for (const TEncoding *end = variant + element.variantCount; variant != end; ++variant) {
            if (Begins(*variant, word))
                return variant->length <= left ? variant->length : 0;
        }
        return 0;
    }
    bool FindPiece(const TPiece &piece, std::string_view utf8, size_t &pos) const;
    bool PieceBeginsAt(const TPiece &piece, std::string_view utf8, size_t probe, size_t &pos) const;
    bool MatchGeneral(const std::u32string &foldedText) const;

    std::u32string m_pattern; // case-folded; wildcards as kAnyOne / kAnyRun
    TShape m_shape = General;
    bool m_matchesEmptyField = false;
    // The pattern split at each "%": a value matches when the first piece
    // begins it, the last ends it and the others follow in order between.
    std::vector<TPiece> m_pieces;
    std::vector<TElement> m_elements;
    std::vector<TEncoding> m_variants;
    // Set when the pattern begins with a character; the encodings of the
    // characters that fold to it, and the byte-order mark (after which a
    // value may show any character), and the verdict of each first byte.
    bool m_firstCharacterDecides = false;
    std::vector<TEncoding> m_firstMayBegin;
    std::array<TLeadByte, kByteValues> m_leadBytes{};
    // By two-byte lead: a bit for each continuation byte that completes a variant.
    std::array<std::uint64_t, kFirstThreeByteLead - kFirstTwoByteLead> m_secondBytes{};
};

// The case folding used by LIKE: one code point to its caseless form.
char32_t FoldCase(char32_t c);
// Case folding changes no character from here on, and yields none: every
// cased script lies in the first two planes. LIKE looks no further for the
// characters that fold to a pattern's.
constexpr char32_t kEndOfCasedCharacters = 0x20000;

// Replaces SQLite's like() (the LIKE operator, with and without ESCAPE) on
// this connection.
void InstallCaseInsensitiveLike(sqlite3 *db);
