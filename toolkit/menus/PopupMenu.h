#pragma once

#include "toolkit/menus/MenuBase.h"

#include <QPointer>

#include <functional>

class TPopupMenuWindow;

// A menu shown on demand at a screen position.
class TPopupMenu : public TMenu
{
public:
    explicit TPopupMenu(QWidget *owner);
    ~TPopupMenu() override;

    using TPopupEvent = std::function<void(TPopupMenu *sender)>;
    const TPopupEvent &OnPopup() const { return m_onPopup; }
    void SetOnPopup(TPopupEvent handler) { m_onPopup = std::move(handler); }
    // Opens the menu with its top-left corner (top-right when right to left)
    // at the screen point; returns at once.
    void Popup(int x, int y);
    // The open window, or nullptr when closed.
    TPopupMenuWindow *Window() const;

private:
    TPopupEvent m_onPopup;
    QPointer<TPopupMenuWindow> m_window;
};
