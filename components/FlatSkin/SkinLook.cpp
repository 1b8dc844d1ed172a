#include "components/FlatSkin/SkinLook.h"

#include "components/FlatSkin/SkinPrimitives.h"
#include "toolkit/app/Form.h"
#include "toolkit/gdi/Canvas.h"
#include "toolkit/gdi/SystemColors.h"

namespace {

constexpr int kHighColorBits = 16;

// Percentages of the derived palette.
constexpr int kDimSelectFill = 68;
constexpr int kDimCheckedFill = 80;
constexpr int kDimCheckedSelectFill = 50;
constexpr int kFlatFrameDarken = 90;
constexpr int kFlatShadowDarken = 76;
constexpr int kSystemMenuBack = 86;
constexpr int kSystemIconBar = 16;
constexpr int kSystemDisabledText = 10;
constexpr int kSystemSeparator = 25;
constexpr int kSoftLightLevel = 16;
constexpr int kStrongLightLevel = 40;

// Bits per pixel of the device a canvas draws on: a canvas limited to a
// palette stands for a palette device, any other for the screen.
int DeviceColorDepth(const TCanvas &canvas)
{
    const int entries = canvas.Palette().size();
    if (entries == 0)
        return ScreenColorDepth();
    int bits = 1;
    while ((1 << bits) < entries)
        ++bits;
    return bits;
}

} // namespace

TForm *TSkinLook::Form() const
{
    return qobject_cast<TForm *>(m_form.data());
}

void TSkinLook::RefreshPalette(const TCanvas &canvas)
{
    TSkinPalette &p = m_palette;
    m_paletteStale = false;
    m_highColorMode = DeviceColorDepth(canvas) >= kHighColorBits;
    p.SoftLightLevel = kSoftLightLevel;
    p.StrongLightLevel = kStrongLightLevel;
    p.MenuBackColor = m_color;
    p.IconBarColor = m_iconBackColor;
    if (m_highColorMode) {
        if (m_useDimColor) {
            p.SelectFillColor = LightenColor(m_selectColor, kDimSelectFill);
            p.CheckedFillColor = LightenColor(m_selectColor, kDimCheckedFill);
            p.CheckedSelectFillColor = LightenColor(m_selectColor, kDimCheckedSelectFill);
        } else {
            p.SelectFillColor = p.CheckedFillColor = p.CheckedSelectFillColor = m_selectColor;
        }
        p.FlatFrameColor = DarkenColor(clBtnFace, kFlatFrameDarken);
        p.FlatShadowColor = DarkenColor(clBtnFace, kFlatShadowDarken);
    } else {
        p.SelectFillColor = m_selectColor;
        p.CheckedFillColor = clWhite;
        p.CheckedSelectFillColor = clSilver;
        p.FlatFrameColor = p.FlatShadowColor = clBtnShadow;
    }
    p.SelectFrameColor = m_selectBorderColor;
    p.SelectTextColor = m_selectFontColor;
    p.BarColor = m_menuBarColor;
    p.DisabledTextColor = m_disabledColor;
    p.CheckMarkColor = m_checkedColor;
    p.SeparatorLineColor = m_separatorColor;
    if (!m_useSystemColors)
        return;
    // System colours win over every colour setting; the flat frame colours
    // above stay.
    p.SelectTextColor = m_font.Color();
    p.SelectFrameColor = clHighlight;
    p.BarColor = clBtnFace;
    p.CheckMarkColor = clHighlight;
    if (m_highColorMode) {
        p.MenuBackColor = LightenColor(clBtnFace, kSystemMenuBack);
        p.IconBarColor = LightenColor(clBtnFace, kSystemIconBar);
        p.SelectFillColor = LightenColor(clHighlight, kDimSelectFill);
        p.DisabledTextColor = LightenColor(clBtnShadow, kSystemDisabledText);
        p.SeparatorLineColor = LightenColor(clBtnShadow, kSystemSeparator);
        p.CheckedFillColor = LightenColor(clHighlight, kDimCheckedFill);
        p.CheckedSelectFillColor = LightenColor(clHighlight, kDimCheckedSelectFill);
    } else {
        p.MenuBackColor = clWhite;
        p.IconBarColor = clBtnFace;
        p.SelectFillColor = clWhite;
        p.DisabledTextColor = clBtnShadow;
        p.SeparatorLineColor = clBtnShadow;
        p.CheckedFillColor = p.CheckedSelectFillColor = clWhite;
    }
}
