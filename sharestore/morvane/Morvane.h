// The item-share library: a change index over MAPI folders of messages, read through
// the caller's own MAPI session. For the synchronisation application that loads the
// library.
//
// Results are int codes: 0 done or found; 1 not found, end of an enumeration or stopped
// by the caller's callback; -1 bad argument or no index open; -2 already there, cannot
// open, or an unknown key; -3 a field holds a ","; -10 a line could not be written to
// the index file; MAPI failures come back as their HRESULTs, unchanged. No exception
// leaves the library: an operation that runs out of memory gives E_OUTOFMEMORY, one that
// fails in any other unforeseen way E_FAIL (both logged; the object stays usable, and a
// base that could not be read leaves it closed).
#pragma once

#include "mapi/mapix.h"
#include "win32/base.h"
#include "win32/export.h"

#if defined(MORVANE_BUILD)
#define MORVANE_API KELVRA_DLL_EXPORT
#else
#define MORVANE_API
#endif

// A scan's progress; returning 0 stops the scan.
using ProgressCallback = int(WINAPI*)(int done, int total, void* user);

// Change types, and the bits of a change mask (mask 0: every entry).
enum MorvaneChange {
  MORVANE_UNCHANGED = 0,
  MORVANE_NEW = 1,
  MORVANE_MODIFIED = 2,
  MORVANE_DELETED = 3
};

// Entry ids travel as upper-case hexadecimal text, two digits a byte. Text handed out
// through out-parameters points into the index and stays valid until that entry
// changes or goes, or the index is closed. The session passed in stays the caller's:
// it is used during the call only.
class IMorvane {
 public:
  virtual int Init(const char* basePath) = 0;
  virtual void Close() = 0;
  // The message class may be null or empty (every message of the folder).
  virtual int AddFolder(const char* key, const char* storeEntryId, const char* folderEntryId,
                        const char* messageClass) = 0;
  virtual int RemoveFolder(const char* key) = 0;
  virtual int FindFolder(const char* key, const char** folderEntryId, const char** storeEntryId,
                         const char** messageClass) = 0;
  virtual int GetFolderCount(int* count) = 0;
  virtual int GetFirstFolder(const char** key, const char** folderEntryId,
                             const char** storeEntryId, const char** messageClass) = 0;
  virtual int GetNextFolder(const char** key, const char** folderEntryId, const char** storeEntryId,
                            const char** messageClass) = 0;
  virtual int Update(IMAPISession* session, const char* key, ProgressCallback callback,
                     void* user) = 0;
  virtual int SetCurrentFolder(const char* key) = 0;
  virtual int GetCurrentFolder(const char** key, const char** folderEntryId,
                               const char** storeEntryId, const char** messageClass) = 0;
  virtual int GetItemCount(int* count, int changeMask) = 0;
  virtual int GetFirstItem(const char** entryId, FILETIME* time, int* change) = 0;
  virtual int GetNextItem(const char** entryId, FILETIME* time, int* change) = 0;
  virtual int FindFirstItem(int changeMask, const char** entryId, FILETIME* time, int* change) = 0;
  virtual int FindNextItem(int changeMask, const char** entryId, FILETIME* time, int* change) = 0;
  virtual int FindItem(const char* entryId, FILETIME* time, int* change) = 0;
  virtual int RemoveChange(const char* entryId) = 0;
  virtual int SetItem(const char* entryId, FILETIME time, int change) = 0;
  virtual int RemoveItem(const char* entryId) = 0;
  virtual int CompactBase() = 0;
  virtual void GetBaseStat(int* lines, int* garbage) = 0;
  // Ends the object; the pointer is dead afterwards. Always 0.
  virtual int Release() = 0;
  virtual ~IMorvane() = default;
};

extern "C" {
MORVANE_API int WINAPI Morvane_ConfigLog(const char* errorLogPath, const char* logPath,
                                         int debugOutput, int level);
// Null when the object cannot be made; ended with Release.
MORVANE_API IMorvane* WINAPI Morvane_CreateObject();
// The message's PR_LAST_MODIFICATION_TIME; -1 for a missing argument, else the HRESULT
// of the MAPI call that failed (warnings included).
MORVANE_API int WINAPI Morvane_GetItemLMT(IMAPISession* session, const char* itemEntryId,
                                          const char* storeEntryId, FILETIME* time);
MORVANE_API int WINAPI Morvane_GetItemLMT2(IUnknown* item, FILETIME* time);
}
