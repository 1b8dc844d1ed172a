#include "toolkit/app/Form.h"
#include "toolkit/gdi/DeviceScale.h"

#include "toolkit/app/ErrorReporting.h"
#include "toolkit/app/FormAccessible.h"
#include "toolkit/app/ScreenPlacement.h"
#include "toolkit/gdi/Canvas.h"
#include "toolkit/gdi/Colors.h"

#include <QAccessible>
#include <QCoreApplication>
#include <QEventLoop>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLayout>
#include <QMetaMethod>
#include <QPainter>
#include <QScreen>
#include <QStyleHints>
#include <QWindow>

#include <stdexcept>

namespace {

const char *const kVisibleModalError = "Cannot make a visible window modal";

struct HandlerBinding {
    const char *signal;
    const char *slot;
};

constexpr HandlerBinding kFormHandlers[] = {
    {"Created()", "FormCreate()"},
    {"Shown()", "FormShow()"},
    {"Hidden()", "FormHide()"},
    {"Resized()", "FormResize()"},
    {"ClosingQuery(bool&)", "FormCloseQuery(bool&)"},
    {"Closing(TCloseAction&)", "FormClose(TCloseAction&)"},
    {"KeyPressed(QChar&)", "FormKeyPress(QChar&)"},
    {"KeyDown(int&,Qt::KeyboardModifiers)", "FormKeyDown(int&,Qt::KeyboardModifiers)"},
    {"NonClientPaint(TCanvas&)", "WMNCPaint(TCanvas&)"},
};

template <class Enum, std::size_t N>
bool ParseSetting(const QVariant &value, const std::pair<const char *, Enum> (&names)[N], Enum &out)
{
    if (!value.isValid())
        return false;
    const QString text = value.toString();
    for (const auto &[name, setting] : names) {
        if (text == QLatin1String(name)) {
            out = setting;
            return true;
        }
    }
    return false;
}

constexpr std::pair<const char *, TFormBorderStyle> kBorderStyleNames[] = {
    {"bsNone", bsNone}, {"bsDialog", bsDialog}, {"bsSizeable", bsSizeable}};
constexpr std::pair<const char *, TPosition> kPositionNames[] = {{"poDesigned", poDesigned},
                                                                 {"poScreenCenter", poScreenCenter}};
constexpr std::pair<const char *, TFormStyle> kFormStyleNames[] = {{"fsNormal", fsNormal},
                                                                   {"fsStayOnTop", fsStayOnTop}};

Qt::Edges EdgesOf(TFrameHit hit)
{
    switch (hit) {
    case TFrameHit::Left: return Qt::LeftEdge;
    case TFrameHit::Right: return Qt::RightEdge;
    case TFrameHit::Top: return Qt::TopEdge;
    case TFrameHit::Bottom: return Qt::BottomEdge;
    case TFrameHit::TopLeft: return Qt::TopEdge | Qt::LeftEdge;
    case TFrameHit::TopRight: return Qt::TopEdge | Qt::RightEdge;
    case TFrameHit::BottomLeft: return Qt::BottomEdge | Qt::LeftEdge;
    case TFrameHit::BottomRight: return Qt::BottomEdge | Qt::RightEdge;
    default: return {};
    }
}

Qt::CursorShape CursorFor(TFrameHit hit)
{
    switch (hit) {
    case TFrameHit::Left:
    case TFrameHit::Right: return Qt::SizeHorCursor;
    case TFrameHit::Top:
    case TFrameHit::Bottom: return Qt::SizeVerCursor;
    case TFrameHit::TopLeft:
    case TFrameHit::BottomRight: return Qt::SizeFDiagCursor;
    case TFrameHit::TopRight:
    case TFrameHit::BottomLeft: return Qt::SizeBDiagCursor;
    default: return Qt::ArrowCursor;
    }
}

TCaptionButton ButtonOf(TFrameHit hit)
{
    switch (hit) {
    case TFrameHit::CloseBox: return TCaptionButton::Close;
    case TFrameHit::MaximizeBox: return TCaptionButton::Maximize;
    case TFrameHit::MinimizeBox: return TCaptionButton::Minimize;
    default: return TCaptionButton::None;
    }
}

// The geometry a drag on the given edges gives, never smaller than the frame.
QRect ResizedGeometry(QRect start, Qt::Edges edges, QPoint delta, QSize minimum)
{
    QRect r = start;
    if (edges & Qt::LeftEdge)
        r.setLeft(std::min(start.left() + delta.x(), start.right() + 1 - minimum.width()));
    if (edges & Qt::RightEdge)
        r.setRight(std::max(start.right() + delta.x(), start.left() + minimum.width() - 1));
    if (edges & Qt::TopEdge)
        r.setTop(std::min(start.top() + delta.y(), start.bottom() + 1 - minimum.height()));
    if (edges & Qt::BottomEdge)
        r.setBottom(std::max(start.bottom() + delta.y(), start.top() + minimum.height() - 1));
    return r;
}

} // namespace

