#include "toolkit/app/DeliveredDelete.h"

#include "toolkit/app/GuiApplication.h"

#include <QAbstractNativeEventFilter>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QHash>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <qguiapplication_platform.h>

#ifdef VELIRSK_HAVE_XCB
#include <xcb/xcb.h>

#include <cstdlib>
#include <cstring>
#endif

namespace {

#ifdef VELIRSK_HAVE_XCB

constexpr char kMarkerAtomName[] = "_VELIRSK_DELIVERED";

xcb_connection_t *Connection()
{
    QGuiApplication *application = GuiApplication();
    auto *x11 = application ? application->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    return x11 ? x11->connection() : nullptr;
}

// Windows waiting for their marker, by window id. The window system hands
// the program its events in the order it sent them, so when a window's
// marker arrives Qt has read every key that went to that window before.
class TMarkerFilter : public QAbstractNativeEventFilter
{
public:
    explicit TMarkerFilter(xcb_atom_t atom)
        : m_atom(atom)
    { }

    xcb_atom_t Atom() const { return m_atom; }
    void Await(xcb_window_t id, QWidget *window) { m_waiting.insert(id, window); }

    bool nativeEventFilter(const QByteArray &eventType, void *message, qintptr *) override
    {
        if (eventType != "xcb_generic_event_t")
            return false;
        const auto *event = static_cast<const xcb_generic_event_t *>(message);
        if ((event->response_type & ~0x80) != XCB_CLIENT_MESSAGE)
            return false;
        const auto *marker = static_cast<const xcb_client_message_event_t *>(message);
        if (marker->type != m_atom)
            return false;
        if (QPointer<QWidget> window = m_waiting.take(marker->window))
            window->deleteLater();
        return true;
    }

private:
    xcb_atom_t m_atom;
    QHash<xcb_window_t, QPointer<QWidget>> m_waiting;
};

TMarkerFilter *Filter(xcb_connection_t *connection)
{
    static TMarkerFilter *const filter = [connection]() -> TMarkerFilter * {
        xcb_intern_atom_reply_t *reply = xcb_intern_atom_reply(
            connection, xcb_intern_atom(connection, 0, std::strlen(kMarkerAtomName), kMarkerAtomName), nullptr);
        if (!reply)
            return nullptr;
        auto *created = new TMarkerFilter(reply->atom);
        std::free(reply);
        QCoreApplication::instance()->installNativeEventFilter(created);
        return created;
    }();
    return filter;
}

// Sent with an empty event mask, the marker goes to the client that made the
// window: this program.
bool SendMarker(QWidget &window)
{
    xcb_connection_t *connection = Connection();
    TMarkerFilter *filter = connection ? Filter(connection) : nullptr;
    if (!filter || !window.testAttribute(Qt::WA_WState_Created))
        return false;
    const auto id = static_cast<xcb_window_t>(window.winId());
    xcb_client_message_event_t marker{};
    marker.response_type = XCB_CLIENT_MESSAGE;
    marker.format = 32;
    marker.window = id;
    marker.type = filter->Atom();
    filter->Await(id, &window);
    xcb_send_event(connection, 0, id, XCB_EVENT_MASK_NO_EVENT, reinterpret_cast<const char *>(&marker));
    xcb_flush(connection);
    return true;
}

#else

bool SendMarker(QWidget &)
{
    return false;
}

#endif

} // namespace

void DeleteWhenDelivered(QWidget &window)
{
    // At the next turn the window has been hidden and has let go of the
    // keyboard: no key goes to it after the marker.
    QTimer::singleShot(0, &window, [&window] {
        if (!SendMarker(window))
            window.deleteLater();
    });
}
