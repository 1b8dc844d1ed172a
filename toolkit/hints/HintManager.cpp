#include "toolkit/hints/HintManager.h"

#include "toolkit/hints/HintWindow.h"

#include <QApplication>
#include <QCursor>
#include <QMouseEvent>
#include <QVariant>
#include <QWidget>

namespace {

// Property names as the toolkit's controls publish them; a widget that does
// not declare them carries them as dynamic properties.
constexpr const char *kHintProperty = "Hint";
constexpr const char *kShowHintProperty = "ShowHint";
constexpr const char *kParentShowHintProperty = "ParentShowHint";

constexpr int kDefaultHintPause = 500;
constexpr int kDefaultHintShortPause = 50;
constexpr int kDefaultHintHidePause = 2500;
constexpr int kDefaultHintMaxWidth = 300;
// The hint position lies this far below the pointer's hot spot, clear of
// the arrow cursor.
constexpr int kHintOffsetBelowPointer = 20;
// After the pointer leaves a control whose hint is shown, the next control
// entered within this many milliseconds counts as read straight after it.
constexpr int kBrowseGrace = 300;

THintManager *g_instance = nullptr;

THintWindowClass &ProcessHintWindowClass()
{
    static THintWindowClass windowClass = THintWindowClass::Of<THintWindow>();
    return windowClass;
}

QWidget *ParentWithinWindow(const QWidget *widget)
{
    return widget->isWindow() ? nullptr : widget->parentWidget();
}

bool IsInsideHintWindow(const QWidget *widget)
{
    return qobject_cast<const THintWindow *>(widget->window()) != nullptr;
}

} // namespace

void SetHint(QWidget *control, const QString &hint)
{
    control->setProperty(kHintProperty, hint);
}

QString Hint(const QWidget *control)
{
    return control->property(kHintProperty).toString();
}

void SetShowHint(QWidget *control, bool show)
{
    control->setProperty(kShowHintProperty, show);
    control->setProperty(kParentShowHintProperty, false);
}

QWidget *HintControlFor(QWidget *widget)
{
    for (QWidget *w = widget; w; w = ParentWithinWindow(w)) {
        if (!Hint(w).isEmpty())
            return w;
    }
    return nullptr;
}

bool ShowsHint(const QWidget *control)
{
    for (const QWidget *w = control; w; w = ParentWithinWindow(w)) {
        if (w->property(kParentShowHintProperty).toBool())
            continue;
        const QVariant show = w->property(kShowHintProperty);
        if (show.isValid())
            return show.toBool();
    }
    return false;
}

THintManager::THintManager()
    : m_hintPause(kDefaultHintPause)
    , m_hintShortPause(kDefaultHintShortPause)
    , m_hintHidePause(kDefaultHintHidePause)
    , m_hintMaxWidth(kDefaultHintMaxWidth)
{
    m_showTimer.setSingleShot(true);
    m_hideTimer.setSingleShot(true);
    connect(&m_showTimer, &QTimer::timeout, this, &THintManager::ShowPending);
    connect(&m_hideTimer, &QTimer::timeout, this, [this] {
        HideWindow();
        m_suppressed = true;
    });
    qApp->installEventFilter(this);
    g_instance = this;
}

THintManager::~THintManager()
{
    if (g_instance == this)
        g_instance = nullptr;
    qApp->removeEventFilter(this);
}

THintManager *THintManager::Instance()
{
    return g_instance;
}

THintWindowClass THintManager::HintWindowClass()
{
    return ProcessHintWindowClass();
}

void THintManager::SetHintWindowClass(const THintWindowClass &windowClass)
{
    ProcessHintWindowClass() = windowClass;
}

void THintManager::SetShowHint(bool show)
{
    if (show == m_showHint)
        return;
    m_showHint = show;
    if (!show)
        CancelHint();
}

void THintManager::SetHintPause(int milliseconds)
{
    if (milliseconds >= 0)
        m_hintPause = milliseconds;
}

void THintManager::SetHintShortPause(int milliseconds)
{
    if (milliseconds >= 0)
        m_hintShortPause = milliseconds;
}

void THintManager::SetHintHidePause(int milliseconds)
{
    if (milliseconds > 0)
        m_hintHidePause = milliseconds;
}

void THintManager::SetHintMaxWidth(int pixels)
{
    if (pixels > 0)
        m_hintMaxWidth = pixels;
}

bool THintManager::IsHintShown() const
{
    return m_window && m_window->isVisible();
}

