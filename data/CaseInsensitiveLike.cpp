#include "data/CaseInsensitiveLike.h"

#include "data/LegacyText.h"

#include <QChar>
#include <QList>
#include <QString>
#include <QStringDecoder>
#include <algorithm>
#include <memory>
#include <sqlite3.h>
#include <utility>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr char32_t kFirstSurrogate = 0xD800;
constexpr char32_t kLastSurrogate = 0xDFFF;
constexpr unsigned char kFirstUpperByte = 0x80;
constexpr unsigned char kFirstValidTwoByteLead = 0xC2; // 0xC0 and 0xC1 begin over-long forms only
constexpr unsigned char kFirstThreeByteLead = 0xE0;
constexpr std::uint64_t kUpperBitOfEachByte = 0x8080808080808080;
// A lead byte 110xxxxx then a continuation byte 10xxxxxx, read as a
// little number of two bytes, the first one low.
constexpr unsigned kTwoByteFormMask = 0xC0E0;
constexpr unsigned kTwoByteForm = 0x80C0;
constexpr std::uint64_t kEachPair = 0x0001000100010001;
constexpr std::uint64_t kUpperBitOfEachPair = 0x8000800080008000;
// The bits of a two-byte lead that an over-long form leaves zero.
constexpr unsigned kLeadPayloadMask = 0x1E;
constexpr unsigned char kFirstFourByteLead = 0xF0;

#if defined(__SSE2__)
constexpr size_t kVectorBytes = sizeof(__m128i);
#endif

// The length of the character that a UTF-8 lead byte begins.
size_t CharacterLength(unsigned char lead)
{
    return lead < kFirstUpperByte ? 1 : lead < kFirstThreeByteLead ? 2 : lead < kFirstFourByteLead ? 3 : 4;
}

// Every character whose folded form is another character, as pairs
// (folded, character) sorted by the folded form. Built once, on the first
// pattern that needs it (half a millisecond).
const std::vector<std::pair<char32_t, char32_t>> &Unfoldings()
{
    static const std::vector<std::pair<char32_t, char32_t>> table = [] {
        std::vector<std::pair<char32_t, char32_t>> pairs;
        for (char32_t c = 0; c < kEndOfCasedCharacters; ++c) {
            if (c == kFirstSurrogate)
                c = kLastSurrogate + 1;
            const char32_t folded = FoldCase(c);
            if (folded != c)
                pairs.emplace_back(folded, c);
        }
        std::sort(pairs.begin(), pairs.end());
        return pairs;
    }();
    return table;
}

// The UTF-8 encodings of every character that folds to `folded`.
std::vector<std::string> Utf8FoldingTo(char32_t folded)
{
    std::vector<char32_t> characters;
    if (FoldCase(folded) == folded)
        characters.push_back(folded);
    const auto &table = Unfoldings();
    for (auto it = std::lower_bound(table.begin(), table.end(), std::pair(folded, char32_t(0)));
         it != table.end() && it->first == folded; ++it)
        characters.push_back(it->second);
    // Each character alone: a reading of UTF-32 would drop a byte-order mark.
    std::vector<std::string> encodings;
    for (const char32_t c : characters) {
        const QByteArray utf8 = QStringView(QChar::fromUcs4(c)).toUtf8();
        encodings.emplace_back(utf8.constData(), size_t(utf8.size()));
    }
    return encodings;
}

// Whether eight bytes, read as a little-endian number, are four complete
// two-byte characters: each lead 110xxxxx but not 0xC0 or 0xC1 (over-long),
// each followed by a continuation byte.
bool FourTwoByteCharacters(std::uint64_t word)
{
    if ((word & kTwoByteFormMask * kEachPair) != kTwoByteForm * kEachPair)
        return false;
    // A lead without its lowest bit is 0xC0 exactly when it is zero here.
    const std::uint64_t leads = (word & kLeadPayloadMask * kEachPair);
    return ((leads - kEachPair) & ~leads & kUpperBitOfEachPair) == 0;
}

