#include "data/CustomADODataSet.h"

#include "data/ADOConnection.h"
#include "data/ReaderThread.h"
#include "data/SqlDialect.h"
#include "data/Store.h"
#include "toolkit/app/BusyWait.h"
#include "toolkit/app/WaitCursor.h"
#include "toolkit/db/DatabaseCancelled.h"
#include "toolkit/db/DatabaseDamaged.h"
#include "toolkit/db/DatabaseError.h"
#include "toolkit/db/DatabaseLocked.h"

#include <QElapsedTimer>
#include <algorithm>
#include <exception>
#include <limits>
#include <unordered_map>

namespace {

// Rows kept by the read cache: a grid shows a few dozen at a time.
constexpr size_t kCacheSlots = 512;

QString Tr(const char *text)
{
    return TCustomADODataSet::tr(text);
}

} // namespace

TCustomADODataSet::TCustomADODataSet(QObject *parent)
    : TDataSet(parent)
{
    connect(&m_background, &TBackgroundCursor::Listed, this, &TCustomADODataSet::BackgroundListed);
    connect(&m_background, &TBackgroundCursor::Failed, this, [this](const QString &message) {
        if (m_connection)
            m_connection->ReportFollowFailure(message);
    });
}

TCustomADODataSet::~TCustomADODataSet()
{
    CloseForDestruction();
    if (m_connection)
        m_connection->RemoveDataSet(this);
}

void TCustomADODataSet::SetConnection(TADOConnection *connection)
{
    if (connection == m_connection)
        return;
    Close();
    if (m_connection)
        m_connection->RemoveDataSet(this);
    m_connection = connection;
    if (m_connection)
        m_connection->AddDataSet(this);
}

void TCustomADODataSet::DetachFromConnection() noexcept
{
    CloseForDestruction();
    m_connection = nullptr;
}

TStore &TCustomADODataSet::Store() const
{
    return m_connection->Store();
}

std::vector<TDataSet::TFieldDef> TCustomADODataSet::InternalOpen()
{
    if (!m_connection)
        throw EDatabaseError(Tr("%1: the data set has no connection.").arg(objectName()));
    m_connection->Open();
    m_source = CursorSource();
    std::vector<TFieldDef> defs;
    m_columns.clear();
    try {
        const bool traceable = !m_source.table.isEmpty();
        std::vector<TStore::TColumn> columns;
        if (traceable) {
            Store().CheckRowNumbers(m_source.table);
            m_reader = Store().PrepareReader(m_source.readerSql);
            columns = m_reader->Columns();
        } else {
            m_rows = Store().ReadAll(m_source.cursorSql, columns);
        }
        for (const TStore::TColumn &column : columns) {
            const bool ownColumn = traceable && column.originTable.compare(m_source.table, Qt::CaseInsensitive) == 0;
            m_columns << (ownColumn ? column.originColumn : QString());
            defs.push_back({column.name, column.size, !ownColumn});
        }
        m_nullRecord.assign(defs.size(), std::nullopt);
        m_cache.assign(kCacheSlots, {});
        if (traceable)
            LoadCursor(TListing::Painting);
    } catch (const EDatabaseDamaged &error) {
        InternalClose();
        m_connection->ReportDamage(error.Message());
        throw;
    } catch (...) {
        InternalClose();
        throw;
    }
    return defs;
}

// Replaces the rows only once the new ones are read, so that a failure
// leaves the cursor as it was.
void TCustomADODataSet::LoadCursor(TListing listing)
{
    if (m_source.table.isEmpty()) {
        std::vector<TStore::TColumn> columns;
        m_rows = Store().ReadAll(m_source.cursorSql, columns);
        return;
    }
    if (m_source.wholeTable) {
        StartTableListing();
        return;
    }
    QElapsedTimer took;
    took.start();
    m_rowids.Assign(listing == TListing::Painting ? ListQueryRowsPainting() : ListQueryRows(Store(), m_source));
    m_lastListingMs = took.elapsed();
}

