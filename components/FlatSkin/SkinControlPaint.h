#pragma once

#include "toolkit/gdi/Colors.h"
#include "toolkit/gdi/Font.h"
#include "toolkit/gdi/Geometry.h"

#include <optional>

class QWidget;
class TCanvas;
class TControlSubClass;
class TFlatSkin;
struct TSkinPalette;

// A combo box, button or up-down control with this Tag takes its surface
// from the parent's background.
constexpr int kParentTintTag = 1000;

// What a control painter draws with: the control, its skin with a palette
// that is not stale, and the canvas over the control's whole window.
struct TControlPaint {
    QWidget &control;
    TFlatSkin &skin;
    const TSkinPalette &palette;
    TCanvas &canvas;
};

// Nothing to paint when the record has let go of its control, has no skin,
// or is not inside a paint.
std::optional<TControlPaint> BeginControlPaint(TControlSubClass &record);

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
void FillRectIn(TCanvas &canvas, const TRect &rect, TColor color);
// A line from `from` up to, not including, `to`.
void LineIn(TCanvas &canvas, TPoint from, TPoint to, TColor color);
