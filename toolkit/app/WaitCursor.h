#pragma once

#include <QElapsedTimer>

// A step that may keep the user-interface thread busy (a database statement,
// a search). While the outermost step has lasted longer than a moment, every
// window of the program shows the wait cursor; it goes when that step ends.
//
// When the thread itself is busy, no input is read meanwhile and nothing
// repaints but what a wait for another program's lock lets paint (see
// TSqliteStore): the work calls Tick() now and then (the database engine
// does so every few thousand of its instructions), and the cursor is sent to
// the window system at once. Work that runs on another thread is waited for
// with the windows painting (see TBusyWait), which ticks too. Steps nest;
// the inner ones only count.
class TWaitCursor
{
public:
    static constexpr int kShowAfterMs = 100;

    explicit TWaitCursor(int showAfterMs = kShowAfterMs);
    ~TWaitCursor();
    TWaitCursor(const TWaitCursor &) = delete;
    TWaitCursor &operator=(const TWaitCursor &) = delete;

    // Shows the wait cursor when the outermost step is older than its delay.
    static void Tick();
    static bool Busy();
    static bool Showing();
};