void THintManager::ActivateHint(QWidget *control, const QPoint &pointer)
{
    const QString text = Hint(control);
    if (!m_showHint || text.isEmpty()) {
        CancelHint();
        return;
    }
    m_control = control;
    m_pointer = pointer;
    m_suppressed = false;
    m_showTimer.stop();

    // The window measures, the machinery places, the window shows itself.
    THintWindow &window = WindowOfCurrentClass();
    window.SetColor(m_hintColor);
    TRect rect = window.CalcHintRect(m_hintMaxWidth, text, nullptr);
    const QPoint position = pointer + QPoint(0, kHintOffsetBelowPointer);
    rect = {rect.Left + position.x(), rect.Top + position.y(), rect.Right + position.x(), rect.Bottom + position.y()};
    window.ActivateHint(rect, text);
    m_hideTimer.start(m_hintHidePause);
}

void THintManager::CancelHint()
{
    m_showTimer.stop();
    HideWindow();
    m_control = nullptr;
    m_suppressed = false;
}

void THintManager::HideWindow()
{
    m_hideTimer.stop();
    if (m_window)
        m_window->ReleaseHint();
}

void THintManager::SuppressUntilLeave()
{
    m_showTimer.stop();
    HideWindow();
    m_suppressed = true;
}

THintWindow &THintManager::WindowOfCurrentClass()
{
    const THintWindowClass windowClass = HintWindowClass();
    if (!m_window || !windowClass.IsClassOf(*m_window))
        m_window = windowClass.Create();
    return *m_window;
}

void THintManager::PointerOver(QWidget *widget, const QPoint &pointer)
{
    QWidget *control = HintControlFor(widget);
    if (control && !(m_showHint && ShowsHint(control)))
        control = nullptr;

    if (control != m_control) {
        // Moving straight from one shown hint to the next control brings its
        // hint after the short pause; otherwise the pointer has to rest.
        const bool browsing =
            (IsHintShown() && !m_suppressed) || (m_leftShownHint.isValid() && m_leftShownHint.elapsed() < kBrowseGrace);
        HideWindow();
        m_control = control;
        m_suppressed = false;
        m_pointer = pointer;
        if (control)
            m_showTimer.start(browsing ? m_hintShortPause : m_hintPause);
        else
            m_showTimer.stop();
        return;
    }

    // The pause chosen on entering the control starts again: the pointer
    // has not rested yet.
    m_pointer = pointer;
    if (control && !m_suppressed && !IsHintShown())
        m_showTimer.start();
}

void THintManager::PointerLeft(QWidget *widget)
{
    if (!m_control || !(widget == m_control || widget->isAncestorOf(m_control)))
        return;
    // A hint moved back inside the screen may lie over the pointer; its
    // window takes no input, but showing it there reports a leave while the
    // pointer still rests on the control. The hint stays up as anywhere else.
    const QPoint pointer = QCursor::pos();
    if (IsHintShown() && m_window->geometry().contains(pointer)
        && m_control->rect().contains(m_control->mapFromGlobal(pointer)))
        return;
    if (IsHintShown() && !m_suppressed)
        m_leftShownHint.start();
    CancelHint();
}

void THintManager::ShowPending()
{
    if (m_control && m_control->isVisible() && !m_suppressed)
        ActivateHint(m_control, m_pointer);
}

bool THintManager::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::MouseMove:
    case QEvent::Enter: {
        // Entering a window may bring no move, so an entry counts as one.
        auto *widget = qobject_cast<QWidget *>(watched);
        const auto *pointer = static_cast<const QSinglePointEvent *>(event);
        // Moves and entries reach the parents of the widget under the
        // pointer as well; only the innermost one decides.
        if (!widget || QGuiApplication::mouseButtons() != Qt::NoButton || pointer->buttons() != Qt::NoButton
            || IsInsideHintWindow(widget) || widget->childAt(pointer->position().toPoint()))
            break;
        PointerOver(widget, pointer->globalPosition().toPoint());
        break;
    }
    case QEvent::Leave:
        if (auto *widget = qobject_cast<QWidget *>(watched))
            PointerLeft(widget);
        break;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::KeyPress:
    case QEvent::Wheel:
        if (m_control)
            SuppressUntilLeave();
        break;
    case QEvent::Hide:
        if (m_control && watched->isWidgetType()
            && (watched == m_control || static_cast<QWidget *>(watched)->isAncestorOf(m_control)))
            CancelHint();
        break;
    case QEvent::ApplicationDeactivate: CancelHint(); break;
    default: break;
    }
    return false;
}
