#include "toolkit/app/RecoveredFault.h"

#include <exception>

Q_LOGGING_CATEGORY(lcRecovered, "velirsk.recovered")

void LogRecoveredFault(const char *doing) noexcept
{
    try {
        throw;
    } catch (const std::exception &fault) {
        qCWarning(lcRecovered, "%s: %s", doing, fault.what());
    } catch (...) {
        qCWarning(lcRecovered, "%s: an exception of unknown kind", doing);
    }
}
