#include "toolkit/app/MessageForm.h"

#include "toolkit/app/MessageBody.h"

#include <QPushButton>
#include <QRegularExpression>

namespace {

constexpr int kMargin = 12;
constexpr int kContentButtonGap = 14;
constexpr int kButtonWidth = 75;
constexpr int kButtonHeight = 23;
constexpr int kButtonGap = 6;

} // namespace

TMessageForm::TMessageForm(const TMessageBoxRequest &request)
{
    SetBorderStyle(bsDialog);
    SetPosition(poScreenCenter);
    SetKeyPreview(true);
    SetCaption(request.caption);
    BindHandlers();

    m_body = new TMessageBody(request, ClientArea());
    AddButton(MsgText::kOk, IDOK);
    if (request.buttons == TMsgButtons::OKCancel)
        AddButton(MsgText::kCancel, IDCANCEL);

    const int buttonsWidth = int(m_buttons.size()) * kButtonWidth + int(m_buttons.size() - 1) * kButtonGap;
    const int clientWidth = std::max(m_body->width(), buttonsWidth) + 2 * kMargin;
    const int buttonsTop = kMargin + m_body->height() + kContentButtonGap;
    m_body->move(kMargin, kMargin);
    int x = (clientWidth - buttonsWidth) / 2;
    for (const auto &[button, result] : m_buttons) {
        button->setGeometry(x, buttonsTop, kButtonWidth, kButtonHeight);
        x += kButtonWidth + kButtonGap;
    }
    SetClientSize(clientWidth, buttonsTop + kButtonHeight + kMargin);
    m_buttons.front().first->setFocus();
}

QPushButton *TMessageForm::AddButton(const QString &caption, int result)
{
    auto *button = new QPushButton(caption, ClientArea());
    button->setAutoDefault(true);
    connect(button, &QPushButton::clicked, this, [this, result] { SetModalResult(result); });
    m_buttons.emplace_back(button, result);
    return button;
}

QPushButton *TMessageForm::Button(int result) const
{
    for (const auto &[button, answer] : m_buttons) {
        if (answer == result)
            return button;
    }
    return nullptr;
}

void TMessageForm::FormKeyDown(int &key, Qt::KeyboardModifiers)
{
    if (key == Qt::Key_Escape) {
        key = 0;
        SetModalResult(IDCANCEL);
    }
}

QString TMessageForm::NormalizedText(const QString &text)
{
    static const QRegularExpression lineBreak(QStringLiteral("\r\n|\n\r|\r|\n"));
    QString result = text;
    return result.replace(lineBreak, QStringLiteral("\n"));
}
