#pragma once

#include "toolkit/gdi/BitmapPixels.h"

#include <QString>
#include <memory>

class TCanvas;

// A bitmap with its own canvas. The pixels are kept as 32-bit RGB; a 1-bit
// or 8-bit bitmap keeps its palette and every colour drawn on it becomes the
// nearest palette entry, as on the platform. pfDevice draws as 32-bit.
// A bitmap of zero width or height is empty: drawing on it does nothing.
class TBitmap : public TBitmapPixels
{
public:
    TBitmap();
    TBitmap(int width, int height, TPixelFormat format = pfDevice);
    TBitmap(const TBitmap &other);
    TBitmap &operator=(const TBitmap &other);
    ~TBitmap();

    // Takes the other bitmap's pixels, format, palette and transparency.
    void Assign(const TBitmap &other);

    // Resizing keeps the pixels that stay inside and makes new ones white.
    void SetWidth(int width);
    void SetHeight(int height);
    void SetSize(int width, int height);

    // Changing to 1 or 8 bits maps the pixels onto the palette (black and
    // white, or the current 8-bit palette, else a fixed 256-colour one).
    void SetPixelFormat(TPixelFormat format);
    void SetPalette(const QVector<QRgb> &palette);

    TCanvas &Canvas();

    // A 1-bit bitmap: white where the pixel equals color, black elsewhere.
    TBitmap CreateMask(TColor color) const;

    // Loading replaces everything; 1-, 4- and 8-bit files keep their palette.
    // A missing or unreadable file throws std::runtime_error with a message
    // naming it and leaves the bitmap unchanged.
    void LoadFromFile(const QString &fileName);
    // A bitmap resource NAME is the Qt resource ":/bitmaps/NAME.bmp".
    void LoadFromResourceName(const QString &name);
    static QString ResourcePath(const QString &name);
    void LoadFromImage(const QImage &image);
    // Writes a BMP file in the bitmap's format (8-bit with its palette);
    // throws std::runtime_error when the file cannot be written.
    void SaveToFile(const QString &fileName) const;

private:
    void Rebind();

    std::unique_ptr<TCanvas> m_canvas;
};
