#include "toolkit/app/Application.h"

#include "toolkit/app/BusyWait.h"

#include "toolkit/app/Form.h"
#include "toolkit/app/FrameKeyboard.h"
#include "toolkit/app/MessageBox.h"
#include "toolkit/gdi/Font.h"
#include "toolkit/gdi/SystemColors.h"

#include <QKeyEvent>

#include <algorithm>

TApplication *Application = nullptr;

TApplication::TApplication(int &argc, char **argv)
    : QApplication(argc, argv)
{
    Application = this;
    SetErrorHandler([this](std::exception_ptr error) { HandleException(error); });
    TForm::SetMainFormClosing([this](TForm *form) {
        if (form != MainForm())
            return false;
        Terminate();
        return true;
    });
    // The event loop ends on Terminate() or with the main form, not when the
    // last window hides: secondary forms only hide when they close.
    setQuitOnLastWindowClosed(false);
    m_frameKeyboard = std::make_unique<TFrameKeyboard>([this] { return MainForm(); });
    RegisterBundledFonts();
    InstallApplicationPalette();
}

TApplication::~TApplication()
{
    DestroyForms();
    if (Application == this) {
        SetErrorHandler(nullptr);
        TForm::SetMainFormClosing(nullptr);
        Application = nullptr;
    }
}

void TApplication::SetTitle(const QString &title)
{
    m_title = title;
    // The program's name for the window system; not the display name, which
    // Qt would append to every window's caption.
    setApplicationName(title);
}

TForm *TApplication::MainForm() const
{
    return m_mainForm.data();
}

void TApplication::AdoptForm(TForm *form)
{
    m_forms.emplace_back(form);
    if (!m_mainForm)
        m_mainForm = form;
}

void TApplication::DestroyForms()
{
    while (!m_forms.empty()) {
        QPointer<TForm> form = m_forms.back();
        m_forms.pop_back();
        if (form == m_mainForm)
            m_mainForm = nullptr;
        delete form.data();
    }
}

void TApplication::Restart()
{
    DestroyForms();
    m_terminated = false;
}

void TApplication::Run()
{
    if (m_terminated)
        return;
    m_running = true;
    if (m_mainForm)
        m_mainForm->Show();
    exec();
    m_running = false;
}

void TApplication::Terminate()
{
    m_terminated = true;
    if (m_running)
        quit();
}

void TApplication::ProcessMessages()
{
    processEvents(QEventLoop::AllEvents);
}

void TApplication::HandleException(std::exception_ptr error)
{
    MessageBox(ErrorBoxText(ExceptionMessage(error)), m_title, TMsgIcon::Error);
}

bool TApplication::PreviewKey(QObject *receiver, QEvent *event)
{
    if (event->type() != QEvent::KeyPress || !receiver->isWidgetType())
        return false;
    auto *target = static_cast<QWidget *>(receiver);
    auto *form = qobject_cast<TForm *>(target->window());
    if (!form || (target != form && !form->KeyPreview()))
        return false;
    return form->DispatchKey(target, static_cast<QKeyEvent *>(event));
}

bool TApplication::notify(QObject *receiver, QEvent *event)
{
    try {
        // Key events reach notify() once, for the widget with the focus;
        // their propagation to the parents happens inside QApplication.
        if (!TBusyWait::HoldsInput() && PreviewKey(receiver, event))
            return true;
        return QApplication::notify(receiver, event);
    } catch (...) {
        ++m_lastResortCount;
        HandleException(std::current_exception());
        return true;
    }
}

QString ErrorBoxText(const QString &message)
{
    if (!message.isEmpty() && message.back() > QLatin1Char('.'))
        return message + QLatin1Char('.');
    return message;
}

QString ExceptionMessage(std::exception_ptr error)
{
    try {
        std::rethrow_exception(error);
    } catch (const std::exception &e) {
        return QString::fromUtf8(e.what());
    } catch (...) {
        return TApplication::tr("Unknown error");
    }
}

int ShowStartupError(std::exception_ptr error)
{
    MessageBox(ErrorBoxText(ExceptionMessage(error)), MsgText::kApplicationError, TMsgIcon::Error);
    return 1;
}
