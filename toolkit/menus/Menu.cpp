#include "toolkit/menus/Menu.h"

#include "toolkit/app/Application.h"
#include "toolkit/menus/MenuBar.h"
#include "toolkit/menus/PopupMenuWindow.h"

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

TMenu::TMenu(QWidget *Owner)
    : m_root(std::make_unique<TMenuItem>()), m_lifetime(std::make_unique<QObject>()), m_owner(Owner)
{
    m_root->m_menu = this;
    LivingMenus().push_back(this);
}

TMenu::~TMenu()
{
    std::erase(LivingMenus(), this);
    m_lifetime.reset();
}

std::vector<TMenu *> TMenu::MenusOwnedBy(const QWidget *Owner)
{
    std::vector<TMenu *> owned;
    if (!Owner)
        return owned;
    for (TMenu *menu : LivingMenus())
        if (menu->m_owner.data() == Owner)
            owned.push_back(menu);
    return owned;
}

TMenuItem *TMenu::FindItem(const QString &Name) const
{
    if (Name.isEmpty())
        return nullptr;
    return FindByName(m_root.get(), Name);
}

void TMenu::SetImages(TImageList *Images)
{
    if (Images == m_images)
        return;
    m_images = Images;
    NotifyChanged(true);
}

void TMenu::SetOwnerDraw(bool OwnerDraw)
{
    if (OwnerDraw == m_ownerDraw)
        return;
    m_ownerDraw = OwnerDraw;
    NotifyChanged(true);
}

void TMenu::SetBiDiMode(TBiDiMode Mode)
{
    if (Mode == m_biDiMode)
        return;
    m_biDiMode = Mode;
    NotifyChanged(true);
}

bool TMenu::DispatchShortCut(const QKeySequence &Key)
{
    if (Key.isEmpty())
        return false;
    TMenuItem *item = FindShortCut(m_root.get(), Key);
    if (!item || !item->Enabled())
        return false;
    CallGuarded([item] { item->Click(); });
    return true;
}

bool TMenu::Contains(const TMenuItem *Item) const
{
    return Item && TreeContains(m_root.get(), Item);
}

void TMenu::PostClick(TMenuItem *Item)
{
    QTimer::singleShot(0, m_lifetime.get(), [this, Item] {
        if (Contains(Item))
            CallGuarded([Item] { Item->Click(); });
    });
}

int TMenu::AddChangeListener(TChangeListener Listener)
{
    const int id = m_nextListenerId++;
    m_listeners.emplace_back(id, std::move(Listener));
    return id;
}

void TMenu::RemoveChangeListener(int Id)
{
    std::erase_if(m_listeners, [Id](const auto &entry) { return entry.first == Id; });
}

void TMenu::NotifyChanged(bool Rebuild)
{
    // A listener may remove itself or others while being told.
    const auto listeners = m_listeners;
    for (const auto &[id, listener] : listeners)
        listener(Rebuild);
}

TMainMenu::TMainMenu(QWidget *Owner) : TMenu(Owner)
{
    m_bar = new TMenuBar(this, Owner);
}

TMainMenu::~TMainMenu()
{
    delete m_bar.data();
}

TMenuBar *TMainMenu::Bar() const
{
    return m_bar.data();
}

TPopupMenu::TPopupMenu(QWidget *Owner) : TMenu(Owner) {}

TPopupMenu::~TPopupMenu()
{
    delete m_window.data();
}

void TPopupMenu::Popup(int X, int Y)
{
    if (m_window)
        m_window->close();
    if (m_onPopup)
        m_onPopup(this);
    auto *window = new TPopupMenuWindow(this, Items(), nullptr, nullptr, Owner());
    m_window = window;
    window->ShowAt(QPoint(X, Y));
}

TPopupMenuWindow *TPopupMenu::Window() const
{
    return m_window.data();
}
