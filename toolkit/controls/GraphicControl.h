#pragma once

#include <QWidget>

class TCanvas;

// A control without a window of its own: it never takes the focus and paints
// on its parent's surface. Its face is painted by PaintTo, so that a
// container can also ask it to paint into another picture (a transparent
// control showing what lies beneath it).
class TGraphicControl : public QWidget
{
    Q_OBJECT

public:
    explicit TGraphicControl(QWidget *parent = nullptr);

    // Paints the face into `canvas`, whose logical origin is the control's
    // top-left corner. The canvas's clip may be smaller than the control.
    virtual void PaintTo(TCanvas &canvas) = 0;

protected:
    // Composes what lies beneath the control and its face off-screen and
    // copies the result to the screen in one block.
    void paintEvent(QPaintEvent *event) override;
};

// Whether a widget is being painted as a copy into another control's picture
// rather than onto the screen.
bool IsPaintingCopy(const QWidget *widget);

// Marks a widget as painting as a copy for the scope's lifetime, also when
// the painting throws; scopes nest.
class TPaintCopyScope
{
public:
    explicit TPaintCopyScope(QWidget *widget);
    ~TPaintCopyScope();
    TPaintCopyScope(const TPaintCopyScope &) = delete;
    TPaintCopyScope &operator=(const TPaintCopyScope &) = delete;

private:
    QWidget *m_widget;
};

// Paints into `canvas` (logical origin at the control's top-left corner)
// what lies beneath `control` on its parent: the parent's background and its
// own content, then the parent's visible graphic controls that come before
// `control` in the control order and overlap it. Windowed controls and
// controls above `control` are left out. Without a parent nothing is painted.
void PaintParentBeneath(QWidget *control, TCanvas &canvas);
