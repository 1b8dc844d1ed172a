// Draws the glyph bitmaps of the flat glyph button and of the search dialog's
// two buttons, as 8-bit BMP files with a 256-entry palette.
//
//   make_flatbtn_glyphs <resources folder>
//
// writes <folder>/flatbtn/FLATBTN_1.bmp .. FLATBTN_24.bmp (black background)
// and <folder>/FindGlyph.bmp, <folder>/CancelGlyph.bmp (magenta background).
// The output is byte-for-byte reproducible.

#include "ToolArguments.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <string>
#include <tuple>
#include <vector>

namespace {

struct Rgb {
    int r = 0, g = 0, b = 0;
    bool operator<(const Rgb &o) const { return std::tie(r, g, b) < std::tie(o.r, o.g, o.b); }
    bool operator==(const Rgb &o) const = default;
};

constexpr Rgb kBlack{0, 0, 0};
constexpr Rgb kWhite{255, 255, 255};
constexpr Rgb kOlive{128, 128, 0};
constexpr Rgb kMagenta{255, 0, 255};

struct Picture {
    int width, height;
    std::vector<Rgb> pixels;
    Picture(int w, int h, Rgb background)
        : width(w)
        , height(h)
        , pixels(std::size_t(w) * h, background)
    { }
    Rgb &at(int x, int y) { return pixels[std::size_t(y) * width + x]; }
};

void put16(std::ofstream &out, unsigned v)
{
    out.put(char(v & 0xFF));
    out.put(char((v >> 8) & 0xFF));
}
void put32(std::ofstream &out, unsigned v)
{
    put16(out, v & 0xFFFF);
    put16(out, v >> 16);
}

// The palette holds the background at index 0, then the picture's other
// colours in ascending order, padded with black to 256 entries.
bool writeBmp8(const std::filesystem::path &file, const Picture &pic)
{
    constexpr unsigned kPaletteEntries = 256;
    constexpr unsigned kHeaderBytes = 14 + 40;
    std::map<Rgb, int> index;
    index[pic.pixels.front()] = 0;
    std::vector<Rgb> palette{pic.pixels.front()};
    std::vector<Rgb> sorted(pic.pixels);
    std::sort(sorted.begin(), sorted.end());
    for (const Rgb &c : sorted)
        if (!index.count(c)) {
            index[c] = int(palette.size());
            palette.push_back(c);
        }
    if (palette.size() > kPaletteEntries)
        return false;
    palette.resize(kPaletteEntries, kBlack);

    const unsigned stride = (unsigned(pic.width) + 3) & ~3u;
    const unsigned dataBytes = stride * unsigned(pic.height);
    const unsigned offset = kHeaderBytes + kPaletteEntries * 4;
    std::ofstream out(file, std::ios::binary);
    out.put('B');
    out.put('M');
    put32(out, offset + dataBytes);
    put32(out, 0);
    put32(out, offset);
    put32(out, 40);
    put32(out, unsigned(pic.width));
    put32(out, unsigned(pic.height));
    put16(out, 1);
    put16(out, 8);
    put32(out, 0); // BI_RGB
    put32(out, dataBytes);
    put32(out, 2835); // 72 dpi
    put32(out, 2835);
    put32(out, kPaletteEntries);
    put32(out, 0);
    for (const Rgb &c : palette) {
        out.put(char(c.b));
        out.put(char(c.g));
        out.put(char(c.r));
        out.put(0);
    }
    for (int y = pic.height - 1; y >= 0; --y) {
        unsigned written = 0;
        for (int x = 0; x < pic.width; ++x, ++written)
            out.put(char(index[pic.pixels[std::size_t(y) * pic.width + x]]));
        for (; written < stride; ++written)
            out.put(0);
    }
    return bool(out);
}

Rgb mix(Rgb a, Rgb b, double t)
{
    t = std::clamp(t, 0.0, 1.0);
    auto lerp = [t](int u, int v) { return int(std::lround(u + (v - u) * t)); };
    return {lerp(a.r, b.r), lerp(a.g, b.g), lerp(a.b, b.b)};
}

// A glyph pixel must never be pure black, which is the transparent colour.
Rgb visible(Rgb c)
{
    return c == kBlack ? Rgb{8, 8, 8} : c;
}

// One colouring of the balls, the disc and the triangles: the body runs
// from `dark` at the rim to `light` in the lit centre.
struct Shade {
    Rgb dark, light;
};

constexpr Shade kHot{{0, 0, 192}, {170, 210, 255}};
constexpr Shade kDisabled{{96, 96, 72}, {176, 176, 150}};
constexpr Shade kPressed{{0, 170, 210}, {190, 255, 255}};
constexpr Shade kNormal{{0, 0, 96}, {70, 70, 190}};
constexpr std::array<Shade, 4> kSetShades{kHot, kDisabled, kPressed, kNormal};

// Lit from the upper left: brightness falls with the distance from a point
// up and left of the centre. (u, v) are in units of the shape's radius.
Rgb shaded(const Shade &s, double u, double v)
{
    const double d = std::hypot(u + 0.3, v + 0.3) / 1.3;
    return visible(mix(s.light, s.dark, d));
}

using Inside = std::function<bool(double x, double y)>;

bool insideAt(const Inside &inside, const Picture &pic, int x, int y)
{
    return x >= 0 && y >= 0 && x < pic.width && y < pic.height && inside(x + 0.5, y + 0.5);
}

bool isBoundary(const Inside &inside, const Picture &pic, int x, int y)
{
    return !insideAt(inside, pic, x - 1, y) || !insideAt(inside, pic, x + 1, y) || !insideAt(inside, pic, x, y - 1)
           || !insideAt(inside, pic, x, y + 1);
}

// A shaded ball filling the picture, with an olive rim over its upper half
// and a white rim at its lower right.
Picture ball(int size, const Shade &s)
{
    Picture pic(size, size, kBlack);
    const double c = size / 2.0, r = size / 2.0;
    Inside inside = [&](double x, double y) { return std::hypot(x - c, y - c) <= r - 0.1; };
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            if (!insideAt(inside, pic, x, y))
                continue;
            const double u = (x + 0.5 - c) / r, v = (y + 0.5 - c) / r;
            if (isBoundary(inside, pic, x, y) && u + v > 0.35)
                pic.at(x, y) = kWhite;
            else if (isBoundary(inside, pic, x, y) && v < 0.1)
                pic.at(x, y) = kOlive;
            else
                pic.at(x, y) = shaded(s, u, v);
        }
    return pic;
}

