#include "toolkit/menus/MenuOwnerDraw.h"

#include "toolkit/gdi/Canvas.h"
#include "toolkit/menus/MenuBase.h"
#include "toolkit/menus/MenuMetrics.h"

#include <QPointer>

namespace {

QPointer<QWidget> drawingWindow;

// Publishes the window for the length of one handler call; nested calls
// (a handler that makes a window repaint at once) restore the outer one.
class DrawingWindowScope
{
public:
    explicit DrawingWindowScope(QWidget *window)
        : m_outer(drawingWindow)
    {
        drawingWindow = window;
    }
    ~DrawingWindowScope() { drawingWindow = m_outer; }
    DrawingWindowScope(const DrawingWindowScope &) = delete;
    DrawingWindowScope &operator=(const DrawingWindowScope &) = delete;

private:
    QPointer<QWidget> m_outer;
};

} // namespace

bool TMenuOwnerDraw::DrawsItem(const TMenuItem &item)
{
    const TMenu *menu = item.GetParentMenu();
    return menu && menu->OwnerDraw() && item.OnDrawItem();
}

bool TMenuOwnerDraw::MeasuresItem(const TMenuItem &item)
{
    const TMenu *menu = item.GetParentMenu();
    return menu && menu->OwnerDraw() && item.OnMeasureItem();
}

QSize TMenuOwnerDraw::Measure(QWidget *window, TMenuItem &item, QImage &surface, QSize standard)
{
    if (!MeasuresItem(item))
        return standard;
    const DrawingWindowScope scope(window);
    TCanvas canvas(&surface);
    canvas.SetFont(TMenuMetrics::MenuFont());
    int width = standard.width();
    int height = standard.height();
    // Copy the handler: it may replace itself while it runs.
    const TMenuMeasureItemEvent handler = item.OnMeasureItem();
    handler(&item, canvas, width, height);
    return {std::max(width, 0), std::max(height, 0)};
}

void TMenuOwnerDraw::Draw(QWidget *window, TMenuItem &item, QImage &surface, const QRect &itemRect, bool selected)
{
    if (!DrawsItem(item))
        return;
    const DrawingWindowScope scope(window);
    TCanvas canvas(&surface);
    canvas.SetFont(TMenuMetrics::MenuFont());
    const TRect rect = TRect::FromQRect(itemRect);
    const TMenuDrawItemEvent handler = item.OnDrawItem();
    handler(&item, canvas, rect, selected);
}

QWidget *TMenuOwnerDraw::DrawingWindow()
{
    return drawingWindow.data();
}
