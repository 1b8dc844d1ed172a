#pragma once

#include "components/FlatSkin/FrameSettings.h"
#include "toolkit/gdi/Colors.h"
#include "toolkit/gdi/Font.h"
#include "toolkit/gdi/Geometry.h"

class QWidget;
class TCanvas;
class TSkinLook;
struct TSkinPalette;

// A combo box, button or up-down control with this Tag takes its surface
// from the parent's background.
constexpr int kParentTintTag = 1000;

// What the skin's record of a control knows of it, kept up to date by the
// control's events; painters read it as it is at the moment they look, since
// a change they make to the control may send it events.
struct TSkinControlState {
    // The mouse is over the enabled control, or the control has the focus.
    bool hot = false;
    // Recomputed at every paint dispatch: a windowed control with the focus.
    bool hasFocus = false;
    bool leftButtonDown = false;
    bool spaceDown = false;
    // The platform message standing for the last event the record saw.
    int lastMessage = 0;
    // The control may lose its window and get a new one: while set, losing
    // the window does not release the record. Painters set it just before
    // they change the control's frame settings; the next paint clears it.
    bool expectRecreate = false;
    // What the control gets back when the skin lets go of it.
    TFrameSettings savedFrame;
};

// What a control painter draws with: the control, the look of its skin with
// a palette that is not stale, the canvas over the control's whole window,
// and the control's state as its record keeps it.
struct TControlPaint {
    QWidget &control;
    TSkinLook &skin;
    const TSkinPalette &palette;
    TCanvas &canvas;
    TSkinControlState &state;
};

// The colour the control's parent fills its background with.
TColor ParentBackground(const QWidget &control);
// The control's own Color setting.
TColor ControlColor(const QWidget &control);
// The client area in window coordinates: inside the control's border.
TRect ClientRectOf(const QWidget &control);
// The control's reading direction is plainly right to left.
bool IsRightToLeft(const QWidget &control);
// The control's font as the canvas takes it, in the colour of its text.
TFont FontOf(const QWidget &control);

// Draws in the client area of the control for the scope's lifetime: the
// origin at the client area's top-left corner and everything outside it
// clipped.
class TClientCanvasScope
{
public:
    TClientCanvasScope(TCanvas &canvas, const TRect &clientRect);
    ~TClientCanvasScope();
    TClientCanvasScope(const TClientCanvasScope &) = delete;
    TClientCanvasScope &operator=(const TClientCanvasScope &) = delete;

private:
    TCanvas &m_canvas;
};

// A one-pixel outline in the colour, the inside untouched.
void OutlineRect(TCanvas &canvas, const TRect &rect, TColor color);
// A one-pixel outline painted with a brush of the colour (FrameRect).
void FrameRectIn(TCanvas &canvas, const TRect &rect, TColor color);
// A line from `from` up to, not including, `to`.
void LineIn(TCanvas &canvas, TPoint from, TPoint to, TColor color);
