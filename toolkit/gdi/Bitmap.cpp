#include "toolkit/gdi/Bitmap.h"

#include "toolkit/gdi/Canvas.h"

#include <QFile>
#include <QImageReader>
#include <QImageWriter>
#include <stdexcept>

namespace {

constexpr QRgb kWhite = 0xFFFFFFFF;
constexpr QRgb kBlack = 0xFF000000;

QVector<QRgb> MonochromePalette()
{
    return {kBlack, kWhite};
}

// The fixed palette an 8-bit bitmap gets when it has none: the 6×6×6 colour
// cube, a grey ramp and the sixteen classic colours.
QVector<QRgb> DefaultPalette()
{
    QVector<QRgb> palette;
    const int classic[16][3] = {{0, 0, 0},       {128, 0, 0},   {0, 128, 0},   {128, 128, 0},
                                {0, 0, 128},     {128, 0, 128}, {0, 128, 128}, {192, 192, 192},
                                {128, 128, 128}, {255, 0, 0},   {0, 255, 0},   {255, 255, 0},
                                {0, 0, 255},     {255, 0, 255}, {0, 255, 255}, {255, 255, 255}};
    for (const auto &c : classic)
        palette.push_back(qRgb(c[0], c[1], c[2]));
    for (int r = 0; r < 6; ++r)
        for (int g = 0; g < 6; ++g)
            for (int b = 0; b < 6; ++b)
                palette.push_back(qRgb(r * 51, g * 51, b * 51));
    for (int i = 1; palette.size() < 256; ++i)
        palette.push_back(qRgb(i * 6, i * 6, i * 6));
    return palette;
}

QImage BlankImage(int width, int height)
{
    if (width <= 0 || height <= 0)
        return QImage();
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(kWhite);
    return image;
}

bool Indexed(TPixelFormat format)
{
    return format == pf1bit || format == pf4bit || format == pf8bit;
}

} // namespace

TBitmap::TBitmap()
{
    Rebind();
}

TBitmap::TBitmap(int width, int height, TPixelFormat format)
{
    m_image = BlankImage(width, height);
    Rebind();
    SetPixelFormat(format);
}

TBitmap::TBitmap(const TBitmap &other)
    : TBitmapPixels(other)
{
    Rebind();
}

TBitmap &TBitmap::operator=(const TBitmap &other)
{
    Assign(other);
    return *this;
}

TBitmap::~TBitmap() = default;

void TBitmap::Assign(const TBitmap &other)
{
    if (this == &other)
        return;
    TBitmapPixels::operator=(other);
    Rebind();
}

void TBitmap::Rebind()
{
    if (!m_canvas)
        m_canvas = std::make_unique<TCanvas>();
    m_canvas->SetImage(&m_image);
    m_canvas->SetPalette(m_palette);
}

void TBitmap::SetSize(int width, int height)
{
    width = std::max(0, width);
    height = std::max(0, height);
    if (width == Width() && height == Height())
        return;
    QImage resized = BlankImage(width, height);
    if (!resized.isNull() && !m_image.isNull()) {
        for (int y = 0; y < std::min(height, Height()); ++y) {
            const QRgb *from = reinterpret_cast<const QRgb *>(m_image.constScanLine(y));
            QRgb *to = reinterpret_cast<QRgb *>(resized.scanLine(y));
            std::copy(from, from + std::min(width, Width()), to);
        }
    }
    m_image = resized;
    Rebind();
    // New pixels are white, which a palette may lack.
    if (!m_palette.isEmpty())
        for (int y = 0; y < Height(); ++y)
            for (int x = 0; x < Width(); ++x)
                m_canvas->SetPixel(x, y, FromQRgb(m_image.pixel(x, y)));
}

void TBitmap::SetWidth(int width)
{
    SetSize(width, Height());
}

void TBitmap::SetHeight(int height)
{
    SetSize(Width(), height);
}

void TBitmap::SetPixelFormat(TPixelFormat format)
{
    m_format = format;
    if (format == pf1bit)
        m_palette = MonochromePalette();
    else if (Indexed(format)) {
        if (m_palette.isEmpty() || m_palette == MonochromePalette())
            m_palette = DefaultPalette();
    } else
        m_palette.clear();
    Rebind();
    if (!m_palette.isEmpty())
        for (int y = 0; y < Height(); ++y)
            for (int x = 0; x < Width(); ++x)
                m_canvas->SetPixel(x, y, FromQRgb(m_image.pixel(x, y)));
}

