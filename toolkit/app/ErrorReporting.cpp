#include "toolkit/app/ErrorReporting.h"

namespace {

TErrorHandler &InstalledHandler()
{
    static TErrorHandler handler;
    return handler;
}

} // namespace

void SetErrorHandler(TErrorHandler handler)
{
    InstalledHandler() = std::move(handler);
}

bool HasErrorHandler()
{
    return bool(InstalledHandler());
}

void ReportError(std::exception_ptr error)
{
    if (!HasErrorHandler())
        std::rethrow_exception(error);
    // A copy, so that a handler that installs another one runs to its end.
    const TErrorHandler handler = InstalledHandler();
    handler(error);
}
