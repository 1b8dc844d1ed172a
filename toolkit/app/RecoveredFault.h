#pragma once

#include <QLoggingCategory>

// Faults the program goes on after: closing a data set while its window
// goes, one form of several that could not be skinned. They are written to
// the log under "velirsk.recovered" for whoever looks into them.
Q_DECLARE_LOGGING_CATEGORY(lcRecovered)

// Writes the exception being handled, with what was being done; called only
// from inside a catch block.
void LogRecoveredFault(const char *doing) noexcept;
