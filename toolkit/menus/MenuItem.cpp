#include "toolkit/menus/MenuItem.h"

#include "toolkit/gdi/Accelerator.h"
#include "toolkit/gdi/Bitmap.h"
#include "toolkit/gdi/ImageList.h"
#include "toolkit/menus/MenuBase.h"

#include <algorithm>

TMenuItem::TMenuItem()
    : m_bitmap(std::make_unique<TBitmap>())
{ }
TMenuItem::~TMenuItem() = default;

void TMenuItem::SetCaption(const QString &caption)
{
    if (caption == m_caption)
        return;
    m_caption = caption;
    Changed(true);
}

QChar TMenuItem::Accelerator() const
{
    return AcceleratorOf(m_caption).toUpper();
}

void TMenuItem::SetImageIndex(int index)
{
    if (index == m_imageIndex)
        return;
    m_imageIndex = index;
    Changed(true);
}

void TMenuItem::SetBitmap(const TBitmap &bitmap)
{
    m_bitmap->Assign(bitmap);
    Changed(true);
}

void TMenuItem::SetSubMenuImages(TImageList *images)
{
    if (images == m_subMenuImages)
        return;
    m_subMenuImages = images;
    Changed(true);
}

TImageList *TMenuItem::EffectiveImages() const
{
    if (m_parent && m_parent->m_subMenuImages)
        return m_parent->m_subMenuImages;
    const TMenu *menu = GetParentMenu();
    return menu ? menu->Images() : nullptr;
}

void TMenuItem::SetShortCut(const QKeySequence &shortCut)
{
    if (shortCut == m_shortCut)
        return;
    m_shortCut = shortCut;
    Changed(true);
}

QString TMenuItem::ShortCutText() const
{
    return m_shortCut.toString(QKeySequence::PortableText);
}

QImage TMenuItem::Glyph() const
{
    if (const TImageList *images = EffectiveImages(); images && m_imageIndex >= 0) {
        QImage glyph = images->Image(m_imageIndex);
        if (!glyph.isNull())
            return glyph;
    }
    if (m_bitmap->Empty() || m_bitmap->Width() == 0)
        return {};
    QImage glyph = m_bitmap->Image().convertToFormat(QImage::Format_ARGB32);
    const QRgb key = glyph.pixel(0, glyph.height() - 1) & RGB_MASK;
    for (int y = 0; y < glyph.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(glyph.scanLine(y));
        for (int x = 0; x < glyph.width(); ++x)
            line[x] = (line[x] & RGB_MASK) == key ? 0 : (line[x] | 0xFF000000u);
    }
    return glyph;
}

TMenuItemFace TMenuItem::Face() const
{
    TMenuItemFace face;
    face.Caption = m_caption;
    face.ShortCut = ShortCutText();
    face.IsLine = IsLine();
    face.Enabled = m_enabled;
    face.Checked = m_checked;
    face.RadioItem = m_radioItem;
    face.Default = m_default;
    face.HasSubMenu = HasVisibleItems();
    face.Glyph = Glyph();
    face.Images = EffectiveImages();
    face.ImageIndex = m_imageIndex;
    return face;
}

void TMenuItem::SetChecked(bool checked)
{
    if (checked == m_checked)
        return;
    m_checked = checked;
    if (m_checked && m_radioItem)
        UncheckRadioSiblings();
    Changed(false);
}

void TMenuItem::UncheckRadioSiblings()
{
    if (!m_parent)
        return;
    for (const auto &sibling : m_parent->m_items)
        if (sibling.get() != this && sibling->m_radioItem && sibling->m_groupIndex == m_groupIndex)
            sibling->m_checked = false;
}

void TMenuItem::SetRadioItem(bool radioItem)
{
    if (radioItem == m_radioItem)
        return;
    m_radioItem = radioItem;
    if (m_checked && m_radioItem)
        UncheckRadioSiblings();
    Changed(false);
}

void TMenuItem::SetGroupIndex(int groupIndex)
{
    if (groupIndex == m_groupIndex)
        return;
    m_groupIndex = groupIndex;
    if (m_checked && m_radioItem)
        UncheckRadioSiblings();
    Changed(false);
}

void TMenuItem::SetDefault(bool isDefault)
{
    if (isDefault == m_default)
        return;
    m_default = isDefault;
    Changed(true);
}

void TMenuItem::SetEnabled(bool enabled)
{
    if (enabled == m_enabled)
        return;
    m_enabled = enabled;
    Changed(false);
}

void TMenuItem::SetVisible(bool visible)
{
    if (visible == m_visible)
        return;
    m_visible = visible;
    Changed(true);
}

bool TMenuItem::HasVisibleItems() const
{
    return std::any_of(m_items.begin(), m_items.end(), [](const auto &item) { return item->m_visible; });
}

int TMenuItem::MenuIndex() const
{
    if (!m_parent)
        return -1;
    const auto &siblings = m_parent->m_items;
    const auto it =
        std::find_if(siblings.begin(), siblings.end(), [this](const auto &item) { return item.get() == this; });
    return static_cast<int>(it - siblings.begin());
}

TMenuItem *TMenuItem::Add(std::unique_ptr<TMenuItem> item)
{
    TMenuItem *added = item.get();
    Insert(Count(), std::move(item));
    return added;
}

TMenuItem *TMenuItem::Add(const QString &caption, TMenuNotifyEvent onClick)
{
    auto item = std::make_unique<TMenuItem>();
    item->m_caption = caption;
    item->m_onClick = std::move(onClick);
    return Add(std::move(item));
}

void TMenuItem::Insert(int index, std::unique_ptr<TMenuItem> item)
{
    if (!item)
        return;
    index = std::clamp(index, 0, Count());
    item->m_parent = this;
    TMenuItem *inserted = item.get();
    m_items.insert(m_items.begin() + index, std::move(item));
    if (inserted->m_checked && inserted->m_radioItem)
        inserted->UncheckRadioSiblings();
    Changed(true);
}

std::unique_ptr<TMenuItem> TMenuItem::Remove(TMenuItem *item)
{
    const auto it =
        std::find_if(m_items.begin(), m_items.end(), [item](const auto &owned) { return owned.get() == item; });
    if (it == m_items.end())
        return nullptr;
    std::unique_ptr<TMenuItem> removed = std::move(*it);
    m_items.erase(it);
    removed->m_parent = nullptr;
    Changed(true);
    return removed;
}

void TMenuItem::Clear()
{
    if (m_items.empty())
        return;
    m_items.clear();
    Changed(true);
}

TMenu *TMenuItem::GetParentMenu() const
{
    const TMenuItem *item = this;
    while (item->m_parent)
        item = item->m_parent;
    return item->m_menu;
}

bool TMenuItem::IsBarItem() const
{
    if (!m_parent || m_parent->m_parent)
        return false;
    return m_parent->m_menu && m_parent->m_menu->IsMainMenu();
}

void TMenuItem::SetOnDrawItem(TMenuDrawItemEvent handler, const void *key)
{
    m_onDrawItem = std::move(handler);
    m_onDrawItemKey = m_onDrawItem ? key : nullptr;
    Changed(false);
}

void TMenuItem::SetOnMeasureItem(TMenuMeasureItemEvent handler, const void *key)
{
    m_onMeasureItem = std::move(handler);
    m_onMeasureItemKey = m_onMeasureItem ? key : nullptr;
    Changed(true);
}

void TMenuItem::Click()
{
    if (m_enabled && m_onClick)
        m_onClick(this);
}

void TMenuItem::Changed(bool rebuild)
{
    if (TMenu *menu = GetParentMenu())
        menu->NotifyChanged(rebuild);
}
