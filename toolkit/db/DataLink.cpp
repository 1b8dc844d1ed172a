#include "toolkit/db/DataLink.h"

#include "toolkit/db/DataSource.h"

TDataLink::~TDataLink()
{
    if (m_dataSource)
        m_dataSource->RemoveLink(this);
}

void TDataLink::SetDataSource(TDataSource *dataSource)
{
    if (m_dataSource == dataSource)
        return;
    if (m_dataSource)
        m_dataSource->RemoveLink(this);
    m_dataSource = dataSource;
    if (m_dataSource)
        m_dataSource->AddLink(this);
    NotifyActiveChanged();
}

TDataSet *TDataLink::DataSet() const
{
    return m_dataSource ? m_dataSource->DataSet() : nullptr;
}

bool TDataLink::Active() const
{
    return m_dataSource && m_dataSource->State() != dsInactive;
}

bool TDataLink::Editing() const
{
    const TDataSetState state = m_dataSource ? m_dataSource->State() : dsInactive;
    return state == dsEdit || state == dsInsert;
}

bool TDataLink::Edit()
{
    if (!m_readOnly && m_dataSource)
        m_dataSource->Edit();
    return Editing();
}

void TDataLink::NotifyActiveChanged()
{
    m_editing = Editing();
    ActiveChanged();
}

void TDataLink::NotifyStateChanged()
{
    const bool editing = Editing();
    if (editing == m_editing)
        return;
    m_editing = editing;
    EditingChanged();
}
