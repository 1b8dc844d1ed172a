#include "toolkit/app/BusyWait.h"

#include "toolkit/app/WaitCursor.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QThread>
#include <utility>

namespace {

QPointer<QWidget> &CancelControl()
{
    static QPointer<QWidget> control;
    return control;
}

// The innermost wait that runs.
TBusyWait *&Innermost()
{
    static TBusyWait *wait = nullptr;
    return wait;
}

bool IsInput(QEvent::Type type)
{
    switch (type) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
    case QEvent::Shortcut:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::NonClientAreaMouseButtonPress:
    case QEvent::NonClientAreaMouseButtonRelease:
    case QEvent::NonClientAreaMouseButtonDblClick:
    case QEvent::Wheel:
    case QEvent::ContextMenu:
    case QEvent::InputMethod:
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
    case QEvent::TabletPress:
    case QEvent::TabletRelease:
    case QEvent::DragEnter:
    case QEvent::DragMove:
    case QEvent::Drop: return true;
    default: return false;
    }
}

} // namespace

TBusyWait::TBusyWait()
{
    m_tick.setInterval(kTickMs);
    connect(&m_tick, &QTimer::timeout, this, [] { TWaitCursor::Tick(); });
}

TBusyWait::~TBusyWait() = default;

bool TBusyWait::Possible()
{
    return qobject_cast<QApplication *>(QCoreApplication::instance()) && QThread::currentThread() == qApp->thread();
}

void TBusyWait::Finish()
{
    QMetaObject::invokeMethod(&m_loop, &QEventLoop::quit, Qt::QueuedConnection);
}

bool TBusyWait::Run()
{
    const TWaitCursor wait;
    m_modalAtStart = QApplication::activeModalWidget();
    qApp->installEventFilter(this);
    TBusyWait *const outer = std::exchange(Innermost(), this);
    m_tick.start();
    m_loop.exec();
    m_tick.stop();
    Innermost() = outer;
    qApp->removeEventFilter(this);
    return !m_cancelled;
}

bool TBusyWait::HoldsInput()
{
    return Innermost() && Innermost()->Holding();
}

bool TBusyWait::Holding() const
{
    return QApplication::activeModalWidget() == m_modalAtStart;
}

void TBusyWait::Cancel()
{
    m_cancelled = true;
    m_loop.quit();
}

bool TBusyWait::OnCancelControl(QObject *watched) const
{
    const QWidget *control = CancelControl();
    const auto *widget = qobject_cast<const QWidget *>(watched);
    return control && widget && (widget == control || control->isAncestorOf(widget));
}

// A window system's request to close a window is refused; the program's
// own closing of a window goes through.
bool TBusyWait::eventFilter(QObject *watched, QEvent *event)
{
    const QEvent::Type type = event->type();
    if (type == QEvent::Close && event->spontaneous() && Holding()) {
        event->ignore();
        return true;
    }
    // Input reaches a window first and is passed on to its widgets: it is
    // judged there.
    if (!IsInput(type) || !watched->isWidgetType() || !Holding())
        return false;
    // An overridden shortcut lets the key come as a key press, Escape too.
    if (type == QEvent::ShortcutOverride)
        event->accept();
    else if (type == QEvent::KeyPress && static_cast<QKeyEvent *>(event)->key() == Qt::Key_Escape)
        Cancel();
    else if (type == QEvent::MouseButtonRelease && static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton
             && OnCancelControl(watched))
        Cancel();
    return true;
}

TBusyWait::TCancelControl::TCancelControl(QWidget *control)
    : m_previous(CancelControl())
{
    CancelControl() = control;
}

TBusyWait::TCancelControl::~TCancelControl()
{
    CancelControl() = m_previous;
}
