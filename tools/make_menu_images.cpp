// Draws the three 16 x 16 images of the main window's menu (an exit door, a
// magnifying glass, an information bubble) on the transparent key colour
// RGB(255, 0, 255) and writes them as BMP files.
//
//   make_menu_images [output directory]   (default: resources/menu)

#include "ToolArguments.h"

#include <QColor>
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPolygon>

#include <cstdio>
#include <functional>

namespace {

constexpr int kImageSize = 16;
const QColor kKeyColor(255, 0, 255);

const QColor kOutline(0, 0, 0);
const QColor kDoorFrame(96, 56, 24);
const QColor kDoorLeaf(168, 104, 48);
const QColor kDoorLeafLight(208, 152, 88);
const QColor kDoorway(32, 32, 48);
const QColor kArrowFill(0, 160, 0);
const QColor kArrowDark(0, 96, 0);
const QColor kLensFill(184, 224, 248);
const QColor kLensShine(255, 255, 255);
const QColor kLensRim(64, 64, 64);
const QColor kHandle(128, 64, 0);
const QColor kBubbleFill(255, 255, 255);
const QColor kBubbleRim(0, 0, 128);
const QColor kInfoLetter(0, 64, 200);

void Pixel(QPainter &p, int x, int y, const QColor &c)
{
    p.fillRect(x, y, 1, 1, c);
}

void Box(QPainter &p, int x, int y, int w, int h, const QColor &c)
{
    p.fillRect(x, y, w, h, c);
}

// A door frame with the doorway dark, the leaf swung open toward the viewer
// on the left, and an arrow leaving through the doorway.
void DrawExitDoor(QPainter &p)
{
    Box(p, 5, 1, 9, 14, kDoorFrame);
    Box(p, 6, 2, 7, 12, kDoorway);
    // The leaf, in perspective: wider at the hinge (x = 6) than at its edge.
    for (int x = 1; x <= 6; ++x) {
        const int slope = (6 - x) / 2;
        Box(p, x, 2 + slope, 1, 13 - 2 * slope, x == 1 ? kOutline : kDoorLeaf);
    }
    Box(p, 4, 4, 1, 8, kDoorLeafLight);
    Pixel(p, 3, 9, kOutline); // the knob
    // The arrow points right, out of the doorway.
    Box(p, 7, 7, 5, 3, kArrowFill);
    for (int i = 0; i < 4; ++i)
        Box(p, 11 + i, 5 + i, 1, 7 - 2 * i, i == 3 ? kArrowDark : kArrowFill);
    Box(p, 7, 10, 5, 1, kArrowDark);
}

// A round lens at the top-left and a handle to the bottom-right corner.
void DrawMagnifier(QPainter &p)
{
    constexpr double kCentre = 6.0;
    constexpr double kInnerRadius = 4.3;
    constexpr double kOuterRadius = 5.6;
    for (int y = 0; y < kImageSize; ++y)
        for (int x = 0; x < kImageSize; ++x) {
            const double dx = x - kCentre;
            const double dy = y - kCentre;
            const double r2 = dx * dx + dy * dy;
            if (r2 < kInnerRadius * kInnerRadius)
                Pixel(p, x, y, kLensFill);
            else if (r2 < kOuterRadius * kOuterRadius)
                Pixel(p, x, y, kLensRim);
        }
    Box(p, 4, 3, 2, 1, kLensShine);
    Box(p, 3, 4, 1, 2, kLensShine);
    // The handle: three pixels thick along the diagonal, from the rim to the corner.
    for (int i = 10; i <= 14; ++i) {
        Pixel(p, i, i, kHandle);
        Pixel(p, i + 1, i, kHandle);
        Pixel(p, i, i + 1, kHandle);
    }
}

// A rounded speech bubble with a tail at the bottom-left and an "i" inside.
void DrawInfoBubble(QPainter &p)
{
    static const char *const rows[] = {
        "...oooooooooo...", "..owwwwwwwwwwo..", ".owwwwwiiwwwwwo.", "owwwwwwiiwwwwwwo",
        "owwwwwwwwwwwwwwo", "owwwwwiiiwwwwwwo", "owwwwwwiiwwwwwwo", "owwwwwwiiwwwwwwo",
        "owwwwwwiiwwwwwwo", ".owwwwiiiiwwwwo.", "..owwwwwwwwwwo..", "...oowwoooooo...",
        ".....owo........", "....owo.........", "...oo...........", "................",
    };
    for (int y = 0; y < kImageSize; ++y)
        for (int x = 0; x < kImageSize; ++x) {
            switch (rows[y][x]) {
            case 'o': Pixel(p, x, y, kBubbleRim); break;
            case 'w': Pixel(p, x, y, kBubbleFill); break;
            case 'i': Pixel(p, x, y, kInfoLetter); break;
            default: break;
            }
        }
}

bool Write(const QDir &dir, const char *name, const std::function<void(QPainter &)> &draw)
{
    QImage image(kImageSize, kImageSize, QImage::Format_RGB32);
    image.fill(kKeyColor);
    {
        QPainter painter(&image);
        draw(painter);
    }
    const QString path = dir.filePath(QString::fromLatin1(name));
    if (!image.save(path, "BMP")) {
        std::fprintf(stderr, "make_menu_images: cannot write %s\n", qPrintable(path));
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char *argv[])
{
    if (const std::optional<int> exit = CheckToolArguments(argc, argv, "make_menu_images [OUTPUT_DIR]", 0, 1))
        return *exit;
    // The pictures are drawn off screen: no display is needed.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QDir dir(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("resources/menu"));
    if (!dir.exists() && !QDir().mkpath(dir.path())) {
        std::fprintf(stderr, "make_menu_images: cannot create %s\n", qPrintable(dir.path()));
        return 1;
    }
    const bool ok = Write(dir, "exit.bmp", DrawExitDoor) && Write(dir, "find.bmp", DrawMagnifier)
                    && Write(dir, "about.bmp", DrawInfoBubble);
    return ok ? 0 : 1;
}