// True when the grid shows the bytes exactly as a plain UTF-8 reading does.
// The directory's text is ASCII and two-byte letters, checked here at once;
// the first other byte leaves the rest to the full check, and so does a
// byte-order mark, which begins with a three-byte lead.
bool ReadsAsPlainUtf8(std::string_view bytes)
{
    const auto *byte = reinterpret_cast<const unsigned char *>(bytes.data());
    const auto *end = byte + bytes.size();
    while (end - byte >= 2) {
        if (end - byte >= qsizetype(sizeof(std::uint64_t))) {
            std::uint64_t word;
            std::memcpy(&word, byte, sizeof word);
            if ((word & kUpperBitOfEachByte) == 0 || FourTwoByteCharacters(word)) {
                byte += sizeof word;
                continue;
            }
        }
        if (*byte < kFirstUpperByte) {
            ++byte;
            continue;
        }
        const unsigned pair = byte[0] | unsigned(byte[1]) << 8;
        if ((pair & kTwoByteFormMask) != kTwoByteForm || *byte < kFirstValidTwoByteLead)
            break;
        byte += 2;
    }
    if (byte == end || (end - byte == 1 && *byte < kFirstUpperByte))
        return true;
    const size_t checked = size_t(byte - reinterpret_cast<const unsigned char *>(bytes.data()));
    return IsStoredUtf8(bytes.substr(checked)) && !bytes.starts_with(kByteOrderMark);
}

// A value's text in the database's encoding, UTF-8. NULL reads as empty.
std::string_view StoredBytes(sqlite3_value *value)
{
    const auto *bytes = reinterpret_cast<const char *>(sqlite3_value_text(value));
    return {bytes ? bytes : "", size_t(sqlite3_value_bytes(value))};
}

// An argument's UTF-8 as UTF-16, by SQLite; null when memory ran out.
// SQLite's conversion reads some malformed forms (over-long ones, values past
// U+10FFFF) as characters, so it is only ever given bytes found valid: a
// pattern must not hide a "%" or an escape character in bytes that no check
// of its plain bytes would see. Invalidates what StoredBytes returned.
std::optional<QStringView> ValidUtf8AsUtf16(sqlite3_value *value)
{
    const auto *text = static_cast<const char16_t *>(sqlite3_value_text16(value));
    if (!text)
        return std::nullopt;
    return QStringView(text, sqlite3_value_bytes16(value) / qsizetype(sizeof(char16_t)));
}

// A pattern or escape argument as characters, a byte-order mark among them;
// each malformed sequence of its bytes reads as the replacement character.
std::optional<QString> ArgumentText(sqlite3_value *value)
{
    const std::string_view bytes = StoredBytes(value);
    if (!IsStoredUtf8(bytes)) {
        QStringDecoder decoder(QStringConverter::Utf8, QStringConverter::Flag::ConvertInitialBom);
        return decoder.decode(QByteArrayView(bytes.data(), qsizetype(bytes.size())));
    }
    const std::optional<QStringView> text = ValidUtf8AsUtf16(value);
    if (!text)
        return std::nullopt;
    return text->toString();
}

// Answers for one value; its length is asked for only when its first bytes
// leave the answer open. SQLite's text is zero-terminated, and NULL only when
// the value is NULL or memory ran out.
void ResultFor(sqlite3_context *context, const TLikePattern &pattern, sqlite3_value *value)
{
    const auto *bytes = reinterpret_cast<const char *>(sqlite3_value_text(value));
    if (!bytes && sqlite3_value_type(value) == SQLITE_NULL) {
        if (pattern.MatchesEmptyField())
            sqlite3_result_int(context, 1);
        else
            sqlite3_result_null(context);
        return;
    }
    if (bytes && pattern.LeadBytesRuleOut(bytes)) {
        sqlite3_result_int(context, 0);
        return;
    }
    const bool matches = pattern.MatchesBytes({bytes ? bytes : "", size_t(sqlite3_value_bytes(value))});
    sqlite3_result_int(context, matches ? 1 : 0);
}

