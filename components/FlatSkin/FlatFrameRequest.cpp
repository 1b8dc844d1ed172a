#include "components/FlatSkin/FlatFrameRequest.h"

#include "toolkit/menus/Menu.h"

#include <QCoreApplication>

namespace {

// An event lives from its posting until the queue has delivered or discarded
// it, so the number alive is the number waiting.
int waitingRequests = 0;

} // namespace

TFlatFrameRequest::TFlatFrameRequest(QEvent::Type Type, int WParam, TMenuItem *Item, QWidget *Window)
    : QEvent(Type)
    , m_wParam(WParam)
    , m_item(Item)
    , m_menu(Item ? Item->GetParentMenu() : nullptr)
    , m_menuLifetime(m_menu ? m_menu->Lifetime() : nullptr)
    , m_window(Window)
{
    ++waitingRequests;
}

TMenuItem *TFlatFrameRequest::Item() const
{
    if (!m_menuLifetime || !m_menu->Contains(m_item))
        return nullptr;
    return m_item;
}

TFlatFrameRequest::~TFlatFrameRequest()
{
    --waitingRequests;
}

void TFlatFrameRequest::PostForItem(TMenuItem *Item)
{
    if (waitingRequests > 0 || !QCoreApplication::instance())
        return;
    QCoreApplication::postEvent(QCoreApplication::instance(),
                                new TFlatFrameRequest(FlatFrameItemEvent, 0, Item, nullptr));
}

void TFlatFrameRequest::PostForWindow(QWidget *Window, bool RightToLeft)
{
    if (waitingRequests > 0 || !QCoreApplication::instance())
        return;
    QCoreApplication::postEvent(QCoreApplication::instance(),
                                new TFlatFrameRequest(FlatFrameWindowEvent, RightToLeft ? 1 : 0, nullptr, Window));
}

int TFlatFrameRequest::Waiting()
{
    return waitingRequests;
}
