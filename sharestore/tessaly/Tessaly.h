// The file-share library: a change index over folders of files, and one-shot file
// operations on a folder. For the synchronisation application that loads the library.
//
// Results are int codes: 0 done or found; 1 not found, end of an enumeration or stopped
// by the caller's callback; -1 bad argument or no index open; -2 already there, cannot
// open, or an unknown key; -3 a field holds a ","; -10 a line could not be written to
// the index file; positive values are Windows error codes. No exception leaves the
// library: an operation that runs out of memory gives E_OUTOFMEMORY, one that fails in
// any other unforeseen way E_FAIL (both negative and logged; the object stays usable,
// and a base that could not be read leaves it closed).
#pragma once

#include "win32/base.h"
#include "win32/export.h"

#if defined(TESSALY_BUILD)
#define TESSALY_API KELVRA_DLL_EXPORT
#else
#define TESSALY_API
#endif

// A scan's progress; returning 0 stops the scan.
using ProgressCallback = int(WINAPI*)(int done, int total, void* user);
// A file that MoveDirectoryFiles2 could not move; returning 0 stops the move.
using MoveCallback = int(WINAPI*)(const char* from, const char* to, unsigned long error,
                                  void* user);

// Change types, and the bits of a change mask (mask 0: every entry).
enum TessalyChange {
  TESSALY_UNCHANGED = 0,
  TESSALY_NEW = 1,
  TESSALY_MODIFIED = 2,
  TESSALY_DELETED = 3
};

// Text handed out through out-parameters points into the index and stays valid until
// that entry changes or goes, or the index is closed.
class ITessaly {
 public:
  virtual int Init(const char* basePath) = 0;
  virtual void Close() = 0;
  virtual int AddFolder(const char* key, const char* path, const char* mask) = 0;
  virtual int ChangeFolder(const char* key, const char* newPath) = 0;
  virtual int RemoveFolder(const char* key) = 0;
  virtual int FindFolder(const char* key, const char** path, const char** mask) = 0;
  virtual int GetFolderCount(int* count) = 0;
  virtual int GetFirstFolder(const char** key, const char** path, const char** mask) = 0;
  virtual int GetNextFolder(const char** key, const char** path, const char** mask) = 0;
  virtual int Update(const char* key, ProgressCallback callback, void* user) = 0;
  virtual int UpdateSubfolders(const char* key, int recursive, const char** excluded,
                               int excludedCount, ProgressCallback callback, void* user) = 0;
  virtual int SetCurrentFolder(const char* key) = 0;
  virtual int GetCurrentFolder(const char** key, const char** path, const char** mask) = 0;
  virtual int GetFileCount(int* count, int changeMask) = 0;
  virtual int GetFirstFile(const char** name, FILETIME* time, int* change) = 0;
  virtual int GetNextFile(const char** name, FILETIME* time, int* change) = 0;
  virtual int FindFirstFile(int changeMask, const char** name, FILETIME* time, int* change) = 0;
  virtual int FindNextFile(int changeMask, const char** name, FILETIME* time, int* change) = 0;
  virtual int FindFile(const char* name, FILETIME* time, int* change) = 0;
  virtual int GetUnique(const char* name, int* n) = 0;
  virtual int RemoveChange(const char* name) = 0;
  virtual int SetFile(const char* name, FILETIME time, int change) = 0;
  virtual int RemoveFile(const char* name) = 0;
  virtual int FindFirstSubfolder(int changeMask, const char** path, int* change) = 0;
  virtual int FindNextSubfolder(int changeMask, const char** path, int* change) = 0;
  virtual int FindSubfolder(const char* path, int* change) = 0;
  virtual int RemoveSubfolderChange(const char* path) = 0;
  virtual int SetSubfolder(const char* path, int change) = 0;
  virtual int RemoveSubfolder(const char* path) = 0;
  virtual int CompactBase() = 0;
  virtual void GetBaseStat(int* lines, int* garbage) = 0;
  // Ends the object; the pointer is dead afterwards. Always 0.
  virtual int Release() = 0;
  virtual ~ITessaly() = default;
};

extern "C" {
TESSALY_API int WINAPI Tessaly_ConfigLog(const char* errorLogPath, const char* logPath,
                                         int debugOutput, int level);
// Null when the object cannot be made; ended with Release.
TESSALY_API ITessaly* WINAPI Tessaly_CreateObject();
TESSALY_API LONG WINAPI Tessaly_DeleteFile(const char* folder, const char* name, int isFolder);
TESSALY_API LONG WINAPI Tessaly_GetFileLMT(const char* folder, const char* name, FILETIME* time);
TESSALY_API LONG WINAPI Tessaly_UploadFile(const char* localFile, const char* folder,
                                           const char* targetName, FILETIME* time, int unique,
                                           char* outName, int outNameLength, int recycle);
TESSALY_API LONG WINAPI Tessaly_DownloadFile(const char* folder, const char* name,
                                             const char* localPath);
}

// These five bind by the compiler's decorated names (no plain-name linkage).
TESSALY_API LONG WINAPI Tessaly_HasFiles(const char* folder, const char* masks);
TESSALY_API LONG WINAPI Tessaly_HasDirs(const char* folder);
TESSALY_API LONG WINAPI Tessaly_IsEmptyDir(const char* folder);
TESSALY_API LONG WINAPI MoveDirectoryFiles(const char* from, const char* to, int* aborted,
                                           unsigned short flags);
TESSALY_API LONG WINAPI MoveDirectoryFiles2(const char* from, const char* to, MoveCallback callback,
                                            void* user);
