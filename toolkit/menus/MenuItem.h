#pragma once

#include "toolkit/menus/MenuItemFace.h"

#include <QKeySequence>
#include <QString>

#include <functional>
#include <memory>
#include <vector>

class TBitmap;
class TCanvas;
class TImageList;
class TMenu;
class TMenuItem;
struct TRect;

using TMenuNotifyEvent = std::function<void(TMenuItem *sender)>;
// Owner drawing: the canvas covers the whole surface of the bar or popup
// window, so a handler may paint outside its item's rectangle (a skin paints
// into the frame).
using TMenuDrawItemEvent = std::function<void(TMenuItem *sender, TCanvas &canvas, const TRect &rect, bool selected)>;
// width and height arrive holding the standard size of the item.
using TMenuMeasureItemEvent = std::function<void(TMenuItem *sender, TCanvas &canvas, int &width, int &height)>;

// One entry of a menu: a bar item, a popup item, a separator ("-") or the
// invisible root that holds a menu's top-level items. Items own their
// sub-items; any change is reported to the menu that holds the tree so that
// open bars and popups re-measure and repaint.
class TMenuItem
{
public:
    TMenuItem();
    ~TMenuItem();
    TMenuItem(const TMenuItem &) = delete;
    TMenuItem &operator=(const TMenuItem &) = delete;

    const QString &Name() const { return m_name; }
    void SetName(const QString &name) { m_name = name; }
    const QString &Caption() const { return m_caption; }
    void SetCaption(const QString &caption);
    bool IsLine() const { return m_caption == QLatin1String("-"); }
    // The accelerator letter marked by a single "&" ("&&" is a literal
    // ampersand), upper-cased; a null character when there is none.
    QChar Accelerator() const;

    int ImageIndex() const { return m_imageIndex; }
    void SetImageIndex(int index);
    // The item's own picture; an empty bitmap (the default) means none.
    // Change it through SetBitmap so that menus re-measure.
    const TBitmap *Bitmap() const { return m_bitmap.get(); }
    void SetBitmap(const TBitmap &bitmap);
    // Images for the sub-items of this item; they win over the menu's images.
    TImageList *SubMenuImages() const { return m_subMenuImages; }
    void SetSubMenuImages(TImageList *images);
    // The image list that supplies this item's ImageIndex: the parent's
    // sub-menu images, else the menu's images.
    TImageList *EffectiveImages() const;

    const QKeySequence &ShortCut() const { return m_shortCut; }
    void SetShortCut(const QKeySequence &shortCut);
    // The text shown for the shortcut, e.g. "Ctrl+F"; empty without one.
    QString ShortCutText() const;
    // The picture the item shows, transparent pixels at alpha 0: an image
    // from its image list (which wins), else its own bitmap with the
    // bottom-left colour taken out; a null image when it has neither.
    QImage Glyph() const;
    // Everything the standard look draws of the item, as it is now.
    TMenuItemFace Face() const;

    bool Checked() const { return m_checked; }
    // Checking a radio item unchecks the radio items of its group among its
    // siblings.
    void SetChecked(bool checked);
    bool RadioItem() const { return m_radioItem; }
    void SetRadioItem(bool radioItem);
    int GroupIndex() const { return m_groupIndex; }
    void SetGroupIndex(int groupIndex);
    bool Default() const { return m_default; }
    void SetDefault(bool isDefault);
    bool Enabled() const { return m_enabled; }
    void SetEnabled(bool enabled);
    bool Visible() const { return m_visible; }
    void SetVisible(bool visible);
    int Tag() const { return m_tag; }
    void SetTag(int tag) { m_tag = tag; }

    int Count() const { return static_cast<int>(m_items.size()); }
    // Whether the item opens a sub-menu: it has a visible sub-item.
    bool HasVisibleItems() const;
    TMenuItem *Items(int index) const { return m_items.at(static_cast<std::size_t>(index)).get(); }
    TMenuItem *Parent() const { return m_parent; }
    int MenuIndex() const;
    TMenuItem *Add(std::unique_ptr<TMenuItem> item);
    TMenuItem *Add(const QString &caption, TMenuNotifyEvent onClick = {});
    void Insert(int index, std::unique_ptr<TMenuItem> item);
    std::unique_ptr<TMenuItem> Remove(TMenuItem *item);
    void Clear();

    // The menu whose tree holds the item (walking up to the root).
    TMenu *GetParentMenu() const;
    // A top-level item of a main menu: drawn on the bar.
    bool IsBarItem() const;

    const TMenuNotifyEvent &OnClick() const { return m_onClick; }
    void SetOnClick(TMenuNotifyEvent handler) { m_onClick = std::move(handler); }
    // Draw and measure handlers carry an identity key so that the code that
    // installed one can later tell whether the current handler is its own.
    const TMenuDrawItemEvent &OnDrawItem() const { return m_onDrawItem; }
    const void *OnDrawItemKey() const { return m_onDrawItemKey; }
    void SetOnDrawItem(TMenuDrawItemEvent handler, const void *key = nullptr);
    const TMenuMeasureItemEvent &OnMeasureItem() const { return m_onMeasureItem; }
    const void *OnMeasureItemKey() const { return m_onMeasureItemKey; }
    void SetOnMeasureItem(TMenuMeasureItemEvent handler, const void *key = nullptr);

    // Runs OnClick for an enabled item; a disabled item ignores the click.
    void Click();

private:
    friend class TMenu;
    void Changed(bool rebuild);
    void UncheckRadioSiblings();

    QString m_name;
    QString m_caption;
    int m_imageIndex = -1;
    std::unique_ptr<TBitmap> m_bitmap;
    TImageList *m_subMenuImages = nullptr;
    QKeySequence m_shortCut;
    bool m_checked = false;
    bool m_radioItem = false;
    int m_groupIndex = 0;
    bool m_default = false;
    bool m_enabled = true;
    bool m_visible = true;
    int m_tag = 0;
    TMenuItem *m_parent = nullptr;
    TMenu *m_menu = nullptr; // set on the root item only
    std::vector<std::unique_ptr<TMenuItem>> m_items;
    TMenuNotifyEvent m_onClick;
    TMenuDrawItemEvent m_onDrawItem;
    const void *m_onDrawItemKey = nullptr;
    TMenuMeasureItemEvent m_onMeasureItem;
    const void *m_onMeasureItemKey = nullptr;
};
