#include "toolkit/menus/MenuOwnerDraw.h"

#include "toolkit/gdi/Canvas.h"
#include "toolkit/menus/Menu.h"
#include "toolkit/menus/MenuMetrics.h"

#include <QPointer>

namespace {

QPointer<QWidget> drawingWindow;

// Publishes the window for the length of one handler call; nested calls
// (a handler that makes a window repaint at once) restore the outer one.
class DrawingWindowScope
{
public:
    explicit DrawingWindowScope(QWidget *window) : m_outer(drawingWindow) { drawingWindow = window; }
    ~DrawingWindowScope() { drawingWindow = m_outer; }
    DrawingWindowScope(const DrawingWindowScope &) = delete;
    DrawingWindowScope &operator=(const DrawingWindowScope &) = delete;

private:
    QPointer<QWidget> m_outer;
};

} // namespace

bool TMenuOwnerDraw::DrawsItem(const TMenuItem &Item)
{
    const TMenu *menu = Item.GetParentMenu();
    return menu && menu->OwnerDraw() && Item.OnDrawItem();
}

bool TMenuOwnerDraw::MeasuresItem(const TMenuItem &Item)
{
    const TMenu *menu = Item.GetParentMenu();
    return menu && menu->OwnerDraw() && Item.OnMeasureItem();
}

QSize TMenuOwnerDraw::Measure(QWidget *Window, TMenuItem &Item, QImage &Surface, QSize Standard)
{
    if (!MeasuresItem(Item))
        return Standard;
    const DrawingWindowScope scope(Window);
    TCanvas canvas(&Surface);
    canvas.SetFont(TMenuMetrics::MenuFont());
    int width = Standard.width();
    int height = Standard.height();
    // Copy the handler: it may replace itself while it runs.
    const TMenuMeasureItemEvent handler = Item.OnMeasureItem();
    handler(&Item, canvas, width, height);
    return {std::max(width, 0), std::max(height, 0)};
}

void TMenuOwnerDraw::Draw(QWidget *Window, TMenuItem &Item, QImage &Surface, const QRect &Rect, bool Selected)
{
    if (!DrawsItem(Item))
        return;
    const DrawingWindowScope scope(Window);
    TCanvas canvas(&Surface);
    canvas.SetFont(TMenuMetrics::MenuFont());
    const TRect rect = TRect::FromQRect(Rect);
    const TMenuDrawItemEvent handler = Item.OnDrawItem();
    handler(&Item, canvas, rect, Selected);
}

QWidget *TMenuOwnerDraw::DrawingWindow()
{
    return drawingWindow.data();
}
