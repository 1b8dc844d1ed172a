#include "components/FlatBtn.h"

#include "components/FlatBtn/CaptionBreaker.h"
#include "components/FlatBtn/FlatBtnAccessible.h"
#include "components/FlatBtn/FlatBtnLayout.h"
#include "components/FlatBtn/FlatBtnMetrics.h"
#include "components/FlatBtn/FlatBtnOutline.h"
#include "components/FlatBtn/GlyphDrawing.h"
#include "toolkit/app/ErrorReporting.h"
#include "toolkit/app/Form.h"
#include "toolkit/app/MessageBox.h"
#include "toolkit/gdi/Accelerator.h"
#include "toolkit/gdi/Canvas.h"
#include "toolkit/gdi/DeviceScale.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScopedValueRollback>

#include <algorithm>
#include <array>

// The bitmaps live in a static library; referencing the resource's
// initialiser keeps the linker from dropping them.
static void initFlatBtnResources()
{
    static const bool done = [] {
        Q_INIT_RESOURCE(flatbtn);
        return true;
    }();
    (void)done;
}

namespace {

constexpr auto kAboutText = "TFlatGlyphButton Component v1.91";

// First resource number of each built-in set (hot, disabled, pressed,
// normal follow in this order).
constexpr int kButtonSet = 1;
constexpr int kRoundRadioSet = 5;
constexpr int kUpSet = 9;
constexpr int kDownSet = 13;
constexpr int kCutCornerRadioSet = 17;
constexpr int kHintSet = 21;

int builtinSetFor(TFlatBtnType type, bool cutCornerLook)
{
    switch (type) {
    case bsButton: return kButtonSet;
    case bsRadioButton: return cutCornerLook ? kCutCornerRadioSet : kRoundRadioSet;
    case bsUpButton: return kUpSet;
    case bsDownButton: return kDownSet;
    case bsHintButton: return kHintSet;
    }
    return kButtonSet;
}

QString glyphResourceName(int number)
{
    return QStringLiteral("FLATBTN_%1").arg(number);
}

TForm *parentFormOf(const QWidget *widget)
{
    for (QWidget *w = widget->parentWidget(); w; w = w->parentWidget())
        if (auto *form = qobject_cast<TForm *>(w))
            return form;
    return nullptr;
}

} // namespace

// The text rectangle's size from caption measuring.
struct TFlatGlyphButton::TTextBox {
    int width = 0;
    int height = 0;
};

TFlatGlyphButton::TFlatGlyphButton(QWidget *parent)
    : QWidget(parent)
{
    initFlatBtnResources();
    TFlatBtnAccessible::Install();
    LoadBuiltinGlyphs();
    resize(FlatBtnMetrics::kDefaultWidth, FlatBtnMetrics::kDefaultHeight);
    SetTabStop(true);
    // The button paints every pixel itself: no background erase.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
    setMouseTracking(true);
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget *, QWidget *now) {
        if (now && now->window() == window())
            update();
    });
}

TFlatGlyphButton::~TFlatGlyphButton() = default;

// ---------------------------------------------------------------- settings

void TFlatGlyphButton::SetAbout(TFlatBtnAbout about)
{
    if (about == m_about || about != abAbout)
        return;
    MessageBox(QString::fromLatin1(kAboutText), QStringLiteral("Information"), TMsgIcon::Information, TMsgButtons::OK);
}

void TFlatGlyphButton::SetAutoHeight(bool on)
{
    if (on == m_autoHeight)
        return;
    m_autoHeight = on;
    AdjustIfAutoHeight();
    update();
}

void TFlatGlyphButton::SetDefault(bool on)
{
    if (on == m_default)
        return;
    m_default = on;
    BroadcastFocusChanged();
}

void TFlatGlyphButton::SetCutCornerLook(bool on)
{
    if (on == m_cutCornerLook)
        return;
    m_cutCornerLook = on;
    m_activeColor = kDefaultActiveColor;
    m_activeOutlineColor = kDefaultActiveOutlineColor;
    m_inactiveColor = kDefaultInactiveColor;
    if (on) {
        m_activeOutlineColor2 = kDefaultActiveOutlineColor2;
        m_color = kCutCornerColor;
        if (m_controlType == bsButton)
            m_showGlyph = false;
    } else {
        m_mouseState = TFlatBtnMouseState::Normal;
        m_color = kRoundColor;
        m_showGlyph = true;
    }
    if (m_controlType == bsRadioButton)
        LoadBuiltinGlyphs();
    update();
}

