#include "data/RowidList.h"

#include <algorithm>

namespace {
// Rows listed at least per trip to the store.
constexpr int kListingBatch = 16384;
} // namespace

// A vector assigned {} keeps its capacity: a new empty one gives it back.
void TRowidList::Clear()
{
    m_head = std::vector<qint64>();
    m_tail = std::vector<qint64>();
    m_count = 0;
    m_lister = nullptr;
}

void TRowidList::Start(int count, qint64 highest, TLister lister)
{
    Clear();
    m_count = count;
    m_frontAfter = std::numeric_limits<qint64>::min();
    m_backBefore = highest == std::numeric_limits<qint64>::max() ? highest : highest + 1;
    m_lister = std::move(lister);
}

void TRowidList::Assign(std::vector<qint64> rowids)
{
    Clear();
    m_head = std::move(rowids);
    m_count = int(m_head.size());
}

qint64 TRowidList::At(int index)
{
    if (index < int(m_head.size()))
        return m_head[index];
    const int fromBack = m_count - 1 - index;
    if (fromBack < int(m_tail.size()))
        return m_tail[fromBack];
    const int frontDistance = index - int(m_head.size()) + 1;
    const int backDistance = m_count - int(m_tail.size()) - index;
    if (frontDistance <= backDistance)
        ListFront(std::max(frontDistance, kListingBatch));
    else
        ListBack(std::max(backDistance, kListingBatch));
    return At(index);
}

std::optional<qint64> TRowidList::Listed(int index) const
{
    if (index < int(m_head.size()))
        return m_head[index];
    const int fromBack = m_count - 1 - index;
    if (fromBack < int(m_tail.size()))
        return m_tail[fromBack];
    return std::nullopt;
}

void TRowidList::ListAll()
{
    if (!Complete())
        ListFront(Gap());
}

TRowidList::TPlace TRowidList::PlaceOf(qint64 rowid, bool fromBack)
{
    if (fromBack) {
        while (!Complete() && (m_tail.empty() || m_tail.back() >= rowid))
            ListBack(kListingBatch);
    } else {
        while (!Complete() && (m_head.empty() || m_head.back() < rowid))
            ListFront(kListingBatch);
    }
    // Rows deleted before they were listed stand as kMissing, which no rowid equals.
    if (!fromBack || Complete()) {
        const auto first = std::find_if(m_head.begin(), m_head.end(),
                                        [rowid](qint64 listed) { return listed != kMissing && listed >= rowid; });
        // Listing stopped at a greater rowid, or listed everything.
        if (first != m_head.end())
            return {int(first - m_head.begin()), *first == rowid};
        return {m_count, false};
    }
    const auto below = std::find_if(m_tail.begin(), m_tail.end(), [rowid](qint64 listed) { return listed < rowid; });
    const int atOrAbove = int(below - m_tail.begin());
    return {m_count - atOrAbove, atOrAbove > 0 && m_tail[atOrAbove - 1] == rowid};
}

void TRowidList::ListFront(int rows)
{
    const int wanted = std::min(rows, Gap());
    const size_t before = m_head.size();
    m_lister(m_frontAfter, m_backBefore, wanted, false, m_head);
    if (m_head.size() > before)
        m_frontAfter = m_head.back();
    if (int(m_head.size() - before) < wanted || Gap() == 0)
        Join();
}

void TRowidList::ListBack(int rows)
{
    const int wanted = std::min(rows, Gap());
    const size_t before = m_tail.size();
    m_lister(m_frontAfter, m_backBefore, wanted, true, m_tail);
    if (m_tail.size() > before)
        m_backBefore = m_tail.back();
    if (int(m_tail.size() - before) < wanted || Gap() == 0)
        Join();
}

void TRowidList::Join()
{
    m_head.reserve(m_count);
    m_head.resize(m_count - m_tail.size(), kMissing);
    m_head.insert(m_head.end(), m_tail.rbegin(), m_tail.rend());
    m_head.shrink_to_fit();
    m_tail = std::vector<qint64>();
}

void TRowidList::Insert(int index, qint64 rowid)
{
    if (index <= int(m_head.size()))
        m_head.insert(m_head.begin() + index, rowid);
    else
        m_tail.insert(m_tail.begin() + (m_count - index), rowid);
    ++m_count;
}

void TRowidList::Erase(int index)
{
    if (index < int(m_head.size()))
        m_head.erase(m_head.begin() + index);
    else
        m_tail.erase(m_tail.begin() + (m_count - 1 - index));
    --m_count;
}

std::optional<int> TRowidList::Remove(qint64 rowid)
{
    const auto inHead = std::find(m_head.begin(), m_head.end(), rowid);
    if (inHead != m_head.end()) {
        const int index = int(inHead - m_head.begin());
        Erase(index);
        return index;
    }
    const auto inTail = std::find(m_tail.begin(), m_tail.end(), rowid);
    if (inTail != m_tail.end()) {
        const int index = m_count - 1 - int(inTail - m_tail.begin());
        Erase(index);
        return index;
    }
    if (Gap() > 0 && rowid > m_frontAfter && rowid < m_backBefore) {
        --m_count;
        return int(m_head.size());
    }
    return std::nullopt;
}
