#include "toolkit/gdi/ImageList.h"

#include "toolkit/gdi/Canvas.h"

namespace {

// Pixels darker than this take part in the embossed look of a disabled image.
constexpr int kEmbossDarknessLimit = 192;
constexpr int kEmbossOffset = 1;

TColor EmbossHighlightColor()
{
    return clBtnHighlight;
}
TColor EmbossShadowColor()
{
    return clBtnShadow;
}

// The shape of a disabled image: its opaque, not-light pixels in one colour.
void DrawEmbossShape(TCanvas &canvas, int left, int top, const QImage &image, TColor color)
{
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QRgb pixel = image.pixel(x, y);
            if (qAlpha(pixel) != 0 && qGray(pixel) < kEmbossDarknessLimit)
                canvas.SetPixel(left + x, top + y, color);
        }
}

} // namespace

TImageList::TImageList(int width, int height)
    : m_width(width > 0 ? width : 16)
    , m_height(height > 0 ? height : 16)
{ }

int TImageList::AddMasked(const QImage &image, TColor maskColor)
{
    if (image.isNull() || image.height() < m_height || image.width() < m_width)
        return -1;
    const QRgb mask = ToQColor(maskColor).rgb() & RGB_MASK;
    const int first = Count();
    for (int left = 0; left + m_width <= image.width(); left += m_width) {
        QImage piece = image.copy(left, 0, m_width, m_height).convertToFormat(QImage::Format_ARGB32);
        for (int y = 0; y < m_height; ++y) {
            auto *line = reinterpret_cast<QRgb *>(piece.scanLine(y));
            for (int x = 0; x < m_width; ++x)
                line[x] = (line[x] & RGB_MASK) == mask ? 0 : (line[x] | 0xFF000000u);
        }
        m_images.push_back(std::move(piece));
    }
    return first;
}

int TImageList::Add(const QImage &image, const QImage &mask)
{
    if (image.isNull() || image.width() < m_width || image.height() < m_height)
        return -1;
    QImage piece = image.copy(0, 0, m_width, m_height).convertToFormat(QImage::Format_ARGB32);
    const bool hasMask = !mask.isNull() && mask.width() >= m_width && mask.height() >= m_height;
    for (int y = 0; y < m_height; ++y)
        for (int x = 0; x < m_width; ++x) {
            const bool opaque = !hasMask || qGray(mask.pixel(x, y)) < 128;
            const QRgb rgb = piece.pixel(x, y) & RGB_MASK;
            piece.setPixel(x, y, opaque ? (rgb | 0xFF000000u) : 0);
        }
    m_images.push_back(std::move(piece));
    return Count() - 1;
}

void TImageList::Delete(int index)
{
    if (index >= 0 && index < Count())
        m_images.erase(m_images.begin() + index);
}

void TImageList::Clear()
{
    m_images.clear();
}

QImage TImageList::Image(int index) const
{
    if (index < 0 || index >= Count())
        return {};
    return m_images[static_cast<std::size_t>(index)];
}

bool TImageList::IsOpaque(int index, int x, int y) const
{
    if (index < 0 || index >= Count() || x < 0 || y < 0 || x >= m_width || y >= m_height)
        return false;
    return qAlpha(m_images[static_cast<std::size_t>(index)].pixel(x, y)) != 0;
}

void TImageList::Draw(TCanvas &canvas, int x, int y, int index, bool enabled) const
{
    if (index < 0 || index >= Count())
        return;
    const QImage &image = m_images[static_cast<std::size_t>(index)];
    if (enabled) {
        DrawMasked(canvas, x, y, image);
        return;
    }
    DrawEmbossShape(canvas, x + kEmbossOffset, y + kEmbossOffset, image, EmbossHighlightColor());
    DrawEmbossShape(canvas, x, y, image, EmbossShadowColor());
}

void TImageList::DrawMasked(TCanvas &canvas, int left, int top, const QImage &image)
{
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QRgb pixel = image.pixel(x, y);
            if (qAlpha(pixel) != 0)
                canvas.SetPixel(left + x, top + y, RGB(qRed(pixel), qGreen(pixel), qBlue(pixel)));
        }
}
