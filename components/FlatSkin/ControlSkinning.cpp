#include "components/FlatSkin/ControlSkinning.h"

#include "components/FlatSkin.h"
#include "components/FlatSkin/ControlSubClass.h"
#include "components/FlatSkin/SkinKinds.h"
#include "toolkit/controls/ControlTag.h"

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

void SkinToolbarOrControlBar(TFlatSkin &, QObject &, bool, bool)
{
}
