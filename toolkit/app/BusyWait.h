#pragma once

#include <QEventLoop>
#include <QObject>
#include <QPointer>
#include <QTimer>
#include <QWidget>

// Waits on the user-interface thread for work that runs on another thread
// (a search), keeping the program alive meanwhile: windows paint and timers
// run, and the wait cursor comes up as for any long step (TWaitCursor).
// Input to the windows is dropped, so that nothing the person does starts
// other work or changes data before the wait ends; the one exception is
// Escape, or a click on the cancel control that is named meanwhile, which
// ends the wait as cancelled. A window's close box does nothing then. A
// modal window that comes up meanwhile (a message) has its input as usual.
class TBusyWait : public QObject
{
    Q_OBJECT

public:
    // How often the wait cursor is looked at.
    static constexpr int kTickMs = 20;

    TBusyWait();
    ~TBusyWait() override;

    // Whether this thread can wait so: the user-interface thread of a program with windows.
    static bool Possible();

    // Whether a wait now drops the input: a form's preview of keys waits
    // for its end too.
    static bool HoldsInput();

    // Ends Run() as finished; may be called from any thread, before Run() too.
    void Finish();
    // False when the person cancelled the wait.
    bool Run();

    // While it lives, a click on `control` cancels any wait, as Escape does.
    class TCancelControl
    {
    public:
        explicit TCancelControl(QWidget *control);
        ~TCancelControl();
        TCancelControl(const TCancelControl &) = delete;
        TCancelControl &operator=(const TCancelControl &) = delete;

    private:
        QPointer<QWidget> m_previous;
    };

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool OnCancelControl(QObject *watched) const;
    bool Holding() const;
    void Cancel();

    QEventLoop m_loop;
    QTimer m_tick;
    QPointer<QWidget> m_modalAtStart;
    bool m_cancelled = false;
};
