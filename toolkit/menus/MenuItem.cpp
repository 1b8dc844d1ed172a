#include "toolkit/menus/MenuItem.h"

#include "toolkit/gdi/Bitmap.h"
#include "toolkit/menus/Menu.h"

#include <algorithm>

TMenuItem::TMenuItem() : m_bitmap(std::make_unique<TBitmap>()) {}
TMenuItem::~TMenuItem() = default;

void TMenuItem::SetCaption(const QString &Caption)
{
    if (Caption == m_caption)
        return;
    m_caption = Caption;
    Changed(true);
}

QChar TMenuItem::Accelerator() const
{
    for (qsizetype i = 0; i + 1 < m_caption.size(); ++i) {
        if (m_caption[i] != QLatin1Char('&'))
            continue;
        if (m_caption[i + 1] != QLatin1Char('&'))
            return m_caption[i + 1].toUpper();
        ++i;
    }
    return QChar();
}

void TMenuItem::SetImageIndex(int Index)
{
    if (Index == m_imageIndex)
        return;
    m_imageIndex = Index;
    Changed(true);
}

void TMenuItem::SetBitmap(const TBitmap &Bitmap)
{
    m_bitmap->Assign(Bitmap);
    Changed(true);
}

void TMenuItem::SetSubMenuImages(TImageList *Images)
{
    if (Images == m_subMenuImages)
        return;
    m_subMenuImages = Images;
    Changed(true);
}

TImageList *TMenuItem::EffectiveImages() const
{
    if (m_parent && m_parent->m_subMenuImages)
        return m_parent->m_subMenuImages;
    const TMenu *menu = GetParentMenu();
    return menu ? menu->Images() : nullptr;
}

void TMenuItem::SetShortCut(const QKeySequence &ShortCut)
{
    if (ShortCut == m_shortCut)
        return;
    m_shortCut = ShortCut;
    Changed(true);
}

QString TMenuItem::ShortCutText() const
{
    return m_shortCut.toString(QKeySequence::PortableText);
}

void TMenuItem::SetChecked(bool Checked)
{
    if (Checked == m_checked)
        return;
    m_checked = Checked;
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

void TMenuItem::SetRadioItem(bool RadioItem)
{
    if (RadioItem == m_radioItem)
        return;
    m_radioItem = RadioItem;
    if (m_checked && m_radioItem)
        UncheckRadioSiblings();
    Changed(false);
}

void TMenuItem::SetGroupIndex(int GroupIndex)
{
    if (GroupIndex == m_groupIndex)
        return;
    m_groupIndex = GroupIndex;
    if (m_checked && m_radioItem)
        UncheckRadioSiblings();
    Changed(false);
}

void TMenuItem::SetDefault(bool Default)
{
    if (Default == m_default)
        return;
    m_default = Default;
    Changed(true);
}

void TMenuItem::SetEnabled(bool Enabled)
{
    if (Enabled == m_enabled)
        return;
    m_enabled = Enabled;
    Changed(false);
}

void TMenuItem::SetVisible(bool Visible)
{
    if (Visible == m_visible)
        return;
    m_visible = Visible;
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
    const auto it = std::find_if(siblings.begin(), siblings.end(),
                                 [this](const auto &item) { return item.get() == this; });
    return static_cast<int>(it - siblings.begin());
}

TMenuItem *TMenuItem::Add(std::unique_ptr<TMenuItem> Item)
{
    TMenuItem *added = Item.get();
    Insert(Count(), std::move(Item));
    return added;
}

TMenuItem *TMenuItem::Add(const QString &Caption, TMenuNotifyEvent OnClick)
{
    auto item = std::make_unique<TMenuItem>();
    item->m_caption = Caption;
    item->m_onClick = std::move(OnClick);
    return Add(std::move(item));
}

void TMenuItem::Insert(int Index, std::unique_ptr<TMenuItem> Item)
{
    if (!Item)
        return;
    Index = std::clamp(Index, 0, Count());
    Item->m_parent = this;
    TMenuItem *inserted = Item.get();
    m_items.insert(m_items.begin() + Index, std::move(Item));
    if (inserted->m_checked && inserted->m_radioItem)
        inserted->UncheckRadioSiblings();
    Changed(true);
}

std::unique_ptr<TMenuItem> TMenuItem::Remove(TMenuItem *Item)
{
    const auto it = std::find_if(m_items.begin(), m_items.end(),
                                 [Item](const auto &item) { return item.get() == Item; });
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
    return dynamic_cast<TMainMenu *>(m_parent->m_menu) != nullptr;
}

void TMenuItem::SetOnDrawItem(TMenuDrawItemEvent Handler, const void *Key)
{
    m_onDrawItem = std::move(Handler);
    m_onDrawItemKey = m_onDrawItem ? Key : nullptr;
    Changed(false);
}

void TMenuItem::SetOnMeasureItem(TMenuMeasureItemEvent Handler, const void *Key)
{
    m_onMeasureItem = std::move(Handler);
    m_onMeasureItemKey = m_onMeasureItem ? Key : nullptr;
    Changed(true);
}

void TMenuItem::Click()
{
    if (m_enabled && m_onClick)
        m_onClick(this);
}

void TMenuItem::Changed(bool Rebuild)
{
    if (TMenu *menu = GetParentMenu())
        menu->NotifyChanged(Rebuild);
}
