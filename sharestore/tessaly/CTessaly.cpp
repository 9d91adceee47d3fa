#include "sharestore/tessaly/CTessaly.h"

#include <cstring>
#include <memory>

#include "sharestore/common/BaseCompactor.h"
#include "sharestore/common/BaseLineBuilder.h"
#include "sharestore/common/BaseLineReader.h"
#include "sharestore/common/CLog.h"
#include "sharestore/tessaly/CRemoteDir.h"
#include "sharestore/tessaly/TessalyLineKinds.h"
#include "sharestore/tessaly/TessalyReplay.h"

namespace {

bool Empty(const char* text) { return text == nullptr || *text == '\0'; }
bool HoldsLineBreak(std::string_view text) { return text.find_first_of("\r\n") != std::string_view::npos; }

// -1 with an assertion (line 0) under tag.
int BadArgument(const char* tag) {
  g_Log.Assert(false, tag, 0);
  return -1;
}

void AppendEntryLine(std::string& out, const TessalyLineKinds& kinds, unsigned number, std::string_view name,
                     const IndexEntry& entry) {
  BaseLineBuilder line(out, kinds.setPrefix);
  line.Number(number);
  if (kinds.timed) line.Time(entry.time);
  line.Change(ChangeTypeToChar(entry.type, "CTessaly::_ChangeType2Char")).Text(name).End();
}

std::string EntryLine(const TessalyLineKinds& kinds, unsigned number, std::string_view name, const IndexEntry& entry) {
  std::string line;
  AppendEntryLine(line, kinds, number, name, entry);
  return line;
}

std::string RemoveLine(const TessalyLineKinds& kinds, unsigned number, std::string_view name) {
  std::string line;
  BaseLineBuilder(line, kinds.removePrefix).Number(number).Text(name).End();
  return line;
}

void AppendFolderLine(std::string& out, const TessalyFolder& folder) {
  BaseLineBuilder(out, "Folder=").Number(folder.number).Text(folder.key).Text(folder.mask).Text(folder.path).End();
}

std::string FolderLine(const TessalyFolder& folder) {
  std::string line;
  AppendFolderLine(line, folder);
  return line;
}

void DeliverFolder(const TessalyFolder& folder, const char** key, const char** path, const char** mask) {
  if (key != nullptr) *key = folder.key.c_str();
  if (path != nullptr) *path = folder.path.c_str();
  if (mask != nullptr) *mask = folder.mask.c_str();
}

void DeliverEntry(const EntryTable::Record& record, const char** name, FILETIME* time, int* change) {
  *name = record.first.c_str();
  if (time != nullptr) *time = record.second.time;
  *change = record.second.type;
}

// The listing of a watched folder for a scan: its files with their times, or its
// subfolders. 0 or the code of the failing step, which is logged.
int ListFolder(const char* tag, const TessalyFolder& folder, bool subfolders, int recursive, const char** excluded,
               int excludedCount, std::vector<ListedEntry>& listing) {
  CRemoteDir dir;
  if (const int code = dir.Open(folder.path.c_str()); code != 0) {
    g_Log.LogError(tag, code, "CRemoteDir::Open");
    return code;
  }
  if (subfolders) {
    std::vector<std::string> paths;
    if (const int code = dir.ReadFolders(paths, recursive != 0, excluded, excludedCount); code != 0) {
      g_Log.LogError(tag, code, "CRemoteDir::ReadFolders");
      return code;
    }
    for (std::string& path : paths) listing.push_back({std::move(path), FILETIME{}});
    return 0;
  }
  std::vector<WIN32_FIND_DATAA> files;
  if (const int code = dir.ReadContext(files, folder.mask.c_str()); code != 0) {
    g_Log.LogError(tag, code, "CRemoteDir::ReadContext");
    return code;
  }
  listing.reserve(files.size());
  for (const WIN32_FIND_DATAA& file : files) listing.push_back({file.cFileName, file.ftLastWriteTime});
  return 0;
}

}  // namespace

CTessaly::~CTessaly() { Close(); }