std::vector<qint64> TCustomADODataSet::ListQueryRowsPainting()
{
    if (!TBusyWait::Possible() || Store().ListsAtOnce(m_source.table))
        return ListQueryRows(Store(), m_source);
    std::vector<qint64> rowids;
    std::exception_ptr failure;
    TBusyWait wait;
    TReaderThread thread;
    thread.Start(Store().OpenReader(), [&, source = m_source](TStore &reader) {
        try {
            rowids = ListQueryRows(reader, source);
        } catch (...) {
            failure = std::current_exception();
        }
        wait.Finish();
    });
    if (!wait.Run()) {
        thread.Cancel();
        throw EDatabaseCancelled(Tr("The search was cancelled."));
    }
    thread.Join();
    if (failure)
        std::rethrow_exception(failure);
    return rowids;
}

std::vector<qint64> TCustomADODataSet::ListQueryRows(TStore &store, const TCursorSource &source)
{
    if (!source.scanTerms.columnsSql.isEmpty()
        || (!source.rangeCursorSql.isEmpty() && source.nullCursorSql.isEmpty())) {
        if (std::optional<std::vector<qint64>> rowids = store.ListCursorInRanges(
                source.table, source.rangeCursorSql, source.rangeKeysDescending, source.scanTerms))
            return std::move(*rowids);
    }
    std::vector<qint64> rowids;
    if (!source.nullCursorSql.isEmpty())
        rowids = store.ListCursor(source.nullCursorSql);
    const std::vector<qint64> rest = store.ListCursor(source.cursorSql);
    rowids.insert(rowids.end(), rest.begin(), rest.end());
    return rowids;
}

void TCustomADODataSet::StartTableListing()
{
    const TStore::TTableSize size = Store().MeasureTable(m_source.table);
    if (size.rows > std::numeric_limits<int>::max())
        throw EDatabaseError(Tr("The table \"%1\" has too many rows to be shown.").arg(m_source.table));
    m_rowids.Start(int(size.rows), size.highest,
                   [this, table = m_source.table](qint64 after, qint64 before, int limit, bool backwards,
                                                  std::vector<qint64> &out) {
                       Store().ListRowids(table, after, before, limit, backwards, out);
                   });
}

void TCustomADODataSet::InternalClose()
{
    m_background.Cancel();
    m_listedAfresh.reset();
    m_followAgain = false;
    m_lastListingMs = 0;
    m_reader.reset();
    m_rowids.Clear();
    // New empty vectors give back the memory; assigning {} would keep it.
    m_rows = std::vector<TRecord>();
    m_cache = std::vector<TCacheSlot>();
    m_shownUnread.clear();
    m_columns.clear();
    m_editStored.clear();
}

int TCustomADODataSet::InternalRecordCount() const
{
    return m_source.table.isEmpty() ? int(m_rows.size()) : m_rowids.Count();
}

TCustomADODataSet::TCacheSlot &TCustomADODataSet::Slot(qint64 rowid) const
{
    return m_cache[static_cast<quint64>(rowid) % kCacheSlots];
}

void TCustomADODataSet::Forget(qint64 rowid)
{
    TCacheSlot &slot = Slot(rowid);
    if (slot.rowid == rowid)
        slot.filled = false;
}

// A read that fails (a lock held past the timeout) shows NULLs but is not
// cached, so the row is read again when next asked for; one that fails on
// damage makes the connection damaged. Either way the row is never written
// or deleted from those NULLs.
const TRecord &TCustomADODataSet::InternalGetRecord(int index) const
{
    if (m_source.table.isEmpty())
        return m_rows[index];
    try {
        return ReadRow(m_rowids.At(index)).record;
    } catch (const EDatabaseDamaged &error) {
        m_connection->ReportDamage(error.Message());
    } catch (const EDatabaseError &) {
    }
    NoteShownUnread(index);
    return m_nullRecord;
}

