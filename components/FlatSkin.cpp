#include "components/FlatSkin.h"

#include "components/FlatSkin/ControlSubClass.h"
#include "components/FlatSkin/SkinBarPainters.h"
#include "components/FlatSkin/SkinKinds.h"
#include "components/FlatSkin/SkinMenuPainter.h"
#include "toolkit/app/Form.h"
#include "toolkit/app/InvalidCast.h"
#include "toolkit/bars/ControlBar.h"
#include "toolkit/bars/ToolBar.h"
#include "toolkit/bars/ToolButton.h"
#include "toolkit/controls/ControlTag.h"
#include "toolkit/gdi/Canvas.h"
#include "toolkit/gdi/SystemColors.h"
#include "toolkit/menus/Menu.h"
#include "toolkit/menus/MenuMetrics.h"

#include <QPointer>
#include <QWidget>

#include <type_traits>
#include <vector>

namespace {

constexpr int kByteMax = 255;

TForm *FormOfOwner(QObject *owner)
{
    if (!owner)
        return nullptr;
    auto *form = qobject_cast<TForm *>(owner);
    if (!form)
        throw EInvalidCast();
    return form;
}

// The objects of a widget tree, parents before their children, in creation
// order. A parent that is deleting its children holds null entries.
void CollectDescendants(const QObject &parent, const QObject *skip, std::vector<QObject *> &out)
{
    for (QObject *child : parent.children()) {
        if (!child || child == skip)
            continue;
        out.push_back(child);
        CollectDescendants(*child, skip, out);
    }
}

} // namespace

TFlatSkin::TFlatSkin(QObject *owner)
    : QObject(nullptr)
{
    m_form = FormOfOwner(owner);
    setParent(owner);
    m_font = TMenuMetrics::MenuFont();
    m_selectFontColor = m_font.Color();
    if (m_form) {
        QImage probe(1, 1, QImage::Format_RGB32);
        RefreshPalette(TCanvas(&probe));
    }
    m_transparentKeyColor = kTransparentKeyColor;
    m_paletteStale = false;
    const TOSVersionInfo version = GetVersionEx();
    m_isWindowsNT = version.PlatformId == VER_PLATFORM_WIN32_NT;
    m_isVersion51 = m_isWindowsNT && version.MajorVersion == 5 && version.MinorVersion == 1;
    EnsureFlatSkinManager();
}

TFlatSkin::~TFlatSkin()
{
    // A form that is deleting its children has already taken this component
    // out of its list; its own parts are gone by then and are not touched.
    const bool formAlive = m_form && m_form->children().contains(this);
    if (formAlive)
        SkinWalk(false, false);
    if (TFlatSkinManagerLink *manager = FlatSkinManager()) {
        manager->Unregister(*this);
        if (formAlive)
            m_form->repaint();
        ReleaseFlatSkinManagerIfUnused();
    }
}

const void *TFlatSkin::HandlerKey()
{
    static const char key = 0;
    return &key;
}

void TFlatSkin::Loaded()
{
    if (TFlatSkinManagerLink *manager = FlatSkinManager())
        manager->Register(*this);
}

void TFlatSkin::Notification(const TSkinComponent &component, TOperation operation)
{
    TFlatSkinManagerLink *manager = FlatSkinManager();
    if (!manager)
        return;
    manager->Notify(*this, component, operation);
    if (!m_active || !m_autoDetect || operation != opInsert)
        return;
    // Menu items, tool buttons and control bars are skinned as they arrive;
    // a tool button through its tool bar, which may have just got its first.
    if (std::holds_alternative<TMenuItem *>(component.Target)) {
        SkinComponent(component, true, true);
        return;
    }
    auto *const *object = std::get_if<QObject *>(&component.Target);
    if (!object || !*object)
        return;
    if (auto *button = qobject_cast<TToolButton *>(*object); button && button->ToolBar())
        SkinComponent({button->ToolBar()}, true, true);
    else if (qobject_cast<TControlBar *>(*object))
        SkinComponent(component, true, true);
}

void TFlatSkin::SetDimLevel(int level)
{
    if (level >= 0 && level <= kByteMax)
        m_dimLevel = level;
}

void TFlatSkin::SetGrayLevel(int level)
{
    if (level >= 0 && level <= kByteMax)
        m_grayLevel = level;
}

void TFlatSkin::SetFont(const TFont &font)
{
    m_font.Assign(font);
    RedrawMenuBar();
}

void TFlatSkin::SetColor(TColor color)
{
    m_color = color;
    MarkPaletteStale();
}

void TFlatSkin::SetDrawMenuBar(bool on)
{
    m_drawMenuBar = on;
}

void TFlatSkin::SetIconBackColor(TColor color)
{
    m_iconBackColor = color;
    MarkPaletteStale();
}

void TFlatSkin::SetMenuBarColor(TColor color)
{
    m_menuBarColor = color;
    MarkPaletteStale();
    RedrawMenuBar();
}

