#pragma once

#include "data/SqlDialect.h"
#include "data/SqlTokenizer.h"

#include <optional>

// A WHERE condition made only of "column LIKE 'literal'" terms joined by AND,
// with any parentheses around terms and columns, rewritten into a form that
// SQLite evaluates with less work and that selects exactly the same rows:
//
// - a term whose pattern is "%" alone matches every row, an empty field
//   included, and is dropped; when no term is left, the answer is empty
//   (no condition at all);
// - a term whose pattern matches every value that is present ("%%")
//   becomes "column IS NOT NULL", since LIKE is NULL for NULL and true for
//   anything else;
// - the LIKE terms that remain come first, the cheapest and most selective
//   before the others, so that most rows are turned down after one term.
//
// Order cannot change the result: a conjunction is true only when every term
// is, and no term has side effects or can fail. Any other condition (OR, NOT,
// ESCAPE, comparisons, parameters, sub-queries) gives nothing, and is then
// run as written.

// A term of the faster form: the column as written, the LIKE pattern
// (nothing for "IS NOT NULL") and its literal as written, single-quoted.
struct TLikeCondition {
    QString column;
    std::optional<QString> pattern;
    QString literal;
};

// The terms of the faster form, in the order they are best tested.
// `condition` holds the significant tokens between WHERE and the end of the
// clause, literals already in SQLite's single-quoted form.
std::optional<std::vector<TLikeCondition>> FasterLikeTerms(const std::vector<TSqlToken> &condition);

// The terms as a condition written for `engine` (see TSqlEngine); empty
// when there are none.
QString LikeConditionSql(const std::vector<TLikeCondition> &terms, TSqlEngine engine = TSqlEngine::Sqlite);
