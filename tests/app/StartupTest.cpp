#include "toolkit/app/Startup.h"
#include "toolkit/app/Application.h"
#include "toolkit/app/Form.h"
#include "toolkit/app/MessageBox.h"
#include "toolkit/db/DatabaseError.h"

#include <QPointer>
#include <QTimer>
#include <QWindow>
#include <gtest/gtest.h>

namespace {

// What start-up did, in order.
QStringList steps;
QPointer<TForm> splash;

class ProbeForm : public TForm
{
protected:
    void showEvent(QShowEvent *event) override
    {
        steps << (splash ? QStringLiteral("shown with splash") : QStringLiteral("shown"));
        TForm::showEvent(event);
    }
};

std::unique_ptr<TForm> MakeSplash()
{
    auto form = std::make_unique<TForm>();
    form->SetBorderStyle(bsNone);
    form->resize(392, 227);
    splash = form.get();
    return form;
}

class StartupTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        steps.clear();
        Application->Restart();
    }
    void TearDown() override { Application->Restart(); }
    TMessageBoxHook boxes{IDOK};
};

TEST_F(StartupTest, splashIsOnScreenWhileFormsAreCreatedAndGoneBeforeTheMainFormShows)
{
    const int code = RunProgram(*Application, MakeSplash, [] {
        steps << (splash && splash->isVisible() && splash->windowHandle()->isExposed() ? "splash on screen"
                                                                                       : "no splash");
        Application->CreateForm<ProbeForm>();
        Application->CreateForm<ProbeForm>();
        QTimer::singleShot(0, [] { Application->Terminate(); });
    });
    EXPECT_EQ(code, 0);
    EXPECT_EQ(steps, (QStringList{"splash on screen", "shown"}));
    EXPECT_TRUE(splash.isNull());
    EXPECT_EQ(boxes.Count(), 0);
}

TEST_F(StartupTest, aFailureWhileCreatingFormsShowsOneErrorBoxAndNoWindow)
{
    const int code = RunProgram(*Application, MakeSplash, [] {
        Application->CreateForm<ProbeForm>();
        throw EDatabaseError(QStringLiteral("Файл базы данных velirsk.dat не найден"));
    });
    EXPECT_EQ(code, 1);
    EXPECT_TRUE(splash.isNull());
    EXPECT_TRUE(steps.isEmpty()) << steps.join(", ").toStdString();
    ASSERT_EQ(boxes.Count(), 1);
    EXPECT_EQ(boxes.Requests().front().caption, QStringLiteral("Application Error"));
    EXPECT_EQ(boxes.Requests().front().text, QStringLiteral("Файл базы данных velirsk.dat не найден."));
    EXPECT_EQ(boxes.Requests().front().icon, TMsgIcon::Error);
}

TEST_F(StartupTest, aFailingSplashIsReportedTheSameWay)
{
    bool formsCreated = false;
    const int code = RunProgram(
        *Application, []() -> std::unique_ptr<TForm> { throw std::runtime_error("JPEG error: broken"); },
        [&] { formsCreated = true; });
    EXPECT_EQ(code, 1);
    EXPECT_FALSE(formsCreated);
    EXPECT_EQ(boxes.Count(), 1);
}

} // namespace