// Only a lock keeps a row from being read for now; any other failure shows
// it as NULLs, as InternalGetRecord does.
const TRecord *TCustomADODataSet::InternalPeekRecord(int index, TRowRead read) const
{
    if (m_source.table.isEmpty())
        return &m_rows[index];
    if (const std::optional<qint64> rowid = m_rowids.Listed(index)) {
        const TCacheSlot &slot = Slot(*rowid);
        if (slot.filled && slot.rowid == *rowid)
            return &slot.record;
    }
    // Until the read below succeeds, the row is one shown as not read.
    NoteShownUnread(index);
    if (read == TRowRead::HeldOnly)
        return nullptr;
    const TCacheSlot *slot = nullptr;
    try {
        if (!Store().Glance([&] { slot = &ReadRow(m_rowids.At(index)); }))
            return nullptr;
    } catch (const EDatabaseLocked &) {
        return nullptr;
    } catch (const EDatabaseDamaged &error) {
        m_connection->ReportDamage(error.Message());
        return &m_nullRecord;
    } catch (const EDatabaseError &) {
        return &m_nullRecord;
    }
    return &slot->record;
}

void TCustomADODataSet::NoteShownUnread(int index) const
{
    if (const std::optional<qint64> rowid = m_rowids.Listed(index))
        m_shownUnread.insert(*rowid);
}

const TCustomADODataSet::TCacheSlot &TCustomADODataSet::ReadRow(qint64 rowid) const
{
    TCacheSlot &slot = Slot(rowid);
    if (slot.filled && slot.rowid == rowid)
        return slot;
    // A row that another process deleted reads as NULLs.
    TRecord record = m_nullRecord;
    TStoredRecord stored(record.size());
    if (m_reader->Read(rowid, stored)) {
        for (int column = 0; column < int(record.size()); ++column)
            record[column] = stored[column].Shown();
    }
    slot.rowid = rowid;
    slot.filled = true;
    slot.record = std::move(record);
    slot.stored = std::move(stored);
    m_shownUnread.erase(rowid);
    return slot;
}

const TCustomADODataSet::TCacheSlot &TCustomADODataSet::ReadRowToWrite(qint64 rowid)
{
    try {
        return ReadRow(rowid);
    } catch (const EDatabaseDamaged &error) {
        m_connection->ReportDamage(error.Message());
        throw;
    }
}

std::vector<TStore::TColumnAsRead> TCustomADODataSet::AsRead(const TStoredRecord &stored) const
{
    std::vector<TStore::TColumnAsRead> asRead;
    for (int field = 0; field < int(m_columns.size()); ++field) {
        if (!m_columns[field].isEmpty())
            asRead.push_back({m_columns[field], stored[field]});
    }
    return asRead;
}

void TCustomADODataSet::ThrowRowConflict(qint64 rowid, bool deleting)
{
    const bool present = Store().RowExists(m_source.table, rowid);
    if (deleting) {
        // The row is shown afresh, so that the person decides on what it holds now.
        Forget(rowid);
        throw EDatabaseError(present ? Tr("The row was not deleted because another user changed it after it was read. "
                                          "It now shows what it holds; delete it again if it is still to go.")
                                     : Tr("The row was not deleted because another user has already deleted it."));
    }
    throw EDatabaseError(present ? Tr("The row was not saved because another user changed it after it was read. "
                                      "What you typed is still in the row; cancel the edit (Esc or the \"Отмена\" "
                                      "button) to see the row as it is now.")
                                 : Tr("The row was not saved because another user deleted it after it was read. "
                                      "What you typed is still in the row; cancel the edit (Esc or the \"Отмена\" "
                                      "button) to let it go."));
}

void TCustomADODataSet::RefuseWritingWhenDamaged() const
{
    if (m_connection && m_connection->Damaged())
        throw EDatabaseDamaged(m_connection->DamageNotice());
}

QString TCustomADODataSet::InternalReadOnlyReason() const
{
    return m_connection ? m_connection->DamageNotice() : QString();
}

void TCustomADODataSet::InternalEdit(int index)
{
    RefuseWritingWhenDamaged();
    if (m_source.table.isEmpty()) {
        m_editStored.clear();
        return;
    }
    m_editRowid = m_rowids.At(index);
    m_editStored = ReadRowToWrite(m_editRowid).stored;
}

void TCustomADODataSet::InternalUpdate(int, const TRecord &original, const TRecord &values)
{
    RefuseWritingWhenDamaged();
    const qint64 rowid = m_editRowid;
    std::vector<TStore::TColumnValue> changes;
    for (int field = 0; field < int(m_columns.size()); ++field) {
        if (!m_columns[field].isEmpty() && values[field] != original[field])
            changes.push_back({m_columns[field], values[field]});
    }
    if (changes.empty())
        return;
    if (!Store().Update(m_source.table, rowid, changes, AsRead(m_editStored)))
        ThrowRowConflict(rowid, false);
    m_connection->NoteOwnCommit();
    Forget(rowid);
}

