#pragma once

#include "toolkit/gdi/Brush.h"
#include "toolkit/gdi/Colors.h"
#include "toolkit/gdi/DeviceScale.h"
#include "toolkit/gdi/Font.h"
#include "toolkit/gdi/Geometry.h"
#include "toolkit/gdi/PaletteMap.h"
#include "toolkit/gdi/Pen.h"
#include "toolkit/gdi/RasterOp.h"
#include "toolkit/gdi/TextLayout.h"

#include <QImage>
#include <QString>
#include <QVector>
#include <initializer_list>
#include <vector>

class QPainter;
class QTextLine;
class TBitmapPixels;
class TRegion;
class TSpanSet;

// A device context over a QImage with the platform's pixel rules:
// rectangles leave out their right column and bottom row, lines leave out
// their end point, a thin pen touches exactly the pixels a Bresenham walk
// gives. Lines, rectangles, ellipses, round rectangles, polygons and regions
// are rasterised here; Qt draws the glyphs of text and scales images.
// The state, the pixel rules and the painting of span sets are in
// Canvas.cpp; figures, text and copies in CanvasShapes.cpp, CanvasText.cpp
// and CanvasBlits.cpp.
//
// Coordinates are logical: the origin (SetOrigin) is added to every
// coordinate, and every write is clipped to the image and to the clip
// rectangle (in logical coordinates when set). A canvas without an image, or
// over an empty one, draws nothing and reads CLR_INVALID.
//
// An image with a device pixel ratio other than 1 is a scaled surface: the
// canvas is as many logical pixels as the ratio gives, each logical pixel
// covers its block of the image's pixels (TDeviceScale), and every rule
// above holds for the logical pixels. Text alone is drawn at the image's
// own resolution, on the positions the logical layout gives.
class TCanvas
{
public:
    TCanvas();
    // The canvas draws on image, which must outlive it; an image that is
    // neither RGB32 nor ARGB32 is converted to RGB32 in place.
    explicit TCanvas(QImage *image);
    TCanvas(const TCanvas &) = delete;
    TCanvas &operator=(const TCanvas &) = delete;

    void SetImage(QImage *image);
    QImage *Image() const { return m_image; }
    const TDeviceScale &Scale() const { return m_scale; }
    int Width() const;
    int Height() const;

    // Restricts drawing to the given palette: every colour written becomes
    // the nearest entry (used by 1- and 8-bit bitmaps). Empty: no limit.
    void SetPalette(const QVector<QRgb> &palette);
    const QVector<QRgb> &Palette() const { return m_palette.Entries(); }

    TPen &Pen() { return m_state.pen; }
    TBrush &Brush() { return m_state.brush; }
    TFont &Font() { return m_state.font; }
    const TPen &Pen() const { return m_state.pen; }
    const TBrush &Brush() const { return m_state.brush; }
    const TFont &Font() const { return m_state.font; }
    void SetPen(const TPen &pen) { m_state.pen = pen; }
    void SetBrush(const TBrush &brush) { m_state.brush = brush; }
    void SetFont(const TFont &font) { m_state.font = font; }

    // The colours a monochrome source takes when copied onto a colour
    // canvas: clear (black) pixels become the text colour, set (white)
    // pixels the background colour. Copied onto a monochrome canvas, source
    // pixels of the source canvas's background colour become set (white)
    // and all others clear. Defaults: black text, white background.
    TColor TextColor() const { return m_state.textColor; }
    void SetTextColor(TColor color) { m_state.textColor = color; }
    TColor BkColor() const { return m_state.bkColor; }
    void SetBkColor(TColor color) { m_state.bkColor = color; }

    TRasterOp CopyMode() const { return m_state.copyMode; }
    void SetCopyMode(TRasterOp rop) { m_state.copyMode = rop; }

