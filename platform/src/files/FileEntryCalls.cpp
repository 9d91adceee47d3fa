// Calls on one entry of a folder, by name: delete, make and remove folders, attributes.
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <string>

#include "base/ErrnoMapping.h"
#include "files/FileFacts.h"
#include "files/FileSteps.h"
#include "files/FolderIndex.h"
#include "files/PathArgument.h"
#include "shell/AppDataFolder.h"
#include "win32/files.h"

namespace {

using kelvra::platform::MapPathArgument;
using kelvra::platform::SetLastErrorFromErrno;

bool IsNonFolder(const std::string& linuxPath) {
  struct stat st {};
  return lstat(linuxPath.c_str(), &st) == 0 && !S_ISDIR(st.st_mode);
}

}  // namespace

BOOL WINAPI DeleteFileA(LPCSTR fileName) {
  std::string path;
  if (!MapPathArgument(fileName, path)) return FALSE;
  kelvra::platform::FileSteps::Step();
  using kelvra::platform::FolderIndex;
  const FolderIndex::Stamp folderBefore = FolderIndex::StampOfFolder(path);
  if (unlink(path.c_str()) == 0) {
    FolderIndex::Instance().Removed(path, folderBefore);
    return TRUE;
  }
  SetLastErrorFromErrno(path);
  return FALSE;
}

BOOL WINAPI CreateDirectoryA(LPCSTR pathName, LPSECURITY_ATTRIBUTES /*security*/) {
  std::string path;
  if (!MapPathArgument(pathName, path)) return FALSE;
  // The user's application data is private to the user, as its profile's ACL keeps
  // it on Windows: nobody else may list or replace what the add-in puts there.
  const mode_t mode = kelvra::platform::AppDataFolder::Contains(path) ? 0700 : 0777;
  if (mkdir(path.c_str(), mode) == 0) return TRUE;
  SetLastErrorFromErrno(path, ERROR_ALREADY_EXISTS);
  return FALSE;
}

BOOL WINAPI RemoveDirectoryA(LPCSTR pathName) {
  std::string path;
  if (!MapPathArgument(pathName, path)) return FALSE;
  if (rmdir(path.c_str()) == 0) return TRUE;
  if (errno == ENOTDIR && IsNonFolder(path)) {
    SetLastError(ERROR_DIRECTORY);
    return FALSE;
  }
  SetLastErrorFromErrno(path);
  return FALSE;
}

DWORD WINAPI GetFileAttributesA(LPCSTR fileName) {
  std::string path;
  if (!MapPathArgument(fileName, path)) return INVALID_FILE_ATTRIBUTES;
  struct stat st {};
  if (stat(path.c_str(), &st) == 0) return kelvra::platform::AttributesOf(st);
  SetLastErrorFromErrno(path);
  return INVALID_FILE_ATTRIBUTES;
}
