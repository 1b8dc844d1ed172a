#include "data/SchemaNames.h"

#include "data/SqlTokenizer.h"

#include <algorithm>

namespace {

bool IsAsciiOnly(const QString &name)
{
    return std::all_of(name.begin(), name.end(), [](QChar c) { return c.unicode() < 0x80; });
}

// A bracketed name cannot hold "]"; a backquoted one doubles its "`".
QString Bracketed(const QString &name)
{
    if (!name.contains(u']'))
        return u'[' + name + u']';
    QString text = name;
    text.replace(u'`', QStringLiteral("``"));
    return u'`' + text + u'`';
}

} // namespace

void TSchemaNames::Add(const QString &name)
{
    QStringList &spellings = m_byFoldedName[name.toCaseFolded()];
    if (!spellings.contains(name))
        spellings << name;
}

QStringList TSchemaNames::Matches(const QString &name) const
{
    const QStringList spellings = m_byFoldedName.value(name.toCaseFolded());
    if (spellings.contains(name))
        return {name};
    return spellings;
}

QString TSchemaNames::Respell(const QString &statement) const
{
    std::vector<TSqlToken> tokens = TokenizeSql(statement);
    QString text;
    for (TSqlToken &token : tokens) {
        if (token.kind == TSqlToken::Word || token.kind == TSqlToken::QuotedName) {
            const QString written = token.kind == TSqlToken::Word ? token.text : token.value;
            const QStringList stored = IsAsciiOnly(written) ? QStringList() : Matches(written);
            if (stored.size() == 1 && stored.front() != written)
                token.text = Bracketed(stored.front());
        }
        text += token.text;
    }
    return text;
}
