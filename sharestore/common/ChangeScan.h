// One scan of a watched folder against its entries in the index: listed names that
// are unknown become new, known ones whose time changed become modified, known ones
// no longer listed become deleted. Each change is appended to the base, the scan's
// lines standing between two comment marks.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "sharestore/common/BaseFile.h"
#include "sharestore/common/EntryTable.h"
#include "sharestore/common/IndexCounters.h"
#include "win32/base.h"

// The caller's progress report; 0 stops the scan.
using ProgressCallback = int(WINAPI*)(int done, int total, void* user);

struct ListedEntry {
  std::string name;
  FILETIME time{};
};

class ChangeScan {
 public:
  using LineFormat = std::function<std::string(std::string_view name, const IndexEntry& entry)>;

  struct Setup {
    EntryTable* table = nullptr;
    BaseFile* base = nullptr;
    IndexCounters* counters = nullptr;
    const char* tag = "";
    const char* markTitle = "detected changes";
    bool timed = true;  // entries carry a time to compare (files and items, not subfolders)
    LineFormat format;
    ProgressCallback callback = nullptr;
    void* user = nullptr;
  };

  explicit ChangeScan(Setup setup);

  // Each returns 0 to go on, 1 when the callback stopped the scan, -10 when a line could
  // not be written. In this order: Start, Listed, Leftovers, Finish.
  int Start(std::size_t listedCount);
  int Listed(const std::vector<ListedEntry>& listing);
  int Leftovers();
  int Finish();

 private:
  int ListOne(const ListedEntry& listed);
  // The new state of a known entry, or false when nothing changes.
  bool FoundState(const IndexEntry& known, const FILETIME& time, IndexEntry& next) const;
  int WriteLine(std::string_view name, const IndexEntry& entry, int garbage);
  // One step done: the callback hears of it (once per listed name or leftover entry).
  int Advance();

  Setup setup_;
  unsigned scanId_;
  int done_ = 0;
  int total_ = 0;
  int written_ = 0;
  std::string mark_;
};
