#include "components/RoundHint.h"
#include "toolkit/app/Form.h"
#include "toolkit/controls/SpeedButton.h"
#include "toolkit/gdi/Font.h"
#include "toolkit/hints/HintManager.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCursor>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPointer>
#include <QScreen>
#include <QThread>
#include <QWheelEvent>

#include <array>
#include <functional>
#include <memory>

namespace {

// Time enough for a hint that is due to appear; the pauses below are far
// shorter, or far longer where a test must see the short pause at work.
constexpr int kPatience = 3000;

class HintMachineryTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        RegisterBundledFonts();
        THintManager::SetHintWindowClass(THintWindowClass::Of<THintWindow>());
        // The application object's machinery when there is one, as in the
        // program.
        manager = THintManager::Instance();
        if (!manager) {
            ownManager = std::make_unique<THintManager>();
            manager = ownManager.get();
        }
        saved = {manager->HintPause(), manager->HintShortPause(), manager->HintHidePause()};
        manager->SetHintPause(30);
        manager->SetHintShortPause(1);
        manager->SetHintHidePause(60000);

        form.setGeometry(100, 100, 300, 100);
        SetShowHint(&form, true);
        first = MakeControl(10, QStringLiteral("Первая запись"));
        second = MakeControl(70, QStringLiteral("Следующая запись"));
        form.show();
    }
    void TearDown() override
    {
        manager->CancelHint();
        manager->SetShowHint(true);
        manager->SetHintPause(saved[0]);
        manager->SetHintShortPause(saved[1]);
        manager->SetHintHidePause(saved[2]);
        THintManager::SetHintWindowClass(THintWindowClass::Of<THintWindow>());
    }

    QWidget *MakeControl(int left, const QString &hint)
    {
        auto *control = new QWidget(&form);
        control->setGeometry(left, 10, 50, 20);
        SetHint(control, hint);
        return control;
    }

    static void MoveTo(QWidget *widget, QPoint local = QPoint(5, 5))
    {
        QMouseEvent move(QEvent::MouseMove, local, widget->mapToGlobal(local), Qt::NoButton, Qt::NoButton,
                         Qt::NoModifier);
        QApplication::sendEvent(widget, &move);
    }
    static void Leave(QWidget *widget)
    {
        QEvent leave(QEvent::Leave);
        QApplication::sendEvent(widget, &leave);
    }
    static bool WaitUntil(const std::function<bool()> &condition, int milliseconds = kPatience)
    {
        QElapsedTimer clock;
        clock.start();
        while (!condition() && clock.elapsed() < milliseconds) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
            QThread::msleep(2);
        }
        return condition();
    }
    QString Shown() const { return manager->IsHintShown() ? manager->HintWindow()->Caption() : QString(); }
    bool ShowsWithin(const QString &text, int milliseconds = kPatience)
    {
        return WaitUntil([&] { return Shown() == text; }, milliseconds);
    }
    // Nothing appears during a few hint pauses.
    bool StaysHidden()
    {
        return !WaitUntil([&] { return manager->IsHintShown(); }, 5 * manager->HintPause());
    }

    THintManager *manager = nullptr;
    std::unique_ptr<THintManager> ownManager;
    std::array<int, 3> saved{};
    QWidget form;
    QWidget *first = nullptr;
    QWidget *second = nullptr;
};

TEST_F(HintMachineryTest, hintAppearsBelowTheRestingPointerInTheApplicationsClass)
{
    MoveTo(first, QPoint(5, 6));
    EXPECT_FALSE(manager->IsHintShown()) << "only after a pause";
    ASSERT_TRUE(ShowsWithin(QStringLiteral("Первая запись")));
    const QPoint pointer = first->mapToGlobal(QPoint(5, 6));
    EXPECT_EQ(manager->HintWindow()->pos(), pointer + QPoint(0, 20));

    QPointer<THintWindow> standard = manager->HintWindow();
    TRoundHint balloons;
    Leave(first);
    EXPECT_FALSE(manager->IsHintShown());
    MoveTo(second, QPoint(5, 6));
    ASSERT_TRUE(ShowsWithin(QStringLiteral("Следующая запись")));
    EXPECT_NE(qobject_cast<TRoundHintWindow *>(manager->HintWindow()), nullptr);
    EXPECT_TRUE(standard.isNull()) << "the window of the old class is gone";
    const int frame = balloons.FrameWidth();
    EXPECT_EQ(manager->HintWindow()->pos(), second->mapToGlobal(QPoint(5, 6)) + QPoint(-frame, 20 - frame))
        << "a balloon sits its frame width left of and above the hint position";
}

