// FindFirstFileA, FindNextFileA and FindClose.
#include <dirent.h>
#include <fcntl.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "base/AsciiCase.h"
#include "base/HandleTable.h"
#include "base/PosixOwners.h"
#include "files/FolderSearch.h"
#include "files/PathArgument.h"
#include "files/PathView.h"
#include "files/Wildcard.h"
#include "store/FaultPlan.h"

namespace {

using namespace kelvra::platform;

int DotRank(const char* name) {
  if (std::strcmp(name, ".") == 0) return 0;
  if (std::strcmp(name, "..") == 0) return 1;
  return 2;
}

// "." and ".." first, then by name ignoring case as Windows folds it; names equal but
// for case by bytes, so the order never depends on the order of the directory.
bool ListedBefore(const std::string& a, const std::string& b) {
  const int rankA = DotRank(a.c_str());
  const int rankB = DotRank(b.c_str());
  if (rankA != rankB) return rankA < rankB;
  const int folded = CompareAsUpperCase(a.c_str(), b.c_str());
  return folded != 0 ? folded < 0 : a < b;
}

}  // namespace

HANDLE WINAPI FindFirstFileA(LPCSTR fileName, LPWIN32_FIND_DATAA findData) {
  if (fileName == nullptr || findData == nullptr) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return INVALID_HANDLE_VALUE;
  }
  HRESULT planned = S_OK;
  if (kelvra::store::FaultPlan::Hit("FindFirstFileA", &planned)) {
    SetLastError(static_cast<DWORD>(planned) & 0xFFFFu);  // the Windows error inside the HRESULT
    return INVALID_HANDLE_VALUE;
  }
  const WindowsPathParts parts = SplitWindowsPath(fileName);
  std::string folder;
  if (!MapPathArgument(parts.folder.empty() ? "." : parts.folder.c_str(), folder))
    return INVALID_HANDLE_VALUE;

  const UniqueDir dir(opendir(folder.c_str()));
  if (!dir) {
    SetLastError(errno == EACCES || errno == EPERM ? ERROR_ACCESS_DENIED : ERROR_PATH_NOT_FOUND);
    return INVALID_HANDLE_VALUE;
  }
  std::vector<std::string> names;
  while (const dirent* entry = readdir(dir.Get())) {
    if (MatchesWildcard(parts.name, entry->d_name)) names.emplace_back(entry->d_name);
  }
  std::sort(names.begin(), names.end(), ListedBefore);
  // The search keeps its own handle on the folder, for the entries it hands out later.
  UniqueFd folderFd(fcntl(dirfd(dir.Get()), F_DUPFD_CLOEXEC, 0));
  if (!folderFd) {
    SetLastError(ERROR_TOO_MANY_OPEN_FILES);
    return INVALID_HANDLE_VALUE;
  }
  auto search = std::make_shared<FolderSearch>(std::move(folderFd), std::move(names));
  if (!search->Next(*findData)) {
    SetLastError(ERROR_FILE_NOT_FOUND);
    return INVALID_HANDLE_VALUE;
  }
  SetLastError(ERROR_SUCCESS);
  return HandleTable::Instance().Add(std::move(search));
}

BOOL WINAPI FindNextFileA(HANDLE findFile, LPWIN32_FIND_DATAA findData) {
  const auto search = HandleTable::Instance().FindAs<FolderSearch>(findFile);
  if (!search) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  if (findData == nullptr) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  if (!search->Next(*findData)) {
    SetLastError(ERROR_NO_MORE_FILES);
    return FALSE;
  }
  return TRUE;
}

BOOL WINAPI FindClose(HANDLE findFile) {
  if (HandleTable::Instance().FindAs<FolderSearch>(findFile) &&
      HandleTable::Instance().Close(findFile))
    return TRUE;
  SetLastError(ERROR_INVALID_HANDLE);
  return FALSE;
}
