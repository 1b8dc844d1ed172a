#include "data/TableScan.h"

#include "data/SideBySide.h"
#include "data/TableFile.h"

#include <algorithm>
#include <charconv>
#include <deque>

namespace {

constexpr size_t kLeavesBetweenStopChecks = 64;
constexpr size_t kLeavesAhead = 2;
// The bytes of a sort key that its prefix holds, below its rank's bits.
constexpr size_t kSortPrefixBytes = 7;
// About how many rows of a directory a leaf of 4 KB holds.
constexpr qint64 kRowsPerLeaf = 50;

} // namespace

TTableScan::TTableScan(std::vector<TTerm> terms, std::vector<TKey> keys, TRealText realText)
    : m_terms(std::move(terms))
    , m_keys(std::move(keys))
    , m_realText(std::move(realText))
{ }

// LIKE reads a number as its text, and is NULL (false) for NULL unless the
// pattern matches an empty field.
bool TTableScan::Holds(const TTerm &term, const TStoredField &field) const
{
    if (!term.pattern)
        return field.kind != TStoredField::Null;
    switch (field.kind) {
    case TStoredField::Null: return term.pattern->MatchesEmptyField();
    case TStoredField::Integer: {
        char text[24];
        const auto end = std::to_chars(std::begin(text), std::end(text), field.integer).ptr;
        return term.pattern->MatchesBytes({text, size_t(end - text)});
    }
    case TStoredField::Real: {
        const std::lock_guard guard(m_realTextLock);
        return term.pattern->MatchesBytes(m_realText(field.real));
    }
    case TStoredField::Text:
    case TStoredField::Blob: return term.pattern->MatchesBytes(field.bytes);
    }
    return false;
}

void TTableScan::ScanLeaves(const TTableFile &file, const quint32 *leaves, size_t count, TPart &part,
                            const std::atomic<bool> &stop) const
{
    TStoredRecord record;
    TStoredField field;
    std::string spilled;
    // Each row: false when it is malformed.
    const auto test = [&](qint64 rowid, std::string_view bytes, bool inPlace) {
        record.Reset(bytes);
        for (const TTerm &term : m_terms) {
            if (!record.Field(term.column, field) || (field.absent && term.hasDefault))
                return false;
            if (!Holds(term, field))
                return true;
        }
        for (const TKey &key : m_keys) {
            if (!record.Field(key.column, field) || (field.absent && key.hasDefault))
                return false;
            if (!inPlace && !field.bytes.empty())
                field.bytes = part.keptBytes.emplace_back(field.bytes);
            part.keys.push_back(field);
        }
        part.rowids.push_back(rowid);
        return true;
    };
    for (size_t at = 0; at < count; ++at) {
        if (at % kLeavesBetweenStopChecks == 0 && stop.load(std::memory_order_relaxed)) {
            part.failed = true;
            return;
        }
        // Each leaf is asked for once, a few leaves before it is read.
        for (size_t ahead = at == 0 ? 1 : kLeavesAhead; ahead <= kLeavesAhead && at + ahead < count; ++ahead)
            file.Prefetch(leaves[at + ahead]);
        const std::optional<TTableFile::TLeaf> leaf = file.Leaf(leaves[at]);
        if (!leaf) {
            part.failed = true;
            return;
        }
        for (quint32 index = 0; index < leaf->cells; ++index) {
            quint64 rowid = 0;
            std::string_view bytes;
            bool inPlace = false;
            // Rows come in rowid order, each once.
            if (!file.ReadRow(*leaf, index, rowid, bytes, inPlace, spilled)
                || (part.anyRow && qint64(rowid) <= part.lastRowid) || !test(qint64(rowid), bytes, inPlace)) {
                part.failed = true;
                return;
            }
            if (!part.anyRow)
                part.firstRowid = qint64(rowid);
            part.anyRow = true;
            part.lastRowid = qint64(rowid);
        }
    }
}

std::optional<std::vector<qint64>> TTableScan::List(const TTableFile &file, quint32 root, TThreads threads,
                                                    const std::atomic<bool> &stop)
{
    const std::optional<std::vector<quint32>> leaves = file.LeafPages(root);
    if (!leaves)
        return std::nullopt;
    const bool shared = qint64(leaves->size()) * kRowsPerLeaf >= threads.fromRows;
    const size_t parts = shared ? std::clamp<size_t>(leaves->size(), 1, size_t(std::max(1, threads.count))) : 1;
    std::vector<TPart> found(parts);
    RunSideBySide(parts, [&](size_t part) {
        const size_t first = leaves->size() * part / parts;
        const size_t last = leaves->size() * (part + 1) / parts;
        ScanLeaves(file, leaves->data() + first, last - first, found[part], stop);
        if (!found[part].failed)
            SortByKeys(found[part]);
    });
    const TPart *before = nullptr;
    for (const TPart &part : found) {
        if (part.failed || (before && part.anyRow && part.firstRowid <= before->lastRowid))
            return std::nullopt;
        if (part.anyRow)
            before = &part;
    }
    return Merge(found);
}

