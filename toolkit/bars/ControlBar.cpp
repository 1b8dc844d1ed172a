#include "toolkit/bars/ControlBar.h"
#include "toolkit/gdi/DeviceScale.h"

#include "toolkit/gdi/Bevel.h"

#include <QChildEvent>
#include <QPaintEvent>
#include <QPainter>

#include <algorithm>

namespace {

// Room around a band's control, right of it and above and below it.
constexpr int kBandEndPadding = 4;
constexpr int kMinRowSize = 6;
// The grabber: two raised lines three pixels in from the band's edges.
constexpr int kGrabberInset = 3;
constexpr int kGrabberLineWidth = 3;

} // namespace

TControlBar::TControlBar(QWidget *parent)
    : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void TControlBar::SetColor(TColor color)
{
    if (m_color == color)
        return;
    m_color = color;
    update();
}

void TControlBar::SetRowSize(int rowSize)
{
    if (rowSize < kMinRowSize || m_rowSize == rowSize)
        return;
    m_rowSize = rowSize;
    Relayout();
}

void TControlBar::InsertControl(QWidget *control)
{
    if (!control || BandRect(control) != TRect())
        return;
    m_bands.push_back({control, {}});
    control->setParent(this);
    control->show();
    Relayout();
}

QWidget *TControlBar::BandControl(int index) const
{
    if (index < 0 || index >= BandCount())
        return nullptr;
    return m_bands[static_cast<std::size_t>(index)].control;
}

TRect TControlBar::BandRect(const QWidget *control) const
{
    for (const TBand &band : m_bands)
        if (band.control == control)
            return band.rect;
    return {};
}

void TControlBar::SetOnBandPaint(TBandPaintEvent handler, const void *key)
{
    m_onBandPaint = std::move(handler);
    m_onBandPaintKey = m_onBandPaint ? key : nullptr;
    update();
}

void TControlBar::Relayout()
{
    int x = 0;
    int y = 0;
    for (TBand &band : m_bands) {
        const int width = kGrabberWidth + band.control->width() + kBandEndPadding;
        if (x > 0 && x + width > this->width()) {
            x = 0;
            y += m_rowSize;
        }
        band.rect = TRect(x, y, x + width, y + m_rowSize);
        band.control->move(x + kGrabberWidth, y + (m_rowSize - band.control->height()) / 2);
        x += width;
    }
    update();
}

void TControlBar::PaintOn(QImage &image)
{
    TCanvas canvas(&image);
    canvas.FillSolidRect(TRect(0, 0, width(), height()), m_color);
    for (const TBand &band : m_bands) {
        if (!band.control->isVisibleTo(this))
            continue;
        TRect rect = band.rect;
        TBandPaintOptions options = kDefaultOptions;
        if (m_onBandPaint) {
            canvas.Save();
            m_onBandPaint(this, band.control, canvas, rect, options);
            canvas.Restore();
        }
        if (options.Contains(bpoFrame)) {
            TRect frame = rect;
            Frame3D(canvas, frame, clBtnHighlight, clBtnShadow, 1);
        }
        if (options.Contains(bpoGrabber)) {
            TRect grabber(rect.Left + kGrabberInset, rect.Top + kGrabberInset,
                          rect.Left + kGrabberInset + kGrabberLineWidth, rect.Bottom - kGrabberInset);
            Frame3D(canvas, grabber, clBtnHighlight, clBtnShadow, 1);
        }
    }
}

void TControlBar::paintEvent(QPaintEvent *event)
{
    QImage image = WidgetSurface(*this, size());
    PaintOn(image);
    QPainter painter(this);
    painter.setClipRegion(event->region());
    painter.drawImage(0, 0, image);
}

void TControlBar::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    Relayout();
}

void TControlBar::childEvent(QChildEvent *event)
{
    if (event->type() == QEvent::ChildRemoved) {
        const auto gone = std::remove_if(m_bands.begin(), m_bands.end(),
                                         [event](const TBand &band) { return band.control == event->child(); });
        if (gone != m_bands.end()) {
            m_bands.erase(gone, m_bands.end());
            Relayout();
        }
    }
    QWidget::childEvent(event);
}
