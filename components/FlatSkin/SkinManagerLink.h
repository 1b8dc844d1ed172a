#pragma once

#include <functional>
#include <memory>

class TFlatSkin;
struct TSkinComponent;

enum TOperation { opInsert, opRemove };

// What a TFlatSkin asks of the process-wide skin manager. The manager's unit
// installs a factory; until it does, no manager exists and every call that
// needs one does nothing.
class TFlatSkinManagerLink
{
public:
    virtual ~TFlatSkinManagerLink() = default;

    // A component has finished loading.
    virtual void Register(TFlatSkin &component) = 0;
    // A component is being destroyed.
    virtual void Unregister(TFlatSkin &component) = 0;
    // Told before the component's own handling of an insertion or removal.
    virtual void Notify(TFlatSkin &component, const TSkinComponent &inserted, TOperation operation) = 0;
    // Component's DisableSubclassing has changed.
    virtual void HandOver(TFlatSkin &component) = 0;
    virtual bool HoldsNoComponent() const = 0;
};

using TFlatSkinManagerFactory = std::function<std::unique_ptr<TFlatSkinManagerLink>()>;

// The one manager of the process, or nullptr.
TFlatSkinManagerLink *FlatSkinManager();
// Creates the manager through the factory unless it exists or no factory is set.
void EnsureFlatSkinManager();
// Destroys the manager once it holds no component.
void ReleaseFlatSkinManagerIfUnused();
void SetFlatSkinManagerFactory(TFlatSkinManagerFactory factory);
