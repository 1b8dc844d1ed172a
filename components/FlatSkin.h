#pragma once

#include "components/FlatSkin/SkinComponent.h"
#include "components/FlatSkin/SkinLook.h"
#include "components/FlatSkin/SkinManagerLink.h"
#include "components/FlatSkin/SkinSets.h"
#include "toolkit/app/Form.h"

#include <QObject>

class TCanvas;
class TControlBar;
class TMenu;
class TMenuItem;
class TToolBar;
struct TRect;

// A form's flat skin: while active it draws the form's menus itself (flat
// items with an icon column, dimmed glyphs, a framed selection) and sets the
// look every skin painter reads. Its owner must be a form or nothing.
class TFlatSkin : public QObject, public TSkinLook
{
    Q_OBJECT

public:
    static constexpr int kExemptTag = 999;

    // Throws EInvalidCast for an owner that is not a form.
    explicit TFlatSkin(QObject *owner = nullptr);
    ~TFlatSkin() override;
    TFlatSkin(const TFlatSkin &) = delete;
    TFlatSkin &operator=(const TFlatSkin &) = delete;

    // The component protocol: Loaded once the owner has applied the settings,
    // Notification when a component is inserted into or removed from the form.
    void Loaded();
    void Notification(const TSkinComponent &component, TOperation operation);

    // Published settings; those of the look are read through TSkinLook.
    void SetDimLevel(int level);
    void SetGrayLevel(int level);
    void SetFont(const TFont &font);
    void SetColor(TColor color);
    void SetDrawMenuBar(bool on);
    void SetIconBackColor(TColor color);
    void SetMenuBarColor(TColor color);
    void SetSelectColor(TColor color);
    void SetSelectBorderColor(TColor color);
    void SetSelectFontColor(TColor color);
    void SetDisabledColor(TColor color);
    void SetSeparatorColor(TColor color);
    void SetCheckedColor(TColor color);
    void SetIconWidth(int width);
    void SetDrawSelect(bool on);
    void SetUseSystemColors(bool on);
    void SetUseDimColor(bool on);
    bool OverrideOwnerDraw() const { return m_overrideOwnerDraw; }
    void SetOverrideOwnerDraw(bool on);
    void SetGradient(bool on);
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

    // Set while the flat frame painter runs, which keeps it from running
    // inside itself; held for a scope with QScopedValueRollback.
    bool &FrameBusy() { return m_frameBusy; }

    // Hands every component the form owns to SkinComponent, menus first,
    // then the form's widget tree in creation order.
    void SkinWalk(bool activate, bool repaint);
    // The same walk over another form, which the skin serves without owning.
    void SkinWalkOver(QWidget &form, bool activate, bool repaint);
    // What the skin does with one component of its form.
    void SkinComponent(const TSkinComponent &component, bool activate, bool repaint);

    // The owner-draw handlers the skin installs on menu items; both do
    // nothing while the component is not active.
    void MeasureMenuItem(TMenuItem *sender, TCanvas &canvas, int &width, int &height);
    void DrawMenuItem(TMenuItem *sender, TCanvas &canvas, const TRect &rect, bool selected);
    // The identity of the skin's handlers, whichever component installed them.
    static const void *HandlerKey();

private:
    // Asks the form's menu bar to draw itself again.
    void RedrawMenuBar();
    void SkinMenu(TMenu &menu, bool activate);
    void HookItemTree(TMenuItem &item, bool activate);
    // Controls, tool bars and control bars of the form's widget tree.
    void SkinWidgetComponent(QObject &component, bool activate, bool repaint);
    // A control of a kind in SkinControls whose container is of a kind in
    // SkinContainers gets a TControlSubClass owned by this component when
    // activating (unless it or its container carries the exempt tag, or it
    // runs a record already), and is repainted when repaint is set,
    // deactivating too: its record then lets go at the control's next event.
    void SkinControl(QObject &component, bool activate, bool repaint);
    // Activating gives a tool bar with buttons DrawToolButton and a control
    // bar DrawBandGrip, unless they have handlers of their own and
    // OverrideOwnerDraw is clear; deactivating takes the skin's handlers
    // away, whichever component installed them. A tool bar is made flat
    // either way.
    void SkinToolBar(TToolBar &bar, bool activate);
    void SkinControlBar(TControlBar &bar, bool activate);
    // Runs a deactivating walk with the old selection and an activating one
    // with the new when the selection changes while active.
    template <class Set> void ReplaceSelection(Set &stored, Set value);

    bool m_overrideOwnerDraw = false;
    bool m_autoDetect = false;
    TSkinContainers m_skinContainers = TSkinContainers::All();
    TSkinControls m_skinControls = TSkinControls::All();
    bool m_active = false;
    bool m_disableSubclassing = false;

    bool m_frameBusy = false;
};
