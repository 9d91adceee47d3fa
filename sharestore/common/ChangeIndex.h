// The state and the operations that every change index shares, whatever its folders
// and entries are: the base file and its counters, the watched folders with their
// numbers, the current folder, and the entry operations over one kind of entry.
// Each library wraps it in its own class behind its own interface, with its own log
// tags and line forms.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "sharestore/common/Arguments.h"
#include "sharestore/common/BaseCompactor.h"
#include "sharestore/common/BaseFile.h"
#include "sharestore/common/BaseLineBuilder.h"
#include "sharestore/common/BaseLineReader.h"
#include "sharestore/common/ChangeScan.h"
#include "sharestore/common/EntryKind.h"
#include "sharestore/common/FolderTable.h"
#include "sharestore/common/IndexCounters.h"

template <class Folder>
class ChangeIndex {
 public:
  using Kind = EntryKind<Folder>;

  ChangeIndex() = default;
  ChangeIndex(const ChangeIndex&) = delete;
  ChangeIndex& operator=(const ChangeIndex&) = delete;

  bool Initialised() const { return initialised_; }
  bool BaseOpen() const { return base_.IsOpen(); }
  // Initialised with its base open: what every writing operation needs.
  bool Writable() const { return initialised_ && base_.IsOpen(); }
  FolderTable<Folder>& Folders() { return folders_; }
  const FolderTable<Folder>& Folders() const { return folders_; }
  IndexCounters& Counters() { return counters_; }
  Folder* Current() const { return current_; }

  // Opens (creating it when missing) and replays the base; a `Replay` made over the
  // folders and counters reads the bytes, whole lines only (Run).
  template <class Replay>
  int Open(const char* basePath, const char* tag) {
    if (IsEmptyText(basePath)) {
      g_Log.LogError(tag, -1, "arguments");
      return -1;
    }
    Close();
    BaseCompactor::Recover(basePath, tag);
    if (!base_.Open(basePath, true)) {
      g_Log.LogError(tag, -2, "fopen(%s)", basePath);
      return -2;
    }
    std::unique_ptr<char[]> bytes;
    std::size_t size = 0;
    if (!base_.ReadAll(bytes, size)) {
      g_Log.LogError(tag, -2, "freopen(%s, rt)", basePath);
      base_.Close();
      return -2;
    }
    const std::string_view text(bytes.get(), size);
    const std::size_t committed = CommittedLength(text);
    if (committed < size && !CutTornLine(text.substr(committed), tag)) {
      g_Log.LogError(tag, -2, "freopen(%s, at)", basePath);
      base_.Close();
      return -2;
    }
    basePath_ = basePath;
    initialised_ = true;
    try {
      Replay(folders_, counters_).Run(text.substr(0, committed));
    } catch (...) {
      Close();  // half an index must not write over the base
      throw;
    }
    return 0;
  }

  void Close() {
    base_.Close();
    folders_.Clear();
    basePath_.clear();
    current_ = nullptr;
    counters_ = IndexCounters{};
    initialised_ = false;
  }

  // Appends one line; on failure logs "fprintf error" under tag and returns false.
  bool Write(const std::string& line, const char* tag) {
    if (base_.Append(line)) return true;
    g_Log.LogError(tag, 0, "fprintf error");
    return false;
  }

  // A key already watched logs "Folder already exists"; true then.
  bool KeyTaken(const char* key, const char* tag) const {
    if (folders_.FindKey(key) == nullptr) return false;
    g_Log.LogError(tag, 0, "Folder already exists");
    return true;
  }

  // Gives the folder the next number, writes its line (formed by `line`) and watches
  // it. A failed write uses the number up.
  template <class LineOf>
  int AddFolder(std::unique_ptr<Folder> folder, const char* tag, LineOf line) {
    if (folders_.Highest() + 1 >= kFolderNumberLimit) {
      g_Log.LogError(tag, 0, "no folder number left");
      return -1;
    }
    folder->number = folders_.Highest() + 1;
    folders_.RaiseHighest(folder->number);
    if (!Write(line(*folder), tag)) return -10;
    ++counters_.lines;
    folders_.Insert(std::move(folder));
    return 0;
  }

