#include "toolkit/app/Form.h"
#include "toolkit/app/Application.h"
#include "toolkit/app/SystemMenu.h"
#include "toolkit/controls/StatusBar.h"
#include "toolkit/gdi/Canvas.h"
#include "toolkit/menus/MenuItem.h"
#include "toolkit/menus/PopupMenu.h"
#include "toolkit/menus/PopupMenuWindow.h"

#include "ui_TestLayout.h"

#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

constexpr TColor kFrameBlue = RGB(0, 0, 255);
constexpr int kFramePenWidth = 3;

class LayoutForm : public TForm
{
    Q_OBJECT

public:
    LayoutForm() { LoadLayout(ui); }

    Ui::TestForm ui;
    QStringList events;
    TCloseAction closeAction = caHide;
    QChar replacement;

private slots:
    void FormCreate() { events << QStringLiteral("create"); }
    void FormShow() { events << QStringLiteral("show"); }
    void FormClose(TCloseAction &action)
    {
        events << QStringLiteral("close");
        action = closeAction;
    }
    void FormKeyPress(QChar &key)
    {
        events << QStringLiteral("key ") + key;
        if (replacement != QChar(0xFFFF))
            key = replacement;
    }
    void on_Button1_clicked() { events << QStringLiteral("click"); }
    void WMNCPaint(TCanvas &canvas)
    {
        canvas.Pen().SetColor(kFrameBlue);
        canvas.Pen().SetWidth(kFramePenWidth);
        canvas.Brush().SetStyle(bsClear);
        canvas.Rectangle(0, 0, width(), height());
    }
};

class FormTest : public ::testing::Test
{
protected:
    void SetUp() override { form.replacement = QChar(0xFFFF); }
    void ShowActive()
    {
        form.Show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
        form.ui.Edit1->setFocus();
    }
    LayoutForm form;
};

