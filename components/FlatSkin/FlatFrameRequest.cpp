#include "components/FlatSkin/FlatFrameRequest.h"

#include "toolkit/menus/Menu.h"

#include <QCoreApplication>

namespace {

// An event lives from its posting until the queue has delivered or discarded
// it, so the number alive is the number waiting.
int waitingRequests = 0;

} // namespace

TFlatFrameRequest::TFlatFrameRequest(QEvent::Type type, int wParam, TMenuItem *item, QWidget *window)
    : QEvent(type)
    , m_wParam(wParam)
    , m_item(item)
    , m_menu(item ? item->GetParentMenu() : nullptr)
    , m_menuLifetime(m_menu ? m_menu->Lifetime() : nullptr)
    , m_window(window)
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

void TFlatFrameRequest::PostForItem(TMenuItem *item)
{
    if (waitingRequests > 0 || !QCoreApplication::instance())
        return;
    QCoreApplication::postEvent(QCoreApplication::instance(),
                                new TFlatFrameRequest(kFlatFrameItemEvent, 0, item, nullptr));
}

void TFlatFrameRequest::PostForWindow(QWidget *window, bool rightToLeft)
{
    if (waitingRequests > 0 || !QCoreApplication::instance())
        return;
    QCoreApplication::postEvent(QCoreApplication::instance(),
                                new TFlatFrameRequest(kFlatFrameWindowEvent, rightToLeft ? 1 : 0, nullptr, window));
}

int TFlatFrameRequest::Waiting()
{
    return waitingRequests;
}
