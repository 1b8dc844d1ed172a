#pragma once

#include <QString>
#include <QStringList>

// The statement of a search over the directory: seven criteria, one per
// field in table order, each matched from the beginning of its field.
//
// An empty criterion becomes the pattern "%" (any value that is present);
// any other the text as typed, untrimmed, followed by "%". "%" and "_"
// typed by the user keep their wildcard meaning. A double quote is doubled
// inside its literal, so that no text can end the literal early.
namespace SearchStatement {

constexpr int kCriterionCount = 7;

QString Pattern(const QString &criterion);

// The statement's text cannot carry a NUL character; a criterion holding one
// is refused before any statement is built. The position of the first such
// character, or -1.
qsizetype UnsearchableAt(const QString &criterion);

// The two lines of the statement, without line ends. Criteria beyond the
// seventh are ignored, missing ones count as empty. A criterion that is not
// searchable (see UnsearchableAt) gives a statement that fails.
QStringList Lines(const QStringList &criteria);

} // namespace SearchStatement
