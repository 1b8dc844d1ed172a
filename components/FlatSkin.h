#pragma once

#include "components/FlatSkin/SkinComponent.h"
#include "components/FlatSkin/SkinManagerLink.h"
#include "components/FlatSkin/SkinSets.h"
#include "toolkit/app/Form.h"
#include "toolkit/gdi/Colors.h"
#include "toolkit/gdi/Font.h"

#include <QObject>
#include <QPointer>

#include <vector>

class QWidget;
class TCanvas;
class TMenu;
class TMenuItem;
struct TRect;

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

// A form's flat skin: while active it draws the form's menus itself (flat
// items with an icon column, dimmed glyphs, a framed selection) and holds
// the colours every skin painter uses. Its owner must be a form or nothing.
class TFlatSkin : public QObject
{
    Q_OBJECT

public:
    static constexpr int kExemptTag = 999;
    static constexpr TColor kTransparentKeyColor = RGB(255, 0, 255);

    // Throws EInvalidCast for an owner that is not a form.
    explicit TFlatSkin(QObject *owner = nullptr);
    ~TFlatSkin() override;
    TFlatSkin(const TFlatSkin &) = delete;
    TFlatSkin &operator=(const TFlatSkin &) = delete;

    // The component protocol: Loaded once the owner has applied the settings,
    // Notification when a component is inserted into or removed from the form.
    void Loaded();
    void Notification(const TSkinComponent &component, TOperation operation);

    // Published settings.
    int DimLevel() const { return m_dimLevel; }
    void SetDimLevel(int level);
    int GrayLevel() const { return m_grayLevel; }
    void SetGrayLevel(int level);
    const TFont &Font() const { return m_font; }
    void SetFont(const TFont &font);
    TColor Color() const { return m_color; }
    void SetColor(TColor color);
    bool DrawMenuBar() const { return m_drawMenuBar; }
    void SetDrawMenuBar(bool on);
    TColor IconBackColor() const { return m_iconBackColor; }
    void SetIconBackColor(TColor color);
    TColor MenuBarColor() const { return m_menuBarColor; }
    void SetMenuBarColor(TColor color);
    TColor SelectColor() const { return m_selectColor; }
    void SetSelectColor(TColor color);
    TColor SelectBorderColor() const { return m_selectBorderColor; }
    void SetSelectBorderColor(TColor color);
    TColor SelectFontColor() const { return m_selectFontColor; }
    void SetSelectFontColor(TColor color);
    TColor DisabledColor() const { return m_disabledColor; }
    void SetDisabledColor(TColor color);
    TColor SeparatorColor() const { return m_separatorColor; }
    void SetSeparatorColor(TColor color);
    TColor CheckedColor() const { return m_checkedColor; }
    void SetCheckedColor(TColor color);
    int IconWidth() const { return m_iconWidth; }
    void SetIconWidth(int width);
    bool DrawSelect() const { return m_drawSelect; }
    void SetDrawSelect(bool on);
    bool UseSystemColors() const { return m_useSystemColors; }
    void SetUseSystemColors(bool on);
    bool UseDimColor() const { return m_useDimColor; }
    void SetUseDimColor(bool on);
    bool OverrideOwnerDraw() const { return m_overrideOwnerDraw; }
    void SetOverrideOwnerDraw(bool on);
    bool Gradient() const { return m_gradient; }
    void SetGradient(bool on);
    bool FlatMenu() const { return m_flatMenu; }
    void SetFlatMenu(bool on);
    bool AutoDetect() const { return m_autoDetect; }
    void SetAutoDetect(bool on);
    TSkinContainers SkinContainers() const { return m_skinContainers; }
    void SetSkinContainers(TSkinContainers containers);
    TSkinControls SkinControls() const { return m_skinControls; }
    void SetSkinControls(TSkinControls controls);
    bool Active() const { return m_active; }
    void SetActive(bool on);
    bool DisableSubclassing() const { return m_disableSubclassing; }
    void SetDisableSubclassing(bool on);

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
    // Keeps the flat frame painter from running inside itself.
    bool FrameBusy() const { return m_frameBusy; }
    void SetFrameBusy(bool busy) { m_frameBusy = busy; }

    // The form the component skins; nullptr without an owner, and while the
    // form is being destroyed.
    TForm *Form() const;

    // Hands every component the form owns to SkinComponent, menus first,
    // then the form's widget tree in creation order.
    void SkinWalk(bool activate, bool repaint);
    // What the skin does with one component of its form.
    void SkinComponent(const TSkinComponent &component, bool activate, bool repaint);

    // The owner-draw handlers the skin installs on menu items; both do
    // nothing while the component is not active.
    void MeasureMenuItem(TMenuItem *sender, TCanvas &canvas, int &width, int &height);
    void DrawMenuItem(TMenuItem *sender, TCanvas &canvas, const TRect &rect, bool selected);
    // The identity of the skin's handlers, whichever component installed them.
    static const void *HandlerKey();

private:
    void MarkPaletteStale() { m_paletteStale = true; }
    // Asks the form's menu bar to draw itself again.
    void RedrawMenuBar();
    void SkinMenu(TMenu &menu, bool activate);
    void HookItemTree(TMenuItem &item, bool activate);
    // Controls, tool bars and control bars of the form's widget tree.
    void SkinWidgetComponent(QObject &component, bool activate, bool repaint);
    // Runs a deactivating walk with the old selection and an activating one
    // with the new when the selection changes while active.
    template <class Set>
    void ReplaceSelection(Set &stored, Set value);

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
    bool m_overrideOwnerDraw = false;
    bool m_gradient = false;
    bool m_flatMenu = false;
    bool m_autoDetect = false;
    TSkinContainers m_skinContainers = TSkinContainers::All();
    TSkinControls m_skinControls = TSkinControls::All();
    bool m_active = false;
    bool m_disableSubclassing = false;

    TSkinPalette m_palette;
    bool m_paletteStale = false;
    bool m_highColorMode = true;
    bool m_isWindowsNT = false;
    bool m_isVersion51 = false;
    TColor m_transparentKeyColor = kTransparentKeyColor;
    bool m_frameBusy = false;
};
