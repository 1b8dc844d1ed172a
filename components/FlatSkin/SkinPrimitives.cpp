#include "components/FlatSkin/SkinPrimitives.h"

#include <algorithm>
#include <cfenv>
#include <cmath>

namespace {

constexpr int kChannelMax = 255;
constexpr int kGreenDarkenAllowance = 2;
constexpr int kPercentMax = 100;
constexpr int kGrayMax = 240;

int ClampChannel(long long v)
{
    return int(std::clamp<long long>(v, 0, kChannelMax));
}

// v + (255 - v) * fraction, the fraction already formed in extended
// precision. The product alone is rounded (halves to even) before v is added:
// rounding the sum instead lands one higher on some hundreds of pairs.
int LightenChannel(int v, long double fraction)
{
    const long double lift = (kChannelMax - v) * fraction;
    return ClampChannel(v + std::llrint(lift));
}

// Runs f over every pixel, row by row from the top and left to right, with a
// one-entry cache of the last source pixel and its result.
template <typename Transform> void TransformPixels(TBitmap &bitmap, Transform f)
{
    TCanvas &canvas = bitmap.Canvas();
    bool cached = false;
    TColor lastSource = 0, lastResult = 0;
    for (int y = 0; y < bitmap.Height(); ++y)
        for (int x = 0; x < bitmap.Width(); ++x) {
            const TColor pixel = canvas.Pixel(x, y);
            if (!cached || pixel != lastSource) {
                lastSource = pixel;
                lastResult = f(pixel);
                cached = true;
            }
            canvas.SetPixel(x, y, lastResult);
        }
}

void PenLine(TCanvas &canvas, int x0, int y0, int x1, int y1)
{
    canvas.MoveTo(x0, y0);
    canvas.LineTo(x1, y1);
}

} // namespace

TColor DarkenColor(TColor color, int amount)
{
    const TColor c = ColorToRGB(color);
    return RGB(ClampChannel(GetRValue(c) - amount), ClampChannel(GetGValue(c) - amount + kGreenDarkenAllowance),
               ClampChannel(GetBValue(c) - amount));
}

TColor LightenColor(TColor color, int percent)
{
    const TColor c = ColorToRGB(color);
    const long double fraction = static_cast<long double>(std::min(percent, kPercentMax)) / 100.0L;
    const int savedRounding = std::fegetround();
    std::fesetround(FE_TONEAREST);
    const TColor result = RGB(LightenChannel(GetRValue(c), fraction), LightenChannel(GetGValue(c), fraction),
                              LightenChannel(GetBValue(c), fraction));
    std::fesetround(savedRounding);
    return result;
}

TColor AverageColors(const std::vector<TColor> &colors)
{
    if (colors.empty())
        return clBlack;
    const int n = int(colors.size());
    int r = 0, g = 0, b = 0;
    for (TColor color : colors) {
        const TColor c = ColorToRGB(color);
        r += GetRValue(c) / n;
        g += GetGValue(c) / n;
        b += GetBValue(c) / n;
    }
    return RGB(r, g, b);
}

TColor AverageColors(std::initializer_list<TColor> colors)
{
    return AverageColors(std::vector<TColor>(colors));
}

TColor GrayColor(TColor color, int offset)
{
    const TColor c = ColorToRGB(color);
    const long long v = (GetRValue(c) + GetGValue(c) + GetBValue(c)) / 3 + static_cast<long long>(offset);
    const int gray = int(std::clamp<long long>(v, 0, kGrayMax));
    return RGB(gray, gray, gray);
}

void GrayBitmap(TBitmap &bitmap, int offset)
{
    TransformPixels(bitmap, [offset](TColor pixel) { return GrayColor(pixel, offset); });
}

void LightenBitmap(TBitmap &bitmap, int percent)
{
    const int capped = std::min(percent, kPercentMax);
    TransformPixels(bitmap, [capped](TColor pixel) { return LightenColor(pixel, capped); });
}

void DrawDropArrow(TCanvas &canvas, int x, int y)
{
    PenLine(canvas, x, y, x + 5, y);
    PenLine(canvas, x + 1, y + 1, x + 4, y + 1);
    PenLine(canvas, x + 2, y + 2, x + 3, y + 2);
}

void DrawChevron(TCanvas &canvas, int x, int y, int direction)
{
    struct Segment {
        int x0, y0, x1, y1;
    };
    // Relative to the tip column x and the row y.
    static constexpr Segment up[] = {{0, 0, 0, -1},  {1, 1, 4, 4},  {0, 1, 3, 4}, {0, 2, 2, 4},
                                     {-1, 1, -4, 4}, {0, 2, -3, 4}, {0, 1, -2, 4}};
    static constexpr Segment down[] = {{0, 3, 0, 4},    {1, 2, 4, -1},  {0, 2, 3, -1}, {0, 1, 2, -1},
                                       {-1, 2, -4, -1}, {0, 1, -3, -1}, {0, 0, -2, -1}};
    const Segment *segments = direction == kChevronUp ? up : direction == kChevronDown ? down : nullptr;
    if (!segments)
        return;
    for (int i = 0; i < 7; ++i) {
        const Segment &s = segments[i];
        PenLine(canvas, x + s.x0, y + s.y0, x + s.x1, y + s.y1);
    }
}

void DrawCheckTick(TCanvas &canvas, int x, int y)
{
    for (int i = 0; i < 3; ++i)
        canvas.Polyline({{x + 2, y - 5 - i}, {x + 4, y - 3 - i}, {x + 9, y - 8 - i}});
}

void DrawGlyphShadow(const TBitmap &glyph, TCanvas &canvas, int x, int y, TColor color)
{
    if (glyph.Empty())
        return;
    const QImage &pixels = glyph.Image();
    const QRgb key = pixels.pixel(0, glyph.Height() - 1) & 0x00FFFFFF;
    for (int i = 0; i < glyph.Height(); ++i)
        for (int j = 0; j < glyph.Width(); ++j)
            if ((pixels.pixel(j, i) & 0x00FFFFFF) != key)
                canvas.SetPixel(x + j, y + i, color);
}
