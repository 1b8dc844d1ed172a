#include "toolkit/bars/ToolBar.h"
#include "toolkit/gdi/DeviceScale.h"

#include "toolkit/bars/ToolButton.h"
#include "toolkit/controls/GraphicControl.h"
#include "toolkit/gdi/Bevel.h"
#include "toolkit/gdi/ImageList.h"
#include "toolkit/menus/PopupMenu.h"
#include "toolkit/menus/PopupMenuWindow.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

#include <algorithm>

namespace {

// Room around the caption of a button whose caption sits below the image.
constexpr int kCaptionSidePadding = 4;
// Below the caption and above the image of a button with a caption.
constexpr int kCaptionBottomPadding = 6;
constexpr int kImageTopPadding = 4;
// List layout: image inset, gap between image and caption, room after it.
constexpr int kListImageInset = 3;
constexpr int kListCaptionGap = 6;
constexpr int kListCaptionEnd = 6;
constexpr int kListVerticalPadding = 6;
// The arrow of a drop-down button: its left edge inside the arrow part and
// its three rows.
constexpr int kArrowInset = 4;
constexpr int kArrowWidths[] = {5, 3, 1};

// A classic one-pixel edge: raised (light above and left) or sunken.
void DrawEdge(TCanvas &canvas, TRect r, bool sunken)
{
    Frame3D(canvas, r, sunken ? clBtnShadow : clBtnHighlight, sunken ? clBtnHighlight : clBtnShadow, 1);
}

void DrawArrow(TCanvas &canvas, const TRect &part, TColor color)
{
    canvas.Pen().SetColor(color);
    const int x = part.Left + kArrowInset;
    int y = part.Top + (part.Height() - static_cast<int>(std::size(kArrowWidths))) / 2;
    int shift = 0;
    for (int width : kArrowWidths) {
        canvas.MoveTo(x + shift, y);
        canvas.LineTo(x + shift + width, y);
        ++y;
        ++shift;
    }
}

// Whether the list holds an image for the index.
bool HasImage(const TImageList *images, int index)
{
    return images && index != -1 && index <= images->Count() - 1;
}

} // namespace

TToolBar::TToolBar(QWidget *parent)
    : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
}

TToolBar::~TToolBar()
{
    // The buttons go first, while the tool bar they leave is still whole.
    const std::vector<TToolButton *> buttons = m_buttons;
    m_buttons.clear();
    for (TToolButton *button : buttons) {
        button->m_toolBar = nullptr;
        delete button;
    }
}

TToolButton *TToolBar::Buttons(int index) const
{
    if (index < 0 || index >= ButtonCount())
        return nullptr;
    return m_buttons[static_cast<std::size_t>(index)];
}

int TToolBar::IndexOf(const TToolButton *button) const
{
    const auto it = std::find(m_buttons.begin(), m_buttons.end(), button);
    return it == m_buttons.end() ? -1 : static_cast<int>(it - m_buttons.begin());
}

void TToolBar::Insert(TToolButton *button)
{
    m_buttons.push_back(button);
    Relayout();
    update();
}

void TToolBar::Remove(TToolButton *button)
{
    std::erase(m_buttons, button);
    if (m_hotButton == button)
        m_hotButton = nullptr;
    if (m_pressedButton == button)
        m_pressedButton = nullptr;
    if (m_droppedButton == button)
        m_droppedButton = nullptr;
    Relayout();
    update();
}

void TToolBar::SetColor(TColor color)
{
    if (m_color == color)
        return;
    m_color = color;
    update();
}

void TToolBar::SetFlat(bool flat)
{
    if (m_flat == flat)
        return;
    m_flat = flat;
    update();
}

void TToolBar::SetTransparent(bool transparent)
{
    if (m_transparent == transparent)
        return;
    m_transparent = transparent;
    update();
}

void TToolBar::SetShowCaptions(bool show)
{
    if (m_showCaptions == show)
        return;
    m_showCaptions = show;
    Relayout();
    update();
}

void TToolBar::SetList(bool list)
{
    if (m_list == list)
        return;
    m_list = list;
    Relayout();
    update();
}

void TToolBar::SetFont(const TFont &font)
{
    m_font.Assign(font);
    Relayout();
    update();
}

void TToolBar::SetButtonWidth(int width)
{
    if (width < 1 || m_buttonWidth == width)
        return;
    m_buttonWidth = width;
    Relayout();
    update();
}

void TToolBar::SetButtonHeight(int height)
{
    if (height < 1 || m_buttonHeight == height)
        return;
    m_buttonHeight = height;
    Relayout();
    update();
}

void TToolBar::SetImages(TImageList *images)
{
    m_images = images;
    Relayout();
    update();
}

void TToolBar::SetHotImages(TImageList *images)
{
    m_hotImages = images;
    update();
}

void TToolBar::SetDisabledImages(TImageList *images)
{
    m_disabledImages = images;
    update();
}

