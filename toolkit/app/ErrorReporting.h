#pragma once

#include <exception>
#include <functional>
#include <utility>

// Where an exception goes when Qt called the code that raised it. Qt does
// not carry exceptions through its event delivery, so forms, the grid and the
// controls catch right where Qt called them and report here. The application
// object installs its default handler (an error box) for its lifetime; with
// no handler installed an exception reaches the caller unchanged.
using TErrorHandler = std::function<void(std::exception_ptr)>;

void SetErrorHandler(TErrorHandler handler);
bool HasErrorHandler();
void ReportError(std::exception_ptr error);

// Runs a handler that Qt called us for (a click, a timer, a key): an
// exception it raises is reported here instead of unwinding through Qt's
// frames.
template <class Handler> void CallGuarded(Handler &&handler)
{
    if (!HasErrorHandler()) {
        std::forward<Handler>(handler)();
        return;
    }
    try {
        std::forward<Handler>(handler)();
    } catch (...) {
        ReportError(std::current_exception());
    }
}
