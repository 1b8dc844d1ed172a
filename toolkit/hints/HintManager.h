#pragma once

#include "toolkit/gdi/Colors.h"
#include "toolkit/hints/HintWindowClass.h"

#include <QElapsedTimer>
#include <QObject>
#include <QPoint>
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <memory>

class THintWindow;

// How controls declare their hints. A control carries a hint text and a
// ShowHint flag; a form carries ShowHint too. They are the widget's
// properties "Hint", "ShowHint" and "ParentShowHint": a class that declares
// them (Q_PROPERTY) keeps them in its own members, any other widget carries
// them as dynamic properties, so that every widget of the program can take
// part.
void SetHint(QWidget *control, const QString &hint);
QString Hint(const QWidget *control);
// Also turns ParentShowHint off: the control's own flag decides.
void SetShowHint(QWidget *control, bool show);

// The control whose hint applies at a widget: the widget itself or its
// nearest ancestor (up to its window) with a hint text of its own.
QWidget *HintControlFor(QWidget *widget);

// Whether a control's hint is shown: its own ShowHint when it has one and
// ParentShowHint is not on, otherwise the nearest such ancestor's, up to its
// form; without any, no.
bool ShowsHint(const QWidget *control);

// The application's hint machinery. Watches the pointer over every widget of
// the process; when it rests on a control that has a hint and shows hints,
// the hint appears below the pointer in a window of the process-wide hint
// window class, and it goes away when the pointer leaves the control, on a
// click, a key or the wheel, and after a while.
//
// One instance exists while the program runs (the application object makes
// it); the hint window class is process-wide even without one, so that
// components can replace it while they are being constructed.
class THintManager : public QObject
{
    Q_OBJECT
public:
    THintManager();
    ~THintManager() override;
    THintManager(const THintManager &) = delete;
    THintManager &operator=(const THintManager &) = delete;

    static THintManager *Instance();

    static THintWindowClass HintWindowClass();
    static void SetHintWindowClass(const THintWindowClass &windowClass);

    bool ShowHint() const { return m_showHint; }
    void SetShowHint(bool show);
    TColor HintColor() const { return m_hintColor; }
    void SetHintColor(TColor color) { m_hintColor = color; }
    // Milliseconds the pointer rests before a hint appears.
    int HintPause() const { return m_hintPause; }
    void SetHintPause(int milliseconds);
    // Milliseconds before the next hint appears while one is shown.
    int HintShortPause() const { return m_hintShortPause; }
    void SetHintShortPause(int milliseconds);
    // Milliseconds a hint stays up.
    int HintHidePause() const { return m_hintHidePause; }
    void SetHintHidePause(int milliseconds);
    int HintMaxWidth() const { return m_hintMaxWidth; }
    void SetHintMaxWidth(int pixels);

    // Shows the control's hint at once for a pointer at a global position.
    void ActivateHint(QWidget *control, const QPoint &pointer);
    // Hides the hint, if one is shown, and forgets the pending one.
    void CancelHint();

    QWidget *HintControl() const { return m_control; }
    THintWindow *HintWindow() const { return m_window.get(); }
    bool IsHintShown() const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void PointerOver(QWidget *widget, const QPoint &pointer);
    void PointerLeft(QWidget *widget);
    void SuppressUntilLeave();
    void HideWindow();
    void ShowPending();
    THintWindow &WindowOfCurrentClass();

    bool m_showHint = true;
    TColor m_hintColor = clInfoBk;
    int m_hintPause;
    int m_hintShortPause;
    int m_hintHidePause;
    int m_hintMaxWidth;

    QPointer<QWidget> m_control;
    QPoint m_pointer;
    // Set by a click, a key or the timeout: the control's hint stays away
    // until the pointer moves to another control.
    bool m_suppressed = false;
    QTimer m_showTimer;
    QTimer m_hideTimer;
    QElapsedTimer m_leftShownHint;
    std::unique_ptr<THintWindow> m_window;
};
