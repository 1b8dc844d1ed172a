#include "components/FlatSkin/SkinControlPaint.h"

#include "toolkit/controls/Panel.h"
#include "toolkit/controls/StandardControl.h"
#include "toolkit/gdi/Canvas.h"

#include <QFontInfo>
#include <QWidget>

TColor ParentBackground(const QWidget &control)
{
    const QWidget *parent = control.parentWidget();
    if (!parent)
        return ColorToRGB(clBtnFace);
    if (const TStandardControl *standard = AsStandardControl(parent))
        return ColorToRGB(standard->Color());
    if (auto *panel = qobject_cast<const TPanel *>(parent))
        return ColorToRGB(panel->Color());
    return FromQColor(parent->palette().color(parent->backgroundRole()));
}

TColor ControlColor(const QWidget &control)
{
    if (const TStandardControl *standard = AsStandardControl(&control))
        return ColorToRGB(standard->Color());
    if (auto *panel = qobject_cast<const TPanel *>(&control))
        return ColorToRGB(panel->Color());
    return FromQColor(control.palette().color(control.backgroundRole()));
}

TRect ClientRectOf(const QWidget &control)
{
    if (const TStandardControl *standard = AsStandardControl(&control))
        return standard->ClientRect();
    return Rect(0, 0, control.width(), control.height());
}

bool IsRightToLeft(const QWidget &control)
{
    if (const TStandardControl *standard = AsStandardControl(&control))
        return standard->BiDiMode() == bdRightToLeft;
    return control.layoutDirection() == Qt::RightToLeft;
}

TFont FontOf(const QWidget &control)
{
    const QFont &source = control.font();
    // A font given in points is measured in pixels as it is shown.
    const int pixels = source.pixelSize() > 0 ? source.pixelSize() : QFontInfo(source).pixelSize();
    TFont font;
    font.SetName(source.family());
    // Qt's pixel size is the em; a raster face's height names its
    // characters, which are smaller than the em.
    for (int height = 1; height <= pixels; ++height) {
        font.SetHeight(-height);
        if (font.PixelSize() == pixels)
            break;
    }
    TFontStyles style = 0;
    if (source.bold())
        style |= fsBold;
    if (source.italic())
        style |= fsItalic;
    font.SetStyle(style);
    font.SetColor(FromQColor(control.palette().color(control.foregroundRole())));
    return font;
}

TClientCanvasScope::TClientCanvasScope(TCanvas &canvas, const TRect &clientRect)
    : m_canvas(canvas)
{
    m_canvas.Save();
    m_canvas.IntersectClipRect(clientRect);
    m_canvas.SetOrigin(m_canvas.Origin().X + clientRect.Left, m_canvas.Origin().Y + clientRect.Top);
}

TClientCanvasScope::~TClientCanvasScope()
{
    m_canvas.Restore();
}

void OutlineRect(TCanvas &canvas, const TRect &rect, TColor color)
{
    canvas.Pen().SetColor(color);
    canvas.Pen().SetStyle(psSolid);
    canvas.Brush().SetStyle(bsClear);
    canvas.Rectangle(rect);
    canvas.Brush().SetStyle(bsSolid);
}

void FrameRectIn(TCanvas &canvas, const TRect &rect, TColor color)
{
    canvas.Brush().SetStyle(bsSolid);
    canvas.Brush().SetColor(color);
    canvas.FrameRect(rect);
}

void LineIn(TCanvas &canvas, TPoint from, TPoint to, TColor color)
{
    canvas.Pen().SetColor(color);
    canvas.Pen().SetStyle(psSolid);
    canvas.MoveTo(from.X, from.Y);
    canvas.LineTo(to.X, to.Y);
}
