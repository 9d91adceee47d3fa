// SHFileOperationA: delete (to the trash with undo) and move.
#include <stdio.h>
#include <sys/stat.h>

#include <cerrno>
#include <filesystem>
#include <string>
#include <vector>

#include "base/ErrnoMapping.h"
#include "files/FileSteps.h"
#include "files/PathArgument.h"
#include "files/PathView.h"
#include "files/Wildcard.h"
#include "shellops/TrashFolder.h"
#include "win32/shellapi.h"

namespace {

using namespace kelvra::platform;
namespace fs = std::filesystem;

std::vector<std::string> NameList(LPCSTR list) {
  std::vector<std::string> names;
  for (const char* p = list; p != nullptr && *p != '\0'; p += names.back().size() + 1)
    names.emplace_back(p);
  return names;
}

bool Exists(const std::string& linuxPath) {
  struct stat st {};
  return lstat(linuxPath.c_str(), &st) == 0;
}

bool IsFolder(const std::string& linuxPath) {
  struct stat st {};
  return stat(linuxPath.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

DWORD DeleteItem(const std::string& windowsName, bool toTrash) {
  std::string path;
  if (!MapPathArgument(windowsName.c_str(), path)) return GetLastError();
  if (!Exists(path)) return WindowsErrorFromErrno(ENOENT, path);
  FileSteps::Step();
  if (toTrash) return TrashFolder::Put(path);
  std::error_code error;
  fs::remove_all(path, error);
  return error ? WindowsErrorFromErrno(error.value(), path) : ERROR_SUCCESS;
}

// The Linux paths a name of the list stands for: itself, or the matches of its wildcard.
DWORD Expand(const std::string& windowsName, bool filesOnly, std::vector<std::string>& paths) {
  const WindowsPathParts parts = SplitWindowsPath(windowsName);
  std::string folder;
  if (!MapPathArgument(parts.folder.c_str(), folder)) return GetLastError();
  if (parts.name.find_first_of("*?") == std::string::npos) {
    const std::string path = folder + "/" + parts.name;
    if (!Exists(path)) return WindowsErrorFromErrno(ENOENT, path);
    paths.push_back(path);
    return ERROR_SUCCESS;
  }
  std::error_code error;
  for (const auto& entry : fs::directory_iterator(folder, error)) {
    const std::string name = entry.path().filename().string();
    if (MatchesWildcard(parts.name, name) && !(filesOnly && IsFolder(entry.path().string())))
      paths.push_back(entry.path().string());
  }
  return error ? WindowsErrorFromErrno(error.value(), folder) : ERROR_SUCCESS;
}

// "<stem> (n)<extension>" for the first n from 2 that is free in the folder.
std::string FreeName(const std::string& folder, const std::string& name) {
  const std::size_t dot = name.find_last_of('.');
  const bool hasExtension = dot != std::string::npos && dot > 0;
  const std::string stem = hasExtension ? name.substr(0, dot) : name;
  const std::string extension = hasExtension ? name.substr(dot) : "";
  for (unsigned n = 2;; ++n) {
    const std::string candidate = stem + " (" + std::to_string(n) + ")" + extension;
    if (!Exists(folder + "/" + candidate)) return folder + "/" + candidate;
  }
}

DWORD MoveItem(const std::string& path, const std::string& folder, FILEOP_FLAGS flags,
               BOOL& aborted) {
  const std::string name = fs::path(path).filename().string();
  std::string target = folder + "/" + name;
  if (Exists(target)) {
    if ((flags & FOF_RENAMEONCOLLISION) != 0) {
      target = FreeName(folder, name);
    } else if ((flags & FOF_NOCONFIRMATION) == 0 || IsFolder(target) || IsFolder(path)) {
      aborted = TRUE;  // the shell would have asked; a folder is never merged here
      return ERROR_SUCCESS;
    }
  }
  FileSteps::Step();
  if (rename(path.c_str(), target.c_str()) == 0) return ERROR_SUCCESS;
  if (errno != EXDEV) return WindowsErrorFromErrno(errno, target, ERROR_ALREADY_EXISTS);
  std::error_code error;
  fs::copy(path, target,
           fs::copy_options::recursive | fs::copy_options::overwrite_existing |
               fs::copy_options::copy_symlinks,
           error);
  if (!error) fs::remove_all(path, error);
  return error ? WindowsErrorFromErrno(error.value(), target) : ERROR_SUCCESS;
}

int Delete(const SHFILEOPSTRUCTA& op) {
  const bool toTrash = (op.fFlags & FOF_ALLOWUNDO) != 0;
  for (const std::string& name : NameList(op.pFrom))
    if (const DWORD error = DeleteItem(name, toTrash); error != ERROR_SUCCESS)
      return static_cast<int>(error);
  return 0;
}

int Move(SHFILEOPSTRUCTA& op) {
  const std::vector<std::string> targets = NameList(op.pTo);
  if (targets.size() != 1) return ERROR_INVALID_PARAMETER;
  std::string folder;
  if (!MapPathArgument(targets.front().c_str(), folder)) return static_cast<int>(GetLastError());
  if (!IsFolder(folder)) {
    if ((op.fFlags & FOF_NOCONFIRMMKDIR) == 0) {
      op.fAnyOperationsAborted = TRUE;
      return ERROR_CANCELLED;
    }
    std::error_code error;
    if (!fs::create_directories(folder, error) && error)
      return static_cast<int>(WindowsErrorFromErrno(error.value(), folder));
  }
  for (const std::string& name : NameList(op.pFrom)) {
    std::vector<std::string> paths;
    if (const DWORD error = Expand(name, (op.fFlags & FOF_FILESONLY) != 0, paths);
        error != ERROR_SUCCESS)
      return static_cast<int>(error);
    for (const std::string& path : paths)
      if (const DWORD error = MoveItem(path, folder, op.fFlags, op.fAnyOperationsAborted);
          error != ERROR_SUCCESS)
        return static_cast<int>(error);
  }
  return 0;
}

}  // namespace

int WINAPI SHFileOperationA(LPSHFILEOPSTRUCTA fileOp) {
  if (fileOp == nullptr || fileOp->pFrom == nullptr || *fileOp->pFrom == '\0')
    return ERROR_INVALID_PARAMETER;
  fileOp->fAnyOperationsAborted = FALSE;
  switch (fileOp->wFunc) {
    case FO_DELETE:
      return Delete(*fileOp);
    case FO_MOVE:
      return fileOp->pTo == nullptr ? ERROR_INVALID_PARAMETER : Move(*fileOp);
    default:
      return ERROR_INVALID_PARAMETER;
  }
}
