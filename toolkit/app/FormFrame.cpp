#include "toolkit/app/FormFrame.h"

#include "toolkit/gdi/SystemColors.h"

#include <algorithm>

using namespace FrameMetrics;

int FrameMetrics::SizeableBorder()
{
    return GetSystemMetrics(SM_CXSIZEFRAME);
}
int FrameMetrics::DialogBorder()
{
    return GetSystemMetrics(SM_CXFIXEDFRAME);
}
int FrameMetrics::EdgeWidth()
{
    return GetSystemMetrics(SM_CXEDGE);
}
int FrameMetrics::Caption()
{
    return GetSystemMetrics(SM_CYCAPTION);
}
int FrameMetrics::CaptionBar()
{
    return Caption() - kCaptionLine;
}
int FrameMetrics::MenuBand()
{
    return GetSystemMetrics(SM_CYMENU);
}
int FrameMetrics::CaptionButtonWidth()
{
    return GetSystemMetrics(SM_CXSIZE) - kCaptionButtonInsetX;
}
int FrameMetrics::CaptionButtonHeight()
{
    return GetSystemMetrics(SM_CYSIZE) - kCaptionButtonInsetY;
}

int TFrameLayout::BorderWidth(TFormBorderStyle style)
{
    switch (style) {
    case bsNone: return 0;
    case bsDialog: return DialogBorder();
    case bsSizeable: return SizeableBorder();
    }
    return 0;
}

int TFrameLayout::NonClientHeight(TFormBorderStyle style, bool hasMenu)
{
    if (style == bsNone)
        return 0;
    return 2 * BorderWidth(style) + Caption() + (hasMenu ? MenuBand() : 0);
}

QSize TFrameLayout::OuterSizeFor(TFormBorderStyle style, QSize client, bool hasMenu)
{
    return {client.width() + 2 * BorderWidth(style), client.height() + NonClientHeight(style, hasMenu)};
}

TFrameLayout TFrameLayout::Compute(TFormBorderStyle style, QSize outer, bool hasMenu)
{
    TFrameLayout layout;
    layout.style = style;
    layout.outer = outer;
    layout.border = BorderWidth(style);
    if (style == bsNone) {
        layout.client = QRect(QPoint(0, 0), outer);
        return layout;
    }

    const int b = layout.border;
    const int innerWidth = std::max(0, outer.width() - 2 * b);
    layout.caption = QRect(b, b, innerWidth, CaptionBar());
    int clientTop = b + Caption();
    if (hasMenu) {
        layout.menuBand = QRect(b, clientTop, innerWidth, MenuBand());
        clientTop += MenuBand();
    }
    layout.client = QRect(b, clientTop, innerWidth, std::max(0, outer.height() - clientTop - b));

    const int buttonTop = layout.caption.top() + kCaptionButtonTop;
    const int closeRight = layout.caption.left() + layout.caption.width() - kCloseBoxGap;
    layout.closeBox = QRect(closeRight - CaptionButtonWidth(), buttonTop, CaptionButtonWidth(), CaptionButtonHeight());
    if (style == bsSizeable) {
        const int maximizeRight = layout.closeBox.left() - kCloseBoxGap;
        layout.maximizeBox =
            QRect(maximizeRight - CaptionButtonWidth(), buttonTop, CaptionButtonWidth(), CaptionButtonHeight());
        layout.minimizeBox = layout.maximizeBox.translated(-CaptionButtonWidth(), 0);
    }
    return layout;
}

QRect TFrameLayout::ButtonRect(TCaptionButton button) const
{
    switch (button) {
    case TCaptionButton::Close: return closeBox;
    case TCaptionButton::Maximize: return maximizeBox;
    case TCaptionButton::Minimize: return minimizeBox;
    case TCaptionButton::None: break;
    }
    return {};
}

TFrameHit TFrameLayout::HitTest(QPoint pos) const
{
    if (client.contains(pos) || menuBand.contains(pos) || style == bsNone)
        return TFrameHit::Client;
    // The boxes win over the caption they sit on.
    if (closeBox.contains(pos))
        return TFrameHit::CloseBox;
    if (maximizeBox.contains(pos))
        return TFrameHit::MaximizeBox;
    if (minimizeBox.contains(pos))
        return TFrameHit::MinimizeBox;

    const int x = pos.x(), y = pos.y();
    const int w = outer.width(), h = outer.height();
    const bool onBorder = x < border || y < border || x >= w - border || y >= h - border;
    if (!onBorder)
        return TFrameHit::Caption;
    if (style != bsSizeable)
        return TFrameHit::Border;

    // A corner zone reaches along both of its borders.
    const bool nearLeft = x < kCornerGrip, nearRight = x >= w - kCornerGrip;
    const bool nearTop = y < kCornerGrip, nearBottom = y >= h - kCornerGrip;
    if (nearTop && nearLeft)
        return TFrameHit::TopLeft;
    if (nearTop && nearRight)
        return TFrameHit::TopRight;
    if (nearBottom && nearLeft)
        return TFrameHit::BottomLeft;
    if (nearBottom && nearRight)
        return TFrameHit::BottomRight;
    if (x < border)
        return TFrameHit::Left;
    if (x >= w - border)
        return TFrameHit::Right;
    if (y < border)
        return TFrameHit::Top;
    return TFrameHit::Bottom;
}
