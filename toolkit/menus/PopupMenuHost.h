#pragma once

class QPoint;

// What a chain of popup levels asks of the bar it drops from. The bar opens
// the chain and is an ancestor of every level, so it outlives them; the
// levels know it only through this.
class TPopupMenuHost
{
public:
    // The pointer, held by the open chain, moved outside every level.
    virtual void TrackPopupMouse(const QPoint &globalPos) = 0;
    // A press outside every level; true when the host took it.
    virtual bool PopupMousePress(const QPoint &globalPos) = 0;
    // Left/Right past the end of the chain: the neighbouring bar item.
    virtual void SelectNeighbour(int step, bool open) = 0;
    virtual void ExitMenuMode() = 0;
    // The root level has closed.
    virtual void PopupClosed(bool byEscape) = 0;

protected:
    ~TPopupMenuHost() = default;
};
