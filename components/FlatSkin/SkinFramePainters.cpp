#include "components/FlatSkin/SkinFramePainters.h"

#include "components/FlatSkin/SkinControlPaint.h"
#include "components/FlatSkin/SkinLook.h"
#include "components/FlatSkin/SkinPrimitives.h"
#include "toolkit/controls/ComboBox.h"
#include "toolkit/controls/ControlTag.h"
#include "toolkit/controls/RichEdit.h"
#include "toolkit/controls/StandardControl.h"
#include "toolkit/gdi/Canvas.h"
#include "toolkit/gdi/SystemColors.h"

#include <QAbstractItemView>
#include <QComboBox>

#include <algorithm>

namespace {

// How far the frame colours move from their bases.
constexpr int kIdleDarken = 60;
constexpr int kActiveLighten = 60;
constexpr int kBorderlessListLighten = 80;
constexpr int kBorderlessHotLighten = 40;
// A rich edit without its border keeps this much room around its text.
constexpr int kRichEditMinBorderWidth = 2;
// The strip of a combo box's button rectangle that belongs to the text.
constexpr int kComboStripWidth = 5;
// The combo box's drop-down arrow: its left column from the client's right
// edge (or left edge, right to left) and its top row; the lookup combo box's
// arrow sits a column further right and two rows higher.
constexpr int kComboArrowFromRight = 10;
constexpr int kComboArrowFromLeft = 5;
constexpr int kComboArrowTop = 10;
constexpr int kLookupArrowFromRight = 9;
constexpr int kLookupArrowTop = 8;
// How far a lit button rectangle reaches toward the text, right to left.
constexpr int kComboLitWidening = 2;
constexpr int kLookupLitWidening = 1;

struct TLitState {
    bool hot;
    bool focused;
};

TLitState StateOf(const TSkinControlState &state)
{
    return {state.hot, state.hasFocus};
}

bool SavedSingleBorder(const TSkinControlState &state)
{
    return state.savedFrame.borderStyle == TBorderStyle::bsSingle;
}

// Switches a 3D frame off before the frame is painted flat; the record
// survives the control's new window.
void TurnCtl3DOff(TSkinControlState &state, QWidget &control)
{
    TStandardControl *standard = AsStandardControl(&control);
    if (!standard || !standard->Ctl3D())
        return;
    state.expectRecreate = true;
    standard->SetCtl3D(false);
}

// Focus or hover light the frame; a borderless edit blends into its colour.
TColor EditFrameColor(TLitState state, bool singleBorder, const TSkinPalette &palette, TColor controlColor,
                      TColor parentBackground)
{
    if (!singleBorder) {
        if (state.hot && !state.focused)
            return LightenColor(AverageColors({controlColor, parentBackground}), kBorderlessHotLighten);
        return controlColor;
    }
    if (state.hot || state.focused)
        return LightenColor(palette.SelectFrameColor, kActiveLighten);
    return DarkenColor(parentBackground, kIdleDarken);
}

TColor RichEditFrameColor(TLitState state, bool singleBorder, const TSkinPalette &palette, TColor parentBackground)
{
    if (state.hot || state.focused)
        return LightenColor(palette.SelectFrameColor, kActiveLighten);
    return singleBorder ? DarkenColor(parentBackground, kIdleDarken) : parentBackground;
}

TColor ListFrameColor(TLitState state, bool singleBorder, const TSkinPalette &palette, TColor parentBackground)
{
    if (state.hot || state.focused)
        return LightenColor(palette.SelectFrameColor, singleBorder ? kActiveLighten : kBorderlessListLighten);
    return singleBorder ? DarkenColor(parentBackground, kIdleDarken) : parentBackground;
}

// The colours of a combo box: its frame, its button and its arrow. An open
// list wins over hover and focus, hover over focus.
struct TComboColors {
    TColor frame;
    TColor button;
    TColor arrow;
};

TComboColors ComboColors(TLitState state, bool enabled, bool tinted, bool droppedDown, const TSkinPalette &palette,
                         TColor controlColor, TColor parentBackground)
{
    TComboColors colors{controlColor,
                        tinted ? LightenColor(parentBackground, palette.SoftLightLevel) : ColorToRGB(clBtnFace),
                        enabled ? clBlack : clWhite};
    if (state.hot) {
        colors.frame = palette.SelectFrameColor;
        colors.button = palette.SelectFillColor;
    } else if (state.focused) {
        colors.frame = LightenColor(palette.SelectFrameColor, kActiveLighten);
        colors.button = palette.CheckedFillColor;
    }
    if (droppedDown) {
        colors.frame = palette.SelectFrameColor;
        colors.arrow = clWhite;
        colors.button = palette.CheckedSelectFillColor;
    }
    return colors;
}

TComboColors LookupComboColors(TLitState state, bool enabled, bool droppedDown, const TSkinPalette &palette)
{
    TComboColors colors{LightenColor(palette.SelectFrameColor, kActiveLighten), ColorToRGB(clBtnFace),
                        enabled ? clBlack : clWhite};
    if (state.hot) {
        colors.frame = palette.SelectFrameColor;
        colors.button = palette.SelectFillColor;
    } else if (state.focused) {
        colors.button = palette.CheckedFillColor;
    }
    if (droppedDown) {
        colors.frame = palette.SelectFrameColor;
        colors.arrow = clWhite;
        colors.button = palette.CheckedSelectFillColor;
    }
    return colors;
}

TColor LookupOuterColor(TLitState state, const TSkinPalette &palette, TColor parentBackground)
{
    return state.hot ? palette.SelectFrameColor : DarkenColor(parentBackground, kIdleDarken);
}

bool IsDroppedDown(const QWidget &control)
{
    if (auto *combo = qobject_cast<const TComboBox *>(&control))
        return combo->DroppedDown();
    auto *combo = qobject_cast<const QComboBox *>(&control);
    return combo && combo->view() && combo->view()->isVisible();
}

bool IsSimpleCombo(const QWidget &control)
{
    auto *combo = qobject_cast<const TComboBox *>(&control);
    return combo && combo->Style() == csSimple;
}

// The button rectangle inside r: at the right edge, or the left edge right
// to left, a thumb wide plus one; hover or focus widen it towards the text.
TRect ComboButtonRect(TRect r, bool rightToLeft, bool lit, int rightToLeftWidening)
{
    const int width = GetSystemMetrics(SM_CXHTHUMB) + 1;
    if (rightToLeft) {
        r.Right = r.Left + width;
        if (lit)
            r.Right += rightToLeftWidening;
    } else {
        r.Left = r.Right - width;
        if (lit)
            r.Left -= 1;
    }
    return r;
}

// The strip of the button rectangle next to the text in the control's
// colour, with a line in the frame colour along its edge toward the button.
void PaintComboStrip(TCanvas &canvas, const TRect &button, bool rightToLeft, TColor controlColor, TColor frame)
{
    TRect strip = button;
    if (rightToLeft)
        strip.Left = strip.Right - kComboStripWidth;
    else
        strip.Right = strip.Left + kComboStripWidth;
    canvas.FillSolidRect(strip, controlColor);
    const int x = rightToLeft ? strip.Left : strip.Right;
    LineIn(canvas, Point(x, strip.Top), Point(x, strip.Bottom), frame);
}

// A downward triangle of 5, 3 and 1 pixels with its top row at (x, y).
void PaintComboArrow(TCanvas &canvas, int x, int y, TColor color)
{
    canvas.Pen().SetColor(color);
    canvas.Pen().SetStyle(psSolid);
    DrawDropArrow(canvas, x, y);
}

} // namespace