bool CTessaly::Write(const std::string& line, const char* tag) {
  if (base_.Append(line)) return true;
  g_Log.LogError(tag, 0, "fprintf error");
  return false;
}

int CTessaly::Init(const char* basePath) {
  static const char* const kTag = "CTessaly::Init";
  if (Empty(basePath)) {
    g_Log.LogError(kTag, -1, "arguments");
    return -1;
  }
  Close();
  BaseCompactor::Recover(basePath, kTag);
  if (!base_.Open(basePath, true)) {
    g_Log.LogError(kTag, -2, "fopen(%s)", basePath);
    return -2;
  }
  std::unique_ptr<char[]> bytes;
  std::size_t size = 0;
  if (!base_.ReadAll(bytes, size)) {
    g_Log.LogError(kTag, -2, "freopen(%s, rt)", basePath);
    base_.Close();
    return -2;
  }
  basePath_ = basePath;
  initialised_ = true;
  // A line cut short by a crash must not swallow the next line appended.
  if (!TessalyReplay(folders_, counters_).Run(std::string_view(bytes.get(), size)) && !base_.Append("\r\n")) {
    g_Log.LogError(kTag, -2, "freopen(%s, at)", basePath);
    base_.Close();
    return -2;
  }
  return 0;
}

void CTessaly::Close() {
  base_.Close();
  folders_.Clear();
  basePath_.clear();
  current_ = nullptr;
  counters_ = IndexCounters{};
  initialised_ = false;
}

int CTessaly::AddFolder(const char* key, const char* path, const char* mask) {
  static const char* const kTag = "CTessaly::AddFolder";
  if (Empty(key) || Empty(path) || Empty(mask) || !initialised_ || !base_.IsOpen()) return BadArgument(kTag);
  if (HoldsLineBreak(key) || HoldsLineBreak(path) || HoldsLineBreak(mask)) return BadArgument(kTag);
  if (folders_.FindKey(key) != nullptr) {
    g_Log.LogError(kTag, 0, "Folder already exists");
    return -2;
  }
  if (std::strchr(mask, ',') != nullptr) {
    g_Log.LogError(kTag, 0, "szMask cannot contain \",\" symbols");
    return -3;
  }
  if (std::strchr(key, ',') != nullptr) {
    g_Log.LogError(kTag, 0, "szKey cannot contain \",\" symbols");
    return -3;
  }
  if (folders_.Highest() + 1 >= kFolderNumberLimit) {
    g_Log.LogError(kTag, 0, "no folder number left");
    return -1;
  }
  auto folder = std::make_unique<TessalyFolder>();
  folder->key = key;
  folder->path = path;
  folder->mask = mask;
  folder->number = folders_.Highest() + 1;
  folders_.RaiseHighest(folder->number);  // a failed write uses the number up
  if (!Write(FolderLine(*folder), kTag)) return -10;
  ++counters_.lines;
  folders_.Insert(std::move(folder));
  return 0;
}

int CTessaly::ChangeFolder(const char* key, const char* newPath) {
  static const char* const kTag = "CTessaly::ChangeFolder";
  if (Empty(key) || Empty(newPath) || !initialised_ || !base_.IsOpen() || HoldsLineBreak(newPath))
    return BadArgument(kTag);
  TessalyFolder* folder = folders_.FindKey(key);
  if (folder == nullptr) return 1;
  std::string line;
  BaseLineBuilder(line, "ChangeFolder=").Number(folder->number).Text(newPath).End();
  if (!Write(line, kTag)) return -10;
  ++counters_.lines;
  ++counters_.garbage;
  folder->path = newPath;
  return 0;
}

int CTessaly::RemoveFolder(const char* key) {
  static const char* const kTag = "CTessaly::RemoveFolder";
  if (Empty(key) || !initialised_ || !base_.IsOpen()) return BadArgument(kTag);
  TessalyFolder* folder = folders_.FindKey(key);
  if (folder == nullptr) return 0;
  std::string line;
  BaseLineBuilder(line, "RemoveFolder=").Number(folder->number).End();
  if (!Write(line, kTag)) return -10;
  ++counters_.lines;
  counters_.garbage += static_cast<int>(folder->files.size()) + 2;
  if (current_ == folder) current_ = nullptr;
  folders_.Erase(*folder);
  return 0;
}