void TFlatGlyphButton::SetActiveGlyph(const TBitmap &glyph)
{
    m_activeGlyph.Assign(glyph);
    AdjustIfAutoHeight();
    update();
}

void TFlatGlyphButton::SetDisabledGlyph(const TBitmap &glyph)
{
    m_disabledGlyph.Assign(glyph);
    AdjustIfAutoHeight();
    update();
}

void TFlatGlyphButton::SetDownActiveGlyph(const TBitmap &glyph)
{
    m_downActiveGlyph.Assign(glyph);
    AdjustIfAutoHeight();
    update();
}

void TFlatGlyphButton::SetInactiveGlyph(const TBitmap &glyph)
{
    m_inactiveGlyph.Assign(glyph);
    AdjustIfAutoHeight();
    update();
}

namespace {
template <class T> bool storeIfChanged(T &field, const T &value)
{
    if (field == value)
        return false;
    field = value;
    return true;
}
} // namespace

void TFlatGlyphButton::SetActiveColor(TColor color)
{
    if (storeIfChanged(m_activeColor, color))
        update();
}

void TFlatGlyphButton::SetActiveOutlineColor(TColor color)
{
    if (storeIfChanged(m_activeOutlineColor, color))
        update();
}

void TFlatGlyphButton::SetActiveOutlineColor2(TColor color)
{
    if (storeIfChanged(m_activeOutlineColor2, color))
        update();
}

void TFlatGlyphButton::SetInactiveColor(TColor color)
{
    if (storeIfChanged(m_inactiveColor, color))
        update();
}

void TFlatGlyphButton::SetTransparentColor(TColor color)
{
    if (storeIfChanged(m_transparentColor, color))
        update();
}

void TFlatGlyphButton::SetColor(TColor color)
{
    if (storeIfChanged(m_color, color))
        update();
}

void TFlatGlyphButton::SetCaption(const QString &caption)
{
    if (!storeIfChanged(m_caption, caption))
        return;
    AdjustIfAutoHeight();
    update();
}

void TFlatGlyphButton::SetControlType(TFlatBtnType type)
{
    if (type == m_controlType)
        return;
    m_controlType = type;
    LoadBuiltinGlyphs();
    if (type != bsButton && (m_position == bsLeft || m_position == bsRight))
        m_position = bsTop;
    AdjustIfAutoHeight();
    SetShowGlyph(!(type == bsButton && m_cutCornerLook));
    update();
}

void TFlatGlyphButton::SetPosition(TGlyphPosition position)
{
    if (position == m_position)
        return;
    // Only the push button has room for a glyph beside the caption.
    if (m_controlType != bsButton && (position == bsLeft || position == bsRight))
        position = bsTop;
    m_position = position;
    AdjustIfAutoHeight();
    update();
}

void TFlatGlyphButton::SetShowGlyph(bool on)
{
    if (!storeIfChanged(m_showGlyph, on))
        return;
    AdjustIfAutoHeight();
    update();
}

void TFlatGlyphButton::SetUseCustomGlyphs(bool on)
{
    if (!storeIfChanged(m_useCustomGlyphs, on))
        return;
    AdjustIfAutoHeight();
    update();
}

void TFlatGlyphButton::SetWordWrap(bool on)
{
    if (!storeIfChanged(m_wordWrap, on))
        return;
    AdjustIfAutoHeight();
    update();
}

void TFlatGlyphButton::SetFont(const TFont &font)
{
    if (m_font.SameAs(font))
        return;
    m_font.Assign(font);
    update();
}

bool TFlatGlyphButton::TabStop() const
{
    return focusPolicy() == Qt::TabFocus;
}

// The mouse never moves the focus through Qt's policy: a press gives the
// button the focus itself (see TakeFocusForPress).
void TFlatGlyphButton::SetTabStop(bool on)
{
    setFocusPolicy(on ? Qt::TabFocus : Qt::NoFocus);
}

// ------------------------------------------------------------------ glyphs

