// The classes of the process's object map (OBJECT_ENTRY_AUTO) and the registry scripts
// of its modules, by resource id.
#pragma once

#include <map>
#include <mutex>
#include <optional>
#include <string_view>
#include <vector>

#include "atl/AtlModule.h"

namespace kelvra::atl {

class ObjectMap {
 public:
  static ObjectMap& Instance();

  void Add(const ObjectEntry& entry);
  void Remove(const CLSID& clsid);
  std::optional<ObjectEntry> Find(const CLSID& clsid) const;
  std::vector<ObjectEntry> Entries() const;

  void AddScript(UINT id, std::string_view script);
  void RemoveScript(UINT id);
  std::optional<std::string_view> Script(UINT id) const;

 private:
  ObjectMap() = default;

  mutable std::mutex mutex_;
  std::vector<ObjectEntry> entries_;
  std::map<UINT, std::string_view> scripts_;
};

}  // namespace kelvra::atl
