// The file-share change index: watched folders with their files and subfolders and a
// change state each, kept in memory and recorded line by line in the base file.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "sharestore/common/ChangeIndex.h"
#include "sharestore/tessaly/Tessaly.h"
#include "sharestore/tessaly/TessalyFolder.h"

class CTessaly : public ITessaly {
 public:
  CTessaly() = default;
  ~CTessaly() override;

  int Init(const char* basePath) override;
  void Close() override;
  int AddFolder(const char* key, const char* path, const char* mask) override;
  int ChangeFolder(const char* key, const char* newPath) override;
  int RemoveFolder(const char* key) override;
  int FindFolder(const char* key, const char** path, const char** mask) override;
  int GetFolderCount(int* count) override;
  int GetFirstFolder(const char** key, const char** path, const char** mask) override;
  int GetNextFolder(const char** key, const char** path, const char** mask) override;
  int Update(const char* key, ProgressCallback callback, void* user) override;
  int UpdateSubfolders(const char* key, int recursive, const char** excluded, int excludedCount,
                       ProgressCallback callback, void* user) override;
  int SetCurrentFolder(const char* key) override;
  int GetCurrentFolder(const char** key, const char** path, const char** mask) override;
  int GetFileCount(int* count, int changeMask) override;
  int GetFirstFile(const char** name, FILETIME* time, int* change) override;
  int GetNextFile(const char** name, FILETIME* time, int* change) override;
  int FindFirstFile(int changeMask, const char** name, FILETIME* time, int* change) override;
  int FindNextFile(int changeMask, const char** name, FILETIME* time, int* change) override;
  int FindFile(const char* name, FILETIME* time, int* change) override;
  int GetUnique(const char* name, int* n) override;
  int RemoveChange(const char* name) override;
  int SetFile(const char* name, FILETIME time, int change) override;
  int RemoveFile(const char* name) override;
  int FindFirstSubfolder(int changeMask, const char** path, int* change) override;
  int FindNextSubfolder(int changeMask, const char** path, int* change) override;
  int FindSubfolder(const char* path, int* change) override;
  int RemoveSubfolderChange(const char* path) override;
  int SetSubfolder(const char* path, int change) override;
  int RemoveSubfolder(const char* path) override;
  int CompactBase() override;
  void GetBaseStat(int* lines, int* garbage) override;
  int Release() override;

 private:
  int NextFolder(bool rewind, const char** key, const char** path, const char** mask);
  int Scan(const char* tag, const char* key, bool subfolders, int recursive, const char** excluded,
           int excludedCount, ProgressCallback callback, void* user);
  std::string CompactedBase() const;

  ChangeIndex<TessalyFolder> index_;
};
