#pragma once

#include "toolkit/db/Field.h"

#include <QList>
#include <QObject>
#include <QString>
#include <memory>
#include <optional>
#include <vector>

class TDataSource;

enum TDataSetState { dsInactive, dsBrowse, dsEdit, dsInsert };

// A set of rows with a current row, over some store (a provider derives and
// implements the protected Internal* functions).
//
// Positions: record numbers count from 1; RecNo() is -1 while the set is
// empty, closed, or a new row is being inserted. Internally rows are indexed
// from 0.
//
// Bof() is true after opening, after First(), and after Prior() found no row
// before the current one; Eof() is true after Last() and after Next() found
// no row after it; both are true for an empty set. Any other move clears them.
//
// Editing: Edit() copies the current row into an edit buffer, Insert() and
// Append() start an empty one (at the current row, or after the last row).
// Post() writes the buffer to the store and Cancel() drops it. Every move,
// Refresh() and Close() first leave the row: a modified buffer is posted, an
// untouched one is cancelled. When a post fails the error propagates and the
// set stays in edit or insert state with the buffer as it was, so nothing
// typed is lost.
//
// Notifications go to the data sources over this set (see TDataSource and
// TDataLink), in this order for each operation:
//   Open             state change, active change, data-set change
//   Close            state change, active change
//   moves            scroll (also when only Bof/Eof changed)
//   Edit             state change, record change
//   Insert/Append    state change, data-set change
//   field written    record change with that field
//   Post             update data, state change, data-set change
//   Cancel           state change, data-set change
//   Delete           (state change when editing), data-set change
//   Refresh          data-set change
//   FollowStore      store followed (the rows as the store now holds them)
//
// Following the store: FollowStore() shows the rows as the store holds them
// now, after other programs changed it, without leaving the row the person
// is on. The current row, the row being edited and the row a new row is
// inserted before keep their identity, whatever their numbers become. A row
// being edited is never replaced: its edit buffer stays, and when the row
// is gone from the store the buffer stays shown where the row was (RecNo()
// -1, like a new row) until it is posted, which then reports the conflict,
// or cancelled, which lets it go.
class TDataSet : public QObject
{
    Q_OBJECT

public:
    explicit TDataSet(QObject *parent = nullptr);
    ~TDataSet() override;

    // Opening and closing. Open() on an open set, Close() on a closed set do nothing.
    void Open();
    void Close();
    bool Active() const { return m_state != dsInactive; }
    void SetActive(bool active);
    TDataSetState State() const { return m_state; }

    // Moving the current row. MoveBy() returns the distance actually moved.
    void First();
    void Prior();
    void Next();
    void Last();
    int MoveBy(int distance);
    bool Bof() const { return m_bof; }
    bool Eof() const { return m_eof; }

    // Exact number of rows (not counting a row being inserted); 0 when closed.
    int RecordCount() const;
    bool IsEmpty() const { return RecordCount() == 0; }
    int RecNo() const;
    // Makes row recNo (from 1) current; out-of-range numbers are ignored.
    void SetRecNo(int recNo);

    // Row operations. Insert, Append and Edit need CanModify(); Edit() on an
    // empty set inserts. Delete() while inserting cancels the insert; while
    // editing it drops the edit and deletes the row.
    void Insert();
    void Append();
    void Edit();
    void Post();
    void Cancel();
    void Delete();
    void Refresh();
    // Re-reads the store in place (see above); the state and any edit stay.
    void FollowStore();
    // Leaves edit or insert state: posts a modified buffer, cancels an untouched one.
    void CheckBrowseMode();
    // Asks every data link to write its pending editor text into the fields.
    void UpdateRecord();
    bool CanModify() const;
    bool Modified() const { return m_modified; }
    // The row being edited is no longer in the store.
    bool EditedRowGone() const { return m_editedRowGone; }

    int FieldCount() const { return int(m_fields.size()); }
    TField *Fields(int index) const;
    // nullptr when there is no such field. Names compare case-insensitively,
    // a field spelled exactly so winning over others.
    TField *FindField(const QString &fieldName) const;
    // EDatabaseError when there is no such field.
    TField *FieldByName(const QString &fieldName) const;

    // For grids: the rows to show are the records plus, while inserting, the
    // new row at its place (and an edited row gone from the store at its
    // place). Display rows are indexed from 0.
    int DisplayRowCount() const;
    // The display row of the current record; -1 when there is none.
    int ActiveDisplayRow() const;

    // How a display row's values are had: read from the store when that
    // takes no wait for another program's lock, or only when already held.
    enum class TRowRead { Glance, HeldOnly };

    // Makes a display row the active record for the lifetime of the scope:
    // RecNo() and the fields answer for that row (the inserted row: RecNo()
    // -1 and the edit buffer; the row being edited: its edit buffer). No
    // notification is sent and the current row does not change. Scopes may
    // nest; a row out of range reads as NULLs. Meant for painting only.
    //
    // The row's values are taken once, together, when the scope begins, so
    // that every field answers from the same reading. A row the store cannot
    // give without waiting is not read (Read() false) and its fields are NULL:
    // a painter shows it as not yet read, never some cells of it.
    class DisplayRowScope
    {
    public:
        DisplayRowScope(TDataSet &dataSet, int displayRow, TRowRead read = TRowRead::Glance);
        ~DisplayRowScope();
        DisplayRowScope(const DisplayRowScope &) = delete;
        DisplayRowScope &operator=(const DisplayRowScope &) = delete;

        bool Read() const { return m_read; }

