#pragma once

#include "toolkit/gdi/Colors.h"
#include "toolkit/gdi/Region.h"

#include <QObject>
#include <QPointer>

class QWidget;
class TCanvas;
class TFlatSkin;
class TPopupMenuWindow;

// Gives a popup menu window the flat frame: a one-pixel outline, the icon
// column running on to it, and before version 5.1 a two-pixel shadow at the
// right and bottom made with the window's shape. Nothing happens without a
// window, while a frame is being painted, or for a window whose whole
// surface cannot be painted (any window but a popup menu's).
void PaintFlatFrame(TFlatSkin &component, QWidget *window, bool rightToLeft);

// The colours and mode one frame is drawn with.
struct TFlatFrameStyle {
    TColor frameColor;
    TColor shadowColor;
    TColor iconBarColor;
    TColor menuBackColor;
    bool version51;
    bool rightToLeft;
};

// Draws the frame on the canvas of a whole window of the given size.
void DrawFlatFrame(TCanvas &canvas, int width, int height, const TFlatFrameStyle &style);

// The window's shape before version 5.1: the window less its last two
// columns and rows, joined with the same moved two pixels right and down.
TRegion FlatFrameShape(int width, int height);

// A popup menu window taken over by the skin: an event filter on it that
// paints the frame over every paint of the window and gives the window back
// (its shape removed) when it hides, closes or is destroyed (a visible
// window hides first). It is owned by the window, so it goes with it at the
// latest.
class TFlatMenuFrame : public QObject
{
    Q_OBJECT

public:
    // The frame that holds window, or nullptr.
    static TFlatMenuFrame *Of(const QWidget &window);

    TFlatMenuFrame(TFlatSkin &component, TPopupMenuWindow &window, bool rightToLeft);
    void SetStyleSource(TFlatSkin &component, bool rightToLeft);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void PaintOver(TPopupMenuWindow &window);
    void GiveBack(QWidget &window);

    QPointer<TFlatSkin> m_component;
    bool m_rightToLeft;
};
