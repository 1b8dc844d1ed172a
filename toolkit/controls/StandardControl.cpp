#include "toolkit/controls/StandardControl.h"

#include "toolkit/controls/ControlTag.h"

#include <QPainter>
#include <QWidget>

namespace {

constexpr int kEdgeWidth3D = 2;
constexpr int kPlainBorderWidth = 1;

struct TEdgeColors {
    TColor topLeft;
    TColor bottomRight;
};

// The sunken client edge, from the outer ring inwards.
constexpr TEdgeColors kSunkenEdge[kEdgeWidth3D] = {{clBtnShadow, clBtnHighlight}, {cl3DDkShadow, cl3DLight}};

// One ring on the outermost pixels of r: top and left in one colour, right
// and bottom (with the top-right and bottom-left corners) in the other.
void PaintRing(QPainter &painter, const QRect &r, TColor topLeft, TColor bottomRight)
{
    if (r.width() <= 0 || r.height() <= 0)
        return;
    painter.fillRect(QRect(r.left(), r.top(), r.width() - 1, 1), ToQColor(topLeft));
    painter.fillRect(QRect(r.left(), r.top(), 1, r.height() - 1), ToQColor(topLeft));
    painter.fillRect(QRect(r.right(), r.top(), 1, r.height()), ToQColor(bottomRight));
    painter.fillRect(QRect(r.left(), r.bottom(), r.width(), 1), ToQColor(bottomRight));
}

} // namespace

TStandardControl::TStandardControl(QWidget &widget, TColor color, QPalette::ColorRole colorRole, bool hasBorder)
    : m_widget(widget)
    , m_colorRole(colorRole)
    , m_hasBorder(hasBorder)
    , m_color(color)
{
    ApplyColor();
}

void TStandardControl::SetCtl3D(bool on)
{
    if (m_ctl3D == on)
        return;
    m_ctl3D = on;
    ApplyBorder();
}

void TStandardControl::SetColor(TColor color)
{
    if (m_color == color)
        return;
    m_color = color;
    ApplyColor();
}

void TStandardControl::SetBiDiMode(TBiDiMode mode)
{
    if (m_biDiMode == mode)
        return;
    m_biDiMode = mode;
    ApplyLayoutDirection();
}

int TStandardControl::Tag() const
{
    return ControlTag(&m_widget);
}

void TStandardControl::SetTag(int tag)
{
    SetControlTag(&m_widget, tag);
}

void TStandardControl::SetBorderStyle(TBorderStyle style)
{
    if (!m_hasBorder || m_borderStyle == style)
        return;
    m_borderStyle = style;
    ApplyBorder();
}

int TStandardControl::NonClientWidth() const
{
    if (BorderStyle() == TBorderStyle::bsNone)
        return 0;
    return m_ctl3D ? kEdgeWidth3D : kPlainBorderWidth;
}

TRect TStandardControl::ClientRect() const
{
    const int border = NonClientWidth();
    return Rect(border, border, m_widget.width() - border, m_widget.height() - border);
}

void TStandardControl::PaintBorder() const
{
    const int border = NonClientWidth();
    if (border == 0)
        return;
    QPainter painter(&m_widget);
    QRect ring = m_widget.rect();
    if (!m_ctl3D) {
        PaintRing(painter, ring, clWindowFrame, clWindowFrame);
        return;
    }
    for (const TEdgeColors &edge : kSunkenEdge) {
        PaintRing(painter, ring, edge.topLeft, edge.bottomRight);
        ring.adjust(1, 1, -1, -1);
    }
}

void TStandardControl::BorderWidthChanged(int) { }

Qt::LayoutDirection TStandardControl::LayoutDirection() const
{
    return UseRightToLeftAlignment() ? Qt::RightToLeft : Qt::LeftToRight;
}

void TStandardControl::ApplyLayoutDirection()
{
    m_widget.setLayoutDirection(LayoutDirection());
    m_widget.update();
}

void TStandardControl::ApplyColor()
{
    QPalette palette = m_widget.palette();
    palette.setColor(m_colorRole, ToQColor(m_color));
    m_widget.setPalette(palette);
}

void TStandardControl::ApplyBorder()
{
    BorderWidthChanged(NonClientWidth());
    m_widget.update();
}

TStandardControl *AsStandardControl(QWidget *widget)
{
    return dynamic_cast<TStandardControl *>(widget);
}

const TStandardControl *AsStandardControl(const QWidget *widget)
{
    return dynamic_cast<const TStandardControl *>(widget);
}
