#include "data/SqlLines.h"

#include <QRegularExpression>

void TSqlLines::Clear()
{
    m_lines.clear();
    m_changed();
}

void TSqlLines::Add(const QString &line)
{
    m_lines.append(line);
    m_changed();
}

QString TSqlLines::Text() const
{
    QString text;
    for (const QString &line : m_lines)
        text += line + QStringLiteral("\r\n");
    return text;
}

void TSqlLines::SetText(const QString &text)
{
    static const QRegularExpression lineBreak(QStringLiteral("\r\n|\n|\r"));
    m_lines = text.split(lineBreak);
    if (!m_lines.isEmpty() && m_lines.last().isEmpty())
        m_lines.removeLast();
    m_changed();
}
