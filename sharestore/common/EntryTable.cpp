#include "sharestore/common/EntryTable.h"

#include "sharestore/common/CLog.h"

IndexEntry* EntryTable::Find(std::string_view name) {
  const auto it = map_.find(name);
  return it == map_.end() ? nullptr : &it->second;
}

bool EntryTable::Put(std::string_view name, const IndexEntry& entry) {
  const auto it = map_.lower_bound(name);
  if (it == map_.end() || map_.key_comp()(name, it->first)) {
    map_.emplace_hint(it, name, entry);
    return false;
  }
  if (it->first != name) {
    auto node = map_.extract(it);
    node.key() = name;
    node.mapped() = entry;
    map_.insert(std::move(node));
  } else {
    it->second = entry;
  }
  return true;
}

bool EntryTable::Erase(std::string_view name) {
  const auto it = map_.find(name);
  if (it == map_.end()) return false;
  map_.erase(it);
  return true;
}

int EntryTable::Count(int mask, const char* tag) const {
  if (mask == 0) return static_cast<int>(map_.size());
  int count = 0;
  for (const auto& [name, entry] : map_) {
    if (!IsChangeType(entry.type)) {
      g_Log.Assert(false, tag, __LINE__);
      continue;
    }
    if (MatchesChangeMask(mask, entry.type)) ++count;
  }
  return count;
}

void EntryTable::Rewind() {
  started_ = true;
  returnedAny_ = false;
  last_.clear();
}

const EntryTable::Record* EntryTable::Next(int mask, const char* tag) {
  for (auto it = returnedAny_ ? map_.upper_bound(last_) : map_.begin(); it != map_.end(); ++it) {
    last_ = it->first;
    returnedAny_ = true;
    if (!IsChangeType(it->second.type)) {
      g_Log.Assert(false, tag, __LINE__);
      continue;
    }
    if (MatchesChangeMask(mask, it->second.type)) return &*it;
  }
  return nullptr;
}
