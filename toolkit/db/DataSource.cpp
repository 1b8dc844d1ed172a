#include "toolkit/db/DataSource.h"

#include "toolkit/db/DataLink.h"

TDataSource::TDataSource(QObject *parent)
    : QObject(parent)
{ }

TDataSource::~TDataSource()
{
    SetDataSet(nullptr);
    for (TDataLink *link : QList<TDataLink *>(m_links))
        link->SetDataSource(nullptr);
}

void TDataSource::SetDataSet(TDataSet *dataSet)
{
    if (m_dataSet == dataSet)
        return;
    if (m_dataSet)
        m_dataSet->RemoveSource(this);
    m_dataSet = dataSet;
    if (m_dataSet)
        m_dataSet->AddSource(this);
    ActiveChangedForLinks();
}

void TDataSource::SetEnabled(bool enabled)
{
    if (m_enabled == enabled)
        return;
    m_enabled = enabled;
    ActiveChangedForLinks();
}

TDataSetState TDataSource::State() const
{
    return m_dataSet && m_enabled ? m_dataSet->State() : dsInactive;
}

void TDataSource::Edit()
{
    if (m_autoEdit && State() == dsBrowse)
        m_dataSet->Edit();
}

void TDataSource::DataEvent(int event, TField *field, int distance)
{
    if (!m_enabled)
        return;
    using TEvent = TDataSet::TEvent;
    const auto kind = TEvent(event);
    for (TDataLink *link : QList<TDataLink *>(m_links)) {
        if (!m_links.contains(link))
            continue;
        switch (kind) {
        case TEvent::ActiveChange: link->NotifyActiveChanged(); break;
        case TEvent::DataSetChange: link->DataSetChanged(); break;
        case TEvent::Scroll: link->DataSetScrolled(distance); break;
        case TEvent::RecordChange: link->RecordChanged(field); break;
        case TEvent::StateChange: link->NotifyStateChanged(); break;
        case TEvent::UpdateData: link->UpdateData(); break;
        case TEvent::StoreFollowed: link->DataSetFollowedStore(distance); break;
        }
    }
    switch (kind) {
    case TEvent::DataSetChange:
    case TEvent::StoreFollowed:
    case TEvent::Scroll:
    case TEvent::RecordChange: emit DataChange(field); break;
    case TEvent::StateChange: emit StateChange(); break;
    case TEvent::UpdateData: emit UpdateData(); break;
    case TEvent::ActiveChange: break;
    }
}

void TDataSource::ActiveChangedForLinks()
{
    for (TDataLink *link : QList<TDataLink *>(m_links)) {
        if (m_links.contains(link))
            link->NotifyActiveChanged();
    }
}

void TDataSource::AddLink(TDataLink *link)
{
    if (!m_links.contains(link))
        m_links.append(link);
}

void TDataSource::RemoveLink(TDataLink *link)
{
    m_links.removeAll(link);
}