void TCustomADODataSet::InternalInsert(int index, const TRecord &values)
{
    RefuseWritingWhenDamaged();
    // The new row's neighbour must be listed for its position to be known.
    if (index < m_rowids.Count())
        m_rowids.At(index);
    std::vector<TStore::TColumnValue> columns;
    for (int field = 0; field < int(m_columns.size()); ++field) {
        if (!m_columns[field].isEmpty())
            columns.push_back({m_columns[field], values[field]});
    }
    const qint64 rowid = Store().Insert(m_source.table, columns);
    m_connection->NoteOwnCommit();
    Forget(rowid);
    m_rowids.Insert(index, rowid);
}

void TCustomADODataSet::InternalDelete(int index)
{
    RefuseWritingWhenDamaged();
    const qint64 rowid = m_rowids.At(index);
    const bool shownUnread = m_shownUnread.contains(rowid);
    const TStoredRecord stored = ReadRowToWrite(rowid).stored;
    // The person asked to delete a row they saw as not read: now that it is
    // read, they decide on what it holds.
    if (shownUnread) {
        throw EDatabaseError(Tr("The row was not deleted because another user or program held the database locked "
                                "when it was shown, so what it holds was not read. It now shows what it holds; "
                                "delete it again if it is still to go."));
    }
    if (!Store().Delete(m_source.table, rowid, AsRead(stored)))
        ThrowRowConflict(rowid, true);
    m_connection->NoteOwnCommit();
    Forget(rowid);
    m_rowids.Erase(index);
    m_connection->RowDeleted(this, m_source.table, rowid);
}

void TCustomADODataSet::ForgetDeletedRow(const QString &table, qint64 rowid)
{
    if (!Active() || m_source.table.compare(table, Qt::CaseInsensitive) != 0)
        return;
    const std::optional<int> position = m_rowids.Remove(rowid);
    if (!position)
        return;
    Forget(rowid);
    m_shownUnread.erase(rowid);
    RowRemoved(*position);
}

int TCustomADODataSet::InternalRefresh(int index)
{
    std::optional<qint64> current;
    if (!m_source.table.isEmpty() && index >= 0)
        current = m_rowids.At(index);
    LoadCursor(TListing::Painting);
    m_cache.assign(kCacheSlots, {});
    const int count = InternalRecordCount();
    if (current && m_source.wholeTable) {
        const TRowidList::TPlace place = m_rowids.PlaceOf(*current, index > count / 2);
        if (place.present)
            return place.position;
    } else if (current) {
        for (int i = 0; i < count; ++i) {
            if (m_rowids.At(i) == *current)
                return i;
        }
    }
    return std::min(std::max(index, 0), count - 1);
}

std::vector<TDataSet::TRowPlace> TCustomADODataSet::InternalFollowStore(const std::vector<int> &indexes)
{
    std::vector<TRowPlace> places;
    if (m_source.table.isEmpty()) {
        LoadCursor(TListing::Plain);
        for (const int index : indexes)
            places.push_back({std::min(index, int(m_rows.size())), false});
    } else {
        places = m_source.wholeTable ? FollowTable(indexes) : FollowQuery(indexes);
    }
    // Cells changed elsewhere show their new values.
    m_cache.assign(kCacheSlots, {});
    return places;
}

// In rowid order a row's place is the number of rows before it, whether or
// not it is still there: the listing from the nearer end finds it.
std::vector<TDataSet::TRowPlace> TCustomADODataSet::FollowTable(const std::vector<int> &indexes)
{
    std::vector<std::pair<qint64, bool>> rows; // rowid, nearer the back
    for (const int index : indexes)
        rows.emplace_back(m_rowids.At(index), index > m_rowids.Count() / 2);
    StartTableListing();
    std::vector<TRowPlace> places;
    for (const auto &[rowid, fromBack] : rows) {
        const TRowidList::TPlace place = m_rowids.PlaceOf(rowid, fromBack);
        places.push_back({place.position, !place.present});
    }
    return places;
}

