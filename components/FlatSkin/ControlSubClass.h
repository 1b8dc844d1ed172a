#pragma once

#include "components/FlatSkin/FrameSettings.h"
#include "components/FlatSkin/SkinControlPaint.h"

#include <QObject>
#include <QPointer>
#include <QWidget>

class QPaintEvent;
class TCanvas;
class TFlatSkin;

// The skin's record for one control whose messages it watches: an event
// filter on the control, owned by the TFlatSkin that created it. The control
// handles every event as before; the record keeps the state the painters
// read and, whenever the control paints, lets it paint first and then runs
// the painters of the control's kind over what it painted, all on the
// window's off-screen surface, which reaches the screen in one block.
//
// A control runs at most one record. The record lets go of its control (the
// filter removed, the frame settings put back) when its component is no
// longer Active at the control's next event, when the control is destroyed,
// when the manager unskins the control's form, and when the record is
// destroyed while its control still runs it.
class TControlSubClass : public QObject
{
    Q_OBJECT

public:
    // Binds Control to a new record owned by FlatSkin. SavedFrame is what the
    // control gets back; captured from the control now when not given.
    TControlSubClass(TFlatSkin &flatSkin, QWidget &control);
    TControlSubClass(TFlatSkin &flatSkin, QWidget &control, const TFrameSettings &savedFrame);
    ~TControlSubClass() override;
    TControlSubClass(const TControlSubClass &) = delete;
    TControlSubClass &operator=(const TControlSubClass &) = delete;

    // The record the control runs, or nullptr.
    static TControlSubClass *Of(const QWidget &control);

    // nullptr once the record has let go of its control.
    QWidget *Control() const { return m_control.data(); }
    TFlatSkin *FlatSkin() const;
    void SetFlatSkin(TFlatSkin *flatSkin);
    // The control still runs this record.
    bool Bound() const;

    // The state the painters read, described at TSkinControlState.
    bool ExpectRecreate() const { return m_state.expectRecreate; }
    void SetExpectRecreate(bool expect) { m_state.expectRecreate = expect; }
    bool Hot() const { return m_state.hot; }
    bool LeftButtonDown() const { return m_state.leftButtonDown; }
    bool SpaceDown() const { return m_state.spaceDown; }
    const TFrameSettings &SavedFrame() const { return m_state.savedFrame; }

    // Runs the painters of the control's kind over the picture being
    // composed; outside a paint, asks the control to paint again.
    void PaintDispatch();

    // Gives the control its own event handling and frame settings back; the
    // record stays with its owner.
    void GiveBack();
    // Binds the control to a new record owned by Successor with the same
    // saved settings; this record lets go of the control without restoring.
    TControlSubClass *Rebind(TFlatSkin &successor);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private slots:
    void TextChanged();

private:
    void Bind();
    void Unbind();
    // GiveBack, then the record is deleted once control returns to the loop.
    void Release();
    void ConnectSignals(QWidget &control);
    bool ComposePaint(QWidget &control, QPaintEvent &event);
    void RunPainters();
    // A graphic control paints now; a windowed one is asked to.
    void RepaintGraphicOrDispatch(bool invalidate);
    bool HandleEvent(QWidget &control, QEvent &event);
    void ControlDestroyed();

    QPointer<QWidget> m_control;
    QPointer<TFlatSkin> m_flatSkin;
    TSkinControlState m_state;
    bool m_spacePainted = false;
    // Set while the control paints into the picture being composed.
    bool m_composing = false;
    // The painters' picture, in control coordinates: transparent at first
    // and laid over what the control painted. Only while the painters run,
    // nullptr otherwise.
    TCanvas *m_canvas = nullptr;
    QList<QMetaObject::Connection> m_connections;
};