void TToolBar::SetOnCustomDrawButton(TTBCustomDrawBtnEvent handler, const void *key)
{
    m_onCustomDrawButton = std::move(handler);
    m_onCustomDrawButtonKey = m_onCustomDrawButton ? key : nullptr;
    update();
}

TCustomDrawState TToolBar::ButtonState(const TToolButton &button) const
{
    TCustomDrawState state;
    const bool pointerOver = m_hotButton == &button;
    // While a button is held, only that one follows the pointer.
    if (m_flat && pointerOver && button.Enabled() && (!m_pressedButton || m_pressedButton == &button))
        state = state | cdsHot;
    if ((m_pressedButton == &button && pointerOver) || m_droppedButton == &button)
        state = state | cdsSelected;
    if (button.Down())
        state = state | cdsChecked;
    if (!button.Enabled())
        state = state | cdsDisabled;
    if (button.Indeterminate())
        state = state | cdsIndeterminate;
    return state;
}

TToolButton *TToolBar::ButtonAt(const QPoint &pos) const
{
    for (TToolButton *button : m_buttons)
        if (!button->IsSeparator() && button->BoundsRect().Contains(pos.x(), pos.y()))
            return button;
    return nullptr;
}

TSize TToolBar::ButtonSize(const TToolButton &button) const
{
    QImage probe(1, 1, QImage::Format_RGB32);
    TCanvas canvas(&probe);
    canvas.SetFont(m_font);
    const int imageWidth = m_images ? m_images->Width() : 0;
    const int imageHeight = m_images ? m_images->Height() : 0;
    if (!m_showCaptions)
        return {m_buttonWidth, m_buttonHeight};
    const int textWidth = canvas.TextWidth(button.Caption());
    const int textHeight = canvas.TextHeight(QStringLiteral("W"));
    if (m_list) {
        const int width = kListImageInset + imageWidth + kListCaptionGap + textWidth + kListCaptionEnd;
        return {std::max(m_buttonWidth, width),
                std::max(m_buttonHeight, std::max(imageHeight, textHeight) + kListVerticalPadding)};
    }
    return {std::max(m_buttonWidth, textWidth + 2 * kCaptionSidePadding),
            std::max(m_buttonHeight, kImageTopPadding + imageHeight + textHeight + kCaptionBottomPadding)};
}

void TToolBar::Relayout()
{
    // Buttons share one height; without list layout they share one width too.
    TSize common{0, 0};
    for (const TToolButton *button : m_buttons) {
        if (button->IsSeparator())
            continue;
        const TSize size = ButtonSize(*button);
        common.cx = std::max(common.cx, size.cx);
        common.cy = std::max(common.cy, size.cy);
    }
    if (common.cy == 0)
        common.cy = m_buttonHeight;
    int x = 0;
    for (TToolButton *button : m_buttons) {
        int width = button->Width();
        if (!button->IsSeparator()) {
            width = m_list ? ButtonSize(*button).cx : common.cx;
            if (button->Style() == tbsDropDown)
                width += kDropDownWidth;
        }
        button->m_bounds = TRect(x, 0, x + width, common.cy);
        x += width;
    }
    updateGeometry();
}

void TToolBar::PaintOn(QImage &image)
{
    m_canvas.SetImage(&image);
    m_canvas.SetFont(m_font);
    if (m_transparent)
        PaintParentBeneath(this, m_canvas);
    else
        m_canvas.FillSolidRect(TRect(0, 0, width(), height()), m_color);
    // A button's own drawing may reach over the gap before it, so the
    // buttons are painted in their order.
    for (TToolButton *button : m_buttons)
        PaintButton(*button);
    m_canvas.SetImage(nullptr);
}

