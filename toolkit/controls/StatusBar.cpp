#include "toolkit/controls/StatusBar.h"
#include "toolkit/gdi/DeviceScale.h"

#include "toolkit/app/Form.h"
#include "toolkit/controls/StatusBarAccessible.h"
#include "toolkit/gdi/Canvas.h"

#include <QMouseEvent>
#include <QPainter>
#include <QWindow>

#include <algorithm>

namespace {

constexpr int kPanelTop = 2;     // the bar's top margin above the panels
constexpr int kPanelGap = 2;     // between neighbouring panels
constexpr int kTextMargin = 2;   // text from the panel's inner edge
constexpr int kGripSize = 12;    // the square of the size grip
constexpr int kGripLineStep = 4; // the grip repeats its three lines every 4 pixels
constexpr int kGripGroups = 3;

TColor BarColor()
{
    return clBtnFace;
}
TColor TextColor()
{
    return clBtnText;
}
TColor SunkenShadowColor()
{
    return clBtnShadow;
}
TColor SunkenLightColor()
{
    return clBtnHighlight;
}

void DrawSunkenFrame(TCanvas &canvas, const TRect &r)
{
    canvas.FillSolidRect(TRect(r.Left, r.Top, r.Right - 1, r.Top + 1), SunkenShadowColor());
    canvas.FillSolidRect(TRect(r.Left, r.Top, r.Left + 1, r.Bottom - 1), SunkenShadowColor());
    canvas.FillSolidRect(TRect(r.Left, r.Bottom - 1, r.Right, r.Bottom), SunkenLightColor());
    canvas.FillSolidRect(TRect(r.Right - 1, r.Top, r.Right, r.Bottom), SunkenLightColor());
}

unsigned AlignmentFlags(Qt::Alignment alignment)
{
    if (alignment & Qt::AlignRight)
        return DT_RIGHT;
    if (alignment & Qt::AlignHCenter)
        return DT_CENTER;
    return DT_LEFT;
}

// The text sits inside the frame with a margin and never leaves the panel.
void DrawPanelText(TCanvas &canvas, const TRect &frame, Qt::Alignment alignment, const QString &text)
{
    TRect inner = frame.Inflated(-(1 + kTextMargin), -1);
    canvas.Brush().SetStyle(bsClear);
    canvas.Font().SetColor(TextColor());
    canvas.DrawText(text, inner, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | AlignmentFlags(alignment));
    canvas.Brush().SetStyle(bsSolid);
}

// The classic grip: diagonal groups of one light and two shadow lines,
// falling toward the bottom-right corner.
void DrawGrip(TCanvas &canvas, const TRect &square)
{
    const int right = square.Right - 1;
    const int bottom = square.Bottom - 1;
    for (int group = 0; group < kGripGroups; ++group) {
        const int first = group * kGripLineStep + 1;
        for (int line = 0; line < 3; ++line) {
            const int d = first + line;
            canvas.Pen().SetColor(line == 0 ? SunkenLightColor() : SunkenShadowColor());
            canvas.MoveTo(right - d, bottom);
            canvas.LineTo(right + 1, bottom - d - 1);
        }
    }
}

} // namespace

TStatusBar::TStatusBar(QWidget *parent)
    : QWidget(parent)
{
    m_font.SetName(QStringLiteral("MS Sans Serif"));
    m_font.SetHeight(-11);
    m_font.OnChange = [this] { update(); };
    TStatusBarAccessible::Install();
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    resize(width(), kDefaultHeight);
}

QSize TStatusBar::sizeHint() const
{
    return {QWidget::sizeHint().width(), kDefaultHeight};
}

int TStatusBar::AddPanel(int width, const QString &text)
{
    m_panels.push_back({text, std::max(width, 0), Qt::AlignLeft});
    update();
    TStatusBarAccessible::PanelsChanged(this);
    return PanelCount() - 1;
}

void TStatusBar::RemovePanel(int index)
{
    if (index < 0 || index >= PanelCount())
        return;
    m_panels.erase(m_panels.begin() + index);
    update();
    TStatusBarAccessible::PanelsChanged(this);
}

void TStatusBar::SetPanelText(int index, const QString &text)
{
    if (index < 0 || index >= PanelCount() || m_panels[static_cast<std::size_t>(index)].Text == text)
        return;
    m_panels[static_cast<std::size_t>(index)].Text = text;
    update(PanelRect(index));
    if (!m_simplePanel)
        TStatusBarAccessible::PanelTextChanged(this, index);
}

