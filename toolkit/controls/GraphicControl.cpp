#include "toolkit/controls/GraphicControl.h"
#include "toolkit/gdi/DeviceScale.h"

#include "toolkit/gdi/Canvas.h"

#include <QPaintEvent>
#include <QPainter>

namespace {

const char *const kPaintCopyDepth = "velirskPaintCopyDepth";

// Saves the canvas's state on entry and restores it on every exit.
class TCanvasStateScope
{
public:
    explicit TCanvasStateScope(TCanvas &canvas)
        : m_canvas(canvas)
    {
        m_canvas.Save();
    }
    ~TCanvasStateScope() { m_canvas.Restore(); }
    TCanvasStateScope(const TCanvasStateScope &) = delete;
    TCanvasStateScope &operator=(const TCanvasStateScope &) = delete;

private:
    TCanvas &m_canvas;
};

// Lets the parent erase its background and paint its own content, without
// its children, into the canvas at the canvas's origin and within its clip.
void RenderOwnContent(QWidget *widget, TCanvas &canvas)
{
    QImage *image = canvas.Image();
    if (!image || image->isNull())
        return;
    const TRect clip = canvas.ClipRect().Intersected(Rect(0, 0, widget->width(), widget->height()));
    if (clip.IsEmpty())
        return;
    const TPoint origin = canvas.Origin();
    QPainter painter(image);
    painter.translate(origin.X, origin.Y);
    painter.setClipRect(clip.ToQRect());
    widget->render(&painter, clip.ToQRect().topLeft(), QRegion(clip.ToQRect()), QWidget::DrawWindowBackground);
}

} // namespace

TGraphicControl::TGraphicControl(QWidget *parent)
    : QWidget(parent)
{
    setFocusPolicy(Qt::NoFocus);
}

void TGraphicControl::paintEvent(QPaintEvent *event)
{
    QImage face = WidgetSurface(*this, size());
    face.fill(ToQColor(clBtnFace));
    TCanvas canvas(&face);
    PaintParentBeneath(this, canvas);
    PaintTo(canvas);
    QPainter painter(this);
    painter.setClipRegion(event->region());
    painter.drawImage(0, 0, face);
}

bool IsPaintingCopy(const QWidget *widget)
{
    return widget && widget->property(kPaintCopyDepth).toInt() > 0;
}

TPaintCopyScope::TPaintCopyScope(QWidget *widget)
    : m_widget(widget)
{
    m_widget->setProperty(kPaintCopyDepth, m_widget->property(kPaintCopyDepth).toInt() + 1);
}

TPaintCopyScope::~TPaintCopyScope()
{
    m_widget->setProperty(kPaintCopyDepth, m_widget->property(kPaintCopyDepth).toInt() - 1);
}

void PaintParentBeneath(QWidget *control, TCanvas &canvas)
{
    QWidget *parent = control->parentWidget();
    if (!parent)
        return;
    TPaintCopyScope parentCopy(parent);
    const QRect bounds = control->geometry();
    {
        TCanvasStateScope saved(canvas);
        canvas.SetOrigin(canvas.Origin().X - bounds.left(), canvas.Origin().Y - bounds.top());
        canvas.IntersectClipRect(Rect(0, 0, parent->width(), parent->height()));
        RenderOwnContent(parent, canvas);
    }
    // Children are kept in the control order, the lowest first.
    for (QObject *child : parent->children()) {
        if (child == control)
            break;
        auto *graphic = qobject_cast<TGraphicControl *>(child);
        if (!graphic || !graphic->isVisibleTo(parent) || !graphic->geometry().intersects(bounds))
            continue;
        TPaintCopyScope controlCopy(graphic);
        TCanvasStateScope saved(canvas);
        canvas.SetOrigin(canvas.Origin().X + graphic->x() - bounds.left(),
                         canvas.Origin().Y + graphic->y() - bounds.top());
        canvas.IntersectClipRect(Rect(0, 0, graphic->width(), graphic->height()));
        graphic->PaintTo(canvas);
    }
}
