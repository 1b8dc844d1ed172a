#include "toolkit/controls/ControlTag.h"

#include <QObject>
#include <QVariant>

namespace {

const char *const kTagProperty = "Tag";

} // namespace

int ControlTag(const QObject *object)
{
    return object ? object->property(kTagProperty).toInt() : 0;
}

void SetControlTag(QObject *object, int tag)
{
    if (object)
        object->setProperty(kTagProperty, tag);
}