    // Origin and clipping; Save/Restore keep them with pen, brush, font,
    // copy mode and pen position.
    TPoint Origin() const { return m_state.origin; }
    void SetOrigin(int x, int y) { m_state.origin = {x, y}; }
    void SetClipRect(const TRect &logical);
    void IntersectClipRect(const TRect &logical);
    void ClearClip();
    // The visible part of the canvas in logical coordinates.
    TRect ClipRect() const;
    void Save();
    void Restore();

    TPoint PenPos() const { return m_state.penPos; }
    void SetPenPos(TPoint p) { m_state.penPos = p; }
    void MoveTo(int x, int y);
    void LineTo(int x, int y);
    void Polyline(const std::vector<TPoint> &points);
    void Polyline(std::initializer_list<TPoint> points) { Polyline(std::vector<TPoint>(points)); }
    // Fills with the brush (fill rule: ALTERNATE unless changed) and outlines
    // with the pen, closing the figure.
    void Polygon(const std::vector<TPoint> &points);
    void Polygon(std::initializer_list<TPoint> points) { Polygon(std::vector<TPoint>(points)); }
    TPolyFillMode PolyFillMode() const { return m_state.fillMode; }
    void SetPolyFillMode(TPolyFillMode mode) { m_state.fillMode = mode; }

    // Pen outline on the pixels (Left..Right-1, Top..Bottom-1), brush inside.
    void Rectangle(int left, int top, int right, int bottom);
    void Rectangle(const TRect &r) { Rectangle(r.Left, r.Top, r.Right, r.Bottom); }
    void FillRect(const TRect &r);
    // Selects a solid brush of `color` and fills; the brush stays selected.
    void FillSolidRect(const TRect &r, TColor color);
    // A one-pixel frame painted with the brush.
    void FrameRect(const TRect &r);
    void RoundRect(int left, int top, int right, int bottom, int ellipseWidth, int ellipseHeight);
    void Ellipse(int left, int top, int right, int bottom);
    void Ellipse(const TRect &r) { Ellipse(r.Left, r.Top, r.Right, r.Bottom); }
    // Inverts every other pixel of the rectangle's one-pixel frame;
    // drawing it twice restores the pixels.
    void DrawFocusRect(const TRect &r);
    void InvertRect(const TRect &r);

    TColor Pixel(int x, int y) const;
    void SetPixel(int x, int y, TColor color);

    int TextWidth(const QString &text) const;
    int TextHeight(const QString &text) const;
    TSize TextExtent(const QString &text) const;
    // Text with its cell's top-left corner at (x, y); the cell is filled
    // with the brush unless the brush is clear. The pen position is unchanged.
    void TextOut(int x, int y, const QString &text);
    // As TextOut, clipped to r, and r filled with the brush unless clear.
    void TextRect(const TRect &r, int x, int y, const QString &text);
    // Lays out text in r by the DT_* flags; returns the height of the text
    // (with DT_VCENTER or DT_BOTTOM the offset from r.Top to its bottom).
    // With DT_CALCRECT nothing is drawn and r is set to the text's extent.
    int DrawText(const QString &text, TRect &r, unsigned flags);

    // Copies with the copy mode (SRCCOPY by default); the source part is
    // stretched to the destination when the sizes differ.
    void CopyRect(const TRect &dest, const TCanvas &source, const TRect &sourceRect);
    void BitBlt(int x, int y, int width, int height, const TCanvas &source, int sx, int sy, TRasterOp rop);
    void StretchBlt(int x, int y, int width, int height, const TCanvas &source, int sx, int sy, int sourceWidth,
                    int sourceHeight, TRasterOp rop);
    // Draws a bitmap; a transparent bitmap leaves out its transparent colour.
    void Draw(int x, int y, const TBitmapPixels &bitmap);
    void StretchDraw(const TRect &dest, const TBitmapPixels &bitmap);

    void FillRgn(const TRegion &region, const TBrush &brush);
    void FrameRgn(const TRegion &region, const TBrush &brush, int width, int height);

private:
    struct State {
        TPen pen;
        TBrush brush;
        TFont font;
        TRasterOp copyMode = SRCCOPY;
        TColor textColor = clBlack;
        TColor bkColor = clWhite;
        TPoint origin;
        TPoint penPos;
        TPolyFillMode fillMode = ALTERNATE;
        bool clipped = false;
        TRect clip; // device coordinates
    };

