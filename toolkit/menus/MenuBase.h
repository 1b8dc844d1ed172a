#pragma once

#include "toolkit/app/BiDiMode.h"
#include "toolkit/menus/MenuItem.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <QWidget>

#include <functional>
#include <memory>
#include <vector>

// What a menu is: a tree of items under an invisible root, the images its
// items draw from, and how it is drawn (owner-drawn or standard, reading
// direction); the base of the main and popup menus. Views (the bar, open
// popups) sit above it and listen for changes: the menu never knows them.
class TMenu
{
public:
    virtual ~TMenu();
    TMenu(const TMenu &) = delete;
    TMenu &operator=(const TMenu &) = delete;

    TMenuItem *Items() const { return m_root.get(); }
    // Finds an item of the tree by name; nullptr when absent.
    TMenuItem *FindItem(const QString &name) const;

    const QString &Name() const { return m_name; }
    void SetName(const QString &name) { m_name = name; }
    int Tag() const { return m_tag; }
    void SetTag(int tag) { m_tag = tag; }
    // The form (or other widget) the menu belongs to.
    QWidget *Owner() const { return m_owner; }
    // The living menus that Owner holds, in the order they were created.
    static std::vector<TMenu *> MenusOwnedBy(const QWidget *owner);

    TImageList *Images() const { return m_images; }
    void SetImages(TImageList *images);
    // Items with a draw handler are drawn by it only while the menu is
    // owner-drawn; otherwise every item gets the standard look.
    bool OwnerDraw() const { return m_ownerDraw; }
    void SetOwnerDraw(bool ownerDraw);
    TBiDiMode BiDiMode() const { return m_biDiMode; }
    void SetBiDiMode(TBiDiMode mode);
    bool IsRightToLeft() const { return m_biDiMode != bdLeftToRight; }
    // A main menu shows its top-level items on a bar.
    virtual bool IsMainMenu() const { return false; }

    // Finds the enabled, visible item whose ShortCut matches and clicks it.
    bool DispatchShortCut(const QKeySequence &key);
    // Whether the item still belongs to this menu's tree.
    bool Contains(const TMenuItem *item) const;
    // Clicks the item once control is back in the event loop (menus close
    // first, as the platform posts the command), unless it has left the
    // tree or the menu is gone by then.
    void PostClick(TMenuItem *item);

    // Views register here to hear of changes; Rebuild means sizes may differ.
    using TChangeListener = std::function<void(bool rebuild)>;
    int AddChangeListener(TChangeListener listener);
    void RemoveChangeListener(int id);
    void NotifyChanged(bool rebuild);
    // Destroyed first when the menu is destroyed, while the menu is still
    // whole: views and posted clicks that outlive the menu hang on it.
    QObject *Lifetime() const { return m_lifetime.get(); }

protected:
    explicit TMenu(QWidget *owner);

private:
    std::unique_ptr<TMenuItem> m_root;
    std::unique_ptr<QObject> m_lifetime;
    QPointer<QWidget> m_owner;
    QString m_name;
    int m_tag = 0;
    TImageList *m_images = nullptr;
    bool m_ownerDraw = false;
    TBiDiMode m_biDiMode = bdLeftToRight;
    std::vector<std::pair<int, TChangeListener>> m_listeners;
    int m_nextListenerId = 1;
};