// The patterns that the LIKE calls of one connection's statements have
// compiled, by call. A scan makes the same call for every row, with the same
// constant pattern. SQLite's auxiliary data keeps each pattern exactly as long
// as its call may use it, but finding it there walks the list of every
// pattern of the statement, the first term's last; here the call itself finds
// its pattern. An entry lives as long as its auxiliary data: SQLite's drop of
// the pattern (a changed argument, a reset or finalized statement) removes it.
class TCompiledPatterns
{
public:
    const TLikePattern *Find(const sqlite3_context *call) const
    {
        for (const TKept *kept : m_kept) {
            if (kept->call == call)
                return &kept->pattern;
        }
        return nullptr;
    }

    void Keep(sqlite3_context *call, std::unique_ptr<TLikePattern> pattern)
    {
        auto kept = std::make_unique<TKept>(TKept{this, call, std::move(*pattern)});
        TKept *token = kept.get();
        // SQLite drops the data at once when it cannot keep it (no statement,
        // no memory); only data it kept may be found.
        sqlite3_set_auxdata(call, 0, kept.release(), Drop);
        if (sqlite3_get_auxdata(call, 0) == token)
            m_kept.push_back(token);
    }

private:
    struct TKept {
        TCompiledPatterns *owner;
        const sqlite3_context *call;
        TLikePattern pattern;
    };

    static void Drop(void *data)
    {
        std::unique_ptr<TKept> kept(static_cast<TKept *>(data));
        std::vector<TKept *> &all = kept->owner->m_kept;
        all.erase(std::remove(all.begin(), all.end(), kept.get()), all.end());
    }

    std::vector<TKept *> m_kept;
};

void DeleteCompiledPatterns(void *patterns)
{
    delete static_cast<TCompiledPatterns *>(patterns);
}

// A call whose pattern is not compiled yet, and every call with ESCAPE.
// Out of line, so that the call every row makes stays small.
[[gnu::noinline]] void CompileAndAnswer(sqlite3_context *context, int argc, sqlite3_value **argv,
                                        TCompiledPatterns *compiled)
{
    // A NULL value is answered by the pattern (see ResultFor).
    for (int i = 0; i < argc; ++i) {
        if (i != 1 && sqlite3_value_type(argv[i]) == SQLITE_NULL) {
            sqlite3_result_null(context);
            return;
        }
    }
    char32_t escape = 0;
    if (argc == 3) {
        const std::optional<QString> escapeText = ArgumentText(argv[2]);
        if (!escapeText) {
            sqlite3_result_error_nomem(context);
            return;
        }
        const QList<uint> characters = escapeText->toUcs4();
        if (characters.size() != 1) {
            sqlite3_result_error(context, "ESCAPE expression must be a single character", -1);
            return;
        }
        escape = characters.front();
    }
    const std::optional<QString> patternText = ArgumentText(argv[0]);
    if (!patternText) {
        sqlite3_result_error_nomem(context);
        return;
    }
    auto pattern = std::make_unique<TLikePattern>(*patternText, escape);
    ResultFor(context, *pattern, argv[1]);
    if (argc == 2)
        compiled->Keep(context, std::move(pattern));
}

// like(pattern, text [, escape]); SQLite calls it for "text LIKE pattern".
void LikeFunction(sqlite3_context *context, int argc, sqlite3_value **argv)
{
    // The common call, once per row of a scan: the pattern is a constant that
    // an earlier row compiled (it was not NULL then, and it cannot change).
    auto *compiled = static_cast<TCompiledPatterns *>(sqlite3_user_data(context));
    if (argc == 2) {
        if (const TLikePattern *pattern = compiled->Find(context)) {
            ResultFor(context, *pattern, argv[1]);
            return;
        }
    }
    CompileAndAnswer(context, argc, argv, compiled);
}

} // namespace