void TFlatGlyphButton::LoadBuiltinGlyphs()
{
    const int first = builtinSetFor(m_controlType, m_cutCornerLook);
    const std::array<TBitmap *, 4> targets{&m_builtinHotGlyph, &m_builtinDisabledGlyph, &m_builtinPressedGlyph,
                                           &m_builtinNormalGlyph};
    for (int i = 0; i < int(targets.size()); ++i)
        targets[i]->LoadFromResourceName(glyphResourceName(first + i));
}

// Disabled wins over every mouse state; an empty custom glyph falls back to
// InactiveGlyph.
const TBitmap &TFlatGlyphButton::SelectedGlyph() const
{
    auto customOr = [this](const TBitmap &custom) -> const TBitmap & {
        return custom.Empty() ? m_inactiveGlyph : custom;
    };
    if (!isEnabled())
        return m_useCustomGlyphs ? customOr(m_disabledGlyph) : m_builtinDisabledGlyph;
    switch (m_mouseState) {
    case TFlatBtnMouseState::Hot: return m_useCustomGlyphs ? customOr(m_activeGlyph) : m_builtinHotGlyph;
    case TFlatBtnMouseState::Pressed: return m_useCustomGlyphs ? customOr(m_downActiveGlyph) : m_builtinPressedGlyph;
    case TFlatBtnMouseState::Normal:
    case TFlatBtnMouseState::PressedAway: break;
    }
    return m_useCustomGlyphs ? m_inactiveGlyph : m_builtinNormalGlyph;
}

// The glyph as painted: a disabled button with custom glyphs but no
// DisabledGlyph shows InactiveGlyph embossed, made anew on every paint.
TBitmap TFlatGlyphButton::GlyphToDraw() const
{
    if (!isEnabled() && m_useCustomGlyphs && m_disabledGlyph.Empty())
        return MakeDisabledGlyph(m_inactiveGlyph);
    return SelectedGlyph();
}

// --------------------------------------------------------------- measuring

TFlatGlyphButton::TTextBox TFlatGlyphButton::MeasureCaption(TCanvas &canvas, int glyphWidth)
{
    m_wrapWidth = CaptionWrapWidth(width(), glyphWidth, m_showGlyph, m_controlType, m_position);
    const TCaptionBreaker breaker([&canvas](const QString &text) { return canvas.TextWidth(text); });
    m_captionLines = breaker.Break(m_caption, m_wrapWidth);
    const int captionWidth = canvas.TextWidth(m_caption);
    if (captionWidth > m_wrapWidth)
        return {m_wrapWidth, canvas.TextHeight(QStringLiteral("0")) * int(m_captionLines.size())};
    m_wrapWidth = captionWidth;
    return {captionWidth, canvas.TextHeight(m_caption)};
}

void TFlatGlyphButton::AdjustIfAutoHeight()
{
    if (m_autoHeight)
        AdjustHeight();
}

void TFlatGlyphButton::AdjustHeight()
{
    TBitmap buffer(width(), height());
    TCanvas &canvas = buffer.Canvas();
    canvas.SetFont(m_font);
    const TBitmap &glyph = SelectedGlyph();
    const int textHeight = m_wordWrap ? MeasureCaption(canvas, glyph.Width()).height : canvas.TextHeight(m_caption);
    resize(width(), FittingHeight(textHeight, glyph.Height(), m_showGlyph, m_controlType, m_position));
}

// ------------------------------------------------------------ mouse states

void TFlatGlyphButton::SetMouseState(TFlatBtnMouseState state)
{
    if (storeIfChanged(m_mouseState, state))
        update();
}

// The topmost widget at the point decides, disabled widgets included: a
// control covering part of the button hides that part from it.
bool TFlatGlyphButton::IsPointerOver(const QPoint &globalPos) const
{
    return QApplication::widgetAt(globalPos) == this;
}

bool TFlatGlyphButton::CanFocus() const
{
    return isVisible() && isEnabled();
}

// Gives the button the focus before a press is handled. Clicks are
// suppressed meanwhile, since taking the focus may run other controls' code.
// Returns false when another control kept the focus: the press is dropped.
// A click into an inactive window activates it only later, so there the
// button counts as focused once it is its window's focus widget.
bool TFlatGlyphButton::TakeFocusForPress()
{
    if (hasFocus())
        return true;
    {
        const QScopedValueRollback suppressed(m_clicksSuppressed, true);
        setFocus(Qt::MouseFocusReason);
    }
    return window()->focusWidget() == this;
}

