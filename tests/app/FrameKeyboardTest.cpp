#include "support/Input.h"

#include "toolkit/app/Application.h"
#include "toolkit/app/Form.h"
#include "toolkit/app/SystemMenu.h"
#include "toolkit/menus/Menu.h"
#include "toolkit/menus/MenuItem.h"
#include "toolkit/menus/PopupMenuWindow.h"

#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>
#include <set>

namespace {

// A form with an edit that has the keyboard, as the program's forms have.
struct KeyedForm {
    explicit KeyedForm(TFormBorderStyle style = bsSizeable, QPoint at = {60, 60})
    {
        form.SetBorderStyle(style);
        form.SetBounds(at.x(), at.y(), 300, 200);
        edit = new QLineEdit(form.ClientArea());
    }
    bool ShowActive()
    {
        form.Show();
        edit->setFocus();
        return QTest::qWaitForWindowActive(&form);
    }
    TForm form;
    QLineEdit *edit = nullptr;
};

TEST(FrameKeyboard, altF4ClosesTheFormThroughItsOrdinaryClosing)
{
    KeyedForm window;
    ASSERT_TRUE(window.ShowActive());
    int asked = 0;
    QObject::connect(&window.form, &TForm::Closing, [&](TCloseAction &) { ++asked; });
    QTest::keyClick(window.edit, Qt::Key_F4, Qt::AltModifier);
    EXPECT_EQ(asked, 1);
    EXPECT_FALSE(window.form.isVisible());
    EXPECT_TRUE(window.edit->text().isEmpty());
}

struct MenuLine {
    QString caption;
    bool enabled;
};

std::vector<MenuLine> Lines(TPopupMenu &menu)
{
    std::vector<MenuLine> lines;
    for (int i = 0; i < menu.Items()->Count(); ++i) {
        const TMenuItem *item = menu.Items()->Items(i);
        if (!item->IsLine())
            lines.push_back({item->Caption(), item->Enabled()});
    }
    return lines;
}

bool operator==(const MenuLine &a, const MenuLine &b)
{
    return a.caption == b.caption && a.enabled == b.enabled;
}

TEST(FrameKeyboard, altSpaceOpensTheSystemMenuAsTheFrameAllows)
{
    KeyedForm sizeable;
    ASSERT_TRUE(sizeable.ShowActive());
    QTest::keyClick(sizeable.edit, Qt::Key_Space, Qt::AltModifier);
    TPopupMenu &menu = SystemMenu::MenuOf(sizeable.form);
    ASSERT_NE(menu.Window(), nullptr);
    EXPECT_TRUE(menu.Window()->isVisible());
    const std::vector<MenuLine> normal = {{"&Восстановить", false}, {"&Переместить", true}, {"&Размер", true},
                                          {"&Свернуть", true},      {"Р&азвернуть", true},  {"&Закрыть", true}};
    EXPECT_EQ(Lines(menu), normal);
    EXPECT_EQ(menu.Items()->Items(menu.Items()->Count() - 1)->ShortCutText(), QStringLiteral("Alt+F4"));
    EXPECT_TRUE(sizeable.edit->text().isEmpty());
    menu.Window()->close();

    sizeable.form.Maximize();
    SystemMenu::Open(sizeable.form);
    const std::vector<MenuLine> maximized = {{"&Восстановить", true}, {"&Переместить", false}, {"&Размер", false},
                                             {"&Свернуть", true},     {"Р&азвернуть", false},  {"&Закрыть", true}};
    EXPECT_EQ(Lines(menu), maximized);
    menu.Window()->close();

    KeyedForm dialog(bsDialog);
    SystemMenu::Open(dialog.form);
    const std::vector<MenuLine> dialogLines = {{"&Переместить", true}, {"&Закрыть", true}};
    EXPECT_EQ(Lines(SystemMenu::MenuOf(dialog.form)), dialogLines);
    SystemMenu::MenuOf(dialog.form).Window()->close();
}

TEST(FrameKeyboard, arrowKeysMoveAndSizeTheFormEnterKeepsAndEscapePutsBack)
{
    KeyedForm window;
    ASSERT_TRUE(window.ShowActive());
    const QRect start = window.form.geometry();
    const int step = SystemMenu::kKeyboardStep;

    SystemMenu::TrackMove(window.form);
    QTest::keyClick(window.edit, Qt::Key_Right);
    QTest::keyClick(window.edit, Qt::Key_Right);
    QTest::keyClick(window.edit, Qt::Key_Up);
    QTest::keyClick(window.edit, Qt::Key_Return);
    EXPECT_EQ(window.form.geometry(), start.translated(2 * step, -step));
    EXPECT_TRUE(window.edit->text().isEmpty()) << "the keys went to the tracking alone";

    const QRect moved = window.form.geometry();
    SystemMenu::TrackSize(window.form);
    QTest::keyClick(window.edit, Qt::Key_Down);
    QTest::keyClick(window.edit, Qt::Key_Left);
    EXPECT_EQ(window.form.size(), moved.size() + QSize(-step, step));
    QTest::keyClick(window.edit, Qt::Key_Escape);
    EXPECT_EQ(window.form.geometry(), moved);

    QTest::keyClick(window.edit, Qt::Key_A);
    EXPECT_EQ(window.edit->text(), QStringLiteral("a")) << "the tracking has ended";
}

// "Размер" and "Развернуть" begin with the same letter: the access keys
// keep them apart as the platform's Russian menu does, and a Cyrillic key
// reaches its item.
TEST(FrameKeyboard, russianAccessKeysOfTheSystemMenuAreDistinctAndChooseTheirItems)
{
    KeyedForm window;
    ASSERT_TRUE(window.ShowActive());
    SystemMenu::Open(window.form);
    TPopupMenu &menu = SystemMenu::MenuOf(window.form);
    ASSERT_NE(menu.Window(), nullptr);
    std::set<QChar> keys;
    int commands = 0;
    for (int i = 0; i < menu.Items()->Count(); ++i) {
        if (menu.Items()->Items(i)->IsLine())
            continue;
        ++commands;
        keys.insert(menu.Items()->Items(i)->Accelerator());
    }
    EXPECT_EQ(int(keys.size()), commands);

    const QSize before = window.form.size();
    PressKey(menu.Window(), 0x0440, Qt::NoModifier, QStringLiteral("р"));
    QApplication::processEvents();
    EXPECT_FALSE(window.form.Maximized());
    QTest::keyClick(window.edit, Qt::Key_Down);
    QTest::keyClick(window.edit, Qt::Key_Return);
    EXPECT_EQ(window.form.size(), before + QSize(0, SystemMenu::kKeyboardStep)) << "\"р\" chose the size";
}

// Without a window manager nobody hands the keyboard on when a window goes.
TEST(FrameKeyboard, keyboardGoesBackToTheFormThatHadItWhenTheNextOneWasShown)
{
    KeyedForm main;
    KeyedForm dialog(bsDialog, {90, 90});
    KeyedForm results(bsSizeable, {120, 120});
    ASSERT_TRUE(main.ShowActive());
    ASSERT_TRUE(dialog.ShowActive());

    dialog.form.Hide();
    EXPECT_TRUE(QTest::qWaitForWindowActive(&main.form));
    EXPECT_EQ(QApplication::focusWidget(), main.edit);

    // The dialog opened the results and went; the results hand the keyboard
    // on past it.
    ASSERT_TRUE(dialog.ShowActive());
    ASSERT_TRUE(results.ShowActive());
    dialog.form.Hide();
    EXPECT_EQ(QApplication::activeWindow(), &results.form) << "a form without the keyboard takes nothing";
    results.form.Hide();
    EXPECT_TRUE(QTest::qWaitForWindowActive(&main.form));
}

// The opener that the hidden form knew is gone from the screen: the
// application's main form takes the keyboard.
TEST(FrameKeyboard, keyboardFallsBackToTheMainFormWhenNoOpenerCanTakeIt)
{
    Application->Restart();
    TForm *main = Application->CreateForm<TForm>();
    main->SetBounds(30, 30, 300, 200);
    KeyedForm opener;
    KeyedForm dialog(bsDialog, {90, 90});
    ASSERT_TRUE(opener.ShowActive());
    ASSERT_TRUE(dialog.ShowActive());
    opener.form.Hide();
    EXPECT_EQ(QApplication::activeWindow(), &dialog.form);
    main->Show();
    main->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(main));
    dialog.form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog.form));

    dialog.form.Hide();
    EXPECT_TRUE(QTest::qWaitForWindowActive(main));
    Application->Restart();
}

} // namespace