char32_t FoldCase(char32_t c)
{
    return QChar::toCaseFolded(c);
}

TLikePattern::TLikePattern(QStringView pattern, char32_t escape)
    : m_matchesEmptyField(pattern == u"%" && escape != U'%')
{
    // An escape character at the very end stands for nothing.
    bool escaped = false;
    for (const char32_t c : pattern.toUcs4()) {
        if (escaped) {
            m_pattern.push_back(FoldCase(c));
            escaped = false;
        } else if (escape != 0 && c == escape) {
            escaped = true;
        } else if (c == U'%') {
            if (m_pattern.empty() || m_pattern.back() != kAnyRun)
                m_pattern.push_back(kAnyRun);
        } else if (c == U'_') {
            m_pattern.push_back(kAnyOne);
        } else {
            m_pattern.push_back(FoldCase(c));
        }
    }
    const size_t wildcards = std::count(m_pattern.begin(), m_pattern.end(), kAnyRun)
                             + std::count(m_pattern.begin(), m_pattern.end(), kAnyOne);
    if (wildcards == 0)
        m_shape = Exact;
    else if (wildcards == 1 && m_pattern.back() == kAnyRun)
        m_shape = m_pattern.size() == 1 ? Anything : Prefix;
    CompilePieces();

    if (m_pattern.empty() || m_pattern.front() == kAnyRun || m_pattern.front() == kAnyOne)
        return;
    m_firstCharacterDecides = true;
    const char32_t first = m_pattern.front();
    const std::vector<std::string> firstVariants = Utf8FoldingTo(first);
    for (const std::string &utf8 : firstVariants)
        m_firstMayBegin.push_back(Encoding(utf8));
    m_firstMayBegin.push_back(Encoding(kByteOrderMark));
    QByteArray upperBytes;
    for (size_t byte = kFirstUpperByte; byte < kByteValues; ++byte)
        upperBytes += char(byte);
    const QString upperHalf = FromWindows1251(upperBytes);
    for (size_t byte = 0; byte < kByteValues; ++byte) {
        if (byte < kFirstUpperByte) {
            m_leadBytes[byte] = FoldCase(char32_t(byte)) == first ? MayMatch : RulesOut;
            continue;
        }
        const bool legacyMatches = FoldCase(upperHalf[qsizetype(byte - kFirstUpperByte)].unicode()) == first;
        const bool beginsVariant =
            byte == static_cast<unsigned char>(kByteOrderMark[0])
            || std::any_of(firstVariants.begin(), firstVariants.end(),
                           [&](const std::string &variant) { return static_cast<unsigned char>(variant[0]) == byte; });
        const bool twoByteLead = byte >= kFirstTwoByteLead && byte < kFirstThreeByteLead;
        m_leadBytes[byte] = legacyMatches    ? MayMatch
                            : !beginsVariant ? RulesOut
                            : twoByteLead    ? CheckSecondByte
                                             : CheckVariants;
    }
    for (const std::string &utf8 : firstVariants) {
        const auto lead = static_cast<unsigned char>(utf8[0]);
        if (m_leadBytes[lead] == CheckSecondByte)
            m_secondBytes[lead - kFirstTwoByteLead] |= std::uint64_t(1)
                                                       << (static_cast<unsigned char>(utf8[1]) & ~kContinuationMask);
    }
}

size_t TLikePattern::FixedLength() const
{
    return size_t(
        std::find_if(m_pattern.begin(), m_pattern.end(), [](char32_t c) { return c == kAnyOne || c == kAnyRun; })
        - m_pattern.begin());
}

bool TLikePattern::MatchesText(QStringView shownText) const
{
    std::u32string folded;
    folded.reserve(size_t(shownText.size()));
    for (const char32_t c : shownText.toUcs4())
        folded.push_back(FoldCase(c));
    return MatchGeneral(folded);
}

