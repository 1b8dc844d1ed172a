#include "toolkit/controls/NavButton.h"

#include "toolkit/gdi/Canvas.h"

#include <QMouseEvent>

namespace {
// The focus frame lies this far inside the button's edges.
constexpr int kFocusInset = 3;
} // namespace

TNavButton::TNavButton(TNavigateBtn index, QWidget *parent)
    : TSpeedButton(parent)
    , m_index(index)
{
    connect(&m_repeatTimer, &QTimer::timeout, this, &TNavButton::Repeat);
}

void TNavButton::SetFocusShown(bool shown)
{
    if (m_focusShown == shown)
        return;
    m_focusShown = shown;
    update();
}

void TNavButton::mousePressEvent(QMouseEvent *event)
{
    TSpeedButton::mousePressEvent(event);
    m_repeated = false;
    if (m_allowRepeat && Tracking())
        m_repeatTimer.start(kRepeatDelayMs);
}

void TNavButton::Repeat()
{
    // Stopped while the click runs, so that a click that fails (and shows
    // its error) does not repeat behind the error box.
    m_repeatTimer.stop();
    if (!Tracking() || !isEnabled())
        return;
    if (Pressed()) {
        m_repeated = true;
        Click();
    }
    if (Tracking() && isEnabled())
        m_repeatTimer.start(kRepeatIntervalMs);
}

void TNavButton::Released(bool inside)
{
    m_repeatTimer.stop();
    if (!m_repeated)
        TSpeedButton::Released(inside);
    m_repeated = false;
}

void TNavButton::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::EnabledChange && !isEnabled())
        m_repeatTimer.stop();
    TSpeedButton::changeEvent(event);
}

void TNavButton::PaintOverlay(TCanvas &canvas, const TRect &face)
{
    if (m_focusShown)
        canvas.DrawFocusRect(face.Inflated(-kFocusInset, -kFocusInset));
}
