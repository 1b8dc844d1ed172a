#pragma once

#include <QImage>
#include <QPointer>
#include <QWidget>

#include <vector>

class TMenu;
class TMenuBar;
class TMenuItem;

// The window of one open popup level: the visible sub-items of ParentItem.
// Levels form a chain: the root level belongs to a bar item or to a popup
// menu, each deeper level to an item of the level above. While a level is
// open it holds the pointer and keyboard; events over other levels of the
// chain or over the bar are passed to them.
class TPopupMenuWindow : public QWidget
{
    Q_OBJECT

public:
    TPopupMenuWindow(TMenu *Menu, TMenuItem *ParentItem, TPopupMenuWindow *ParentPopup, TMenuBar *Bar,
                     QWidget *Parent);
    ~TPopupMenuWindow() override;

    // The open window that shows the item, and the item's rectangle on the
    // screen; nullptr and an empty rectangle when no open window shows it.
    static TPopupMenuWindow *WindowShowing(const TMenuItem *Item);
    static QRect ItemScreenRect(const TMenuItem *Item);

    TMenuItem *ParentItem() const { return m_parentItem; }
    TPopupMenuWindow *ChildPopup() const;
    // Shown rows: the visible items with their rectangles in window coordinates.
    int RowCount() const { return static_cast<int>(m_rows.size()); }
    TMenuItem *RowItem(int Row) const;
    QRect RowRect(int Row) const;
    int RowAt(const QPoint &Pos) const;
    int SelectedRow() const { return m_selected; }

    // Opens with the top-left corner at Pos (top-right when right to left),
    // kept on the screen.
    void ShowAt(const QPoint &GlobalPos);
    // Below a bar item (above it when there is no room below).
    void ShowBelow(const QRect &GlobalItem);
    // Beside an item of the parent level, on the reading side.
    void ShowBeside(const QRect &GlobalItem);

    // The whole window as it paints itself: frame and rows, owner-drawn rows
    // included. A watcher of the window's paint composes over it.
    QImage PaintSurface();

    void SelectRow(int Row);
    void SelectFirst();
    // Enter on the selected row: opens its sub-menu or clicks it.
    void ActivateRow(int Row, bool SelectFirstOfChild);
    // Closes every level of the chain.
    void CloseChain();

protected:
    void paintEvent(QPaintEvent *Event) override;
    void mouseMoveEvent(QMouseEvent *Event) override;
    void mousePressEvent(QMouseEvent *Event) override;
    void mouseReleaseEvent(QMouseEvent *Event) override;
    void keyPressEvent(QKeyEvent *Event) override;
    void closeEvent(QCloseEvent *Event) override;

private:
    struct Row
    {
        TMenuItem *Item;
        QRect Rect;
    };

    void Relayout();
    bool RightToLeft() const;
    TPopupMenuWindow *RootPopup();
    // The level of the chain (this one or an ancestor) under the point.
    TPopupMenuWindow *LevelAt(const QPoint &GlobalPos);
    void HoverAt(const QPoint &GlobalPos);
    void OpenChild(int Row, bool SelectFirst);
    void CloseChild();
    void MoveSelection(int Step);
    void PlaceOnScreen(QPoint TopLeft, const QRect &Avoid, bool Horizontal);

    TMenu *m_menu;
    TMenuItem *m_parentItem;
    QPointer<TPopupMenuWindow> m_parentPopup;
    QPointer<TMenuBar> m_bar;
    QPointer<TPopupMenuWindow> m_child;
    std::vector<Row> m_rows;
    int m_checkColumn = 0;
    int m_selected = -1;
    bool m_closedByEscape = false;
    int m_listenerId = 0;
};