// A shaded disc, 9 pixels across, in the middle of a 16 x 16 field.
Picture disc(const Shade &s)
{
    constexpr int kSize = 16;
    constexpr double kRadius = 4.5, kCentre = 8.0;
    Picture pic(kSize, kSize, kBlack);
    for (int y = 0; y < kSize; ++y)
        for (int x = 0; x < kSize; ++x) {
            const double u = (x + 0.5 - kCentre) / kRadius, v = (y + 0.5 - kCentre) / kRadius;
            if (std::hypot(u, v) <= 1.0)
                pic.at(x, y) = shaded(s, u, v);
        }
    return pic;
}

constexpr int kArrowWidth = 17, kArrowHeight = 9;

// A triangle pointing up, standing on a white base line.
Picture upArrow(const Shade &s)
{
    Picture pic(kArrowWidth, kArrowHeight, kBlack);
    const int base = kArrowHeight - 1, mid = kArrowWidth / 2;
    for (int x = 0; x < kArrowWidth; ++x)
        pic.at(x, base) = kWhite;
    for (int y = 0; y < base; ++y) {
        const int half = y;
        for (int x = mid - half; x <= mid + half; ++x) {
            const double u = double(x - mid) / (base), v = (y - base / 2.0) / (base / 2.0);
            pic.at(x, y) = shaded(s, u, v);
        }
    }
    return pic;
}

// A triangle pointing down under an olive top line, its right edge white.
Picture downArrow(const Shade &s)
{
    Picture pic(kArrowWidth, kArrowHeight, kBlack);
    const int mid = kArrowWidth / 2;
    for (int x = 0; x < kArrowWidth; ++x)
        pic.at(x, 0) = kOlive;
    for (int y = 1; y < kArrowHeight; ++y) {
        const int half = kArrowHeight - 1 - y;
        for (int x = mid - half; x <= mid + half; ++x) {
            const double u = double(x - mid) / (kArrowHeight - 1), v = (y - kArrowHeight / 2.0) / (kArrowHeight / 2.0);
            pic.at(x, y) = x == mid + half ? kWhite : shaded(s, u, v);
        }
    }
    return pic;
}

// The bulb's glass (body and edge) per colouring; the socket is the same grey
// in all four.
struct BulbShade {
    Rgb body, edge;
};
constexpr std::array<BulbShade, 4> kBulbShades{{
    {{255, 255, 255}, {255, 220, 0}},   // hot
    {{212, 212, 212}, {176, 176, 176}}, // disabled
    {{255, 255, 255}, {224, 224, 224}}, // pressed
    {{255, 255, 0}, {200, 170, 0}},     // normal
}};