TLikePattern::TEncoding TLikePattern::Encoding(std::string_view utf8)
{
    TEncoding encoding;
    encoding.bytes = LeadingWord(utf8);
    encoding.length = utf8.size();
    const std::uint32_t allOnes = ~std::uint32_t(0);
    std::memcpy(&encoding.mask, &allOnes, std::min(utf8.size(), sizeof encoding.mask));
    return encoding;
}

void TLikePattern::CompilePieces()
{
    m_pieces.emplace_back();
    for (const char32_t c : m_pattern) {
        if (c == kAnyRun) {
            m_pieces.emplace_back();
            m_pieces.back().firstElement = m_elements.size();
            continue;
        }
        TElement element;
        element.firstVariant = std::uint32_t(m_variants.size());
        if (c != kAnyOne) {
            const std::vector<std::string> variants = Utf8FoldingTo(c);
            for (const std::string &utf8 : variants)
                m_variants.push_back(Encoding(utf8));
            if (m_pieces.back().elementCount == 0) {
                TPiece &piece = m_pieces.back();
                piece.probeOffset =
                    std::min_element(variants.begin(), variants.end(),
                                     [](const std::string &a, const std::string &b) { return a.size() < b.size(); })
                        ->size()
                    - 1;
                for (const std::string &utf8 : variants)
                    piece.probeBytes[static_cast<unsigned char>(utf8[piece.probeOffset])] = true;
                const auto probes = size_t(std::count(piece.probeBytes.begin(), piece.probeBytes.end(), true));
                if (probes <= kMostListedProbes) {
                    for (size_t byte = 0; byte < kByteValues; ++byte) {
                        if (piece.probeBytes[byte])
                            piece.probeList[piece.probeCount++] = static_cast<unsigned char>(byte);
                    }
                }
            }
        }
        element.variantCount = std::uint32_t(m_variants.size()) - element.firstVariant;
        m_elements.push_back(element);
        ++m_pieces.back().elementCount;
    }
}

bool TLikePattern::MatchesRest(std::string_view storedBytes) const
{
    if (!ReadsAsPlainUtf8(storedBytes))
        return MatchesText(
            DecodeStoredText(QByteArray::fromRawData(storedBytes.data(), qsizetype(storedBytes.size()))));
    return MatchesUtf8(storedBytes);
}

// The pieces between "%" hold a fixed number of characters each, so the
// leftmost place of each inner piece leaves the most room to the ones after
// it: no choice is ever taken back.
bool TLikePattern::MatchesUtf8(std::string_view utf8) const
{
    size_t pos = 0;
    if (!MatchPieceAt(m_pieces.front(), utf8, pos))
        return false;
    if (m_pieces.size() == 1)
        return pos == utf8.size();
    for (size_t i = 1; i + 1 < m_pieces.size(); ++i) {
        if (!FindPiece(m_pieces[i], utf8, pos))
            return false;
    }
    // The last piece begins as many characters before the end as it holds.
    const TPiece &last = m_pieces.back();
    size_t start = utf8.size();
    for (size_t n = 0; n < last.elementCount; ++n) {
        if (start <= pos)
            return false;
        do
            --start;
        while ((static_cast<unsigned char>(utf8[start]) & kContinuationMask) == kContinuationBits);
    }
    return MatchPieceAt(last, utf8, start);
}

// Valid UTF-8 reads one way only, and no encoding of a character begins
// another's, so at most one variant fits at each place.
bool TLikePattern::MatchPieceAt(const TPiece &piece, std::string_view utf8, size_t &pos) const
{
    const TElement *element = m_elements.data() + piece.firstElement;
    for (const TElement *end = element + piece.elementCount; element != end; ++element) {
        if (pos >= utf8.size())
            return false;
        if (element->variantCount == 0) {
            pos += CharacterLength(static_cast<unsigned char>(utf8[pos]));
            continue;
        }
        const size_t length = FittingVariant(*element, utf8, pos);
        if (length == 0)
            return false;
        pos += length;
    }
    return true;
}