int CTessaly::FindFolder(const char* key, const char** path, const char** mask) {
  if (Empty(key) || !initialised_) return BadArgument("CTessaly::FindFolder");
  const TessalyFolder* folder = folders_.FindKey(key);
  if (folder == nullptr) return 1;
  DeliverFolder(*folder, nullptr, path, mask);
  return 0;
}

int CTessaly::GetFolderCount(int* count) {
  if (count == nullptr || !initialised_) return BadArgument("CTessaly::GetFolderCount");
  *count = static_cast<int>(folders_.size());
  return 0;
}

int CTessaly::GetFirstFolder(const char** key, const char** path, const char** mask) {
  if (!initialised_) return BadArgument("CTessaly::GetFirstFolder");
  folders_.Rewind();
  return GetNextFolder(key, path, mask);
}

int CTessaly::GetNextFolder(const char** key, const char** path, const char** mask) {
  if (!initialised_ || key == nullptr) return BadArgument("CTessaly::GetNextFolder");
  const TessalyFolder* folder = folders_.Next();
  if (folder == nullptr) return 1;
  DeliverFolder(*folder, key, path, mask);
  return 0;
}

int CTessaly::Update(const char* key, ProgressCallback callback, void* user) {
  return Scan("CTessaly::Update", key, false, 1, nullptr, 0, callback, user);
}

int CTessaly::UpdateSubfolders(const char* key, int recursive, const char** excluded, int excludedCount,
                               ProgressCallback callback, void* user) {
  return Scan("CTessaly::UpdateSubfolders", key, true, recursive, excluded, excludedCount, callback, user);
}

int CTessaly::Scan(const char* tag, const char* key, bool subfolders, int recursive, const char** excluded,
                   int excludedCount, ProgressCallback callback, void* user) {
  const TessalyLineKinds& kinds = subfolders ? kSubfolderKinds : kFileKinds;
  if (key == nullptr || !initialised_ || !base_.IsOpen()) return BadArgument(tag);
  TessalyFolder* folder = folders_.FindKey(key);
  if (folder == nullptr) {
    g_Log.Assert(false, tag, 1);
    return -2;
  }
  ChangeScan::Setup setup;
  setup.table = &(folder->*kinds.table);
  setup.base = &base_;
  setup.counters = &counters_;
  setup.tag = tag;
  setup.markTitle = subfolders ? "detected subfolder changes" : "detected changes";
  setup.timed = !subfolders;
  const unsigned number = folder->number;
  setup.format = [&kinds, number](std::string_view name, const IndexEntry& entry) {
    return EntryLine(kinds, number, name, entry);
  };
  setup.callback = callback;
  setup.user = user;
  ChangeScan scan(std::move(setup));

  std::vector<ListedEntry> listing;
  if (const int code = ListFolder(tag, *folder, subfolders, recursive, excluded, excludedCount, listing); code != 0)
    return code;
  if (const int code = scan.Start(listing.size()); code != 0) return code;
  if (const int code = scan.Listed(listing); code != 0) return code;
  if (subfolders && recursive == 0) g_Log.LogError(tag, 0, "bRecursive == false -> function will work incorrect");
  if (const int code = scan.Leftovers(); code != 0) return code;
  return scan.Finish();
}

int CTessaly::SetCurrentFolder(const char* key) {
  current_ = nullptr;
  if (key == nullptr || !initialised_) return BadArgument("CTessaly::SetCurrentFolder");
  current_ = folders_.FindKey(key);
  return current_ != nullptr ? 0 : 1;
}

int CTessaly::GetCurrentFolder(const char** key, const char** path, const char** mask) {
  if (current_ == nullptr) return 1;
  DeliverFolder(*current_, key, path, mask);
  return 0;
}

