#include "support/AccessibleEventLog.h"
#include "support/Input.h"
#include "support/QtPrinters.h"

#include "toolkit/menus/Menu.h"
#include "toolkit/menus/MenuBar.h"
#include "toolkit/menus/PopupMenuWindow.h"

#include <QAccessible>
#include <QApplication>
#include <QLineEdit>
#include <gtest/gtest.h>

namespace {

QStringList L(std::initializer_list<const char *> items)
{
    QStringList list;
    for (const char *item : items)
        list.append(QString::fromUtf8(item));
    return list;
}

// A window with a bar of two menus, the first with a sub-menu, and an edit
// that has the focus; a screen reader listens.
struct AccessibleBarFixture : ::testing::Test {
    QWidget form;
    QLineEdit *edit = new QLineEdit(&form);
    TMainMenu menu{&form};
    TMenuItem *file = menu.Items()->Add(QStringLiteral("&Файл"));
    TMenuItem *help = menu.Items()->Add(QStringLiteral("П&омощь"));
    TMenuItem *open = file->Add(QStringLiteral("&Открыть"));
    TMenuItem *line = file->Add(QStringLiteral("-"));
    TMenuItem *recent = file->Add(QStringLiteral("&Недавние"));
    TMenuItem *first = recent->Add(QStringLiteral("Первый && второй"));
    TMenuItem *exit = file->Add(QStringLiteral("В&ыход"));
    TMenuItem *about = help->Add(QStringLiteral("О программе"));
    std::vector<TMenuItem *> clicked;
    TAccessibleEventLog log;

    void SetUp() override
    {
        exit->SetShortCut(QKeySequence(Qt::CTRL | Qt::Key_Q));
        for (TMenuItem *item : {open, first, exit, about})
            item->SetOnClick([this](TMenuItem *i) { clicked.push_back(i); });
        edit->setObjectName(QStringLiteral("edit"));
        form.resize(400, 200);
        Bar()->setGeometry(0, 0, 400, TMenuBar::kHeight);
        edit->setGeometry(0, 40, 100, 20);
        form.show();
        edit->setFocus();
        QApplication::setActiveWindow(&form);
        log.Clear();
    }
    void TearDown() override { Bar()->ExitMenuMode(); }