void TFlatGlyphButton::mousePressEvent(QMouseEvent *event)
{
    const QPoint globalPos = event->globalPosition().toPoint();
    if (event->button() == Qt::LeftButton) {
        if (!TakeFocusForPress())
            return;
        m_pressBegan = true;
        if (IsPointerOver(globalPos)) {
            SetMouseState(TFlatBtnMouseState::Pressed);
            grabMouse();
        }
        return;
    }
    if (event->button() == Qt::RightButton && PopupMenu() && IsPointerOver(globalPos)) {
        SetMouseState(TFlatBtnMouseState::Normal);
        releaseMouse();
    }
}

// The second press of a double click reports the double click and takes
// the focus, but neither presses the button nor clicks it.
void TFlatGlyphButton::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return;
    if (!TakeFocusForPress())
        return;
    emit DblClicked();
}

void TFlatGlyphButton::mouseMoveEvent(QMouseEvent *event)
{
    const bool over = IsPointerOver(event->globalPosition().toPoint());
    if (m_mouseState == TFlatBtnMouseState::Pressed && !over)
        SetMouseState(TFlatBtnMouseState::PressedAway);
    else if (m_mouseState == TFlatBtnMouseState::PressedAway && over)
        SetMouseState(TFlatBtnMouseState::Pressed);

    if (m_mouseState == TFlatBtnMouseState::Normal && over) {
        SetMouseState(TFlatBtnMouseState::Hot);
        emit MouseEntered();
        if (isVisible())
            grabMouse();
    } else if (m_mouseState == TFlatBtnMouseState::Hot && !over) {
        SetMouseState(TFlatBtnMouseState::Normal);
        emit MouseExited();
        releaseMouse();
    }
}

// A press that began on the button and ends inside it clicks before the
// state changes, so Clicked is emitted while the button is still Pressed.
void TFlatGlyphButton::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return;
    if (m_pressBegan) {
        m_pressBegan = false;
        if (rect().contains(event->position().toPoint()))
            Click();
    }
    // The click may have hidden or moved the button: look again.
    if (IsPointerOver(event->globalPosition().toPoint()) && m_modalResult == 0 && isVisible()) {
        SetMouseState(TFlatBtnMouseState::Hot);
        grabMouse();
    } else {
        SetMouseState(TFlatBtnMouseState::Normal);
        releaseMouse();
    }
}

void TFlatGlyphButton::contextMenuEvent(QContextMenuEvent *event)
{
    if (TPopupMenu *menu = PopupMenu())
        menu->Popup(event->globalPos().x(), event->globalPos().y());
}

TPopupMenu *TFlatGlyphButton::PopupMenu() const
{
    // A menu lives no longer than its owner, and may go before it.
    if (!m_popupMenu || !m_popupMenuOwner)
        return nullptr;
    const std::vector<TMenu *> living = TMenu::MenusOwnedBy(m_popupMenuOwner);
    return std::find(living.begin(), living.end(), m_popupMenu) != living.end() ? m_popupMenu : nullptr;
}

void TFlatGlyphButton::SetPopupMenu(TPopupMenu *menu)
{
    m_popupMenu = menu;
    m_popupMenuOwner = menu ? menu->Owner() : nullptr;
}

// A focus change ends Hot as well, so the grab that watched for the pointer
// leaving goes with it; the next move over the button makes it Hot again.
// A press under way keeps its state: a click into an inactive window is
// handled before the window's activation brings the focus.
void TFlatGlyphButton::focusInEvent(QFocusEvent *)
{
    if (!m_pressBegan) {
        m_mouseState = TFlatBtnMouseState::Normal;
        releaseMouse();
    }
    m_actingAsDefault = true;
    m_focusCueHidden = false;
    update();
}

void TFlatGlyphButton::focusOutEvent(QFocusEvent *)
{
    m_mouseState = TFlatBtnMouseState::Normal;
    m_actingAsDefault = false;
    m_focusCueHidden = true;
    releaseMouse();
    update();
}

void TFlatGlyphButton::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::EnabledChange || event->type() == QEvent::LayoutDirectionChange)
        update();
}

// ------------------------------------------------------------------- click

void TFlatGlyphButton::ShowLookNow()
{
    update();
    QCoreApplication::processEvents();
}

