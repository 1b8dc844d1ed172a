// Draws the splash picture: an evening view of a small town with telephone
// lines, and the program's title in red letters across its top. Writes a
// baseline JPEG of 392 x 227 pixels with three components.
//
//   make_splash OUTPUT.jpg

#include "ToolArguments.h"

#include <QFontDatabase>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRandomGenerator>

#include <cstdio>
#include <jpeglib.h>

namespace {

constexpr int kPictureWidth = 392;
constexpr int kPictureHeight = 227;
constexpr int kJpegQuality = 90;
// The splash window shows all but the last 6 columns and rows.
constexpr int kVisibleWidth = kPictureWidth - 6;
constexpr int kHorizonY = 150;
constexpr int kSunY = 92;
constexpr int kTitlePixelSize = 19;
constexpr int kTitleTop = 8;
constexpr quint32 kSceneSeed = 1990;

const char *const kTitleFont = "/usr/share/wine/fonts/tahomabd.ttf";
const QString kTitle = QStringLiteral("Телефонный справочник г. Велирск");

void DrawSky(QPainter &p)
{
    QLinearGradient sky(0, 0, 0, kHorizonY);
    sky.setColorAt(0.0, QColor(24, 38, 86));
    sky.setColorAt(0.55, QColor(92, 104, 160));
    sky.setColorAt(1.0, QColor(238, 176, 120));
    p.fillRect(0, 0, kPictureWidth, kHorizonY, sky);

    QRadialGradient sun(300, kSunY, 40);
    sun.setColorAt(0.0, QColor(255, 236, 170));
    sun.setColorAt(0.35, QColor(255, 200, 120, 200));
    sun.setColorAt(1.0, QColor(255, 180, 110, 0));
    p.setBrush(sun);
    p.setPen(Qt::NoPen);
    p.drawEllipse(QPointF(300, kSunY), 40, 40);
}

void DrawHills(QPainter &p)
{
    QPainterPath far;
    far.moveTo(0, kHorizonY - 18);
    far.cubicTo(80, kHorizonY - 40, 150, kHorizonY - 10, 230, kHorizonY - 28);
    far.cubicTo(300, kHorizonY - 44, 350, kHorizonY - 20, kPictureWidth, kHorizonY - 30);
    far.lineTo(kPictureWidth, kPictureHeight);
    far.lineTo(0, kPictureHeight);
    far.closeSubpath();
    p.fillPath(far, QColor(70, 78, 110));

    QLinearGradient ground(0, kHorizonY, 0, kPictureHeight);
    ground.setColorAt(0.0, QColor(52, 70, 48));
    ground.setColorAt(1.0, QColor(26, 36, 24));
    p.fillRect(0, kHorizonY, kPictureWidth, kPictureHeight - kHorizonY, ground);
}

void DrawTown(QPainter &p)
{
    QRandomGenerator random(kSceneSeed);
    int x = 4;
    while (x < kPictureWidth - 10) {
        const int width = 16 + int(random.bounded(22));
        const int height = 22 + int(random.bounded(52));
        const QRect house(x, kHorizonY - height + 6, width, height);
        const int shade = 34 + int(random.bounded(26));
        p.fillRect(house, QColor(shade, shade + 4, shade + 18));
        if (random.bounded(3) == 0) {
            QPolygon roof;
            roof << QPoint(house.left() - 2, house.top()) << QPoint(house.center().x(), house.top() - 9)
                 << QPoint(house.right() + 2, house.top());
            p.setBrush(QColor(shade - 10, shade - 8, shade));
            p.setPen(Qt::NoPen);
            p.drawPolygon(roof);
        }
        for (int wy = house.top() + 4; wy < house.bottom() - 6; wy += 7) {
            for (int wx = house.left() + 3; wx < house.right() - 3; wx += 6) {
                if (random.bounded(5) < 2)
                    p.fillRect(wx, wy, 3, 4, QColor(255, 214, 120));
            }
        }
        x += width + 1 + int(random.bounded(5));
    }
}

void DrawTelephoneLine(QPainter &p)
{
    constexpr int kPoleTop = 96;
    const int poles[] = {36, 150, 264, 378};
    p.setPen(QPen(QColor(20, 16, 14), 3));
    for (int pole : poles) {
        p.drawLine(pole, kPoleTop, pole, kPictureHeight);
        p.drawLine(pole - 12, kPoleTop + 6, pole + 12, kPoleTop + 6);
    }
    p.setRenderHint(QPainter::Antialiasing);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(20, 16, 14), 1.2));
    for (int wire : {-10, 10}) {
        for (std::size_t i = 0; i + 1 < std::size(poles); ++i) {
            QPainterPath sag;
            const QPointF from(poles[i] + wire, kPoleTop + 5);
            const QPointF to(poles[i + 1] + wire, kPoleTop + 5);
            sag.moveTo(from);
            sag.quadTo((from + to) / 2 + QPointF(0, 16), to);
            p.drawPath(sag);
        }
    }
    p.setRenderHint(QPainter::Antialiasing, false);
}

void DrawTitle(QPainter &p)
{
    const int id = QFontDatabase::addApplicationFont(QString::fromLatin1(kTitleFont));
    if (id < 0)
        std::fprintf(stderr, "make_splash: %s is missing, the title falls back to a sans-serif font\n", kTitleFont);
    QFont font(id >= 0 ? QFontDatabase::applicationFontFamilies(id).value(0) : QStringLiteral("Sans"));
    font.setPixelSize(kTitlePixelSize);
    font.setBold(true);
    p.setFont(font);
    p.setRenderHint(QPainter::TextAntialiasing);

    const QRect band(0, kTitleTop, kVisibleWidth, kTitlePixelSize + 8);
    // A dark outline keeps the red letters legible over the light sky.
    p.setPen(QColor(40, 0, 0));
    for (const QPoint offset : {QPoint(-1, 0), QPoint(1, 0), QPoint(0, -1), QPoint(0, 1), QPoint(1, 1)})
        p.drawText(band.translated(offset), Qt::AlignHCenter | Qt::AlignVCenter, kTitle);
    p.setPen(QColor(228, 20, 20));
    p.drawText(band, Qt::AlignHCenter | Qt::AlignVCenter, kTitle);
}

bool WriteBaselineJpeg(const QImage &picture, const char *fileName)
{
    FILE *file = std::fopen(fileName, "wb");
    if (!file)
        return false;
    jpeg_compress_struct info;
    jpeg_error_mgr errors;
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    jpeg_stdio_dest(&info, file);
    info.image_width = JDIMENSION(picture.width());
    info.image_height = JDIMENSION(picture.height());
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, kJpegQuality, TRUE);
    jpeg_start_compress(&info, TRUE);
    const QImage rgb = picture.convertToFormat(QImage::Format_RGB888);
    while (info.next_scanline < info.image_height) {
        auto *row = const_cast<JSAMPROW>(rgb.constScanLine(int(info.next_scanline)));
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    return std::fclose(file) == 0;
}

} // namespace

int main(int argc, char *argv[])
{
    if (const std::optional<int> exit = CheckToolArguments(argc, argv, "make_splash OUTPUT.jpg", 1, 1))
        return *exit;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);

    QImage picture(kPictureWidth, kPictureHeight, QImage::Format_RGB32);
    QPainter painter(&picture);
    DrawSky(painter);
    DrawHills(painter);
    DrawTown(painter);
    DrawTelephoneLine(painter);
    DrawTitle(painter);
    painter.end();

    if (!WriteBaselineJpeg(picture, argv[1])) {
        std::fprintf(stderr, "make_splash: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
