#pragma once

#include <QAccessible>
#include <QApplication>
#include <QElapsedTimer>
#include <QString>

#include <vector>

// Keeps what each accessibility event told at the moment it was sent, while
// it lives; nothing goes on to a bridge.
//
// Qt sends events only while its accessibility is active, which only the
// platform can make it: on X11 when the AT-SPI bus is up and a reader (or
// QT_LINUX_ACCESSIBILITY_ALWAYS_ON) asks for it; never offscreen. Tests of
// events skip unless Listening(); tests/system/reader_events.sh runs them on
// X11 with the bus.
class TAccessibilityRecorder
{
public:
    static constexpr int kActivationWaitMs = 5000;
    static constexpr const char *kNoReaderHere =
        "no reader can listen on this platform (tests/system/reader_events.sh runs this on the AT-SPI bus)";

    struct TEvent
    {
        QAccessible::Event Type = QAccessible::InvalidEvent;
        QAccessible::Role Role = QAccessible::NoRole;
        QString Name;
        int Row = -1; // a table cell's place
        int Column = -1;
        QObject *Object = nullptr;
    };

    TAccessibilityRecorder()
    {
        s_current = this;
        m_previous = QAccessible::installUpdateHandler(&Record);
        // The bridge to the bus is made on first asking and comes up as the bus answers.
        QElapsedTimer clock;
        clock.start();
        while (!QAccessible::isActive() && QGuiApplication::platformName() == QLatin1String("xcb") &&
               clock.elapsed() < kActivationWaitMs)
            QApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    ~TAccessibilityRecorder()
    {
        QAccessible::installUpdateHandler(m_previous);
        s_current = nullptr;
    }
    TAccessibilityRecorder(const TAccessibilityRecorder &) = delete;
    TAccessibilityRecorder &operator=(const TAccessibilityRecorder &) = delete;

    bool Listening() const { return QAccessible::isActive(); }
    void Clear() { m_events.clear(); }
    std::vector<TEvent> Of(QAccessible::Event type) const
    {
        std::vector<TEvent> found;
        for (const TEvent &event : m_events)
            if (event.Type == type)
                found.push_back(event);
        return found;
    }

private:
    static void Record(QAccessibleEvent *event)
    {
        TEvent recorded;
        recorded.Type = event->type();
        if (QAccessibleInterface *iface = event->accessibleInterface()) {
            recorded.Role = iface->role();
            recorded.Name = iface->text(QAccessible::Name);
            recorded.Object = iface->object();
            if (QAccessibleTableCellInterface *cell = iface->tableCellInterface()) {
                recorded.Row = cell->rowIndex();
                recorded.Column = cell->columnIndex();
            }
        }
        s_current->m_events.push_back(recorded);
    }

    static inline TAccessibilityRecorder *s_current = nullptr;
    QAccessible::UpdateHandler m_previous = nullptr;
    std::vector<TEvent> m_events;
};
