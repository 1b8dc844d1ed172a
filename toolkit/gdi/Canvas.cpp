#include "toolkit/gdi/Canvas.h"

#include "toolkit/gdi/BitmapPixels.h"
#include "toolkit/gdi/Rasterizer.h"
#include "toolkit/gdi/Region.h"
#include "toolkit/gdi/SpanSet.h"

#include <QPainter>
#include <QTextLayout>
#include <algorithm>
#include <array>
#include <cstdlib>

namespace {

constexpr QRgb kRgbMask = 0x00FFFFFF;
constexpr QRgb kOpaqueAlpha = 0xFF000000;
constexpr int kTabStopInAverageCharacters = 8;

// Dash patterns of a thin styled pen: lengths of drawn and skipped runs.
struct DashPattern {
    std::array<int, 6> runs;
    int count;
};

const DashPattern *PatternOf(TPenStyle style)
{
    static const DashPattern dash{{18, 6}, 2};
    static const DashPattern dot{{3, 3}, 2};
    static const DashPattern dashDot{{9, 6, 3, 6}, 4};
    static const DashPattern dashDotDot{{9, 3, 3, 3, 3, 3}, 6};
    switch (style) {
    case psDash: return &dash;
    case psDot: return &dot;
    case psDashDot: return &dashDot;
    case psDashDotDot: return &dashDotDot;
    default: return nullptr;
    }
}

bool PatternDraws(const DashPattern &pattern, int position)
{
    int period = 0;
    for (int i = 0; i < pattern.count; ++i)
        period += pattern.runs[size_t(i)];
    int p = position % period;
    for (int i = 0; i < pattern.count; ++i) {
        if (p < pattern.runs[size_t(i)])
            return i % 2 == 0;
        p -= pattern.runs[size_t(i)];
    }
    return false;
}

// Every bit of the result from the pattern, source and destination bits:
// bit (p·4 + s·2 + d) of the ternary code is the result for that case.
QRgb Ternary(unsigned code, QRgb p, QRgb s, QRgb d)
{
    switch (code) {
    case 0xCC: return s;
    case 0x88: return s & d;
    case 0xEE: return s | d;
    case 0x66: return s ^ d;
    case 0xE2: return ((s & p) | (~s & d)) & kRgbMask;
    default: break;
    }
    QRgb result = 0;
    for (unsigned index = 0; index < 8; ++index) {
        if (!(code & (1u << index)))
            continue;
        const QRgb pm = (index & 4) ? p : ~p;
        const QRgb sm = (index & 2) ? s : ~s;
        const QRgb dm = (index & 1) ? d : ~d;
        result |= pm & sm & dm;
    }
    return result & kRgbMask;
}

unsigned TernaryCode(TRasterOp rop)
{
    return (rop >> 16) & 0xFF;
}

bool UsesSource(unsigned code)
{
    return ((code >> 2) & 0x33) != (code & 0x33);
}

int ColorDistance(QRgb a, QRgb b)
{
    const int dr = qRed(a) - qRed(b), dg = qGreen(a) - qGreen(b), db = qBlue(a) - qBlue(b);
    return dr * dr + dg * dg + db * db;
}

// The text to show with its accelerator positions: "&x" underlines x and
// "&&" shows one ampersand; a lone trailing "&" is dropped.
struct PrefixedText {
    QString text;
    std::vector<int> underlined;
};

PrefixedText StripPrefixes(const QString &raw, bool process)
{
    PrefixedText out;
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

} // namespace

TCanvas::TCanvas() = default;

TCanvas::TCanvas(QImage *image)
{
    SetImage(image);
}

void TCanvas::SetImage(QImage *image)
{
    m_image = image;
    if (m_image && !m_image->isNull() && m_image->format() != QImage::Format_RGB32 &&
        m_image->format() != QImage::Format_ARGB32 && m_image->format() != QImage::Format_ARGB32_Premultiplied)
        *m_image = m_image->convertToFormat(QImage::Format_RGB32);
}

int TCanvas::Width() const
{
    return m_image ? m_image->width() : 0;
}

int TCanvas::Height() const
{
    return m_image ? m_image->height() : 0;
}

void TCanvas::SetPalette(const QVector<QRgb> &palette)
{
    m_palette.clear();
    for (QRgb entry : palette)
        m_palette.push_back(entry | kOpaqueAlpha);
    m_quantiseCached = false;
}

bool TCanvas::Drawable() const
{
    return m_image && !m_image->isNull();
}

bool TCanvas::Monochrome() const
{
    return m_palette.size() == 2 && (m_palette[0] & kRgbMask) == 0 && (m_palette[1] & kRgbMask) == kRgbMask;
}

TRect TCanvas::WritableArea() const
{
    if (!Drawable())
        return {};
    const TRect image(0, 0, m_image->width(), m_image->height());
    return m_state.clipped ? image.Intersected(m_state.clip) : image;
}

void TCanvas::SetClipRect(const TRect &logical)
{
    m_state.clipped = true;
    m_state.clip = logical.IsEmpty() ? TRect{} : ToDevice(logical);
}

void TCanvas::IntersectClipRect(const TRect &logical)
{
    const TRect device = logical.IsEmpty() ? TRect{} : ToDevice(logical);
    m_state.clip = m_state.clipped ? m_state.clip.Intersected(device) : device;
    m_state.clipped = true;
}

void TCanvas::ClearClip()
{
    m_state.clipped = false;
    m_state.clip = {};
}

TRect TCanvas::ClipRect() const
{
    const TRect area = WritableArea();
    return area.IsEmpty() ? TRect{} : area.Offset(-m_state.origin.X, -m_state.origin.Y);
}

void TCanvas::Save()
{
    m_saved.push_back(m_state);
}

void TCanvas::Restore()
{
    if (m_saved.empty())
        return;
    m_state = m_saved.back();
    m_saved.pop_back();
}

QRgb TCanvas::Quantise(QRgb rgb) const
{
    rgb |= kOpaqueAlpha;
    if (m_palette.isEmpty())
        return rgb;
    if (m_quantiseCached && m_lastQuantised == rgb)
        return m_lastQuantisedResult;
    QRgb best = m_palette.front();
    int bestDistance = ColorDistance(rgb, best);
    for (QRgb entry : m_palette) {
        const int d = ColorDistance(rgb, entry);
        if (d < bestDistance) {
            best = entry;
            bestDistance = d;
        }
    }
    m_lastQuantised = rgb;
    m_lastQuantisedResult = best;
    m_quantiseCached = true;
    return best;
}

QRgb TCanvas::Resolve(TColor color) const
{
    return ToQRgb(color);
}

void TCanvas::WritePixel(int x, int y, QRgb rgb)
{
    if (WritableArea().Contains(x, y))
        StorePixel(x, y, rgb);
}

void TCanvas::StorePixel(int x, int y, QRgb rgb)
{
    reinterpret_cast<QRgb *>(m_image->scanLine(y))[x] = Quantise(rgb);
}

QRgb TCanvas::ReadPixel(int x, int y) const
{
    return reinterpret_cast<const QRgb *>(m_image->constScanLine(y))[x];
}

QRgb TCanvas::BrushPixel(const TBrush &brush, int x, int y) const
{
    const TBitmapPixels *pattern = brush.Bitmap();
    if (!pattern || pattern->Empty())
        return Resolve(brush.Color());
    const int px = ((x % pattern->Width()) + pattern->Width()) % pattern->Width();
    const int py = ((y % pattern->Height()) + pattern->Height()) % pattern->Height();
    const QRgb p = pattern->Image().pixel(px, py) & kRgbMask;
    if (pattern->PixelFormat() == pf1bit)
        return p == kRgbMask ? Resolve(m_state.bkColor) : Resolve(m_state.textColor);
    return p;
}

void TCanvas::PaintWithBrush(const TSpanSet &deviceRegion, const TBrush &brush)
{
    if (!Drawable() || !brush.Paints())
        return;
    const TRect area = WritableArea();
    const bool patterned = brush.Bitmap() && !brush.Bitmap()->Empty();
    const QRgb solid = Quantise(Resolve(brush.Color()));
    const auto &rows = deviceRegion.Rows();
    for (size_t i = 0; i < rows.size(); ++i) {
        const int y = deviceRegion.Top() + int(i);
        if (y < area.Top || y >= area.Bottom)
            continue;
        QRgb *line = reinterpret_cast<QRgb *>(m_image->scanLine(y));
        for (const TSpanSet::Span &s : rows[i]) {
            const int x0 = std::max(s.x0, area.Left), x1 = std::min(s.x1, area.Right);
            if (patterned)
                for (int x = x0; x < x1; ++x)
                    line[x] = Quantise(BrushPixel(brush, x, y));
            else
                std::fill(line + x0, line + std::max(x1, x0), solid);
        }
    }
}

void TCanvas::PenPixel(int x, int y)
{
    if (!WritableArea().Contains(x, y))
        return;
    switch (m_state.pen.Mode()) {
    case pmCopy: WritePixel(x, y, Resolve(m_state.pen.Color())); break;
    case pmNot: WritePixel(x, y, ~ReadPixel(x, y)); break;
    case pmXor: WritePixel(x, y, ReadPixel(x, y) ^ Resolve(m_state.pen.Color())); break;
    }
}

void TCanvas::PaintWithPen(const TSpanSet &deviceRegion)
{
    if (!Drawable() || m_state.pen.Style() == psClear)
        return;
    const auto &rows = deviceRegion.Rows();
    for (size_t i = 0; i < rows.size(); ++i)
        for (const TSpanSet::Span &s : rows[i])
            for (int x = s.x0; x < s.x1; ++x)
                PenPixel(x, deviceRegion.Top() + int(i));
}

void TCanvas::ThinPenLine(int x0, int y0, int x1, int y1, int &patternPosition)
{
    const DashPattern *pattern = PatternOf(m_state.pen.Style());
    TRasterizer::ThinLine(x0, y0, x1, y1, [&](int x, int y) {
        if (!pattern || PatternDraws(*pattern, patternPosition))
            PenPixel(x, y);
        ++patternPosition;
    });
}

void TCanvas::PenSegment(TPoint from, TPoint to, int &patternPosition)
{
    if (m_state.pen.Style() == psClear)
        return;
    const TPoint a = ToDevice(from.X, from.Y), b = ToDevice(to.X, to.Y);
    if (m_state.pen.Width() > 1)
        PaintWithPen(TRasterizer::WideLine(a.X, a.Y, b.X, b.Y, m_state.pen.Width()));
    else
        ThinPenLine(a.X, a.Y, b.X, b.Y, patternPosition);
}

void TCanvas::MoveTo(int x, int y)
{
    m_state.penPos = {x, y};
}

void TCanvas::LineTo(int x, int y)
{
    int patternPosition = 0;
    PenSegment(m_state.penPos, {x, y}, patternPosition);
    m_state.penPos = {x, y};
}

void TCanvas::Polyline(const std::vector<TPoint> &points)
{
    if (points.empty())
        return;
    if (m_state.pen.Width() > 1 && m_state.pen.Style() != psClear) {
        TSpanSet band;
        for (size_t i = 0; i + 1 < points.size(); ++i) {
            const TPoint a = ToDevice(points[i].X, points[i].Y), b = ToDevice(points[i + 1].X, points[i + 1].Y);
            band.Combine(TRasterizer::WideLine(a.X, a.Y, b.X, b.Y, m_state.pen.Width()));
        }
        PaintWithPen(band);
        return;
    }
    int patternPosition = 0;
    for (size_t i = 0; i + 1 < points.size(); ++i)
        PenSegment(points[i], points[i + 1], patternPosition);
}

void TCanvas::Polygon(const std::vector<TPoint> &points)
{
    if (points.size() < 2)
        return;
    std::vector<TPoint> device;
    device.reserve(points.size());
    for (const TPoint &p : points)
        device.push_back(ToDevice(p.X, p.Y));
    PaintWithBrush(TRasterizer::PolygonShape(device, m_state.fillMode), m_state.brush);
    std::vector<TPoint> closed = points;
    closed.push_back(points.front());
    Polyline(closed);
}

void TCanvas::PaintFigure(const TSpanSet &outline, const TSpanSet &inside)
{
    PaintWithBrush(inside, m_state.brush);
    PaintWithPen(outline);
}

namespace {

using ShapeBuilder = std::function<TSpanSet(int, int, int, int)>;

} // namespace

// Shared by Rectangle, Ellipse and RoundRect: the pen centred on the thin
// outline (inside the box for psInsideFrame), the brush inside it. Without a
// pen the brush fills the box less its right column and bottom row, as the
// platform does.
static void DrawBoxFigure(TCanvas &canvas, const ShapeBuilder &shape, TRect box,
                          const std::function<void(const TSpanSet &, const TSpanSet &)> &paint)
{
    box = box.Normalized();
    const TPen &pen = canvas.Pen();
    if (pen.Style() == psClear) {
        paint(TSpanSet(), shape(box.Left, box.Top, box.Right - 1, box.Bottom - 1));
        return;
    }
    const int width = pen.Width();
    if (pen.Style() == psInsideFrame && width > 1) {
        const int outward = width / 2, inward = width - 1 - outward;
        box = TRect(box.Left + outward, box.Top + outward, box.Right - inward, box.Bottom - inward);
    }
    const TRasterizer::Figure figure = TRasterizer::BoxFigure(shape, box.Left, box.Top, box.Right, box.Bottom, width);
    paint(figure.outline, figure.inside);
}

void TCanvas::Rectangle(int left, int top, int right, int bottom)
{
    const TRect box = ToDevice(TRect(left, top, right, bottom));
    DrawBoxFigure(*this, &TRasterizer::RectShape, box,
                  [this](const TSpanSet &outline, const TSpanSet &inside) { PaintFigure(outline, inside); });
}

void TCanvas::Ellipse(int left, int top, int right, int bottom)
{
    const TRect box = ToDevice(TRect(left, top, right, bottom));
    DrawBoxFigure(*this, &TRasterizer::EllipseShape, box,
                  [this](const TSpanSet &outline, const TSpanSet &inside) { PaintFigure(outline, inside); });
}

void TCanvas::RoundRect(int left, int top, int right, int bottom, int ellipseWidth, int ellipseHeight)
{
    const TRect box = ToDevice(TRect(left, top, right, bottom));
    const ShapeBuilder shape = [ellipseWidth, ellipseHeight](int l, int t, int r, int b) {
        return TRasterizer::RoundRectShape(l, t, r, b, ellipseWidth, ellipseHeight);
    };
    DrawBoxFigure(*this, shape, box,
                  [this](const TSpanSet &outline, const TSpanSet &inside) { PaintFigure(outline, inside); });
}

void TCanvas::FillRect(const TRect &r)
{
    if (r.IsEmpty())
        return;
    PaintWithBrush(TSpanSet::FromRect(ToDevice(r)), m_state.brush);
}

void TCanvas::FrameRect(const TRect &r)
{
    if (r.IsEmpty())
        return;
    PaintWithBrush(TRegion::FromRect(ToDevice(r)).Frame(1, 1).Spans(), m_state.brush);
}

void TCanvas::InvertRect(const TRect &r)
{
    if (r.IsEmpty() || !Drawable())
        return;
    const TRect d = ToDevice(r).Intersected(WritableArea());
    for (int y = d.Top; y < d.Bottom; ++y)
        for (int x = d.Left; x < d.Right; ++x)
            WritePixel(x, y, ~ReadPixel(x, y));
}

void TCanvas::DrawFocusRect(const TRect &r)
{
    if (r.IsEmpty() || !Drawable())
        return;
    const TSpanSet frame = TRegion::FromRect(ToDevice(r)).Frame(1, 1).Spans();
    const TRect area = WritableArea();
    const auto &rows = frame.Rows();
    // Every other pixel, on a checkerboard fixed to the image, is inverted.
    for (size_t i = 0; i < rows.size(); ++i) {
        const int y = frame.Top() + int(i);
        for (const TSpanSet::Span &s : rows[i])
            for (int x = s.x0; x < s.x1; ++x)
                if (((x + y) & 1) == 0 && area.Contains(x, y))
                    WritePixel(x, y, ~ReadPixel(x, y));
    }
}

TColor TCanvas::Pixel(int x, int y) const
{
    const TPoint d = ToDevice(x, y);
    if (!WritableArea().Contains(d))
        return CLR_INVALID;
    return FromQRgb(ReadPixel(d.X, d.Y));
}

void TCanvas::SetPixel(int x, int y, TColor color)
{
    const TPoint d = ToDevice(x, y);
    WritePixel(d.X, d.Y, Resolve(color));
}

void TCanvas::FillRgn(const TRegion &region, const TBrush &brush)
{
    TSpanSet device = region.Spans();
    device.Offset(m_state.origin.X, m_state.origin.Y);
    PaintWithBrush(device, brush);
}

void TCanvas::FrameRgn(const TRegion &region, const TBrush &brush, int width, int height)
{
    TSpanSet device = region.Frame(width, height).Spans();
    device.Offset(m_state.origin.X, m_state.origin.Y);
    PaintWithBrush(device, brush);
}

// ---- Text ----

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

void TCanvas::AfterQtDrawing(const TRect &deviceArea)
{
    if (m_palette.isEmpty() || !Drawable())
        return;
    const TRect d = deviceArea.Intersected(WritableArea());
    for (int y = d.Top; y < d.Bottom; ++y) {
        QRgb *line = reinterpret_cast<QRgb *>(m_image->scanLine(y));
        for (int x = d.Left; x < d.Right; ++x)
            line[x] = Quantise(line[x]);
    }
}

void TCanvas::DrawTextRun(const QString &rawText, int x, int top, const TRect *clip, bool opaque, bool prefixes,
                          bool expandTabs, bool rightToLeft)
{
    if (!Drawable())
        return;
    const PrefixedText shown = StripPrefixes(rawText, prefixes);
    const TTextMetric tm = m_state.font.Metrics();
    const QFont qfont = m_state.font.ToQFont();
    const TPoint origin = ToDevice(x, top);

    QTextLayout layout(shown.text, qfont);
    QTextOption option(Qt::AlignLeft | Qt::AlignAbsolute);
    option.setTextDirection(rightToLeft ? Qt::RightToLeft : Qt::LeftToRight);
    option.setWrapMode(QTextOption::NoWrap);
    if (expandTabs)
        option.setTabStopDistance(kTabStopInAverageCharacters * std::max(1, tm.AveCharWidth));
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

int TCanvas::RunWidth(const QString &rawText, bool prefixes, bool expandTabs) const
{
    const PrefixedText shown = StripPrefixes(rawText, prefixes);
    if (!expandTabs || !shown.text.contains(QLatin1Char('\t')))
        return QFontMetrics(m_state.font.ToQFont()).horizontalAdvance(shown.text);
    QTextLayout layout(shown.text, m_state.font.ToQFont());
    QTextOption option(Qt::AlignLeft | Qt::AlignAbsolute);
    option.setWrapMode(QTextOption::NoWrap);
    option.setTabStopDistance(kTabStopInAverageCharacters * std::max(1, m_state.font.Metrics().AveCharWidth));
    layout.setTextOption(option);
    layout.beginLayout();
    QTextLine line = layout.createLine();
    layout.endLayout();
    return line.isValid() ? int(std::lround(line.naturalTextWidth())) : 0;
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

std::vector<QString> TCanvas::BreakLines(const QString &text, int width, bool wordBreak, bool prefixes,
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

    // Greedy breaking after spaces; a word wider than the line stands alone
    // on its line and is not split.
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
QString TCanvas::ElidedAtEnd(const QString &line, int width, bool prefixes, bool expandTabs) const
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

int TCanvas::DrawText(const QString &text, TRect &r, unsigned flags)
{
    const bool prefixes = !(flags & DT_NOPREFIX);
    const bool singleLine = flags & DT_SINGLELINE;
    const bool expandTabs = flags & DT_EXPANDTABS;
    const bool rightToLeft = flags & DT_RTLREADING;
    const int lineHeight = m_state.font.Metrics().Height;

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

    std::vector<int> widths;
    int maxWidth = 0;
    for (const QString &line : lines) {
        widths.push_back(RunWidth(line, prefixes, expandTabs));
        maxWidth = std::max(maxWidth, widths.back());
    }
    const int totalHeight = lineHeight * int(lines.size());

    int top = r.Top;
    if (singleLine && (flags & DT_VCENTER))
        top = (r.Top + r.Bottom - lineHeight) / 2;
    else if (singleLine && (flags & DT_BOTTOM))
        top = r.Bottom - lineHeight;

    if (flags & DT_CALCRECT) {
        r.Right = r.Left + maxWidth;
        r.Bottom = r.Top + totalHeight;
        return totalHeight;
    }

    const TRect *clip = (flags & DT_NOCLIP) ? nullptr : &r;
    const bool opaque = m_state.brush.Style() != bsClear;
    for (size_t i = 0; i < lines.size(); ++i) {
        int x = r.Left;
        if (flags & DT_CENTER)
            x = (r.Left + r.Right - widths[i]) / 2;
        else if (flags & DT_RIGHT)
            x = r.Right - widths[i];
        DrawTextRun(lines[i], x, top + lineHeight * int(i), clip, opaque, prefixes, expandTabs, rightToLeft);
    }
    if (singleLine && (flags & (DT_VCENTER | DT_BOTTOM)))
        return top - r.Top + totalHeight;
    return totalHeight;
}

// ---- Copying ----

void TCanvas::Blit(const TRect &dest, const TCanvas *source, const TRect &sourceRect, TRasterOp rop, bool withSource)
{
    if (!Drawable())
        return;
    const unsigned code = TernaryCode(rop);
    const bool needsSource = withSource && UsesSource(code);
    if (needsSource && (!source || !source->Drawable()))
        return;
    const TRect box = dest.Normalized();
    if (box.IsEmpty())
        return;
    const bool mirrorX = (dest.Width() < 0) != (sourceRect.Width() < 0);
    const bool mirrorY = (dest.Height() < 0) != (sourceRect.Height() < 0);
    const TRect src = sourceRect.Normalized();
    if (needsSource && src.IsEmpty())
        return;
    const TRect area = box.Intersected(WritableArea());
    const bool sourceMono = needsSource && source->Monochrome();
    const bool targetMono = Monochrome();
    const QRgb text = Resolve(m_state.textColor) & kRgbMask;
    const QRgb background = Resolve(m_state.bkColor) & kRgbMask;
    const QRgb sourceBackground = needsSource ? (source->Resolve(source->m_state.bkColor) & kRgbMask) : 0;
    const bool patterned = m_state.brush.Bitmap() && !m_state.brush.Bitmap()->Empty();
    const QRgb solidPattern = m_state.brush.Paints() ? Resolve(m_state.brush.Color()) & kRgbMask : 0;

    for (int y = area.Top; y < area.Bottom; ++y) {
        const QRgb *sourceLine = nullptr;
        if (needsSource) {
            int row = int((std::int64_t(y - box.Top) * src.Height()) / box.Height());
            if (mirrorY)
                row = src.Height() - 1 - row;
            const int sy = src.Top + row;
            if (sy < 0 || sy >= source->Height())
                continue;
            sourceLine = reinterpret_cast<const QRgb *>(source->m_image->constScanLine(sy));
        }
        QRgb *line = reinterpret_cast<QRgb *>(m_image->scanLine(y));
        for (int x = area.Left; x < area.Right; ++x) {
            QRgb s = 0;
            if (needsSource) {
                int column = int((std::int64_t(x - box.Left) * src.Width()) / box.Width());
                if (mirrorX)
                    column = src.Width() - 1 - column;
                const int sx = src.Left + column;
                if (sx < 0 || sx >= source->Width())
                    continue;
                s = sourceLine[sx] & kRgbMask;
                if (sourceMono && !targetMono)
                    s = s == kRgbMask ? background : text;
                else if (targetMono && !sourceMono)
                    s = s == sourceBackground ? kRgbMask : 0;
            }
            const QRgb p = patterned ? BrushPixel(m_state.brush, x, y) & kRgbMask : solidPattern;
            line[x] = Quantise(Ternary(code, p, s, line[x] & kRgbMask));
        }
    }
}

void TCanvas::CopyRect(const TRect &dest, const TCanvas &source, const TRect &sourceRect)
{
    Blit(ToDevice(dest), &source, source.ToDevice(sourceRect), m_state.copyMode, true);
}

void TCanvas::BitBlt(int x, int y, int width, int height, const TCanvas &source, int sx, int sy, TRasterOp rop)
{
    Blit(ToDevice(Bounds(x, y, width, height)), &source, source.ToDevice(Bounds(sx, sy, width, height)), rop, true);
}

void TCanvas::StretchBlt(int x, int y, int width, int height, const TCanvas &source, int sx, int sy,
                         int sourceWidth, int sourceHeight, TRasterOp rop)
{
    Blit(ToDevice(Bounds(x, y, width, height)), &source, source.ToDevice(Bounds(sx, sy, sourceWidth, sourceHeight)),
         rop, true);
}

void TCanvas::Draw(int x, int y, const TBitmapPixels &bitmap)
{
    StretchDraw(Bounds(x, y, bitmap.Width(), bitmap.Height()), bitmap);
}

void TCanvas::StretchDraw(const TRect &dest, const TBitmapPixels &bitmap)
{
    if (bitmap.Empty() || !Drawable())
        return;
    TCanvas source;
    source.m_image = const_cast<QImage *>(&bitmap.Image());
    source.m_palette = bitmap.Palette();
    if (!bitmap.Transparent()) {
        // A monochrome bitmap shows its own black and white.
        const TColor savedText = m_state.textColor, savedBk = m_state.bkColor;
        m_state.textColor = clBlack;
        m_state.bkColor = clWhite;
        Blit(ToDevice(dest), &source, TRect(0, 0, bitmap.Width(), bitmap.Height()), m_state.copyMode, true);
        m_state.textColor = savedText;
        m_state.bkColor = savedBk;
        return;
    }
    const QRgb key = ToQRgb(bitmap.TransparentColor()) & kRgbMask;
    const TRect box = ToDevice(dest).Normalized();
    if (box.IsEmpty())
        return;
    const TRect area = box.Intersected(WritableArea());
    for (int y = area.Top; y < area.Bottom; ++y) {
        const int sy = int((std::int64_t(y - box.Top) * bitmap.Height()) / box.Height());
        for (int x = area.Left; x < area.Right; ++x) {
            const int sx = int((std::int64_t(x - box.Left) * bitmap.Width()) / box.Width());
            const QRgb s = source.ReadPixel(sx, sy) & kRgbMask;
            if (s != key)
                WritePixel(x, y, s);
        }
    }
}