void TFlatSkin::SetSelectColor(TColor color)
{
    m_selectColor = color;
    MarkPaletteStale();
}

void TFlatSkin::SetSelectBorderColor(TColor color)
{
    m_selectBorderColor = color;
    MarkPaletteStale();
}

void TFlatSkin::SetSelectFontColor(TColor color)
{
    m_selectFontColor = color;
    MarkPaletteStale();
}

void TFlatSkin::SetDisabledColor(TColor color)
{
    m_disabledColor = color;
    MarkPaletteStale();
}

void TFlatSkin::SetSeparatorColor(TColor color)
{
    m_separatorColor = color;
    MarkPaletteStale();
}

void TFlatSkin::SetCheckedColor(TColor color)
{
    m_checkedColor = color;
    MarkPaletteStale();
}

void TFlatSkin::SetIconWidth(int width)
{
    m_iconWidth = width;
}

void TFlatSkin::SetDrawSelect(bool on)
{
    m_drawSelect = on;
}

// The palette is deliberately left as it is: the change shows once a colour
// setting marks it stale.
void TFlatSkin::SetUseSystemColors(bool on)
{
    m_useSystemColors = on;
    RedrawMenuBar();
}

void TFlatSkin::SetUseDimColor(bool on)
{
    m_useDimColor = on;
}

void TFlatSkin::SetOverrideOwnerDraw(bool on)
{
    m_overrideOwnerDraw = on;
    if (m_active)
        SkinWalk(true, true);
}

void TFlatSkin::SetGradient(bool on)
{
    m_gradient = on;
}

void TFlatSkin::SetFlatMenu(bool on)
{
    m_flatMenu = on;
}

void TFlatSkin::SetAutoDetect(bool on)
{
    m_autoDetect = on;
}

template <class Set> void TFlatSkin::ReplaceSelection(Set &stored, Set value)
{
    if (!m_active) {
        stored = value;
        return;
    }
    if (value == stored)
        return;
    SkinWalk(false, true);
    stored = value;
    SkinWalk(true, true);
}

void TFlatSkin::SetSkinContainers(TSkinContainers containers)
{
    ReplaceSelection(m_skinContainers, containers);
}

void TFlatSkin::SetSkinControls(TSkinControls controls)
{
    ReplaceSelection(m_skinControls, controls);
}

void TFlatSkin::SetActive(bool on)
{
    if (on == m_active)
        return;
    m_active = on;
    SkinWalk(on, true);
    RedrawMenuBar();
}

void TFlatSkin::SetDisableSubclassing(bool on)
{
    m_disableSubclassing = on;
    if (TFlatSkinManagerLink *manager = FlatSkinManager())
        manager->HandOver(*this);
}

void TFlatSkin::RedrawMenuBar()
{
    TForm *form = Form();
    if (!form)
        return;
    if (QWidget *bar = form->MenuBar())
        bar->update();
}

void TFlatSkin::SkinWalk(bool activate, bool repaint)
{
    if (m_form)
        SkinWalkOver(*m_form, activate, repaint);
}

void TFlatSkin::SkinWalkOver(QWidget &form, bool activate, bool repaint)
{
    std::vector<TSkinComponent> components;
    for (TMenu *menu : TMenu::MenusOwnedBy(&form))
        components.push_back({menu});
    std::vector<QObject *> objects;
    CollectDescendants(form, this, objects);
    for (QObject *object : objects)
        components.push_back({object});
    for (const TSkinComponent &component : components)
        SkinComponent(component, activate, repaint);
}

void TFlatSkin::SkinComponent(const TSkinComponent &component, bool activate, bool repaint)
{
    if (auto *menu = std::get_if<TMenu *>(&component.Target)) {
        SkinMenu(**menu, activate);
    } else if (auto *item = std::get_if<TMenuItem *>(&component.Target)) {
        // An item that arrives later is skinned as its menu's items were.
        const TMenu *menu = (*item)->GetParentMenu();
        const bool mainMenu = dynamic_cast<const TMainMenu *>(menu) != nullptr;
        const bool skinned = menu
                             && (mainMenu ? m_skinControls.Contains(scMainMenu) && menu->Tag() != kExemptTag
                                          : m_skinControls.Contains(scPopupMenu));
        if (skinned)
            HookItemTree(**item, activate);
    } else if (auto *object = std::get_if<QObject *>(&component.Target)) {
        SkinWidgetComponent(**object, activate, repaint);
    }
}