int CTessaly::GetFileCount(int* count, int changeMask) {
  static const char* const kTag = "CTessaly::GetFileCount";
  if (count == nullptr || current_ == nullptr) return BadArgument(kTag);
  *count = current_->files.Count(changeMask, kTag);
  return 0;
}

int CTessaly::FindFirst(const TessalyLineKinds& kinds, int mask, const char** name, FILETIME* time, int* change) {
  if (current_ == nullptr || name == nullptr || (kinds.timed && time == nullptr) || change == nullptr)
    return BadArgument(kinds.findNextTag);
  (current_->*kinds.table).Rewind();
  return FindNext(kinds, mask, name, time, change);
}

int CTessaly::FindNext(const TessalyLineKinds& kinds, int mask, const char** name, FILETIME* time, int* change) {
  if (current_ == nullptr || name == nullptr || (kinds.timed && time == nullptr) || change == nullptr)
    return BadArgument(kinds.findNextTag);
  EntryTable& table = current_->*kinds.table;
  if (!table.Started()) {
    g_Log.Assert(false, kinds.findNextTag, 1);
    return -2;
  }
  const EntryTable::Record* record = table.Next(mask, kinds.findNextTag);
  if (record == nullptr) return 1;
  DeliverEntry(*record, name, time, change);
  return 0;
}

int CTessaly::GetFirstFile(const char** name, FILETIME* time, int* change) {
  return FindFirst(kFileKinds, 0, name, time, change);
}

int CTessaly::GetNextFile(const char** name, FILETIME* time, int* change) {
  return FindNext(kFileKinds, 0, name, time, change);
}

int CTessaly::FindFirstFile(int changeMask, const char** name, FILETIME* time, int* change) {
  return FindFirst(kFileKinds, changeMask, name, time, change);
}

int CTessaly::FindNextFile(int changeMask, const char** name, FILETIME* time, int* change) {
  return FindNext(kFileKinds, changeMask, name, time, change);
}

int CTessaly::Find(const TessalyLineKinds& kinds, const char* name, FILETIME* time, int* change) {
  if (name == nullptr || current_ == nullptr) return BadArgument(kinds.findTag);
  const IndexEntry* entry = (current_->*kinds.table).Find(name);
  if (entry == nullptr) return 1;
  if (time != nullptr) *time = entry->time;
  if (change != nullptr) *change = entry->type;
  return 0;
}

int CTessaly::FindFile(const char* name, FILETIME* time, int* change) { return Find(kFileKinds, name, time, change); }

int CTessaly::GetUnique(const char* name, int* n) {
  if (Empty(name) || n == nullptr) return BadArgument("CTessaly::GetUnique");
  *n = 0;
  if (FindFile(name, nullptr, nullptr) != 0) return 0;
  const std::string text = name;
  const std::size_t dot = text.find_last_of('.');
  const std::string base = dot == std::string::npos ? text : text.substr(0, dot);
  const std::string extension = dot == std::string::npos ? "" : text.substr(dot);
  for (int candidate = 1;; ++candidate) {
    const std::string tried = base + std::to_string(candidate) + extension;
    if (current_->files.Find(tried) == nullptr) {
      *n = candidate;
      return 0;
    }
  }
}

int CTessaly::CheckEntryCall(const char* tag, const char* name) const {
  if (!base_.IsOpen() || current_ == nullptr || name == nullptr) return BadArgument(tag);
  return 0;
}

int CTessaly::Acknowledge(const TessalyLineKinds& kinds, const char* name) {
  if (const int code = CheckEntryCall(kinds.removeChangeTag, name); code != 0) return code;
  EntryTable& table = current_->*kinds.table;
  const auto it = table.entries().find(std::string_view(name));
  if (it == table.entries().end()) return 0;
  const std::string stored(it->first);
  if (it->second.type == CT_DELETED) {
    if (!Write(RemoveLine(kinds, current_->number, stored), kinds.removeChangeTag)) return -10;
    ++counters_.lines;
    counters_.garbage += 2;
    table.Erase(stored);
    return 0;
  }
  IndexEntry acknowledged = it->second;
  acknowledged.type = CT_UNCHANGED;
  if (!Write(EntryLine(kinds, current_->number, stored, acknowledged), kinds.removeChangeTag)) return -10;
  ++counters_.lines;
  ++counters_.garbage;
  table.Find(stored)->type = CT_UNCHANGED;
  return 0;
}

