#include "toolkit/controls/Panel.h"
#include "toolkit/gdi/DeviceScale.h"

#include "toolkit/gdi/Bevel.h"
#include "toolkit/gdi/Canvas.h"

#include <QPaintEvent>
#include <QPainter>

namespace {

struct TBevelPair {
    TColor topLeft;
    TColor bottomRight;
};

TBevelPair BevelColors(TPanelBevel bevel, TColor face)
{
    switch (bevel) {
    case bvRaised: return {clBtnHighlight, clBtnShadow};
    case bvLowered: return {clBtnShadow, clBtnHighlight};
    case bvSpace:
    case bvNone: break;
    }
    return {face, face};
}

unsigned CaptionFormat(TAlignment alignment)
{
    const unsigned base = DT_SINGLELINE | DT_VCENTER;
    switch (alignment) {
    case taLeftJustify: return base | DT_LEFT;
    case taRightJustify: return base | DT_RIGHT;
    case taCenter: break;
    }
    return base | DT_CENTER;
}

} // namespace

TPanel::TPanel(QWidget *parent)
    : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void TPanel::SetBevelOuter(TPanelBevel bevel)
{
    if (m_bevelOuter == bevel)
        return;
    m_bevelOuter = bevel;
    update();
}

void TPanel::SetBevelInner(TPanelBevel bevel)
{
    if (m_bevelInner == bevel)
        return;
    m_bevelInner = bevel;
    update();
}

void TPanel::SetBevelWidth(int width)
{
    if (width < 1 || m_bevelWidth == width)
        return;
    m_bevelWidth = width;
    update();
}

void TPanel::SetBorderWidth(int width)
{
    if (width < 0 || m_borderWidth == width)
        return;
    m_borderWidth = width;
    update();
}

void TPanel::SetColor(TColor color)
{
    if (m_color == color)
        return;
    m_color = color;
    update();
}

void TPanel::SetCaption(const QString &caption)
{
    if (m_caption == caption)
        return;
    m_caption = caption;
    update();
}

void TPanel::SetAlignment(TAlignment alignment)
{
    if (m_alignment == alignment)
        return;
    m_alignment = alignment;
    update();
}

void TPanel::SetFont(const TFont &font)
{
    m_font.Assign(font);
    update();
}

TRect TPanel::InnerRect() const
{
    int inset = m_borderWidth;
    if (m_bevelOuter != bvNone)
        inset += m_bevelWidth;
    if (m_bevelInner != bvNone)
        inset += m_bevelWidth;
    return Rect(0, 0, width(), height()).Inflated(-inset, -inset);
}

void TPanel::Paint(TCanvas &canvas)
{
    TRect r = Rect(0, 0, width(), height());
    if (m_bevelOuter != bvNone) {
        const TBevelPair outer = BevelColors(m_bevelOuter, m_color);
        Frame3D(canvas, r, outer.topLeft, outer.bottomRight, m_bevelWidth);
    }
    Frame3D(canvas, r, m_color, m_color, m_borderWidth);
    if (m_bevelInner != bvNone) {
        const TBevelPair inner = BevelColors(m_bevelInner, m_color);
        Frame3D(canvas, r, inner.topLeft, inner.bottomRight, m_bevelWidth);
    }
    canvas.Save();
    canvas.Brush().SetStyle(bsSolid);
    canvas.Brush().SetColor(m_color);
    canvas.FillRect(r);
    if (!m_caption.isEmpty()) {
        canvas.SetFont(m_font);
        canvas.Brush().SetStyle(bsClear);
        canvas.DrawText(m_caption, r, CaptionFormat(m_alignment));
    }
    canvas.Restore();
}

void TPanel::paintEvent(QPaintEvent *event)
{
    QImage picture = WidgetSurface(*this, size());
    picture.fill(ToQColor(m_color));
    TCanvas canvas(&picture);
    Paint(canvas);
    QPainter painter(this);
    painter.setClipRegion(event->region());
    painter.drawImage(0, 0, picture);
}
