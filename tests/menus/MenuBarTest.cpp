#include "support/Input.h"

#include "toolkit/app/Application.h"
#include "toolkit/app/MessageBox.h"
#include "toolkit/gdi/Canvas.h"
#include "toolkit/menus/Menu.h"
#include "toolkit/menus/MenuBar.h"
#include "toolkit/menus/MenuOwnerDraw.h"
#include "toolkit/menus/PopupMenuWindow.h"

#include <QApplication>
#include <QLineEdit>
#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>

namespace {

// A window with a bar of three menus and an edit that has the focus.
struct BarFixture : ::testing::Test {
    QWidget form;
    QLineEdit *edit = new QLineEdit(&form);
    TMainMenu menu{&form};
    TMenuItem *file = menu.Items()->Add(QStringLiteral("&Файл"));
    TMenuItem *find = menu.Items()->Add(QStringLiteral("&Поиск"));
    TMenuItem *help = menu.Items()->Add(QStringLiteral("П&омощь"));
    std::vector<QString> clicked;

    void SetUp() override
    {
        for (TMenuItem *top : {file, find, help}) {
            top->Add(top->Caption() + QStringLiteral(" 1"), [this](TMenuItem *i) { clicked.push_back(i->Caption()); });
            top->Add(QStringLiteral("-"));
            top->Add(top->Caption() + QStringLiteral(" 2"), [this](TMenuItem *i) { clicked.push_back(i->Caption()); });
        }
        form.resize(400, 200);
        Bar()->setGeometry(0, 0, 400, TMenuBar::kHeight);
        edit->setGeometry(0, 40, 100, 20);
        form.show();
        edit->setFocus();
        QApplication::setActiveWindow(&form);
    }
    void TearDown() override { Bar()->ExitMenuMode(); }