int CTessaly::RemoveChange(const char* name) { return Acknowledge(kFileKinds, name); }

int CTessaly::SetEntry(const TessalyLineKinds& kinds, const char* name, const FILETIME& time, int change) {
  if (const int code = CheckEntryCall(kinds.setTag, name); code != 0) return code;
  if (!IsChangeType(change)) {
    g_Log.Assert(false, kinds.setTag, 0);
    return -2;
  }
  if (*name == '\0' || HoldsLineBreak(name)) return BadArgument(kinds.setTag);
  const IndexEntry entry{time, change, 0};
  if (!Write(EntryLine(kinds, current_->number, name, entry), kinds.setTag)) return -10;
  ++counters_.lines;
  if ((current_->*kinds.table).Put(name, entry)) ++counters_.garbage;
  return 0;
}

int CTessaly::SetFile(const char* name, FILETIME time, int change) { return SetEntry(kFileKinds, name, time, change); }

int CTessaly::RemoveEntry(const TessalyLineKinds& kinds, const char* name) {
  if (const int code = CheckEntryCall(kinds.removeTag, name); code != 0) return code;
  EntryTable& table = current_->*kinds.table;
  const auto it = table.entries().find(std::string_view(name));
  if (it == table.entries().end()) return 0;
  const std::string stored(it->first);
  if (!Write(RemoveLine(kinds, current_->number, stored), kinds.removeTag)) return -10;
  ++counters_.lines;
  counters_.garbage += 2;
  table.Erase(stored);
  return 0;
}

int CTessaly::RemoveFile(const char* name) { return RemoveEntry(kFileKinds, name); }

int CTessaly::FindFirstSubfolder(int changeMask, const char** path, int* change) {
  return FindFirst(kSubfolderKinds, changeMask, path, nullptr, change);
}

int CTessaly::FindNextSubfolder(int changeMask, const char** path, int* change) {
  return FindNext(kSubfolderKinds, changeMask, path, nullptr, change);
}

int CTessaly::FindSubfolder(const char* path, int* change) { return Find(kSubfolderKinds, path, nullptr, change); }

int CTessaly::RemoveSubfolderChange(const char* path) { return Acknowledge(kSubfolderKinds, path); }

int CTessaly::SetSubfolder(const char* path, int change) { return SetEntry(kSubfolderKinds, path, FILETIME{}, change); }

int CTessaly::RemoveSubfolder(const char* path) { return RemoveEntry(kSubfolderKinds, path); }

std::string CTessaly::CompactedBase() const {
  std::string content;
  folders_.ForEach([&content](const TessalyFolder& folder) {
    AppendFolderLine(content, folder);
    for (const auto& [name, entry] : folder.files.entries()) AppendEntryLine(content, kFileKinds, folder.number, name, entry);
    for (const auto& [path, entry] : folder.subfolders.entries())
      AppendEntryLine(content, kSubfolderKinds, folder.number, path, entry);
    return true;
  });
  return content;
}

int CTessaly::CompactBase() {
  static const char* const kTag = "CTessaly::CompactBase";
  if (!base_.IsOpen()) return BadArgument(kTag);
  int lines = 0;
  folders_.ForEach([&lines](const TessalyFolder& folder) {
    lines += 1 + static_cast<int>(folder.files.size() + folder.subfolders.size());
    return true;
  });
  const int code = BaseCompactor::Replace(base_, basePath_, CompactedBase(), kTag);
  if (code == 0 || code == -100) counters_ = IndexCounters{lines, 0};
  return code;
}

void CTessaly::GetBaseStat(int* lines, int* garbage) {
  if (lines != nullptr) *lines = counters_.lines;
  if (garbage != nullptr) *garbage = counters_.garbage;
}

int CTessaly::Release() {
  delete this;
  return 0;
}
