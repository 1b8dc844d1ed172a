#include "toolkit/menus/MenuBase.h"

#include "toolkit/app/ErrorReporting.h"

#include <QTimer>

#include <algorithm>

namespace {

TMenuItem *FindByName(TMenuItem *item, const QString &name)
{
    if (item->Name() == name)
        return item;
    for (int i = 0; i < item->Count(); ++i)
        if (TMenuItem *found = FindByName(item->Items(i), name))
            return found;
    return nullptr;
}

bool TreeContains(const TMenuItem *root, const TMenuItem *item)
{
    if (root == item)
        return true;
    for (int i = 0; i < root->Count(); ++i)
        if (TreeContains(root->Items(i), item))
            return true;
    return false;
}

// Items reachable by the user: hidden items and the sub-items of hidden items
// do not count.
TMenuItem *FindShortCut(TMenuItem *item, const QKeySequence &key)
{
    for (int i = 0; i < item->Count(); ++i) {
        TMenuItem *child = item->Items(i);
        if (!child->Visible())
            continue;
        if (!child->ShortCut().isEmpty() && child->ShortCut() == key)
            return child;
        if (TMenuItem *found = FindShortCut(child, key))
            return found;
    }
    return nullptr;
}

// Every living menu, in creation order: what a form's components find of its
// menus (the menus are not objects the form's widget tree knows).
std::vector<TMenu *> &LivingMenus()
{
    static std::vector<TMenu *> menus;
    return menus;
}

} // namespace

TMenu::TMenu(QWidget *owner)
    : m_root(std::make_unique<TMenuItem>())
    , m_lifetime(std::make_unique<QObject>())
    , m_owner(owner)
{
    m_root->m_menu = this;
    LivingMenus().push_back(this);
}

TMenu::~TMenu()
{
    std::erase(LivingMenus(), this);
    m_lifetime.reset();
}

std::vector<TMenu *> TMenu::MenusOwnedBy(const QWidget *owner)
{
    std::vector<TMenu *> owned;
    if (!owner)
        return owned;
    for (TMenu *menu : LivingMenus())
        if (menu->m_owner.data() == owner)
            owned.push_back(menu);
    return owned;
}

TMenuItem *TMenu::FindItem(const QString &name) const
{
    if (name.isEmpty())
        return nullptr;
    return FindByName(m_root.get(), name);
}

void TMenu::SetImages(TImageList *images)
{
    if (images == m_images)
        return;
    m_images = images;
    NotifyChanged(true);
}

void TMenu::SetOwnerDraw(bool ownerDraw)
{
    if (ownerDraw == m_ownerDraw)
        return;
    m_ownerDraw = ownerDraw;
    NotifyChanged(true);
}

void TMenu::SetBiDiMode(TBiDiMode mode)
{
    if (mode == m_biDiMode)
        return;
    m_biDiMode = mode;
    NotifyChanged(true);
}

bool TMenu::DispatchShortCut(const QKeySequence &key)
{
    if (key.isEmpty())
        return false;
    TMenuItem *item = FindShortCut(m_root.get(), key);
    if (!item || !item->Enabled())
        return false;
    CallGuarded([item] { item->Click(); });
    return true;
}

bool TMenu::Contains(const TMenuItem *item) const
{
    return item && TreeContains(m_root.get(), item);
}

void TMenu::PostClick(TMenuItem *item)
{
    QTimer::singleShot(0, m_lifetime.get(), [this, item] {
        if (Contains(item))
            CallGuarded([item] { item->Click(); });
    });
}

int TMenu::AddChangeListener(TChangeListener listener)
{
    const int id = m_nextListenerId++;
    m_listeners.emplace_back(id, std::move(listener));
    return id;
}

void TMenu::RemoveChangeListener(int id)
{
    std::erase_if(m_listeners, [id](const auto &entry) { return entry.first == id; });
}

void TMenu::NotifyChanged(bool rebuild)
{
    // A listener may remove itself or others while being told.
    const auto listeners = m_listeners;
    for (const auto &[id, listener] : listeners)
        listener(rebuild);
}
