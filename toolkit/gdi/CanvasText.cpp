#include "toolkit/gdi/Canvas.h"

#include "toolkit/gdi/SpanSet.h"

#include <QFontMetrics>
#include <QPainter>
#include <QTextLayout>
#include <algorithm>
#include <cmath>

int TCanvas::TextWidth(const QString &text) const
{
    return TextExtent(text).cx;
}

int TCanvas::TextHeight(const QString &text) const
{
    return TextExtent(text).cy;
}

TSize TCanvas::TextExtent(const QString &text) const
{
    const QFontMetrics fm(m_state.font.ToQFont());
    return {fm.horizontalAdvance(text), m_state.font.Metrics().Height};
}

void TCanvas::DrawTextRun(const QString &rawText, int x, int top, const TRect *clip, bool opaque, bool prefixes,
                          bool expandTabs, bool rightToLeft)
{
    if (!Drawable())
        return;
    const TPrefixedText shown = StripPrefixes(rawText, prefixes);
    const TTextMetric tm = m_state.font.Metrics();
    const QFont qfont = m_state.font.ToQFont();
    const TPoint origin = ToDevice(x, top);

    QTextLayout layout(shown.text, qfont);
    QTextOption option(Qt::AlignLeft | Qt::AlignAbsolute);
    option.setTextDirection(rightToLeft ? Qt::RightToLeft : Qt::LeftToRight);
    option.setWrapMode(QTextOption::NoWrap);
    if (expandTabs)
        option.setTabStopDistance(TabStopDistance(tm));
    layout.setTextOption(option);
    layout.setCacheEnabled(true);
    layout.beginLayout();
    QTextLine line = layout.createLine();
    if (line.isValid())
        line.setLeadingIncluded(false);
    layout.endLayout();
    const int width = line.isValid() ? int(std::lround(line.naturalTextWidth())) : 0;

    TRect area = TRect(origin.X, origin.Y, origin.X + width, origin.Y + tm.Height).Intersected(WritableArea());
    TRect clipDevice = WritableArea();
    if (clip)
        clipDevice = clipDevice.Intersected(ToDevice(*clip));
    area = area.Intersected(clipDevice);
    if (opaque && m_state.brush.Paints())
        PaintWithBrush(TSpanSet::FromRect(area), m_state.brush);
    if (!line.isValid() || clipDevice.IsEmpty())
        return;

    QPainter painter(m_image);
    painter.setClipRect(clipDevice.ToQRect());
    painter.setPen(ToQColor(m_state.font.Color()));
    painter.setFont(qfont);
    // The line's own ascent is Qt's; the glyphs sit on the platform's
    // baseline, top + the font's Windows ascent.
    const qreal lineAscent = line.ascent();
    line.draw(&painter, QPointF(origin.X, origin.Y + tm.Ascent - lineAscent));
    for (int index : shown.underlined) {
        const qreal x0 = line.cursorToX(index);
        const qreal x1 = line.cursorToX(index + 1);
        const int left = origin.X + int(std::lround(std::min(x0, x1)));
        const int right = origin.X + int(std::lround(std::max(x0, x1)));
        const int y = origin.Y + tm.Ascent + 1;
        if (right > left)
            painter.fillRect(QRect(left, y, right - left, 1), ToQColor(m_state.font.Color()));
    }
    painter.end();
    AfterQtDrawing(clipDevice.Intersected(TRect(origin.X, origin.Y, origin.X + width, origin.Y + tm.Height + 2)));
}

void TCanvas::TextOut(int x, int y, const QString &text)
{
    DrawTextRun(text, x, y, nullptr, m_state.brush.Style() != bsClear, false, false, false);
}

void TCanvas::TextRect(const TRect &r, int x, int y, const QString &text)
{
    if (m_state.brush.Style() != bsClear)
        FillRect(r);
    DrawTextRun(text, x, y, &r, false, false, false, false);
}

int TCanvas::DrawText(const QString &text, TRect &r, unsigned flags)
{
    const TTextBlock block = TTextLayout(m_state.font).Arrange(text, r, flags);
    if (flags & DT_CALCRECT) {
        r.Right = r.Left + block.width;
        r.Bottom = r.Top + block.height;
        return block.height;
    }
    const bool prefixes = !(flags & DT_NOPREFIX);
    const bool expandTabs = flags & DT_EXPANDTABS;
    const bool rightToLeft = flags & DT_RTLREADING;
    const TRect *clip = (flags & DT_NOCLIP) ? nullptr : &r;
    const bool opaque = m_state.brush.Style() != bsClear;
    for (const TTextLine &line : block.lines)
        DrawTextRun(line.text, line.x, line.top, clip, opaque, prefixes, expandTabs, rightToLeft);
    return block.bottomOffset;
}
