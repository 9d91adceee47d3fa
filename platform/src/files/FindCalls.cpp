// FindFirstFileA, FindNextFileA and FindClose.
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "base/AsciiCase.h"
#include "base/HandleTable.h"
#include "files/FileFacts.h"
#include "files/FolderSearch.h"
#include "files/PathArgument.h"
#include "files/PathView.h"
#include "files/Wildcard.h"

namespace {

using namespace kelvra::platform;

struct DirCloser {
  void operator()(DIR* dir) const { closedir(dir); }
};

WIN32_FIND_DATAA EntryData(int folderFd, const char* name) {
  WIN32_FIND_DATAA data{};
  struct stat st {};
  // A link that points nowhere is still listed, with what is known of the link itself.
  if (fstatat(folderFd, name, &st, 0) != 0) fstatat(folderFd, name, &st, AT_SYMLINK_NOFOLLOW);
  data.dwFileAttributes = AttributesOf(st);
  data.ftLastWriteTime = FileTimeOf(st.st_mtim);
  data.ftCreationTime = data.ftLastWriteTime;  // Linux keeps no creation time
  data.ftLastAccessTime = FileTimeOf(st.st_atim);
  if (!S_ISDIR(st.st_mode)) {
    const auto size = static_cast<std::uint64_t>(st.st_size);
    data.nFileSizeHigh = static_cast<DWORD>(size >> 32);
    data.nFileSizeLow = static_cast<DWORD>(size & 0xFFFFFFFFu);
  }
  std::memcpy(data.cFileName, name, std::min<std::size_t>(std::strlen(name), MAX_PATH - 1));
  return data;
}

int DotRank(const char* name) {
  if (std::strcmp(name, ".") == 0) return 0;
  if (std::strcmp(name, "..") == 0) return 1;
  return 2;
}

// "." and ".." first, then by name ignoring case as Windows folds it; names equal but
// for case by bytes, so the order never depends on the order of the directory.
bool ListedBefore(const WIN32_FIND_DATAA& a, const WIN32_FIND_DATAA& b) {
  const int rankA = DotRank(a.cFileName);
  const int rankB = DotRank(b.cFileName);
  if (rankA != rankB) return rankA < rankB;
  const int folded = CompareAsUpperCase(a.cFileName, b.cFileName);
  return folded != 0 ? folded < 0 : std::strcmp(a.cFileName, b.cFileName) < 0;
}

}  // namespace

HANDLE WINAPI FindFirstFileA(LPCSTR fileName, LPWIN32_FIND_DATAA findData) {
  if (fileName == nullptr || findData == nullptr) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return INVALID_HANDLE_VALUE;
  }
  const WindowsPathParts parts = SplitWindowsPath(fileName);
  std::string folder;
  if (!MapPathArgument(parts.folder.empty() ? "." : parts.folder.c_str(), folder))
    return INVALID_HANDLE_VALUE;

  const std::unique_ptr<DIR, DirCloser> dir(opendir(folder.c_str()));
  if (!dir) {
    SetLastError(errno == EACCES || errno == EPERM ? ERROR_ACCESS_DENIED : ERROR_PATH_NOT_FOUND);
    return INVALID_HANDLE_VALUE;
  }
  std::vector<WIN32_FIND_DATAA> entries;
  while (const dirent* entry = readdir(dir.get())) {
    if (MatchesWildcard(parts.name, entry->d_name))
      entries.push_back(EntryData(dirfd(dir.get()), entry->d_name));
  }
  if (entries.empty()) {
    SetLastError(ERROR_FILE_NOT_FOUND);
    return INVALID_HANDLE_VALUE;
  }
  std::sort(entries.begin(), entries.end(), ListedBefore);
  auto search = std::make_shared<FolderSearch>(std::move(entries));
  *findData = search->First();
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
  const WIN32_FIND_DATAA* next = search->Next();
  if (next == nullptr) {
    SetLastError(ERROR_NO_MORE_FILES);
    return FALSE;
  }
  *findData = *next;
  return TRUE;
}

BOOL WINAPI FindClose(HANDLE findFile) {
  if (HandleTable::Instance().FindAs<FolderSearch>(findFile) &&
      HandleTable::Instance().Close(findFile))
    return TRUE;
  SetLastError(ERROR_INVALID_HANDLE);
  return FALSE;
}