TForm::TForm(QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint)
    , m_client(new QWidget(this))
{
    m_client->setAutoFillBackground(true);
    QPalette palette = m_client->palette();
    palette.setColor(QPalette::Window, ToQColor(clBtnFace));
    m_client->setPalette(palette);
    // The client keeps its own cursor, so that the sizing cursors of the
    // frame never leak into the controls.
    m_client->setCursor(Qt::ArrowCursor);
    setMouseTracking(true);
    LayoutChildren();
    TFormAccessible::Install();
}

TForm::~TForm() = default;

namespace {

TForm::TMainFormClosing &MainFormClosing()
{
    static TForm::TMainFormClosing closing;
    return closing;
}

} // namespace

void TForm::SetMainFormClosing(TMainFormClosing closing)
{
    MainFormClosing() = std::move(closing);
}

template <class Handler> void TForm::RunHandler(Handler &&handler)
{
    CallGuarded(std::forward<Handler>(handler));
}

void TForm::AdoptLayout()
{
    const QSize layoutClientSize = size();

    // Reparenting takes the child out of children(): walk a copy.
    const QObjectList layoutChildren = children();
    for (QObject *child : layoutChildren) {
        auto *widget = qobject_cast<QWidget *>(child);
        if (!widget || widget == m_client || widget == m_menuBar || widget->isWindow())
            continue;
        const bool explicitlyHidden = widget->isHidden() && widget->testAttribute(Qt::WA_WState_ExplicitShowHide);
        widget->setParent(m_client);
        widget->setVisible(!explicitlyHidden);
    }
    if (QLayout *controls = layout())
        m_client->setLayout(controls);
    if (testAttribute(Qt::WA_SetCursor))
        m_client->setCursor(cursor());

    ParseSetting(property("BorderStyle"), kBorderStyleNames, m_borderStyle);
    ParseSetting(property("Position"), kPositionNames, m_position);
    TFormStyle style = m_formStyle;
    if (ParseSetting(property("FormStyle"), kFormStyleNames, style))
        SetFormStyle(style);
    if (property("KeyPreview").isValid())
        m_keyPreview = property("KeyPreview").toBool();
    if (property("ShowHint").isValid())
        m_showHint = property("ShowHint").toBool();

    QSize outer = TFrameLayout::OuterSizeFor(m_borderStyle, layoutClientSize, m_menuBar != nullptr);
    if (property("Width").isValid())
        outer.setWidth(property("Width").toInt());
    if (property("Height").isValid())
        outer.setHeight(property("Height").toInt());
    resize(outer);
    if (property("Left").isValid() || property("Top").isValid())
        move(property("Left").toInt(), property("Top").toInt());

    LayoutChildren();
    BindHandlers();
}

void TForm::BindHandlers()
{
    const QMetaObject *meta = metaObject();
    for (const HandlerBinding &binding : kFormHandlers) {
        const int slot = meta->indexOfMethod(QMetaObject::normalizedSignature(binding.slot));
        if (slot < 0)
            continue;
        const int signal = meta->indexOfSignal(QMetaObject::normalizedSignature(binding.signal));
        connect(this, meta->method(signal), this, meta->method(slot), Qt::UniqueConnection);
    }
}

