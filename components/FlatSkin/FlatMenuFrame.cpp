#include "components/FlatSkin/FlatMenuFrame.h"

#include "components/FlatSkin.h"
#include "toolkit/gdi/Canvas.h"
#include "toolkit/gdi/DeviceScale.h"
#include "toolkit/menus/PopupMenuWindow.h"

#include <QApplication>
#include <QPainter>
#include <QScopedValueRollback>

#include <cstdlib>

namespace {

// Width of the shadow bands and of the offset of the shape's two halves.
constexpr int kShadowWidth = 2;
// A shape whose extent is off the window's by more than this is made anew.
constexpr int kShapeTolerance = 5;
// The system's raised border that the stretched rows cover.
constexpr int kRaisedBorder = 2;
// Width of the strip continuing the icon column to the frame.
constexpr int kIconStripWidth = 2;

TFlatFrameStyle StyleOf(const TFlatSkin &component, bool rightToLeft)
{
    const TSkinPalette &palette = component.Palette();
    return {palette.FlatFrameColor, palette.FlatShadowColor, palette.IconBarColor,
            palette.MenuBackColor,  component.IsVersion51(), rightToLeft};
}

// Copies the window's row sourceRow, from x = w.Left + 1 to the frame's
// right edge, over the rows from firstRow on.
void StretchRow(TCanvas &canvas, const TRect &w, int sourceRow, int firstRow)
{
    const int width = w.Right - w.Left - 1;
    canvas.StretchBlt(w.Left + 1, firstRow, width, kRaisedBorder, canvas, w.Left + 1, sourceRow, width, 1, SRCCOPY);
}

// Whether the window's present shape still fits a window of width × height.
bool ShapeFits(const QWidget &window, int width, int height)
{
    const QRegion shape = window.mask();
    if (shape.isEmpty())
        return false;
    const QRect box = shape.boundingRect();
    return std::abs(box.x() + box.width() - width) <= kShapeTolerance
           && std::abs(box.y() + box.height() - height) <= kShapeTolerance;
}

// The window at a screen point, if a flat frame holds it.
QWidget *FramedWindowAt(const QPoint &point)
{
    QWidget *window = QApplication::topLevelAt(point);
    return window && TFlatMenuFrame::Of(*window) ? window : nullptr;
}

} // namespace

TRegion FlatFrameShape(int width, int height)
{
    TRegion shape = TRegion::FromRect({0, 0, width - kShadowWidth, height - kShadowWidth});
    shape.Combine(TRegion::FromRect({kShadowWidth, kShadowWidth, width, height}), RGN_OR);
    return shape;
}

void DrawFlatFrame(TCanvas &canvas, int width, int height, const TFlatFrameStyle &style)
{
    TRect w{0, 0, width, height};
    if (!style.version51) {
        w.Right -= kShadowWidth;
        w.Bottom -= kShadowWidth;
    }
    canvas.Brush().SetStyle(bsClear);
    canvas.Pen().SetColor(style.frameColor);
    canvas.Rectangle(w);

    // The icon column runs on to the frame on its reading side: left to
    // right as a two-pixel strip, right to left as one line that steps a
    // column right on its way down and leaves the frame's right side alone.
    canvas.Pen().SetColor(style.iconBarColor);
    if (style.rightToLeft) {
        canvas.MoveTo(w.Right - 1 - kIconStripWidth, w.Top + kRaisedBorder);
        canvas.LineTo(w.Right - kIconStripWidth, w.Bottom - 1);
    } else {
        canvas.Rectangle(w.Left + 1, w.Top + kRaisedBorder, w.Left + 1 + kIconStripWidth, w.Bottom - 1);
    }

    const int firstInnerRow = w.Top + 1 + kRaisedBorder;
    StretchRow(canvas, w, firstInnerRow, w.Top + 1);
    if (style.version51) {
        StretchRow(canvas, w, firstInnerRow, w.Bottom - 1 - kRaisedBorder);
        canvas.Pen().SetColor(style.menuBackColor);
        canvas.Rectangle(w.Right - 1 - kRaisedBorder, w.Top + 1, w.Right - 1, w.Bottom - 1);
        return;
    }

    w.Right += kShadowWidth;
    w.Bottom += kShadowWidth;
    canvas.Pen().SetColor(style.shadowColor);
    canvas.Rectangle(w.Left + kShadowWidth, w.Bottom - kShadowWidth, w.Right, w.Bottom);
    canvas.Rectangle(w.Right - kShadowWidth, w.Top + kShadowWidth, w.Right, w.Bottom);
}

