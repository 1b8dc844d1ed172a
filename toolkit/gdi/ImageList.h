#pragma once

#include "toolkit/gdi/Colors.h"

#include <QImage>

#include <vector>

class TCanvas;

// A list of images of one fixed size, each with a mask: pixels outside the
// mask are never drawn, so the images sit transparently on any background.
class TImageList
{
public:
    explicit TImageList(int width = 16, int height = 16);

    int Width() const { return m_width; }
    int Height() const { return m_height; }
    int Count() const { return static_cast<int>(m_images.size()); }

    // Adds the image, cut into as many Width-wide images as it holds; pixels of
    // MaskColor become transparent. Returns the index of the first image added,
    // or -1 when the picture is empty or not as high as the list.
    int AddMasked(const QImage &image, TColor maskColor);
    // Adds one image with the pixels where Mask is set drawn; the mask is
    // read as opaque where its pixel is black (the classic convention).
    int Add(const QImage &image, const QImage &mask);
    void Delete(int index);
    void Clear();

    // The image with transparent pixels at alpha 0; a null image for a bad index.
    QImage Image(int index) const;
    bool IsOpaque(int index, int x, int y) const;

    // Draws the image with its top-left corner at (X, Y). A disabled image is
    // drawn in the classic embossed grey. A bad index draws nothing.
    void Draw(TCanvas &canvas, int x, int y, int index, bool enabled = true) const;
    // Draws the pixels of Image whose alpha is not 0, as they are.
    static void DrawMasked(TCanvas &canvas, int left, int top, const QImage &image);

private:
    int m_width;
    int m_height;
    std::vector<QImage> m_images; // ARGB32, alpha 0 or 255
};
