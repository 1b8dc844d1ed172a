#include "toolkit/menus/PopupMenu.h"

#include "toolkit/menus/PopupMenuWindow.h"

#include <QPoint>

TPopupMenu::TPopupMenu(QWidget *owner)
    : TMenu(owner)
{ }

TPopupMenu::~TPopupMenu()
{
    delete m_window.data();
}

void TPopupMenu::Popup(int x, int y)
{
    if (m_window)
        m_window->close();
    if (m_onPopup)
        m_onPopup(this);
    auto *window = new TPopupMenuWindow(this, Items(), nullptr, nullptr, Owner());
    m_window = window;
    window->ShowAt(QPoint(x, y));
}

TPopupMenuWindow *TPopupMenu::Window() const
{
    // A closed window lingers until the window system has delivered what it
    // sent to it; the menu is open only while its window shows.
    return m_window && m_window->isVisible() ? m_window.data() : nullptr;
}