  // The lines of the folder's `counted` entries and its own two become void.
  int RemoveFolder(const char* key, const char* tag, EntryTable Folder::*counted) {
    if (IsEmptyText(key) || !Writable()) return BadArgument(tag);
    Folder* folder = folders_.FindKey(key);
    if (folder == nullptr) return 0;
    std::string line;
    BaseLineBuilder(line, "RemoveFolder=").Number(folder->number).End();
    if (!Write(line, tag)) return -10;
    ++counters_.lines;
    counters_.garbage += static_cast<int>((folder->*counted).size()) + 2;
    if (current_ == folder) current_ = nullptr;
    folders_.Erase(*folder);
    return 0;
  }

  // 0 and the folder, 1 for an unknown key, -1 for a bad call.
  int FindFolder(const char* key, const char* tag, const Folder** found) const {
    if (IsEmptyText(key) || !initialised_) return BadArgument(tag);
    *found = folders_.FindKey(key);
    return *found != nullptr ? 0 : 1;
  }

  int GetFolderCount(int* count, const char* tag) const {
    if (count == nullptr || !initialised_) return BadArgument(tag);
    *count = static_cast<int>(folders_.size());
    return 0;
  }

  // 0 and the folder under the cursor (which moves on), 1 at the end, -1 for a bad call.
  int NextFolder(bool rewind, bool keyWanted, const char* tag, const Folder** found) {
    if (!initialised_ || !keyWanted) return BadArgument(tag);
    if (rewind) folders_.Rewind();
    *found = folders_.Next();
    return *found != nullptr ? 0 : 1;
  }

  int SetCurrentFolder(const char* key, const char* tag) {
    current_ = nullptr;
    if (key == nullptr || !initialised_) return BadArgument(tag);
    current_ = folders_.FindKey(key);
    return current_ != nullptr ? 0 : 1;
  }

  // The folder a scan of `key` works on; -1 and -2 as the scan answers them.
  int ScanTarget(const char* key, const char* tag, Folder** found) {
    if (key == nullptr || !Writable()) return BadArgument(tag);
    *found = folders_.FindKey(key);
    if (*found != nullptr) return 0;
    g_Log.Assert(false, tag, 1);
    return -2;
  }

  // What a scan of one kind of entry of the folder needs but its listing.
  ChangeScan::Setup ScanSetup(Folder& folder, const Kind& kind, const char* tag) {
    ChangeScan::Setup setup;
    setup.table = &(folder.*kind.table);
    setup.base = &base_;
    setup.counters = &counters_;
    setup.tag = tag;
    setup.timed = kind.timed;
    const unsigned number = folder.number;
    setup.format = [&kind, number](std::string_view name, const IndexEntry& entry) {
      return EntryLine(kind, number, name, entry);
    };
    return setup;
  }

  int Count(const Kind& kind, int* count, int mask) const {
    if (count == nullptr || current_ == nullptr) return BadArgument(kind.countTag);
    *count = (current_->*kind.table).Count(mask, kind.countTag);
    return 0;
  }

  int FindFirst(const Kind& kind, int mask, const char** name, FILETIME* time, int* change) {
    if (!EnumerationArguments(kind, name, time, change)) return BadArgument(kind.findNextTag);
    (current_->*kind.table).Rewind();
    return FindNext(kind, mask, name, time, change);
  }

  int FindNext(const Kind& kind, int mask, const char** name, FILETIME* time, int* change) {
    if (!EnumerationArguments(kind, name, time, change)) return BadArgument(kind.findNextTag);
    EntryTable& table = current_->*kind.table;
    if (!table.Started()) {
      g_Log.Assert(false, kind.findNextTag, 1);
      return -2;
    }
    const EntryTable::Record* record = table.Next(mask, kind.findNextTag);
    if (record == nullptr) return 1;
    *name = record->first.c_str();
    if (time != nullptr) *time = record->second.time;
    *change = record->second.type;
    return 0;
  }

  int Find(const Kind& kind, const char* name, FILETIME* time, int* change) const {
    if (name == nullptr || current_ == nullptr) return BadArgument(kind.findTag);
    const IndexEntry* entry = (current_->*kind.table).Find(name);
    if (entry == nullptr) return 1;
    if (time != nullptr) *time = entry->time;
    if (change != nullptr) *change = entry->type;
    return 0;
  }

