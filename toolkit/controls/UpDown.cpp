#include "toolkit/controls/UpDown.h"
#include "toolkit/gdi/DeviceScale.h"

#include "toolkit/gdi/Bevel.h"
#include "toolkit/gdi/Canvas.h"

#include <QMouseEvent>
#include <QPainter>

#include <algorithm>

namespace {

constexpr int kBevelWidth = 1;
// The arrow: rows of 5, 3 and 1 pixels, centred on the half.
constexpr int kArrowRows = 3;
constexpr int kArrowHalfWidth = 2;
constexpr int kPressedShift = 1;

} // namespace

TUpDown::TUpDown(QWidget *parent)
    : QWidget(parent)
    , TStandardControl(*this, clBtnFace, QPalette::Window, false)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::NoFocus);
    // A skin lights the half under the pointer as it moves.
    setMouseTracking(true);
}

void TUpDown::SetPosition(int position)
{
    position = std::clamp(position, m_min, m_max);
    if (position == m_position)
        return;
    m_position = position;
    emit PositionChanged(m_position);
}

void TUpDown::SetRange(int min, int max)
{
    if (min > max)
        return;
    m_min = min;
    m_max = max;
    SetPosition(m_position);
}

void TUpDown::paintEvent(QPaintEvent *)
{
    QImage face = WidgetSurface(*this, size());
    TCanvas canvas(&face);
    PaintHalf(canvas, Upper);
    PaintHalf(canvas, Lower);
    QPainter(this).drawImage(0, 0, face);
}

// A raised button, sunken while pressed, with an arrow that points away from
// the other half; disabled arrows are grey.
void TUpDown::PaintHalf(TCanvas &canvas, THalf half) const
{
    const int w = width();
    const int h = height();
    TRect r = half == Upper ? Rect(0, 0, w, h / 2) : Rect(0, h - h / 2, w, h);
    const bool pressed = m_pressed == half;
    canvas.Brush().SetColor(Color());
    canvas.FillRect(r);
    TRect inner = r;
    if (pressed) {
        Frame3D(canvas, inner, clBtnShadow, clBtnShadow, kBevelWidth);
    } else {
        Frame3D(canvas, inner, clBtnHighlight, cl3DDkShadow, kBevelWidth);
        Frame3D(canvas, inner, cl3DLight, clBtnShadow, kBevelWidth);
    }
    const int shift = pressed ? kPressedShift : 0;
    const int cx = r.Left + r.Width() / 2 + shift;
    const int top = r.Top + (r.Height() - kArrowRows) / 2 + shift;
    canvas.Pen().SetColor(isEnabled() ? clBtnText : clGrayText);
    for (int row = 0; row < kArrowRows; ++row) {
        // Up arrows widen downwards, down arrows upwards.
        const int halfWidth = half == Upper ? row : kArrowHalfWidth - row;
        canvas.MoveTo(cx - halfWidth, top + row);
        canvas.LineTo(cx + halfWidth + 1, top + row);
    }
}

void TUpDown::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return QWidget::mousePressEvent(event);
    m_pressed = event->position().y() < height() / 2 ? Upper : Lower;
    SetPosition(m_position + (m_pressed == Upper ? 1 : -1));
    update();
}

void TUpDown::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return QWidget::mouseReleaseEvent(event);
    m_pressed = None;
    update();
}
