#pragma once

#include "toolkit/gdi/Colors.h"
#include "toolkit/gdi/Font.h"

#include <QPointer>
#include <QWidget>

class TCanvas;
class TForm;

// The colours every painter of the skin reads, derived from the settings and
// the system colours by RefreshPalette.
struct TSkinPalette {
    TColor MenuBackColor = clBtnFace;
    TColor IconBarColor = clBtnFace;
    TColor SelectFillColor = clHighlight;
    TColor SelectFrameColor = clHighlight;
    TColor SelectTextColor = clMenuText;
    TColor CheckedFillColor = clHighlight;
    TColor CheckedSelectFillColor = clHighlight;
    TColor CheckMarkColor = clHighlight;
    TColor BarColor = clBtnFace;
    TColor DisabledTextColor = clInactiveCaption;
    TColor SeparatorLineColor = clBtnFace;
    TColor FlatFrameColor = clBtnShadow;
    TColor FlatShadowColor = clBtnShadow;
    // Percentages the control painters pass to LightenColor.
    int SoftLightLevel = 16;
    int StrongLightLevel = 40;
};

// What the painters of a flat skin read of it: the settings of its look, the
// palette derived from them, the platform it was derived for and the form it
// skins. The skin component sets all of it. Painters change nothing but the
// palette: they refresh it when stale, and a menu bar item drawn with
// DrawMenuBar set takes its bar colour from MenuBarColor until the next
// refresh.
class TSkinLook
{
public:
    static constexpr TColor kTransparentKeyColor = RGB(255, 0, 255);

    TSkinLook(const TSkinLook &) = delete;
    TSkinLook &operator=(const TSkinLook &) = delete;

    int DimLevel() const { return m_dimLevel; }
    int GrayLevel() const { return m_grayLevel; }
    const TFont &Font() const { return m_font; }
    TColor Color() const { return m_color; }
    bool DrawMenuBar() const { return m_drawMenuBar; }
    TColor IconBackColor() const { return m_iconBackColor; }
    TColor MenuBarColor() const { return m_menuBarColor; }
    TColor SelectColor() const { return m_selectColor; }
    TColor SelectBorderColor() const { return m_selectBorderColor; }
    TColor SelectFontColor() const { return m_selectFontColor; }
    TColor DisabledColor() const { return m_disabledColor; }
    TColor SeparatorColor() const { return m_separatorColor; }
    TColor CheckedColor() const { return m_checkedColor; }
    int IconWidth() const { return m_iconWidth; }
    bool DrawSelect() const { return m_drawSelect; }
    bool UseSystemColors() const { return m_useSystemColors; }
    bool UseDimColor() const { return m_useDimColor; }
    bool Gradient() const { return m_gradient; }
    bool FlatMenu() const { return m_flatMenu; }

    // The derived palette. Painters call RefreshPalette first when it is
    // stale; Canvas only tells the colour depth of its device.
    const TSkinPalette &Palette() const { return m_palette; }
    TSkinPalette &Palette() { return m_palette; }
    void RefreshPalette(const TCanvas &canvas);
    bool PaletteStale() const { return m_paletteStale; }
    // The device had 16 or more bits per pixel at the last refresh.
    bool HighColorMode() const { return m_highColorMode; }
    bool IsWindowsNT() const { return m_isWindowsNT; }
    bool IsVersion51() const { return m_isVersion51; }
    TColor TransparentKeyColor() const { return m_transparentKeyColor; }

    // The form the component skins; nullptr without an owner, and while the
    // form is being destroyed.
    TForm *Form() const;

protected:
    TSkinLook() = default;
    ~TSkinLook() = default;

    void MarkPaletteStale() { m_paletteStale = true; }

    // Held as a widget: a form that is being destroyed is no longer a form,
    // and Form() tells so instead of casting it.
    QPointer<QWidget> m_form;
    TFont m_font;
    int m_dimLevel = 30;
    int m_grayLevel = 10;
    TColor m_color = clBtnFace;
    bool m_drawMenuBar = false;
    TColor m_iconBackColor = clBtnFace;
    TColor m_menuBarColor = clBtnFace;
    TColor m_selectColor = clHighlight;
    TColor m_selectBorderColor = clHighlight;
    TColor m_selectFontColor = clMenuText;
    TColor m_disabledColor = clInactiveCaption;
    TColor m_separatorColor = clBtnFace;
    TColor m_checkedColor = clHighlight;
    int m_iconWidth = 24;
    bool m_drawSelect = true;
    bool m_useSystemColors = true;
    bool m_useDimColor = false;
    bool m_gradient = false;
    bool m_flatMenu = false;

    TSkinPalette m_palette;
    bool m_paletteStale = false;
    bool m_highColorMode = true;
    bool m_isWindowsNT = false;
    bool m_isVersion51 = false;
    TColor m_transparentKeyColor = kTransparentKeyColor;
};
