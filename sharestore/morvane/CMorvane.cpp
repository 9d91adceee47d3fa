#include "sharestore/morvane/CMorvane.h"

#include <cstring>
#include <memory>

#include "sharestore/common/CLog.h"
#include "sharestore/common/LibraryBoundary.h"
#include "sharestore/morvane/MorvaneLineKinds.h"
#include "sharestore/morvane/MorvaneMapi.h"
#include "sharestore/morvane/MorvaneReplay.h"

namespace {

constexpr const char* kUpdateTag = "CMorvane::Update";

void AppendFolderLine(std::string& out, const MorvaneFolder& folder) {
  BaseLineBuilder(out, "Folder=")
      .Number(folder.number)
      .Text(folder.key)
      .Text(folder.folderId)
      .Text(folder.storeId)
      .Text(folder.messageClass)
      .End();
}

std::string FolderLine(const MorvaneFolder& folder) {
  std::string line;
  AppendFolderLine(line, folder);
  return line;
}

void DeliverFolder(const MorvaneFolder& folder, const char** key, const char** folderId,
                   const char** storeId, const char** messageClass) {
  if (key != nullptr) *key = folder.key.c_str();
  if (folderId != nullptr) *folderId = folder.folderId.c_str();
  if (storeId != nullptr) *storeId = folder.storeId.c_str();
  if (messageClass != nullptr) *messageClass = folder.messageClass.c_str();
}

bool HoldsComma(const char* text) { return text != nullptr && std::strchr(text, ',') != nullptr; }

bool AnyLineBreak(const char* key, const char* storeId, const char* folderId,
                  const char* messageClass) {
  return HoldsLineBreak(key) || HoldsLineBreak(storeId) || HoldsLineBreak(folderId) ||
         (messageClass != nullptr && HoldsLineBreak(messageClass));
}

}  // namespace

CMorvane::~CMorvane() { index_.Close(); }

int CMorvane::Init(const char* basePath) {
  static const char* const kTag = "CMorvane::Init";
  return Guarded(kTag, [&] { return index_.Open<MorvaneReplay>(basePath, kTag); });
}

void CMorvane::Close() {
  GuardedVoid("CMorvane::Close", [this] { index_.Close(); });
}

int CMorvane::AddFolder(const char* key, const char* storeEntryId, const char* folderEntryId,
                        const char* messageClass) {
  static const char* const kTag = "CMorvane::AddFolder";
  return Guarded(kTag, [&] {
    if (IsEmptyText(key) || IsEmptyText(storeEntryId) || IsEmptyText(folderEntryId) ||
        !index_.Writable())
      return BadArgument(kTag);
    if (AnyLineBreak(key, storeEntryId, folderEntryId, messageClass)) return BadArgument(kTag);
    if (index_.KeyTaken(key, kTag)) return -2;
    // The folder line has no escaping: a comma would shift every field after it.
    if (HoldsComma(key) || HoldsComma(storeEntryId) || HoldsComma(folderEntryId) ||
        HoldsComma(messageClass)) {
      g_Log.LogError(kTag, 0, "fields cannot contain \",\" symbols");
      return -3;
    }
    auto folder = std::make_unique<MorvaneFolder>();
    folder->key = key;
    folder->storeId = storeEntryId;
    folder->folderId = folderEntryId;
    if (messageClass != nullptr) folder->messageClass = messageClass;
    return index_.AddFolder(std::move(folder), kTag, FolderLine);
  });
}

int CMorvane::RemoveFolder(const char* key) {
  static const char* const kTag = "CMorvane::RemoveFolder";
  return Guarded(kTag, [&] { return index_.RemoveFolder(key, kTag, &MorvaneFolder::items); });
}

int CMorvane::FindFolder(const char* key, const char** folderEntryId, const char** storeEntryId,
                         const char** messageClass) {
  static const char* const kTag = "CMorvane::FindFolder";
  return Guarded(kTag, [&] {
    const MorvaneFolder* folder = nullptr;
    const int code = index_.FindFolder(key, kTag, &folder);
    if (code == 0) DeliverFolder(*folder, nullptr, folderEntryId, storeEntryId, messageClass);
    return code;
  });
}

int CMorvane::GetFolderCount(int* count) {
  static const char* const kTag = "CMorvane::GetFolderCount";
  return Guarded(kTag, [&] { return index_.GetFolderCount(count, kTag); });
}

int CMorvane::GetFirstFolder(const char** key, const char** folderEntryId,
                             const char** storeEntryId, const char** messageClass) {
  static const char* const kTag = "CMorvane::GetFirstFolder";
  return Guarded(kTag, [&] {
    if (!index_.Initialised()) return BadArgument(kTag);
    return NextFolder(true, key, folderEntryId, storeEntryId, messageClass);
  });
}

int CMorvane::GetNextFolder(const char** key, const char** folderEntryId, const char** storeEntryId,
                            const char** messageClass) {
  return Guarded("CMorvane::GetNextFolder",
                 [&] { return NextFolder(false, key, folderEntryId, storeEntryId, messageClass); });
}

int CMorvane::NextFolder(bool rewind, const char** key, const char** folderEntryId,
                         const char** storeEntryId, const char** messageClass) {
  const MorvaneFolder* folder = nullptr;
  const int code = index_.NextFolder(rewind, key != nullptr, "CMorvane::GetNextFolder", &folder);
  if (code == 0) DeliverFolder(*folder, key, folderEntryId, storeEntryId, messageClass);
  return code;
}

