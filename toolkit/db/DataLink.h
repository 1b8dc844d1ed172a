#pragma once

#include "toolkit/db/DataSet.h"

class TDataSource;

// How a control follows a data source: derive, attach with SetDataSource()
// and override the hooks you need (all do nothing by default).
//
//   ActiveChanged()           the set opened or closed, or the link was
//                             attached to, detached from, enabled or disabled
//                             with a source; read Active().
//   DataSetChanged()          rows may have changed, appeared or disappeared
//                             (open, insert, append, post, cancel, delete,
//                             refresh): re-read the row count and repaint.
//   DataSetFollowedStore(shift) the rows were read again as the store now
//                             holds them; the active display row moved by
//                             `shift` rows with its row. By default
//                             DataSetChanged().
//   DataSetScrolled(distance) the current row moved by `distance` rows (0 when
//                             only Bof/Eof changed); the rows are unchanged.
//   RecordChanged(field)      the current row's values changed: one field of
//                             the edit buffer (field), or the whole row on
//                             Edit() (nullptr).
//   EditingChanged()          Editing() changed (edit or insert state entered or left).
//   UpdateData()              a post is about to happen: write any pending
//                             editor text into the fields now (may throw to
//                             stop the post).
// Hooks run on the caller's stack inside the data-set operation; a hook may
// read the set but should not move it.
class TDataLink
{
public:
    TDataLink() = default;
    virtual ~TDataLink();
    TDataLink(const TDataLink &) = delete;
    TDataLink &operator=(const TDataLink &) = delete;

    TDataSource *DataSource() const { return m_dataSource; }
    void SetDataSource(TDataSource *dataSource);
    // The set of the source, or nullptr.
    TDataSet *DataSet() const;
    // The source is enabled and its set is open.
    bool Active() const;
    // The set is in edit or insert state.
    bool Editing() const;
    bool ReadOnly() const { return m_readOnly; }
    void SetReadOnly(bool readOnly) { m_readOnly = readOnly; }
    // Puts the set into edit state if the link is not read-only and the
    // source allows it (AutoEdit); returns Editing().
    bool Edit();

protected:
    virtual void ActiveChanged() { }
    virtual void DataSetChanged() { }
    virtual void DataSetFollowedStore(int shift)
    {
        (void)shift;
        DataSetChanged();
    }
    virtual void DataSetScrolled(int distance) { (void)distance; }
    virtual void RecordChanged(TField *field) { (void)field; }
    virtual void EditingChanged() { }
    virtual void UpdateData() { }

private:
    friend class TDataSource;
    void NotifyActiveChanged();
    void NotifyStateChanged();

    TDataSource *m_dataSource = nullptr;
    bool m_editing = false;
    bool m_readOnly = false;
};