void TFlatGlyphButton::Click()
{
    const TFlatBtnMouseState remembered = m_mouseState;
    if (m_keyboardClick) {
        m_mouseState = TFlatBtnMouseState::Pressed;
        if (remembered != TFlatBtnMouseState::Pressed)
            ShowLookNow();
    }
    if (TForm *form = parentFormOf(this))
        form->SetModalResult(m_modalResult);
    if (m_keyboardClick || m_mouseState != remembered) {
        m_mouseState = remembered;
        ShowLookNow();
    }
    m_keyboardClick = false;
    CallGuarded([this] { emit Clicked(); });
}

void TFlatGlyphButton::CommandClick()
{
    if (!m_clicksSuppressed)
        Click();
}

void TFlatGlyphButton::KeyboardClick()
{
    m_keyboardClick = true;
    Click();
    if (m_modalResult != 0)
        releaseMouse();
}

// ------------------------------------------------------------ window, keys

bool TFlatGlyphButton::event(QEvent *event)
{
    switch (event->type()) {
    case QEvent::Show:
        if (!m_windowCreated)
            WindowCreated();
        WatchWindowKeys();
        break;
    case QEvent::ParentChange: WatchWindowKeys(); break;
    case QEvent::Hide:
        // A hidden button cannot be under the pointer; its grab would keep
        // the mouse from every other window.
        releaseMouse();
        break;
    case QEvent::Leave:
        // Without the grab (lost while the button was disabled or hidden)
        // leaving is the last news of the pointer.
        if (m_mouseState == TFlatBtnMouseState::Hot && QWidget::mouseGrabber() != this) {
            SetMouseState(TFlatBtnMouseState::Normal);
            emit MouseExited();
        }
        break;
    default: break;
    }
    return QWidget::event(event);
}

// A Default button acts as default from the start, with its focus cue
// shown, until it first loses the focus.
void TFlatGlyphButton::WindowCreated()
{
    m_windowCreated = true;
    m_actingAsDefault = m_default;
    m_focusCueHidden = !m_default;
}

// Enter, Escape and accelerators that the focused control leaves unhandled
// travel up to the window; the button watches them there.
void TFlatGlyphButton::WatchWindowKeys()
{
    QWidget *top = window();
    if (top == m_watchedWindow)
        return;
    if (m_watchedWindow)
        m_watchedWindow->removeEventFilter(this);
    m_watchedWindow = top == this ? nullptr : top;
    if (m_watchedWindow)
        m_watchedWindow->installEventFilter(this);
}

