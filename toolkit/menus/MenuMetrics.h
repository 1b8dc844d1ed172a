#pragma once

#include "toolkit/gdi/Font.h"

// Sizes of the classic menu look, in pixels.
struct TMenuMetrics {
    static constexpr int kBarHeight = 19;
    static constexpr int kBarItemPaddingX = 6;    // each side of a bar caption
    static constexpr int kPopupFrame = 3;         // raised edge (2) plus one pixel of menu colour
    static constexpr int kPopupItemPaddingY = 4;  // added to the text height
    static constexpr int kPopupGlyphPaddingY = 3; // added to the glyph height
    static constexpr int kCheckMarkSize = 12;     // smallest width of the check column
    static constexpr int kCheckColumnPadding = 4; // added to the check column's content
    static constexpr int kTextGap = 4;            // check column to caption
    static constexpr int kShortCutGap = 16;       // caption to shortcut
    static constexpr int kArrowColumn = 16;       // sub-menu arrow (also the right margin)
    static constexpr int kArrowHeight = 7;        // the sub-menu triangle is 4 wide, 7 high
    static constexpr int kSeparatorHeight = 9;
    static constexpr int kSeparatorInset = 1; // line inset from the item's sides
    static constexpr int kFontHeight = -11;   // the classic menu font, Tahoma 8 point

    // The system menu font.
    static TFont MenuFont()
    {
        TFont font;
        font.SetName(QStringLiteral("Tahoma"));
        font.SetHeight(kFontHeight);
        font.SetColor(clMenuText);
        return font;
    }
};
