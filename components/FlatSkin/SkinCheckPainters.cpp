#include "components/FlatSkin/SkinCheckPainters.h"

#include "components/FlatSkin/SkinControlPaint.h"
#include "components/FlatSkin/SkinLook.h"
#include "components/FlatSkin/SkinPrimitives.h"
#include "toolkit/controls/CheckBox.h"
#include "toolkit/controls/ControlTag.h"
#include "toolkit/controls/RadioButton.h"
#include "toolkit/gdi/Canvas.h"
#include "toolkit/gdi/SystemColors.h"

#include <QCheckBox>
#include <QCursor>
#include <QRadioButton>

namespace {

constexpr TColor kGrayedFill = RGB(192, 192, 192);
constexpr TColor kGrayedTick = RGB(128, 128, 128);
// Rows left free above and below a check box's and a radio button's box.
constexpr int kCheckBoxInsetY = 3;
constexpr int kRadioInsetY = 4;
// The control's own box is erased this far around the skin's box.
constexpr int kBoxMargin = 2;
constexpr int kDotInset = 2;
constexpr int kUpDownFillLighten = 60;
constexpr int kUpDownFrameLighten = 80;
// The chevron's tip sits this far above the half's centre.
constexpr int kChevronLift = 2;

enum class TBoxSide { Left, Right, Both };

// Where the box goes: right to left mirrors the caption's side; the partial
// right-to-left modes have no rule and keep the whole width.
TBoxSide BoxSide(const QWidget &control)
{
    TAlignment alignment = taRightJustify;
    TBiDiMode mode = control.layoutDirection() == Qt::RightToLeft ? bdRightToLeft : bdLeftToRight;
    if (auto *box = qobject_cast<const TCheckBox *>(&control)) {
        alignment = box->Alignment();
        mode = box->BiDiMode();
    } else if (auto *radio = qobject_cast<const TRadioButton *>(&control)) {
        alignment = radio->Alignment();
        mode = radio->BiDiMode();
    }
    if (mode != bdLeftToRight && mode != bdRightToLeft)
        return TBoxSide::Both;
    return BoxAtRightEdge(alignment, mode) ? TBoxSide::Right : TBoxSide::Left;
}

// The box of side T inside r, whose rows have already been narrowed. A radio
// button's box is a row shorter.
TRect PlaceBox(TRect r, int size, bool radio, TBoxSide side)
{
    r.Top += (r.Height() - size) / 2;
    r.Bottom = r.Top + size - (radio ? 1 : 0);
    if (side == TBoxSide::Right)
        r.Left = r.Right - size + 1;
    else if (side == TBoxSide::Left)
        r.Right = r.Left + size - 1;
    return r;
}

// Erases the control's own box and gives the skin's box.
TRect ClearBox(TCanvas &canvas, const QWidget &control, int insetY, bool radio)
{
    const TRect client = ClientRectOf(control);
    const TRect rows = Rect(0, insetY, client.Width(), client.Height() - insetY);
    const TRect box = PlaceBox(rows, GetSystemMetrics(SM_CXHTHUMB), radio, BoxSide(control));
    canvas.FillSolidRect(box, ControlColor(control));
    return box.Inflated(-kBoxMargin, -kBoxMargin);
}

struct TBoxColors {
    TColor fill;
    TColor frame;
};

// Grayed wins over a press, a press over hover and focus.
TBoxColors CheckBoxColors(bool lit, bool pressed, bool grayed, const TSkinPalette &palette)
{
    TBoxColors colors{ColorToRGB(clWindow), ColorToRGB(clBtnShadow)};
    if (lit)
        colors = {palette.SelectFillColor, palette.SelectFrameColor};
    if (pressed)
        colors.fill = palette.CheckedSelectFillColor;
    if (grayed)
        colors.fill = kGrayedFill;
    return colors;
}

TColor TickColor(bool enabled, bool pressed, bool grayed, const TSkinPalette &palette)
{
    if (!enabled)
        return palette.DisabledTextColor;
    if (pressed)
        return ColorToRGB(clWindow);
    return grayed ? kGrayedTick : ColorToRGB(clHighlight);
}

// Hover lights fill and frame, focus only the fill.
TBoxColors RadioColors(bool hot, bool focused, const TSkinPalette &palette)
{
    TBoxColors colors{ColorToRGB(clWindow), ColorToRGB(clBtnShadow)};
    if (hot)
        colors = {palette.SelectFillColor, palette.SelectFrameColor};
    else if (focused)
        colors.fill = palette.SelectFillColor;
    return colors;
}

struct THalfColors {
    TColor frame;
    TColor fill;
    TColor arrow;
};

// The half under the pointer lights up, and darkens while pressed.
THalfColors UpDownHalfColors(bool lit, bool pressed, bool enabled, bool tinted, const TSkinPalette &palette,
                             TColor parentBackground)
{
    const TColor arrow = enabled ? clBlack : clWhite;
    if (lit && pressed)
        return {palette.SelectFrameColor, palette.CheckedSelectFillColor, clWhite};
    if (lit)
        return {palette.SelectFrameColor, LightenColor(palette.SelectFillColor, kUpDownFillLighten), arrow};
    return {LightenColor(parentBackground, kUpDownFrameLighten),
            LightenColor(tinted ? parentBackground : palette.SelectFillColor, palette.SoftLightLevel), arrow};
}

// Drawn whole at every paint: the skin's picture starts transparent over
// the control's own paint, so no half ever already shows its state there
// (and a transparent corner must not pass for a black frame).
void PaintUpDownHalf(TCanvas &canvas, const TRect &half, int direction, THalfColors colors)
{
    canvas.Pen().SetColor(colors.frame);
    canvas.Brush().SetColor(colors.fill);
    canvas.Brush().SetStyle(bsSolid);
    canvas.Rectangle(half);
    canvas.Pen().SetColor(colors.arrow);
    DrawChevron(canvas, half.Left + half.Width() / 2, half.Top + half.Height() / 2 - kChevronLift, direction);
}

} // namespace

