#include "components/FlatSkin/ControlSkinning.h"

#include "components/FlatSkin.h"
#include "components/FlatSkin/ControlSubClass.h"
#include "components/FlatSkin/SkinBarPainters.h"
#include "components/FlatSkin/SkinKinds.h"
#include "toolkit/bars/ControlBar.h"
#include "toolkit/bars/ToolBar.h"
#include "toolkit/controls/ControlTag.h"

#include <QPointer>

#include <QWidget>

void SkinControl(TFlatSkin &skin, QObject &component, bool activate, bool repaint)
{
    // The walk of a component being destroyed neither creates records nor
    // repaints; its records give their controls back as they go.
    if (!activate && !repaint)
        return;
    auto *control = qobject_cast<QWidget *>(&component);
    if (!control || control->isWindow())
        return;
    if (!QualifiesAsSkinnedKind(*control, skin.SkinControls()) ||
        !QualifiesByContainer(*control, skin.SkinContainers()))
        return;
    const bool exempt = ControlTag(control) == TFlatSkin::kExemptTag ||
                        ControlTag(SkinContainerOf(*control)) == TFlatSkin::kExemptTag;
    if (activate && !exempt && !TControlSubClass::Of(*control))
        new TControlSubClass(skin, *control);
    if (repaint)
        control->update();
}

namespace {

// A handler of another owner stays unless the skin is told to override it;
// on deactivation only the skin's own handler, whichever component
// installed it, is removed.
void SkinToolBar(TFlatSkin &skin, TToolBar &bar, bool activate)
{
    bar.SetFlat(true);
    if (!activate) {
        if (bar.OnCustomDrawButtonKey() == TFlatSkin::HandlerKey())
            bar.SetOnCustomDrawButton({});
        return;
    }
    if (bar.ButtonCount() == 0 || (bar.OnCustomDrawButton() && !skin.OverrideOwnerDraw()))
        return;
    const QPointer<TFlatSkin> self(&skin);
    bar.SetOnCustomDrawButton(
        [self](TToolBar *sender, TToolButton *button, TCustomDrawState state, bool &defaultDraw) {
            if (self && sender && button)
                DrawToolButton(*self, *sender, *button, state, defaultDraw);
        },
        TFlatSkin::HandlerKey());
}

void SkinControlBar(TFlatSkin &skin, TControlBar &bar, bool activate)
{
    if (!activate) {
        if (bar.OnBandPaintKey() == TFlatSkin::HandlerKey())
            bar.SetOnBandPaint({});
        return;
    }
    if (bar.OnBandPaint() && !skin.OverrideOwnerDraw())
        return;
    const QPointer<TFlatSkin> self(&skin);
    bar.SetOnBandPaint(
        [self](TControlBar *sender, QWidget *control, TCanvas &canvas, TRect &rect, TBandPaintOptions &options) {
            if (self && sender)
                DrawBandGrip(*self, *sender, control, canvas, rect, options);
        },
        TFlatSkin::HandlerKey());
}

} // namespace

void SkinToolbarOrControlBar(TFlatSkin &skin, QObject &component, bool activate, bool repaint)
{
    if (auto *toolBar = qobject_cast<TToolBar *>(&component); toolBar && skin.SkinControls().Contains(scToolbar)) {
        SkinToolBar(skin, *toolBar, activate);
        if (repaint)
            toolBar->update();
    } else if (auto *controlBar = qobject_cast<TControlBar *>(&component);
               controlBar && skin.SkinControls().Contains(scControlbar)) {
        SkinControlBar(skin, *controlBar, activate);
        if (repaint)
            controlBar->update();
    }
}
