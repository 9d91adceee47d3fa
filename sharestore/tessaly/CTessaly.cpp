#include "sharestore/tessaly/CTessaly.h"

#include <cstring>
#include <memory>

#include "sharestore/common/CLog.h"
#include "sharestore/common/LibraryBoundary.h"
#include "sharestore/tessaly/CRemoteDir.h"
#include "sharestore/tessaly/TessalyLineKinds.h"
#include "sharestore/tessaly/TessalyReplay.h"

namespace {

void AppendFolderLine(std::string& out, const TessalyFolder& folder) {
  BaseLineBuilder(out, "Folder=")
      .Number(folder.number)
      .Text(folder.key)
      .Text(folder.mask)
      .Text(folder.path)
      .End();
}

std::string FolderLine(const TessalyFolder& folder) {
  std::string line;
  AppendFolderLine(line, folder);
  return line;
}

void DeliverFolder(const TessalyFolder& folder, const char** key, const char** path,
                   const char** mask) {
  if (key != nullptr) *key = folder.key.c_str();
  if (path != nullptr) *path = folder.path.c_str();
  if (mask != nullptr) *mask = folder.mask.c_str();
}

// The listing of a watched folder for a scan: its files with their times, or its
// subfolders. 0 or the code of the failing step, which is logged.
int ListFolder(const char* tag, const TessalyFolder& folder, bool subfolders, int recursive,
               const char** excluded, int excludedCount, std::vector<ListedEntry>& listing) {
  CRemoteDir dir;
  if (const int code = dir.Open(folder.path.c_str()); code != 0) {
    g_Log.LogError(tag, code, "CRemoteDir::Open");
    return code;
  }
  if (subfolders) {
    std::vector<std::string> paths;
    if (const int code = dir.ReadFolders(paths, recursive != 0, excluded, excludedCount);
        code != 0) {
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
  for (const WIN32_FIND_DATAA& file : files)
    listing.push_back({file.cFileName, file.ftLastWriteTime});
  return 0;
}

}  // namespace

CTessaly::~CTessaly() { index_.Close(); }

int CTessaly::Init(const char* basePath) {
  static const char* const kTag = "CTessaly::Init";
  return Guarded(kTag, [&] { return index_.Open<TessalyReplay>(basePath, kTag); });
}

void CTessaly::Close() {
  GuardedVoid("CTessaly::Close", [this] { index_.Close(); });
}

int CTessaly::AddFolder(const char* key, const char* path, const char* mask) {
  static const char* const kTag = "CTessaly::AddFolder";
  return Guarded(kTag, [&] {
    if (IsEmptyText(key) || IsEmptyText(path) || IsEmptyText(mask) || !index_.Writable())
      return BadArgument(kTag);
    if (HoldsLineBreak(key) || HoldsLineBreak(path) || HoldsLineBreak(mask))
      return BadArgument(kTag);
    if (index_.KeyTaken(key, kTag)) return -2;
    if (std::strchr(mask, ',') != nullptr) {
      g_Log.LogError(kTag, 0, "szMask cannot contain \",\" symbols");
      return -3;
    }
    if (std::strchr(key, ',') != nullptr) {
      g_Log.LogError(kTag, 0, "szKey cannot contain \",\" symbols");
      return -3;
    }
    auto folder = std::make_unique<TessalyFolder>();
    folder->key = key;
    folder->path = path;
    folder->mask = mask;
    return index_.AddFolder(std::move(folder), kTag, FolderLine);
  });
}

int CTessaly::ChangeFolder(const char* key, const char* newPath) {
  static const char* const kTag = "CTessaly::ChangeFolder";
  return Guarded(kTag, [&] {
    if (IsEmptyText(key) || IsEmptyText(newPath) || !index_.Writable() || HoldsLineBreak(newPath))
      return BadArgument(kTag);
    TessalyFolder* folder = index_.Folders().FindKey(key);
    if (folder == nullptr) return 1;
    std::string line;
    BaseLineBuilder(line, "ChangeFolder=").Number(folder->number).Text(newPath).End();
    if (!index_.Write(line, kTag)) return -10;
    ++index_.Counters().lines;
    ++index_.Counters().garbage;
    folder->path = newPath;
    return 0;
  });
}

int CTessaly::RemoveFolder(const char* key) {
  static const char* const kTag = "CTessaly::RemoveFolder";
  return Guarded(kTag, [&] { return index_.RemoveFolder(key, kTag, &TessalyFolder::files); });
}

int CTessaly::FindFolder(const char* key, const char** path, const char** mask) {
  static const char* const kTag = "CTessaly::FindFolder";
  return Guarded(kTag, [&] {
    const TessalyFolder* folder = nullptr;
    const int code = index_.FindFolder(key, kTag, &folder);
    if (code == 0) DeliverFolder(*folder, nullptr, path, mask);
    return code;
  });
}

int CTessaly::GetFolderCount(int* count) {
  static const char* const kTag = "CTessaly::GetFolderCount";
  return Guarded(kTag, [&] { return index_.GetFolderCount(count, kTag); });
}

int CTessaly::GetFirstFolder(const char** key, const char** path, const char** mask) {
  static const char* const kTag = "CTessaly::GetFirstFolder";
  return Guarded(kTag, [&] {
    if (!index_.Initialised()) return BadArgument(kTag);
    return NextFolder(true, key, path, mask);
  });
}

int CTessaly::GetNextFolder(const char** key, const char** path, const char** mask) {
  return Guarded("CTessaly::GetNextFolder", [&] { return NextFolder(false, key, path, mask); });
}

int CTessaly::NextFolder(bool rewind, const char** key, const char** path, const char** mask) {
  const TessalyFolder* folder = nullptr;
  const int code = index_.NextFolder(rewind, key != nullptr, "CTessaly::GetNextFolder", &folder);
  if (code == 0) DeliverFolder(*folder, key, path, mask);
  return code;
}

int CTessaly::Update(const char* key, ProgressCallback callback, void* user) {
  static const char* const kTag = "CTessaly::Update";
  return Guarded(kTag, [&] { return Scan(kTag, key, false, 1, nullptr, 0, callback, user); });
}

int CTessaly::UpdateSubfolders(const char* key, int recursive, const char** excluded,
                               int excludedCount, ProgressCallback callback, void* user) {
  static const char* const kTag = "CTessaly::UpdateSubfolders";
  return Guarded(kTag, [&] {
    return Scan(kTag, key, true, recursive, excluded, excludedCount, callback, user);
  });
}

int CTessaly::Scan(const char* tag, const char* key, bool subfolders, int recursive,
                   const char** excluded, int excludedCount, ProgressCallback callback,
                   void* user) {
  TessalyFolder* folder = nullptr;
  if (const int code = index_.ScanTarget(key, tag, &folder); code != 0) return code;
  ChangeScan::Setup setup =
      index_.ScanSetup(*folder, subfolders ? kSubfolderKinds : kFileKinds, tag);
  setup.markTitle = subfolders ? "detected subfolder changes" : "detected changes";
  setup.callback = callback;
  setup.user = user;
  ChangeScan scan(std::move(setup));

  std::vector<ListedEntry> listing;
  if (const int code =
          ListFolder(tag, *folder, subfolders, recursive, excluded, excludedCount, listing);
      code != 0)
    return code;
  if (const int code = scan.Start(listing.size()); code != 0) return code;
  if (const int code = scan.Listed(listing); code != 0) return code;
  if (subfolders && recursive == 0)
    g_Log.LogError(tag, 0, "bRecursive == false -> function will work incorrect");
  if (const int code = scan.Leftovers(); code != 0) return code;
  return scan.Finish();
}

int CTessaly::SetCurrentFolder(const char* key) {
  static const char* const kTag = "CTessaly::SetCurrentFolder";
  return Guarded(kTag, [&] { return index_.SetCurrentFolder(key, kTag); });
}

int CTessaly::GetCurrentFolder(const char** key, const char** path, const char** mask) {
  return Guarded("CTessaly::GetCurrentFolder", [&] {
    if (index_.Current() == nullptr) return 1;
    DeliverFolder(*index_.Current(), key, path, mask);
    return 0;
  });
}

int CTessaly::GetFileCount(int* count, int changeMask) {
  return Guarded(kFileKinds.countTag, [&] { return index_.Count(kFileKinds, count, changeMask); });
}

int CTessaly::GetFirstFile(const char** name, FILETIME* time, int* change) {
  return FindFirstFile(0, name, time, change);
}

int CTessaly::GetNextFile(const char** name, FILETIME* time, int* change) {
  return FindNextFile(0, name, time, change);
}

int CTessaly::FindFirstFile(int changeMask, const char** name, FILETIME* time, int* change) {
  return Guarded("CTessaly::FindFirstFile",
                 [&] { return index_.FindFirst(kFileKinds, changeMask, name, time, change); });
}

int CTessaly::FindNextFile(int changeMask, const char** name, FILETIME* time, int* change) {
  return Guarded("CTessaly::FindNextFile",
                 [&] { return index_.FindNext(kFileKinds, changeMask, name, time, change); });
}

int CTessaly::FindFile(const char* name, FILETIME* time, int* change) {
  return Guarded(kFileKinds.findTag, [&] { return index_.Find(kFileKinds, name, time, change); });
}

int CTessaly::GetUnique(const char* name, int* n) {
  static const char* const kTag = "CTessaly::GetUnique";
  return Guarded(kTag, [&] {
    if (IsEmptyText(name) || n == nullptr) return BadArgument(kTag);
    *n = 0;
    if (index_.Find(kFileKinds, name, nullptr, nullptr) != 0) return 0;
    const std::string text = name;
    const std::size_t dot = text.find_last_of('.');
    const std::string base = dot == std::string::npos ? text : text.substr(0, dot);
    const std::string extension = dot == std::string::npos ? "" : text.substr(dot);
    for (int candidate = 1;; ++candidate) {
      const std::string tried = base + std::to_string(candidate) + extension;
      if (index_.Current()->files.Find(tried) == nullptr) {
        *n = candidate;
        return 0;
      }
    }
  });
}

int CTessaly::RemoveChange(const char* name) {
  return Guarded(kFileKinds.removeChangeTag, [&] { return index_.Acknowledge(kFileKinds, name); });
}

int CTessaly::SetFile(const char* name, FILETIME time, int change) {
  return Guarded(kFileKinds.setTag,
                 [&] { return index_.SetEntry(kFileKinds, name, time, change); });
}

int CTessaly::RemoveFile(const char* name) {
  return Guarded(kFileKinds.removeTag, [&] { return index_.RemoveEntry(kFileKinds, name); });
}

int CTessaly::FindFirstSubfolder(int changeMask, const char** path, int* change) {
  return Guarded("CTessaly::FindFirstSubfolder", [&] {
    return index_.FindFirst(kSubfolderKinds, changeMask, path, nullptr, change);
  });
}

int CTessaly::FindNextSubfolder(int changeMask, const char** path, int* change) {
  return Guarded("CTessaly::FindNextSubfolder", [&] {
    return index_.FindNext(kSubfolderKinds, changeMask, path, nullptr, change);
  });
}

int CTessaly::FindSubfolder(const char* path, int* change) {
  return Guarded(kSubfolderKinds.findTag,
                 [&] { return index_.Find(kSubfolderKinds, path, nullptr, change); });
}

int CTessaly::RemoveSubfolderChange(const char* path) {
  return Guarded(kSubfolderKinds.removeChangeTag,
                 [&] { return index_.Acknowledge(kSubfolderKinds, path); });
}

int CTessaly::SetSubfolder(const char* path, int change) {
  return Guarded(kSubfolderKinds.setTag,
                 [&] { return index_.SetEntry(kSubfolderKinds, path, FILETIME{}, change); });
}

int CTessaly::RemoveSubfolder(const char* path) {
  return Guarded(kSubfolderKinds.removeTag,
                 [&] { return index_.RemoveEntry(kSubfolderKinds, path); });
}

std::string CTessaly::CompactedBase() const {
  std::string content;
  index_.Folders().ForEach([&content](const TessalyFolder& folder) {
    AppendFolderLine(content, folder);
    for (const auto& [name, entry] : folder.files.entries())
      ChangeIndex<TessalyFolder>::AppendEntryLine(content, kFileKinds, folder.number, name, entry);
    for (const auto& [path, entry] : folder.subfolders.entries())
      ChangeIndex<TessalyFolder>::AppendEntryLine(content, kSubfolderKinds, folder.number, path,
                                                  entry);
    return true;
  });
  return content;
}

int CTessaly::CompactBase() {
  static const char* const kTag = "CTessaly::CompactBase";
  return Guarded(kTag, [&] {
    int lines = 0;
    index_.Folders().ForEach([&lines](const TessalyFolder& folder) {
      lines += 1 + static_cast<int>(folder.files.size() + folder.subfolders.size());
      return true;
    });
    return index_.Compact(kTag, CompactedBase(), lines);
  });
}

void CTessaly::GetBaseStat(int* lines, int* garbage) {
  GuardedVoid("CTessaly::GetBaseStat", [&] { index_.GetBaseStat(lines, garbage); });
}

int CTessaly::Release() {
  delete this;
  return 0;
}
