#include "toolkit/menus/MenuItemAccessible.h"

#include "toolkit/gdi/Accelerator.h"
#include "toolkit/menus/MainMenu.h"
#include "toolkit/menus/MenuBar.h"
#include "toolkit/menus/MenuBase.h"
#include "toolkit/menus/PopupMenuWindow.h"

#include <QApplication>
#include <QObject>

#include <unordered_map>

// The interfaces of one menu's items. It lives as long as the menu (it hangs
// on the menu's lifetime object) and drops the interface of every item that
// has left the tree when the menu reports a change, before the item may be
// freed and its address reused by another.
class TMenuItemInterfaces : public QObject
{
public:
    static TMenuItemInterfaces &Of(TMenu *menu)
    {
        const auto found = Registry().find(menu);
        if (found != Registry().end())
            return *found->second;
        return *new TMenuItemInterfaces(menu);
    }

    ~TMenuItemInterfaces() override
    {
        Registry().erase(m_menu);
        m_menu->RemoveChangeListener(m_listenerId);
        for (const auto &[item, id] : m_ids)
            QAccessible::deleteAccessibleInterface(id);
    }

    QAccessibleInterface *For(TMenuItem *item)
    {
        const auto found = m_ids.find(item);
        if (found != m_ids.end())
            if (QAccessibleInterface *known = QAccessible::accessibleInterface(found->second))
                return known;
        auto *created = new TMenuItemAccessible(m_menu, item);
        m_ids[item] = QAccessible::registerAccessibleInterface(created);
        return created;
    }

private:
    explicit TMenuItemInterfaces(TMenu *menu)
        : QObject(menu->Lifetime())
        , m_menu(menu)
    {
        Registry().emplace(menu, this);
        m_listenerId = menu->AddChangeListener([this](bool) { DropDeparted(); });
    }

    static std::unordered_map<const TMenu *, TMenuItemInterfaces *> &Registry()
    {
        static std::unordered_map<const TMenu *, TMenuItemInterfaces *> registry;
        return registry;
    }

    void DropDeparted()
    {
        for (auto it = m_ids.begin(); it != m_ids.end();) {
            if (m_menu->Contains(it->first)) {
                ++it;
                continue;
            }
            QAccessible::deleteAccessibleInterface(it->second);
            it = m_ids.erase(it);
        }
    }

    TMenu *m_menu;
    int m_listenerId = 0;
    std::unordered_map<const TMenuItem *, QAccessible::Id> m_ids;
};

namespace {

bool IsSubMenuWindowOf(const QWidget *widget, const TMenuItem *item)
{
    const auto *window = qobject_cast<const TPopupMenuWindow *>(widget);
    return window && window->isVisible() && window->ParentItem() == item;
}

} // namespace

QAccessibleInterface *TMenuItemAccessible::For(TMenuItem *item)
{
    if (!item || !item->Parent())
        return nullptr;
    TMenu *menu = item->GetParentMenu();
    return menu ? TMenuItemInterfaces::Of(menu).For(item) : nullptr;
}

TMenuItemAccessible::TMenuItemAccessible(TMenu *menu, TMenuItem *item)
    : m_menu(menu)
    , m_item(item)
{ }

bool TMenuItemAccessible::isValid() const
{
    return m_menu->Contains(m_item);
}

QObject *TMenuItemAccessible::object() const
{
    return nullptr;
}

TMenuBar *TMenuItemAccessible::Bar() const
{
    return m_item->IsBarItem() ? static_cast<TMainMenu *>(m_menu)->Bar() : nullptr;
}

int TMenuItemAccessible::BarIndex() const
{
    return m_item->MenuIndex();
}

TPopupMenuWindow *TMenuItemAccessible::ShowingWindow() const
{
    return TPopupMenuWindow::WindowShowing(m_item);
}

int TMenuItemAccessible::Row(const TPopupMenuWindow *window) const
{
    for (int row = 0; row < window->RowCount(); ++row)
        if (window->RowItem(row) == m_item)
            return row;
    return -1;
}

TPopupMenuWindow *TMenuItemAccessible::SubMenuWindow() const
{
    if (!m_item->HasVisibleItems())
        return nullptr;
    for (QWidget *widget : QApplication::topLevelWidgets())
        if (IsSubMenuWindowOf(widget, m_item))
            return static_cast<TPopupMenuWindow *>(widget);
    return nullptr;
}

QWindow *TMenuItemAccessible::window() const
{
    const QAccessibleInterface *view = parent();
    return view ? view->window() : nullptr;
}

