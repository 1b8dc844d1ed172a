#pragma once

#include <QObject>
#include <QPointer>

class TDBGrid;
class TGridMetrics;

// Keeps the pair of columns on both sides of a dragged title border at their
// total width: the right neighbour gives or takes what the dragged column
// gains or loses, and the first column is re-fitted afterwards.
//
// A window installs it on its grid in FormCreate and completes the drag from
// the grid's mouse-up notification:
//
//     FBorderDrag.Install(*DBGrid1);
//     DBGrid1->OnMouseUp = [this](auto...) { FBorderDrag.Complete(); };
//
// GridWndProc sees every message of the grid before the grid's own handler
// and passes each one on; uninstalling (or destroying the object) restores the
// grid's previous handler.
class TPairedBorderDrag : public QObject
{
    Q_OBJECT
public:
    TPairedBorderDrag() = default;
    ~TPairedBorderDrag() override;

    void Install(TDBGrid &grid);
    void Uninstall();

    // The press of the left button at client point (x, y), each coordinate
    // taken as its low 16 bits, unsigned, as the platform's message carries
    // it. Needs only the grid's metrics, so it works on any grid model.
    void LeftButtonDown(TGridMetrics &grid, int x, int y);
    // Completes a drag after the grid has applied the user's new width.
    void Complete(TGridMetrics &grid);
    void Complete();

    int DragColumn() const { return FDragColumn; }
    int DragWidth() const { return FDragWidth; }
    int PairWidth() const { return FPairWidth; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool GridWndProc(QEvent *event);

    QPointer<TDBGrid> m_grid;
    int FDragColumn = -1;
    int FDragWidth = 0;
    int FPairWidth = 0;
};
