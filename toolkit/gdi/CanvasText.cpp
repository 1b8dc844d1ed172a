#include "toolkit/gdi/Canvas.h"

#include "toolkit/gdi/SpanSet.h"

#include <QFontMetrics>
#include <QPainter>
#include <QTextLayout>
#include <algorithm>
#include <cmath>

namespace {

// Qt's font stretch in percent, and the bounds it takes.
constexpr int kNormalStretch = 100;
constexpr int kNarrowestStretch = 1;
constexpr int kWidestStretch = 4000;

} // namespace

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

    if (!m_scale.IsUnit()) {
        // The image's pixels seen without its ratio: the painter works in them.
        QImage surface(m_image->bits(), m_image->width(), m_image->height(), m_image->bytesPerLine(),
                       m_image->format());
        QPainter painter(&surface);
        painter.setClipRect(ToSurface(clipDevice).ToQRect());
        DrawScaledLine(painter, line, shown, origin, tm.Ascent);
        painter.end();
    } else {
        QPainter painter(m_image);
        painter.setClipRect(clipDevice.ToQRect());
        painter.setPen(ToQColor(m_state.font.Color()));
        painter.setFont(qfont);
        // The line's own ascent is Qt's; the glyphs sit on the platform's
        // baseline, top + the font's Windows ascent.
        const qreal lineAscent = line.ascent();
        line.draw(&painter, QPointF(origin.X, origin.Y + tm.Ascent - lineAscent));
        for (int index : shown.underlined) {
            const TRect underline = UnderlineOf(line, index, origin, tm.Ascent);
            if (!underline.IsEmpty())
                painter.fillRect(underline.ToQRect(), ToQColor(m_state.font.Color()));
        }
        painter.end();
    }
    AfterQtDrawing(clipDevice.Intersected(TRect(origin.X, origin.Y, origin.X + width, origin.Y + tm.Height + 2)));
}

void TCanvas::DrawScaledLine(QPainter &painter, const QTextLine &line, const TPrefixedText &shown, TPoint origin,
                             int ascent)
{
    const double ratio = m_scale.Ratio();
    // Bold is drawn as the platform simulates it: the regular outline twice,
    // side by side; the bold faces' outlines are no heavier than the
    // regular ones at large sizes.
    const bool emboldened = m_state.font.Style() & fsBold;
    const double emboldening = std::max(1.0, std::round(ratio) - 1.0);
    QFont deviceFont = m_state.font.ToDeviceQFont(ratio);
    deviceFont.setBold(false);
    const QFontMetricsF deviceMetrics(deviceFont);
    painter.setPen(ToQColor(m_state.font.Color()));
    const QString &text = shown.text;
    const int baseline = SurfaceY(origin.Y + ascent);
    // Each stretch of text between tabs fills exactly the width the logical
    // layout gave it: the standing-in face is stretched to it, so that the
    // text neither spills over its cell nor leaves gaps between letters.
    int start = 0;
    while (start < text.size()) {
        int end = int(text.indexOf(QLatin1Char('\t'), start));
        if (end < 0)
            end = int(text.size());
        const QString run = text.mid(start, end - start);
        const double from = line.cursorToX(start), to = line.cursorToX(end);
        const double natural = deviceMetrics.horizontalAdvance(run);
        if (natural > 0) {
            QFont fitted = deviceFont;
            fitted.setStretch(std::clamp(int(std::lround(kNormalStretch * std::abs(to - from) * ratio / natural)),
                                         kNarrowestStretch, kWidestStretch));
            painter.setFont(fitted);
            const QPointF at(SurfaceX(origin.X) + std::min(from, to) * ratio, baseline);
            painter.drawText(at, run);
            if (emboldened)
                painter.drawText(at + QPointF(emboldening, 0), run);
        }
        start = end + 1;
    }
    for (int index : shown.underlined) {
        const TRect underline = UnderlineOf(line, index, origin, ascent);
        if (!underline.IsEmpty())
            painter.fillRect(ToSurface(underline).ToQRect(), ToQColor(m_state.font.Color()));
    }
}

TRect TCanvas::UnderlineOf(const QTextLine &line, int index, TPoint origin, int ascent)
{
    const qreal x0 = line.cursorToX(index);
    const qreal x1 = line.cursorToX(index + 1);
    const int left = origin.X + int(std::lround(std::min(x0, x1)));
    const int right = origin.X + int(std::lround(std::max(x0, x1)));
    const int y = origin.Y + ascent + 1;
    return TRect(left, y, right, y + 1);
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
