#include "support/Input.h"

#include "toolkit/menus/Menu.h"
#include "toolkit/menus/PopupMenuWindow.h"

#include <QApplication>
#include <gtest/gtest.h>

namespace {

struct PopupFixture : ::testing::Test {
    QWidget owner;
    TPopupMenu menu{&owner};
    std::vector<QString> clicked;
    int popups = 0;

    void SetUp() override
    {
        for (const char *caption : {"&Копировать", "-", "&Вставить", "В&ырезать", "&Выделить"})
            menu.Items()->Add(QString::fromUtf8(caption), [this](TMenuItem *i) { clicked.push_back(i->Caption()); });
        menu.SetOnPopup([this](TPopupMenu *) { ++popups; });
    }
    void TearDown() override
    {
        if (menu.Window())
            menu.Window()->close();
    }
    void Key(int key, const QString &text = {})
    {
        PressKey(menu.Window(), key, Qt::NoModifier, text);
        QApplication::processEvents();
    }
};

TEST_F(PopupFixture, opensAtThePointOnTheReadingSide)
{
    menu.Popup(100, 50);
    ASSERT_NE(menu.Window(), nullptr);
    EXPECT_EQ(popups, 1);
    EXPECT_EQ(menu.Window()->geometry().topLeft(), QPoint(100, 50));
    EXPECT_EQ(menu.Window()->SelectedRow(), -1);
    menu.Window()->close();

    menu.SetBiDiMode(bdRightToLeft);
    menu.Popup(300, 50);
    EXPECT_EQ(menu.Window()->geometry().right(), 299);
    EXPECT_EQ(popups, 2);
}

TEST_F(PopupFixture, acceleratorsCycleWhenSharedAndActWhenUnique)
{
    menu.Popup(10, 10);
    Key(Qt::Key_unknown, QStringLiteral("в")); // "&Вставить" and "&Выделить" share the letter
    EXPECT_EQ(menu.Window()->SelectedRow(), 2);
    Key(Qt::Key_unknown, QStringLiteral("в"));
    EXPECT_EQ(menu.Window()->SelectedRow(), 4);
    EXPECT_TRUE(clicked.empty());
    Key(Qt::Key_unknown, QStringLiteral("ы"));
    EXPECT_EQ(menu.Window(), nullptr);
    ASSERT_EQ(clicked.size(), 1u);
    EXPECT_EQ(clicked[0], QStringLiteral("В&ырезать"));
}

TEST_F(PopupFixture, escapeAndAPressOutsideCloseWithoutAClick)
{
    menu.Popup(10, 10);
    Key(Qt::Key_Down);
    Key(Qt::Key_Escape);
    EXPECT_EQ(menu.Window(), nullptr);
    menu.Popup(10, 10);
    TPopupMenuWindow *window = menu.Window();
    SendMouse(window, QEvent::MouseButtonPress, QPoint(window->width() + 20, 5));
    QApplication::processEvents();
    EXPECT_EQ(menu.Window(), nullptr);
    EXPECT_TRUE(clicked.empty());
}

TEST_F(PopupFixture, anItemRemovedWhileOpenLeavesNoDanglingRow)
{
    menu.Popup(10, 10);
    ASSERT_EQ(menu.Window()->RowCount(), 5);
    auto removed = menu.Items()->Remove(menu.Items()->Items(0));
    EXPECT_EQ(menu.Window()->RowCount(), 4);
    EXPECT_EQ(menu.Window()->RowItem(0)->Caption(), QStringLiteral("-"));
    menu.Window()->grab();
}

} // namespace