Picture bulb(const BulbShade &s)
{
    constexpr int kSize = 15;
    constexpr double kGlassCentreX = 7.5, kGlassCentreY = 5.5, kGlassRadius = 5.2;
    constexpr int kNeckTop = 8, kSocketTop = 11, kSocketLeft = 5, kSocketRight = 9;
    constexpr Rgb kSocketLight{192, 192, 192}, kSocketDark{128, 128, 128};
    Picture pic(kSize, kSize, kBlack);
    Inside glass = [&](double x, double y) {
        if (std::hypot(x - kGlassCentreX, y - kGlassCentreY) <= kGlassRadius)
            return true;
        return y >= kNeckTop && y < kSocketTop && std::abs(x - kGlassCentreX) <= 2.6;
    };
    for (int y = 0; y < kSocketTop; ++y)
        for (int x = 0; x < kSize; ++x)
            if (insideAt(glass, pic, x, y))
                pic.at(x, y) = isBoundary(glass, pic, x, y) ? s.edge : s.body;
    for (int y = kSocketTop; y < kSize; ++y)
        for (int x = kSocketLeft; x <= kSocketRight; ++x) {
            const bool tip = y == kSize - 1 && (x == kSocketLeft || x == kSocketRight);
            if (!tip)
                pic.at(x, y) = (y - kSocketTop) % 2 == 0 ? kSocketLight : kSocketDark;
        }
    return pic;
}

constexpr int kDialogGlyphSize = 16;

// A magnifying glass: a black-rimmed pale blue lens and a black handle to the
// lower right.
Picture magnifier()
{
    Picture pic(kDialogGlyphSize, kDialogGlyphSize, kMagenta);
    constexpr double kLensX = 6.5, kLensY = 6.5, kLensRadius = 4.8, kRimWidth = 1.3;
    constexpr Rgb kGlass{170, 220, 255}, kGlint{255, 255, 255};
    for (int y = 0; y < kDialogGlyphSize; ++y)
        for (int x = 0; x < kDialogGlyphSize; ++x) {
            const double px = x + 0.5, py = y + 0.5;
            const double d = std::hypot(px - kLensX, py - kLensY);
            const double along = (px + py) / 2.0;
            const double across = std::abs(px - py);
            if (d <= kLensRadius - kRimWidth)
                pic.at(x, y) = std::hypot(px - 5.0, py - 5.0) < 1.6 ? kGlint : kGlass;
            else if (d <= kLensRadius)
                pic.at(x, y) = kBlack;
            else if (across <= 2.0 && along >= 9.5 && along <= 14.5)
                pic.at(x, y) = kBlack;
        }
    return pic;
}

// A red cross with a dark red edge.
Picture redCross()
{
    Picture pic(kDialogGlyphSize, kDialogGlyphSize, kMagenta);
    constexpr double kLow = 3.0, kHigh = 13.0, kHalfStroke = 2.0;
    constexpr Rgb kRed{255, 0, 0}, kDarkRed{128, 0, 0};
    Inside cross = [&](double x, double y) {
        if (x < kLow - 0.5 || x > kHigh + 0.5 || y < kLow - 0.5 || y > kHigh + 0.5)
            return false;
        return std::abs(x - y) <= kHalfStroke || std::abs(x + y - 16.0) <= kHalfStroke;
    };
    for (int y = 0; y < kDialogGlyphSize; ++y)
        for (int x = 0; x < kDialogGlyphSize; ++x)
            if (insideAt(cross, pic, x, y))
                pic.at(x, y) = isBoundary(cross, pic, x, y) ? kDarkRed : kRed;
    return pic;
}

} // namespace

int main(int argc, char *argv[])
{
    if (const std::optional<int> exit = CheckToolArguments(argc, argv, "make_flatbtn_glyphs RESOURCES_FOLDER", 1, 1))
        return *exit;
    const std::filesystem::path root(argv[1]);
    const std::filesystem::path flat = root / "flatbtn";
    std::filesystem::create_directories(flat);

    // Sets in resource order: ball 10, ball 15, up, down, disc, bulb; each
    // hot, disabled, pressed, normal.
    std::vector<Picture> glyphs;
    for (const Shade &s : kSetShades)
        glyphs.push_back(ball(10, s));
    for (const Shade &s : kSetShades)
        glyphs.push_back(ball(15, s));
    for (const Shade &s : kSetShades)
        glyphs.push_back(upArrow(s));
    for (const Shade &s : kSetShades)
        glyphs.push_back(downArrow(s));
    for (const Shade &s : kSetShades)
        glyphs.push_back(disc(s));
    for (const BulbShade &s : kBulbShades)
        glyphs.push_back(bulb(s));

    bool ok = true;
    for (std::size_t i = 0; i < glyphs.size(); ++i)
        ok &= writeBmp8(flat / ("FLATBTN_" + std::to_string(i + 1) + ".bmp"), glyphs[i]);
    ok &= writeBmp8(root / "FindGlyph.bmp", magnifier());
    ok &= writeBmp8(root / "CancelGlyph.bmp", redCross());
    if (!ok) {
        std::fprintf(stderr, "could not write the glyphs under %s\n", root.c_str());
        return 1;
    }
    return 0;
}
