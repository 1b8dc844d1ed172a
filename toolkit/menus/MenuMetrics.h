#pragma once

#include "toolkit/gdi/Font.h"

// Sizes of the classic menu look, in pixels.
struct TMenuMetrics
{
    static constexpr int BarHeight = 19;
    static constexpr int BarItemPaddingX = 6;     // each side of a bar caption
    static constexpr int PopupFrame = 3;          // raised edge (2) plus one pixel of menu colour
    static constexpr int PopupItemPaddingY = 4;   // added to the text height
    static constexpr int PopupGlyphPaddingY = 3;  // added to the glyph height
    static constexpr int CheckMarkSize = 12;      // smallest width of the check column
    static constexpr int CheckColumnPadding = 4;  // added to the check column's content
    static constexpr int TextGap = 4;             // check column to caption
    static constexpr int ShortCutGap = 16;        // caption to shortcut
    static constexpr int ArrowColumn = 16;        // sub-menu arrow (also the right margin)
    static constexpr int ArrowHeight = 7;         // the sub-menu triangle is 4 wide, 7 high
    static constexpr int SeparatorHeight = 9;
    static constexpr int SeparatorInset = 1;      // line inset from the item's sides
    static constexpr int FontHeight = -11;        // the classic menu font, Tahoma 8 point

    // The system menu font.
    static TFont MenuFont()
    {
        TFont font;
        font.SetName(QStringLiteral("Tahoma"));
        font.SetHeight(FontHeight);
        font.SetColor(clMenuText);
        return font;
    }
};
