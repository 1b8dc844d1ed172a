#pragma once

#include "toolkit/gdi/Bitmap.h"
#include "toolkit/gdi/Canvas.h"
#include "toolkit/gdi/Colors.h"

#include <initializer_list>
#include <vector>

// Colour arithmetic and small pixel drawings shared by the flat skin's
// painters. Every colour function resolves system colours first and returns
// a plain RGB value.

// Each channel less amount (green 2 less), clamped to 0..255.
TColor DarkenColor(TColor color, int amount);
// Each channel moved percent of the way to 255 (percent capped at 100),
// rounded half to even.
TColor LightenColor(TColor color, int percent);
// Per channel the sum of (channel div n); black for an empty list.
TColor AverageColors(const std::vector<TColor> &colors);
TColor AverageColors(std::initializer_list<TColor> colors);
// A grey of the channels' mean plus offset, kept within 0..240.
TColor GrayColor(TColor color, int offset);

// Replace every pixel of the bitmap through its canvas, row by row.
void GrayBitmap(TBitmap &bitmap, int offset);
void LightenBitmap(TBitmap &bitmap, int percent);

// Drawn with the canvas's pen.
void DrawDropArrow(TCanvas &canvas, int x, int y);
constexpr int kChevronUp = 0;
constexpr int kChevronDown = 1;
// Any direction other than kChevronUp or kChevronDown draws nothing.
void DrawChevron(TCanvas &canvas, int x, int y, int direction);
void DrawCheckTick(TCanvas &canvas, int x, int y);

// Sets (x + j, y + i) to color for every glyph pixel (j, i) that differs from
// the glyph's bottom-left pixel.
void DrawGlyphShadow(const TBitmap &glyph, TCanvas &canvas, int x, int y, TColor color);
