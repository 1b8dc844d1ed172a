#pragma once

#include "toolkit/app/PlatformMessages.h"

#include <QEvent>
#include <QPointer>
#include <QWidget>

class TMenu;
class TMenuItem;

// A request for the flat frame of a popup menu window, posted to the
// application object: FlatFrameItemMessage names the item just drawn when no
// window owned the drawing surface, FlatFrameWindowMessage names the window.
// Requests are merged: while one waits in the queue no other is posted.
class TFlatFrameRequest : public QEvent
{
public:
    ~TFlatFrameRequest() override;

    // Both post nothing while a request waits.
    static void PostForItem(TMenuItem *item);
    static void PostForWindow(QWidget *window, bool rightToLeft);
    // Requests posted and not yet delivered (or discarded).
    static int Waiting();

    // The message's first and second parameter. The item is nullptr once it
    // has left its menu or the menu is gone, the window once it is destroyed.
    int WParam() const { return m_wParam; }
    TMenuItem *Item() const;
    QWidget *Window() const { return m_window.data(); }

private:
    TFlatFrameRequest(QEvent::Type type, int wParam, TMenuItem *item, QWidget *window);

    int m_wParam;
    TMenuItem *m_item;
    TMenu *m_menu;
    QPointer<QObject> m_menuLifetime;
    QPointer<QWidget> m_window;
};