TEST_F(FormTest, layoutGivesCaptionFrameGeometryAndSettings)
{
    EXPECT_EQ(form.Caption(), QStringLiteral("Тест"));
    EXPECT_EQ(form.BorderStyle(), bsDialog);
    EXPECT_EQ(form.size(), QSize(206, 125));
    EXPECT_EQ(form.pos(), QPoint(30, 40));
    EXPECT_EQ(form.ClientSize(), QSize(200, 100));
    EXPECT_EQ(form.ClientArea()->geometry(), QRect(3, 22, 200, 100));
    EXPECT_TRUE(form.KeyPreview());
    EXPECT_TRUE(form.ShowHint());
    EXPECT_EQ(form.FormStyle(), fsStayOnTop);
    EXPECT_TRUE(form.windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_TRUE(form.windowFlags() & Qt::FramelessWindowHint);

    // Controls keep their client coordinates inside the client area.
    EXPECT_EQ(form.ui.Edit1->parentWidget(), form.ClientArea());
    EXPECT_EQ(form.ui.Edit1->geometry(), QRect(10, 10, 100, 21));
}

TEST_F(FormTest, handlersAreBoundByName)
{
    form.DoCreate();
    form.DoCreate();
    form.Show();
    QTest::mouseClick(form.ui.Button1, Qt::LeftButton);
    EXPECT_EQ(form.events, (QStringList{"create", "show", "click"}));
}

TEST_F(FormTest, nonClientHookPaintsOverTheDefaultFrame)
{
    const QImage image = form.RenderNonClient();
    const QRgb blue = ToQColor(kFrameBlue).rgb();
    EXPECT_EQ(image.pixel(0, 60), blue);
    EXPECT_EQ(image.pixel(1, 60), blue);
    EXPECT_EQ(image.pixel(form.width() - 1, 60), blue);
    EXPECT_EQ(image.pixel(100, form.height() - 1), blue);
    EXPECT_EQ(image.pixel(100, 0), blue);
    // The caption bar inside the outline keeps its own colours (the form is
    // not shown, hence inactive).
    EXPECT_EQ(image.pixel(3, 20), ToQColor(clInactiveCaption).rgb());
}

TEST_F(FormTest, keyPreviewSeesKeysBeforeTheFocusedControl)
{
    ShowActive();
    QTest::keyClick(form.ui.Edit1, Qt::Key_A);
    EXPECT_EQ(form.ui.Edit1->text(), QStringLiteral("a"));
    EXPECT_EQ(form.events.last(), QStringLiteral("key a"));

    QTest::keyClick(form.ui.Edit1, Qt::Key_Return);
    EXPECT_EQ(form.events.last(), QStringLiteral("key \r"));

    form.replacement = QChar();
    QTest::keyClick(form.ui.Edit1, Qt::Key_B);
    EXPECT_EQ(form.ui.Edit1->text(), QStringLiteral("a"));

    form.replacement = QLatin1Char('z');
    QTest::keyClick(form.ui.Edit1, Qt::Key_C);
    EXPECT_EQ(form.ui.Edit1->text(), QStringLiteral("az"));
}

TEST_F(FormTest, withoutKeyPreviewTheFormDoesNotSeeItsControlsKeys)
{
    form.SetKeyPreview(false);
    ShowActive();
    form.events.clear();
    QTest::keyClick(form.ui.Edit1, Qt::Key_A);
    EXPECT_EQ(form.ui.Edit1->text(), QStringLiteral("a"));
    EXPECT_TRUE(form.events.isEmpty());
}

TEST_F(FormTest, closeHidesASecondaryFormUnlessTheHandlerRefuses)
{
    form.Show();
    form.closeAction = caNone;
    form.Close();
    EXPECT_TRUE(form.isVisible());
    form.closeAction = caHide;
    form.Close();
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(form.events.count(QStringLiteral("close")), 2);
}

TEST_F(FormTest, theCloseBoxClosesOnlyWhenReleasedOverIt)
{
    form.Show();
    const QRect box = form.FrameLayout().closeBox;
    QTest::mousePress(&form, Qt::LeftButton, {}, box.center());
    QMouseEvent away(QEvent::MouseMove, QPointF(box.center() + QPoint(0, 40)), QPointF(form.mapToGlobal(box.center())),
                     Qt::NoButton, Qt::LeftButton, {});
    QApplication::sendEvent(&form, &away);
    QTest::mouseRelease(&form, Qt::LeftButton, {}, box.center() + QPoint(0, 40));
    EXPECT_TRUE(form.isVisible());

    QTest::mouseClick(&form, Qt::LeftButton, {}, box.center());
    EXPECT_FALSE(form.isVisible());
}

TEST_F(FormTest, showModalReturnsTheModalResult)
{
    QTimer::singleShot(0, &form, [this] { form.SetModalResult(mrOk); });
    EXPECT_EQ(form.ShowModal(), mrOk);
    EXPECT_FALSE(form.isVisible());
    EXPECT_FALSE(form.Modal());

    QTimer::singleShot(0, &form, [this] { form.Close(); });
    EXPECT_EQ(form.ShowModal(), mrCancel);

    QTimer::singleShot(0, &form, [this] { form.Hide(); });
    EXPECT_EQ(form.ShowModal(), mrCancel);
}

TEST_F(FormTest, aModalFormWhoseHandlerRefusesToCloseStaysOpen)
{
    bool stillOpen = false;
    QTimer::singleShot(0, &form, [&] {
        form.closeAction = caNone;
        form.SetModalResult(mrOk);
        stillOpen = form.isVisible() && form.ModalResult() == mrNone;
        form.closeAction = caHide;
        form.SetModalResult(mrYes);
    });
    EXPECT_EQ(form.ShowModal(), mrYes);
    EXPECT_TRUE(stillOpen);
}

TEST_F(FormTest, aVisibleFormCannotBecomeModal)
{
    form.Show();
    EXPECT_THROW(form.ShowModal(), std::logic_error);
}

TEST(FormPlacement, screenCentreOverridesTheStoredPositionOnTheFirstShowOnly)
{
    TForm form;
    form.SetPosition(poScreenCenter);
    form.SetBounds(59, 106, 300, 200);
    form.Show();
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    EXPECT_EQ(form.pos(), QPoint((screen.width() - 300) / 2, (screen.height() - 200) / 2));

    form.Hide();
    form.move(10, 20);
    form.Show();
    EXPECT_EQ(form.pos(), QPoint(10, 20));

    TForm designed;
    designed.SetBounds(85, 150, 300, 200);
    designed.Show();
    EXPECT_EQ(designed.pos(), QPoint(85, 150));
}

TEST(FormPlacement, everyShowKeepsTheCaptionInsideTheAvailableArea)
{
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    const int tooWide = area.width() + 100;

    TForm sizeable;
    sizeable.SetPosition(poScreenCenter);
    sizeable.SetBounds(0, 0, tooWide, 300);
    sizeable.Show();
    EXPECT_EQ(sizeable.geometry(), QRect(area.left(), sizeable.y(), area.width(), 300));
    EXPECT_EQ(sizeable.ClientArea()->geometry(), sizeable.FrameLayout().client);

    TForm dialog;
    dialog.SetBorderStyle(bsDialog);
    dialog.SetPosition(poScreenCenter);
    dialog.SetBounds(0, 0, tooWide, 200);
    dialog.Show();
    EXPECT_EQ(dialog.width(), tooWide);
    EXPECT_EQ(dialog.geometry().right(), area.right()) << "the close box stays on the screen";

    TForm moved;
    moved.SetBounds(40, 40, 300, 200);
    moved.Show();
    moved.Hide();
    moved.move(area.left() - 100, area.top() - 50);
    moved.Show();
    EXPECT_EQ(moved.pos(), area.topLeft());
}

// A sizeable form whose edit has the keyboard, with a status bar and its grip.
struct SizeableForm {
    SizeableForm()
    {
        form.SetBounds(37, 41, 300, 200);
        edit = new QLineEdit(form.ClientArea());
        bar = new TStatusBar(form.ClientArea());
        bar->setGeometry(0, 150, 292, TStatusBar::kDefaultHeight);
    }
    bool ShowActive()
    {
        form.Show();
        edit->setFocus();
        return QTest::qWaitForWindowActive(&form);
    }
    QPoint Caption() const { return form.FrameLayout().caption.center(); }
    QPoint MaximizeBox() const { return form.FrameLayout().maximizeBox.center(); }
    QImage MaximizeGlyph() const { return form.RenderNonClient().copy(form.FrameLayout().maximizeBox); }
    // Moves the mouse with the left button held, as after a press.
    void DragBy(QPoint from, QPoint by)
    {
        QMouseEvent move(QEvent::MouseMove, QPointF(from + by), QPointF(form.mapToGlobal(from + by)), Qt::NoButton,
                         Qt::LeftButton, {});
        QApplication::sendEvent(&form, &move);
    }

    TForm form;
    QLineEdit *edit = nullptr;
    TStatusBar *bar = nullptr;
};

QRect AvailableArea()
{
    return QGuiApplication::primaryScreen()->availableGeometry();
}

TEST(FormMaximize, theMaximizeBoxTakesTheAvailableAreaAndGivesBackTheExactBounds)
{
    SizeableForm window;
    ASSERT_TRUE(window.ShowActive());
    const QRect normal = window.form.geometry();
    const QImage maximizeGlyph = window.MaximizeGlyph();

    QTest::mouseClick(&window.form, Qt::LeftButton, {}, window.MaximizeBox());
    EXPECT_TRUE(window.form.Maximized());
    EXPECT_EQ(window.form.geometry(), AvailableArea());
    EXPECT_EQ(window.form.ClientArea()->geometry(), window.form.FrameLayout().client);
    EXPECT_NE(window.MaximizeGlyph(), maximizeGlyph) << "the box shows the restore glyph";
    EXPECT_TRUE(window.bar->GripRect().isEmpty()) << "a maximised window has no size grip";
    EXPECT_EQ(QApplication::focusWidget(), window.edit);

    QTest::mouseClick(&window.form, Qt::LeftButton, {}, window.MaximizeBox());
    EXPECT_FALSE(window.form.Maximized());
    EXPECT_EQ(window.form.geometry(), normal);
    EXPECT_EQ(window.MaximizeGlyph(), maximizeGlyph);
    EXPECT_FALSE(window.bar->GripRect().isEmpty());
    EXPECT_EQ(QApplication::focusWidget(), window.edit);
}

TEST(FormMaximize, doubleClickOnTheCaptionTogglesAndTheHeldButtonMovesNothing)
{
    SizeableForm window;
    ASSERT_TRUE(window.ShowActive());
    const QRect normal = window.form.geometry();
    const QPoint away(40, 30);

    QTest::mouseDClick(&window.form, Qt::LeftButton, {}, window.Caption());
    window.DragBy(window.Caption(), away);
    QTest::mouseRelease(&window.form, Qt::LeftButton, {}, window.Caption() + away);
    EXPECT_TRUE(window.form.Maximized());
    EXPECT_EQ(window.form.geometry(), AvailableArea());

    // A maximised caption neither moves nor sizes the window.
    QTest::mousePress(&window.form, Qt::LeftButton, {}, window.Caption());
    window.DragBy(window.Caption(), away);
    QTest::mouseRelease(&window.form, Qt::LeftButton, {}, window.Caption() + away);
    EXPECT_EQ(window.form.geometry(), AvailableArea());

    QTest::mouseDClick(&window.form, Qt::LeftButton, {}, window.Caption());
    QTest::mouseRelease(&window.form, Qt::LeftButton, {}, window.Caption());
    EXPECT_FALSE(window.form.Maximized());
    EXPECT_EQ(window.form.geometry(), normal);
    EXPECT_EQ(QApplication::focusWidget(), window.edit);

    // Restored, the caption moves the window again, once the mouse has gone
    // the drag distance.
    QTest::mousePress(&window.form, Qt::LeftButton, {}, window.Caption());
    window.DragBy(window.Caption(), {1, 1});
    EXPECT_EQ(window.form.geometry(), normal) << "a click's jitter moves nothing";
    window.DragBy(window.Caption(), away);
    QTest::mouseRelease(&window.form, Qt::LeftButton, {}, window.Caption() + away);
    EXPECT_EQ(window.form.geometry(), normal.translated(away));
}

TEST(FormMaximize, aDialogFrameIgnoresTheDoubleClickAndTheSystemMenuRestores)
{
    TForm dialog;
    dialog.SetBorderStyle(bsDialog);
    dialog.SetBounds(50, 60, 300, 200);
    dialog.Show();
    QTest::mouseDClick(&dialog, Qt::LeftButton, {}, dialog.FrameLayout().caption.center());
    QTest::mouseRelease(&dialog, Qt::LeftButton, {}, dialog.FrameLayout().caption.center());
    EXPECT_FALSE(dialog.Maximized());
    EXPECT_EQ(dialog.geometry(), QRect(50, 60, 300, 200));

    SizeableForm window;
    ASSERT_TRUE(window.ShowActive());
    const QRect normal = window.form.geometry();
    window.form.Maximize();
    SystemMenu::Open(window.form);
    TPopupMenu &menu = SystemMenu::MenuOf(window.form);
    TMenuItem *restore = menu.Items()->Items(0);
    ASSERT_TRUE(restore->Enabled());
    restore->Click();
    menu.Window()->close();
    EXPECT_EQ(window.form.geometry(), normal);
    EXPECT_FALSE(window.form.Maximized());
}

TEST(FormMaximize, aHiddenMaximisedFormComesBackCoveringTheArea)
{
    SizeableForm window;
    window.form.Maximize();
    window.form.Show();
    EXPECT_EQ(window.form.geometry(), AvailableArea());
    window.form.Restore();
    EXPECT_EQ(window.form.geometry(), QRect(37, 41, 300, 200));
}

TEST(FormMenu, aMenuBarTakesItsBandOutOfTheClientArea)
{
    TForm form;
    form.resize(699, 411);
    auto *menu = new QWidget;
    form.SetMenuBar(menu);
    EXPECT_EQ(menu->geometry(), QRect(4, 23, 691, 19));
    EXPECT_EQ(form.ClientArea()->geometry(), QRect(4, 42, 691, 365));
}

} // namespace

#include "FormTest.moc"
