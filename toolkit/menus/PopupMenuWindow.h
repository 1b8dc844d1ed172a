#pragma once

#include <QImage>
#include <QPointer>
#include <QWidget>

#include <vector>

class TMenu;
class TPopupMenuHost;
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
    // Host is the bar the chain drops from; nullptr for a popup menu's chain.
    TPopupMenuWindow(TMenu *menu, TMenuItem *parentItem, TPopupMenuWindow *parentPopup, TPopupMenuHost *host,
                     QWidget *parent);
    ~TPopupMenuWindow() override;

    // The open window that shows the item, and the item's rectangle on the
    // screen; nullptr and an empty rectangle when no open window shows it.
    static TPopupMenuWindow *WindowShowing(const TMenuItem *item);
    static QRect ItemScreenRect(const TMenuItem *item);

    TMenuItem *ParentItem() const { return m_parentItem; }
    TPopupMenuWindow *ChildPopup() const;
    // Shown rows: the visible items with their rectangles in window coordinates.
    int RowCount() const { return static_cast<int>(m_rows.size()); }
    TMenuItem *RowItem(int row) const;
    QRect RowRect(int row) const;
    int RowAt(const QPoint &pos) const;
    int SelectedRow() const { return m_selected; }

    // Opens with the top-left corner at Pos (top-right when right to left),
    // kept on the screen.
    void ShowAt(const QPoint &globalPos);
    // Below a bar item (above it when there is no room below).
    void ShowBelow(const QRect &globalItem);
    // Beside an item of the parent level, on the reading side.
    void ShowBeside(const QRect &globalItem);

    // The whole window as it paints itself: frame and rows, owner-drawn rows
    // included. A watcher of the window's paint composes over it.
    QImage PaintSurface();

    void SelectRow(int row);
    void SelectFirst();
    // Enter on the selected row: opens its sub-menu or clicks it.
    void ActivateRow(int row, bool selectFirstOfChild);
    // Closes every level of the chain.
    void CloseChain();

signals:
    // The window has closed; it is deleted a little later, once the window
    // system has delivered what it sent to it.
    void Closed();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    struct Row {
        TMenuItem *Item;
        QRect Rect;
    };

    void Relayout();
    bool RightToLeft() const;
    TPopupMenuWindow *RootPopup();
    // The level of the chain (this one or an ancestor) under the point.
    TPopupMenuWindow *LevelAt(const QPoint &globalPos);
    void HoverAt(const QPoint &globalPos);
    void OpenChild(int row, bool selectFirst);
    void CloseChild();
    // Left or Escape on a deeper level: back to the level above.
    void CloseToParent();
    void MoveSelection(int step);
    void PlaceOnScreen(QPoint topLeft, const QRect &avoid, bool horizontal);

    TMenu *m_menu;
    TMenuItem *m_parentItem;
    QPointer<TPopupMenuWindow> m_parentPopup;
    TPopupMenuHost *m_host;
    QPointer<TPopupMenuWindow> m_child;
    std::vector<Row> m_rows;
    int m_checkColumn = 0;
    int m_selected = -1;
    bool m_closedByEscape = false;
    int m_listenerId = 0;
};