void PaintFlatFrame(TFlatSkin &component, QWidget *window, bool rightToLeft)
{
    auto *popup = qobject_cast<TPopupMenuWindow *>(window);
    if (!popup || component.FrameBusy())
        return;
    const QScopedValueRollback busy(component.FrameBusy(), true);

    // The frame itself is painted at each paint of the window, after the
    // rows; a window taken over already needs only its shape checked.
    bool repaint = false;
    if (TFlatMenuFrame *frame = TFlatMenuFrame::Of(*popup)) {
        frame->SetStyleSource(component, rightToLeft);
    } else {
        new TFlatMenuFrame(component, *popup, rightToLeft);
        repaint = true;
    }
    if (!component.IsVersion51() && !ShapeFits(*popup, popup->width(), popup->height())) {
        popup->setMask(FlatFrameShape(popup->width(), popup->height()).ToQRegion());
        repaint = true;
    }
    if (repaint)
        popup->update();
}

TFlatMenuFrame *TFlatMenuFrame::Of(const QWidget &window)
{
    return window.findChild<TFlatMenuFrame *>(QString(), Qt::FindDirectChildrenOnly);
}

TFlatMenuFrame::TFlatMenuFrame(TFlatSkin &component, TPopupMenuWindow &window, bool rightToLeft)
    : QObject(&window)
    , m_component(&component)
    , m_rightToLeft(rightToLeft)
{
    window.installEventFilter(this);
}

void TFlatMenuFrame::SetStyleSource(TFlatSkin &component, bool rightToLeft)
{
    m_component = &component;
    m_rightToLeft = rightToLeft;
}

bool TFlatMenuFrame::eventFilter(QObject *watched, QEvent *event)
{
    // Read as a widget: a window being destroyed hides as a plain widget.
    auto *window = qobject_cast<QWidget *>(watched);
    if (!window || window != parent())
        return false;
    switch (event->type()) {
    case QEvent::Paint:
        if (auto *popup = qobject_cast<TPopupMenuWindow *>(window)) {
            PaintOver(*popup);
            return true;
        }
        return false;
    case QEvent::Hide:
    case QEvent::Close: GiveBack(*window); return false;
    default: return false;
    }
}

void TFlatMenuFrame::PaintOver(TPopupMenuWindow &window)
{
    QImage surface = window.PaintSurface();
    if (m_component) {
        TCanvas canvas(&surface);
        DrawFlatFrame(canvas, window.width(), window.height(), StyleOf(*m_component, m_rightToLeft));
    }
    QPainter(&window).drawImage(0, 0, surface);
}

void TFlatMenuFrame::GiveBack(QWidget &window)
{
    window.clearMask();
    window.removeEventFilter(this);
    setParent(nullptr);
    deleteLater();
    // A framed menu just beyond the right edge, at its top or bottom corner,
    // may have lost part of its frame under this one.
    const QRect r = window.geometry();
    const int beyondRight = r.x() + r.width() + kShadowWidth;
    QWidget *neighbour = FramedWindowAt(QPoint(beyondRight, r.y() + kShadowWidth));
    if (!neighbour)
        neighbour = FramedWindowAt(QPoint(beyondRight, r.y() + r.height() - kShadowWidth));
    if (neighbour)
        neighbour->update();
}