void TFlatSkin::SkinMenu(TMenu &menu, bool activate)
{
    const bool mainMenu = dynamic_cast<TMainMenu *>(&menu) != nullptr;
    if (mainMenu ? !m_skinControls.Contains(scMainMenu) || menu.Tag() == kExemptTag
                 : !m_skinControls.Contains(scPopupMenu))
        return;
    TMenuItem *root = menu.Items();
    for (int i = 0; i < root->Count(); ++i) {
        menu.SetOwnerDraw(activate);
        HookItemTree(*root->Items(i), activate);
    }
    // Clearing and restoring the first caption makes the bar measure its
    // items again.
    if (mainMenu && root->Count() > 0) {
        TMenuItem *first = root->Items(0);
        const QString caption = first->Caption();
        first->SetCaption(QString());
        first->SetCaption(caption);
    }
}

void TFlatSkin::HookItemTree(TMenuItem &item, bool activate)
{
    if (activate) {
        if (item.Tag() != kExemptTag) {
            const QPointer<TFlatSkin> self(this);
            if (!item.OnDrawItem() || m_overrideOwnerDraw)
                item.SetOnDrawItem(
                    [self](TMenuItem *sender, TCanvas &canvas, const TRect &rect, bool selected) {
                        if (self)
                            self->DrawMenuItem(sender, canvas, rect, selected);
                    },
                    HandlerKey());
            if (!item.OnMeasureItem() || m_overrideOwnerDraw)
                item.SetOnMeasureItem(
                    [self](TMenuItem *sender, TCanvas &canvas, int &width, int &height) {
                        if (self)
                            self->MeasureMenuItem(sender, canvas, width, height);
                    },
                    HandlerKey());
        }
    } else {
        if (item.OnDrawItemKey() == HandlerKey())
            item.SetOnDrawItem({});
        if (item.OnMeasureItemKey() == HandlerKey())
            item.SetOnMeasureItem({});
    }
    for (int i = 0; i < item.Count(); ++i)
        HookItemTree(*item.Items(i), activate);
}

void TFlatSkin::SkinWidgetComponent(QObject &component, bool activate, bool repaint)
{
    if (auto *toolBar = qobject_cast<TToolBar *>(&component); toolBar && m_skinControls.Contains(scToolbar)) {
        SkinToolBar(*toolBar, activate);
        if (repaint)
            toolBar->update();
    } else if (auto *controlBar = qobject_cast<TControlBar *>(&component);
               controlBar && m_skinControls.Contains(scControlbar)) {
        SkinControlBar(*controlBar, activate);
        if (repaint)
            controlBar->update();
    }
    SkinControl(component, activate, repaint);
}

void TFlatSkin::SkinControl(QObject &component, bool activate, bool repaint)
{
    // The walk of a component being destroyed neither creates records nor
    // repaints; its records give their controls back as they go.
    if (!activate && !repaint)
        return;
    auto *control = qobject_cast<QWidget *>(&component);
    if (!control || control->isWindow())
        return;
    if (!QualifiesAsSkinnedKind(*control, m_skinControls) || !QualifiesByContainer(*control, m_skinContainers))
        return;
    const bool exempt = ControlTag(control) == kExemptTag || ControlTag(SkinContainerOf(*control)) == kExemptTag;
    if (activate && !exempt && !TControlSubClass::Of(*control))
        new TControlSubClass(*this, *control);
    if (repaint)
        control->update();
}

void TFlatSkin::SkinToolBar(TToolBar &bar, bool activate)
{
    bar.SetFlat(true);
    if (!activate) {
        if (bar.OnCustomDrawButtonKey() == HandlerKey())
            bar.SetOnCustomDrawButton({});
        return;
    }
    if (bar.ButtonCount() == 0 || (bar.OnCustomDrawButton() && !m_overrideOwnerDraw))
        return;
    const QPointer<TFlatSkin> self(this);
    bar.SetOnCustomDrawButton(
        [self](TToolBar *sender, TToolButton *button, TCustomDrawState state, bool &defaultDraw) {
            if (self && sender && button)
                DrawToolButton(*self, *sender, *button, state, defaultDraw);
        },
        HandlerKey());
}

void TFlatSkin::SkinControlBar(TControlBar &bar, bool activate)
{
    if (!activate) {
        if (bar.OnBandPaintKey() == HandlerKey())
            bar.SetOnBandPaint({});
        return;
    }
    if (bar.OnBandPaint() && !m_overrideOwnerDraw)
        return;
    const QPointer<TFlatSkin> self(this);
    bar.SetOnBandPaint(
        [self](TControlBar *sender, QWidget *control, TCanvas &canvas, TRect &rect, TBandPaintOptions &options) {
            if (self && sender)
                DrawBandGrip(*self, *sender, control, canvas, rect, options);
        },
        HandlerKey());
}

void TFlatSkin::MeasureMenuItem(TMenuItem *sender, TCanvas &canvas, int &width, int &height)
{
    if (m_active && sender)
        TSkinMenuPainter(*this).Measure(*sender, canvas, width, height);
}

void TFlatSkin::DrawMenuItem(TMenuItem *sender, TCanvas &canvas, const TRect &rect, bool selected)
{
    if (m_active && sender)
        TSkinMenuPainter(*this).Draw(*sender, canvas, rect, selected);
}
