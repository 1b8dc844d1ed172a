#include "data/SqlTokenizer.h"

#include "toolkit/db/DatabaseError.h"

#include <QCoreApplication>

namespace {

bool IsWordStart(QChar c)
{
    return c.isLetter() || c == u'_' || c.unicode() >= 0x80;
}

bool IsWordPart(QChar c)
{
    return IsWordStart(c) || c.isDigit() || c == u'$';
}

QString Tr(const char *text)
{
    return QCoreApplication::translate("SqlTokenizer", text);
}

class Scanner
{
public:
    explicit Scanner(const QString &text)
        : m_text(text)
    { }

    std::vector<TSqlToken> Run()
    {
        std::vector<TSqlToken> tokens;
        while (m_pos < m_text.size()) {
            const qsizetype start = m_pos;
            TSqlToken token{ScanOne(), {}, {}};
            token.text = m_text.mid(start, m_pos - start);
            token.value = m_value;
            tokens.push_back(std::move(token));
        }
        return tokens;
    }

private:
    QChar At(qsizetype pos) const { return pos < m_text.size() ? m_text[pos] : QChar(); }

    TSqlToken::Kind ScanOne()
    {
        m_value.clear();
        const QChar c = At(m_pos);
        const QChar next = At(m_pos + 1);
        if (c.isSpace()) {
            while (m_pos < m_text.size() && m_text[m_pos].isSpace())
                ++m_pos;
            return TSqlToken::Space;
        }
        if (c == u'-' && next == u'-') {
            while (m_pos < m_text.size() && m_text[m_pos] != u'\n')
                ++m_pos;
            return TSqlToken::Comment;
        }
        if (c == u'/' && next == u'*') {
            const qsizetype end = m_text.indexOf(QStringLiteral("*/"), m_pos + 2);
            if (end < 0)
                throw EDatabaseError(Tr("Syntax error in the SQL statement: a comment is not closed."));
            m_pos = end + 2;
            return TSqlToken::Comment;
        }
        if (c == u'\'')
            return ScanQuoted(u'\'', TSqlToken::String, "Syntax error in the SQL statement: a string is not closed.");
        if (c == u'"')
            return ScanQuoted(u'"', TSqlToken::QuotedString,
                              "Syntax error in the SQL statement: a string is not closed.");
        if (c == u'[')
            return ScanQuoted(u']', TSqlToken::QuotedName,
                              "Syntax error in the SQL statement: a bracketed name is not closed.");
        if (c == u'`')
            return ScanQuoted(u'`', TSqlToken::QuotedName,
                              "Syntax error in the SQL statement: a quoted name is not closed.");
        if (c.isDigit() || (c == u'.' && next.isDigit())) {
            ScanNumber();
            return TSqlToken::Number;
        }
        if (IsWordStart(c)) {
            while (m_pos < m_text.size() && IsWordPart(m_text[m_pos]))
                ++m_pos;
            return TSqlToken::Word;
        }
        if (c == u'?' || ((c == u':' || c == u'@') && IsWordStart(next))) {
            ++m_pos;
            while (m_pos < m_text.size() && IsWordPart(m_text[m_pos]))
                ++m_pos;
            return TSqlToken::Parameter;
        }
        if (c == u';') {
            ++m_pos;
            return TSqlToken::Semicolon;
        }
        static const QString twoCharacterSymbols[] = {QStringLiteral("<="), QStringLiteral(">="), QStringLiteral("<>"),
                                                      QStringLiteral("!="), QStringLiteral("=="), QStringLiteral("||"),
                                                      QStringLiteral("<<"), QStringLiteral(">>")};
        for (const QString &symbol : twoCharacterSymbols) {
            if (QStringView(m_text).mid(m_pos, 2) == symbol) {
                m_pos += 2;
                return TSqlToken::Symbol;
            }
        }
        ++m_pos;
        return TSqlToken::Symbol;
    }

    // Scans from the opening character to `close`. A closing quote written
    // twice stands for itself inside the token (not so a closing bracket).
    TSqlToken::Kind ScanQuoted(QChar close, TSqlToken::Kind kind, const char *unterminated)
    {
        ++m_pos;
        for (;;) {
            if (m_pos >= m_text.size())
                throw EDatabaseError(Tr(unterminated));
            const QChar c = m_text[m_pos++];
            if (c != close) {
                m_value += c;
                continue;
            }
            if (At(m_pos) == close && close != u']') {
                m_value += c;
                ++m_pos;
                continue;
            }
            return kind;
        }
    }

    void ScanNumber()
    {
        while (At(m_pos).isDigit() || At(m_pos) == u'.')
            ++m_pos;
        if ((At(m_pos) == u'e' || At(m_pos) == u'E')
            && (At(m_pos + 1).isDigit()
                || ((At(m_pos + 1) == u'+' || At(m_pos + 1) == u'-') && At(m_pos + 2).isDigit()))) {
            m_pos += 2;
            while (At(m_pos).isDigit())
                ++m_pos;
        }
    }

    const QString &m_text;
    qsizetype m_pos = 0;
    QString m_value;
};

} // namespace

bool TSqlToken::IsWord(const char *keyword) const
{
    return kind == Word && text.compare(QLatin1String(keyword), Qt::CaseInsensitive) == 0;
}

std::vector<TSqlToken> TokenizeSql(const QString &statement)
{
    return Scanner(statement).Run();
}