TEST_F(HintMachineryTest, clickKeyWheelAndTimeoutHideTheHintUntilTheNextControl)
{
    struct Trigger {
        const char *name;
        int hidePause;
        std::function<void()> fire;
    };
    const Trigger triggers[] = {
        {"click", 60000,
         [&] {
             QMouseEvent press(QEvent::MouseButtonPress, QPointF(5, 5), first->mapToGlobal(QPointF(5, 5)),
                               Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
             QApplication::sendEvent(first, &press);
         }},
        {"key", 60000,
         [&] {
             QKeyEvent key(QEvent::KeyPress, Qt::Key_Right, Qt::NoModifier);
             QApplication::sendEvent(&form, &key);
         }},
        {"wheel", 60000,
         [&] {
             QWheelEvent wheel(QPointF(5, 5), first->mapToGlobal(QPointF(5, 5)), QPoint(), QPoint(0, 120), Qt::NoButton,
                               Qt::NoModifier, Qt::NoScrollPhase, false);
             QApplication::sendEvent(first, &wheel);
         }},
        {"timeout", 50, [] {}},
    };
    for (const auto &[name, hidePause, trigger] : triggers) {
        manager->SetHintHidePause(hidePause);
        MoveTo(second);
        Leave(second);
        MoveTo(first);
        ASSERT_TRUE(ShowsWithin(QStringLiteral("Первая запись"))) << name;
        trigger();
        EXPECT_TRUE(WaitUntil([&] { return !manager->IsHintShown(); })) << name;
        MoveTo(first, QPoint(6, 6));
        EXPECT_TRUE(StaysHidden()) << name << ": the same control stays quiet";
        Leave(first);
        MoveTo(second);
        EXPECT_TRUE(ShowsWithin(QStringLiteral("Следующая запись"))) << name;
        Leave(second);
    }
}

TEST_F(HintMachineryTest, movingStraightOnFromAShownHintTakesTheShortPause)
{
    manager->SetHintPause(60000);
    manager->ActivateHint(first, first->mapToGlobal(QPoint(5, 5)));
    ASSERT_EQ(Shown(), QStringLiteral("Первая запись"));
    Leave(first);
    MoveTo(second);
    MoveTo(second, QPoint(6, 6));
    EXPECT_TRUE(ShowsWithin(QStringLiteral("Следующая запись"))) << "further moves keep the short pause";
}

TEST_F(HintMachineryTest, hidingTheControlHidesItsHint)
{
    MoveTo(first);
    ASSERT_TRUE(ShowsWithin(QStringLiteral("Первая запись")));
    first->hide();
    EXPECT_FALSE(manager->IsHintShown());
}

TEST_F(HintMachineryTest, whichHintAppliesUnderThePointer)
{
    auto *inner = new QWidget(first);
    inner->setGeometry(0, 0, 10, 10);
    auto *plain = new QWidget(&form);
    plain->setGeometry(130, 10, 50, 20);
    auto *quiet = MakeControl(190, QStringLiteral("тихо"));
    SetShowHint(quiet, false);
    auto *disabled = MakeControl(250, QStringLiteral("Применить изминения"));
    disabled->setEnabled(false);
    auto *follower = MakeControl(310, QStringLiteral("следует"));
    follower->setProperty("ShowHint", false);
    follower->setProperty("ParentShowHint", true);
    auto *button = new TSpeedButton(&form);
    button->SetHint(QStringLiteral("Последняя запись"));
    TForm realForm;
    realForm.SetShowHint(true);
    auto *onRealForm = new QWidget(realForm.ClientArea());
    SetHint(onRealForm, QStringLiteral("Отмена"));
    QWidget otherForm;
    SetHint(&otherForm, QStringLiteral("без ShowHint"));

    struct Case {
        const char *name;
        QWidget *under;
        QWidget *control;
        bool shows;
    };
    const Case cases[] = {
        {"own hint, form shows hints", first, first, true},
        {"a child without a hint takes its parent's", inner, first, true},
        {"no hint anywhere", plain, nullptr, false},
        {"own ShowHint off beats the form's", quiet, quiet, false},
        {"disabled controls keep their hint", disabled, disabled, true},
        {"ParentShowHint follows the form", follower, follower, true},
        {"a speed button's own hint", button, button, true},
        {"a form's own ShowHint", onRealForm, onRealForm, true},
        {"no ShowHint set anywhere", &otherForm, &otherForm, false},
    };
    for (const Case &c : cases) {
        QWidget *control = HintControlFor(c.under);
        EXPECT_EQ(control, c.control) << c.name;
        EXPECT_EQ(control && ShowsHint(control), c.shows) << c.name;
    }

    MoveTo(inner);
    EXPECT_TRUE(ShowsWithin(QStringLiteral("Первая запись")));
    manager->CancelHint();
    MoveTo(quiet);
    EXPECT_TRUE(StaysHidden());
    manager->SetShowHint(false);
    MoveTo(second);
    EXPECT_TRUE(StaysHidden()) << "the application's own switch";
}

// Near the bottom of the screen the hint is moved up over the resting
// pointer; the leave that its showing brings must not take it away again.
TEST_F(HintMachineryTest, hintMovedOverThePointerAtTheScreensEdgeStaysUp)
{
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    form.move(100, screen.bottom() - 24);
    const QPoint local(5, 6);
    const QPoint pointer = first->mapToGlobal(local);
    QCursor::setPos(pointer);
    MoveTo(first, local);
    ASSERT_TRUE(ShowsWithin(QStringLiteral("Первая запись")));
    ASSERT_TRUE(manager->HintWindow()->geometry().contains(pointer)) << "the hint lies over the pointer";

    Leave(first);
    EXPECT_TRUE(manager->IsHintShown());

    QCursor::setPos(screen.topLeft());
    Leave(first);
    EXPECT_FALSE(manager->IsHintShown());
}

} // namespace
