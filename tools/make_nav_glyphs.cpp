// Draws the ten glyphs of the record navigator bar and writes them as 8-bit
// BMP files with a palette: each 32 x 16, the enabled picture on the left and
// the disabled one on the right, on a magenta background that the buttons
// treat as transparent.
//
// Usage: make_nav_glyphs OUTPUT_DIR   (normally resources/nav)

#include "ToolArguments.h"

#include <QColor>
#include <QDir>
#include <QImage>
#include <QList>
#include <QString>
#include <QVector>

#include <array>
#include <cmath>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

constexpr int kCell = 16;
constexpr int kCells = 2;
constexpr QRgb kMagenta = qRgb(255, 0, 255);

// The tile covers the cell but for a one-pixel margin; its corners are cut
// along a circle of this radius.
constexpr int kTileFirst = 1;
constexpr int kTileLast = 14;
constexpr double kCornerRadius = 3.0;
constexpr int kTopLightenPercent = 40;
constexpr int kBorderDarkenPercent = 45;

const QRgb kSymbol = qRgb(255, 255, 255);
const QRgb kDisabledTile = qRgb(176, 176, 176);
const QRgb kDisabledSymbol = qRgb(236, 236, 236);

enum class Tile { Blue, Green, Red, Orange };

QRgb TileColor(Tile tile)
{
    switch (tile) {
    case Tile::Blue: return qRgb(36, 84, 196);
    case Tile::Green: return qRgb(36, 146, 56);
    case Tile::Red: return qRgb(200, 36, 36);
    case Tile::Orange: return qRgb(232, 136, 16);
    }
    return kMagenta;
}

QRgb Mix(QRgb from, QRgb to, int percentOfTo)
{
    auto channel = [&](int a, int b) { return (a * (100 - percentOfTo) + b * percentOfTo) / 100; };
    return qRgb(channel(qRed(from), qRed(to)), channel(qGreen(from), qGreen(to)), channel(qBlue(from), qBlue(to)));
}

bool InTile(int x, int y)
{
    if (x < kTileFirst || x > kTileLast || y < kTileFirst || y > kTileLast)
        return false;
    // Distance from the nearest corner circle's centre, for pixels in a corner square.
    const double lo = kTileFirst + kCornerRadius - 0.5;
    const double hi = kTileLast - kCornerRadius + 0.5;
    const double cx = x < lo ? lo : (x > hi ? hi : x);
    const double cy = y < lo ? lo : (y > hi ? hi : y);
    return std::hypot(x - cx, y - cy) <= kCornerRadius - 0.25;
}

using Symbol = std::function<bool(int x, int y)>;

bool Between(int v, int lo, int hi)
{
    return v >= lo && v <= hi;
}

// A triangle pointing left whose apex column is `apex` and whose base is
// `depth` columns further right; rows 7 and 8 form the apex.
bool LeftTriangle(int x, int y, int apex, int depth)
{
    const int dx = x - apex;
    return Between(dx, 0, depth - 1) && Between(y, 7 - dx, 8 + dx);
}

bool RightTriangle(int x, int y, int apex, int depth)
{
    return LeftTriangle(kCell - 1 - x, y, kCell - 1 - apex, depth);
}

bool First(int x, int y)
{
    return (Between(x, 4, 5) && Between(y, 3, 12)) || LeftTriangle(x, y, 6, 5);
}
bool Last(int x, int y)
{
    return First(kCell - 1 - x, y);
}
bool Prior(int x, int y)
{
    return LeftTriangle(x, y, 5, 5);
}
bool Next(int x, int y)
{
    return RightTriangle(x, y, 10, 5);
}

bool Plus(int x, int y)
{
    return (Between(y, 7, 8) && Between(x, 4, 11)) || (Between(x, 7, 8) && Between(y, 4, 11));
}

bool Minus(int x, int y)
{
    return Between(y, 7, 8) && Between(x, 4, 11);
}

bool UpTriangle(int x, int y)
{
    const int dy = y - 6;
    return Between(dy, 0, 3) && Between(x, 7 - dy, 8 + dy);
}

bool Check(int x, int y)
{
    // The short stroke falls to (6, 10), the long one rises to (11, 5); both two pixels thick.
    const bool shortStroke = Between(x, 4, 6) && Between(y - x, 4, 5);
    const bool longStroke = Between(x, 6, 11) && Between(x + y, 15, 16);
    return shortStroke || longStroke;
}

