#pragma once

#include <QString>
#include <optional>
#include <vector>

// The program writes its statements in the directory's own dialect: string
// literals between double quotes ("" inside stands for one "), names bare or
// in [brackets], one statement with an optional closing ";". SQLite reads
// double quotes as names, so statements are translated token by token before
// they reach it, and SQLite's own acceptance of double-quoted strings is
// never relied on.

// The statement for SQLite: every string literal single-quoted, the closing
// ";" dropped. An empty text, a second statement, a NUL character or an
// unterminated literal raises EDatabaseError.
QString TranslateDialect(const QString &statement);

// How a query's rows are traced back to the rows of its table, so that they
// can be deleted or edited through the query.
//
// A query of the form SELECT [ALL] list FROM table [[AS] alias] [WHERE ...]
// [ORDER BY ...] [LIMIT ...], whose select list calls no function, reads rows
// of that one table: `cursorSql` lists the table's rowid of each row in
// column 0 (the rows and their order are the query's), and `readerSql` reads
// the select list of one row given its rowid as parameter 1. When the select
// list and ORDER BY are plain columns, the cursor selects the rowid alone and
// a WHERE of LIKE terms takes its faster equivalent (see LikeConjunction.h);
// otherwise the rowid is put in front of the select list.
// Any other query (joins, grouping, DISTINCT, compound selects, functions) is
// not traceable; its rows are read once and cannot be changed.
// The condition of a cursor of LIKE terms alone, term by term.
struct TScanTerms {
    // Selects each term's column, then each ORDER BY key, over the query's
    // source, so that the engine names the columns.
    QString columnsSql;
    // Per term: the LIKE pattern, or nothing for "IS NOT NULL".
    std::vector<std::optional<QString>> patterns;
};

struct TQueryPlan {
    QString sql; // the translated statement
    bool traceable = false;
    QString table; // the table's name, quoting undone
    QString cursorSql;
    // When set, rows that come before cursorSql's (those whose only sort key
    // is NULL), in their order: the cursor is both lists one after the other.
    QString nullCursorSql;
    QString readerSql;
    // SQLite, for a WHERE of LIKE terms without LIMIT and without
    // nullCursorSql: the cursor's rows whose rowid lies from parameter 1 to
    // parameter 2, in the cursor's order, rowid in column 0 and the ORDER BY
    // keys after it. Lists of consecutive ranges merged by those keys, and
    // by rowid where they tie, are the cursor's list. Empty otherwise.
    QString rangeCursorSql;
    // Per ORDER BY key of rangeCursorSql or scanTerms: whether it sorts
    // descending.
    std::vector<bool> rangeKeysDescending;
    // SQLite, for a cursor of LIKE terms alone or of every row, in the order
    // of plain columns, without LIMIT: its condition as terms that a reader
    // of the table's pages can test itself (none: every row). Empty
    // otherwise.
    TScanTerms scanTerms;
};

// The engines a plan is written for. For the server, names in brackets or
// backquotes are double-quoted, parameters are numbered $1, ..., LIKE terms
// of the faster form compare lower() of both sides without an escape
// character (the server's indexes serve that form), and a cursor of rowids
// is ordered by rowid where its own order leaves ties, as the file's is.
enum class TSqlEngine { Sqlite, Postgres };

TQueryPlan PlanQuery(const QString &statement, TSqlEngine engine = TSqlEngine::Sqlite);

// A name quoted for SQLite ("name", with " doubled).
QString QuoteSqlName(const QString &name);