    TMenuBar *Bar() const { return menu.Bar(); }
    QAccessibleInterface *BarInterface() const { return QAccessible::queryAccessibleInterface(Bar()); }
    QWidget *KeyTarget() const
    {
        QWidget *target = Bar()->InMenuMode() ? static_cast<QWidget *>(Bar()) : edit;
        for (TPopupMenuWindow *level = Bar()->OpenPopup(); level; level = level->ChildPopup())
            target = level;
        return target;
    }
    void Key(int key)
    {
        PressKey(KeyTarget(), key);
        QApplication::processEvents();
    }
};

TEST_F(AccessibleBarFixture, barShowsItsItemsAndAnOpenMenuItsRows)
{
    QAccessibleInterface *bar = BarInterface();
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(bar->role(), QAccessible::MenuBar);
    EXPECT_EQ(ChildNames(bar), L({"Файл", "Помощь"}));
    QAccessibleInterface *fileItem = bar->child(0);
    EXPECT_EQ(fileItem->role(), QAccessible::MenuItem);
    EXPECT_EQ(fileItem->parent(), bar);
    EXPECT_EQ(bar->indexOfChild(fileItem), 0);
    EXPECT_EQ(fileItem->text(QAccessible::Accelerator), QStringLiteral("Alt+Ф"));
    EXPECT_TRUE(fileItem->state().hasPopup);
    EXPECT_TRUE(fileItem->state().collapsed);
    EXPECT_EQ(fileItem->childCount(), 0) << "a closed menu has no window to show";
    const QPoint onHelp = bar->child(1)->rect().center();
    EXPECT_EQ(bar->childAt(onHelp.x(), onHelp.y()), bar->child(1)) << "where the item is drawn";

    help->SetVisible(false);
    EXPECT_EQ(ChildNames(bar), L({"Файл"}));
    help->SetVisible(true);

    Key(Qt::Key_F10);
    Key(Qt::Key_Down);
    ASSERT_EQ(fileItem->childCount(), 1);
    EXPECT_TRUE(fileItem->state().expanded);
    QAccessibleInterface *popup = fileItem->child(0);
    EXPECT_EQ(popup->role(), QAccessible::PopupMenu);
    EXPECT_EQ(popup->text(QAccessible::Name), QStringLiteral("Файл"));
    EXPECT_EQ(popup->parent(), fileItem);
    EXPECT_EQ(ChildNames(popup), L({"Открыть", "", "Недавние", "Выход"}));
    EXPECT_EQ(popup->child(1)->role(), QAccessible::Separator);
    QAccessibleInterface *exitItem = popup->child(3);
    EXPECT_EQ(exitItem->parent(), popup);
    EXPECT_EQ(popup->indexOfChild(exitItem), 3);
    EXPECT_EQ(exitItem->text(QAccessible::Accelerator), QStringLiteral("Ctrl+Q"));
    const QPoint onExit = exitItem->rect().center();
    EXPECT_EQ(popup->childAt(onExit.x(), onExit.y()), exitItem);
}

TEST_F(AccessibleBarFixture, statesFollowTheItems)
{
    QAccessibleInterface *fileItem = BarInterface()->child(0);
    open->SetEnabled(false);
    exit->SetChecked(true);
    Key(Qt::Key_F10);
    EXPECT_TRUE(fileItem->state().focused);
    Key(Qt::Key_Down);
    EXPECT_FALSE(fileItem->state().focused) << "the open menu has the keyboard";
    EXPECT_TRUE(fileItem->state().selected);
    QAccessibleInterface *popup = fileItem->child(0);
    EXPECT_TRUE(popup->child(0)->state().disabled);
    EXPECT_TRUE(popup->child(0)->actionInterface()->actionNames().isEmpty());
    EXPECT_TRUE(popup->child(3)->state().checkable);
    EXPECT_TRUE(popup->child(3)->state().checked);
    EXPECT_FALSE(popup->child(2)->state().checked);
    EXPECT_TRUE(popup->child(0)->state().focused) << "a disabled row is still highlighted";
}

TEST_F(AccessibleBarFixture, keyboardSessionIsHeardStepByStep)
{
    Key(Qt::Key_F10);
    Key(Qt::Key_Right);
    Key(Qt::Key_Left);
    Key(Qt::Key_Down);
    Key(Qt::Key_Down); // over the separator
    Key(Qt::Key_Right);
    Key(Qt::Key_Left);
    Key(Qt::Key_Escape);
    EXPECT_EQ(log.Moves(), L({"focus Файл", "focus Помощь", "focus Файл", "popup start Файл", "focus Открыть",
                              "focus Недавние", "popup start Недавние", "focus Первый & второй", "popup end Недавние",
                              "focus Недавние", "popup end Файл", "focus Файл"}));
    log.Clear();
    Key(Qt::Key_Escape);
    EXPECT_FALSE(Bar()->InMenuMode());
    ASSERT_EQ(log.Names(QAccessible::Focus).size(), 1);
    EXPECT_EQ(log.LastFocused(), edit) << "leaving the menus hands the focus back to the edit";
}

TEST_F(AccessibleBarFixture, pointerMovesAreHeardInMenuMode)
{
    SendMouse(Bar(), QEvent::MouseButtonPress, Bar()->ItemRect(0).center());
    TPopupMenuWindow *popup = Bar()->OpenPopup();
    ASSERT_NE(popup, nullptr);
    MoveMouse(popup, popup->RowRect(3).center());
    SendMouse(popup, QEvent::MouseButtonPress, popup->mapFromGlobal(QPoint(-50, -50)));
    EXPECT_EQ(log.Moves(), L({"popup start Файл", "focus Файл", "focus Выход", "popup end Файл", "focus "}));
    EXPECT_EQ(log.LastFocused(), edit);
}

TEST_F(AccessibleBarFixture, pressOpensMenusAndClicksItemsOnce)
{
    QAccessibleInterface *fileItem = BarInterface()->child(0);
    fileItem->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    ASSERT_NE(Bar()->OpenPopup(), nullptr);
    QAccessibleInterface *recentItem = fileItem->child(0)->child(2);
    recentItem->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    ASSERT_EQ(recentItem->childCount(), 1);
    recentItem->child(0)->child(0)->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_EQ(Bar()->OpenPopup(), nullptr) << "the chain closes before the click";
    EXPECT_TRUE(clicked.empty());
    QApplication::processEvents();
    EXPECT_EQ(clicked, std::vector<TMenuItem *>{first});
}

TEST_F(AccessibleBarFixture, anItemLeavingItsMenuTakesItsInterfaceAlong)
{
    Key(Qt::Key_F10);
    Key(Qt::Key_Down);
    QAccessibleInterface *exitItem = BarInterface()->child(0)->child(0)->child(3);
    const QAccessible::Id id = QAccessible::uniqueId(exitItem);
    std::unique_ptr<TMenuItem> removed = file->Remove(exit);
    EXPECT_EQ(QAccessible::accessibleInterface(id), nullptr);
    EXPECT_EQ(ChildNames(BarInterface()->child(0)->child(0)), L({"Открыть", "", "Недавние"}));
    removed.reset();

    // A menu that goes drops the interfaces of all its items.
    auto other = std::make_unique<TPopupMenu>(&form);
    TMenuItem *item = other->Items()->Add(QStringLiteral("Пункт"));
    other->Popup(10, 10);
    const QAccessible::Id itemId =
        QAccessible::uniqueId(QAccessible::queryAccessibleInterface(other->Window())->child(0));
    EXPECT_NE(QAccessible::accessibleInterface(itemId), nullptr);
    (void)item;
    other.reset();
    EXPECT_EQ(QAccessible::accessibleInterface(itemId), nullptr);
}

} // namespace
