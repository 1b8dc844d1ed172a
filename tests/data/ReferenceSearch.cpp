#include "ReferenceSearch.h"

#include "data/CaseInsensitiveLike.h"
#include "forms/SearchStatement.h"

#include <algorithm>
#include <string>

namespace {

constexpr int kApartment = 5;

// SQLite's order of values: numbers, then text, then blobs, bytes compared
// within a class (the directory's apartments are text or blobs).
int StorageRank(const TStoredValue &value)
{
    return value.storageClass == TStoredValue::Blob ? 2 : value.storageClass == TStoredValue::Text ? 1 : 0;
}

} // namespace

bool ReferenceLike(const QString &pattern, const std::optional<QString> &text)
{
    if (!text)
        return false;
    const QList<uint> p = pattern.toUcs4();
    std::u32string t;
    for (const uint c : text->toUcs4())
        t.push_back(FoldCase(c));
    // matches[j]: the pattern so far matches the first j characters of the text.
    std::vector<bool> matches(t.size() + 1, false);
    matches[0] = true;
    for (const char32_t c : p) {
        std::vector<bool> next(t.size() + 1, false);
        for (size_t j = 0; j <= t.size(); ++j) {
            if (c == U'%')
                next[j] = matches[j] || (j > 0 && next[j - 1]);
            else if (j > 0)
                next[j] = matches[j - 1] && (c == U'_' || FoldCase(c) == t[j - 1]);
        }
        matches = std::move(next);
    }
    return matches[t.size()];
}

QStringList ShownRow(const std::vector<TStoredValue> &values)
{
    QStringList shown;
    for (const TStoredValue &value : values)
        shown << value.Shown().value_or(QStringLiteral("<NULL>"));
    return shown;
}

QList<QStringList> ReferenceSearch(const std::vector<ReferenceRow> &rows, const QStringList &criteria)
{
    std::vector<const ReferenceRow *> found;
    for (const ReferenceRow &row : rows) {
        bool all = true;
        // An empty criterion imposes no condition on its field.
        for (int field = 0; field < SearchStatement::kCriterionCount && all; ++field) {
            all = criteria.value(field).isEmpty()
                  || ReferenceLike(SearchStatement::Pattern(criteria.value(field)), row.values[field].Shown());
        }
        if (all)
            found.push_back(&row);
    }
    std::stable_sort(found.begin(), found.end(), [](const ReferenceRow *a, const ReferenceRow *b) {
        const TStoredValue &x = a->values[kApartment];
        const TStoredValue &y = b->values[kApartment];
        if (StorageRank(x) != StorageRank(y))
            return StorageRank(x) < StorageRank(y);
        return x.bytes < y.bytes;
    });
    QList<QStringList> result;
    for (const ReferenceRow *row : found)
        result << ShownRow(row->values);
    return result;
}
