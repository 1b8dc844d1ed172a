#include "data/LikeConjunction.h"

#include "data/CaseInsensitiveLike.h"

#include <QStringList>
#include <algorithm>

namespace {

struct TLikeTerm {
    QString column;  // as written, without the parentheses around it
    QString literal; // as written, single-quoted
    QString value;   // the pattern itself
    TLikePattern pattern;
};

// Recursive descent over "term (AND term)*", where a term is a parenthesized
// conjunction or "column LIKE 'literal'" and a column is a name, a qualified
// name, or either in parentheses.
class TConjunctionReader
{
public:
    explicit TConjunctionReader(const std::vector<TSqlToken> &tokens)
        : m_tokens(tokens)
    { }

    std::optional<std::vector<TLikeTerm>> Read()
    {
        if (!ReadConjunction() || m_pos != m_tokens.size() || m_terms.empty())
            return std::nullopt;
        return std::move(m_terms);
    }

private:
    bool IsText(const char16_t *text) const { return m_pos < m_tokens.size() && m_tokens[m_pos].text == text; }
    bool IsName(size_t at) const
    {
        return at < m_tokens.size()
               && (m_tokens[at].kind == TSqlToken::QuotedName
                   || (m_tokens[at].kind == TSqlToken::Word && !IsReserved(m_tokens[at])));
    }
    static bool IsReserved(const TSqlToken &token)
    {
        for (const char *keyword : {"AND", "OR", "NOT", "LIKE", "ESCAPE", "IS", "NULL", "SELECT", "EXISTS", "CASE"}) {
            if (token.IsWord(keyword))
                return true;
        }
        return false;
    }

    bool ReadConjunction()
    {
        if (!ReadTerm())
            return false;
        while (m_pos < m_tokens.size() && m_tokens[m_pos].IsWord("AND")) {
            ++m_pos;
            if (!ReadTerm())
                return false;
        }
        return true;
    }

    bool ReadTerm()
    {
        // "((a) LIKE ...)" opens like a parenthesized conjunction; try the
        // LIKE term first and fall back.
        const size_t start = m_pos;
        if (ReadLike())
            return true;
        m_pos = start;
        if (!IsText(u"("))
            return false;
        ++m_pos;
        if (!ReadConjunction() || !IsText(u")"))
            return false;
        ++m_pos;
        return true;
    }

    bool ReadLike()
    {
        QString column;
        if (!ReadColumn(column) || m_pos >= m_tokens.size() || !m_tokens[m_pos].IsWord("LIKE"))
            return false;
        ++m_pos;
        if (m_pos >= m_tokens.size() || m_tokens[m_pos].kind != TSqlToken::String)
            return false;
        const TSqlToken &literal = m_tokens[m_pos++];
        if (m_pos < m_tokens.size() && m_tokens[m_pos].IsWord("ESCAPE"))
            return false;
        m_terms.push_back({column, literal.text, literal.value, TLikePattern(literal.value, 0)});
        return true;
    }

    bool ReadColumn(QString &column)
    {
        if (IsText(u"(")) {
            ++m_pos;
            if (!ReadColumn(column) || !IsText(u")"))
                return false;
            ++m_pos;
            return true;
        }
        if (!IsName(m_pos))
            return false;
        column = m_tokens[m_pos++].text;
        if (IsText(u".")) {
            ++m_pos;
            if (!IsName(m_pos))
                return false;
            column += u'.' + m_tokens[m_pos++].text;
        }
        return true;
    }

    const std::vector<TSqlToken> &m_tokens;
    size_t m_pos = 0;
    std::vector<TLikeTerm> m_terms;
};

// Lower runs first: cheap comparisons turn most rows down, a general pattern
// costs a scan of the value, a presence test costs next to nothing but
// rejects almost nothing.
int Rank(const TLikePattern &pattern)
{
    switch (pattern.Shape()) {
    case TLikePattern::Exact:
    case TLikePattern::Prefix: return 0;
    case TLikePattern::General: return 1;
    case TLikePattern::Anything: return 2;
    }
    return 1;
}

// The terms that decide, in the order they are best tested.
std::optional<std::vector<TLikeTerm>> OrderedTerms(const std::vector<TSqlToken> &condition)
{
    std::optional<std::vector<TLikeTerm>> terms = TConjunctionReader(condition).Read();
    if (!terms)
        return std::nullopt;
    // Among terms of one rank, a longer fixed text is likelier to turn a row down.
    std::stable_sort(terms->begin(), terms->end(), [](const TLikeTerm &a, const TLikeTerm &b) {
        const int rankA = Rank(a.pattern);
        const int rankB = Rank(b.pattern);
        return rankA != rankB ? rankA < rankB : a.pattern.FixedLength() > b.pattern.FixedLength();
    });
    std::erase_if(*terms, [](const TLikeTerm &term) { return term.pattern.MatchesEmptyField(); });
    return terms;
}

} // namespace

std::optional<std::vector<TLikeCondition>> FasterLikeTerms(const std::vector<TSqlToken> &condition)
{
    const std::optional<std::vector<TLikeTerm>> terms = OrderedTerms(condition);
    if (!terms)
        return std::nullopt;
    std::vector<TLikeCondition> conditions;
    for (const TLikeTerm &term : *terms) {
        conditions.push_back(
            {term.column,
             term.pattern.Shape() == TLikePattern::Anything ? std::nullopt : std::optional<QString>(term.value),
             term.literal});
    }
    return conditions;
}

QString LikeConditionSql(const std::vector<TLikeCondition> &terms, TSqlEngine engine)
{
    QStringList parts;
    for (const TLikeCondition &term : terms) {
        if (!term.pattern)
            parts << QStringLiteral("%1 IS NOT NULL").arg(term.column);
        else if (engine == TSqlEngine::Postgres)
            parts << QStringLiteral("lower(%1) LIKE lower(%2) ESCAPE ''").arg(term.column, term.literal);
        else
            parts << QStringLiteral("%1 LIKE %2").arg(term.column, term.literal);
    }
    return parts.join(QStringLiteral(" AND "));
}
