#include "sharestore/common/ChangeScan.h"

#include <atomic>
#include <cstdio>

#include "sharestore/common/Arguments.h"
#include "sharestore/common/CLog.h"
#include "win32/time.h"

namespace {

// Every scan gets its own id, so an entry knows whether this scan has listed it.
std::atomic<unsigned> g_lastScanId{0};

std::string OpeningMark(const char* title) {
  SYSTEMTIME now{};
  GetLocalTime(&now);
  char mark[96];
  std::snprintf(mark, sizeof mark, ";\r\n;%s %04d.%02d.%02d %02d:%02d:%02d\r\n", title, now.wYear,
                now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond);
  return mark;
}

bool SameTime(const FILETIME& a, const FILETIME& b) {
  return a.dwLowDateTime == b.dwLowDateTime && a.dwHighDateTime == b.dwHighDateTime;
}

}  // namespace

ChangeScan::ChangeScan(Setup setup)
    : setup_(std::move(setup)), scanId_(++g_lastScanId), mark_(OpeningMark(setup_.markTitle)) {}

int ChangeScan::Start(std::size_t listedCount) {
  if (setup_.callback == nullptr) return 0;
  total_ = static_cast<int>(setup_.table->size() + listedCount);
  return setup_.callback(0, total_, setup_.user) == 0 ? 1 : 0;
}

int ChangeScan::Advance() {
  if (setup_.callback == nullptr) return 0;
  ++done_;
  if (done_ > total_) total_ = done_;
  return setup_.callback(done_, total_, setup_.user) == 0 ? 1 : 0;
}

int ChangeScan::WriteLine(std::string_view name, const IndexEntry& entry, int garbage) {
  const std::string line = setup_.format(name, entry);
  if ((written_ == 0 && !setup_.base->Append(mark_)) || !setup_.base->Append(line)) {
    g_Log.LogError(setup_.tag, 0, "fprintf error");
    return -10;
  }
  ++written_;
  ++setup_.counters->lines;
  setup_.counters->garbage += garbage;
  return 0;
}

bool ChangeScan::FoundState(const IndexEntry& known, const FILETIME& time, IndexEntry& next) const {
  next = known;
  next.scan = scanId_;
  if (!IsChangeType(known.type)) {
    g_Log.Assert(false, setup_.tag, __LINE__);
    next.time = time;
    next.type = setup_.timed ? CT_MODIFIED : CT_UNCHANGED;
    return true;
  }
  if (known.type == CT_DELETED) {
    next.time = time;
    next.type = CT_MODIFIED;
    return true;
  }
  if (!setup_.timed || SameTime(known.time, time)) return false;
  next.time = time;
  if (known.type == CT_UNCHANGED) next.type = CT_MODIFIED;
  return true;
}

int ChangeScan::ListOne(const ListedEntry& listed) {
  if (listed.name.empty()) return Advance();  // a listing without a name: nothing to record
  if (HoldsLineBreak(listed.name)) {
    g_Log.LogError(setup_.tag, 0, "skipping a name that cannot stand in the base (%s)",
                   listed.name.c_str());
    return Advance();
  }
  IndexEntry* known = setup_.table->Find(listed.name);
  if (known == nullptr) {
    const IndexEntry added{listed.time, CT_NEW, scanId_};
    if (const int code = WriteLine(listed.name, added, 0); code != 0) return code;
    setup_.table->Put(listed.name, added);
    return Advance();
  }
  if (known->scan == scanId_) return Advance();  // a second listing of one name
  known->scan = scanId_;
  if (setup_.callback != nullptr) ++done_;  // found: counted, reported after its step
  IndexEntry next;
  if (FoundState(*known, listed.time, next)) {
    const auto stored = setup_.table->entries().find(listed.name);
    if (const int code = WriteLine(stored->first, next, 1); code != 0) return code;
    *known = next;
  }
  return Advance();
}

int ChangeScan::Listed(const std::vector<ListedEntry>& listing) {
  for (const ListedEntry& listed : listing)
    if (const int code = ListOne(listed); code != 0) return code;
  return 0;
}

int ChangeScan::Leftovers() {
  for (const auto& [name, entry] : setup_.table->entries()) {
    if (entry.scan == scanId_) continue;
    if (entry.type != CT_DELETED) {
      g_Log.Assert(IsChangeType(entry.type), setup_.tag, __LINE__);
      IndexEntry gone = entry;
      gone.type = CT_DELETED;
      if (const int code = WriteLine(name, gone, 1); code != 0) return code;
      setup_.table->Find(name)->type = CT_DELETED;
    }
    if (const int code = Advance(); code != 0) return code;
  }
  return 0;
}

int ChangeScan::Finish() {
  if (written_ > 0 && !setup_.base->Append(";\r\n")) {
    g_Log.LogError(setup_.tag, 0, "fprintf error");
    return -10;
  }
  return 0;
}
