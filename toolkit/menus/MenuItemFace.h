#pragma once

#include <QImage>
#include <QString>

class TImageList;

// What the standard look shows of one menu item, taken from the item each
// time it is measured or drawn; the painter draws from this alone.
struct TMenuItemFace {
    QString Caption;
    QString ShortCut;    // the shortcut's text; empty without one
    bool IsLine = false; // a separator
    bool Enabled = true;
    bool Checked = false;
    bool RadioItem = false;  // checked, it shows a dot instead of a tick
    bool Default = false;    // drawn bold
    bool HasSubMenu = false; // shows the sub-menu arrow
    // The picture, transparent pixels at alpha 0; null without one. When
    // Images holds ImageIndex the list draws it, masked and dimmed itself.
    QImage Glyph;
    const TImageList *Images = nullptr;
    int ImageIndex = -1;
};
