#pragma once

#include "toolkit/gdi/Colors.h"

#include <QImage>
#include <QString>
#include <QVector>
#include <memory>

class TCanvas;

enum TPixelFormat { pfDevice, pf1bit, pf4bit, pf8bit, pf15bit, pf16bit, pf24bit, pf32bit, pfCustom };

// tmAuto takes the transparent colour from the bottom-left pixel;
// tmFixed uses the colour set with SetTransparentColor.
enum TTransparentMode { tmAuto, tmFixed };

// A bitmap with its own canvas. The pixels are kept as 32-bit RGB; a 1-bit
// or 8-bit bitmap keeps its palette and every colour drawn on it becomes the
// nearest palette entry, as on the platform. pfDevice draws as 32-bit.
// A bitmap of zero width or height is empty: drawing on it does nothing.
class TBitmap {
public:
    TBitmap();
    TBitmap(int width, int height, TPixelFormat format = pfDevice);
    TBitmap(const TBitmap &other);
    TBitmap &operator=(const TBitmap &other);
    ~TBitmap();

    // Takes the other bitmap's pixels, format, palette and transparency.
    void Assign(const TBitmap &other);

    int Width() const { return m_image.width(); }
    int Height() const { return m_image.height(); }
    // Resizing keeps the pixels that stay inside and makes new ones white.
    void SetWidth(int width);
    void SetHeight(int height);
    void SetSize(int width, int height);
    bool Empty() const { return m_image.isNull(); }

    TPixelFormat PixelFormat() const { return m_format; }
    // Changing to 1 or 8 bits maps the pixels onto the palette (black and
    // white, or the current 8-bit palette, else a fixed 256-colour one).
    void SetPixelFormat(TPixelFormat format);
    const QVector<QRgb> &Palette() const { return m_palette; }
    void SetPalette(const QVector<QRgb> &palette);

    TCanvas &Canvas();

    bool Transparent() const { return m_transparent; }
    void SetTransparent(bool transparent) { m_transparent = transparent; }
    TTransparentMode TransparentMode() const { return m_transparentMode; }
    void SetTransparentMode(TTransparentMode mode) { m_transparentMode = mode; }
    // The bottom-left pixel under tmAuto (clNone for an empty bitmap).
    TColor TransparentColor() const;
    // Sets the colour and switches to tmFixed.
    void SetTransparentColor(TColor color);

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

    const QImage &Image() const { return m_image; }
    QImage &Image() { return m_image; }

private:
    void Rebind();

    QImage m_image;
    TPixelFormat m_format = pfDevice;
    QVector<QRgb> m_palette;
    bool m_transparent = false;
    TTransparentMode m_transparentMode = tmAuto;
    TColor m_transparentColor = clNone;
    std::unique_ptr<TCanvas> m_canvas;
};