    TMenuBar *Bar() const { return menu.Bar(); }
    TPopupMenuWindow *Popup() const { return Bar()->OpenPopup(); }
    QWidget *KeyTarget() const
    {
        if (Popup())
            return Popup();
        if (Bar()->InMenuMode())
            return Bar();
        return edit;
    }
    void Key(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier, const QString &text = {})
    {
        PressKey(KeyTarget(), key, modifiers, text);
        QApplication::processEvents();
    }
};

TEST_F(BarFixture, itemsLieSideBySideFromTheReadingEdge)
{
    const QRect a = Bar()->ItemRect(0), b = Bar()->ItemRect(1), c = Bar()->ItemRect(2);
    EXPECT_EQ(a.left(), 0);
    EXPECT_EQ(b.left(), a.right() + 1);
    EXPECT_EQ(c.left(), b.right() + 1);
    EXPECT_EQ(a.height(), TMenuBar::kHeight);

    find->SetVisible(false);
    EXPECT_TRUE(Bar()->ItemRect(1).isEmpty());
    EXPECT_EQ(Bar()->ItemRect(2).left(), a.right() + 1);

    menu.SetBiDiMode(bdRightToLeft);
    EXPECT_EQ(Bar()->ItemRect(0).right(), Bar()->width() - 1);
    EXPECT_EQ(Bar()->ItemRect(2).right(), Bar()->ItemRect(0).left() - 1);
}

TEST_F(BarFixture, altAloneEntersTheBarAndArrowsWalkIt)
{
    Key(Qt::Key_Alt, Qt::AltModifier);
    ASSERT_TRUE(Bar()->InMenuMode());
    EXPECT_EQ(Bar()->SelectedIndex(), 0);
    EXPECT_EQ(Popup(), nullptr);
    Key(Qt::Key_Left);
    EXPECT_EQ(Bar()->SelectedIndex(), 2);
    Key(Qt::Key_Right);
    Key(Qt::Key_Right);
    EXPECT_EQ(Bar()->SelectedIndex(), 1);
    Key(Qt::Key_Escape);
    EXPECT_FALSE(Bar()->InMenuMode());
}

TEST_F(BarFixture, keyboardRoundTripClicksTheChosenItemAfterTheMenuCloses)
{
    Key(Qt::Key_F10);
    Key(Qt::Key_Down);
    ASSERT_NE(Popup(), nullptr);
    EXPECT_EQ(Popup()->SelectedRow(), 0);
    Key(Qt::Key_Down); // the separator is skipped
    EXPECT_EQ(Popup()->SelectedRow(), 2);
    Key(Qt::Key_Right); // no sub-menu: the next bar menu opens
    ASSERT_NE(Popup(), nullptr);
    EXPECT_EQ(Popup()->ParentItem(), find);
    Key(Qt::Key_Escape); // back to the bar, still selected
    EXPECT_EQ(Popup(), nullptr);
    EXPECT_EQ(Bar()->SelectedIndex(), 1);
    Key(Qt::Key_Return);
    Key(Qt::Key_Up); // wraps to the last row
    EXPECT_EQ(Popup()->SelectedRow(), 2);
    Key(Qt::Key_Return);
    EXPECT_FALSE(Bar()->InMenuMode());
    QApplication::processEvents();
    ASSERT_EQ(clicked.size(), 1u);
    EXPECT_EQ(clicked[0], QStringLiteral("&Поиск 2"));
}

TEST_F(BarFixture, altLetterOpensTheMenuWithThatAccelerator)
{
    Key(Qt::Key_O, Qt::AltModifier, QStringLiteral("о"));
    ASSERT_NE(Popup(), nullptr);
    EXPECT_EQ(Popup()->ParentItem(), help);
    EXPECT_EQ(Popup()->SelectedRow(), 0);
}

TEST_F(BarFixture, shortCutsWinOverTheFocusedControl)
{
    TMenuItem *item = help->Items(2);
    item->SetShortCut(QKeySequence(Qt::CTRL | Qt::Key_F));
    edit->setText(QStringLiteral("abc"));
    Key(Qt::Key_F, Qt::ControlModifier, QStringLiteral("\x06"));
    ASSERT_EQ(clicked.size(), 1u);
    EXPECT_EQ(clicked[0], item->Caption());
    Key(Qt::Key_X, Qt::NoModifier, QStringLiteral("x"));
    EXPECT_EQ(edit->text(), QStringLiteral("abcx"));
}

TEST_F(BarFixture, mouseOpensSwitchesAndClosesMenus)
{
    const QPoint onFile = Bar()->ItemRect(0).center();
    const QPoint onFind = Bar()->ItemRect(1).center();
    SendMouse(Bar(), QEvent::MouseButtonPress, onFile);
    ASSERT_NE(Popup(), nullptr);
    EXPECT_EQ(Popup()->ParentItem(), file);
    EXPECT_EQ(Popup()->SelectedRow(), -1);
    // While a menu is open the popup holds the pointer and passes the bar on.
    TPopupMenuWindow *first = Popup();
    SendMouse(first, QEvent::MouseMove, first->mapFromGlobal(Bar()->mapToGlobal(onFind)));
    ASSERT_NE(Popup(), nullptr);
    EXPECT_EQ(Popup()->ParentItem(), find);
    TPopupMenuWindow *second = Popup();
    SendMouse(second, QEvent::MouseButtonPress, second->mapFromGlobal(Bar()->mapToGlobal(onFind)));
    EXPECT_EQ(Popup(), nullptr);
    EXPECT_FALSE(Bar()->InMenuMode());
}

TEST_F(BarFixture, inMenuModeThePointerMovesTheSelectionAndTheKeyboardGoesOnFromThere)
{
    Key(Qt::Key_F10);
    ASSERT_EQ(Bar()->SelectedIndex(), 0);
    MoveMouse(Bar(), Bar()->ItemRect(2).center());
    EXPECT_EQ(Bar()->SelectedIndex(), 2);
    MoveMouse(Bar(), QPoint(Bar()->width() - 2, 5));
    EXPECT_EQ(Bar()->SelectedIndex(), 2) << "off the items the selection stays";
    Key(Qt::Key_Down);
    ASSERT_NE(Popup(), nullptr);
    EXPECT_EQ(Popup()->ParentItem(), help);
}

TEST_F(BarFixture, releaseOverAnItemClicksItButNotADisabledOne)
{
    SendMouse(Bar(), QEvent::MouseButtonPress, Bar()->ItemRect(0).center());
    TPopupMenuWindow *popup = Popup();
    file->Items(2)->SetEnabled(false);
    SendMouse(popup, QEvent::MouseButtonRelease, popup->RowRect(2).center());
    QApplication::processEvents();
    ASSERT_EQ(Popup(), popup);
    SendMouse(popup, QEvent::MouseButtonRelease, popup->RowRect(0).center());
    QApplication::processEvents();
    EXPECT_EQ(Popup(), nullptr);
    ASSERT_EQ(clicked.size(), 1u);
    EXPECT_EQ(clicked[0], QStringLiteral("&Файл 1"));
}

TEST_F(BarFixture, aFailingItemIsReportedInsideItsClickByMouseAndByShortCut)
{
    TMenuItem *failing = file->Add(QStringLiteral("Сбой"), [](TMenuItem *) { throw std::runtime_error("Нет связи"); });
    failing->SetShortCut(QKeySequence(Qt::CTRL | Qt::Key_F));
    TMessageBoxHook boxes(IDOK);
    const int lastResort = Application->LastResortCount();

    SendMouse(Bar(), QEvent::MouseButtonPress, Bar()->ItemRect(0).center());
    SendMouse(Popup(), QEvent::MouseButtonRelease, Popup()->RowRect(3).center());
    QApplication::processEvents();
    Key(Qt::Key_F, Qt::ControlModifier, QStringLiteral("\x06"));

    ASSERT_EQ(boxes.Count(), 2);
    EXPECT_EQ(boxes.Requests()[0].text, QStringLiteral("Нет связи."));
    EXPECT_EQ(Application->LastResortCount(), lastResort) << "nothing unwound through Qt's event delivery";
    EXPECT_FALSE(Bar()->InMenuMode());
}

TEST_F(BarFixture, subMenusOpenBesideTheirItemAndCloseWithLeft)
{
    TMenuItem *more = file->Add(QStringLiteral("More"));
    more->Add(QStringLiteral("Deep"), [this](TMenuItem *i) { clicked.push_back(i->Caption()); });
    Key(Qt::Key_Alt, Qt::AltModifier);
    Key(Qt::Key_Down);
    Key(Qt::Key_Up); // wraps to the last row: "More"
    ASSERT_EQ(Popup()->RowItem(Popup()->SelectedRow()), more);
    Key(Qt::Key_Right);
    TPopupMenuWindow *child = Popup()->ChildPopup();
    ASSERT_NE(child, nullptr);
    EXPECT_EQ(child->SelectedRow(), 0);
    EXPECT_EQ(child->geometry().left(), Popup()->geometry().left() + Popup()->RowRect(3).right() + 1);
    EXPECT_EQ(child->geometry().top(), Popup()->geometry().top() + Popup()->RowRect(3).top() - 3);
    PressKey(child, Qt::Key_Left);
    QApplication::processEvents();
    EXPECT_EQ(Popup()->ChildPopup(), nullptr);
    EXPECT_EQ(Popup()->RowItem(Popup()->SelectedRow()), more);
}

// Owner drawing: handlers run only while the menu is owner-drawn, measure
// on top of the standard size and draw on a canvas over the whole bar.
TEST_F(BarFixture, ownerDrawHandlersMeasureAndPaintBarItems)
{
    int measured = 0;
    std::vector<std::pair<TRect, bool>> drawn;
    for (TMenuItem *top : {file, find, help}) {
        top->SetOnMeasureItem([&](TMenuItem *, TCanvas &, int &width, int &height) {
            ++measured;
            EXPECT_GT(width, 0);
            EXPECT_GT(height, 0);
            width = 50;
        });
        top->SetOnDrawItem([&](TMenuItem *, TCanvas &canvas, const TRect &rect, bool selected) {
            drawn.push_back({rect, selected});
            canvas.Brush().SetColor(clFuchsia);
            canvas.FillRect(rect);
        });
    }
    EXPECT_EQ(measured, 0);
    const int standardWidth = Bar()->ItemRect(0).width();
    EXPECT_NE(standardWidth, 50);
    Bar()->grab();
    EXPECT_TRUE(drawn.empty());

    // Measured once each, when the bar's layout is next asked for.
    menu.SetOwnerDraw(true);
    EXPECT_EQ(Bar()->ItemRect(1), QRect(50, 0, 50, TMenuBar::kHeight));
    EXPECT_EQ(measured, 3);
    Bar()->EnterMenuMode();
    Bar()->SelectNeighbour(1, false);
    const QImage shot = Bar()->grab().toImage();
    ASSERT_EQ(drawn.size(), 3u);
    EXPECT_EQ(drawn[1].first, TRect(50, 0, 100, TMenuBar::kHeight));
    EXPECT_FALSE(drawn[0].second);
    EXPECT_TRUE(drawn[1].second);
    EXPECT_EQ(shot.pixelColor(149, TMenuBar::kHeight - 1), QColor(255, 0, 255));
    EXPECT_NE(shot.pixelColor(150, 0), QColor(255, 0, 255));
}

TEST_F(BarFixture, ownerDrawnPopupItemsGetTheirRowAndMayPaintIntoTheFrame)
{
    std::vector<TRect> rects;
    file->Items(0)->SetOnDrawItem([&](TMenuItem *, TCanvas &canvas, const TRect &rect, bool) {
        rects.push_back(rect);
        canvas.Brush().SetColor(clFuchsia);
        canvas.FillRect(TRect(rect.Left - 4, rect.Top, rect.Right, rect.Bottom));
    });
    menu.SetOwnerDraw(true);
    Bar()->OpenItem(0, false);
    const QImage shot = Popup()->grab().toImage();
    ASSERT_FALSE(rects.empty());
    const QRect row = Popup()->RowRect(0);
    EXPECT_EQ(rects.back(), TRect(row.left(), row.top(), row.right() + 1, row.bottom() + 1));
    EXPECT_EQ(shot.pixelColor(0, row.top()), QColor(255, 0, 255));
    EXPECT_NE(shot.pixelColor(row.left(), row.bottom() + 1), QColor(255, 0, 255));
}

TEST_F(BarFixture, anOwnerDrawnItemWithSubItemsGetsTheArrowOverItsDrawing)
{
    TMenuItem *item = file->Items(0);
    item->Add(QStringLiteral("Ещё"));
    item->SetOnDrawItem([](TMenuItem *, TCanvas &canvas, const TRect &rect, bool) {
        canvas.Brush().SetColor(clFuchsia);
        canvas.FillRect(rect);
    });
    menu.SetOwnerDraw(true);
    Bar()->OpenItem(0, false);
    const QImage shot = Popup()->grab().toImage();
    const QRect row = Popup()->RowRect(0);
    int arrowPixels = 0;
    for (int x = row.right() - 15; x <= row.right(); ++x)
        for (int y = row.top(); y <= row.bottom(); ++y)
            arrowPixels += shot.pixelColor(x, y) != QColor(255, 0, 255);
    EXPECT_EQ(arrowPixels, 16) << "a triangle 4 wide and 7 high";
}

} // namespace

