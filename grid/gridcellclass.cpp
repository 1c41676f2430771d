#include "grid/gridcellclass.h"

#include "grid/gridcell.h"

#include <map>
#include <mutex>

namespace {

struct Registry {
    std::mutex mutex;
    std::map<QString, std::unique_ptr<GridCellClass>> classes;
};

Registry& registry()
{
    static Registry r;
    return r;
}

} // namespace

const GridCellClass* GridCellClass::Register(const QString& name, Factory factory)
{
    Registry& r = registry();
    std::lock_guard lock(r.mutex);
    auto& slot = r.classes[name];
    if (!slot)
        slot = std::make_unique<GridCellClass>(name, factory);
    return slot.get();
}

const GridCellClass* GridCellClass::Find(const QString& name)
{
    Registry& r = registry();
    std::lock_guard lock(r.mutex);
    const auto it = r.classes.find(name);
    return it == r.classes.end() ? nullptr : it->second.get();
}

std::unique_ptr<CGridCellBase> GridCellClass::CreateObject() const
{
    return m_factory ? m_factory() : nullptr;
}
