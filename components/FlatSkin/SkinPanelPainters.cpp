#include "components/FlatSkin/SkinPanelPainters.h"

#include "components/FlatSkin/SkinControlPaint.h"
#include "components/FlatSkin/SkinLook.h"
#include "components/FlatSkin/SkinPrimitives.h"
#include "toolkit/app/PlatformMessages.h"
#include "toolkit/controls/Panel.h"
#include "toolkit/controls/StandardControl.h"
#include "toolkit/gdi/Bevel.h"
#include "toolkit/gdi/Canvas.h"

#include <QGroupBox>

namespace {

// The two shades of a container's frame, from its own colour.
constexpr int kShadeLighten = 60;
constexpr int kShadeDarken = 60;
// The caption stands this far in from the box's left (or right) edge.
constexpr int kCaptionIndent = 9;
constexpr int kRingWidth = 1;

struct TShades {
    TColor light;
    TColor dark;
};

TShades ShadesOf(TColor color)
{
    return {LightenColor(color, kShadeLighten), DarkenColor(color, kShadeDarken)};
}

// A lowered bevel is dark at its top and left; raised and space bevels are
// light there.
void PaintBevel(TCanvas &canvas, TRect &rect, TPanelBevel bevel, TShades shades, int width)
{
    if (bevel == bvLowered)
        Frame3D(canvas, rect, shades.dark, shades.light, width);
    else
        Frame3D(canvas, rect, shades.light, shades.dark, width);
}

bool Is3D(const QWidget &control)
{
    const TStandardControl *standard = AsStandardControl(&control);
    return !standard || standard->Ctl3D();
}

} // namespace

void PaintPanel(const TControlPaint &paint)
{
    if (paint.state.lastMessage != WM_PAINT)
        return;
    auto *panel = qobject_cast<TPanel *>(&paint.control);
    if (!panel)
        return;
    const TShades shades = ShadesOf(panel->Color());
    TRect r = ClientRectOf(*panel);
    if (panel->BevelOuter() != bvNone)
        PaintBevel(paint.canvas, r, panel->BevelOuter(), shades, panel->BevelWidth());
    if (panel->BevelInner() != bvNone) {
        r = r.Inflated(-panel->BorderWidth(), -panel->BorderWidth());
        PaintBevel(paint.canvas, r, panel->BevelInner(), shades, panel->BevelWidth());
    }
}

void PaintGroupBox(const TControlPaint &paint)
{
    if (paint.state.lastMessage != WM_PAINT)
        return;
    QWidget &control = paint.control;
    TCanvas &canvas = paint.canvas;
    const auto *groupBox = qobject_cast<const QGroupBox *>(&control);
    const QString caption = groupBox ? groupBox->title() : QString();
    const TColor face = ControlColor(control);
    const TShades shades = ShadesOf(face);
    const TColor topLeft = Is3D(control) ? shades.light : shades.dark;
    const int w = control.width();
    const int h = control.height();

    const TClientCanvasScope clientCanvas(canvas, ClientRectOf(control));
    canvas.SetFont(FontOf(control));
    const int textHeight = canvas.TextHeight(caption.isEmpty() ? QStringLiteral(" ") : caption);
    const int textWidth = canvas.TextWidth(caption);
    const int band = textHeight / 2 + 1;

    // The control's own inner frame lines vanish under the face colour.
    OutlineRect(canvas, Rect(1, textHeight, w - 1, h - 1), face);
    LineIn(canvas, Point(1, textHeight / 2 - 1), Point(1, h), face);
    TRect ring = Rect(0, textHeight / 2 - 1, w, h);
    Frame3D(canvas, ring, topLeft, shades.dark, kRingWidth);
    canvas.FillSolidRect(Rect(0, 0, w, band), ParentBackground(control));

    const bool rightToLeft = IsRightToLeft(control);
    TRect text = rightToLeft ? Rect(w - kCaptionIndent - textWidth, 0, w - kCaptionIndent, textHeight)
                             : Rect(kCaptionIndent, 0, kCaptionIndent + textWidth, textHeight);
    canvas.FillSolidRect(Rect(text.Left, band, text.Right, 2 * band), face);
    LineIn(canvas, Point(w - 2, band), Point(w - 2, textHeight), face);
    canvas.Brush().SetStyle(bsClear);
    canvas.DrawText(caption, text, DT_SINGLELINE | DT_NOPREFIX | (rightToLeft ? DT_RTLREADING : 0));
    canvas.Brush().SetStyle(bsSolid);
    LineIn(canvas, Point(0, band), Point(text.Left, band), topLeft);
    LineIn(canvas, Point(text.Right, band), Point(w - 1, band), topLeft);
}