namespace {

// What a skin needs while it draws: the window under the surface, and where
// an item is on the screen.
TEST_F(BarFixture, ownerDrawReportsTheWindowBeingDrawnAndItemsCanBeFound)
{
    std::vector<QWidget *> windows;
    const auto note = [&](TMenuItem *, TCanvas &, const TRect &, bool) {
        windows.push_back(TMenuOwnerDraw::DrawingWindow());
    };
    file->SetOnDrawItem(note);
    file->Items(0)->SetOnDrawItem(note);
    menu.SetOwnerDraw(true);
    Bar()->grab();
    Bar()->OpenItem(0, false);
    Popup()->grab();
    ASSERT_EQ(windows.size(), 2u);
    EXPECT_EQ(windows[0], Bar());
    EXPECT_EQ(windows[1], Popup());
    EXPECT_EQ(TMenuOwnerDraw::DrawingWindow(), nullptr);

    EXPECT_EQ(TPopupMenuWindow::WindowShowing(file->Items(2)), Popup());
    EXPECT_EQ(TPopupMenuWindow::ItemScreenRect(file->Items(2)),
              QRect(Popup()->mapToGlobal(Popup()->RowRect(2).topLeft()), Popup()->RowRect(2).size()));
    EXPECT_TRUE(TPopupMenuWindow::ItemScreenRect(find->Items(0)).isEmpty());
}

} // namespace

