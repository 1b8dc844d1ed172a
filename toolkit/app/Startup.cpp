#include "toolkit/app/Startup.h"

#include "toolkit/app/Application.h"
#include "toolkit/app/Form.h"

#include <QElapsedTimer>
#include <QThread>
#include <QWindow>

namespace {
// How long start-up waits for the window system to put the splash on screen.
constexpr int kExposeTimeoutMs = 2000;
constexpr int kExposePollMs = 10;
} // namespace

void ShowAndPaint(TApplication &application, TForm &form)
{
    form.Show();
    application.ProcessMessages();
    QElapsedTimer waited;
    waited.start();
    while (form.windowHandle() && !form.windowHandle()->isExposed() && waited.elapsed() < kExposeTimeoutMs) {
        QThread::msleep(kExposePollMs);
        application.ProcessMessages();
    }
    form.repaint();
    application.ProcessMessages();
}

int RunProgram(TApplication &application, const std::function<std::unique_ptr<TForm>()> &createSplash,
               const std::function<void()> &createForms)
{
    try {
        {
            const std::unique_ptr<TForm> splash = createSplash();
            ShowAndPaint(application, *splash);
            createForms();
        }
        application.Run();
    } catch (...) {
        return ShowStartupError(std::current_exception());
    }
    return 0;
}
