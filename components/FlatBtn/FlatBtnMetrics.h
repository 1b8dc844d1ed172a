#pragma once

// Sizes of the flat glyph button, in pixels.
namespace FlatBtnMetrics {

constexpr int kDefaultWidth = 70;
constexpr int kDefaultHeight = 23;

// Push button: the glyph keeps this distance from the edge it stands at
// (left or top), and one more pixel from the opposite edge.
constexpr int kGlyphEdgeGap = 6;

// Other types: glyph and caption start this far from the edges, and the
// caption this far beyond the glyph's right edge.
constexpr int kCompactMargin = 2;
constexpr int kCompactCaptionGap = 5;

// Wrap width = width minus these (minus the glyph's width where it sits
// beside the caption); a hidden glyph gives back its width plus
// kHiddenGlyphGain.
constexpr int kWrapInsetSideGlyph = 18;
constexpr int kWrapInsetTopGlyph = 13;
constexpr int kWrapInsetCompact = 10;
constexpr int kHiddenGlyphGain = 5;

// Height adjustment: the margin around the content, and the gap between a
// glyph above or below the caption and the caption.
constexpr int kAutoHeightMargin = 10;
constexpr int kAutoHeightMarginCompact = 5;
constexpr int kGlyphCaptionGap = 4;

// The pressed look moves caption and glyph by this much right and down.
constexpr int kPressedShift = 1;

} // namespace FlatBtnMetrics