void TForm::SetCaption(const QString &caption)
{
    if (caption == windowTitle())
        return;
    setWindowTitle(caption);
    update();
    // The caption is the window's name to assistive technology, which Qt
    // does not tell of a new title.
    QAccessibleEvent nameChanged(this, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&nameChanged);
}

void TForm::SetBorderStyle(TFormBorderStyle style)
{
    if (style == m_borderStyle)
        return;
    m_borderStyle = style;
    LayoutChildren();
    update();
}

void TForm::SetPosition(TPosition position)
{
    m_position = position;
}

void TForm::SetFormStyle(TFormStyle style)
{
    if (style == m_formStyle)
        return;
    m_formStyle = style;
    ApplyWindowFlags();
}

void TForm::ApplyWindowFlags()
{
    const bool wasVisible = isVisible();
    setWindowFlag(Qt::WindowStaysOnTopHint, m_formStyle == fsStayOnTop);
    if (wasVisible)
        show();
}

void TForm::SetBounds(int left, int top, int width, int height)
{
    setGeometry(left, top, width, height);
    LayoutChildren();
}

void TForm::SetClientSize(int width, int height)
{
    resize(TFrameLayout::OuterSizeFor(m_borderStyle, QSize(width, height), m_menuBar != nullptr));
    LayoutChildren();
}

QSize TForm::ClientSize() const
{
    return FrameLayout().client.size();
}

TFrameLayout TForm::FrameLayout() const
{
    return TFrameLayout::Compute(m_borderStyle, size(), m_menuBar != nullptr);
}

void TForm::SetMenuBar(QWidget *menuBar)
{
    if (menuBar == m_menuBar)
        return;
    m_menuBar = menuBar;
    if (m_menuBar) {
        m_menuBar->setParent(this);
        m_menuBar->show();
    }
    LayoutChildren();
    update();
}

void TForm::LayoutChildren()
{
    const TFrameLayout layout = FrameLayout();
    m_client->setGeometry(layout.client);
    if (m_menuBar)
        m_menuBar->setGeometry(layout.menuBand);
}

void TForm::PlaceOnScreen()
{
    const QScreen *primary = QGuiApplication::primaryScreen();
    if (!m_placed && m_position == poScreenCenter && primary) {
        const QRect desktop = primary->geometry();
        move(desktop.left() + (desktop.width() - width()) / 2, desktop.top() + (desktop.height() - height()) / 2);
    }
    m_placed = true;
    const QScreen *screen = ScreenOfWindow(geometry());
    if (!screen)
        return;
    const QRect area = screen->availableGeometry();
    setGeometry(m_maximized ? area : FitCaptionOnScreen(geometry(), area, m_borderStyle == bsSizeable));
    LayoutChildren();
}

void TForm::Maximize()
{
    if (m_maximized)
        return;
    const QScreen *screen = ScreenOfWindow(geometry());
    if (!screen)
        return;
    EndDrag();
    m_normalGeometry = geometry();
    m_maximized = true;
    setGeometry(screen->availableGeometry());
    LayoutChildren();
    update();
}

void TForm::Restore()
{
    if (isMinimized()) {
        showNormal();
        return;
    }
    if (!m_maximized)
        return;
    EndDrag();
    m_maximized = false;
    setGeometry(m_normalGeometry);
    LayoutChildren();
    update();
}

void TForm::ToggleMaximized()
{
    if (m_maximized)
        Restore();
    else
        Maximize();
}

void TForm::DoCreate()
{
    if (m_created)
        return;
    m_created = true;
    RunHandler([this] { emit Created(); });
}

void TForm::Show()
{
    DoCreate();
    PlaceOnScreen();
    show();
    raise();
    activateWindow();
}

void TForm::Hide()
{
    hide();
}

bool TForm::CloseQuery()
{
    bool canClose = true;
    bool raised = true;
    RunHandler([&] {
        emit ClosingQuery(canClose);
        raised = false;
    });
    return canClose && !raised;
}

