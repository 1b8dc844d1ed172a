#pragma once

#include "toolkit/app/Form.h"
#include "toolkit/app/MessageBoxTypes.h"

class QPushButton;
class TMessageBody;

// The window of a message box: icon and text above a centred row of
// buttons, on a dialog frame centred on the screen. Enter presses the
// focused button (OK at first); Escape and the close box answer IDCANCEL.
class TMessageForm : public TForm
{
    Q_OBJECT

public:
    explicit TMessageForm(const TMessageBoxRequest &request);

    QPushButton *Button(int result) const;
    // The icon and the text above the buttons.
    TMessageBody *Body() const { return m_body; }

    // The text as laid out: every line break (CR LF, LF CR, CR or LF) is one
    // break.
    static QString NormalizedText(const QString &text);

private slots:
    void FormKeyDown(int &key, Qt::KeyboardModifiers shift);

private:
    QPushButton *AddButton(const QString &caption, int result);
    TMessageBody *m_body = nullptr;
    std::vector<std::pair<QPushButton *, int>> m_buttons;
};