void PaintCheckBox(const TControlPaint &paint)
{
    auto *box = qobject_cast<QCheckBox *>(&paint.control);
    if (!box)
        return;
    TCanvas &canvas = paint.canvas;
    const TClientCanvasScope clientCanvas(canvas, ClientRectOf(*box));
    const bool pressed = paint.state.spaceDown || paint.state.leftButtonDown;
    const bool grayed = box->checkState() == Qt::PartiallyChecked;
    const TBoxColors colors = CheckBoxColors(paint.state.hot || paint.state.hasFocus, pressed, grayed, paint.palette);
    const TRect mark = ClearBox(canvas, *box, kCheckBoxInsetY, false);
    canvas.Brush().SetColor(colors.fill);
    canvas.Pen().SetColor(colors.frame);
    canvas.Rectangle(mark);
    if (box->checkState() == Qt::Unchecked)
        return;
    canvas.Pen().SetColor(TickColor(box->isEnabled(), pressed, grayed, paint.palette));
    DrawCheckTick(canvas, mark.Left, mark.Bottom);
}

void PaintRadioButton(const TControlPaint &paint)
{
    auto *radio = qobject_cast<QRadioButton *>(&paint.control);
    if (!radio)
        return;
    TCanvas &canvas = paint.canvas;
    const TClientCanvasScope clientCanvas(canvas, ClientRectOf(*radio));
    const TBoxColors colors = RadioColors(paint.state.hot, paint.state.hasFocus, paint.palette);
    const TRect circle = ClearBox(canvas, *radio, kRadioInsetY, true);
    canvas.Brush().SetColor(colors.fill);
    canvas.Pen().SetColor(colors.frame);
    canvas.Ellipse(circle);
    if (!radio->isChecked())
        return;
    const TColor dot = radio->isEnabled() ? ColorToRGB(clHighlight) : paint.palette.DisabledTextColor;
    canvas.Brush().SetColor(dot);
    canvas.Pen().SetColor(dot);
    canvas.Ellipse(circle.Inflated(-kDotInset, -kDotInset));
}

void PaintUpDown(const TControlPaint &paint)
{
    QWidget &control = paint.control;
    const int w = control.width();
    const int h = control.height();
    const TRect upper = Rect(0, 0, w, h / 2);
    const TRect lower = Rect(0, h - h / 2, w, h);
    const bool live = control.isEnabled() && paint.state.hot;
    const bool pointerAbove = control.mapFromGlobal(QCursor::pos()).y() < h / 2;
    const bool tinted = ControlTag(&control) == kParentTintTag;
    const TColor background = ParentBackground(control);
    auto colors = [&](bool lit) {
        return UpDownHalfColors(lit, paint.state.leftButtonDown, control.isEnabled(), tinted, paint.palette,
                                background);
    };
    PaintUpDownHalf(paint.canvas, upper, kChevronUp, colors(live && pointerAbove));
    PaintUpDownHalf(paint.canvas, lower, kChevronDown, colors(live && !pointerAbove));
}
