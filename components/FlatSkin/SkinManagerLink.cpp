#include "components/FlatSkin/SkinManagerLink.h"

namespace {

struct ManagerSlot {
    TFlatSkinManagerFactory factory;
    std::unique_ptr<TFlatSkinManagerLink> manager;
};

ManagerSlot &Slot()
{
    static ManagerSlot slot;
    return slot;
}

} // namespace

TFlatSkinManagerLink *FlatSkinManager()
{
    return Slot().manager.get();
}

void EnsureFlatSkinManager()
{
    ManagerSlot &slot = Slot();
    if (!slot.manager && slot.factory)
        slot.manager = slot.factory();
}

void ReleaseFlatSkinManagerIfUnused()
{
    ManagerSlot &slot = Slot();
    if (slot.manager && slot.manager->HoldsNoComponent())
        slot.manager.reset();
}

void SetFlatSkinManagerFactory(TFlatSkinManagerFactory factory)
{
    Slot().factory = std::move(factory);
}
