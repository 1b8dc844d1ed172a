#include "toolkit/gdi/ImageList.h"

#include "toolkit/gdi/Canvas.h"

namespace {

// Pixels darker than this take part in the embossed look of a disabled image.
constexpr int EmbossDarknessLimit = 192;
constexpr int EmbossOffset = 1;

TColor EmbossHighlightColor() { return clBtnHighlight; }
TColor EmbossShadowColor() { return clBtnShadow; }

// The shape of a disabled image: its opaque, not-light pixels in one colour.
void DrawEmbossShape(TCanvas &canvas, int left, int top, const QImage &image, TColor color)
{
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QRgb pixel = image.pixel(x, y);
            if (qAlpha(pixel) != 0 && qGray(pixel) < EmbossDarknessLimit)
                canvas.SetPixel(left + x, top + y, color);
        }
}

} // namespace

TImageList::TImageList(int Width, int Height)
    : m_width(Width > 0 ? Width : 16), m_height(Height > 0 ? Height : 16)
{
}

int TImageList::AddMasked(const QImage &Image, TColor MaskColor)
{
    if (Image.isNull() || Image.height() < m_height || Image.width() < m_width)
        return -1;
    const QRgb mask = ToQColor(MaskColor).rgb() & RGB_MASK;
    const int first = Count();
    for (int left = 0; left + m_width <= Image.width(); left += m_width) {
        QImage piece = Image.copy(left, 0, m_width, m_height).convertToFormat(QImage::Format_ARGB32);
        for (int y = 0; y < m_height; ++y) {
            auto *line = reinterpret_cast<QRgb *>(piece.scanLine(y));
            for (int x = 0; x < m_width; ++x)
                line[x] = (line[x] & RGB_MASK) == mask ? 0 : (line[x] | 0xFF000000u);
        }
        m_images.push_back(std::move(piece));
    }
    return first;
}

int TImageList::Add(const QImage &Image, const QImage &Mask)
{
    if (Image.isNull() || Image.width() < m_width || Image.height() < m_height)
        return -1;
    QImage piece = Image.copy(0, 0, m_width, m_height).convertToFormat(QImage::Format_ARGB32);
    const bool hasMask = !Mask.isNull() && Mask.width() >= m_width && Mask.height() >= m_height;
    for (int y = 0; y < m_height; ++y)
        for (int x = 0; x < m_width; ++x) {
            const bool opaque = !hasMask || qGray(Mask.pixel(x, y)) < 128;
            const QRgb rgb = piece.pixel(x, y) & RGB_MASK;
            piece.setPixel(x, y, opaque ? (rgb | 0xFF000000u) : 0);
        }
    m_images.push_back(std::move(piece));
    return Count() - 1;
}

void TImageList::Delete(int Index)
{
    if (Index >= 0 && Index < Count())
        m_images.erase(m_images.begin() + Index);
}

void TImageList::Clear()
{
    m_images.clear();
}

QImage TImageList::Image(int Index) const
{
    if (Index < 0 || Index >= Count())
        return {};
    return m_images[static_cast<std::size_t>(Index)];
}

bool TImageList::IsOpaque(int Index, int X, int Y) const
{
    if (Index < 0 || Index >= Count() || X < 0 || Y < 0 || X >= m_width || Y >= m_height)
        return false;
    return qAlpha(m_images[static_cast<std::size_t>(Index)].pixel(X, Y)) != 0;
}

void TImageList::Draw(TCanvas &Canvas, int X, int Y, int Index, bool Enabled) const
{
    if (Index < 0 || Index >= Count())
        return;
    const QImage &image = m_images[static_cast<std::size_t>(Index)];
    if (Enabled) {
        DrawMasked(Canvas, X, Y, image);
        return;
    }
    DrawEmbossShape(Canvas, X + EmbossOffset, Y + EmbossOffset, image, EmbossHighlightColor());
    DrawEmbossShape(Canvas, X, Y, image, EmbossShadowColor());
}

void TImageList::DrawMasked(TCanvas &Canvas, int X, int Y, const QImage &Image)
{
    for (int y = 0; y < Image.height(); ++y)
        for (int x = 0; x < Image.width(); ++x) {
            const QRgb pixel = Image.pixel(x, y);
            if (qAlpha(pixel) != 0)
                Canvas.SetPixel(X + x, Y + y, RGB(qRed(pixel), qGreen(pixel), qBlue(pixel)));
        }
}
