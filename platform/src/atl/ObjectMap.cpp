#include "atl/ObjectMap.h"

#include <algorithm>

namespace kelvra::atl {

ObjectMap& ObjectMap::Instance() {
  static auto* map = new ObjectMap;
  return *map;
}

void ObjectMap::Add(const ObjectEntry& entry) {
  std::lock_guard lock(mutex_);
  entries_.push_back(entry);
}

void ObjectMap::Remove(const CLSID& clsid) {
  std::lock_guard lock(mutex_);
  std::erase_if(entries_, [&](const ObjectEntry& each) { return *each.clsid == clsid; });
}

std::optional<ObjectEntry> ObjectMap::Find(const CLSID& clsid) const {
  std::lock_guard lock(mutex_);
  const auto found = std::find_if(entries_.begin(), entries_.end(),
                                  [&](const ObjectEntry& each) { return *each.clsid == clsid; });
  if (found == entries_.end()) return std::nullopt;
  return *found;
}

std::vector<ObjectEntry> ObjectMap::Entries() const {
  std::lock_guard lock(mutex_);
  return entries_;
}

void ObjectMap::AddScript(UINT id, std::string_view script) {
  std::lock_guard lock(mutex_);
  scripts_[id] = script;
}

void ObjectMap::RemoveScript(UINT id) {
  std::lock_guard lock(mutex_);
  scripts_.erase(id);
}

std::optional<std::string_view> ObjectMap::Script(UINT id) const {
  std::lock_guard lock(mutex_);
  const auto found = scripts_.find(id);
  if (found == scripts_.end()) return std::nullopt;
  return found->second;
}

}  // namespace kelvra::atl