void TForm::Close()
{
    if (!CloseQuery())
        return;
    if (Modal()) {
        m_modalResult = mrCancel;
        CloseModal();
        return;
    }
    TCloseAction action = caHide;
    RunHandler([&] { emit Closing(action); });
    if (action == caNone)
        return;
    if (MainFormClosing() && MainFormClosing()(this))
        return;
    if (action == caHide)
        Hide();
    else if (action == caMinimize)
        showMinimized();
    else
        deleteLater();
}

bool TForm::CloseModal()
{
    TCloseAction action = caHide;
    RunHandler([&] { emit Closing(action); });
    if (action == caNone) {
        m_modalResult = mrNone;
        return false;
    }
    if (m_modalLoop)
        m_modalLoop->quit();
    return true;
}

int TForm::ShowModal()
{
    if (isVisible())
        throw std::logic_error(kVisibleModalError);
    m_modalResult = mrNone;
    setWindowModality(Qt::ApplicationModal);
    QEventLoop loop;
    m_modalLoop = &loop;
    Show();
    if (m_modalResult == mrNone && isVisible())
        loop.exec(QEventLoop::DialogExec);
    m_modalLoop = nullptr;
    if (m_modalResult == mrNone)
        m_modalResult = mrCancel;
    hide();
    setWindowModality(Qt::NonModal);
    return m_modalResult;
}

void TForm::SetModalResult(int result)
{
    m_modalResult = result;
    if (Modal() && result != mrNone)
        CloseModal();
}

bool TForm::DispatchKey(QWidget *target, QKeyEvent *event)
{
    if (m_dispatchingKey)
        return false;
    int key = event->key();
    RunHandler([&] { emit KeyDown(key, event->modifiers()); });
    if (key == 0)
        return true;
    const QString text = event->text();
    if (text.isEmpty())
        return false;
    const QChar typed = text.front();
    QChar keyChar = typed;
    RunHandler([&] { emit KeyPressed(keyChar); });
    if (keyChar.isNull())
        return true;
    if (keyChar == typed)
        return false;
    // The handler replaced the character: the control gets the new one.
    QPointer<QWidget> receiver = target;
    QKeyEvent replacement(event->type(), event->key(), event->modifiers(), QString(keyChar));
    m_dispatchingKey = true;
    if (receiver)
        QCoreApplication::sendEvent(receiver, &replacement);
    m_dispatchingKey = false;
    return true;
}

TFrameState TForm::FrameState() const
{
    TFrameState state;
    state.active = isActiveWindow();
    state.maximized = m_maximized;
    state.pushedButton = m_pressedButtonDown ? m_pressedButton : TCaptionButton::None;
    return state;
}

QImage TForm::RenderNonClient() const
{
    QImage image = WidgetSurface(*this, size());
    image.fill(ToQColor(clBtnFace));
    TCanvas canvas(&image);
    PaintFormFrame(canvas, FrameLayout(), FrameState(), Caption());
    auto *self = const_cast<TForm *>(this);
    self->RunHandler([&] { emit self->NonClientPaint(canvas); });
    return image;
}

void TForm::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.drawImage(0, 0, RenderNonClient());
}

void TForm::resizeEvent(QResizeEvent *)
{
    LayoutChildren();
    update();
    RunHandler([this] { emit Resized(); });
}

void TForm::showEvent(QShowEvent *event)
{
    if (!event->spontaneous())
        RunHandler([this] { emit Shown(); });
}

void TForm::hideEvent(QHideEvent *event)
{
    if (event->spontaneous())
        return;
    // A modal form that disappears ends its modal loop.
    if (Modal()) {
        if (m_modalResult == mrNone)
            m_modalResult = mrCancel;
        m_modalLoop->quit();
    }
    RunHandler([this] { emit Hidden(); });
}

void TForm::closeEvent(QCloseEvent *event)
{
    // The window system asked to close: the form decides, as with its close
    // box.
    event->ignore();
    Close();
}

