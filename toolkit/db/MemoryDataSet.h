#pragma once

#include "toolkit/db/DataSet.h"

#include <QStringList>

// A data set over rows held in memory: for tests of controls that show data
// sets, and for small read-mostly lists. Rows and fields are set while closed.
class TMemoryDataSet : public TDataSet
{
    Q_OBJECT

public:
    explicit TMemoryDataSet(QObject *parent = nullptr);
    ~TMemoryDataSet() override;

    void SetFieldNames(const QStringList &names);
    void SetRows(std::vector<TRecord> rows);
    const std::vector<TRecord> &Rows() const { return m_rows; }
    void SetReadOnly(bool readOnly) { m_readOnly = readOnly; }

    // The next post or delete fails with this message (once), as a store would.
    void FailNextWrite(const QString &message) { m_nextWriteError = message; }

protected:
    std::vector<TFieldDef> InternalOpen() override;
    void InternalClose() override;
    int InternalRecordCount() const override;
    const TRecord &InternalGetRecord(int index) const override;
    void InternalUpdate(int index, const TRecord &original, const TRecord &values) override;
    void InternalInsert(int index, const TRecord &values) override;
    void InternalDelete(int index) override;
    int InternalRefresh(int index) override;
    // Nothing but this set changes its rows: every row stays where it is.
    std::vector<TRowPlace> InternalFollowStore(const std::vector<int> &indexes) override;
    bool InternalCanModify() const override;

private:
    void ThrowPendingWriteError();

    QStringList m_fieldNames;
    std::vector<TRecord> m_rows;
    QString m_nextWriteError;
    bool m_readOnly = false;
};