QAccessibleInterface *TMenuItemAccessible::parent() const
{
    if (TMenuBar *bar = Bar())
        return QAccessible::queryAccessibleInterface(bar);
    if (TPopupMenuWindow *window = ShowingWindow())
        return QAccessible::queryAccessibleInterface(window);
    return nullptr;
}

QAccessibleInterface *TMenuItemAccessible::child(int index) const
{
    TPopupMenuWindow *subMenu = index == 0 ? SubMenuWindow() : nullptr;
    return subMenu ? QAccessible::queryAccessibleInterface(subMenu) : nullptr;
}

int TMenuItemAccessible::childCount() const
{
    return SubMenuWindow() ? 1 : 0;
}

int TMenuItemAccessible::indexOfChild(const QAccessibleInterface *child) const
{
    return child && child->object() && child->object() == SubMenuWindow() ? 0 : -1;
}

QAccessibleInterface *TMenuItemAccessible::childAt(int x, int y) const
{
    QAccessibleInterface *subMenu = child(0);
    return subMenu && subMenu->rect().contains(x, y) ? subMenu : nullptr;
}

QString TMenuItemAccessible::text(QAccessible::Text t) const
{
    switch (t) {
    case QAccessible::Name: return m_item->IsLine() ? QString() : WithoutAmpersands(m_item->Caption());
    case QAccessible::Accelerator: {
        // A bar item without a shortcut of its own opens with Alt and its letter.
        const QString shortCut = m_item->ShortCutText();
        const QChar letter = m_item->Accelerator();
        if (shortCut.isEmpty() && Bar() && !letter.isNull())
            return QStringLiteral("Alt+") + letter;
        return shortCut;
    }
    default: return {};
    }
}

void TMenuItemAccessible::setText(QAccessible::Text, const QString &) { }

QRect TMenuItemAccessible::rect() const
{
    if (TMenuBar *bar = Bar()) {
        const QRect local = bar->ItemRect(BarIndex());
        return local.isEmpty() ? QRect() : QRect(bar->mapToGlobal(local.topLeft()), local.size());
    }
    return TPopupMenuWindow::ItemScreenRect(m_item);
}

QAccessible::Role TMenuItemAccessible::role() const
{
    return m_item->IsLine() ? QAccessible::Separator : QAccessible::MenuItem;
}

bool TMenuItemAccessible::Highlighted() const
{
    if (TMenuBar *bar = Bar())
        return bar->SelectedIndex() == BarIndex();
    const TPopupMenuWindow *window = ShowingWindow();
    return window && window->SelectedRow() == Row(window);
}

// The keyboard moves from the deepest highlighted item of the open chain.
bool TMenuItemAccessible::HasKeyboard() const
{
    if (!Highlighted())
        return false;
    const TPopupMenuWindow *subMenu = SubMenuWindow();
    return !subMenu || subMenu->SelectedRow() < 0;
}

QAccessible::State TMenuItemAccessible::state() const
{
    QAccessible::State state;
    const bool shown = !rect().isEmpty();
    state.invisible = !shown;
    state.offscreen = !shown;
    if (m_item->IsLine())
        return state;
    state.disabled = !m_item->Enabled();
    state.focusable = true;
    state.selectable = true;
    state.selected = Highlighted();
    state.focused = HasKeyboard();
    state.hotTracked = state.selected;
    state.checkable = m_item->Checked() || m_item->RadioItem();
    state.checked = m_item->Checked();
    if (m_item->HasVisibleItems()) {
        state.hasPopup = true;
        state.expandable = true;
        state.expanded = SubMenuWindow() != nullptr;
        state.collapsed = !state.expanded;
    }
    return state;
}

void *TMenuItemAccessible::interface_cast(QAccessible::InterfaceType type)
{
    return type == QAccessible::ActionInterface ? static_cast<QAccessibleActionInterface *>(this) : nullptr;
}

QStringList TMenuItemAccessible::actionNames() const
{
    if (m_item->IsLine() || !m_item->Enabled())
        return {};
    return {pressAction()};
}

void TMenuItemAccessible::doAction(const QString &actionName)
{
    if (actionName != pressAction() || m_item->IsLine() || !m_item->Enabled())
        return;
    if (TMenuBar *bar = Bar()) {
        bar->OpenItem(BarIndex(), true);
        return;
    }
    if (TPopupMenuWindow *window = ShowingWindow()) {
        window->ActivateRow(Row(window), true);
        return;
    }
    // An item of a closed menu acts as its shortcut would.
    if (!m_item->HasVisibleItems())
        m_menu->PostClick(m_item);
}

QStringList TMenuItemAccessible::keyBindingsForAction(const QString &actionName) const
{
    const QString keys = text(QAccessible::Accelerator);
    if (actionName != pressAction() || keys.isEmpty())
        return {};
    return {keys};
}
