// The functions the file-share library exports.
#include <new>
#include <string>

#include "sharestore/common/CLog.h"
#include "sharestore/common/LibraryBoundary.h"
#include "sharestore/tessaly/CRemoteDir.h"
#include "sharestore/tessaly/CTessaly.h"
#include "sharestore/tessaly/FolderSearch.h"
#include "win32/shellapi.h"

namespace {

bool Empty(const char* text) { return text == nullptr || *text == '\0'; }

// Opens the folder and runs one operation in it; an unreachable folder gives Open's code.
template <class Operation>
LONG InFolder(const char* tag, const char* folder, Operation operation) {
  return Guarded(tag, [&] {
    CRemoteDir dir;
    if (const int code = dir.Open(folder); code != 0) return code;
    return static_cast<int>(operation(dir));
  });
}

// A path list for the shell: the path and the list's second terminator.
std::string ShellList(const std::string& path) { return path + std::string(1, '\0'); }

int MoveFiles(const char* from, const char* to, int* aborted, unsigned short flags) {
  if (Empty(from) || Empty(to)) {
    g_Log.Assert(false, "MoveDirectoryFiles", 0);
    return -1;
  }
  const std::string fromList = ShellList(std::string(from) + "\\*");
  const std::string toList = ShellList(to);
  SHFILEOPSTRUCTA op{};
  op.wFunc = FO_MOVE;
  op.pFrom = fromList.c_str();
  op.pTo = toList.c_str();
  op.fFlags = flags;
  const int result = SHFileOperationA(&op);
  if (aborted != nullptr) *aborted = op.fAnyOperationsAborted;
  return result;
}

int MoveFilesOneByOne(const char* from, const char* to, MoveCallback callback, void* user) {
  if (Empty(from) || Empty(to)) {
    g_Log.Assert(false, "MoveDirectoryFiles2", 0);
    return -1;
  }
  FolderSearch search(std::string(from) + "\\*.*");
  if (!search.found())
    return search.error() != ERROR_SUCCESS ? static_cast<int>(search.error()) : -10;
  do {
    if (FolderSearch::IsFolder(search.entry())) continue;
    const std::string source = std::string(from) + "\\" + search.entry().cFileName;
    const std::string target = std::string(to) + "\\" + search.entry().cFileName;
    if (MoveFileA(source.c_str(), target.c_str())) continue;
    const DWORD error = GetLastError();
    if (callback != nullptr && callback(source.c_str(), target.c_str(), error, user) == 0)
      return -1;
  } while (search.Next());
  return 0;
}

}  // namespace

int WINAPI Tessaly_ConfigLog(const char* errorLogPath, const char* logPath, int debugOutput,
                             int level) {
  return Guarded("Tessaly_ConfigLog",
                 [&] { return g_Log.InitLog(errorLogPath, logPath, debugOutput != 0, level); });
}

ITessaly* WINAPI Tessaly_CreateObject() { return new (std::nothrow) CTessaly(); }

LONG WINAPI Tessaly_DeleteFile(const char* folder, const char* name, int isFolder) {
  return InFolder("Tessaly_DeleteFile", folder,
                  [&](const CRemoteDir& dir) { return dir.DeleteFile(name, isFolder != 0); });
}

LONG WINAPI Tessaly_GetFileLMT(const char* folder, const char* name, FILETIME* time) {
  return InFolder("Tessaly_GetFileLMT", folder,
                  [&](const CRemoteDir& dir) { return dir.GetFileLMT(name, time); });
}

LONG WINAPI Tessaly_UploadFile(const char* localFile, const char* folder, const char* targetName,
                               FILETIME* time, int unique, char* outName, int outNameLength,
                               int recycle) {
  return InFolder("Tessaly_UploadFile", folder, [&](const CRemoteDir& dir) {
    return dir.UploadFile(localFile, targetName, time, unique != 0, outName, outNameLength,
                          recycle != 0);
  });
}

LONG WINAPI Tessaly_DownloadFile(const char* folder, const char* name, const char* localPath) {
  return InFolder("Tessaly_DownloadFile", folder,
                  [&](const CRemoteDir& dir) { return dir.DownloadFile(name, localPath); });
}

LONG WINAPI Tessaly_HasFiles(const char* folder, const char* masks) {
  return InFolder("Tessaly_HasFiles", folder,
                  [&](const CRemoteDir& dir) { return dir.HasFiles(masks); });
}

LONG WINAPI Tessaly_HasDirs(const char* folder) {
  return InFolder("Tessaly_HasDirs", folder, [](const CRemoteDir& dir) { return dir.HasDirs(); });
}

LONG WINAPI Tessaly_IsEmptyDir(const char* folder) {
  return InFolder("Tessaly_IsEmptyDir", folder,
                  [](const CRemoteDir& dir) { return dir.IsEmptyDir(); });
}

LONG WINAPI MoveDirectoryFiles(const char* from, const char* to, int* aborted,
                               unsigned short flags) {
  return Guarded("MoveDirectoryFiles", [&] { return MoveFiles(from, to, aborted, flags); });
}

LONG WINAPI MoveDirectoryFiles2(const char* from, const char* to, MoveCallback callback,
                                void* user) {
  return Guarded("MoveDirectoryFiles2",
                 [&] { return MoveFilesOneByOne(from, to, callback, user); });
}