void TToolBar::PaintButton(TToolButton &button)
{
    TCanvas &canvas = m_canvas;
    const TRect b = button.BoundsRect();
    if (button.Style() == tbsDivider) {
        const int middle = b.Left + b.Width() / 2;
        canvas.FillSolidRect(TRect(middle - 1, b.Top, middle, b.Bottom), clBtnShadow);
        canvas.FillSolidRect(TRect(middle, b.Top, middle + 1, b.Bottom), clBtnHighlight);
        return;
    }
    if (button.IsSeparator())
        return;
    const TCustomDrawState state = ButtonState(button);
    if (m_onCustomDrawButton) {
        bool defaultDraw = true;
        canvas.Save();
        m_onCustomDrawButton(this, &button, state, defaultDraw);
        canvas.Restore();
        if (!defaultDraw)
            return;
    }

    const bool dropDown = button.Style() == tbsDropDown;
    const TRect face = dropDown ? TRect(b.Left, b.Top, b.Right - kDropDownWidth, b.Bottom) : b;
    const TRect arrowPart(face.Right, b.Top, b.Right, b.Bottom);
    const bool sunken = state.Contains(cdsSelected) || state.Contains(cdsChecked);
    const bool arrowSunken = state.Contains(cdsSelected) && (m_pressedOnArrow || m_droppedButton == &button);
    const bool framed = sunken || !m_flat || state.Contains(cdsHot);
    if (framed) {
        DrawEdge(canvas, face, sunken);
        if (dropDown)
            DrawEdge(canvas, arrowPart, arrowSunken);
    }
    if (dropDown)
        DrawArrow(canvas, arrowPart, button.Enabled() ? clBlack : clBtnShadow);

    const int shift = sunken ? 1 : 0;
    const int index = button.ImageIndex();
    const TImageList *source = m_images;
    bool drawEnabled = button.Enabled();
    if (state.Contains(cdsHot) && HasImage(m_hotImages, index))
        source = m_hotImages;
    else if (!button.Enabled() && HasImage(m_disabledImages, index)) {
        source = m_disabledImages;
        drawEnabled = true;
    }
    const int imageWidth = HasImage(source, index) ? source->Width() : 0;
    const int imageHeight = HasImage(source, index) ? source->Height() : 0;
    const int textHeight = canvas.TextHeight(QStringLiteral("W"));
    int imageLeft = face.Left + (face.Width() - imageWidth) / 2;
    int imageTop = face.Top + (face.Height() - imageHeight) / 2;
    if (m_showCaptions && m_list)
        imageLeft = face.Left + kListImageInset;
    else if (m_showCaptions)
        imageTop = face.Top + kImageTopPadding;
    if (imageWidth > 0)
        source->Draw(canvas, imageLeft + shift, imageTop + shift, index, drawEnabled);

    if (!m_showCaptions || button.Caption().isEmpty())
        return;
    TRect text = face;
    unsigned format = DT_SINGLELINE;
    if (m_list) {
        text.Left = imageLeft + imageWidth + (imageWidth > 0 ? kListCaptionGap : 0);
        format |= DT_VCENTER;
    } else {
        text.Top = face.Bottom - textHeight - kCaptionBottomPadding;
        format |= DT_CENTER;
    }
    if (button.UseRightToLeftReading())
        format |= DT_RTLREADING;
    text = text.Offset(shift, shift);
    canvas.Brush().SetStyle(bsClear);
    if (!button.Enabled()) {
        // The classic engraved caption: a light copy one pixel down and right.
        TRect light = text.Offset(1, 1);
        canvas.Font().SetColor(clBtnHighlight);
        canvas.DrawText(button.Caption(), light, format);
        canvas.Font().SetColor(clBtnShadow);
    } else {
        canvas.Font().SetColor(m_font.Color());
    }
    canvas.DrawText(button.Caption(), text, format);
}

void TToolBar::paintEvent(QPaintEvent *event)
{
    QImage image = WidgetSurface(*this, size());
    PaintOn(image);
    QPainter painter(this);
    painter.setClipRegion(event->region());
    painter.drawImage(0, 0, image);
}

void TToolBar::SetHotButton(TToolButton *button)
{
    if (m_hotButton == button)
        return;
    m_hotButton = button;
    update();
}

void TToolBar::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return;
    TToolButton *button = ButtonAt(event->position().toPoint());
    if (!button || !button->Enabled())
        return;
    SetHotButton(button);
    m_pressedButton = button;
    m_pressedOnArrow =
        button->Style() == tbsDropDown && event->position().x() >= button->BoundsRect().Right - kDropDownWidth;
    update();
    if (m_pressedOnArrow && button->DropdownMenu()) {
        const TRect b = button->BoundsRect();
        const QPoint below = mapToGlobal(QPoint(b.Left, b.Bottom));
        m_pressedButton = nullptr;
        button->DropdownMenu()->Popup(below.x(), below.y());
        // The button stays selected while its menu is open, wherever the
        // pointer goes.
        if (TPopupMenuWindow *window = button->DropdownMenu()->Window()) {
            m_droppedButton = button;
            const auto released = [this, button] {
                if (m_droppedButton == button) {
                    m_droppedButton = nullptr;
                    update();
                }
            };
            connect(window, &TPopupMenuWindow::Closed, this, released);
            connect(window, &QObject::destroyed, this, released);
        }
    }
}

void TToolBar::mouseMoveEvent(QMouseEvent *event)
{
    SetHotButton(ButtonAt(event->position().toPoint()));
}

void TToolBar::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton || !m_pressedButton)
        return;
    TToolButton *button = m_pressedButton;
    m_pressedButton = nullptr;
    update();
    if (ButtonAt(event->position().toPoint()) == button && !m_pressedOnArrow)
        button->Click();
}

void TToolBar::leaveEvent(QEvent *event)
{
    SetHotButton(nullptr);
    QWidget::leaveEvent(event);
}

void TToolBar::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::EnabledChange)
        update();
    QWidget::changeEvent(event);
}
