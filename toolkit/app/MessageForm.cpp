#include "toolkit/app/MessageForm.h"

#include "toolkit/gdi/Canvas.h"
#include "toolkit/app/MessageIcons.h"
#include "toolkit/gdi/SystemColors.h"

#include <QPainter>
#include <QPushButton>
#include <QRegularExpression>

namespace {

constexpr int Margin = 12;
constexpr int IconTextGap = 12;
constexpr int ContentButtonGap = 14;
constexpr int ButtonWidth = 75;
constexpr int ButtonHeight = 23;
constexpr int ButtonGap = 6;
constexpr int FontHeight = -11;
// The widest text line, as a share of the screen width.
constexpr int MaxTextWidthNumerator = 5;
constexpr int MaxTextWidthDenominator = 8;

TFont MessageFont()
{
    TFont font;
    font.SetName(QStringLiteral("Tahoma"));
    font.SetHeight(FontHeight);
    font.SetColor(clWindowText);
    return font;
}

// The icon and the text of a box, painted on the face colour.
class MessageBody : public QWidget
{
public:
    MessageBody(const TMessageBoxRequest &request, QWidget *parent)
        : QWidget(parent)
        , icon_(request.icon)
        , text_(TMessageForm::NormalizedText(request.text))
    {
        QImage probe(1, 1, QImage::Format_RGB32);
        TCanvas canvas(&probe);
        canvas.SetFont(MessageFont());
        const int widest = GetSystemMetrics(SM_CXSCREEN) * MaxTextWidthNumerator / MaxTextWidthDenominator;
        TRect bounds(0, 0, widest, 0);
        canvas.DrawText(text_, bounds, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX | DT_EXPANDTABS);
        textSize_ = QSize(bounds.Width(), bounds.Height());

        const int iconWidth = icon_ == TMsgIcon::None ? 0 : MessageIconSize + IconTextGap;
        const int iconHeight = icon_ == TMsgIcon::None ? 0 : MessageIconSize;
        setFixedSize(iconWidth + textSize_.width(), std::max(iconHeight, textSize_.height()));
        textLeft_ = iconWidth;
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QImage image(size(), QImage::Format_RGB32);
        TCanvas canvas(&image);
        canvas.Brush().SetColor(clBtnFace);
        canvas.FillRect(TRect(0, 0, width(), height()));
        DrawMessageIcon(canvas, TPoint(0, 0), icon_);
        canvas.SetFont(MessageFont());
        canvas.Brush().SetStyle(bsClear);
        // A text lower than the icon is centred beside it.
        const int top = (height() - textSize_.height()) / 2;
        TRect r(textLeft_, top, textLeft_ + textSize_.width(), top + textSize_.height());
        canvas.DrawText(text_, r, DT_WORDBREAK | DT_NOPREFIX | DT_EXPANDTABS);
        QPainter(this).drawImage(0, 0, image);
    }

private:
    TMsgIcon icon_;
    QString text_;
    QSize textSize_;
    int textLeft_ = 0;
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
    AddButton(MsgText::OK, IDOK);
    if (request.buttons == TMsgButtons::OKCancel)
        AddButton(MsgText::Cancel, IDCANCEL);

    const int buttonsWidth = int(buttons_.size()) * ButtonWidth + int(buttons_.size() - 1) * ButtonGap;
    const int clientWidth = std::max(body->width(), buttonsWidth) + 2 * Margin;
    const int buttonsTop = Margin + body->height() + ContentButtonGap;
    body->move(Margin, Margin);
    int x = (clientWidth - buttonsWidth) / 2;
    for (const auto &[button, result] : buttons_) {
        button->setGeometry(x, buttonsTop, ButtonWidth, ButtonHeight);
        x += ButtonWidth + ButtonGap;
    }
    SetClientSize(clientWidth, buttonsTop + ButtonHeight + Margin);
    buttons_.front().first->setFocus();
}

QPushButton *TMessageForm::AddButton(const QString &caption, int result)
{
    auto *button = new QPushButton(caption, ClientArea());
    button->setAutoDefault(true);
    connect(button, &QPushButton::clicked, this, [this, result] { SetModalResult(result); });
    buttons_.emplace_back(button, result);
    return button;
}

QPushButton *TMessageForm::Button(int result) const
{
    for (const auto &[button, answer] : buttons_) {
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
