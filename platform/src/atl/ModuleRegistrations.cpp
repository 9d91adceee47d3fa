// The static objects through which a module lists its classes and registry scripts.
#include "atl/ObjectMap.h"

namespace kelvra::atl {

ObjectEntryRegistration::ObjectEntryRegistration(const ObjectEntry& entry) : entry_(entry) {
  ObjectMap::Instance().Add(entry_);
}

ObjectEntryRegistration::~ObjectEntryRegistration() { ObjectMap::Instance().Remove(*entry_.clsid); }

RegistryScriptResource::RegistryScriptResource(UINT id, std::string_view script) : id_(id) {
  ObjectMap::Instance().AddScript(id_, script);
}

RegistryScriptResource::~RegistryScriptResource() { ObjectMap::Instance().RemoveScript(id_); }

}  // namespace kelvra::atl