void TForm::changeEvent(QEvent *event)
{
    switch (event->type()) {
    case QEvent::ActivationChange:
    case QEvent::WindowStateChange:
    case QEvent::WindowTitleChange: update(); break;
    default: break;
    }
    QWidget::changeEvent(event);
}

void TForm::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return;
    const TFrameHit hit = FrameLayout().HitTest(event->position().toPoint());
    if (const TCaptionButton button = ButtonOf(hit); button != TCaptionButton::None) {
        m_pressedButton = button;
        m_pressedButtonDown = true;
        update(FrameLayout().ButtonRect(button));
        return;
    }
    const bool moving = hit == TFrameHit::Caption && !m_maximized;
    const Qt::Edges edges = m_borderStyle == bsSizeable && !m_maximized ? EdgesOf(hit) : Qt::Edges();
    if (!moving && !edges)
        return;
    QWindow *window = windowHandle();
    if (edges && window && window->startSystemResize(edges))
        return;
    m_dragHit = hit;
    m_followingMouse = !moving;
    m_dragStartGlobal = event->globalPosition().toPoint();
    m_dragStartGeometry = geometry();
}

void TForm::mouseMoveEvent(QMouseEvent *event)
{
    const QPoint pos = event->position().toPoint();
    if (m_pressedButton != TCaptionButton::None) {
        const bool down = FrameLayout().ButtonRect(m_pressedButton).contains(pos);
        if (down != m_pressedButtonDown) {
            m_pressedButtonDown = down;
            update(FrameLayout().ButtonRect(m_pressedButton));
        }
        return;
    }
    // A release that went to another window has ended the drag as well.
    if (!(event->buttons() & Qt::LeftButton))
        EndDrag();
    if (m_dragHit == TFrameHit::Client) {
        UpdateFrameCursor(pos);
        return;
    }
    const QPoint delta = event->globalPosition().toPoint() - m_dragStartGlobal;
    if (!m_followingMouse) {
        if (delta.manhattanLength() < QGuiApplication::styleHints()->startDragDistance())
            return;
        QWindow *window = windowHandle();
        if (window && window->startSystemMove()) {
            EndDrag();
            return;
        }
        m_followingMouse = true;
    }
    if (m_dragHit == TFrameHit::Caption) {
        move(m_dragStartGeometry.topLeft() + delta);
        return;
    }
    const QSize minimum(FrameMetrics::kMinimumTrackWidth,
                        TFrameLayout::NonClientHeight(m_borderStyle, m_menuBar != nullptr));
    setGeometry(ResizedGeometry(m_dragStartGeometry, EdgesOf(m_dragHit), delta, minimum));
}

void TForm::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return;
    EndDrag();
    const TCaptionButton button = m_pressedButton;
    const bool clicked = m_pressedButtonDown;
    m_pressedButton = TCaptionButton::None;
    m_pressedButtonDown = false;
    if (button == TCaptionButton::None)
        return;
    update(FrameLayout().ButtonRect(button));
    if (clicked)
        PressCaptionButton(button);
}

void TForm::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton || m_borderStyle != bsSizeable)
        return;
    if (FrameLayout().HitTest(event->position().toPoint()) == TFrameHit::Caption)
        ToggleMaximized();
}

void TForm::EndDrag()
{
    m_dragHit = TFrameHit::Client;
    m_followingMouse = false;
}

void TForm::PressCaptionButton(TCaptionButton button)
{
    switch (button) {
    case TCaptionButton::Close: Close(); break;
    case TCaptionButton::Maximize: ToggleMaximized(); break;
    case TCaptionButton::Minimize: showMinimized(); break;
    case TCaptionButton::None: break;
    }
}

void TForm::UpdateFrameCursor(const QPoint &pos)
{
    const TFrameHit hit = FrameLayout().HitTest(pos);
    const bool sizing = m_borderStyle == bsSizeable && !m_maximized && EdgesOf(hit);
    setCursor(sizing ? CursorFor(hit) : Qt::ArrowCursor);
}
