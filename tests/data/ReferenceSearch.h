#pragma once

// The search's rule written out plainly, to hold the program's search
// against: every row whose seven values each match their pattern by a
// textbook wildcard matcher, ordered by the apartment as SQLite orders
// values, rows with equal apartments in rowid order.

#include "data/StoredValue.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

struct ReferenceRow {
    qint64 rowid = 0;
    std::vector<TStoredValue> values;
};

// "%" any run, "_" any one character, everything else itself after folding;
// the text is the value as the grid shows it, NULL matching nothing.
bool ReferenceLike(const QString &pattern, const std::optional<QString> &text);

// The values of a row as the grid shows them, a NULL as "<NULL>".
QStringList ShownRow(const std::vector<TStoredValue> &values);

// The rows that the search with these criteria finds, in its order, as
// ShownRow gives them. `rows` come in rowid order.
QList<QStringList> ReferenceSearch(const std::vector<ReferenceRow> &rows, const QStringList &criteria);