    private:
        TDataSet &m_dataSet;
        std::optional<int> m_previousRow;
        const TRecord *m_previousValues;
        TRecord m_values;
        bool m_read = true;
    };

    // The value of a field in the active record (used by TField).
    const TFieldValue &FieldValue(int fieldIndex) const;
    void SetFieldValue(int fieldIndex, const TFieldValue &value);

signals:
    // FollowStore() found the current row deleted by another program and
    // made the row now in its place current.
    void CurrentRowDeletedElsewhere();
    // A row being edited was deleted through another data set: the edit
    // became a new row holding what was typed, to be posted or cancelled.
    void EditedRowKeptAsNew();
    // FollowStore() has run: the rows are as the store now holds them.
    void StoreFollowed();

protected:
    struct TFieldDef {
        QString name;
        int size = 0;
        bool readOnly = false;
    };

    // Opens the store's cursor and returns its columns. Errors: EDatabaseError.
    virtual std::vector<TFieldDef> InternalOpen() = 0;
    virtual void InternalClose() = 0;
    virtual int InternalRecordCount() const = 0;
    // The values of row `index` (0 <= index < InternalRecordCount()). The
    // reference stays valid until the next call of any Internal* function.
    virtual const TRecord &InternalGetRecord(int index) const = 0;
    // The values of row `index` if they can be had without waiting for
    // another program's lock (see TRowRead), else null; the pointer is valid
    // as InternalGetRecord's reference. By default InternalGetRecord's.
    virtual const TRecord *InternalPeekRecord(int index, TRowRead read) const;
    // Edit() is about to read row `index` into the edit buffer: a provider
    // reads the row now, raising EDatabaseError when it cannot (the edit then
    // does not begin), so that InternalGetRecord next gives the row as read,
    // and keeps whatever it needs to recognise it as read when it is posted.
    virtual void InternalEdit(int index);
    // Writes `values` over row `index`, whose values were `original` when read.
    virtual void InternalUpdate(int index, const TRecord &original, const TRecord &values) = 0;
    // Adds a row that becomes row `index`; the rows from `index` on move down by one.
    virtual void InternalInsert(int index, const TRecord &values) = 0;
    virtual void InternalDelete(int index) = 0;
    // Reads the store again; returns the new index of the row that was
    // `index` (-1 when the set is now empty).
    virtual int InternalRefresh(int index) = 0;
    // Where a row stands after the store was read again: its new index, or,
    // when it is gone, the index of the row now in its place (the count when
    // none follows it).
    struct TRowPlace {
        int index = -1;
        bool gone = false;
    };
    // Reads the store again, as it is now, and places the rows that had the
    // given indexes (each 0 <= index < InternalRecordCount()).
    virtual std::vector<TRowPlace> InternalFollowStore(const std::vector<int> &indexes) = 0;
    // The edit of row `index` was dropped: values held for it may be stale.
    virtual void InternalCancel(int index);
    // Row `index` is one the person stands on (the current row, or the row
    // a new row goes before): a provider that learns its rows lazily learns
    // this one now, so that FollowStore() knows it however the store changes.
    virtual void InternalKnowRow(int index);
    virtual bool InternalCanModify() const = 0;
    // Why the set cannot be modified, for the person, when the set knows
    // better than that it is read-only; empty otherwise.
    virtual QString InternalReadOnlyReason() const { return {}; }

    // Closes for good, never throwing: posts a modified row when the store
    // takes it, drops it otherwise. For destructors of providers, which must
    // close their cursor while their own functions still exist.
    void CloseForDestruction() noexcept;

    // Providers that learn of a store change by themselves (a requery) use
    // this to tell the data sources that every row may have changed.
    void NotifyDataSetChanged();
    // The provider has dropped row `index`, deleted through another data set:
    // the rows after it move up, the current row stays the same row where it
    // can, an edit of the deleted row becomes a new row in its place holding
    // the edit buffer, and the sources are told.
    void RowRemoved(int index);

private:
    friend class TDataSource;
    enum class TEvent { ActiveChange, DataSetChange, Scroll, RecordChange, StateChange, UpdateData, StoreFollowed };

    void CheckActive() const;
    void CheckCanModify() const;
    void SetState(TDataSetState state);
    void Notify(TEvent event, TField *field = nullptr, int distance = 0);
    void MoveTo(int index, bool bof, bool eof);
    void StartInsert(int position);
    // A row shown beside the records: a new row, or an edited row gone from the store.
    bool ShowsLooseRow() const { return m_state == dsInsert || m_editedRowGone; }
    void LeaveEditing();
    // The values a display row shows: null for a row that reads as NULLs,
    // nothing when the store cannot give them without waiting.
    std::optional<const TRecord *> DisplayRowValues(int displayRow, TRowRead read) const;
    void AddSource(TDataSource *source);
    void RemoveSource(TDataSource *source);

    TDataSetState m_state = dsInactive;
    std::vector<std::unique_ptr<TField>> m_fields;
    QList<TDataSource *> m_sources;
    int m_current = -1;        // index of the current row, -1 when empty
    int m_insertPosition = -1; // index the inserted row will take; also
                               // where an edited row gone from the store is shown
    bool m_editedRowGone = false;
    std::optional<int> m_displayRow;          // set inside a DisplayRowScope
    const TRecord *m_displayValues = nullptr; // that row's values as the scope took them
    bool m_bof = true;
    bool m_eof = true;
    bool m_modified = false;
    TRecord m_buffer;   // edit buffer while editing or inserting
    TRecord m_original; // values of the edited row when Edit() began
};
