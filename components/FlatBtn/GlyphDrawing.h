#pragma once

#include "toolkit/gdi/Colors.h"

class TBitmap;
class TCanvas;

// Draws glyph with its top-left corner at (x, y), leaving the target
// unchanged where the glyph has the transparent colour: the glyph with that
// colour made white is ANDed onto the target, then the glyph with it made
// black is ORed on. Every other pixel shows the glyph's own colour.
void DrawTransparentGlyph(TCanvas &target, int x, int y, const TBitmap &glyph, TColor transparentColor);

// The embossed look of a glyph on a disabled button: a button-face square of
// the glyph's size on which the glyph's black pixels appear sunken, in the
// button-shadow colour with a button-highlight edge one pixel down and right.
// The glyph's other colours do not show.
TBitmap MakeDisabledGlyph(const TBitmap &glyph);
