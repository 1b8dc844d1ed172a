#pragma once

#include <QtGlobal>
#include <functional>
#include <limits>
#include <optional>
#include <vector>

// The rowids of a static cursor by position, listed from the store only as
// far as they are needed, from whichever end is nearer: the first rows from
// the front, the last rows from the back, the middle when it is reached. So
// a table of a million rows opens, shows its first or last screen and moves
// to its last row without listing the rows in between.
//
// The cursor is the `count` rows with rowid up to `highest` that existed when
// it was made, in rowid order. If another process deletes some of them before
// they are listed, the middle comes up short: the missing rows are kept as
// kMissing, so that the count and every listed row's position still hold.
class TRowidList
{
public:
    static constexpr qint64 kMissing = std::numeric_limits<qint64>::min();

    // Appends to `out` up to `limit` rowids r with after < r < before, in
    // ascending order, or descending when `descending`.
    using TLister =
        std::function<void(qint64 after, qint64 before, int limit, bool descending, std::vector<qint64> &out)>;

    void Clear();
    // A cursor listed on demand through `lister`.
    void Start(int count, qint64 highest, TLister lister);
    // A cursor whose rowids are all known.
    void Assign(std::vector<qint64> rowids);

    int Count() const { return m_count; }
    bool Complete() const { return m_tail.empty() && int(m_head.size()) == m_count; }
    // The rowid at `index` (0 <= index < Count()), listing as needed.
    qint64 At(int index);
    // The rowid at `index` when it is listed already.
    std::optional<qint64> Listed(int index) const;
    void ListAll();
    // Where `rowid` stands in a cursor in rowid order: its position and
    // whether it is there, or the position of the first greater rowid (the
    // count when there is none). Lists from the front, or from the back,
    // as far as it takes.
    struct TPlace {
        int position = 0;
        bool present = false;
    };
    TPlace PlaceOf(qint64 rowid, bool fromBack);
    // Our own changes: a new row at `index`, the row at `index` gone.
    void Insert(int index, qint64 rowid);
    void Erase(int index);
    // A row of the cursor deleted through another cursor of this program.
    // Returns the position from which the rows move up by one, or nothing
    // when the row is not in this cursor. A row not yet listed only shortens
    // the middle.
    std::optional<int> Remove(qint64 rowid);

private:
    int Gap() const { return m_count - int(m_head.size()) - int(m_tail.size()); }
    void ListFront(int rows);
    void ListBack(int rows);
    // Closes the gap once nothing more can be listed.
    void Join();

    std::vector<qint64> m_head; // positions 0, 1, ...
    std::vector<qint64> m_tail; // positions Count() - 1, Count() - 2, ...
    int m_count = 0;
    qint64 m_frontAfter = 0; // the gap's rowids lie strictly between these two
    qint64 m_backBefore = 0;
    TLister m_lister;
};
