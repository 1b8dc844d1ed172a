#pragma once

#include "toolkit/app/ErrorReporting.h"
#include "toolkit/hints/HintManager.h"

#include <QApplication>
#include <QPointer>
#include <QString>

#include <exception>
#include <memory>
#include <utility>
#include <vector>

class TForm;
class TFrameKeyboard;

// The application object: title, the forms it owns, the event loop and the
// handlers that turn an escaping exception into a message box.
//
// Qt does not carry exceptions through its event loop, so every place where
// Qt invokes one of our handlers catches there: TForm runs its handlers
// through Guarded(), controls, menus and timers through CallGuarded(), and
// notify() is the last resort for whatever escapes any other event handler.
class TApplication : public QApplication
{
    Q_OBJECT

public:
    TApplication(int &argc, char **argv);
    ~TApplication() override;

    QString Title() const { return m_title; }
    void SetTitle(const QString &title);

    // The first form created through CreateForm becomes the main form.
    TForm *MainForm() const;

    // The window factory: the form is owned by the application and destroyed
    // with it, the last created first.
    template <class T> T *CreateForm()
    {
        T *form = new T();
        form->DoCreate();
        AdoptForm(form);
        return form;
    }

    // The owned form of class T, or null when there is none.
    template <class T> T *FindForm() const
    {
        for (const QPointer<TForm> &form : m_forms) {
            if (T *found = qobject_cast<T *>(form.data()))
                return found;
        }
        return nullptr;
    }

    // Shows the main form and dispatches messages until Terminate() is called
    // or the main form closes. Returns at once when already terminated.
    void Run();
    void Terminate();
    bool Terminated() const { return m_terminated; }

    // Dispatches every message pending now, once, and returns.
    void ProcessMessages();

    // The default handler for an exception that reaches the event loop:
    // a message box with an error icon, captioned with the title; the
    // program goes on.
    void HandleException(std::exception_ptr error);

    // Runs a handler; an exception it raises goes to HandleException.
    template <class Handler> void Guarded(Handler &&handler)
    {
        try {
            std::forward<Handler>(handler)();
        } catch (...) {
            HandleException(std::current_exception());
        }
    }

    // Destroys the owned forms, the last created first.
    void DestroyForms();
    // Destroys the owned forms and clears the terminated state, so that the
    // next form created becomes the main form again (tests start the program
    // more than once in one process).
    void Restart();

    // The last resort: an exception that escapes an event handler is shown by
    // HandleException here, after it has unwound through Qt's own event
    // delivery. Every place where Qt calls one of our handlers catches before
    // that; the count says how often the last resort was needed.
    bool notify(QObject *receiver, QEvent *event) override;
    int LastResortCount() const { return m_lastResortCount; }

    // The hint machinery: pauses, hint colour, the hint being shown.
    THintManager &Hints() { return m_hints; }

private:
    void AdoptForm(TForm *form);
    bool PreviewKey(QObject *receiver, QEvent *event);

    QString m_title;
    // Guarded: a form may be destroyed by its owner without the application.
    QPointer<TForm> m_mainForm;
    std::vector<QPointer<TForm>> m_forms;
    bool m_terminated = false;
    bool m_running = false;
    THintManager m_hints;
    int m_lastResortCount = 0;
    // Last, so that it goes first: it asks for the main form while forms hide,
    // up to the end of the destructor's body and never after.
    std::unique_ptr<TFrameKeyboard> m_frameKeyboard;
};

// The one application object of the process (null before it is created).
extern TApplication *Application;

// The text an error box shows for an exception message: a "." is appended
// when the last character sorts after ".", so "Ошибка" ends in a full stop
// while "ok.", "", "ok " and "ok!" stay as they are.
QString ErrorBoxText(const QString &message);

// The message of any exception: what() read as UTF-8, or a fixed text for
// exceptions that carry none.
QString ExceptionMessage(std::exception_ptr error);

// The last resort at start-up: an "Application Error" box with an error icon
// showing the error's message. Returns the process exit code, 1.
int ShowStartupError(std::exception_ptr error);
