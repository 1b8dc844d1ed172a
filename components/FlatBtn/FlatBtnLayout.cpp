#include "components/FlatBtn/FlatBtnLayout.h"

#include "components/FlatBtn/FlatBtnMetrics.h"

#include <algorithm>

using namespace FlatBtnMetrics;

namespace {

TRect sized(int left, int top, QSize size)
{
    return {left, top, left + size.width(), top + size.height()};
}

// Centres an extent of `size` in `room` the way the button always has: one
// pixel to the right or below when the halves differ. Integer division
// truncates towards zero, also for negative room.
int centred(int room, int size)
{
    return (room - size - 1) / 2 + 1;
}

TFlatBtnPlacement placePushButtonWithGlyph(const TFlatBtnLayoutInput &in)
{
    const int w = in.Button.width(), h = in.Button.height();
    const int gw = in.Glyph.width(), gh = in.Glyph.height();
    const int tw = in.Text.width(), th = in.Text.height();
    TGlyphPosition p = in.Position;
    if (in.RightToLeft && (p == bsLeft || p == bsRight))
        p = p == bsLeft ? bsRight : bsLeft;

    int gLeft = 0, gTop = 0, tLeft = 0, tTop = 0;
    switch (p) {
    case bsTop:
    case bsBottom: {
        gLeft = centred(w, gw);
        tLeft = centred(w, tw);
        const int topTextTop = (h - gh - th - 1) / 2 + gh + 1;
        gTop = p == bsTop ? kGlyphEdgeGap : h - gh - (kGlyphEdgeGap + 1);
        tTop = p == bsTop ? topTextTop : h - topTextTop - th - 1;
        break;
    }
    case bsLeft:
    case bsRight: {
        gTop = centred(h, gh);
        tTop = centred(h, th);
        const int leftTextLeft = (w - gw - tw - 1) / 2 + gw + 1;
        gLeft = p == bsLeft ? kGlyphEdgeGap : w - gw - (kGlyphEdgeGap + 1);
        tLeft = p == bsLeft ? leftTextLeft : w - leftTextLeft - tw - 1;
        break;
    }
    }
    return {sized(gLeft, gTop, in.Glyph), sized(tLeft, tTop, in.Text)};
}

TFlatBtnPlacement placeCompactWithGlyph(const TFlatBtnLayoutInput &in)
{
    const int w = in.Button.width(), h = in.Button.height();
    const int gw = in.Glyph.width(), gh = in.Glyph.height();
    const int tw = in.Text.width(), th = in.Text.height();
    const int spare = in.CaptionHeight - gh;
    int gTop = spare < kCompactMargin ? kCompactMargin : spare / 2 + kCompactMargin;
    int tTop = kCompactMargin;
    const int captionIndent = gw + kCompactCaptionGap + kCompactMargin;
    const int gLeft = in.RightToLeft ? w - gw - kCompactMargin : kCompactMargin;
    const int tLeft = in.RightToLeft ? w - tw - captionIndent : captionIndent;
    if (in.Position == bsBottom) {
        gTop = h - gTop - gh - 1;
        tTop = h - tTop - th - 1;
    }
    return {sized(gLeft, gTop, in.Glyph), sized(tLeft, tTop, in.Text)};
}

} // namespace

TFlatBtnPlacement PlaceGlyphAndCaption(const TFlatBtnLayoutInput &in)
{
    if (in.ShowGlyph)
        return in.Type == bsButton ? placePushButtonWithGlyph(in) : placeCompactWithGlyph(in);

    const TRect glyph = sized(0, 0, in.Glyph);
    if (in.Type == bsButton) {
        return {glyph, sized(centred(in.Button.width(), in.Text.width()), centred(in.Button.height(), in.Text.height()),
                             in.Text)};
    }
    const int left = in.RightToLeft ? in.Button.width() - in.Text.width() - kCompactMargin : kCompactMargin;
    return {glyph, sized(left, kCompactMargin, in.Text)};
}

void ApplyPressedOffset(TFlatBtnPlacement &placement, bool showGlyph)
{
    auto shift = [](TRect &r) {
        r.Left += kPressedShift;
        r.Right += kPressedShift;
        r.Top += kPressedShift;
        r.Bottom += kPressedShift;
    };
    shift(placement.Text);
    if (showGlyph)
        shift(placement.Glyph);
}

int CaptionWrapWidth(int buttonWidth, int glyphWidth, bool showGlyph, TFlatBtnType type, TGlyphPosition position)
{
    const int hiddenGlyphGain = showGlyph ? 0 : glyphWidth + kHiddenGlyphGain;
    if (type != bsButton)
        return buttonWidth - glyphWidth - kWrapInsetCompact + hiddenGlyphGain;
    if (position == bsLeft || position == bsRight)
        return buttonWidth - glyphWidth - kWrapInsetSideGlyph + hiddenGlyphGain;
    return buttonWidth - kWrapInsetTopGlyph;
}

int FittingHeight(int textHeight, int glyphHeight, bool showGlyph, TFlatBtnType type, TGlyphPosition position)
{
    int h = textHeight;
    if (showGlyph) {
        if (type == bsButton && (position == bsTop || position == bsBottom))
            h += glyphHeight + kGlyphCaptionGap;
        else
            h = std::max(h, glyphHeight);
    }
    return h + (type == bsButton ? kAutoHeightMargin : kAutoHeightMarginCompact);
}

TRect CaptionFocusFrame(const TRect &text)
{
    return {text.Left - 1, text.Top - 1, text.Right + 1, text.Bottom + 1};
}

std::vector<TPoint> MultiLineFocusOutline(const TRect &text, int lineCount, int lastLineWidth, int lineHeight,
                                          bool rightToLeft)
{
    const TRect frame = CaptionFocusFrame(text);
    const int l = frame.Left, r = frame.Right, tp = frame.Top, b = frame.Bottom;
    const int y = tp + lineHeight * (lineCount - 1);
    // The indent of 2 matches the distance between the outline and the text.
    constexpr int kLastLineIndent = 2;
    if (rightToLeft) {
        const int x = std::max(r - kLastLineIndent - lastLineWidth, l);
        return {{r, b}, {r, tp}, {l, tp}, {l, y}, {x, y}, {x, b}, {r, b}};
    }
    const int x = std::min(l + kLastLineIndent + lastLineWidth, r);
    return {{l, b}, {l, tp}, {r, tp}, {r, y}, {x, y}, {x, b}, {l, b}};
}