int CMorvane::ListMessages(IMAPISession* session, const MorvaneFolder& folder,
                           std::vector<ListedEntry>& listing, ULONG& rowCount) {
  CComPtr<IMAPIFolder> opened;
  if (const HRESULT hr =
          MorvaneMapi::OpenFolder(session, folder.storeId.c_str(), folder.folderId.c_str(), opened);
      hr != S_OK) {
    g_Log.LogError(kUpdateTag, hr, "_MAPIOpenFolder");
    return hr;
  }
  CComPtr<IMAPITable> table;
  if (const HRESULT hr =
          MorvaneMapi::GetContentsTable(opened, folder.messageClass, table, rowCount);
      hr != S_OK) {
    g_Log.LogError(kUpdateTag, hr, "_MAPIGetContextTable");
    return hr;
  }
  if (rowCount == 0) return 0;
  listing.reserve(rowCount);
  for (;;) {
    ListedEntry row;
    const HRESULT hr = MorvaneMapi::GetRow(table, row.name, row.time);
    if (hr == 1) return 0;
    if (hr != S_OK) {
      g_Log.LogError(kUpdateTag, hr, "_MAPIGetRow");
      return hr;
    }
    listing.push_back(std::move(row));
  }
}

int CMorvane::Update(IMAPISession* session, const char* key, ProgressCallback callback,
                     void* user) {
  return Guarded(kUpdateTag, [&] { return Scan(session, key, callback, user); });
}

int CMorvane::Scan(IMAPISession* session, const char* key, ProgressCallback callback, void* user) {
  if (session == nullptr) return BadArgument(kUpdateTag);
  MorvaneFolder* folder = nullptr;
  if (const int code = index_.ScanTarget(key, kUpdateTag, &folder); code != 0) return code;
  ChangeScan::Setup setup = index_.ScanSetup(*folder, kItemKinds, kUpdateTag);
  setup.callback = callback;
  setup.user = user;
  ChangeScan scan(std::move(setup));

  // The whole folder is read before anything is recorded, so that a folder that cannot
  // be read leaves the index untouched.
  std::vector<ListedEntry> listing;
  ULONG rowCount = 0;
  if (const int code = ListMessages(session, *folder, listing, rowCount); code != 0) return code;
  if (const int code = scan.Start(rowCount); code != 0) return code;
  if (const int code = scan.Listed(listing); code != 0) return code;
  if (const int code = scan.Leftovers(); code != 0) return code;
  return scan.Finish();
}

int CMorvane::SetCurrentFolder(const char* key) {
  static const char* const kTag = "CMorvane::SetCurrentFolder";
  return Guarded(kTag, [&] { return index_.SetCurrentFolder(key, kTag); });
}

int CMorvane::GetCurrentFolder(const char** key, const char** folderEntryId,
                               const char** storeEntryId, const char** messageClass) {
  return Guarded("CMorvane::GetCurrentFolder", [&] {
    if (index_.Current() == nullptr) return 1;
    DeliverFolder(*index_.Current(), key, folderEntryId, storeEntryId, messageClass);
    return 0;
  });
}

int CMorvane::GetItemCount(int* count, int changeMask) {
  return Guarded(kItemKinds.countTag, [&] { return index_.Count(kItemKinds, count, changeMask); });
}

int CMorvane::GetFirstItem(const char** entryId, FILETIME* time, int* change) {
  return FindFirstItem(0, entryId, time, change);
}

int CMorvane::GetNextItem(const char** entryId, FILETIME* time, int* change) {
  return FindNextItem(0, entryId, time, change);
}

int CMorvane::FindFirstItem(int changeMask, const char** entryId, FILETIME* time, int* change) {
  return Guarded("CMorvane::FindFirstItem",
                 [&] { return index_.FindFirst(kItemKinds, changeMask, entryId, time, change); });
}

int CMorvane::FindNextItem(int changeMask, const char** entryId, FILETIME* time, int* change) {
  return Guarded("CMorvane::FindNextItem",
                 [&] { return index_.FindNext(kItemKinds, changeMask, entryId, time, change); });
}

int CMorvane::FindItem(const char* entryId, FILETIME* time, int* change) {
  return Guarded(kItemKinds.findTag, [&] {
    if (time == nullptr || change == nullptr) return BadArgument(kItemKinds.findTag);
    return index_.Find(kItemKinds, entryId, time, change);
  });
}

int CMorvane::RemoveChange(const char* entryId) {
  return Guarded(kItemKinds.removeChangeTag,
                 [&] { return index_.Acknowledge(kItemKinds, entryId); });
}

int CMorvane::SetItem(const char* entryId, FILETIME time, int change) {
  return Guarded(kItemKinds.setTag,
                 [&] { return index_.SetEntry(kItemKinds, entryId, time, change); });
}

int CMorvane::RemoveItem(const char* entryId) {
  return Guarded(kItemKinds.removeTag, [&] { return index_.RemoveEntry(kItemKinds, entryId); });
}

std::string CMorvane::CompactedBase() const {
  std::string content;
  index_.Folders().ForEach([&content](const MorvaneFolder& folder) {
    AppendFolderLine(content, folder);
    for (const auto& [id, entry] : folder.items.entries())
      ChangeIndex<MorvaneFolder>::AppendEntryLine(content, kItemKinds, folder.number, id, entry);
    return true;
  });
  return content;
}

int CMorvane::CompactBase() {
  static const char* const kTag = "CMorvane::CompactBase";
  return Guarded(kTag, [&] {
    int lines = 0;
    index_.Folders().ForEach([&lines](const MorvaneFolder& folder) {
      lines += 1 + static_cast<int>(folder.items.size());
      return true;
    });
    return index_.Compact(kTag, CompactedBase(), lines);
  });
}

void CMorvane::GetBaseStat(int* lines, int* garbage) {
  GuardedVoid("CMorvane::GetBaseStat", [&] { index_.GetBaseStat(lines, garbage); });
}

int CMorvane::Release() {
  delete this;
  return 0;
}