void PaintEditFrame(const TControlPaint &paint)
{
    TurnCtl3DOff(paint.state, paint.control);
    const TColor frame = EditFrameColor(StateOf(paint.state), SavedSingleBorder(paint.state), paint.palette,
                                        ControlColor(paint.control), ParentBackground(paint.control));
    const TRect client = ClientRectOf(paint.control);
    const TClientCanvasScope clientCanvas(paint.canvas, client);
    OutlineRect(paint.canvas, Rect(0, 0, client.Width(), client.Height()), frame);
}

void PaintRichEditFrame(const TControlPaint &paint)
{
    auto *richEdit = qobject_cast<TRichEdit *>(&paint.control);
    const bool singleBorder = SavedSingleBorder(paint.state);
    if (singleBorder && richEdit && richEdit->BorderStyle() != TBorderStyle::bsNone) {
        paint.state.expectRecreate = true;
        richEdit->SetBorderStyle(TBorderStyle::bsNone);
        richEdit->SetBorderWidth(std::max(richEdit->BorderWidth(), kRichEditMinBorderWidth));
    }
    const TColor frame =
        RichEditFrameColor(StateOf(paint.state), singleBorder, paint.palette, ParentBackground(paint.control));
    // The control's picture ends at its own edge, so the frame takes the
    // control's outermost ring rather than the ring around it on the parent.
    OutlineRect(paint.canvas, Rect(0, 0, paint.control.width(), paint.control.height()), frame);
}

