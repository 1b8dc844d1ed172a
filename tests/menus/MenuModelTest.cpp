#include "toolkit/gdi/ImageList.h"
#include "toolkit/menus/Menu.h"

#include <QApplication>
#include <gtest/gtest.h>

namespace {

struct AcceleratorCase {
    const char *caption;
    QChar expected;
};

class MenuItemAccelerator : public ::testing::TestWithParam<AcceleratorCase>
{ };

TEST_P(MenuItemAccelerator, isTheLetterAfterASingleAmpersand)
{
    TMenuItem item;
    item.SetCaption(QString::fromUtf8(GetParam().caption));
    EXPECT_EQ(item.Accelerator(), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Captions, MenuItemAccelerator,
                         ::testing::Values(AcceleratorCase{"&Файл", QChar(0x0424)},
                                           AcceleratorCase{"В&ыход", QChar(0x042B)},
                                           AcceleratorCase{"Fish && &Chips", QChar('C')},
                                           AcceleratorCase{"A&&B", QChar()}, AcceleratorCase{"Trailing&", QChar()},
                                           AcceleratorCase{"&&&x", QChar('X')}, AcceleratorCase{"", QChar()}));

struct Tree {
    TPopupMenu menu{nullptr};
    TMenuItem *top = menu.Items()->Add(QStringLiteral("Top"));
};

TEST(MenuItem, checkingARadioItemUnchecksOnlyItsGroup)
{
    Tree t;
    TMenuItem *a = t.top->Add(QStringLiteral("a"));
    TMenuItem *b = t.top->Add(QStringLiteral("b"));
    TMenuItem *other = t.top->Add(QStringLiteral("other group"));
    TMenuItem *plain = t.top->Add(QStringLiteral("plain"));
    for (TMenuItem *item : {a, b, other})
        item->SetRadioItem(true);
    other->SetGroupIndex(1);
    plain->SetChecked(true);
    other->SetChecked(true);
    a->SetChecked(true);
    b->SetChecked(true);
    EXPECT_FALSE(a->Checked());
    EXPECT_TRUE(b->Checked());
    EXPECT_TRUE(other->Checked());
    EXPECT_TRUE(plain->Checked());
}

TEST(MenuItem, subMenuImagesOfTheParentWinOverTheMenuImages)
{
    Tree t;
    TImageList menuImages;
    TImageList subImages;
    t.menu.SetImages(&menuImages);
    TMenuItem *child = t.top->Add(QStringLiteral("child"));
    EXPECT_EQ(t.top->EffectiveImages(), &menuImages);
    EXPECT_EQ(child->EffectiveImages(), &menuImages);
    t.top->SetSubMenuImages(&subImages);
    EXPECT_EQ(child->EffectiveImages(), &subImages);
    EXPECT_EQ(t.top->EffectiveImages(), &menuImages);
}

TEST(MenuItem, changesReachTheMenuOnlyWhenAValueChanges)
{
    Tree t;
    int rebuilds = 0;
    int repaints = 0;
    t.menu.AddChangeListener([&](bool rebuild) { ++(rebuild ? rebuilds : repaints); });
    TMenuItem *item = t.top->Add(QStringLiteral("x"));
    EXPECT_EQ(rebuilds, 1);
    item->SetCaption(QStringLiteral("x"));
    item->SetEnabled(true);
    EXPECT_EQ(rebuilds, 1);
    EXPECT_EQ(repaints, 0);
    item->SetCaption(QString());
    item->SetCaption(QStringLiteral("x"));
    item->SetEnabled(false);
    EXPECT_EQ(rebuilds, 3);
    EXPECT_EQ(repaints, 1);
}

TEST(MenuItem, handlerKeysIdentifyWhoInstalledTheHandler)
{
    Tree t;
    static const int skinKey = 0;
    t.top->SetOnDrawItem([](TMenuItem *, TCanvas &, const TRect &, bool) {}, &skinKey);
    EXPECT_EQ(t.top->OnDrawItemKey(), &skinKey);
    t.top->SetOnDrawItem({}, &skinKey);
    EXPECT_EQ(t.top->OnDrawItemKey(), nullptr);
    EXPECT_FALSE(t.top->OnDrawItem());
}

TEST(Menu, shortCutsReachEnabledVisibleItemsOnly)
{
    Tree t;
    int clicks = 0;
    TMenuItem *sub = t.top->Add(QStringLiteral("sub"));
    TMenuItem *deep = sub->Add(QStringLiteral("deep"), [&](TMenuItem *) { ++clicks; });
    deep->SetShortCut(QKeySequence(Qt::CTRL | Qt::Key_F));
    EXPECT_TRUE(t.menu.DispatchShortCut(QKeySequence(Qt::CTRL | Qt::Key_F)));
    EXPECT_EQ(clicks, 1);
    EXPECT_FALSE(t.menu.DispatchShortCut(QKeySequence(Qt::CTRL | Qt::Key_G)));
    deep->SetEnabled(false);
    EXPECT_FALSE(t.menu.DispatchShortCut(QKeySequence(Qt::CTRL | Qt::Key_F)));
    deep->SetEnabled(true);
    sub->SetVisible(false);
    EXPECT_FALSE(t.menu.DispatchShortCut(QKeySequence(Qt::CTRL | Qt::Key_F)));
    EXPECT_EQ(clicks, 1);
}

TEST(Menu, postedClickRunsLaterAndNotForARemovedItem)
{
    Tree t;
    int clicks = 0;
    TMenuItem *kept = t.top->Add(QStringLiteral("kept"), [&](TMenuItem *) { ++clicks; });
    TMenuItem *removed = t.top->Add(QStringLiteral("removed"), [&](TMenuItem *) { clicks += 100; });
    t.menu.PostClick(kept);
    t.menu.PostClick(removed);
    EXPECT_EQ(clicks, 0);
    auto gone = t.top->Remove(removed);
    QApplication::processEvents();
    EXPECT_EQ(clicks, 1);
}

TEST(Menu, postedClickIsDroppedWithTheMenu)
{
    int clicks = 0;
    {
        TPopupMenu menu(nullptr);
        TMenuItem *item = menu.Items()->Add(QStringLiteral("x"), [&](TMenuItem *) { ++clicks; });
        menu.PostClick(item);
    }
    QApplication::processEvents();
    EXPECT_EQ(clicks, 0);
}

TEST(Menu, findItemSearchesTheWholeTree)
{
    Tree t;
    TMenuItem *deep = t.top->Add(QStringLiteral("a"))->Add(QStringLiteral("b"));
    deep->SetName(QStringLiteral("mnuDeep"));
    EXPECT_EQ(t.menu.FindItem(QStringLiteral("mnuDeep")), deep);
    EXPECT_EQ(t.menu.FindItem(QStringLiteral("missing")), nullptr);
    EXPECT_EQ(deep->GetParentMenu(), &t.menu);
    EXPECT_FALSE(t.top->IsBarItem());
}

} // namespace