void TBitmap::SetPalette(const QVector<QRgb> &palette)
{
    if (!Indexed(m_format) || palette.isEmpty())
        return;
    m_palette.clear();
    for (QRgb entry : palette)
        m_palette.push_back(entry | kBlack);
    SetPixelFormat(m_format);
}

TCanvas &TBitmap::Canvas()
{
    return *m_canvas;
}

TBitmap TBitmap::CreateMask(TColor color) const
{
    TBitmap mask(Width(), Height(), pf1bit);
    const QRgb key = ToQRgb(color) & kRgbBits;
    for (int y = 0; y < Height(); ++y)
        for (int x = 0; x < Width(); ++x)
            mask.m_image.setPixel(x, y, (m_image.pixel(x, y) & kRgbBits) == key ? kWhite : kBlack);
    return mask;
}

namespace {

// The bits per pixel a BMP file declares in its header, 0 for other files.
int DeclaredBmpDepth(const QString &fileName)
{
    constexpr int kHeaderBytes = 30;
    constexpr int kBitCountOffset = 28;
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        return 0;
    const QByteArray header = file.read(kHeaderBytes);
    if (header.size() < kHeaderBytes || !header.startsWith("BM"))
        return 0;
    return quint8(header[kBitCountOffset]) | (quint8(header[kBitCountOffset + 1]) << 8);
}

TPixelFormat FormatOfDepth(int bitsPerPixel, TPixelFormat fallback)
{
    switch (bitsPerPixel) {
    case 1: return pf1bit;
    case 4: return pf4bit;
    case 8: return pf8bit;
    case 16: return pf16bit;
    case 24: return pf24bit;
    case 32: return pf32bit;
    default: return fallback;
    }
}

} // namespace

void TBitmap::LoadFromImage(const QImage &image)
{
    TPixelFormat format = pf32bit;
    QVector<QRgb> palette;
    switch (image.format()) {
    case QImage::Format_Mono:
    case QImage::Format_MonoLSB:
        format = image.colorTable() == MonochromePalette() ? pf1bit : pf8bit;
        palette = image.colorTable();
        break;
    case QImage::Format_Indexed8:
        format = image.colorCount() <= 16 ? pf4bit : pf8bit;
        palette = image.colorTable();
        break;
    case QImage::Format_RGB888:
    case QImage::Format_BGR888: format = pf24bit; break;
    case QImage::Format_RGB16: format = pf16bit; break;
    case QImage::Format_RGB555: format = pf15bit; break;
    default: break;
    }
    m_image = image.isNull() ? QImage() : image.convertToFormat(QImage::Format_RGB32);
    m_format = format;
    m_palette.clear();
    for (QRgb entry : palette)
        m_palette.push_back(entry | kBlack);
    if (format == pf1bit)
        m_palette = MonochromePalette();
    Rebind();
}

void TBitmap::LoadFromFile(const QString &fileName)
{
    QImageReader reader(fileName);
    reader.setAutoTransform(false);
    const QImage image = reader.read();
    if (image.isNull())
        throw std::runtime_error(
            QStringLiteral("Cannot load the picture %1: %2").arg(fileName, reader.errorString()).toStdString());
    LoadFromImage(image);
    const TPixelFormat declared = FormatOfDepth(DeclaredBmpDepth(fileName), m_format);
    if (declared != m_format && !(declared == pf1bit && m_palette.size() != 2))
        m_format = declared;
}

QString TBitmap::ResourcePath(const QString &name)
{
    return QStringLiteral(":/bitmaps/%1.bmp").arg(name);
}

void TBitmap::LoadFromResourceName(const QString &name)
{
    QString path = ResourcePath(name);
    if (!QFile::exists(path))
        path = ResourcePath(name.toUpper());
    if (!QFile::exists(path))
        throw std::runtime_error(QStringLiteral("Resource %1 not found").arg(name).toStdString());
    LoadFromFile(path);
}

void TBitmap::SaveToFile(const QString &fileName) const
{
    QImage out;
    switch (m_format) {
    case pf1bit: out = m_image.convertToFormat(QImage::Format_Mono, MonochromePalette(), Qt::ThresholdDither); break;
    case pf4bit:
    case pf8bit: out = m_image.convertToFormat(QImage::Format_Indexed8, m_palette, Qt::ThresholdDither); break;
    case pf24bit: out = m_image.convertToFormat(QImage::Format_RGB888); break;
    default: out = m_image; break;
    }
    QImageWriter writer(fileName, "bmp");
    if (out.isNull() || !writer.write(out))
        throw std::runtime_error(
            QStringLiteral("Cannot write the picture %1: %2").arg(fileName, writer.errorString()).toStdString());
}
