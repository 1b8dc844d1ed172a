#pragma once

#include "toolkit/menus/MenuMetrics.h"

#include <QPointer>
#include <QWidget>

#include <vector>

class TMainMenu;
class TMenuItem;
class TPopupMenuWindow;

// The self-drawn bar of a main menu. The form places it in the band below
// its caption. Besides the mouse it serves the keyboard of its window: Alt
// (pressed and released alone) or F10 enters the bar, Alt+letter opens the
// item with that accelerator, and item shortcuts are dispatched before the
// focused control sees the key.
class TMenuBar : public QWidget
{
    Q_OBJECT

public:
    static constexpr int Height = TMenuMetrics::BarHeight;

    TMenuBar(TMainMenu *Menu, QWidget *Parent);
    ~TMenuBar() override;

    TMainMenu *Menu() const { return m_menu; }
    // Rectangle of top-level item Index in bar coordinates; empty when the
    // item is hidden or out of range.
    QRect ItemRect(int Index) const;
    int ItemAt(const QPoint &Pos) const;
    // The item highlighted by the keyboard or with its popup open; -1 if none.
    int SelectedIndex() const { return m_selected; }
    bool InMenuMode() const { return m_selected >= 0; }
    TPopupMenuWindow *OpenPopup() const;

    // Keyboard entry (Alt or F10): the first item is highlighted.
    void EnterMenuMode();
    void ExitMenuMode();
    // Opens the item's popup, or clicks an item without sub-items.
    void OpenItem(int Index, bool SelectFirst);
    // Left/Right from the keyboard: the neighbouring visible item; its popup
    // opens when one was open.
    void SelectNeighbour(int Step, bool Open);

    // Called by open popups, which hold the pointer while they are open.
    void TrackPopupMouse(const QPoint &GlobalPos);
    bool PopupMousePress(const QPoint &GlobalPos);
    void PopupClosed(bool ByEscape);

protected:
    void paintEvent(QPaintEvent *Event) override;
    void mousePressEvent(QMouseEvent *Event) override;
    void mouseReleaseEvent(QMouseEvent *Event) override;
    void mouseMoveEvent(QMouseEvent *Event) override;
    void leaveEvent(QEvent *Event) override;
    void keyPressEvent(QKeyEvent *Event) override;
    void resizeEvent(QResizeEvent *Event) override;
    bool eventFilter(QObject *Watched, QEvent *Event) override;

private:
    void Relayout();
    int VisibleNeighbour(int From, int Step) const;
    int ItemWithAccelerator(QChar Letter) const;
    void SetHot(int Index);
    bool HandleWindowKey(QObject *Receiver, QKeyEvent *Event);
    TMenuItem *TopItem(int Index) const;

    TMainMenu *m_menu;
    int m_listenerId = 0;
    std::vector<QRect> m_itemRects; // one per top-level item, empty if hidden
    int m_selected = -1;
    int m_hot = -1;
    // The item under the pointer when owner-drawn items were last drawn: a
    // hot look of theirs follows the pointer, not m_hot.
    int m_ownerDrawnUnderPointer = -1;
    bool m_altAlone = false;
    bool m_closingFromBar = false;
    QPointer<TPopupMenuWindow> m_popup;
};
