#include "support/Input.h"
#include "support/LastResortWatch.h"

#include "toolkit/app/Application.h"
#include "toolkit/app/Form.h"
#include "toolkit/app/MessageBox.h"

#include <QTimer>
#include <gtest/gtest.h>

#include <stdexcept>

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/lsan_interface.h>
#endif

namespace {

// Qt's event delivery is not exception safe: what it allocated for an event
// is lost when an exception unwinds through it. The last-resort test pays
// that price on purpose; everywhere else our handlers catch before Qt.
#if defined(__SANITIZE_ADDRESS__)
using AllowLeaksOfUnwoundQtFrames = __lsan::ScopedDisabler;
#else
struct AllowLeaksOfUnwoundQtFrames { };
#endif

struct ErrorTextCase {
    const char *message;
    const char *shown;
};

TEST(ErrorBoxText, appendsAFullStopOnlyAfterCharactersSortingAfterIt)
{
    const ErrorTextCase cases[] = {
        {"Ошибка", "Ошибка."},
        {"ok.", "ok."},
        {"", ""},
        {"Error 42", "Error 42."},
        {"trailing blank ", "trailing blank "},
        {"Stop!", "Stop!"},
        {"list,", "list,"},
        {"a/b/", "a/b/."},
        {"Не найден файл velirsk.dat", "Не найден файл velirsk.dat."},
    };
    for (const auto &c : cases)
        EXPECT_EQ(ErrorBoxText(QString::fromUtf8(c.message)), QString::fromUtf8(c.shown)) << c.message;
}

TEST(ExceptionMessage, readsWhatAsUtf8AndNamesForeignExceptions)
{
    EXPECT_EQ(ExceptionMessage(std::make_exception_ptr(std::runtime_error("Сбой"))), QStringLiteral("Сбой"));
    EXPECT_EQ(ExceptionMessage(std::make_exception_ptr(42)), QStringLiteral("Неизвестная ошибка"));
}

class ThrowingForm : public TForm
{
    Q_OBJECT

public:
    ThrowingForm() { BindHandlers(); }

private slots:
    void FormShow() { throw std::runtime_error("Нет связи с базой"); }
};

class ThrowingWidget : public QWidget
{
protected:
    void mousePressEvent(QMouseEvent *) override { throw std::runtime_error("clicked badly"); }
};

class DefaultHandlerTest : public ::testing::Test
{
protected:
    void SetUp() override { Application->SetTitle(QStringLiteral("Справочник")); }
    TMessageBoxHook boxes{IDOK};
};

TEST_F(DefaultHandlerTest, anExceptionFromAFormHandlerShowsOneErrorBoxAndTheFormGoesOn)
{
    ThrowingForm form;
    form.Show();
    ASSERT_EQ(boxes.Count(), 1);
    const TMessageBoxRequest &box = boxes.Requests().front();
    EXPECT_EQ(box.caption, QStringLiteral("Справочник"));
    EXPECT_EQ(box.text, QStringLiteral("Нет связи с базой."));
    EXPECT_EQ(box.icon, TMsgIcon::Error);
    EXPECT_EQ(box.buttons, TMsgButtons::OK);
    EXPECT_TRUE(form.isVisible());
}

TEST_F(DefaultHandlerTest, anExceptionEscapingAnyEventHandlerIsCaughtByTheApplication)
{
    const int lastResort = Application->LastResortCount();
    {
        [[maybe_unused]] const AllowLeaksOfUnwoundQtFrames allowLeaks;
        const LastResortWatch::Expected lastResortOnPurpose;
        ThrowingWidget widget;
        widget.resize(20, 20);
        widget.show();
        Click(&widget);
    }
    ASSERT_EQ(boxes.Count(), 1);
    EXPECT_EQ(boxes.Requests().front().text, QStringLiteral("clicked badly."));
    EXPECT_EQ(Application->LastResortCount(), lastResort + 1);
}

TEST(StartupError, showsApplicationErrorWithTheMessageAndGivesExitCode1)
{
    TMessageBoxHook boxes(IDOK);
    const int code = ShowStartupError(std::make_exception_ptr(std::runtime_error("Файл не найден")));
    EXPECT_EQ(code, 1);
    ASSERT_EQ(boxes.Count(), 1);
    EXPECT_EQ(boxes.Requests().front().caption, QStringLiteral("Application Error"));
    EXPECT_EQ(boxes.Requests().front().text, QStringLiteral("Файл не найден."));
    EXPECT_EQ(boxes.Requests().front().icon, TMsgIcon::Error);
}

class PlainForm : public TForm
{ };

TEST(WindowFactory, theFirstFormCreatedIsTheMainFormAndFormsDieWithTheApplication)
{
    Application->Restart();
    QPointer<PlainForm> first = Application->CreateForm<PlainForm>();
    QPointer<PlainForm> second = Application->CreateForm<PlainForm>();
    EXPECT_EQ(Application->MainForm(), first.data());

    // Closing a secondary form hides it; closing the main form terminates.
    second->Show();
    second->Close();
    EXPECT_FALSE(second->isVisible());
    EXPECT_FALSE(Application->Terminated());
    first->Close();
    EXPECT_TRUE(Application->Terminated());

    Application->Restart();
    EXPECT_TRUE(first.isNull());
    EXPECT_TRUE(second.isNull());
    EXPECT_EQ(Application->MainForm(), nullptr);
}

TEST(WindowFactory, aMainFormDestroyedByItsHolderIsForgotten)
{
    Application->Restart();
    delete Application->CreateForm<PlainForm>();
    EXPECT_EQ(Application->MainForm(), nullptr);
    QPointer<PlainForm> next = Application->CreateForm<PlainForm>();
    EXPECT_EQ(Application->MainForm(), next.data());
    Application->Restart();
}

TEST(EventLoop, runReturnsAtOnceWhenTerminatedBeforeAndEndsOnTerminate)
{
    Application->Restart();
    auto *main = Application->CreateForm<PlainForm>();
    bool shownInLoop = false;
    QTimer::singleShot(0, [&] {
        shownInLoop = main->isVisible();
        Application->Terminate();
    });
    Application->Run();
    EXPECT_TRUE(shownInLoop);

    Application->Run();
    EXPECT_TRUE(Application->Terminated());
    Application->Restart();
}

} // namespace

#include "ApplicationTest.moc"