int TTableScan::CompareKeys(const TStoredField *a, const TStoredField *b, size_t from) const
{
    for (size_t key = from; key < m_keys.size(); ++key) {
        const int compared = CompareAsSorted(a[key], b[key]);
        if (compared != 0)
            return m_keys[key].descending ? -compared : compared;
    }
    return 0;
}

// The first key's first bytes as a number whose order agrees with the
// keys' wherever two of them differ: its storage class's rank above, and
// for text and blobs their first bytes (a short value padded with zeros,
// which only ties it with a longer one). Most comparisons of a sort then
// end on one number.
quint64 TTableScan::SortPrefix(const TStoredField &key) const
{
    constexpr int kRankShift = 62;
    quint64 prefix = 0;
    switch (key.kind) {
    case TStoredField::Null: break;
    case TStoredField::Integer:
    case TStoredField::Real: prefix = quint64(1) << kRankShift; break;
    case TStoredField::Text:
    case TStoredField::Blob:
        prefix = quint64(key.kind == TStoredField::Text ? 2 : 3) << kRankShift;
        for (size_t at = 0; at < kSortPrefixBytes; ++at) {
            const quint64 byte = at < key.bytes.size() ? static_cast<unsigned char>(key.bytes[at]) : 0;
            prefix |= byte << (8 * (kSortPrefixBytes - 1 - at));
        }
        break;
    }
    return m_keys.front().descending ? ~prefix : prefix;
}

TTableScan::TSortEntry TTableScan::SortEntry(const TPart &part, quint32 row) const
{
    const TStoredField &key = part.keys[row * m_keys.size()];
    const bool settled =
        key.kind == TStoredField::Null
        || ((key.kind == TStoredField::Text || key.kind == TStoredField::Blob) && key.bytes.size() <= kSortPrefixBytes);
    return {SortPrefix(key), row, settled ? quint32(key.bytes.size()) : kUnsettled};
}

// A first key that its prefix holds whole (NULL, or a short text or blob of
// a known length) needs no second look where prefixes tie.
int TTableScan::CompareEntries(const TPart &aPart, const TSortEntry &a, const TPart &bPart, const TSortEntry &b) const
{
    if (a.prefix != b.prefix)
        return a.prefix < b.prefix ? -1 : 1;
    const size_t width = m_keys.size();
    if (width == 0)
        return 0;
    const bool firstTies = a.settledLength != kUnsettled && a.settledLength == b.settledLength;
    return CompareKeys(aPart.keys.data() + a.row * width, bPart.keys.data() + b.row * width, firstTies ? 1 : 0);
}

// Rows found in rowid order: where keys tie, the earlier row comes first.
void TTableScan::SortByKeys(TPart &part) const
{
    part.sorted.resize(part.rowids.size());
    for (quint32 row = 0; row < part.sorted.size(); ++row)
        part.sorted[row] = m_keys.empty() ? TSortEntry{0, row, 0} : SortEntry(part, row);
    if (m_keys.empty())
        return;
    std::sort(part.sorted.begin(), part.sorted.end(), [&](const TSortEntry &a, const TSortEntry &b) {
        const int compared = CompareEntries(part, a, part, b);
        return compared != 0 ? compared < 0 : a.row < b.row;
    });
}

// The parts are few (one per core): the next row is found by looking at
// each part's next one. Where keys tie, the earlier part's row, of the
// lower rowid, comes first.
std::vector<qint64> TTableScan::Merge(const std::vector<TPart> &parts) const
{
    size_t total = 0;
    for (const TPart &part : parts)
        total += part.rowids.size();
    std::vector<qint64> rowids;
    rowids.reserve(total);
    std::vector<size_t> next(parts.size(), 0);
    const auto entryAt = [&](size_t part) -> const TSortEntry & { return parts[part].sorted[next[part]]; };
    for (;;) {
        size_t best = parts.size();
        for (size_t part = 0; part < parts.size(); ++part) {
            if (next[part] < parts[part].sorted.size()
                && (best == parts.size() || CompareEntries(parts[part], entryAt(part), parts[best], entryAt(best)) < 0))
                best = part;
        }
        if (best == parts.size())
            return rowids;
        rowids.push_back(parts[best].rowids[entryAt(best).row]);
        ++next[best];
    }
}
