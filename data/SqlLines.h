#pragma once

#include <QString>
#include <QStringList>
#include <functional>

// The text of a query as a list of lines. Every change (also clearing an
// empty list) calls the owner's change handler afterwards.
class TSqlLines
{
public:
    explicit TSqlLines(std::function<void()> changed)
        : m_changed(std::move(changed))
    { }

    void Clear();
    void Add(const QString &line);
    int Count() const { return int(m_lines.size()); }
    const QString &operator[](int index) const { return m_lines[index]; }
    const QStringList &Lines() const { return m_lines; }
    // The lines, each followed by CR LF.
    QString Text() const;
    // Replaces the lines by those of `text` (split at CR LF, LF or CR).
    void SetText(const QString &text);

private:
    QStringList m_lines;
    std::function<void()> m_changed;
};
