#pragma once

#include "toolkit/app/FormFrame.h"

#include <QChar>
#include <QPoint>
#include <QPointer>
#include <QWidget>

#include <functional>

class QEventLoop;
class QKeyEvent;
class TCanvas;

enum TFormStyle { fsNormal, fsStayOnTop };
enum TPosition { poDesigned, poScreenCenter };
enum TCloseAction { caNone, caHide, caFree, caMinimize };

enum TModalResult : int {
    mrNone = 0,
    mrOk = 1,
    mrCancel = 2,
    mrAbort = 3,
    mrRetry = 4,
    mrIgnore = 5,
    mrYes = 6,
    mrNo = 7,
};

// The form base: a frameless top-level window that draws its own classic
// frame, caption bar and caption buttons around a client area.
//
// The layout of a form is a Designer file whose root widget stands for the
// form: its geometry is the client size, its windowTitle the caption, and
// these dynamic properties carry the rest of the form's settings:
//   BorderStyle  "bsNone" | "bsDialog" | "bsSizeable" (default)
//   Position     "poDesigned" (default) | "poScreenCenter"
//   FormStyle    "fsNormal" (default) | "fsStayOnTop"
//   Left, Top    the outer position
//   Width, Height  the outer size, overriding the client size
//   KeyPreview, ShowHint  booleans
// LoadLayout moves the layout's controls into the client area, keeping their
// client coordinates.
//
// Handlers are bound by name. Controls' signals connect to slots named
// on_<object>_<signal>, Qt's convention. The form's own events call these
// slots when the form declares them:
//   FormCreate()  FormShow()  FormHide()  FormResize()
//   FormCloseQuery(bool& CanClose)  FormClose(TCloseAction&)  FormKeyPress(QChar&)
//   FormKeyDown(int& key, Qt::KeyboardModifiers)
//   WMNCPaint(TCanvas&)  runs after the default frame has painted; the
//                        canvas covers the whole window, in window
//                        coordinates.
// A key set to 0 by FormKeyPress or FormKeyDown is consumed; any exception a
// handler raises goes to the application's default handler.
class TForm : public QWidget
{
    Q_OBJECT
    // Read by the hint machinery for the form's controls.
    Q_PROPERTY(bool ShowHint READ ShowHint WRITE SetShowHint)

public:
    explicit TForm(QWidget *parent = nullptr);
    ~TForm() override;

    template <class Ui> void LoadLayout(Ui &ui)
    {
        ui.setupUi(this);
        AdoptLayout();
    }

    // The widget holding the form's controls, sized to the client area.
    QWidget *ClientArea() const { return m_client; }

    QString Caption() const { return windowTitle(); }
    void SetCaption(const QString &caption);

    TFormBorderStyle BorderStyle() const { return m_borderStyle; }
    void SetBorderStyle(TFormBorderStyle style);
    TPosition Position() const { return m_position; }
    void SetPosition(TPosition position);
    TFormStyle FormStyle() const { return m_formStyle; }
    void SetFormStyle(TFormStyle style);
    bool KeyPreview() const { return m_keyPreview; }
    void SetKeyPreview(bool on) { m_keyPreview = on; }
    bool ShowHint() const { return m_showHint; }
    void SetShowHint(bool on) { m_showHint = on; }

    // Outer geometry; the client area follows from the frame metrics at once
    // (after a plain resize() of a hidden form, only when it is shown).
    void SetBounds(int left, int top, int width, int height);
    void SetClientSize(int width, int height);
    QSize ClientSize() const;
    TFrameLayout FrameLayout() const;

    // A menu bar widget laid into the menu band below the caption.
    void SetMenuBar(QWidget *menuBar);
    QWidget *MenuBar() const { return m_menuBar; }

    // Every show keeps the caption inside the screen's available area (see
    // FitCaptionOnScreen); a poScreenCenter form is centred first, once.
    void Show();
    void Hide();

    // Maximising is the form's own: it takes the available area of its
    // screen and keeps the bounds to restore, whether or not a window
    // manager runs (without one, the window system would do nothing). The
    // caption buttons, the caption's double-click and the system menu all
    // come here, and the frame's state follows Maximized() alone.
    bool Maximized() const { return m_maximized; }
    void Maximize();
    // From maximised, back to the exact bounds it had before; from
    // minimised, back to what it was.
    void Restore();
    // Asks FormCloseQuery whether the form may close; a handler that raises
    // refuses, and its error is shown. Every way of closing passes here.
    bool CloseQuery();
    // When CloseQuery agrees: hides a secondary form (or what FormClose
    // decides); closing the main form ends the application's event loop.
    void Close();
    // Asked when a form's close is accepted; answers true when it took the
    // close (the application ends the program for its main form). Without
    // one, a form closes by its close action.
    using TMainFormClosing = std::function<bool(TForm *)>;
    static void SetMainFormClosing(TMainFormClosing closing);

    // Shows the form application-modal and returns once ModalResult is set
    // or the form closes (closing gives mrCancel).
    int ShowModal();
    int ModalResult() const { return m_modalResult; }
    void SetModalResult(int result);
    bool Modal() const { return m_modalLoop != nullptr; }

    // Runs FormCreate once; the window factory calls it after construction,
    // and the first Show() does when nothing did before.
    void DoCreate();

    // Runs the key handlers for a key pressed in this form (the form itself
    // or, with key preview, any of its controls). Returns true when a handler
    // consumed the key; a changed character is delivered to target instead.
    bool DispatchKey(QWidget *target, QKeyEvent *event);

    // Binds the form events to the slots named above; LoadLayout calls it.
    void BindHandlers();

    // Paints the whole window (frame, caption and WMNCPaint) into an image of
    // the window's size, as it appears on screen apart from the controls.
    QImage RenderNonClient() const;

signals:
    void Created();
    void Shown();
    void Hidden();
    void Resized();
    void ClosingQuery(bool &canClose);
    void Closing(TCloseAction &action);
    void KeyPressed(QChar &key);
    void KeyDown(int &key, Qt::KeyboardModifiers shift);
    void NonClientPaint(TCanvas &canvas);

protected:
    void AdoptLayout();

    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void changeEvent(QEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;

private:
    template <class Handler> void RunHandler(Handler &&handler);
    void ApplyWindowFlags();
    void LayoutChildren();
    void PlaceOnScreen();
    bool CloseModal();
    void PressCaptionButton(TCaptionButton button);
    void ToggleMaximized();
    void EndDrag();
    void UpdateFrameCursor(const QPoint &pos);
    TFrameState FrameState() const;

    QWidget *m_client;
    QPointer<QWidget> m_menuBar;
    TFormBorderStyle m_borderStyle = bsSizeable;
    TPosition m_position = poDesigned;
    TFormStyle m_formStyle = fsNormal;
    bool m_keyPreview = false;
    bool m_showHint = false;
    bool m_created = false;
    bool m_placed = false;
    bool m_maximized = false;
    QRect m_normalGeometry;
    int m_modalResult = mrNone;
    QEventLoop *m_modalLoop = nullptr;

    // Mouse tracking in the non-client area. A press on the caption moves
    // nothing until the mouse has gone the drag distance, so that a click or
    // a double-click stays ours; then the window system moves the window, or
    // the form follows the mouse itself when the system will not.
    TCaptionButton m_pressedButton = TCaptionButton::None;
    bool m_pressedButtonDown = false;
    TFrameHit m_dragHit = TFrameHit::Client;
    bool m_followingMouse = false;
    QPoint m_dragStartGlobal;
    QRect m_dragStartGeometry;
    bool m_dispatchingKey = false;
};
