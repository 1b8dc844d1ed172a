#include "toolkit/db/MemoryDataSet.h"

#include "toolkit/db/DatabaseError.h"

TMemoryDataSet::TMemoryDataSet(QObject *parent)
    : TDataSet(parent)
{ }

TMemoryDataSet::~TMemoryDataSet()
{
    CloseForDestruction();
}

void TMemoryDataSet::SetFieldNames(const QStringList &names)
{
    m_fieldNames = names;
}

void TMemoryDataSet::SetRows(std::vector<TRecord> rows)
{
    for (TRecord &row : rows)
        row.resize(m_fieldNames.size());
    m_rows = std::move(rows);
}

std::vector<TDataSet::TFieldDef> TMemoryDataSet::InternalOpen()
{
    std::vector<TFieldDef> defs;
    for (const QString &name : m_fieldNames)
        defs.push_back({name, 0});
    return defs;
}

void TMemoryDataSet::InternalClose() { }

int TMemoryDataSet::InternalRecordCount() const
{
    return int(m_rows.size());
}

const TRecord &TMemoryDataSet::InternalGetRecord(int index) const
{
    return m_rows[index];
}

void TMemoryDataSet::InternalUpdate(int index, const TRecord &, const TRecord &values)
{
    ThrowPendingWriteError();
    m_rows[index] = values;
}

void TMemoryDataSet::InternalInsert(int index, const TRecord &values)
{
    ThrowPendingWriteError();
    m_rows.insert(m_rows.begin() + index, values);
}

void TMemoryDataSet::InternalDelete(int index)
{
    ThrowPendingWriteError();
    m_rows.erase(m_rows.begin() + index);
}

int TMemoryDataSet::InternalRefresh(int index)
{
    return std::min(index, int(m_rows.size()) - 1);
}

std::vector<TDataSet::TRowPlace> TMemoryDataSet::InternalFollowStore(const std::vector<int> &indexes)
{
    std::vector<TRowPlace> places;
    for (const int index : indexes)
        places.push_back({index, false});
    return places;
}

bool TMemoryDataSet::InternalCanModify() const
{
    return !m_readOnly;
}

void TMemoryDataSet::ThrowPendingWriteError()
{
    if (m_nextWriteError.isEmpty())
        return;
    const QString message = m_nextWriteError;
    m_nextWriteError.clear();
    throw EDatabaseError(message);
}
