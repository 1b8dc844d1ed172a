#include "components/FlatSkin/ControlSubClass.h"

#include "components/FlatSkin.h"
#include "components/FlatSkin/SkinButtonPainters.h"
#include "components/FlatSkin/SkinCheckPainters.h"
#include "components/FlatSkin/SkinFramePainters.h"
#include "components/FlatSkin/SkinKinds.h"
#include "components/FlatSkin/SkinPanelPainters.h"
#include "toolkit/app/PlatformMessages.h"
#include "toolkit/gdi/Canvas.h"
#include "toolkit/gdi/DeviceScale.h"

#include <QAbstractButton>
#include <QApplication>
#include <QImage>
#include <QKeyEvent>
#include <QMetaMethod>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScopedValueRollback>
#include <QVariant>

namespace {

constexpr char kRecordProperty[] = "velirskSkinRecord";
constexpr int kNoMessage = 0;

// Points a slot at a canvas for a scope, also when the scope is left by an
// exception.
class TCanvasScope
{
public:
    TCanvasScope(TCanvas *&slot, TCanvas &canvas)
        : m_slot(slot)
    {
        m_slot = &canvas;
    }
    ~TCanvasScope() { m_slot = nullptr; }
    TCanvasScope(const TCanvasScope &) = delete;
    TCanvasScope &operator=(const TCanvasScope &) = delete;

private:
    TCanvas *&m_slot;
};

bool IsLeftButton(const QEvent &event)
{
    return static_cast<const QMouseEvent &>(event).button() == Qt::LeftButton;
}

bool IsSpaceKey(const QEvent &event)
{
    return static_cast<const QKeyEvent &>(event).key() == Qt::Key_Space;
}

void RunPainter(TSkinPainter painter, const TControlPaint &paint)
{
    switch (painter) {
    case spCombo: PaintComboFrame(paint); break;
    case spLookupCombo: PaintLookupComboFrame(paint); break;
    case spRichEdit: PaintRichEditFrame(paint); break;
    case spEdit: PaintEditFrame(paint); break;
    case spCheckBox: PaintCheckBox(paint); break;
    case spRadioButton: PaintRadioButton(paint); break;
    case spBitBtn: PaintBitBtn(paint); break;
    case spButton: PaintButton(paint); break;
    case spUpDown: PaintUpDown(paint); break;
    case spSpeedButton: PaintSpeedButton(paint); break;
    case spPanel: PaintPanel(paint); break;
    case spGroupBox: PaintGroupBox(paint); break;
    case spListFrame: PaintListFrame(paint); break;
    case spProgressBar: PaintProgressBarFrame(paint); break;
    case spHotKey: PaintHotKeyFrame(paint); break;
    }
}

} // namespace

TControlSubClass::TControlSubClass(TFlatSkin &flatSkin, QWidget &control)
    : TControlSubClass(flatSkin, control,
                       KeepsFrameSettings(control) ? TFrameSettings::Capture(control) : TFrameSettings{})
{ }

TControlSubClass::TControlSubClass(TFlatSkin &flatSkin, QWidget &control, const TFrameSettings &savedFrame)
    : QObject(&flatSkin)
    , m_control(&control)
    , m_flatSkin(&flatSkin)
{
    m_state.savedFrame = savedFrame;
    Bind();
}

TControlSubClass::~TControlSubClass()
{
    GiveBack();
}

TFlatSkin *TControlSubClass::FlatSkin() const
{
    return m_flatSkin.data();
}

void TControlSubClass::SetFlatSkin(TFlatSkin *flatSkin)
{
    m_flatSkin = flatSkin;
}

TControlSubClass *TControlSubClass::Of(const QWidget &control)
{
    return qobject_cast<TControlSubClass *>(control.property(kRecordProperty).value<QObject *>());
}

bool TControlSubClass::Bound() const
{
    return m_control && Of(*m_control) == this;
}

void TControlSubClass::Bind()
{
    QWidget &control = *m_control;
    if (TControlSubClass *previous = Of(control))
        previous->Unbind();
    control.installEventFilter(this);
    control.setProperty(kRecordProperty, QVariant::fromValue<QObject *>(this));
    ConnectSignals(control);
}

void TControlSubClass::Unbind()
{
    for (const QMetaObject::Connection &connection : m_connections)
        disconnect(connection);
    m_connections.clear();
    if (!m_control)
        return;
    m_control->removeEventFilter(this);
    if (Of(*m_control) == this)
        m_control->setProperty(kRecordProperty, QVariant());
}

