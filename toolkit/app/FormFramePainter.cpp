#include "toolkit/app/FormFrame.h"
#include "toolkit/gdi/Bevel.h"
#include "toolkit/gdi/Canvas.h"
#include "toolkit/gdi/SystemColors.h"

#include <cmath>

using namespace FrameMetrics;

namespace {

struct EdgeColors {
    TColor outerTopLeft, outerBottomRight, innerTopLeft, innerBottomRight;
};

constexpr EdgeColors kRaisedEdge{cl3DLight, cl3DDkShadow, clBtnHighlight, clBtnShadow};
constexpr EdgeColors kSunkenEdge{cl3DDkShadow, clBtnHighlight, clBtnShadow, cl3DLight};

// Caption glyphs, one string a row, "#" for a set pixel.
constexpr const char *kCloseGlyph[] = {
    "##....##", ".##..##.", "..####..", "...##...", "..####..", ".##..##.", "##....##",
};
constexpr const char *kMinimizeGlyph[] = {
    "######",
    "######",
};
constexpr const char *kMaximizeGlyph[] = {
    "#########", "#########", "#.......#", "#.......#", "#.......#", "#.......#", "#.......#", "#.......#", "#########",
};
constexpr const char *kRestoreGlyph[] = {
    "..######", "..######", "..#....#", "######.#", "######.#", "#....###", "#....#..", "#....#..", "######..",
};
// Where a glyph's top-left pixel lies in a caption button of the classic size.
constexpr TPoint kCloseGlyphAt{4, 3};
constexpr TPoint kMinimizeGlyphAt{4, 9};
constexpr TPoint kMaximizeGlyphAt{3, 2};
constexpr TPoint kRestoreGlyphAt{3, 2};

TColor BorderColor(TFormBorderStyle style, const TFrameState &state)
{
    if (style == bsDialog)
        return clBtnFace;
    return state.active ? clActiveBorder : clInactiveBorder;
}

std::pair<TColor, TColor> CaptionGradient(const TFrameState &state)
{
    if (state.active)
        return {clActiveCaption, clGradientActiveCaption};
    return {clInactiveCaption, clGradientInactiveCaption};
}

TColor CaptionTextColor(const TFrameState &state)
{
    return state.active ? clCaptionText : clInactiveCaptionText;
}

void DrawEdge(TCanvas &canvas, const TRect &r, const EdgeColors &colors)
{
    TRect ring = r;
    Frame3D(canvas, ring, colors.outerTopLeft, colors.outerBottomRight, 1);
    Frame3D(canvas, ring, colors.innerTopLeft, colors.innerBottomRight, 1);
}

int Blend(int from, int to, int step, int steps)
{
    if (steps <= 1)
        return from;
    return int(std::nearbyint(from + double(to - from) * step / (steps - 1)));
}

void DrawCaptionGradient(TCanvas &canvas, const TRect &bar, TColor fromColor, TColor toColor)
{
    const TColor from = ColorToRGB(fromColor), to = ColorToRGB(toColor);
    const int steps = bar.Width();
    for (int i = 0; i < steps; ++i) {
        const TColor column =
            RGB(Blend(GetRValue(from), GetRValue(to), i, steps), Blend(GetGValue(from), GetGValue(to), i, steps),
                Blend(GetBValue(from), GetBValue(to), i, steps));
        canvas.FillSolidRect(TRect(bar.Left + i, bar.Top, bar.Left + i + 1, bar.Bottom), column);
    }
}

template <std::size_t Rows>
void DrawGlyph(TCanvas &canvas, TPoint origin, const char *const (&rows)[Rows], TColor color)
{
    for (std::size_t y = 0; y < Rows; ++y) {
        for (int x = 0; rows[y][x] != '\0'; ++x) {
            if (rows[y][x] == '#')
                canvas.SetPixel(origin.X + x, origin.Y + int(y), color);
        }
    }
}

void DrawCaptionButton(TCanvas &canvas, const QRect &box, TCaptionButton button, const TFrameState &state)
{
    if (box.isEmpty())
        return;
    const TRect r = TRect::FromQRect(box);
    const bool pushed = state.pushedButton == button;
    canvas.FillSolidRect(r, clBtnFace);
    DrawEdge(canvas, r, pushed ? kSunkenEdge : kRaisedEdge);

    // A pushed button's glyph moves one pixel right and down.
    const int shift = pushed ? 1 : 0;
    const TColor ink = clBtnText;
    auto at = [&](TPoint offset) { return TPoint(r.Left + offset.X + shift, r.Top + offset.Y + shift); };
    switch (button) {
    case TCaptionButton::Close: DrawGlyph(canvas, at(kCloseGlyphAt), kCloseGlyph, ink); break;
    case TCaptionButton::Minimize: DrawGlyph(canvas, at(kMinimizeGlyphAt), kMinimizeGlyph, ink); break;
    case TCaptionButton::Maximize:
        if (state.maximized)
            DrawGlyph(canvas, at(kRestoreGlyphAt), kRestoreGlyph, ink);
        else
            DrawGlyph(canvas, at(kMaximizeGlyphAt), kMaximizeGlyph, ink);
        break;
    case TCaptionButton::None: break;
    }
}

void DrawCaptionText(TCanvas &canvas, const TFrameLayout &layout, const TFrameState &state, const QString &caption)
{
    const QRect &firstButton = layout.minimizeBox.isEmpty() ? layout.closeBox : layout.minimizeBox;
    TRect textRect = TRect::FromQRect(layout.caption);
    textRect.Left += kCaptionTextIndent;
    textRect.Right = firstButton.left() - kCaptionTextGap;

    TFont &font = canvas.Font();
    font.SetName(QStringLiteral("Tahoma"));
    font.SetHeight(kCaptionFontHeight);
    font.SetStyle(fsBold);
    font.SetColor(CaptionTextColor(state));
    canvas.Brush().SetStyle(bsClear);
    // A long caption ends in "..." before the first caption button.
    canvas.DrawText(caption, textRect, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_LEFT | DT_END_ELLIPSIS);
}

} // namespace

void PaintFormFrame(TCanvas &canvas, const TFrameLayout &layout, const TFrameState &state, const QString &caption)
{
    if (layout.style == bsNone)
        return;
    const TRect outer(0, 0, layout.outer.width(), layout.outer.height());
    const int edge = EdgeWidth();
    // Border band first, then the face inside it; the edge, the bar and the
    // buttons go over them.
    canvas.FillSolidRect(outer.Inflated(-edge, -edge), BorderColor(layout.style, state));
    canvas.FillSolidRect(outer.Inflated(-layout.border, -layout.border), clBtnFace);
    DrawEdge(canvas, outer, kRaisedEdge);

    const auto [from, to] = CaptionGradient(state);
    DrawCaptionGradient(canvas, TRect::FromQRect(layout.caption), from, to);
    DrawCaptionText(canvas, layout, state, caption);
    DrawCaptionButton(canvas, layout.minimizeBox, TCaptionButton::Minimize, state);
    DrawCaptionButton(canvas, layout.maximizeBox, TCaptionButton::Maximize, state);
    DrawCaptionButton(canvas, layout.closeBox, TCaptionButton::Close, state);
}
