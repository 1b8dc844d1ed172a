#include "toolkit/hints/HintWindow.h"
#include "toolkit/gdi/DeviceScale.h"

#include "toolkit/hints/HintWindowClass.h"

#include <QGuiApplication>
#include <QPainter>
#include <QScreen>

namespace {

// The one-pixel frame around the client area.
constexpr int kBorderWidth = 1;
// Room around the text that the measure adds: 2 frame pixels and 2 pixels of
// margin on either side across, 2 frame pixels down.
constexpr int kMeasureExtraWidth = 6;
constexpr int kMeasureExtraHeight = 2;
// Margin of the text from the client area's top-left corner.
constexpr int kTextMargin = 2;
constexpr int kActivationExtraHeight = 4;
constexpr TColor kBorderColor = clWindowFrame;

const char *const kHintFontName = "Tahoma";
constexpr int kHintFontHeight = -11;

constexpr unsigned kMeasureFlags = DT_CALCRECT | DT_LEFT | DT_WORDBREAK | DT_NOPREFIX;
constexpr unsigned kTextFlags = DT_LEFT | DT_WORDBREAK | DT_NOPREFIX;

// The rectangle shifted, not resized, so that it lies inside the desktop;
// where it is larger than the desktop its top-left corner stays visible.
TRect MovedInside(const TRect &rect, const TRect &desktop)
{
    int dx = 0;
    int dy = 0;
    if (rect.Right > desktop.Right)
        dx = desktop.Right - rect.Right;
    if (rect.Left + dx < desktop.Left)
        dx = desktop.Left - rect.Left;
    if (rect.Bottom > desktop.Bottom)
        dy = desktop.Bottom - rect.Bottom;
    if (rect.Top + dy < desktop.Top)
        dy = desktop.Top - rect.Top;
    return rect.Offset(dx, dy);
}

TRect DesktopAround(const TRect &rect)
{
    QScreen *screen = QGuiApplication::screenAt(QPoint(rect.Left, rect.Top));
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    return screen ? TRect::FromQRect(screen->geometry()) : rect;
}

} // namespace

std::unique_ptr<THintWindow> THintWindowClass::Create() const
{
    return m_create();
}

bool THintWindowClass::IsClassOf(const THintWindow &window) const
{
    return typeid(window) == *m_type;
}

THintWindow::THintWindow()
    : QWidget(nullptr,
              Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowTransparentForInput | Qt::WindowDoesNotAcceptFocus)
{
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
    setFocusPolicy(Qt::NoFocus);
    m_canvas.Font().SetName(QString::fromLatin1(kHintFontName));
    m_canvas.Font().SetHeight(kHintFontHeight);
    m_canvas.Brush().SetStyle(bsClear);
}

THintWindow::~THintWindow() = default;

void THintWindow::SetColor(TColor color)
{
    if (color == m_color)
        return;
    m_color = color;
    update();
}

TRect THintWindow::CalcHintRect(int maxWidth, const QString &hint, const void *)
{
    TRect rect(0, 0, maxWidth, 0);
    m_canvas.DrawText(hint, rect, kMeasureFlags | ReadingOrderFlags());
    return {0, 0, rect.Width() + kMeasureExtraWidth, rect.Height() + kMeasureExtraHeight};
}

void THintWindow::ActivateHint(const TRect &rect, const QString &hint)
{
    m_caption = hint;
    TRect placed = rect;
    placed.Bottom += kActivationExtraHeight;
    placed = MovedInside(placed, DesktopAround(placed));
    setGeometry(placed.ToQRect());
    show();
    raise();
    update();
}

void THintWindow::ReleaseHint()
{
    hide();
}

TRect THintWindow::ClientRect() const
{
    return {0, 0, width() - 2 * kBorderWidth, height() - 2 * kBorderWidth};
}

QImage THintWindow::Compose()
{
    QImage image = WidgetSurface(*this, size());
    m_canvas.SetImage(&image);

    const TRect window(0, 0, width(), height());
    m_canvas.Save();
    TBrush erase;
    erase.SetColor(m_color);
    m_canvas.SetBrush(erase);
    m_canvas.FillRect(window);
    TBrush border;
    border.SetColor(kBorderColor);
    m_canvas.SetBrush(border);
    m_canvas.FrameRect(window);
    m_canvas.Restore();

    // The client paint is not clipped to the client area: a window that
    // gives itself a shape paints its outline over the frame.
    m_canvas.Save();
    m_canvas.SetOrigin(kBorderWidth, kBorderWidth);
    Paint();
    m_canvas.Restore();

    m_canvas.SetImage(nullptr);
    return image;
}

void THintWindow::Paint()
{
    TRect rect = ClientRect();
    rect.Left += kTextMargin;
    rect.Top += kTextMargin;
    m_canvas.Font().SetColor(clInfoText);
    m_canvas.DrawText(m_caption, rect, kTextFlags | ReadingOrderFlags());
}

unsigned THintWindow::ReadingOrderFlags() const
{
    return layoutDirection() == Qt::RightToLeft ? DT_RTLREADING : 0;
}

void THintWindow::paintEvent(QPaintEvent *)
{
    const QImage picture = Compose();
    QPainter(this).drawImage(0, 0, picture);
}
