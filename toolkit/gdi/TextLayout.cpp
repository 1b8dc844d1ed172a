#include "toolkit/gdi/TextLayout.h"

#include <QFontMetrics>
#include <QTextLayout>
#include <algorithm>
#include <cmath>

namespace {

constexpr int kTabStopInAverageCharacters = 8;

} // namespace

TPrefixedText StripPrefixes(const QString &raw, bool process)
{
    TPrefixedText out;
    if (!process) {
        out.text = raw;
        return out;
    }
    out.text.reserve(raw.size());
    for (int i = 0; i < raw.size(); ++i) {
        if (raw[i] != QLatin1Char('&')) {
            out.text += raw[i];
            continue;
        }
        if (i + 1 >= raw.size())
            break;
        ++i;
        if (raw[i] != QLatin1Char('&'))
            out.underlined.push_back(int(out.text.size()));
        out.text += raw[i];
    }
    return out;
}

int TabStopDistance(const TTextMetric &metric)
{
    return kTabStopInAverageCharacters * std::max(1, metric.AveCharWidth);
}

int TTextLayout::RunWidth(const QString &rawText, bool prefixes, bool expandTabs) const
{
    const TPrefixedText shown = StripPrefixes(rawText, prefixes);
    if (!expandTabs || !shown.text.contains(QLatin1Char('\t')))
        return QFontMetrics(m_font.ToQFont()).horizontalAdvance(shown.text);
    QTextLayout layout(shown.text, m_font.ToQFont());
    QTextOption option(Qt::AlignLeft | Qt::AlignAbsolute);
    option.setWrapMode(QTextOption::NoWrap);
    option.setTabStopDistance(TabStopDistance(m_font.Metrics()));
    layout.setTextOption(option);
    layout.beginLayout();
    QTextLine line = layout.createLine();
    layout.endLayout();
    return line.isValid() ? int(std::lround(line.naturalTextWidth())) : 0;
}

std::vector<QString> TTextLayout::BreakLines(const QString &text, int width, bool wordBreak, bool prefixes,
                                             bool expandTabs) const
{
    std::vector<QString> paragraphs;
    QString current;
    for (int i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == QLatin1Char('\r') || c == QLatin1Char('\n')) {
            paragraphs.push_back(current);
            current.clear();
            if (c == QLatin1Char('\r') && i + 1 < text.size() && text[i + 1] == QLatin1Char('\n'))
                ++i;
            continue;
        }
        current += c;
    }
    paragraphs.push_back(current);
    if (!wordBreak)
        return paragraphs;

    std::vector<QString> lines;
    for (const QString &paragraph : paragraphs) {
        QString line;
        int i = 0;
        while (i < paragraph.size()) {
            int j = i;
            while (j < paragraph.size() && paragraph[j] != QLatin1Char(' '))
                ++j;
            const QString word = paragraph.mid(i, j - i);
            int k = j;
            while (k < paragraph.size() && paragraph[k] == QLatin1Char(' '))
                ++k;
            const QString candidate = line + word;
            if (!line.isEmpty() && RunWidth(candidate, prefixes, expandTabs) > width) {
                while (line.endsWith(QLatin1Char(' ')))
                    line.chop(1);
                lines.push_back(line);
                line = word;
            } else {
                line = candidate;
            }
            line += paragraph.mid(j, k - j);
            i = k;
        }
        while (line.endsWith(QLatin1Char(' ')))
            line.chop(1);
        lines.push_back(line);
    }
    return lines;
}

// A line wider than the width keeps its longest beginning that fits with
// "..." after it.
QString TTextLayout::ElidedAtEnd(const QString &line, int width, bool prefixes, bool expandTabs) const
{
    if (RunWidth(line, prefixes, expandTabs) <= width)
        return line;
    const QString ellipsis = QStringLiteral("...");
    for (qsizetype kept = line.size() - 1; kept > 0; --kept) {
        const QString candidate = line.left(kept) + ellipsis;
        if (RunWidth(candidate, prefixes, expandTabs) <= width)
            return candidate;
    }
    return ellipsis;
}

TTextBlock TTextLayout::Arrange(const QString &text, const TRect &r, unsigned flags) const
{
    const bool prefixes = !(flags & DT_NOPREFIX);
    const bool singleLine = flags & DT_SINGLELINE;
    const bool expandTabs = flags & DT_EXPANDTABS;
    const int lineHeight = m_font.Metrics().Height;

    std::vector<QString> lines;
    if (singleLine) {
        QString one = text;
        one.remove(QLatin1Char('\r'));
        one.remove(QLatin1Char('\n'));
        lines.push_back(one);
    } else {
        lines = BreakLines(text, r.Width(), flags & DT_WORDBREAK, prefixes, expandTabs);
    }

    if (flags & DT_END_ELLIPSIS) {
        for (QString &line : lines)
            line = ElidedAtEnd(line, r.Width(), prefixes, expandTabs);
    }

    TTextBlock block;
    std::vector<int> widths;
    for (const QString &line : lines) {
        widths.push_back(RunWidth(line, prefixes, expandTabs));
        block.width = std::max(block.width, widths.back());
    }
    block.height = lineHeight * int(lines.size());

    int top = r.Top;
    if (singleLine && (flags & DT_VCENTER))
        top = (r.Top + r.Bottom - lineHeight) / 2;
    else if (singleLine && (flags & DT_BOTTOM))
        top = r.Bottom - lineHeight;
    block.bottomOffset = singleLine && (flags & (DT_VCENTER | DT_BOTTOM)) ? top - r.Top + block.height : block.height;

    for (size_t i = 0; i < lines.size(); ++i) {
        int x = r.Left;
        if (flags & DT_CENTER)
            x = (r.Left + r.Right - widths[i]) / 2;
        else if (flags & DT_RIGHT)
            x = r.Right - widths[i];
        block.lines.push_back({std::move(lines[i]), x, top + lineHeight * int(i)});
    }
    return block;
}
