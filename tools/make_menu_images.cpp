// Draws the three 16 x 16 images of the main window's menu (an exit door, a
// magnifying glass, an information bubble) on the transparent key colour
// RGB(255, 0, 255) and writes them as BMP files.
//
//   make_menu_images [output directory]   (default: resources/menu)

#include <QColor>
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPolygon>

#include <cstdio>
#include <functional>

namespace {

constexpr int ImageSize = 16;
const QColor KeyColor(255, 0, 255);

const QColor Outline(0, 0, 0);
const QColor DoorFrame(96, 56, 24);
const QColor DoorLeaf(168, 104, 48);
const QColor DoorLeafLight(208, 152, 88);
const QColor Doorway(32, 32, 48);
const QColor ArrowFill(0, 160, 0);
const QColor ArrowDark(0, 96, 0);
const QColor LensFill(184, 224, 248);
const QColor LensShine(255, 255, 255);
const QColor LensRim(64, 64, 64);
const QColor Handle(128, 64, 0);
const QColor BubbleFill(255, 255, 255);
const QColor BubbleRim(0, 0, 128);
const QColor InfoLetter(0, 64, 200);

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
    Box(p, 5, 1, 9, 14, DoorFrame);
    Box(p, 6, 2, 7, 12, Doorway);
    // The leaf, in perspective: wider at the hinge (x = 6) than at its edge.
    for (int x = 1; x <= 6; ++x) {
        const int slope = (6 - x) / 2;
        Box(p, x, 2 + slope, 1, 13 - 2 * slope, x == 1 ? Outline : DoorLeaf);
    }
    Box(p, 4, 4, 1, 8, DoorLeafLight);
    Pixel(p, 3, 9, Outline); // the knob
    // The arrow points right, out of the doorway.
    Box(p, 7, 7, 5, 3, ArrowFill);
    for (int i = 0; i < 4; ++i)
        Box(p, 11 + i, 5 + i, 1, 7 - 2 * i, i == 3 ? ArrowDark : ArrowFill);
    Box(p, 7, 10, 5, 1, ArrowDark);
}

// A round lens at the top-left and a handle to the bottom-right corner.
void DrawMagnifier(QPainter &p)
{
    constexpr double Centre = 6.0;
    constexpr double InnerRadius = 4.3;
    constexpr double OuterRadius = 5.6;
    for (int y = 0; y < ImageSize; ++y)
        for (int x = 0; x < ImageSize; ++x) {
            const double dx = x - Centre;
            const double dy = y - Centre;
            const double r2 = dx * dx + dy * dy;
            if (r2 < InnerRadius * InnerRadius)
                Pixel(p, x, y, LensFill);
            else if (r2 < OuterRadius * OuterRadius)
                Pixel(p, x, y, LensRim);
        }
    Box(p, 4, 3, 2, 1, LensShine);
    Box(p, 3, 4, 1, 2, LensShine);
    // The handle: three pixels thick along the diagonal, from the rim to the corner.
    for (int i = 10; i <= 14; ++i) {
        Pixel(p, i, i, Handle);
        Pixel(p, i + 1, i, Handle);
        Pixel(p, i, i + 1, Handle);
    }
}

// A rounded speech bubble with a tail at the bottom-left and an "i" inside.
void DrawInfoBubble(QPainter &p)
{
    static const char *const rows[] = {
        "...oooooooooo...",
        "..owwwwwwwwwwo..",
        ".owwwwwiiwwwwwo.",
        "owwwwwwiiwwwwwwo",
        "owwwwwwwwwwwwwwo",
        "owwwwwiiiwwwwwwo",
        "owwwwwwiiwwwwwwo",
        "owwwwwwiiwwwwwwo",
        "owwwwwwiiwwwwwwo",
        ".owwwwiiiiwwwwo.",
        "..owwwwwwwwwwo..",
        "...oowwoooooo...",
        ".....owo........",
        "....owo.........",
        "...oo...........",
        "................",
    };
    for (int y = 0; y < ImageSize; ++y)
        for (int x = 0; x < ImageSize; ++x) {
            switch (rows[y][x]) {
            case 'o': Pixel(p, x, y, BubbleRim); break;
            case 'w': Pixel(p, x, y, BubbleFill); break;
            case 'i': Pixel(p, x, y, InfoLetter); break;
            default: break;
            }
        }
}

bool Write(const QDir &dir, const char *name, const std::function<void(QPainter &)> &draw)
{
    QImage image(ImageSize, ImageSize, QImage::Format_RGB32);
    image.fill(KeyColor);
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
    QGuiApplication app(argc, argv);
    const QDir dir(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("resources/menu"));
    if (!dir.exists() && !QDir().mkpath(dir.path())) {
        std::fprintf(stderr, "make_menu_images: cannot create %s\n", qPrintable(dir.path()));
        return 1;
    }
    const bool ok = Write(dir, "exit.bmp", DrawExitDoor) && Write(dir, "find.bmp", DrawMagnifier) &&
                    Write(dir, "about.bmp", DrawInfoBubble);
    return ok ? 0 : 1;
}
