#include "data/TableScan.h"

#include "data/SideBySide.h"
#include "data/TableFile.h"

#include <algorithm>
#include <charconv>
#include <deque>
#include <numeric>

namespace {

constexpr size_t kLeavesBetweenStopChecks = 64;
constexpr size_t kLeavesAhead = 2;
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
    });

    std::vector<qint64> rowids;
    std::vector<TStoredField> keys;
    const TPart *before = nullptr;
    for (TPart &part : found) {
        if (part.failed || (before && part.anyRow && part.firstRowid <= before->lastRowid))
            return std::nullopt;
        if (part.anyRow)
            before = &part;
        rowids.insert(rowids.end(), part.rowids.begin(), part.rowids.end());
        keys.insert(keys.end(), part.keys.begin(), part.keys.end());
        part.rowids = std::vector<qint64>();
        part.keys = std::vector<TStoredField>();
    }
    SortByKeys(rowids, keys);
    rowids.shrink_to_fit();
    return rowids;
}

// A stable sort of rows found in rowid order keeps ties in that order.
void TTableScan::SortByKeys(std::vector<qint64> &rowids, const std::vector<TStoredField> &keys) const
{
    if (m_keys.empty())
        return;
    const size_t width = m_keys.size();
    std::vector<quint32> order(rowids.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](quint32 a, quint32 b) {
        for (size_t key = 0; key < width; ++key) {
            const int compared = CompareAsSorted(keys[a * width + key], keys[b * width + key]);
            if (compared != 0)
                return m_keys[key].descending ? compared > 0 : compared < 0;
        }
        return false;
    });
    std::vector<qint64> sorted(rowids.size());
    for (size_t i = 0; i < order.size(); ++i)
        sorted[i] = rowids[order[i]];
    rowids = std::move(sorted);
}
