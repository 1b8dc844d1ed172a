#pragma once

#include "toolkit/gdi/Colors.h"
#include "toolkit/gdi/Geometry.h"

#include <QString>

class QWidget;
class TBitmap;
class TCanvas;
class TFlatSkin;
class TFont;
class TMenuItem;

// What a shared item routine is drawing for: menu items, tool buttons and
// the skinned controls differ in a few placements and colours.
enum class TSkinPart { MenuItem, ToolButton, Control };

// Item routines shared by the menu, tool bar and control painters of the
// skin. They read the skin's derived palette and settings.

// The selected bar item (shadowed form: left to right, 16-bit colour or
// better, a menu item) or a pressed tool button (plain form).
void DrawBarSelection(TFlatSkin &Skin, TSkinPart Part, TCanvas &Canvas, bool RightToLeft, TColor Color,
                      const TRect &Rect);
// The check box, tick or radio mark of a checked item in the mark rectangle.
void DrawCheckMark(TFlatSkin &Skin, const TMenuItem &Item, bool Selected, const TRect &Mark, TCanvas &Canvas,
                   bool HasGlyph, bool Enabled);
// A caption (an "&" marks the accelerator) and, right-aligned 10 pixels in,
// the shortcut text; default items are embossed.
void DrawItemText(TFlatSkin &Skin, TSkinPart Part, const QString &Caption, unsigned Format, const TFont &Font,
                  bool RightToLeft, bool BarItem, bool DefaultItem, bool Enabled, bool Selected, TRect Rect,
                  TCanvas &Canvas, const QString &ShortCut);
// Draws the glyph, dimmed, greyed or shadowed for the state; changes Glyph.
void DrawItemGlyph(TFlatSkin &Skin, TSkinPart Part, TCanvas &Canvas, bool RightToLeft, bool BarItem, bool Checked,
                   bool Enabled, bool Down, bool Selected, const TRect &Rect, TBitmap *Glyph);
// The skin's font colour on light colours, else the colour lightened 90 %.
TColor ContrastTextColor(const TFlatSkin &Skin, TColor Color);
// The popup background: lightening from IconBarColor, steeply over the icon
// column, then a percent a column up to 96 %. Right to left the walk starts
// at the right edge (Rect.Right - 1) and mirrors the left-to-right steps.
void FillIconGradient(const TFlatSkin &Skin, TCanvas &Canvas, const TRect &Rect, bool RightToLeft);
// Whether the pointer is over Rect, given in Owner's coordinates.
bool IsMouseOverItem(const QWidget *Owner, const TRect &Rect);
