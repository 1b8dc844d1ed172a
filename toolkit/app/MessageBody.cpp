#include "toolkit/app/MessageBody.h"
#include "toolkit/gdi/DeviceScale.h"

#include "toolkit/app/MessageForm.h"
#include "toolkit/app/MessageIcons.h"
#include "toolkit/gdi/Canvas.h"
#include "toolkit/gdi/SystemColors.h"

#include <QPainter>

#include <algorithm>

namespace {

constexpr int kIconTextGap = 12;
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

} // namespace

TMessageBody::TMessageBody(const TMessageBoxRequest &request, QWidget *parent)
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
    // Read out as the label of the box.
    setAccessibleName(m_text);
}

void TMessageBody::paintEvent(QPaintEvent *)
{
    QImage image = WidgetSurface(*this, size());
    TCanvas canvas(&image);
    canvas.Brush().SetColor(clBtnFace);
    canvas.FillRect(TRect(0, 0, width(), height()));
    DrawMessageIcon(canvas, TPoint(0, 0), m_icon);
    canvas.SetFont(MessageFont());
    canvas.Brush().SetStyle(bsClear);
    const int top = (height() - m_textSize.height()) / 2;
    TRect r(m_textLeft, top, m_textLeft + m_textSize.width(), top + m_textSize.height());
    canvas.DrawText(m_text, r, DT_WORDBREAK | DT_NOPREFIX | DT_EXPANDTABS);
    QPainter(this).drawImage(0, 0, image);
}
