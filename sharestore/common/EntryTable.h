// The entries of one watched folder (files, subfolders or items), ordered by name
// without case, with the folder's own enumeration cursor.
#pragma once

#include <map>
#include <string>
#include <string_view>

#include "sharestore/common/ChangeType.h"
#include "sharestore/common/NoCaseLess.h"
#include "win32/base.h"

struct IndexEntry {
  FILETIME time{};  // last-write time; unused for subfolders
  int type = CT_UNCHANGED;
  unsigned scan = 0;  // the last scan that listed the entry
};

class EntryTable {
 public:
  using Map = std::map<std::string, IndexEntry, NoCaseLess>;
  using Record = Map::value_type;

  const Map& entries() const { return map_; }
  std::size_t size() const { return map_.size(); }

  IndexEntry* Find(std::string_view name);
  // Inserts the entry, or replaces the one of that name (which then takes this
  // spelling). True when an entry was replaced.
  bool Put(std::string_view name, const IndexEntry& entry);
  // True when there was such an entry.
  bool Erase(std::string_view name);
  // The entries whose type is in the mask; a type outside the known ones is logged
  // under `tag` and not counted.
  int Count(int mask, const char* tag) const;

  // The cursor remembers the last name it returned and goes on after it, so that the
  // entry under it may be changed or removed between two steps.
  void Rewind();
  bool Started() const { return started_; }
  // The next entry that matches the mask, or null at the end. An entry with an unknown
  // type is logged under `tag` and passed over.
  const Record* Next(int mask, const char* tag);

 private:
  Map map_;
  bool started_ = false;
  bool returnedAny_ = false;
  std::string last_;
};