    // The pixel rules that figures, text and copies all go through.
    bool Drawable() const;
    // Device rectangle that may be written: the image within the clip.
    TRect WritableArea() const;
    QRgb Resolve(TColor color) const;
    void WritePixel(int x, int y, QRgb rgb);
    // As WritePixel for a pixel known to lie in the writable area.
    void StorePixel(int x, int y, QRgb rgb);
    QRgb ReadPixel(int x, int y) const;
    // The image's pixels under canvas pixels (origin applied).
    TScaledAxis AxisX() const { return {m_scale, Width(), m_image->width()}; }
    TScaledAxis AxisY() const { return {m_scale, Height(), m_image->height()}; }
    int SurfaceX(int x) const { return m_scale.Edge(x, Width(), m_image->width()); }
    int SurfaceY(int y) const { return m_scale.Edge(y, Height(), m_image->height()); }
    TRect ToSurface(const TRect &r) const
    {
        return {SurfaceX(r.Left), SurfaceY(r.Top), SurfaceX(r.Right), SurfaceY(r.Bottom)};
    }
    void FillSurfaceRun(int x0, int x1, int y, QRgb rgb);
    // Exclusive-or of a pixel with mask (kInvertAll inverts it).
    static constexpr QRgb kInvertAll = 0xFFFFFFFFu;
    void XorPixel(int x, int y, QRgb mask);
    QRgb BrushPixel(const TBrush &brush, int x, int y) const;
    void PenPixel(int x, int y);
    void PaintWithBrush(const TSpanSet &deviceSpans, const TBrush &brush);
    void PaintRectWithBrush(const TRect &device, const TBrush &brush);
    // How a brush fills: from its pattern, or with one colour.
    struct TBrushFill {
        bool patterned = false;
        QRgb solid = 0;
    };
    TBrushFill FillOf(const TBrush &brush) const;
    // Pixels x0..x1-1 of a device row, already within the writable area.
    void PaintBrushRun(int x0, int x1, int y, const TBrush &brush, const TBrushFill &fill);
    // Pixels x0..x1-1 of a device row, from a pattern brush.
    void PaintPatternRun(QRgb *line, int x0, int x1, int y, const TBrush &brush);
    void PaintWithPen(const TSpanSet &deviceSpans);
    // Finishes a Qt drawing on the image: maps the touched pixels onto the
    // palette.
    void AfterQtDrawing(const TRect &deviceArea);
    TPoint ToDevice(int x, int y) const { return {x + m_state.origin.X, y + m_state.origin.Y}; }
    TRect ToDevice(const TRect &r) const { return r.Offset(m_state.origin.X, m_state.origin.Y); }

    void ThinPenLine(int x0, int y0, int x1, int y1, int &patternPosition);
    void PenSegment(TPoint from, TPoint to, int &patternPosition);
    void PaintFigure(const TSpanSet &outline, const TSpanSet &inside);
    void DrawTextRun(const QString &text, int x, int top, const TRect *clip, bool opaque, bool prefixes,
                     bool expandTabs, bool rightToLeft);
    // Draws a laid-out line at the image's resolution: each character on
    // the place the logical layout gives it, in a face that scales.
    void DrawScaledLine(QPainter &painter, const QTextLine &line, const TPrefixedText &shown, TPoint origin,
                        int ascent);
    // The underline of the character at index (an ampersand's letter).
    static TRect UnderlineOf(const QTextLine &line, int index, TPoint origin, int ascent);
    void Blit(const TRect &dest, const TCanvas *source, const TRect &sourceRect, TRasterOp rop, bool withSource);

    State m_state;
    std::vector<State> m_saved;
    QImage *m_image = nullptr;
    TDeviceScale m_scale;
    int m_width = 0;
    int m_height = 0;
    TPaletteMap m_palette;
};