void PaintComboFrame(const TControlPaint &paint)
{
    QWidget &control = paint.control;
    TCanvas &canvas = paint.canvas;
    const TLitState state = StateOf(paint.state);
    const bool lit = state.hot || state.focused;
    const bool rightToLeft = IsRightToLeft(control);
    const TColor controlColor = ControlColor(control);
    const TColor background = ParentBackground(control);
    const bool tinted = ControlTag(&control) == kParentTintTag;
    const TComboColors colors = ComboColors(state, control.isEnabled(), tinted, IsDroppedDown(control), paint.palette,
                                            controlColor, background);
    // Until the list opens the frame keeps the colour of hover or focus.
    const TComboColors closed =
        ComboColors(state, control.isEnabled(), tinted, false, paint.palette, controlColor, background);

    const TClientCanvasScope clientCanvas(canvas, ClientRectOf(control));
    const int w = control.width();
    const int h = control.height();
    TRect r = Rect(0, 0, w, h);
    FrameRectIn(canvas, r, background);
    r = r.Inflated(-1, -1);
    LineIn(canvas, Point(r.Left, r.Top), Point(r.Right, r.Top), background);
    r = r.Inflated(0, -1);
    if (lit)
        r = r.Inflated(1, 1);
    FrameRectIn(canvas, r, controlColor);
    r.Bottom += 1;
    FrameRectIn(canvas, r, closed.frame);

    if (IsSimpleCombo(control))
        return;
    r = r.Inflated(-1, -1);
    const TRect button = ComboButtonRect(r, rightToLeft, lit, kComboLitWidening);
    canvas.FillSolidRect(button, colors.button);
    PaintComboStrip(canvas, button, rightToLeft, controlColor, colors.frame);
    PaintComboArrow(canvas, rightToLeft ? kComboArrowFromLeft : w - kComboArrowFromRight, kComboArrowTop, colors.arrow);
}

void PaintLookupComboFrame(const TControlPaint &paint)
{
    QWidget &control = paint.control;
    TCanvas &canvas = paint.canvas;
    TurnCtl3DOff(paint.state, control);
    const TLitState state = StateOf(paint.state);
    const bool rightToLeft = IsRightToLeft(control);
    const TColor controlColor = ControlColor(control);
    const TComboColors colors = LookupComboColors(state, control.isEnabled(), IsDroppedDown(control), paint.palette);

    const int w = control.width();
    const int h = control.height();
    FrameRectIn(canvas, Rect(0, 0, w, h), LookupOuterColor(state, paint.palette, ParentBackground(control)));
    // With Ctl3D off the client area lies inside a one-pixel border.
    const TRect client = Rect(1, 1, w - 1, h - 1);
    TRect r = client;
    FrameRectIn(canvas, r, controlColor);
    r = r.Inflated(-1, -1);
    const TRect button = ComboButtonRect(r, rightToLeft, state.hot || state.focused, kLookupLitWidening);
    canvas.FillSolidRect(button, colors.button);
    FrameRectIn(canvas, button, colors.frame);
    PaintComboStrip(canvas, button, rightToLeft, controlColor, colors.frame);
    // The arrow is placed in client coordinates and drawn in window ones.
    const int x = rightToLeft ? kComboArrowFromLeft : client.Width() - kLookupArrowFromRight;
    PaintComboArrow(canvas, client.Left + x, client.Top + kLookupArrowTop, colors.arrow);
}

void PaintListFrame(const TControlPaint &paint)
{
    paint.skin.RefreshPalette(paint.canvas);
    const TColor frame = ListFrameColor(StateOf(paint.state), SavedSingleBorder(paint.state), paint.skin.Palette(),
                                        ParentBackground(paint.control));
    TurnCtl3DOff(paint.state, paint.control);
    OutlineRect(paint.canvas, Rect(0, 0, paint.control.width(), paint.control.height()), frame);
}

void PaintProgressBarFrame(const TControlPaint &paint)
{
    // Focus plays no part: a progress bar only follows the pointer.
    const TColor frame =
        paint.state.hot ? paint.palette.SelectFrameColor : DarkenColor(ParentBackground(paint.control), kIdleDarken);
    OutlineRect(paint.canvas, Rect(0, 0, paint.control.width(), paint.control.height()), frame);
}

void PaintHotKeyFrame(const TControlPaint &paint)
{
    paint.skin.RefreshPalette(paint.canvas);
    const TLitState state = StateOf(paint.state);
    const TColor frame = state.hot || state.focused
                             ? LightenColor(paint.skin.Palette().SelectFrameColor, kActiveLighten)
                             : DarkenColor(ParentBackground(paint.control), kIdleDarken);
    const int w = paint.control.width();
    const int h = paint.control.height();
    OutlineRect(paint.canvas, Rect(0, 0, w, h), frame);
    OutlineRect(paint.canvas, Rect(1, 1, w - 1, h - 1), clWindow);
}
