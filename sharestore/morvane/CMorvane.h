// The item-share change index: watched MAPI folders with their messages and a change
// state each, kept in memory and recorded line by line in the base file.
#pragma once

#include <string>
#include <vector>

#include "sharestore/common/ChangeIndex.h"
#include "sharestore/morvane/Morvane.h"
#include "sharestore/morvane/MorvaneFolder.h"

class CMorvane : public IMorvane {
 public:
  CMorvane() = default;
  ~CMorvane() override;

  int Init(const char* basePath) override;
  void Close() override;
  int AddFolder(const char* key, const char* storeEntryId, const char* folderEntryId,
                const char* messageClass) override;
  int RemoveFolder(const char* key) override;
  int FindFolder(const char* key, const char** folderEntryId, const char** storeEntryId,
                 const char** messageClass) override;
  int GetFolderCount(int* count) override;
  int GetFirstFolder(const char** key, const char** folderEntryId, const char** storeEntryId,
                     const char** messageClass) override;
  int GetNextFolder(const char** key, const char** folderEntryId, const char** storeEntryId,
                    const char** messageClass) override;
  int Update(IMAPISession* session, const char* key, ProgressCallback callback,
             void* user) override;
  int SetCurrentFolder(const char* key) override;
  int GetCurrentFolder(const char** key, const char** folderEntryId, const char** storeEntryId,
                       const char** messageClass) override;
  int GetItemCount(int* count, int changeMask) override;
  int GetFirstItem(const char** entryId, FILETIME* time, int* change) override;
  int GetNextItem(const char** entryId, FILETIME* time, int* change) override;
  int FindFirstItem(int changeMask, const char** entryId, FILETIME* time, int* change) override;
  int FindNextItem(int changeMask, const char** entryId, FILETIME* time, int* change) override;
  int FindItem(const char* entryId, FILETIME* time, int* change) override;
  int RemoveChange(const char* entryId) override;
  int SetItem(const char* entryId, FILETIME time, int change) override;
  int RemoveItem(const char* entryId) override;
  int CompactBase() override;
  void GetBaseStat(int* lines, int* garbage) override;
  int Release() override;

 private:
  int NextFolder(bool rewind, const char** key, const char** folderEntryId,
                 const char** storeEntryId, const char** messageClass);
  int Scan(IMAPISession* session, const char* key, ProgressCallback callback, void* user);
  // The messages of the folder as the scan lists them; 0 or the HRESULT that stopped
  // the reading (logged), before anything changes.
  static int ListMessages(IMAPISession* session, const MorvaneFolder& folder,
                          std::vector<ListedEntry>& listing, ULONG& rowCount);
  std::string CompactedBase() const;

  ChangeIndex<MorvaneFolder> index_;
};
