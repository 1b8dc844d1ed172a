#include "flatbtn/FlatBtnFixture.h"
#include "toolkit/app/Application.h"
#include "toolkit/app/Form.h"
#include "toolkit/app/MessageBox.h"
#include "toolkit/menus/PopupMenuWindow.h"

#include <QAccessible>
#include <QApplication>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>

namespace {

TEST_F(FlatGlyphButtonTest, layoutSetsSettingsByName)
{
    button->setProperty("Caption", QStringLiteral("Отмена"));
    button->setProperty("InactiveColor", QVariant(int(clBtnFace)));
    button->setProperty("AutoHeight", true);
    EXPECT_EQ(button->Caption(), QStringLiteral("Отмена"));
    EXPECT_EQ(button->InactiveColor(), clBtnFace);
    EXPECT_TRUE(button->AutoHeight());
}

TEST_F(FlatGlyphButtonTest, compactTypesNeverKeepTheGlyphBesideTheCaption)
{
    button->SetControlType(bsUpButton);
    EXPECT_EQ(button->Position(), bsTop);
    EXPECT_TRUE(button->ShowGlyph());

    button->SetControlType(bsRadioButton);
    button->SetPosition(bsRight);
    EXPECT_EQ(button->Position(), bsTop);
    button->SetPosition(bsBottom);
    EXPECT_EQ(button->Position(), bsBottom);

    button->SetControlType(bsButton);
    EXPECT_FALSE(button->ShowGlyph()) << "a cut-corner push button hides its glyph";
}

TEST_F(FlatGlyphButtonTest, changingTheLookResetsTheColours)
{
    useOutlineColours();
    button->SetCutCornerLook(false);
    EXPECT_EQ(button->ActiveColor(), clGray);
    EXPECT_EQ(button->ActiveOutlineColor(), clWhite);
    EXPECT_EQ(button->InactiveColor(), clSilver);
    EXPECT_EQ(button->Color(), RGB(255, 255, 225));
    EXPECT_TRUE(button->ShowGlyph());
    EXPECT_EQ(button->ActiveOutlineColor2(), kOutline2) << "kept when turning the look off";

    button->SetCutCornerLook(true);
    EXPECT_EQ(button->ActiveOutlineColor2(), RGB(231, 231, 214));
    EXPECT_EQ(button->Color(), RGB(255, 255, 204));
    EXPECT_FALSE(button->ShowGlyph());
}

TEST_F(FlatGlyphButtonTest, aboutShowsTheVersionAndStaysNone)
{
    TMessageBoxHook boxes;
    button->SetAbout(abAbout);
    ASSERT_EQ(boxes.Count(), 1);
    EXPECT_EQ(boxes.Requests()[0].text, QStringLiteral("TFlatGlyphButton Component v1.91"));
    EXPECT_EQ(boxes.Requests()[0].icon, TMsgIcon::Information);
    EXPECT_EQ(button->About(), abNone);
}

TEST_F(FlatGlyphButtonTest, pointerEntersAndLeaves)
{
    int entered = 0, exited = 0;
    QObject::connect(button, &TFlatGlyphButton::MouseEntered, [&] { ++entered; });
    QObject::connect(button, &TFlatGlyphButton::MouseExited, [&] { ++exited; });
    move(inside);
    EXPECT_EQ(button->MouseState(), State::Hot);
    move(inside + QPoint(1, 1));
    move(outside);
    EXPECT_EQ(button->MouseState(), State::Normal);
    EXPECT_EQ(entered, 1);
    EXPECT_EQ(exited, 1);
}

TEST_F(FlatGlyphButtonTest, pressLeaveReturnAndReleaseClicksWhilePressed)
{
    int clicks = 0;
    State stateDuringClick = State::Normal;
    QObject::connect(button, &TFlatGlyphButton::Clicked, [&] {
        ++clicks;
        stateDuringClick = button->MouseState();
    });
    move(inside);
    press(inside);
    EXPECT_TRUE(button->hasFocus());
    EXPECT_EQ(button->MouseState(), State::Pressed);
    move(outside, Qt::LeftButton);
    EXPECT_EQ(button->MouseState(), State::PressedAway);
    move(inside, Qt::LeftButton);
    EXPECT_EQ(button->MouseState(), State::Pressed);
    release(inside);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(stateDuringClick, State::Pressed);
    EXPECT_EQ(button->MouseState(), State::Hot);

    button->SetModalResult(mrOk);
    press(inside);
    release(inside);
    EXPECT_EQ(button->MouseState(), State::Normal) << "a button with a modal result lets the mouse go";
}

TEST_F(FlatGlyphButtonTest, aFailingClickHandlerIsReportedAndTheButtonReturnsToRest)
{
    QObject::connect(button, &TFlatGlyphButton::Clicked, [] { throw std::runtime_error("Нет связи"); });
    TMessageBoxHook boxes(IDOK);
    const int lastResort = Application->LastResortCount();
    move(inside);
    press(inside);
    release(inside);
    ASSERT_EQ(boxes.Count(), 1);
    EXPECT_EQ(boxes.Requests()[0].text, QStringLiteral("Нет связи."));
    EXPECT_EQ(Application->LastResortCount(), lastResort);
    EXPECT_EQ(button->MouseState(), State::Hot) << "not left looking pressed";
}

TEST_F(FlatGlyphButtonTest, releaseElsewhereNeitherClicksNorReportsExit)
{
    int clicks = 0, exited = 0;
    QObject::connect(button, &TFlatGlyphButton::Clicked, [&] { ++clicks; });
    QObject::connect(button, &TFlatGlyphButton::MouseExited, [&] { ++exited; });
    move(inside);
    press(inside);
    move(outside, Qt::LeftButton);
    release(outside);
    EXPECT_EQ(clicks, 0);
    EXPECT_EQ(exited, 0);
    EXPECT_EQ(button->MouseState(), State::Normal);
}

TEST_F(FlatGlyphButtonTest, disabledControlOnTopHidesThePartOfTheButtonBelow)
{
    auto *cover = new QWidget(host.get());
    cover->setGeometry(40, 10, 40, 23);
    cover->setEnabled(false);
    cover->show();
    move(inside);
    ASSERT_EQ(button->MouseState(), State::Hot);
    move({45, 10});
    EXPECT_EQ(button->MouseState(), State::Normal);
}

TEST_F(FlatGlyphButtonTest, losingTheFocusEndsTheHotStateAndItsGrab)
{
    button->setFocus();
    move(inside);
    ASSERT_EQ(QWidget::mouseGrabber(), button);
    other->setFocus();
    EXPECT_EQ(button->MouseState(), State::Normal);
    EXPECT_EQ(QWidget::mouseGrabber(), nullptr);
}

// The button's menu is the program's own, which the skin draws; it opens
// where the context menu was asked for.
TEST_F(FlatGlyphButtonTest, theContextMenuOpensTheButtonsPopupMenu)
{
    TPopupMenu menu(button);
    menu.Items()->Add(QStringLiteral("Копировать"));
    button->SetPopupMenu(&menu);
    const QPoint at = button->mapToGlobal(QPoint(5, 5));
    QContextMenuEvent request(QContextMenuEvent::Mouse, QPoint(5, 5), at);
    QApplication::sendEvent(button, &request);
    ASSERT_NE(menu.Window(), nullptr);
    EXPECT_EQ(menu.Window()->pos(), at);
    menu.Window()->close();
}

TEST_F(FlatGlyphButtonTest, aPopupMenuThatWentIsNoLongerOpened)
{
    auto menu = std::make_unique<TPopupMenu>(button);
    button->SetPopupMenu(menu.get());
    menu.reset();
    EXPECT_EQ(button->PopupMenu(), nullptr);
    QContextMenuEvent request(QContextMenuEvent::Mouse, QPoint(5, 5), button->mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(button, &request);
}

TEST_F(FlatGlyphButtonTest, hidingTheWindowLetsTheMouseGo)
{
    move(inside);
    ASSERT_EQ(QWidget::mouseGrabber(), button);
    host->hide();
    EXPECT_EQ(QWidget::mouseGrabber(), nullptr);
}

TEST_F(FlatGlyphButtonTest, enterClicksTheFocusedButtonAndTheDefaultOneUntilItLosesFocus)
{
    int clicks = 0;
    QObject::connect(button, &TFlatGlyphButton::Clicked, [&] { ++clicks; });
    other->setFocus();
    key(Qt::Key_Return);
    EXPECT_EQ(clicks, 0);

    button->setFocus();
    key(Qt::Key_Return);
    EXPECT_EQ(clicks, 1) << "focus makes any button act as default";
    key(Qt::Key_Return, Qt::ShiftModifier);
    key(Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "));
    key(Qt::Key_Escape);
    EXPECT_EQ(clicks, 1);

    button->SetCancel(true);
    other->setFocus();
    key(Qt::Key_Escape);
    EXPECT_EQ(clicks, 2);
}

TEST(FlatGlyphButtonDefault, actsAsDefaultFromCreationUntilFirstFocusLoss)
{
    QWidget host;
    auto *edit = new QWidget(&host);
    edit->setFocusPolicy(Qt::StrongFocus);
    auto *button = new TFlatGlyphButton(&host);
    button->SetDefault(true);
    host.show();
    QApplication::setActiveWindow(&host);
    edit->setFocus();
    ASSERT_FALSE(button->hasFocus());
    EXPECT_TRUE(button->ActingAsDefault());

    button->setFocus();
    edit->setFocus();
    EXPECT_FALSE(button->ActingAsDefault());
    int clicks = 0;
    QObject::connect(button, &TFlatGlyphButton::Clicked, [&] { ++clicks; });
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QApplication::sendEvent(edit, &enter);
    EXPECT_EQ(clicks, 0);
}

TEST_F(FlatGlyphButtonTest, acceleratorClicksWhenFocusedOrWithAlt)
{
    int clicks = 0;
    QObject::connect(button, &TFlatGlyphButton::Clicked, [&] { ++clicks; });
    button->SetCaption(QStringLiteral("&Найти"));
    other->setFocus();
    key(0, Qt::NoModifier, QStringLiteral("н"));
    EXPECT_EQ(clicks, 0);
    key(0, Qt::AltModifier, QStringLiteral("Н"));
    EXPECT_EQ(clicks, 1);
    button->setFocus();
    key(0, Qt::NoModifier, QStringLiteral("н"));
    EXPECT_EQ(clicks, 2);
}

TEST_F(FlatGlyphButtonTest, keyboardClickPaintsThePressedLookBeforeClicked)
{
    useOutlineColours();
    button->setFocus();
    QApplication::processEvents();
    struct PaintSpy : QObject {
        TFlatGlyphButton *button;
        bool pressedPainted = false;
        bool eventFilter(QObject *, QEvent *e) override
        {
            if (e->type() == QEvent::Paint && button->MouseState() == State::Pressed)
                pressedPainted = true;
            return false;
        }
    } spy;
    spy.button = button;
    button->installEventFilter(&spy);
    bool pressedBeforeClick = false;
    QObject::connect(button, &TFlatGlyphButton::Clicked, [&] { pressedBeforeClick = spy.pressedPainted; });
    key(Qt::Key_Return);
    EXPECT_TRUE(pressedBeforeClick);
    EXPECT_EQ(button->MouseState(), State::Normal);
}

// A control that, on losing the focus, asks the button for a click the way
// assistive technology does.
struct ClickingOnFocusLoss : QWidget {
    using QWidget::QWidget;
    TFlatGlyphButton *button = nullptr;
    void focusOutEvent(QFocusEvent *) override { button->CommandClick(); }
};

TEST_F(FlatGlyphButtonTest, commandClicksAreDroppedWhileAPressTakesTheFocus)
{
    int clicks = 0;
    QObject::connect(button, &TFlatGlyphButton::Clicked, [&] { ++clicks; });
    auto *edit = new ClickingOnFocusLoss(host.get());
    edit->button = button;
    edit->setFocusPolicy(Qt::StrongFocus);
    edit->show();
    edit->setFocus();
    press(inside);
    EXPECT_EQ(clicks, 0);
    release(outside);

    QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(button);
    ASSERT_NE(accessible, nullptr);
    accessible->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_EQ(clicks, 1);
}

TEST(FlatGlyphButtonOnForm, escapeClicksTheCancelButtonWhichHandsItsModalResultToTheForm)
{
    TForm form;
    auto *edit = new QWidget(form.ClientArea());
    edit->setFocusPolicy(Qt::StrongFocus);
    auto *cancel = new TFlatGlyphButton(form.ClientArea());
    cancel->SetCancel(true);
    cancel->SetModalResult(mrCancel);
    int clicks = 0;
    QObject::connect(cancel, &TFlatGlyphButton::Clicked, [&] { ++clicks; });
    form.Show();
    QApplication::setActiveWindow(&form);
    edit->setFocus();

    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(edit, &escape);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(form.ModalResult(), mrCancel);
}

TEST_F(FlatGlyphButtonTest, autoHeightFitsCaptionAndSideGlyph)
{
    button->resize(73, 26);
    TBitmap glyph(16, 16);
    button->SetUseCustomGlyphs(true);
    button->SetInactiveGlyph(glyph);
    button->SetShowGlyph(true);
    button->SetCaption(QStringLiteral("Отмена"));
    button->SetAutoHeight(true);
    TBitmap measure(1, 1);
    measure.Canvas().SetFont(button->Font());
    const int textHeight = measure.Canvas().TextHeight(QStringLiteral("Отмена"));
    EXPECT_EQ(button->height(), std::max(textHeight, 16) + 10);
    button->SetPosition(bsTop);
    EXPECT_EQ(button->height(), textHeight + 16 + 4 + 10);
}

} // namespace
