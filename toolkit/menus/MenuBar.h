#pragma once

#include "toolkit/menus/MenuMetrics.h"
#include "toolkit/menus/PopupMenuHost.h"

#include <QPointer>
#include <QWidget>

#include <vector>

class TMenu;
class TMenuItem;
class TPopupMenuWindow;

// The self-drawn bar of a main menu. The form places it in the band below
// its caption. Besides the mouse it serves the keyboard of its window: Alt
// (pressed and released alone) or F10 enters the bar, Alt+letter opens the
// item with that accelerator, and item shortcuts are dispatched before the
// focused control sees the key.
class TMenuBar : public QWidget, public TPopupMenuHost
{
    Q_OBJECT

public:
    static constexpr int kHeight = TMenuMetrics::kBarHeight;

    TMenuBar(TMenu *menu, QWidget *parent);
    ~TMenuBar() override;

    TMenu *Menu() const { return m_menu; }
    // Rectangle of top-level item Index in bar coordinates; empty when the
    // item is hidden or out of range.
    QRect ItemRect(int index) const;
    int ItemAt(const QPoint &pos) const;
    // The item highlighted by the keyboard (or, in menu mode, last by the
    // pointer) or with its popup open; -1 if none.
    int SelectedIndex() const { return m_selected; }
    bool InMenuMode() const { return m_selected >= 0; }
    TPopupMenuWindow *OpenPopup() const;

    // Keyboard entry (Alt or F10): the first item is highlighted.
    void EnterMenuMode();
    void ExitMenuMode() override;
    // Opens the item's popup, or clicks an item without sub-items.
    void OpenItem(int index, bool selectFirst);
    // Left/Right from the keyboard: the neighbouring visible item; its popup
    // opens when one was open.
    void SelectNeighbour(int step, bool open) override;

    // Called by open popups, which hold the pointer while they are open.
    void TrackPopupMouse(const QPoint &globalPos) override;
    bool PopupMousePress(const QPoint &globalPos) override;
    void PopupClosed(bool byEscape) override;

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // Closes the open popup as the bar's own doing, not the person's.
    void ClosePopupFromBar();
    // Highlights a shown item as the keyboard's and tells assistive technology.
    void SelectItem(int index);
    // The items changed or the bar was resized: they are measured again when
    // next asked for (a menu being built changes many times before it shows).
    void Relayout();
    const std::vector<QRect> &ItemRects() const;
    int VisibleNeighbour(int from, int step) const;
    int ItemWithAccelerator(QChar letter) const;
    void SetHot(int index);
    bool HandleWindowKey(QObject *receiver, QKeyEvent *event);
    TMenuItem *TopItem(int index) const;

    TMenu *m_menu;
    int m_listenerId = 0;
    mutable std::vector<QRect> m_itemRects; // one per top-level item, empty if hidden
    mutable bool m_itemRectsStale = true;
    int m_selected = -1;
    int m_hot = -1;
    // The item under the pointer when the bar was last drawn: an owner-drawn
    // item's hot look follows the pointer, not m_hot.
    int m_pointerItemAtPaint = -1;
    bool m_altAlone = false;
    bool m_closingFromBar = false;
    QPointer<TPopupMenuWindow> m_popup;
};