  // A deleted entry leaves with a removal line; any other becomes unchanged.
  int Acknowledge(const Kind& kind, const char* name) {
    if (const int code = CheckEntryCall(kind.removeChangeTag, name); code != 0) return code;
    EntryTable& table = current_->*kind.table;
    const auto it = table.entries().find(std::string_view(name));
    if (it == table.entries().end()) return 0;
    const std::string stored(it->first);
    if (it->second.type == CT_DELETED) return Remove(kind, kind.removeChangeTag, stored);
    IndexEntry acknowledged = it->second;
    acknowledged.type = CT_UNCHANGED;
    if (!Write(EntryLine(kind, current_->number, stored, acknowledged), kind.removeChangeTag))
      return -10;
    ++counters_.lines;
    ++counters_.garbage;
    table.Find(stored)->type = CT_UNCHANGED;
    return 0;
  }

  int SetEntry(const Kind& kind, const char* name, const FILETIME& time, int change) {
    if (const int code = CheckEntryCall(kind.setTag, name); code != 0) return code;
    if (!IsChangeType(change)) {
      g_Log.Assert(false, kind.setTag, 0);
      return -2;
    }
    if (*name == '\0' || HoldsLineBreak(name)) return BadArgument(kind.setTag);
    const IndexEntry entry{time, change, 0};
    if (!Write(EntryLine(kind, current_->number, name, entry), kind.setTag)) return -10;
    ++counters_.lines;
    if ((current_->*kind.table).Put(name, entry)) ++counters_.garbage;
    return 0;
  }

  int RemoveEntry(const Kind& kind, const char* name) {
    if (const int code = CheckEntryCall(kind.removeTag, name); code != 0) return code;
    const EntryTable& table = current_->*kind.table;
    const auto it = table.entries().find(std::string_view(name));
    if (it == table.entries().end()) return 0;
    return Remove(kind, kind.removeTag, std::string(it->first));
  }

  // Replaces the base with `content`, which holds `lines` lines.
  int Compact(const char* tag, const std::string& content, int lines) {
    if (!base_.IsOpen()) return BadArgument(tag);
    const int code = BaseCompactor::Replace(base_, basePath_, content, tag);
    if (code == 0 || code == -100) counters_ = IndexCounters{lines, 0};
    return code;
  }

  void GetBaseStat(int* lines, int* garbage) const {
    if (lines != nullptr) *lines = counters_.lines;
    if (garbage != nullptr) *garbage = counters_.garbage;
  }

  static void AppendEntryLine(std::string& out, const Kind& kind, unsigned number,
                              std::string_view name, const IndexEntry& entry) {
    BaseLineBuilder line(out, kind.setPrefix);
    line.Number(number);
    if (kind.timed) line.Time(entry.time);
    line.Change(ChangeTypeToChar(entry.type, kind.charTag)).Text(name).End();
  }

 private:
  static std::string EntryLine(const Kind& kind, unsigned number, std::string_view name,
                               const IndexEntry& entry) {
    std::string line;
    AppendEntryLine(line, kind, number, name, entry);
    return line;
  }

  // The bytes up to the last line end: a line without its end was being written when
  // the writer died and was never committed.
  static std::size_t CommittedLength(std::string_view bytes) {
    const std::size_t last = bytes.find_last_of("\r\n");
    return last == std::string_view::npos ? 0 : last + 1;
  }

  // Cuts the torn line off the base, so that every later start reads the same lines
  // and the next line appended starts a line of its own.
  bool CutTornLine(std::string_view torn, const char* tag) {
    g_Log.LogError(tag, 0, "cutting off unfinished last line (%.*s)", static_cast<int>(torn.size()),
                   torn.data());
    return base_.Truncate(base_.Size() - torn.size());
  }

  bool EnumerationArguments(const Kind& kind, const char** name, const FILETIME* time,
                            const int* change) const {
    return current_ != nullptr && name != nullptr && (!kind.timed || time != nullptr) &&
           change != nullptr;
  }

  // The checks of the calls that write an entry line: base open, a current folder, a name.
  int CheckEntryCall(const char* tag, const char* name) const {
    if (!base_.IsOpen() || current_ == nullptr || name == nullptr) return BadArgument(tag);
    return 0;
  }

  // Writes the entry's removal line and drops it.
  int Remove(const Kind& kind, const char* tag, const std::string& stored) {
    std::string line;
    BaseLineBuilder(line, kind.removePrefix).Number(current_->number).Text(stored).End();
    if (!Write(line, tag)) return -10;
    ++counters_.lines;
    counters_.garbage += 2;
    (current_->*kind.table).Erase(stored);
    return 0;
  }

  std::string basePath_;
  BaseFile base_;
  bool initialised_ = false;
  FolderTable<Folder> folders_;
  Folder* current_ = nullptr;
  IndexCounters counters_;
};