// The query runs again. A row that is gone is placed by its old neighbours:
// the nearest following one still found, else the nearest preceding one.
std::vector<TDataSet::TRowPlace> TCustomADODataSet::FollowQuery(const std::vector<int> &indexes)
{
    constexpr int kNeighboursLooked = 64;
    // Per row of interest, its old rowid first, then the following
    // neighbours, then the preceding ones from the nearest.
    std::vector<std::vector<qint64>> candidates;
    std::vector<int> following;
    const int oldCount = m_rowids.Count();
    for (const int index : indexes) {
        std::vector<qint64> row{m_rowids.At(index)};
        for (int next = index + 1; next < std::min(oldCount, index + 1 + kNeighboursLooked); ++next)
            row.push_back(m_rowids.At(next));
        following.push_back(int(row.size()) - 1);
        for (int previous = index - 1; previous >= std::max(0, index - kNeighboursLooked); --previous)
            row.push_back(m_rowids.At(previous));
        candidates.push_back(std::move(row));
    }
    if (m_listedAfresh) {
        m_rowids.Assign(std::move(*m_listedAfresh));
        m_listedAfresh.reset();
    } else {
        LoadCursor(TListing::Plain);
    }

    std::unordered_map<qint64, int> found;
    for (const auto &row : candidates) {
        for (const qint64 rowid : row)
            found.emplace(rowid, -1);
    }
    const int count = m_rowids.Count();
    for (int i = 0; i < count && !found.empty(); ++i) {
        const auto at = found.find(m_rowids.At(i));
        if (at != found.end() && at->second < 0)
            at->second = i;
    }
    std::vector<TRowPlace> places;
    for (size_t k = 0; k < candidates.size(); ++k) {
        const std::vector<qint64> &row = candidates[k];
        TRowPlace place{std::min(indexes[k], count), true};
        for (size_t c = 0; c < row.size(); ++c) {
            const int at = found[row[c]];
            if (at < 0)
                continue;
            const bool preceding = int(c) > following[k];
            place = {preceding ? at + 1 : at, c != 0};
            break;
        }
        places.push_back(place);
    }
    return places;
}

void TCustomADODataSet::FollowOtherWriters()
{
    if (!Active())
        return;
    const bool longQuery = !m_source.table.isEmpty() && !m_source.wholeTable && m_lastListingMs > m_foregroundListingMs;
    if (!longQuery) {
        FollowStore();
        return;
    }
    if (m_background.Running())
        m_followAgain = true;
    else
        StartBackgroundListing();
}

void TCustomADODataSet::StartBackgroundListing()
{
    m_followAgain = false;
    m_ownCommitsAtRun = m_connection->OwnCommits();
    try {
        m_background.Start(Store().OpenReader(),
                           [source = m_source](TStore &reader) { return ListQueryRows(reader, source); });
    } catch (const EDatabaseError &error) {
        m_connection->ReportFollowFailure(error.Message());
    }
}

void TCustomADODataSet::BackgroundListed(const std::shared_ptr<std::vector<qint64>> &rowids)
{
    if (!Active() || !m_connection)
        return;
    // Rows this connection deleted or added meanwhile may be missing from
    // the run, or be in it still: it is not shown.
    if (m_connection->OwnCommits() != m_ownCommitsAtRun) {
        StartBackgroundListing();
        return;
    }
    m_listedAfresh = rowids;
    try {
        FollowStore();
    } catch (const EDatabaseError &error) {
        m_listedAfresh.reset();
        m_connection->ReportFollowFailure(error.Message());
    }
    if (m_followAgain)
        StartBackgroundListing();
}

void TCustomADODataSet::InternalKnowRow(int index)
{
    if (!m_source.table.isEmpty())
        m_rowids.At(index);
}

void TCustomADODataSet::InternalCancel(int index)
{
    if (!m_source.table.isEmpty() && index >= 0 && index < m_rowids.Count())
        Forget(m_rowids.At(index));
}

bool TCustomADODataSet::InternalCanModify() const
{
    return !m_source.table.isEmpty() && m_connection && m_connection->Connected() && !m_connection->Damaged()
           && !Store().ReadOnly();
}
