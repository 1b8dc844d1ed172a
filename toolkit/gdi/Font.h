#pragma once

#include "toolkit/gdi/Colors.h"

#include <QFont>
#include <QString>
#include <functional>

enum TFontStyle : unsigned { fsBold = 0x1, fsItalic = 0x2, fsUnderline = 0x4, fsStrikeOut = 0x8 };
using TFontStyles = unsigned;

enum TFontPitch { fpDefault, fpVariable, fpFixed };

constexpr int ANSI_CHARSET = 0;
constexpr int DEFAULT_CHARSET = 1;
constexpr int SYMBOL_CHARSET = 2;
constexpr int RUSSIAN_CHARSET = 204;

// Screen resolution the font sizes in points refer to.
constexpr int kScreenPixelsPerInch = 96;

// The platform's text metrics of a font, in pixels. Height is Ascent plus
// Descent, taken from the font file's own Windows metrics.
struct TTextMetric {
    int Height = 0;
    int Ascent = 0;
    int Descent = 0;
    int InternalLeading = 0;
    int ExternalLeading = 0;
    int AveCharWidth = 0;
    int MaxCharWidth = 0;
};

// A font description as the layouts give it. Height below zero is the em
// size in pixels, above zero the cell height (ascent plus descent); Size is
// in points at 96 pixels per inch. A copy carries the values, not OnChange.
class TFont
{
public:
    TFont();
    TFont(const TFont &other);
    TFont &operator=(const TFont &other);

    // Takes every value of the other font and reports a change once.
    void Assign(const TFont &other);
    bool SameAs(const TFont &other) const;

    QString Name() const { return m_name; }
    void SetName(const QString &name);
    int Height() const { return m_height; }
    void SetHeight(int height);
    int Size() const;
    void SetSize(int points);
    int Charset() const { return m_charset; }
    void SetCharset(int charset);
    TColor Color() const { return m_color; }
    void SetColor(TColor color);
    TFontStyles Style() const { return m_style; }
    void SetStyle(TFontStyles style);
    TFontPitch Pitch() const { return m_pitch; }
    void SetPitch(TFontPitch pitch);

    // The em size in pixels that Height stands for.
    int PixelSize() const;
    // The Qt font used to draw and measure; glyphs are drawn without
    // antialiasing so that every run paints the same pixels.
    QFont ToQFont() const;
    // The Qt font that draws this font's glyphs at `ratio` device pixels
    // per pixel. A raster face has no such sizes: a scalable face of its
    // proportions stands in, at the same character height.
    QFont ToDeviceQFont(double ratio) const;
    // The font for a Qt widget on a screen of that ratio, which Qt draws
    // at the device's resolution itself: the same stand-in for a raster
    // face, at the logical size.
    QFont ToScreenQFont(double ratio) const;
    TTextMetric Metrics() const;

    std::function<void()> OnChange;

private:
    void Changed();
    // This font, or the scalable face that stands in for its raster face.
    TFont Scalable() const;

    QString m_name;
    int m_height;
    int m_charset;
    TColor m_color;
    TFontStyles m_style;
    TFontPitch m_pitch;
};

// Registers the bundled fonts ("Tahoma", "Tahoma" bold, "MS Sans Serif") with
// Qt's font database from fontDirectory (default: Debian's fonts-wine folder,
// or $VELIRSK_FONT_DIR when set). A missing file is reported on stderr and
// the family falls back to a sans-serif font. Returns whether all three were
// registered. Calling it again does nothing.
bool RegisterBundledFonts(const QString &fontDirectory = QString());
