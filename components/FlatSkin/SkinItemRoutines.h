#pragma once

#include "toolkit/gdi/Colors.h"
#include "toolkit/gdi/Geometry.h"

#include <QString>

class QWidget;
class TBitmap;
class TCanvas;
class TSkinLook;
class TFont;
class TMenuItem;

// What a shared item routine is drawing for: menu items, tool buttons and
// the skinned controls differ in a few placements and colours.
enum class TSkinPart { MenuItem, ToolButton, Control };

// Item routines shared by the menu, tool bar and control painters of the
// skin. They read the skin's derived palette and settings.

// The selected bar item (shadowed form: left to right, 16-bit colour or
// better, a menu item) or a pressed tool button (plain form).
void DrawBarSelection(TSkinLook &skin, TSkinPart part, TCanvas &canvas, bool rightToLeft, TColor color,
                      const TRect &rect);
// The check box, tick or radio mark of a checked item in the mark rectangle.
void DrawCheckMark(TSkinLook &skin, const TMenuItem &item, bool selected, const TRect &mark, TCanvas &canvas,
                   bool hasGlyph, bool enabled);
// A caption (an "&" marks the accelerator) and, right-aligned 10 pixels in,
// the shortcut text; default items are embossed.
void DrawItemText(TSkinLook &skin, TSkinPart part, const QString &caption, unsigned format, const TFont &font,
                  bool rightToLeft, bool barItem, bool defaultItem, bool enabled, bool selected, TRect rect,
                  TCanvas &canvas, const QString &shortCut);
// Draws the glyph, dimmed, greyed or shadowed for the state; changes Glyph.
void DrawItemGlyph(TSkinLook &skin, TSkinPart part, TCanvas &canvas, bool rightToLeft, bool barItem, bool checked,
                   bool enabled, bool down, bool selected, const TRect &rect, TBitmap *glyph);
// The skin's font colour on light colours, else the colour lightened 90 %.
TColor ContrastTextColor(const TSkinLook &skin, TColor color);
// The popup background: lightening from IconBarColor, steeply over the icon
// column, then a percent a column up to 96 %. Right to left the walk starts
// at the right edge (Rect.Right - 1) and mirrors the left-to-right steps.
void FillIconGradient(const TSkinLook &skin, TCanvas &canvas, const TRect &rect, bool rightToLeft);
// Whether the pointer is over Rect, given in Owner's coordinates.
bool IsMouseOverItem(const QWidget *owner, const TRect &rect);
