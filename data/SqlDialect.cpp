#include "data/SqlDialect.h"

#include "data/LikeConjunction.h"
#include "data/SqlTokenizer.h"
#include "toolkit/db/DatabaseError.h"

#include <QCoreApplication>
#include <algorithm>
#include <optional>

namespace {

QString Tr(const char *text)
{
    return QCoreApplication::translate("SqlDialect", text);
}

QString SingleQuoted(const QString &value)
{
    QString text = value;
    text.replace(u'\'', QStringLiteral("''"));
    return u'\'' + text + u'\'';
}

// The tokens of the one statement, with literals single-quoted (and, for
// the server, names in brackets double-quoted) and everything from the
// closing ";" on dropped.
std::vector<TSqlToken> StatementTokens(const QString &statement, TSqlEngine engine = TSqlEngine::Sqlite)
{
    if (statement.contains(QChar(u'\0')))
        throw EDatabaseError(Tr("The SQL statement contains a NUL character."));
    std::vector<TSqlToken> tokens = TokenizeSql(statement);
    std::vector<TSqlToken> result;
    bool ended = false;
    for (TSqlToken &token : tokens) {
        if (token.kind == TSqlToken::Semicolon) {
            ended = true;
            continue;
        }
        if (ended) {
            if (token.IsSignificant())
                throw EDatabaseError(Tr("The SQL text holds more than one statement; only one can be run."));
            continue;
        }
        if (token.kind == TSqlToken::String || token.kind == TSqlToken::QuotedString) {
            token.kind = TSqlToken::String;
            token.text = SingleQuoted(token.value);
        } else if (token.kind == TSqlToken::QuotedName && engine == TSqlEngine::Postgres) {
            token.text = QuoteSqlName(token.value);
        }
        result.push_back(std::move(token));
    }
    const bool empty = std::none_of(result.begin(), result.end(), [](const TSqlToken &t) { return t.IsSignificant(); });
    if (empty)
        throw EDatabaseError(Tr("The SQL statement is empty."));
    return result;
}

QString Join(const std::vector<TSqlToken> &tokens, size_t from, size_t to)
{
    QString text;
    for (size_t i = from; i < to && i < tokens.size(); ++i)
        text += tokens[i].text;
    return text.trimmed();
}

bool IsClauseKeyword(const TSqlToken &token)
{
    for (const char *keyword : {"WHERE", "ORDER", "LIMIT"}) {
        if (token.IsWord(keyword))
            return true;
    }
    return false;
}

bool IsGroupingOrCompound(const TSqlToken &token)
{
    for (const char *keyword : {"GROUP", "HAVING", "WINDOW", "UNION", "INTERSECT", "EXCEPT"}) {
        if (token.IsWord(keyword))
            return true;
    }
    return false;
}

// Words that may follow a table name but are no alias.
bool IsUntraceableKeyword(const TSqlToken &token)
{
    for (const char *keyword :
         {"JOIN", "NATURAL", "CROSS", "INNER", "LEFT", "RIGHT", "FULL", "OUTER", "ON", "USING", "INDEXED", "NOT"}) {
        if (token.IsWord(keyword))
            return true;
    }
    return false;
}

bool IsName(const TSqlToken &token)
{
    return token.kind == TSqlToken::Word || token.kind == TSqlToken::QuotedName;
}

QString NameValue(const TSqlToken &token)
{
    return token.kind == TSqlToken::QuotedName ? token.value : token.text;
}

// Whether the significant tokens at[from] .. at[to - 1] are column
// references ("a", "t.a", "*", "t.*") separated by commas, each optionally
// followed by ASC or DESC when `directions`. Such a list names no alias, so
// other clauses mean the same with or without it.
bool IsPlainColumnList(const std::vector<TSqlToken> &tokens, const std::vector<size_t> &at, size_t from, size_t to,
                       bool directions)
{
    if (from >= to)
        return false;
    bool expectItem = true;
    for (size_t s = from; s < to; ++s) {
        const TSqlToken &token = tokens[at[s]];
        if (expectItem) {
            if (token.text == u"*") {
                expectItem = false;
                continue;
            }
            if (!IsName(token))
                return false;
            if (s + 2 < to && tokens[at[s + 1]].text == u".") {
                const TSqlToken &member = tokens[at[s + 2]];
                if (!IsName(member) && member.text != u"*")
                    return false;
                s += 2;
            }
            if (directions && s + 1 < to && (tokens[at[s + 1]].IsWord("ASC") || tokens[at[s + 1]].IsWord("DESC")))
                ++s;
            expectItem = false;
        } else if (token.text == u",") {
            expectItem = true;
        } else {
            return false;
        }
    }
    return !expectItem;
}

// The cursor of a query whose select list and ORDER BY are plain columns:
// the rowids alone, in the query's order, with a WHERE made only of LIKE
// terms in its faster form (see FasterLikeTerms). The values are read
// row by row later, so the sort carries only the rowid and its keys.
// `clauses` is the position in `at` of the first clause after the source.
// Nothing for other queries.
struct TRowidCursor {
    QString cursor;
    QString nullCursor;
    QString rangeCursor;
    std::vector<bool> rangeKeysDescending;
    TScanTerms scanTerms;
};

// The items of a plain ORDER BY list, each with its direction as written.
struct TOrderItem {
    QString key;
    bool descending = false;
    QString written;
};

std::vector<TOrderItem> OrderItems(const std::vector<TSqlToken> &tokens, const std::vector<size_t> &at, size_t from,
                                   size_t to)
{
    std::vector<TOrderItem> items(1);
    for (size_t s = from; s < to; ++s) {
        const TSqlToken &token = tokens[at[s]];
        if (token.text == u",") {
            items.emplace_back();
            continue;
        }
        TOrderItem &item = items.back();
        item.written += item.written.isEmpty() || token.text == u"." || item.written.endsWith(u'.') ? token.text
                                                                                                    : u' ' + token.text;
        if (token.IsWord("DESC"))
            item.descending = true;
        else if (!token.IsWord("ASC"))
            item.key += token.text;
    }
    return items;
}

std::optional<TRowidCursor> RowidCursor(const std::vector<TSqlToken> &tokens, const std::vector<size_t> &at,
                                        size_t listFirst, size_t from, size_t clauses, const QString &qualifier,
                                        const QString &source, TSqlEngine engine)
{
    if (!IsPlainColumnList(tokens, at, listFirst, from, false))
        return std::nullopt;
    size_t orderAt = at.size();
    size_t limitAt = at.size();
    int depth = 0;
    for (size_t s = clauses; s < at.size(); ++s) {
        const TSqlToken &token = tokens[at[s]];
        if (token.text == u"(")
            ++depth;
        else if (token.text == u")")
            --depth;
        else if (depth == 0 && token.IsWord("ORDER") && orderAt == at.size())
            orderAt = s;
        else if (depth == 0 && token.IsWord("LIMIT") && limitAt == at.size())
            limitAt = s;
    }
    if (orderAt < at.size()
        && (orderAt + 1 >= at.size() || !tokens[at[orderAt + 1]].IsWord("BY")
            || !IsPlainColumnList(tokens, at, orderAt + 2, limitAt, true)))
        return std::nullopt;
    const size_t whereEnd = std::min(orderAt, limitAt);
    const auto tokenAt = [&](size_t s) { return s < at.size() ? at[s] : tokens.size(); };
    QString condition;
    std::optional<std::vector<TLikeCondition>> likeTerms;
    if (clauses < at.size() && tokens[at[clauses]].IsWord("WHERE")) {
        std::vector<TSqlToken> significant;
        for (size_t s = clauses + 1; s < whereEnd; ++s)
            significant.push_back(tokens[at[s]]);
        likeTerms = FasterLikeTerms(significant);
        condition = likeTerms ? LikeConditionSql(*likeTerms, engine) : Join(tokens, at[clauses] + 1, tokenAt(whereEnd));
    }
    const bool likeTermsOnly = likeTerms.has_value();
    const std::vector<TOrderItem> items =
        orderAt < at.size() ? OrderItems(tokens, at, orderAt + 2, limitAt) : std::vector<TOrderItem>();
    const QString limit = Join(tokens, tokenAt(limitAt), tokens.size());
    const QString select = QStringLiteral("SELECT %1.rowid %2").arg(qualifier, source);
    const auto where = [&](const QString &more) {
        const QString all = condition.isEmpty() ? more
                            : more.isEmpty()    ? condition
                                                : u'(' + condition + QStringLiteral(") AND ") + more;
        return all.isEmpty() ? QString() : QStringLiteral(" WHERE ") + all;
    };
    const auto tail = [&](const QString &order) {
        QString text = order.isEmpty() ? QString() : u' ' + order;
        return limit.isEmpty() ? text : text + u' ' + limit;
    };

    TRowidCursor result;
    if (engine == TSqlEngine::Postgres) {
        // The server sorts NULL after text; the file sorts it first. Ties
        // come in rowid order, as the file's scan gives them.
        QStringList order;
        for (const TOrderItem &item : items)
            order << item.written + (item.descending ? QStringLiteral(" NULLS LAST") : QStringLiteral(" NULLS FIRST"));
        order << QStringLiteral("%1.rowid").arg(qualifier);
        result.cursor =
            select + where(QString()) + tail(QStringLiteral("ORDER BY ") + order.join(QStringLiteral(", ")));
        return result;
    }
    // Rows selected by LIKE terms alone, or every row, in the order of
    // plain columns: the file's pages can be read for them.
    if (limit.isEmpty() && (likeTermsOnly || condition.isEmpty())) {
        QStringList scanned;
        for (const TLikeCondition &term : likeTerms.value_or(std::vector<TLikeCondition>())) {
            scanned << term.column;
            result.scanTerms.patterns.push_back(term.pattern);
        }
        for (const TOrderItem &item : items) {
            scanned << item.key;
            result.rangeKeysDescending.push_back(item.descending);
        }
        if (!scanned.isEmpty())
            result.scanTerms.columnsSql =
                QStringLiteral("SELECT %1 %2").arg(scanned.join(QStringLiteral(", ")), source);
    }
    if (condition.isEmpty() && items.size() == 1 && !items.front().descending && limit.isEmpty()) {
        // Every row is sorted: NULL keys sort first, in rowid order, and
        // sorting the rest alone keeps the sorter on its fast path for keys
        // of one kind. (A condition keeps few rows, whose sort costs little,
        // and a second scan would test every row again.)
        const QString &key = items.front().key;
        result.nullCursor = select + where(key + QStringLiteral(" IS NULL"));
        result.cursor = select + where(key + QStringLiteral(" IS NOT NULL")) + tail(QStringLiteral("ORDER BY ") + key);
    } else {
        const QString order = Join(tokens, tokenAt(whereEnd), tokenAt(limitAt));
        result.cursor = select + where(QString()) + tail(order);
        // A condition that holds no parameter of its own leaves ?1 and ?2
        // to the range.
        if (likeTermsOnly && !condition.isEmpty() && limit.isEmpty()) {
            QString keys;
            for (const TOrderItem &item : items)
                keys += QStringLiteral(", ") + item.key;
            result.rangeCursor = QStringLiteral("SELECT %1.rowid%2 %3").arg(qualifier, keys, source)
                                 + where(QStringLiteral("%1.rowid BETWEEN ?1 AND ?2").arg(qualifier)) + tail(order);
        }
    }
    return result;
}

// Fills the traceable parts of `plan` when the statement has the one-table form.
void TraceRows(const std::vector<TSqlToken> &tokens, TQueryPlan &plan, TSqlEngine engine)
{
    std::vector<size_t> at; // indexes of the significant tokens
    for (size_t i = 0; i < tokens.size(); ++i) {
        if (tokens[i].IsSignificant())
            at.push_back(i);
    }
    size_t s = 0;
    if (at.empty() || !tokens[at[s]].IsWord("SELECT"))
        return;
    ++s;
    if (s < at.size() && tokens[at[s]].IsWord("ALL"))
        ++s;
    if (s >= at.size() || tokens[at[s]].IsWord("DISTINCT"))
        return;
    const size_t listBegin = at[s];
    const size_t listFirst = s;

    // The select list runs to the FROM outside any parentheses; a name
    // followed by "(" anywhere in it is a function call (maybe an aggregate).
    int depth = 0;
    size_t from = 0;
    for (; s < at.size(); ++s) {
        const TSqlToken &token = tokens[at[s]];
        if (token.text == u"(")
            ++depth;
        else if (token.text == u")")
            --depth;
        else if (depth == 0 && token.IsWord("FROM")) {
            from = s;
            break;
        }
        if (IsName(token) && s + 1 < at.size() && tokens[at[s + 1]].text == u"(")
            return;
        if (token.IsWord("SELECT"))
            return;
    }
    if (from == 0 || from + 1 >= at.size())
        return;
    const size_t listEnd = at[from];

    size_t t = from + 1;
    if (!IsName(tokens[at[t]]) || tokens[at[t]].IsWord("SELECT"))
        return;
    const QString table = NameValue(tokens[at[t]]);
    QString qualifier = tokens[at[t]].text;
    ++t;
    if (t < at.size() && tokens[at[t]].text == u".")
        return; // schema-qualified names are not traced
    if (t < at.size() && tokens[at[t]].IsWord("AS"))
        ++t;
    if (t < at.size() && IsName(tokens[at[t]]) && !IsClauseKeyword(tokens[at[t]])
        && !IsUntraceableKeyword(tokens[at[t]])) {
        qualifier = tokens[at[t]].text;
        ++t;
    }
    const size_t sourceEnd = t < at.size() ? at[t] : tokens.size();
    if (t < at.size() && !IsClauseKeyword(tokens[at[t]]))
        return;
    depth = 0;
    for (size_t u = t; u < at.size(); ++u) {
        const TSqlToken &token = tokens[at[u]];
        if (token.text == u"(")
            ++depth;
        else if (token.text == u")")
            --depth;
        else if (depth == 0 && IsGroupingOrCompound(token))
            return;
    }

    const QString list = Join(tokens, listBegin, listEnd);
    const QString source = Join(tokens, at[from], sourceEnd);
    const QString rest = Join(tokens, sourceEnd, tokens.size());
    plan.traceable = true;
    plan.table = table;
    if (const std::optional<TRowidCursor> rowids =
            RowidCursor(tokens, at, listFirst, from, t, qualifier, source, engine)) {
        plan.cursorSql = rowids->cursor;
        plan.nullCursorSql = rowids->nullCursor;
        plan.rangeCursorSql = rowids->rangeCursor;
        plan.rangeKeysDescending = rowids->rangeKeysDescending;
        plan.scanTerms = rowids->scanTerms;
    } else {
        plan.cursorSql = QStringLiteral("SELECT %1.rowid, %2 %3 %4").arg(qualifier, list, source, rest).trimmed();
    }
    const QString rowidParameter = engine == TSqlEngine::Postgres ? QStringLiteral("$1") : QStringLiteral("?1");
    plan.readerSql = QStringLiteral("SELECT %1 %2 WHERE %3.rowid = %4").arg(list, source, qualifier, rowidParameter);
}

} // namespace

QString TranslateDialect(const QString &statement)
{
    const std::vector<TSqlToken> tokens = StatementTokens(statement);
    return Join(tokens, 0, tokens.size());
}

TQueryPlan PlanQuery(const QString &statement, TSqlEngine engine)
{
    const std::vector<TSqlToken> tokens = StatementTokens(statement, engine);
    TQueryPlan plan;
    plan.sql = Join(tokens, 0, tokens.size());
    TraceRows(tokens, plan, engine);
    return plan;
}

QString QuoteSqlName(const QString &name)
{
    QString text = name;
    text.replace(u'"', QStringLiteral("\"\""));
    return u'"' + text + u'"';
}
