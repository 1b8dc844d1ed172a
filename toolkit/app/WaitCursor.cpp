#include "toolkit/app/WaitCursor.h"

#include "toolkit/app/GuiApplication.h"

#include <QCursor>
#include <QGuiApplication>
#include <qguiapplication_platform.h>

#ifdef VELIRSK_HAVE_XCB
#include <xcb/xcb.h>
#endif

namespace {

struct TBusyState {
    int depth = 0;
    int showAfterMs = 0;
    bool showing = false;
    QElapsedTimer outermost;
};

TBusyState &State()
{
    static TBusyState state;
    return state;
}

// The thread does not return to the event loop before the step ends, so the
// cursor change is pushed to the window system here.
void FlushWindowSystem()
{
#ifdef VELIRSK_HAVE_XCB
    QGuiApplication *application = GuiApplication();
    auto *x11 = application ? application->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    if (xcb_connection_t *connection = x11 ? x11->connection() : nullptr)
        xcb_flush(connection);
#endif
}

} // namespace

TWaitCursor::TWaitCursor(int showAfterMs)
{
    TBusyState &state = State();
    if (state.depth++ == 0) {
        state.showAfterMs = showAfterMs;
        state.outermost.start();
    }
}

TWaitCursor::~TWaitCursor()
{
    TBusyState &state = State();
    if (--state.depth > 0 || !state.showing)
        return;
    state.showing = false;
    QGuiApplication::restoreOverrideCursor();
    FlushWindowSystem();
}

void TWaitCursor::Tick()
{
    TBusyState &state = State();
    if (state.depth == 0 || state.showing || state.outermost.elapsed() < state.showAfterMs || !GuiApplication())
        return;
    state.showing = true;
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    FlushWindowSystem();
}

bool TWaitCursor::Busy()
{
    return State().depth > 0;
}

bool TWaitCursor::Showing()
{
    return State().showing;
}
