// Reads a base back into an index, line by line, counting its lines and the void ones
// among them. Bad lines are logged, counted and otherwise ignored. Each library names
// its own line forms (Apply); the folder and entry lines they share are read here.
#pragma once

#include <algorithm>
#include <memory>
#include <string_view>

#include "sharestore/common/BaseLineReader.h"
#include "sharestore/common/CLog.h"
#include "sharestore/common/EntryKind.h"
#include "sharestore/common/FolderTable.h"
#include "sharestore/common/IndexCounters.h"

template <class Folder>
class BaseReplay {
 public:
  BaseReplay(FolderTable<Folder>& folders, IndexCounters& counters, const char* tag)
      : folders_(folders), counters_(counters), tag_(tag) {}
  BaseReplay(const BaseReplay&) = delete;
  BaseReplay& operator=(const BaseReplay&) = delete;

  // Lines end in CR LF, LF or CR; the bytes hold whole lines only.
  void Run(std::string_view bytes) {
    while (!bytes.empty()) {
      const std::size_t end = std::min(bytes.find_first_of("\r\n"), bytes.size());
      Line(bytes.substr(0, end));
      bytes.remove_prefix(
          std::min(bytes.compare(end, 2, "\r\n") == 0 ? end + 2 : end + 1, bytes.size()));
    }
  }

 protected:
  virtual ~BaseReplay() = default;

  // False for a bad line; "unknown command" is logged for a line of no known form.
  virtual bool Apply(std::string_view line) = 0;

  static bool TakePrefix(std::string_view& line, std::string_view prefix) {
    if (line.substr(0, prefix.size()) != prefix) return false;
    line.remove_prefix(prefix.size());
    return true;
  }

  bool Unknown() {
    g_Log.LogError(tag_, 0, "unknown command");
    return false;
  }

  Folder* Known(unsigned number) {
    Folder* folder = folders_.FindNumber(number);
    if (folder == nullptr) g_Log.LogError(tag_, 0, "folder with this num not exists");
    return folder;
  }

  // A "Folder=" line's folder; its key and number must both be new.
  bool InsertFolder(std::unique_ptr<Folder> folder) {
    if (folders_.FindKey(folder->key) != nullptr) {
      g_Log.LogError(tag_, 0, "folder with same key already exists");
      return false;
    }
    if (folders_.FindNumber(folder->number) != nullptr) {
      g_Log.LogError(tag_, 0, "folder with same num already exists");
      return false;
    }
    folders_.Insert(std::move(folder));
    return true;
  }

  // The folder's lines of `counted` entries and its own two become void.
  bool RemoveFolder(std::string_view fields, EntryTable Folder::*counted) {
    BaseLineReader reader(fields);
    unsigned number = 0;
    if (!reader.Number(number)) return false;
    if (Folder* folder = folders_.FindNumber(number)) {
      counters_.garbage += static_cast<int>((folder->*counted).size()) + 2;
      folders_.Erase(*folder);
    }
    return true;
  }

  bool Entry(std::string_view fields, const EntryKind<Folder>& kind) {
    BaseLineReader reader(fields);
    unsigned number = 0;
    IndexEntry entry;
    std::string_view name;
    if (!reader.Number(number)) return false;
    if (kind.timed && !reader.Time(entry.time)) return false;
    if (!reader.Change(entry.type) || !reader.Last(name)) return false;
    Folder* folder = Known(number);
    if (folder == nullptr) return false;
    if ((folder->*kind.table).Put(name, entry)) ++counters_.garbage;
    return true;
  }

  bool RemoveEntry(std::string_view fields, const EntryKind<Folder>& kind) {
    BaseLineReader reader(fields);
    unsigned number = 0;
    std::string_view name;
    if (!reader.Number(number) || !reader.Last(name)) return false;
    Folder* folder = Known(number);
    if (folder == nullptr) return false;
    ++counters_.garbage;
    if ((folder->*kind.table).Erase(name)) ++counters_.garbage;
    return true;
  }

  FolderTable<Folder>& folders_;
  IndexCounters& counters_;
  const char* tag_;

 private:
  void Line(std::string_view line) {
    if (line.empty() || line.front() == ';') return;
    ++counters_.lines;
    if (!Apply(line)) Bad(line);
  }

  void Bad(std::string_view line) {
    g_Log.LogError(tag_, 0, "ignoring bad line (%.*s)", static_cast<int>(line.size()), line.data());
    ++counters_.garbage;
  }
};
