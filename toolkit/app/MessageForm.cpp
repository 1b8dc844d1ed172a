#include "toolkit/gdi/DeviceScale.h"
#include "toolkit/app/MessageForm.h"

#include "toolkit/gdi/Canvas.h"
#include "toolkit/app/MessageIcons.h"
#include "toolkit/gdi/SystemColors.h"

#include <QPainter>
#include <QPushButton>
#include <QRegularExpression>

namespace {

constexpr int kMargin = 12;
constexpr int kIconTextGap = 12;
constexpr int kContentButtonGap = 14;
constexpr int kButtonWidth = 75;
constexpr int kButtonHeight = 23;
constexpr int kButtonGap = 6;
constexpr int kFontHeight = -11;
// The widest text line, as a share of the screen width.
constexpr int kMaxTextWidthNumerator = 5;
constexpr int kMaxTextWidthDenominator = 8;

TFont MessageFont()
{
    TFont font;
    font.SetName(QStringLiteral("Tahoma"));
    font.SetHeight(kFontHeight);
    font.SetColor(clWindowText);
    return font;
}

// The icon and the text of a box, painted on the face colour.
class MessageBody : public QWidget
{
public:
    MessageBody(const TMessageBoxRequest &request, QWidget *parent)
        : QWidget(parent)
        , m_icon(request.icon)
        , m_text(TMessageForm::NormalizedText(request.text))
    {
        QImage probe(1, 1, QImage::Format_RGB32);
        TCanvas canvas(&probe);
        canvas.SetFont(MessageFont());
        const int widest = GetSystemMetrics(SM_CXSCREEN) * kMaxTextWidthNumerator / kMaxTextWidthDenominator;
        TRect bounds(0, 0, widest, 0);
        canvas.DrawText(m_text, bounds, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX | DT_EXPANDTABS);
        m_textSize = QSize(bounds.Width(), bounds.Height());

        const int iconWidth = m_icon == TMsgIcon::None ? 0 : kMessageIconSize + kIconTextGap;
        const int iconHeight = m_icon == TMsgIcon::None ? 0 : kMessageIconSize;
        setFixedSize(iconWidth + m_textSize.width(), std::max(iconHeight, m_textSize.height()));
        m_textLeft = iconWidth;
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QImage image = WidgetSurface(*this, size());
        TCanvas canvas(&image);
        canvas.Brush().SetColor(clBtnFace);
        canvas.FillRect(TRect(0, 0, width(), height()));
        DrawMessageIcon(canvas, TPoint(0, 0), m_icon);
        canvas.SetFont(MessageFont());
        canvas.Brush().SetStyle(bsClear);
        // A text lower than the icon is centred beside it.
        const int top = (height() - m_textSize.height()) / 2;
        TRect r(m_textLeft, top, m_textLeft + m_textSize.width(), top + m_textSize.height());
        canvas.DrawText(m_text, r, DT_WORDBREAK | DT_NOPREFIX | DT_EXPANDTABS);
        QPainter(this).drawImage(0, 0, image);
    }

private:
    TMsgIcon m_icon;
    QString m_text;
    QSize m_textSize;
    int m_textLeft = 0;
};

} // namespace

TMessageForm::TMessageForm(const TMessageBoxRequest &request)
{
    SetBorderStyle(bsDialog);
    SetPosition(poScreenCenter);
    SetKeyPreview(true);
    SetCaption(request.caption);
    BindHandlers();

    auto *body = new MessageBody(request, ClientArea());
    AddButton(MsgText::kOk, IDOK);
    if (request.buttons == TMsgButtons::OKCancel)
        AddButton(MsgText::kCancel, IDCANCEL);

    const int buttonsWidth = int(m_buttons.size()) * kButtonWidth + int(m_buttons.size() - 1) * kButtonGap;
    const int clientWidth = std::max(body->width(), buttonsWidth) + 2 * kMargin;
    const int buttonsTop = kMargin + body->height() + kContentButtonGap;
    body->move(kMargin, kMargin);
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
