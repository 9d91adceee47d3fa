#include "module/ModuleTable.h"
#include "win32/resources.h"

namespace kelvra::resources {

ModuleRegistration::ModuleRegistration(const ModuleResources& resources)
    : module_(platform::ModuleTable::Instance().Register(resources)) {}

ModuleRegistration::~ModuleRegistration() { platform::ModuleTable::Instance().Unregister(module_); }

}  // namespace kelvra::resources
