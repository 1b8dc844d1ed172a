#pragma once

#include <QObject>
#include <QRect>

#include <functional>
#include <optional>

class QScrollBar;
class QWidget;

// The grid's two scroll bars, children of the grid and never focused. The
// vertical bar stands for the display rows, the horizontal one for the left
// column; it shows only while some column cannot be brought into view.
//
// Every move of a bar is reported except those that come from showing the
// grid's own position on it, so that the grid never re-enters its own moves.
class TGridScrollBars : public QObject
{
    Q_OBJECT

public:
    using TScrolledEvent = std::function<void(int value)>;

    struct TRowRange {
        int Count = 0;    // display rows
        int PageRows = 1; // rows shown whole
        int Current = -1; // active display row, -1 when none
    };

    struct TColumnRange {
        int First = 0;   // first scrollable grid column
        int MaxLeft = 0; // largest left column
        int Page = 1;    // scrollable columns in view
        int Left = 0;    // left column
    };

    TGridScrollBars(QWidget &grid, TScrolledEvent onRowChosen, TScrolledEvent onLeftColChosen);

    QScrollBar *Vert() const { return m_vert; }
    QScrollBar *Horz() const { return m_horz; }

    // Places the vertical bar right of the client area and the horizontal one
    // below it; `client` is in the grid's widget coordinates.
    void Place(const QRect &client, bool horzShown) const;
    // Shows the grid's position; without rows (no data set) the vertical bar
    // is empty and disabled.
    void ShowPosition(const std::optional<TRowRange> &rows, const TColumnRange &columns);

private:
    QScrollBar *m_vert;
    QScrollBar *m_horz;
    bool m_showingPosition = false;
};
