#pragma once

#include "toolkit/gdi/Font.h"
#include "toolkit/gdi/Geometry.h"

#include <QString>
#include <vector>

// Format flags of DrawText.
constexpr unsigned DT_TOP = 0x0;
constexpr unsigned DT_LEFT = 0x0;
constexpr unsigned DT_CENTER = 0x1;
constexpr unsigned DT_RIGHT = 0x2;
constexpr unsigned DT_VCENTER = 0x4;
constexpr unsigned DT_BOTTOM = 0x8;
constexpr unsigned DT_WORDBREAK = 0x10;
constexpr unsigned DT_SINGLELINE = 0x20;
constexpr unsigned DT_EXPANDTABS = 0x40;
constexpr unsigned DT_NOCLIP = 0x100;
constexpr unsigned DT_CALCRECT = 0x400;
constexpr unsigned DT_NOPREFIX = 0x800;
constexpr unsigned DT_END_ELLIPSIS = 0x8000;
constexpr unsigned DT_RTLREADING = 0x20000;
constexpr unsigned DT_HIDEPREFIX = 0x100000;

// The text to show with its accelerator positions: "&x" underlines x and
// "&&" shows one ampersand; a lone trailing "&" is dropped. Unprocessed
// text is shown as it is.
struct TPrefixedText {
    QString text;
    std::vector<int> underlined;
};
TPrefixedText StripPrefixes(const QString &raw, bool process);

// Expanded tabs stop every eight average characters of the font.
int TabStopDistance(const TTextMetric &metric);

// One line of text as DrawText places it: its cell's top-left corner.
struct TTextLine {
    QString text;
    int x;
    int top;
};

struct TTextBlock {
    std::vector<TTextLine> lines;
    // The extent of the text: its widest line and all its lines.
    int width = 0;
    int height = 0;
    // From the rectangle's top to the text's bottom: what DrawText answers
    // when it draws.
    int bottomOffset = 0;
};

// How DrawText lays out text in a rectangle by the DT_* flags, measured
// with a font that must outlive the layout: lines end at CR, LF or CR LF,
// DT_WORDBREAK breaks them greedily after spaces (a word wider than the
// rectangle stands alone, unsplit), DT_END_ELLIPSIS ends a line too wide in
// "...", and DT_SINGLELINE joins everything into one line that DT_VCENTER or
// DT_BOTTOM may move down.
class TTextLayout
{
public:
    explicit TTextLayout(const TFont &font)
        : m_font(font)
    { }

    TTextBlock Arrange(const QString &text, const TRect &r, unsigned flags) const;

    // The advance of one line, ampersands processed and tabs expanded as
    // asked.
    int RunWidth(const QString &text, bool prefixes, bool expandTabs) const;

private:
    std::vector<QString> BreakLines(const QString &text, int width, bool wordBreak, bool prefixes,
                                    bool expandTabs) const;
    QString ElidedAtEnd(const QString &line, int width, bool prefixes, bool expandTabs) const;

    const TFont &m_font;
};
