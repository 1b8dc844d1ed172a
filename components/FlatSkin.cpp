#include "components/FlatSkin.h"

#include "components/FlatSkin/ControlSkinning.h"
#include "components/FlatSkin/SkinMenuPainter.h"
#include "components/FlatSkin/SkinPrimitives.h"
#include "toolkit/app/Form.h"
#include "toolkit/app/InvalidCast.h"
#include "toolkit/bars/ControlBar.h"
#include "toolkit/bars/ToolBar.h"
#include "toolkit/bars/ToolButton.h"
#include "toolkit/gdi/Canvas.h"
#include "toolkit/gdi/SystemColors.h"
#include "toolkit/menus/Menu.h"
#include "toolkit/menus/MenuMetrics.h"

#include <type_traits>

namespace {

constexpr int kHighColorBits = 16;
constexpr int kByteMax = 255;

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

TFlatSkin::TFlatSkin(QObject *AOwner) : QObject(nullptr)
{
    m_form = FormOfOwner(AOwner);
    setParent(AOwner);
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

TForm *TFlatSkin::Form() const
{
    return qobject_cast<TForm *>(m_form.data());
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

void TFlatSkin::Notification(const TSkinComponent &Component, TOperation Operation)
{
    TFlatSkinManagerLink *manager = FlatSkinManager();
    if (!manager)
        return;
    manager->Notify(*this, Component, Operation);
    if (!m_active || !m_autoDetect || Operation != opInsert)
        return;
    // Menu items, tool buttons and control bars are skinned as they arrive;
    // a tool button through its tool bar, which may have just got its first.
    if (std::holds_alternative<TMenuItem *>(Component.Target)) {
        SkinComponent(Component, true, true);
        return;
    }
    auto *const *object = std::get_if<QObject *>(&Component.Target);
    if (!object || !*object)
        return;
    if (auto *button = qobject_cast<TToolButton *>(*object); button && button->ToolBar())
        SkinComponent({button->ToolBar()}, true, true);
    else if (qobject_cast<TControlBar *>(*object))
        SkinComponent(Component, true, true);
}

void TFlatSkin::SetDimLevel(int Level)
{
    if (Level >= 0 && Level <= kByteMax)
        m_dimLevel = Level;
}

void TFlatSkin::SetGrayLevel(int Level)
{
    if (Level >= 0 && Level <= kByteMax)
        m_grayLevel = Level;
}

void TFlatSkin::SetFont(const TFont &Font)
{
    m_font.Assign(Font);
    RedrawMenuBar();
}

void TFlatSkin::SetColor(TColor Color)
{
    m_color = Color;
    MarkPaletteStale();
}

void TFlatSkin::SetDrawMenuBar(bool On)
{
    m_drawMenuBar = On;
}

void TFlatSkin::SetIconBackColor(TColor Color)
{
    m_iconBackColor = Color;
    MarkPaletteStale();
}

void TFlatSkin::SetMenuBarColor(TColor Color)
{
    m_menuBarColor = Color;
    MarkPaletteStale();
    RedrawMenuBar();
}

void TFlatSkin::SetSelectColor(TColor Color)
{
    m_selectColor = Color;
    MarkPaletteStale();
}

void TFlatSkin::SetSelectBorderColor(TColor Color)
{
    m_selectBorderColor = Color;
    MarkPaletteStale();
}

void TFlatSkin::SetSelectFontColor(TColor Color)
{
    m_selectFontColor = Color;
    MarkPaletteStale();
}

void TFlatSkin::SetDisabledColor(TColor Color)
{
    m_disabledColor = Color;
    MarkPaletteStale();
}

void TFlatSkin::SetSeparatorColor(TColor Color)
{
    m_separatorColor = Color;
    MarkPaletteStale();
}

void TFlatSkin::SetCheckedColor(TColor Color)
{
    m_checkedColor = Color;
    MarkPaletteStale();
}

void TFlatSkin::SetIconWidth(int Width)
{
    m_iconWidth = Width;
}

void TFlatSkin::SetDrawSelect(bool On)
{
    m_drawSelect = On;
}

// The palette is deliberately left as it is: the change shows once a colour
// setting marks it stale.
void TFlatSkin::SetUseSystemColors(bool On)
{
    m_useSystemColors = On;
    RedrawMenuBar();
}

void TFlatSkin::SetUseDimColor(bool On)
{
    m_useDimColor = On;
}

void TFlatSkin::SetOverrideOwnerDraw(bool On)
{
    m_overrideOwnerDraw = On;
    if (m_active)
        SkinWalk(true, true);
}

void TFlatSkin::SetGradient(bool On)
{
    m_gradient = On;
}

void TFlatSkin::SetFlatMenu(bool On)
{
    m_flatMenu = On;
}

void TFlatSkin::SetAutoDetect(bool On)
{
    m_autoDetect = On;
}

template <class Set>
void TFlatSkin::ReplaceSelection(Set &Stored, Set Value)
{
    if (!m_active) {
        Stored = Value;
        return;
    }
    if (Value == Stored)
        return;
    SkinWalk(false, true);
    Stored = Value;
    SkinWalk(true, true);
}

void TFlatSkin::SetSkinContainers(TSkinContainers Containers)
{
    ReplaceSelection(m_skinContainers, Containers);
}

void TFlatSkin::SetSkinControls(TSkinControls Controls)
{
    ReplaceSelection(m_skinControls, Controls);
}

void TFlatSkin::SetActive(bool On)
{
    if (On == m_active)
        return;
    m_active = On;
    SkinWalk(On, true);
    RedrawMenuBar();
}

void TFlatSkin::SetDisableSubclassing(bool On)
{
    m_disableSubclassing = On;
    if (TFlatSkinManagerLink *manager = FlatSkinManager())
        manager->HandOver(*this);
}

void TFlatSkin::RefreshPalette(const TCanvas &Canvas)
{
    TSkinPalette &p = m_palette;
    m_paletteStale = false;
    m_highColorMode = DeviceColorDepth(Canvas) >= kHighColorBits;
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

void TFlatSkin::RedrawMenuBar()
{
    TForm *form = Form();
    if (!form)
        return;
    if (QWidget *bar = form->MenuBar())
        bar->update();
}

void TFlatSkin::SkinWalk(bool Activate, bool Repaint)
{
    if (!m_form)
        return;
    std::vector<TSkinComponent> components;
    for (TMenu *menu : TMenu::MenusOwnedBy(m_form))
        components.push_back({menu});
    std::vector<QObject *> objects;
    CollectDescendants(*m_form, this, objects);
    for (QObject *object : objects)
        components.push_back({object});
    for (const TSkinComponent &component : components)
        SkinComponent(component, Activate, Repaint);
}

void TFlatSkin::SkinComponent(const TSkinComponent &Component, bool Activate, bool Repaint)
{
    if (auto *menu = std::get_if<TMenu *>(&Component.Target)) {
        SkinMenu(**menu, Activate);
    } else if (auto *item = std::get_if<TMenuItem *>(&Component.Target)) {
        // An item that arrives later is skinned as its menu's items were.
        const TMenu *menu = (*item)->GetParentMenu();
        const bool mainMenu = dynamic_cast<const TMainMenu *>(menu) != nullptr;
        const bool skinned = menu && (mainMenu ? m_skinControls.Contains(scMainMenu) && menu->Tag() != kExemptTag
                                               : m_skinControls.Contains(scPopupMenu));
        if (skinned)
            HookItemTree(**item, Activate);
    } else if (auto *object = std::get_if<QObject *>(&Component.Target)) {
        SkinWidgetComponent(**object, Activate, Repaint);
    }
}

void TFlatSkin::SkinMenu(TMenu &Menu, bool Activate)
{
    const bool mainMenu = dynamic_cast<TMainMenu *>(&Menu) != nullptr;
    if (mainMenu ? !m_skinControls.Contains(scMainMenu) || Menu.Tag() == kExemptTag
                 : !m_skinControls.Contains(scPopupMenu))
        return;
    TMenuItem *root = Menu.Items();
    for (int i = 0; i < root->Count(); ++i) {
        Menu.SetOwnerDraw(Activate);
        HookItemTree(*root->Items(i), Activate);
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

void TFlatSkin::HookItemTree(TMenuItem &Item, bool Activate)
{
    if (Activate) {
        if (Item.Tag() != kExemptTag) {
            const QPointer<TFlatSkin> self(this);
            if (!Item.OnDrawItem() || m_overrideOwnerDraw)
                Item.SetOnDrawItem(
                    [self](TMenuItem *sender, TCanvas &canvas, const TRect &rect, bool selected) {
                        if (self)
                            self->DrawMenuItem(sender, canvas, rect, selected);
                    },
                    HandlerKey());
            if (!Item.OnMeasureItem() || m_overrideOwnerDraw)
                Item.SetOnMeasureItem(
                    [self](TMenuItem *sender, TCanvas &canvas, int &width, int &height) {
                        if (self)
                            self->MeasureMenuItem(sender, canvas, width, height);
                    },
                    HandlerKey());
        }
    } else {
        if (Item.OnDrawItemKey() == HandlerKey())
            Item.SetOnDrawItem({});
        if (Item.OnMeasureItemKey() == HandlerKey())
            Item.SetOnMeasureItem({});
    }
    for (int i = 0; i < Item.Count(); ++i)
        HookItemTree(*Item.Items(i), Activate);
}

void TFlatSkin::SkinWidgetComponent(QObject &Component, bool Activate, bool Repaint)
{
    SkinToolbarOrControlBar(*this, Component, Activate, Repaint);
    SkinControl(*this, Component, Activate, Repaint);
}

void TFlatSkin::MeasureMenuItem(TMenuItem *Sender, TCanvas &ACanvas, int &Width, int &Height)
{
    if (m_active && Sender)
        TSkinMenuPainter(*this).Measure(*Sender, ACanvas, Width, Height);
}

void TFlatSkin::DrawMenuItem(TMenuItem *Sender, TCanvas &ACanvas, const TRect &ARect, bool Selected)
{
    if (m_active && Sender)
        TSkinMenuPainter(*this).Draw(*Sender, ACanvas, ARect, Selected);
}