void TControlSubClass::GiveBack()
{
    if (!Bound())
        return;
    Unbind();
    m_state.savedFrame.Restore(*m_control);
    m_control->update();
}

void TControlSubClass::Release()
{
    GiveBack();
    m_control = nullptr;
    deleteLater();
}

TControlSubClass *TControlSubClass::Rebind(TFlatSkin &successor)
{
    if (!Bound())
        return nullptr;
    Unbind();
    return new TControlSubClass(successor, *m_control, m_state.savedFrame);
}

void TControlSubClass::ConnectSignals(QWidget &control)
{
    // The control's object going away is the end of its window: no window is
    // re-created for an object that no longer exists, so the record goes
    // whatever ExpectRecreate says.
    m_connections.append(connect(&control, &QObject::destroyed, this, &TControlSubClass::ControlDestroyed));

    if (auto *button = qobject_cast<QAbstractButton *>(&control)) {
        m_connections.append(connect(button, &QAbstractButton::toggled, this, [this] {
            m_state.lastMessage = BM_SETCHECK;
            m_state.hot = false;
            PaintDispatch();
        }));
        auto stateChanged = [this] {
            m_state.lastMessage = BM_SETSTATE;
            PaintDispatch();
        };
        m_connections.append(connect(button, &QAbstractButton::pressed, this, stateChanged));
        m_connections.append(connect(button, &QAbstractButton::released, this, stateChanged));
    }

    const QMetaObject *meta = control.metaObject();
    const QMetaMethod textChanged = metaObject()->method(metaObject()->indexOfSlot("TextChanged()"));
    for (int i = 0; i < meta->methodCount(); ++i) {
        const QMetaMethod method = meta->method(i);
        if (method.methodType() == QMetaMethod::Signal && method.name() == "textChanged") {
            m_connections.append(connect(&control, method, this, textChanged));
            break;
        }
    }

    m_connections.append(connect(qApp, &QApplication::focusChanged, this, [this](QWidget *old, QWidget *now) {
        const QWidget *window = m_control ? m_control->window() : nullptr;
        if ((old && old->window() == window) || (now && now->window() == window)) {
            m_state.lastMessage = CM_FOCUSCHANGED;
            PaintDispatch();
        }
    }));
}

void TControlSubClass::TextChanged()
{
    m_state.lastMessage = CM_TEXTCHANGED;
    PaintDispatch();
}

void TControlSubClass::ControlDestroyed()
{
    for (const QMetaObject::Connection &connection : m_connections)
        disconnect(connection);
    m_connections.clear();
    m_control = nullptr;
    m_state.lastMessage = WM_DESTROY;
    deleteLater();
}

bool TControlSubClass::eventFilter(QObject *watched, QEvent *event)
{
    QWidget *control = m_control.data();
    // The control painting into the picture being composed.
    if (m_composing || !control || watched != control)
        return false;
    if (m_flatSkin && !m_flatSkin->Active()) {
        Release();
        return false;
    }
    return HandleEvent(*control, *event);
}