bool TFlatGlyphButton::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_watchedWindow && event->type() == QEvent::KeyPress) {
        auto *key = static_cast<QKeyEvent *>(event);
        if (HandleDialogKey(key) || HandleDialogChar(key)) {
            key->accept();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

bool TFlatGlyphButton::HandleDialogKey(QKeyEvent *event)
{
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    const bool escape = event->key() == Qt::Key_Escape;
    const bool noShiftState = (event->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier)) == 0;
    if (!((enter && m_actingAsDefault) || (escape && m_cancel)) || !noShiftState || !CanFocus())
        return false;
    KeyboardClick();
    return true;
}

bool TFlatGlyphButton::HandleDialogChar(QKeyEvent *event)
{
    const QString text = event->text();
    const QChar accelerator = AcceleratorOf(m_caption);
    if (text.size() != 1 || accelerator.isNull() || text.at(0).toUpper() != accelerator.toUpper())
        return false;
    const bool altDown = event->modifiers() & Qt::AltModifier;
    if (!CanFocus() || !(hasFocus() || altDown))
        return false;
    KeyboardClick();
    return true;
}

// Every flat glyph button of the form repaints, as after a focus change:
// whether one shows its focus cue depends on the others.
void TFlatGlyphButton::BroadcastFocusChanged()
{
    update();
    for (TFlatGlyphButton *button : window()->findChildren<TFlatGlyphButton *>())
        button->update();
}

// ---------------------------------------------------------------- painting

bool TFlatGlyphButton::FocusCueShown() const
{
    if (m_focusCueHidden)
        return false;
    return hasFocus() || (m_actingAsDefault && !qobject_cast<TFlatGlyphButton *>(QApplication::focusWidget()));
}

void TFlatGlyphButton::paintEvent(QPaintEvent *)
{
    QImage surface = WidgetSurface(*this, size());
    if (surface.isNull())
        return;
    surface.fill(Qt::white);
    TCanvas canvas(&surface);
    PaintInto(canvas);
    QPainter painter(this);
    painter.drawImage(0, 0, surface);
}

void TFlatGlyphButton::PaintInto(TCanvas &canvas)
{
    const int w = width(), h = height();
    canvas.Brush().SetStyle(bsSolid);
    canvas.Brush().SetColor(m_color);
    canvas.FillRect({0, 0, w, h});

    TFont font(m_font);
    if (!isEnabled())
        font.SetColor(m_inactiveColor);
    if (m_default)
        font.SetStyle(font.Style() | fsBold);
    canvas.SetFont(font);

    const TBitmap glyph = GlyphToDraw();
    const TTextBox text = m_wordWrap ? MeasureCaption(canvas, glyph.Width())
                                     : TTextBox{canvas.TextWidth(m_caption), canvas.TextHeight(m_caption)};
    const int lineHeight = canvas.TextHeight(QStringLiteral("0"));

    TFlatBtnPlacement placement = PlaceGlyphAndCaption(
        {QSize(w, h), QSize(glyph.Width(), glyph.Height()), QSize(text.width, text.height),
         canvas.TextHeight(m_caption), m_showGlyph, m_controlType, m_position, layoutDirection() == Qt::RightToLeft});
    if (FocusCueShown())
        DrawFocusCue(canvas, placement, lineHeight);
    if (m_mouseState == TFlatBtnMouseState::Pressed && m_controlType == bsButton)
        ApplyPressedOffset(placement, m_showGlyph);

    canvas.Brush().SetStyle(bsClear);
    DrawCaption(canvas, placement.Text, lineHeight);
    if (m_showGlyph)
        DrawTransparentGlyph(canvas, placement.Glyph.Left, placement.Glyph.Top, glyph, m_transparentColor);
    if (m_controlType == bsButton)
        DrawFlatBtnOutline(canvas, w, h, m_cutCornerLook, m_mouseState,
                           {m_inactiveColor, m_activeColor, m_activeOutlineColor, m_activeOutlineColor2});
}

void TFlatGlyphButton::DrawFocusCue(TCanvas &canvas, const TFlatBtnPlacement &placement, int lineHeight)
{
    const TRect &text = placement.Text;
    if (m_controlType == bsButton) {
        canvas.DrawFocusRect({text.Left, text.Top, text.Right + 1, text.Bottom + 1});
        return;
    }
    canvas.Pen().SetStyle(psDot);
    canvas.Pen().SetWidth(1);
    canvas.Pen().SetColor(m_font.Color());
    const int lineCount = int(m_captionLines.size());
    if (!m_wordWrap || lineCount == 1) {
        // The brush is still the solid background: it only repaints inside.
        canvas.Rectangle(CaptionFocusFrame(text));
        return;
    }
    const int lastLineWidth = lineCount > 0 ? canvas.TextWidth(m_captionLines.last()) : 0;
    canvas.Polyline(
        MultiLineFocusOutline(text, lineCount, lastLineWidth, lineHeight, layoutDirection() == Qt::RightToLeft));
}

void TFlatGlyphButton::DrawCaption(TCanvas &canvas, const TRect &text, int lineHeight)
{
    const bool rightToLeft = layoutDirection() == Qt::RightToLeft;
    const unsigned leftAligned = rightToLeft ? DT_RIGHT : DT_LEFT;
    const unsigned readingOrder = rightToLeft ? DT_RTLREADING : 0u;
    const int lineCount = int(m_captionLines.size());
    if (!m_wordWrap || lineCount == 1) {
        TRect r = text;
        const unsigned alignment = m_controlType == bsButton ? DT_CENTER : leftAligned | DT_WORDBREAK;
        canvas.DrawText(m_caption, r, alignment | readingOrder);
        return;
    }
    const unsigned alignment = m_controlType == bsButton ? DT_CENTER : leftAligned;
    for (int i = 0; i < lineCount; ++i) {
        const int top = text.Top + i * lineHeight;
        TRect r{text.Left, top, text.Left + m_wrapWidth, top + lineHeight};
        canvas.DrawText(m_captionLines.at(i), r, alignment | readingOrder);
    }
}