bool Cross(int x, int y)
{
    return Between(x, 4, 11) && Between(y, 4, 11) && (Between(x - y, 0, 1) || Between(x + y, 15, 16));
}

// Two arcs of a ring chasing each other clockwise: the upper one ends on the
// right in a head pointing down, the lower one on the left in a head pointing up.
bool CirclingArrows(int x, int y)
{
    constexpr double kCentre = 7.5;
    constexpr double kPi = 3.14159265358979;
    const double dx = x - kCentre;
    const double dy = y - kCentre;
    const double r = std::hypot(dx, dy);
    const double degrees = std::atan2(-dy, dx) * 180.0 / kPi;
    const bool onRing = r >= 2.6 && r <= 4.4;
    const bool upperArc = degrees >= 35 && degrees <= 165;
    const bool lowerArc = degrees >= -145 && degrees <= -15;
    const bool downHead = (y == 6 && Between(x, 9, 12)) || (y == 7 && Between(x, 10, 11));
    const bool upHead = (y == 9 && Between(x, 3, 6)) || (y == 8 && Between(x, 4, 5));
    return (onRing && (upperArc || lowerArc)) || downHead || upHead;
}

struct Glyph {
    const char *file;
    Tile tile;
    Symbol symbol;
};

void DrawCell(QImage &image, int cellLeft, QRgb tileColor, QRgb symbolColor, const Symbol &symbol)
{
    const QRgb top = Mix(tileColor, qRgb(255, 255, 255), kTopLightenPercent);
    const QRgb border = Mix(tileColor, qRgb(0, 0, 0), kBorderDarkenPercent);
    for (int y = 0; y < kCell; ++y) {
        for (int x = 0; x < kCell; ++x) {
            if (!InTile(x, y))
                continue;
            const bool edge = !InTile(x - 1, y) || !InTile(x + 1, y) || !InTile(x, y - 1) || !InTile(x, y + 1);
            const int shade = 100 * (y - kTileFirst) / (kTileLast - kTileFirst);
            QRgb c = edge ? border : Mix(top, tileColor, shade);
            if (!edge && symbol(x, y))
                c = symbolColor;
            image.setPixel(cellLeft + x, y, c);
        }
    }
}

// Converts a picture of few colours to 8 bits per pixel with an exact palette.
QImage ToIndexed(const QImage &rgb)
{
    QVector<QRgb> table;
    QImage out(rgb.size(), QImage::Format_Indexed8);
    for (int y = 0; y < rgb.height(); ++y) {
        for (int x = 0; x < rgb.width(); ++x) {
            const QRgb c = rgb.pixel(x, y) | 0xff000000u;
            qsizetype index = table.indexOf(c);
            if (index < 0) {
                table.append(c);
                index = table.size() - 1;
            }
            out.setColorTable(table);
            out.setPixel(x, y, static_cast<uint>(index));
        }
    }
    return out;
}

} // namespace

int main(int argc, char *argv[])
{
    if (const std::optional<int> exit = CheckToolArguments(argc, argv, "make_nav_glyphs OUTPUT_DIR", 1, 1))
        return *exit;
    const QString outDir = QString::fromLocal8Bit(argv[1]);
    if (!QDir().mkpath(outDir)) {
        std::fprintf(stderr, "cannot create %s\n", argv[1]);
        return 1;
    }

    const std::array<Glyph, 10> glyphs{{
        {"nav_first.bmp", Tile::Blue, First},
        {"nav_prior.bmp", Tile::Green, Prior},
        {"nav_next.bmp", Tile::Green, Next},
        {"nav_last.bmp", Tile::Blue, Last},
        {"nav_insert.bmp", Tile::Red, Plus},
        {"nav_delete.bmp", Tile::Red, Minus},
        {"nav_edit.bmp", Tile::Red, UpTriangle},
        {"nav_post.bmp", Tile::Orange, Check},
        {"nav_cancel.bmp", Tile::Orange, Cross},
        {"nav_refresh.bmp", Tile::Orange, CirclingArrows},
    }};

    for (const Glyph &g : glyphs) {
        QImage rgb(kCell * kCells, kCell, QImage::Format_RGB32);
        rgb.fill(kMagenta);
        DrawCell(rgb, 0, TileColor(g.tile), kSymbol, g.symbol);
        DrawCell(rgb, kCell, kDisabledTile, kDisabledSymbol, g.symbol);
        const QString path = QDir(outDir).filePath(QString::fromLatin1(g.file));
        if (!ToIndexed(rgb).save(path, "BMP")) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
            return 1;
        }
    }
    return 0;
}
