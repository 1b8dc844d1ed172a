#pragma once

#include <QHash>
#include <QObject>
#include <QPointer>

#include <functional>

class QKeyEvent;
class TForm;

// What a classic window frame gives the keyboard, for the program's forms,
// which draw their own frames:
// - Alt+F4 closes the form that has the keyboard, through its ordinary
//   closing (the close box's way);
// - Alt+Space opens its system menu;
// - when a form that has the keyboard hides, the keyboard goes back to the
//   form that had it when this one was shown, or the nearest visible one
//   before that, or the main form. Without a window manager nothing else
//   would hand it on and the next keys would be lost.
// The application object installs one for the whole program, for as long as
// it lives, and names its main form through `mainForm`, asked afresh at every
// hiding (it may be null).
class TFrameKeyboard : public QObject
{
    Q_OBJECT

public:
    using TMainFormQuery = std::function<TForm *()>;

    explicit TFrameKeyboard(TMainFormQuery mainForm, QObject *parent = nullptr);
    ~TFrameKeyboard() override;

    // The form that had the keyboard when this one was last shown.
    TForm *Opener(const TForm *form) const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool WindowKey(QObject *receiver, const QKeyEvent &event);
    void Shown(TForm *form);
    void Hidden(TForm *form);

    TMainFormQuery m_mainForm;
    QHash<const TForm *, QPointer<TForm>> m_openers;
};