// Moves `pos` past the leftmost place from `pos` on where the piece matches.
bool TLikePattern::FindPiece(const TPiece &piece, std::string_view utf8, size_t &pos) const
{
    if (piece.elementCount == 0)
        return true;
    const TElement &first = m_elements[piece.firstElement];
    if (first.variantCount == 0) {
        for (size_t start = pos; start < utf8.size();
             start += CharacterLength(static_cast<unsigned char>(utf8[start]))) {
            size_t end = start;
            if (MatchPieceAt(piece, utf8, end)) {
                pos = end;
                return true;
            }
        }
        return false;
    }
    // Most places are turned down by their probe byte, looked for sixteen
    // places at a time while the value is long enough.
    size_t probe = pos + piece.probeOffset;
#if defined(__SSE2__)
    if (piece.probeCount > 0) {
        __m128i probes[kMostListedProbes];
        for (size_t i = 0; i < piece.probeCount; ++i)
            probes[i] = _mm_set1_epi8(static_cast<char>(piece.probeList[i]));
        for (; probe + kVectorBytes <= utf8.size(); probe += kVectorBytes) {
            const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i *>(utf8.data() + probe));
            __m128i equal = _mm_cmpeq_epi8(bytes, probes[0]);
            for (size_t i = 1; i < piece.probeCount; ++i)
                equal = _mm_or_si128(equal, _mm_cmpeq_epi8(bytes, probes[i]));
            for (auto hits = unsigned(_mm_movemask_epi8(equal)); hits != 0; hits &= hits - 1) {
                if (PieceBeginsAt(piece, utf8, probe + size_t(__builtin_ctz(hits)), pos))
                    return true;
            }
        }
    }
#endif
    for (; probe < utf8.size(); ++probe) {
        if (piece.probeBytes[static_cast<unsigned char>(utf8[probe])] && PieceBeginsAt(piece, utf8, probe, pos))
            return true;
    }
    return false;
}

// Whether the piece matches at the character whose probe byte is at `probe`;
// moves `pos` past it when it does. A fitting first variant begins with a
// lead byte, so it begins a character.
bool TLikePattern::PieceBeginsAt(const TPiece &piece, std::string_view utf8, size_t probe, size_t &pos) const
{
    size_t end = probe - piece.probeOffset;
    if (!MatchPieceAt(piece, utf8, end))
        return false;
    pos = end;
    return true;
}

// Classic wildcard matching: on a mismatch, let the last "%" swallow one more
// character and retry from there. Linear in practice, never exponential.
bool TLikePattern::MatchGeneral(const std::u32string &foldedText) const
{
    size_t p = 0;
    size_t t = 0;
    size_t runAtPattern = std::u32string::npos;
    size_t runAtText = 0;
    while (t < foldedText.size()) {
        if (p < m_pattern.size() && (m_pattern[p] == kAnyOne || m_pattern[p] == foldedText[t])) {
            ++p;
            ++t;
        } else if (p < m_pattern.size() && m_pattern[p] == kAnyRun) {
            runAtPattern = p++;
            runAtText = t;
        } else if (runAtPattern != std::u32string::npos) {
            p = runAtPattern + 1;
            t = ++runAtText;
        } else {
            return false;
        }
    }
    while (p < m_pattern.size() && m_pattern[p] == kAnyRun)
        ++p;
    return p == m_pattern.size();
}

void InstallCaseInsensitiveLike(sqlite3 *db)
{
    // Only the two-argument form keeps patterns; SQLite deletes them with the
    // connection, or at once when it cannot register the function.
    const int flags = SQLITE_UTF8 | SQLITE_DETERMINISTIC | SQLITE_INNOCUOUS;
    sqlite3_create_function_v2(db, "like", 2, flags, new TCompiledPatterns, LikeFunction, nullptr, nullptr,
                               DeleteCompiledPatterns);
    sqlite3_create_function(db, "like", 3, flags, nullptr, LikeFunction, nullptr, nullptr);
}