void TStatusBar::SetPanelWidth(int index, int width)
{
    if (index < 0 || index >= PanelCount() || width < 0)
        return;
    m_panels[static_cast<std::size_t>(index)].Width = width;
    update();
}

void TStatusBar::SetPanelAlignment(int index, Qt::Alignment alignment)
{
    if (index < 0 || index >= PanelCount())
        return;
    m_panels[static_cast<std::size_t>(index)].Alignment = alignment;
    update();
}

void TStatusBar::SetFont(const TFont &font)
{
    m_font.Assign(font);
}

void TStatusBar::SetSimplePanel(bool simple)
{
    if (simple == m_simplePanel)
        return;
    m_simplePanel = simple;
    update();
    TStatusBarAccessible::PanelsChanged(this);
}

void TStatusBar::SetSimpleText(const QString &text)
{
    if (text == m_simpleText)
        return;
    m_simpleText = text;
    update();
    if (m_simplePanel)
        TStatusBarAccessible::PanelTextChanged(this, 0);
}

void TStatusBar::SetSizeGrip(bool sizeGrip)
{
    if (sizeGrip == m_sizeGrip)
        return;
    m_sizeGrip = sizeGrip;
    update();
}

bool TStatusBar::ShowsGrip() const
{
    // Our forms keep their maximised state themselves; other windows have
    // the window system's.
    const QWidget *top = window();
    const auto *form = qobject_cast<const TForm *>(top);
    const bool maximized = form ? form->Maximized() : top && top->isMaximized();
    return m_sizeGrip && !maximized;
}

QRect TStatusBar::GripRect() const
{
    if (!ShowsGrip())
        return {};
    return {width() - kGripSize, height() - kGripSize, kGripSize, kGripSize};
}

QRect TStatusBar::PanelRect(int index) const
{
    if (index < 0 || index >= PanelCount())
        return {};
    int left = 0;
    for (int i = 0; i < index; ++i)
        left += m_panels[static_cast<std::size_t>(i)].Width;
    const int reach = width() - (ShowsGrip() ? kGripSize : 0);
    const bool last = index == PanelCount() - 1;
    const int right = last ? std::max(reach, left) : left + m_panels[static_cast<std::size_t>(index)].Width - kPanelGap;
    return QRect(QPoint(left, kPanelTop), QPoint(right - 1, height() - 1));
}

QRect TStatusBar::SimplePanelRect() const
{
    const int reach = width() - (ShowsGrip() ? kGripSize : 0);
    return QRect(QPoint(0, kPanelTop), QPoint(std::max(reach, 1) - 1, height() - 1));
}

void TStatusBar::paintEvent(QPaintEvent *)
{
    QImage surface = WidgetSurface(*this, size());
    {
        TCanvas canvas(&surface);
        canvas.FillSolidRect(TRect::FromQRect(rect()), BarColor());
        canvas.SetFont(m_font);
        if (m_simplePanel) {
            const TRect frame = TRect::FromQRect(SimplePanelRect());
            DrawSunkenFrame(canvas, frame);
            DrawPanelText(canvas, frame, Qt::AlignLeft, m_simpleText);
        } else {
            for (int i = 0; i < PanelCount(); ++i) {
                const TRect frame = TRect::FromQRect(PanelRect(i));
                if (frame.IsEmpty())
                    continue;
                DrawSunkenFrame(canvas, frame);
                const TStatusPanel &panel = m_panels[static_cast<std::size_t>(i)];
                DrawPanelText(canvas, frame, panel.Alignment, panel.Text);
            }
        }
        if (ShowsGrip())
            DrawGrip(canvas, TRect::FromQRect(GripRect()));
    }
    QPainter(this).drawImage(0, 0, surface);
}

void TStatusBar::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton && GripRect().contains(event->position().toPoint())
        && window()->windowHandle()) {
        window()->windowHandle()->startSystemResize(Qt::BottomEdge | Qt::RightEdge);
        return;
    }
    QWidget::mousePressEvent(event);
}

void TStatusBar::mouseMoveEvent(QMouseEvent *event)
{
    if (GripRect().contains(event->position().toPoint()))
        setCursor(Qt::SizeFDiagCursor);
    else
        unsetCursor();
    QWidget::mouseMoveEvent(event);
}
