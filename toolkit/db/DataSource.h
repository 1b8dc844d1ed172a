#pragma once

#include "toolkit/db/DataSet.h"

#include <QList>
#include <QObject>

class TDataLink;

// Connects a data set to the controls that show it. Controls follow it either
// through TDataLink objects (virtual hooks) or through the signals below.
//
// For each data-set event the links are told first, then the signals fire:
//   DataChange(field)  when the set opens, when the current row moves (also
//                      when only Bof/Eof changed), when the current row's data
//                      changes (edit, insert, post, cancel, delete, refresh,
//                      store followed; field is nullptr) and when one field of the edit buffer
//                      is written (field is that field).
//   StateChange()      whenever the set's state changes (open, close, edit, ...).
//   UpdateData()       before a post: write pending editor text into the fields.
// A disabled source (or one without a set) sends nothing and reports dsInactive.
class TDataSource : public QObject
{
    Q_OBJECT

public:
    explicit TDataSource(QObject *parent = nullptr);
    ~TDataSource() override;

    TDataSet *DataSet() const { return m_dataSet; }
    void SetDataSet(TDataSet *dataSet);
    bool Enabled() const { return m_enabled; }
    void SetEnabled(bool enabled);
    // Whether controls may put the set into edit state when the user starts typing.
    bool AutoEdit() const { return m_autoEdit; }
    void SetAutoEdit(bool autoEdit) { m_autoEdit = autoEdit; }
    TDataSetState State() const;
    // Puts the set into edit state when AutoEdit is on and it is browsing.
    void Edit();

signals:
    void DataChange(TField *field);
    void StateChange();
    void UpdateData();

private:
    friend class TDataSet;
    friend class TDataLink;
    void DataEvent(int event, TField *field, int distance);
    void ActiveChangedForLinks();
    void AddLink(TDataLink *link);
    void RemoveLink(TDataLink *link);

    TDataSet *m_dataSet = nullptr;
    QList<TDataLink *> m_links;
    bool m_enabled = true;
    bool m_autoEdit = true;
};
