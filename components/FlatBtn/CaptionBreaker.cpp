#include "components/FlatBtn/CaptionBreaker.h"

#include <utility>

TCaptionBreaker::TCaptionBreaker(TextWidth textWidth)
    : m_textWidth(std::move(textWidth))
{ }

QStringList TCaptionBreaker::Break(const QString &caption, int wrapWidth) const
{
    if (m_textWidth(caption) <= wrapWidth)
        return {caption};

    QStringList lines;
    const qsizetype length = caption.size();
    qsizetype consumed = 0;
    qsizetype previousLineStart = -1;
    while (consumed < length) {
        if (consumed == previousLineStart)
            return {};
        const qsizetype lineStart = consumed;
        previousLineStart = lineStart;
        QString line;
        // Length of the line before its last space; 0 means no usable space.
        qsizetype spaceMark = 0;
        while (consumed < length) {
            const QChar next = caption.at(consumed);
            if (m_textWidth(line + next) > wrapWidth)
                break;
            line += next;
            ++consumed;
            if (next == QLatin1Char(' '))
                spaceMark = line.size() - 1;
        }
        if (consumed < length && spaceMark != 0) {
            line.truncate(spaceMark);
            consumed = lineStart + spaceMark + 1;
        }
        lines.append(line);
    }
    return lines;
}
