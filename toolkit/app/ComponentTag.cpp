#include "toolkit/app/ComponentTag.h"

#include <QObject>
#include <QVariant>

namespace {

constexpr char kTagProperty[] = "Tag";

} // namespace

int ComponentTag(const QObject *component)
{
    if (!component)
        return 0;
    return component->property(kTagProperty).toInt();
}

void SetComponentTag(QObject *component, int tag)
{
    if (component)
        component->setProperty(kTagProperty, tag);
}