bool TControlSubClass::HandleEvent(QWidget &control, QEvent &event)
{
    // Each case is the row of the message the event stands for; the focus
    // leaving the control (CM_EXIT) is the same event as WM_KILLFOCUS and
    // acts alike, as do the non-client paint and the paint.
    switch (event.type()) {
    case QtEventFor(WM_SETFOCUS):
        m_state.lastMessage = WM_SETFOCUS;
        m_state.hot = true;
        PaintDispatch();
        break;
    case QtEventFor(WM_KILLFOCUS):
        m_state.lastMessage = WM_KILLFOCUS;
        m_state.hot = false;
        PaintDispatch();
        break;
    case QtEventFor(WM_PAINT):
        m_state.lastMessage = WM_PAINT;
        m_state.expectRecreate = false;
        return ComposePaint(control, static_cast<QPaintEvent &>(event));
    case QtEventFor(WM_WINDOWPOSCHANGED):
    case QEvent::Resize:
        m_state.lastMessage = WM_WINDOWPOSCHANGED;
        m_state.expectRecreate = true;
        break;
    case QtEventFor(WM_KEYDOWN):
        m_state.lastMessage = WM_KEYDOWN;
        if (IsSpaceKey(event)) {
            m_state.spaceDown = true;
            if (!m_spacePainted)
                PaintDispatch();
            m_spacePainted = true;
        }
        break;
    case QtEventFor(WM_KEYUP):
        m_state.lastMessage = WM_KEYUP;
        // A held key repeats as release and press pairs; only the real
        // release ends the press.
        if (IsSpaceKey(event) && !static_cast<QKeyEvent &>(event).isAutoRepeat()) {
            m_state.spaceDown = false;
            m_spacePainted = false;
            PaintDispatch();
        }
        break;
    case QtEventFor(WM_MOUSEMOVE):
        m_state.lastMessage = WM_MOUSEMOVE;
        if (control.isEnabled() && RepaintsOnMouseMove(control))
            PaintDispatch();
        break;
    case QtEventFor(WM_LBUTTONDOWN):
        m_state.lastMessage = WM_LBUTTONDOWN;
        if (IsLeftButton(event)) {
            m_state.leftButtonDown = true;
            PaintDispatch();
        }
        break;
    case QtEventFor(WM_LBUTTONUP):
        m_state.lastMessage = WM_LBUTTONUP;
        if (IsLeftButton(event)) {
            m_state.leftButtonDown = false;
            RepaintGraphicOrDispatch(false);
        }
        break;
    case QtEventFor(WM_LBUTTONDBLCLK):
        m_state.lastMessage = WM_LBUTTONDBLCLK;
        if (IsLeftButton(event) && TakesDoubleClickAsClick(control)) {
            // A quick second click is a click: the control sees a press
            // instead of the double click.
            const auto &click = static_cast<const QMouseEvent &>(event);
            QMouseEvent press(QEvent::MouseButtonPress, click.position(), click.scenePosition(), click.globalPosition(),
                              click.button(), click.buttons(), click.modifiers());
            QCoreApplication::sendEvent(&control, &press);
            return true;
        }
        break;
    case QtEventFor(CM_ENABLEDCHANGED):
        m_state.lastMessage = CM_ENABLEDCHANGED;
        // Enabled or disabled, the control starts unlit: under a resting
        // pointer it lights only when the pointer comes in again.
        m_state.hot = false;
        PaintDispatch();
        break;
    case QtEventFor(CM_PARENTCOLORCHANGED):
        m_state.lastMessage = CM_PARENTCOLORCHANGED;
        PaintDispatch();
        break;
    case QtEventFor(CM_MOUSEENTER):
        m_state.lastMessage = CM_MOUSEENTER;
        if (control.isEnabled()) {
            m_state.hot = true;
            RepaintGraphicOrDispatch(false);
        }
        break;
    case QtEventFor(CM_MOUSELEAVE):
        m_state.lastMessage = CM_MOUSELEAVE;
        if (control.isEnabled()) {
            m_state.hot = false;
            RepaintGraphicOrDispatch(true);
        }
        break;
    default: m_state.lastMessage = kNoMessage; break;
    }
    return false;
}

void TControlSubClass::RepaintGraphicOrDispatch(bool invalidate)
{
    if (!IsGraphicControl(*m_control)) {
        PaintDispatch();
        return;
    }
    if (invalidate)
        m_control->update();
    else
        m_control->repaint();
}

bool TControlSubClass::ComposePaint(QWidget &control, QPaintEvent &event)
{
    // The control paints first, into the window's off-screen surface; the
    // painters then draw on a transparent picture of the control's size,
    // which is laid over what the control painted before the surface goes
    // to the screen in one block.
    {
        const QScopedValueRollback composing(m_composing, true);
        static_cast<QObject &>(control).event(&event);
    }
    QImage picture = WidgetSurface(control, control.size(), QImage::Format_ARGB32);
    picture.fill(Qt::transparent);
    {
        TCanvas canvas(&picture);
        const TCanvasScope painting(m_canvas, canvas);
        PaintDispatch();
    }
    QPainter painter(&control);
    painter.setClipRegion(event.region());
    painter.drawImage(QPoint(), picture);
    return true;
}

void TControlSubClass::PaintDispatch()
{
    if (!m_control)
        return;
    m_state.hasFocus = !IsGraphicControl(*m_control) && m_control->hasFocus();
    if (!m_canvas) {
        m_control->update();
        return;
    }
    RunPainters();
}

void TControlSubClass::RunPainters()
{
    for (TSkinPainter painter : PaintersFor(*m_control)) {
        // A painter's change to the control may make the record let go of
        // it; the painters after it then draw nothing.
        QWidget *control = m_control.data();
        TFlatSkin *skin = m_flatSkin.data();
        if (!control || !skin || !m_canvas)
            continue;
        if (skin->PaletteStale())
            skin->RefreshPalette(*m_canvas);
        RunPainter(painter, TControlPaint{*control, *skin, skin->Palette(), *m_canvas, m_state});
    }
}
