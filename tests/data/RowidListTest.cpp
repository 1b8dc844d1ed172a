#include "data/RowidList.h"

#include <gtest/gtest.h>
#include <set>

namespace {

// A store of rowids that another process may shrink; counts the rowids it hands out.
struct FakeStore {
    std::set<qint64> rowids;
    long handedOut = 0;

    TRowidList::TLister Lister()
    {
        return [this](qint64 after, qint64 before, int limit, bool descending, std::vector<qint64> &out) {
            const auto first = rowids.upper_bound(after);
            const auto last = rowids.lower_bound(before);
            std::vector<qint64> range(first, last);
            if (descending)
                std::reverse(range.begin(), range.end());
            range.resize(std::min<size_t>(range.size(), size_t(limit)));
            handedOut += long(range.size());
            out.insert(out.end(), range.begin(), range.end());
        };
    }
};

FakeStore StoreOf(qint64 from, qint64 to)
{
    FakeStore store;
    for (qint64 r = from; r <= to; ++r)
        store.rowids.insert(r);
    return store;
}

} // namespace

TEST(RowidList, listsOnlyTheEndsThatAreAskedFor)
{
    FakeStore store = StoreOf(1, 200000);
    TRowidList list;
    list.Start(200000, 200000, store.Lister());
    EXPECT_EQ(list.At(199999), 200000);
    EXPECT_EQ(list.At(0), 1);
    EXPECT_LT(store.handedOut, 50000) << "the first and last rows need no listing of the middle";
    EXPECT_EQ(list.At(100000), 100001);
    list.ListAll();
    EXPECT_TRUE(list.Complete());
    for (int i = 0; i < 200000; i += 997)
        EXPECT_EQ(list.At(i), i + 1);
    EXPECT_EQ(store.handedOut, 200000) << "every rowid is listed once";
}

TEST(RowidList, ownInsertsAndDeletesKeepPositionsAtBothEnds)
{
    FakeStore store = StoreOf(1, 100000);
    TRowidList list;
    list.Start(100000, 100000, store.Lister());
    list.At(0);
    list.At(99999);
    list.Insert(100000, 500000);  // appended
    list.Insert(99999, 400000);   // before the old last row
    list.Insert(0, 300000);       // at the front
    list.Erase(2);                // rowid 2
    list.Erase(list.Count() - 4); // rowid 99999
    ASSERT_EQ(list.Count(), 100001);
    EXPECT_EQ(list.At(0), 300000);
    EXPECT_EQ(list.At(1), 1);
    EXPECT_EQ(list.At(2), 3);
    EXPECT_EQ(list.At(list.Count() - 1), 500000);
    EXPECT_EQ(list.At(list.Count() - 2), 100000);
    EXPECT_EQ(list.At(list.Count() - 3), 400000);
    EXPECT_EQ(list.At(list.Count() - 4), 99998);
    EXPECT_EQ(list.At(list.Count() - 5), 99997);
    list.ListAll();
    EXPECT_EQ(list.At(50000), 50001);
}

TEST(RowidList, rowsDeletedByOthersBeforeListingKeepTheCount)
{
    FakeStore store = StoreOf(1, 50000);
    TRowidList list;
    list.Start(50000, 50000, store.Lister());
    list.At(0);
    list.At(49999);
    for (qint64 r = 25000; r < 25010; ++r)
        store.rowids.erase(r);
    store.rowids.insert(60000); // added later: stays out
    list.ListAll();
    ASSERT_EQ(list.Count(), 50000);
    int missing = 0;
    qint64 previous = 0;
    for (int i = 0; i < list.Count(); ++i) {
        const qint64 rowid = list.At(i);
        if (rowid == TRowidList::kMissing) {
            ++missing;
            continue;
        }
        EXPECT_GT(rowid, previous);
        EXPECT_NE(rowid, 60000);
        previous = rowid;
    }
    EXPECT_EQ(missing, 10);
    EXPECT_EQ(list.At(0), 1);
    EXPECT_EQ(list.At(49999), 50000) << "rows already listed keep their positions";
}

// Rows deleted through another cursor: from the listed front, the listed
// back, and the middle not yet listed, which then lists without them.
TEST(RowidList, rowsRemovedElsewhereLeaveEveryEndAndTheMiddle)
{
    FakeStore store = StoreOf(1, 100000);
    TRowidList list;
    list.Start(100000, 100000, store.Lister());
    list.At(0);
    list.At(99999);
    EXPECT_EQ(list.Remove(2), 1);
    EXPECT_EQ(list.Remove(99999), 99997);
    store.rowids.erase(50000);
    EXPECT_TRUE(list.Remove(50000).has_value());
    EXPECT_FALSE(list.Remove(100001).has_value()) << "not in the cursor";
    EXPECT_FALSE(list.Remove(2).has_value()) << "already gone";
    EXPECT_EQ(list.Count(), 99997);
    EXPECT_EQ(list.At(99996), 100000);
    EXPECT_EQ(list.At(1), 3);
    list.ListAll();
    EXPECT_EQ(list.At(49997), 49999);
    EXPECT_EQ(list.At(49998), 50001);
    for (int i = 0; i < list.Count(); ++i)
        ASSERT_NE(list.At(i), TRowidList::kMissing) << i;
}

TEST(RowidList, placeOfARowidFromEitherEndListsOnlyAsFarAsIt)
{
    FakeStore store = StoreOf(1, 100000);
    store.rowids.erase(70000);
    TRowidList list;
    list.Start(99999, 100000, store.Lister());
    const TRowidList::TPlace near = list.PlaceOf(20000, false);
    EXPECT_EQ(near.position, 19999);
    EXPECT_TRUE(near.present);
    EXPECT_LT(store.handedOut, 40000);

    const TRowidList::TPlace gone = list.PlaceOf(70000, true);
    EXPECT_EQ(gone.position, 69999) << "a rowid no longer there is placed before the next greater one";
    EXPECT_FALSE(gone.present);
    EXPECT_EQ(list.At(69999), 70001);
    EXPECT_LT(store.handedOut, 80000);

    EXPECT_EQ(list.PlaceOf(100001, true).position, 99999);
    EXPECT_EQ(list.PlaceOf(0, false).position, 0);
    EXPECT_EQ(list.PlaceOf(99999, false).position, 99997) << "both ends meet";
    EXPECT_TRUE(list.Complete());
}
