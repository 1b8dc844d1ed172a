#pragma once

#include <QString>
#include <QStringList>

#include <functional>

// Breaks a caption into lines no wider than a wrap width: at the last space
// that fits (the space itself is dropped), or inside a word that has no such
// space. A caption that fits is one line, even when empty. When a single
// character is wider than the wrap width no line can be made at all, and the
// result is empty.
class TCaptionBreaker
{
public:
    using TextWidth = std::function<int(const QString &)>;

    explicit TCaptionBreaker(TextWidth textWidth);

    QStringList Break(const QString &caption, int wrapWidth) const;

private:
    TextWidth m_textWidth;
};
