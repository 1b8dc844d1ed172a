#pragma once

#include "toolkit/gdi/Colors.h"
#include "toolkit/gdi/Geometry.h"

#include <QImage>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

// The pixels of an area as text, one line per row: '#' where the pixel
// differs from the background, '.' where it does not.
inline std::string PixelMask(const QImage &image, const TRect &area, TColor background = clWhite)
{
    std::string out;
    const QRgb bg = ToQRgb(background) & 0x00FFFFFF;
    for (int y = area.Top; y < area.Bottom; ++y) {
        for (int x = area.Left; x < area.Right; ++x)
            out += (image.pixel(x, y) & 0x00FFFFFF) == bg ? '.' : '#';
        out += '\n';
    }
    return out;
}

// An image of the given size filled with a colour.
inline QImage FilledImage(int width, int height, TColor color = clWhite)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(ToQRgb(color));
    return image;
}

inline TColor PixelAt(const QImage &image, int x, int y)
{
    return FromQRgb(image.pixel(x, y));
}

// The pixels of an area as text, one line per row, each pixel written as the
// key of its colour in the legend ('?' for a colour the legend lacks). The
// first key of a colour wins when two keys share one.
inline std::string ColourMap(const QImage &image, const TRect &area,
                             std::initializer_list<std::pair<char, TColor>> legend)
{
    std::string out;
    for (int y = area.Top; y < area.Bottom; ++y) {
        for (int x = area.Left; x < area.Right; ++x) {
            const QRgb pixel = image.pixel(x, y) & 0x00FFFFFF;
            char key = '?';
            for (const auto &[k, colour] : legend)
                if ((ToQRgb(colour) & 0x00FFFFFF) == pixel) {
                    key = k;
                    break;
                }
            out += key;
        }
        out += '\n';
    }
    return out;
}

// Rows joined into the text ColourMap gives.
inline std::string Rows(std::initializer_list<std::string> rows)
{
    std::string out;
    for (const std::string &row : rows)
        out += row + '\n';
    return out;
}

// An expected picture in the keys of a ColourMap legend, painted rectangle
// by rectangle (right and bottom edges excluded, as the canvas fills).
class KeyPicture
{
public:
    KeyPicture(int width, int height, char key)
        : m_rows(height, std::string(width, key))
    { }
    KeyPicture &Fill(int left, int top, int right, int bottom, char key)
    {
        for (int y = top; y < bottom; ++y)
            for (int x = left; x < right; ++x)
                m_rows.at(y).at(x) = key;
        return *this;
    }
    // The outline of a rectangle, one pixel wide, on its inside.
    KeyPicture &Frame(int left, int top, int right, int bottom, char key)
    {
        Fill(left, top, right, top + 1, key);
        Fill(left, bottom - 1, right, bottom, key);
        Fill(left, top, left + 1, bottom, key);
        return Fill(right - 1, top, right, bottom, key);
    }
    std::string Text() const
    {
        std::string out;
        for (const std::string &row : m_rows)
            out += row + '\n';
        return out;
    }

private:
    std::vector<std::string> m_rows;
};

// The actual text with '*' wherever the expected text has one: a way to
// leave pixels out of a comparison (a glyph drawn by another routine).
inline std::string Blanked(std::string actual, const std::string &expected)
{
    for (std::size_t i = 0; i < actual.size() && i < expected.size(); ++i)
        if (expected[i] == '*')
            actual[i] = '*';
    return actual;
}