// An owner-drawn item may look at the pointer when it draws (a hot look), so
// the bar draws its items again when the pointer leaves the item that was
// under it, even when no item of its own was hot, as after a menu closed
// under the pointer.
TEST_F(BarFixture, ownerDrawnItemsAreDrawnAgainWhenThePointerLeavesTheItemUnderIt)
{
    const QPoint overFind = Bar()->mapToGlobal(Bar()->ItemRect(1).center());
    QCursor::setPos(overFind);
    if (QCursor::pos() != overFind)
        GTEST_SKIP() << "the platform cannot place the pointer";
    int drawn = 0;
    for (TMenuItem *top : {file, find, help})
        top->SetOnDrawItem([&](TMenuItem *, TCanvas &, const TRect &, bool) { ++drawn; });
    menu.SetOwnerDraw(true);
    const auto closeMenuUnderPointer = [&] {
        Bar()->OpenItem(1, false);
        QApplication::processEvents();
        Bar()->ExitMenuMode();
        QApplication::processEvents();
        drawn = 0;
    };

    closeMenuUnderPointer();
    MoveMouse(Bar(), QPoint(Bar()->width() - 2, 5));
    QApplication::processEvents();
    EXPECT_EQ(drawn, 3) << "moved off the items within the bar";

    closeMenuUnderPointer();
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(Bar(), &leave);
    QApplication::processEvents();
    EXPECT_EQ(drawn, 3) << "left the bar";
}
