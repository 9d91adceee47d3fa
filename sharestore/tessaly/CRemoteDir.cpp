#include "sharestore/tessaly/CRemoteDir.h"

#include <algorithm>
#include <cstring>

#include "sharestore/common/CLog.h"
#include "sharestore/tessaly/FolderSearch.h"
#include "win32/crt.h"
#include "win32/shellapi.h"

namespace {

bool Empty(const char* text) { return text == nullptr || *text == '\0'; }

// The error of a listing that found nothing to go on with: -10 where the system gave
// no code.
int ListingError(DWORD error) {
  return error == ERROR_SUCCESS || error == 1 ? -10 : static_cast<int>(error);
}

// Calls visit(mask) for each mask of the list until one returns non-zero; an empty
// piece ends the list.
template <class Visit>
int ForEachMask(const char* masks, Visit visit) {
  const std::string list = masks != nullptr ? masks : "*.*";
  for (std::size_t start = 0; start < list.size();) {
    const std::size_t end = std::min(list.find(';', start), list.size());
    if (end == start) break;
    if (const int code = visit(list.substr(start, end - start)); code != 0) return code;
    start = end + 1;
  }
  return 0;
}

bool IsExcluded(const std::string& relative, const char** excluded, int excludedCount) {
  for (int i = 0; i < excludedCount; ++i)
    if (excluded[i] != nullptr && _stricmp(excluded[i], relative.c_str()) == 0) return true;
  return false;
}

// "base", n and "extension" joined, the extension being the last dot and what follows.
std::string NumberedName(const std::string& name, int n) {
  const std::size_t dot = name.find_last_of('.');
  if (dot == std::string::npos) return name + std::to_string(n);
  return name.substr(0, dot) + std::to_string(n) + name.substr(dot);
}

int ErrorOr(DWORD error, int fallback) {
  return error != ERROR_SUCCESS ? static_cast<int>(error) : fallback;
}

}  // namespace

int CRemoteDir::Open(const char* path) {
  path_.clear();
  if (Empty(path)) {
    g_Log.Assert(false, "CRemoteDir::Open", 0);
    return -1;
  }
  FolderSearch search(std::string(path) + "\\*.*");
  if (!search.found()) return ErrorOr(search.error(), -1);
  path_ = path;
  return 0;
}

int CRemoteDir::ReadContext(std::vector<WIN32_FIND_DATAA>& files, const char* masks) const {
  std::vector<WIN32_FIND_DATAA> found;
  const int code = ForEachMask(masks, [&](const std::string& mask) {
    FolderSearch search(PathOf(mask));
    if (!search.found())
      return search.error() == ERROR_FILE_NOT_FOUND ? 0 : ListingError(search.error());
    do {
      if (!FolderSearch::IsFolder(search.entry())) found.push_back(search.entry());
    } while (search.Next());
    return 0;
  });
  if (code == 0) files = std::move(found);
  return code;
}

int CRemoteDir::ReadLevel(const std::string& relative, std::vector<std::string>& folders,
                          bool recursive, const char** excluded, int excludedCount) const {
  FolderSearch search(relative.empty() ? PathOf("*.*") : PathOf(relative + "\\*.*"));
  if (!search.found())
    return search.error() == ERROR_FILE_NOT_FOUND ? 0 : ListingError(search.error());
  do {
    const WIN32_FIND_DATAA& entry = search.entry();
    if (!FolderSearch::IsFolder(entry) || FolderSearch::IsDots(entry)) continue;
    const std::string path =
        relative.empty() ? std::string(entry.cFileName) : relative + "\\" + entry.cFileName;
    if (IsExcluded(path, excluded, excludedCount)) continue;
    folders.push_back(path);
    if (recursive)
      if (const int code = ReadLevel(path, folders, recursive, excluded, excludedCount); code != 0)
        return code;
  } while (search.Next());
  return 0;
}

int CRemoteDir::ReadFolders(std::vector<std::string>& folders, bool recursive,
                            const char** excluded, int excludedCount) const {
  if (excludedCount > 0 && excluded == nullptr) {
    g_Log.Assert(false, "CRemoteDir::ReadFolders", 0);
    return -1;
  }
  std::vector<std::string> found;
  const int code = ReadLevel("", found, recursive, excluded, excludedCount);
  if (code == 0) folders = std::move(found);
  return code;
}

int CRemoteDir::IsEmptyDir() const {
  FolderSearch search(PathOf("*.*"));
  if (!search.found())
    return search.error() == ERROR_FILE_NOT_FOUND ? 0 : ListingError(search.error());
  do {
    if (!FolderSearch::IsDots(search.entry())) return 1;
  } while (search.Next());
  return 0;
}

int CRemoteDir::HasDirs() const {
  FolderSearch search(PathOf("*.*"));
  if (!search.found())
    return search.error() == ERROR_FILE_NOT_FOUND ? 1 : ListingError(search.error());
  do {
    if (FolderSearch::IsFolder(search.entry()) && !FolderSearch::IsDots(search.entry())) return 0;
  } while (search.Next());
  return 1;
}

int CRemoteDir::HasFiles(const char* masks) const {
  const int code = ForEachMask(masks, [&](const std::string& mask) {
    FolderSearch search(PathOf(mask));
    if (!search.found())
      return search.error() == ERROR_FILE_NOT_FOUND ? 0 : ListingError(search.error());
    do {
      if (!FolderSearch::IsFolder(search.entry())) return 2;  // found one: stop
    } while (search.Next());
    return 0;
  });
  if (code == 2) return 0;
  return code == 0 ? 1 : code;
}

int CRemoteDir::DeleteFile(const char* name, bool isFolder) const {
  if (path_.empty() || Empty(name)) {
    g_Log.Assert(false, "CRemoteDir::DeleteFile", 0);
    return -1;
  }
  const std::string path = PathOf(name);
  if (!isFolder) return DeleteFileA(path.c_str()) ? 0 : ErrorOr(GetLastError(), -2);
  std::string from = path;
  from.push_back('\0');  // the list's second terminator
  SHFILEOPSTRUCTA op{};
  op.wFunc = FO_DELETE;
  op.pFrom = from.c_str();
  op.fFlags = FOF_NOCONFIRMATION | FOF_ALLOWUNDO | FOF_NOERRORUI;
  return SHFileOperationA(&op);
}

int CRemoteDir::DownloadFile(const char* name, const char* localPath) const {
  if (path_.empty() || Empty(name) || Empty(localPath)) {
    g_Log.Assert(false, "CRemoteDir::DownloadFile", 0);
    return -1;
  }
  return CopyFileA(PathOf(name).c_str(), localPath, FALSE) ? 0 : ErrorOr(GetLastError(), -2);
}

int CRemoteDir::GetFileLMT(const char* name, FILETIME* time) const {
  if (path_.empty() || Empty(name) || time == nullptr) {
    g_Log.Assert(false, "CRemoteDir::GetFileLMT", 0);
    return -1;
  }
  FolderSearch search(PathOf(name));
  if (!search.found()) return ErrorOr(search.error(), -1);
  *time = search.entry().ftLastWriteTime;
  return 0;
}

int CRemoteDir::CopyUnique(const std::string& localFile, const std::string& targetName,
                           std::string& finalName) const {
  for (int n = 1;; ++n) {
    finalName = NumberedName(targetName, n);
    if (CopyFileA(localFile.c_str(), PathOf(finalName).c_str(), TRUE)) return 0;
    if (GetLastError() != ERROR_FILE_EXISTS) return ErrorOr(GetLastError(), -2);
  }
}

int CRemoteDir::UploadFile(const char* localFile, const char* targetName, FILETIME* time,
                           bool unique, char* outName, int outNameLength, bool recycle) const {
  static const char* const kTag = "CRemoteDir::UploadFile";
  if (Empty(localFile)) {
    g_Log.Assert(false, kTag, 0);
    return -1;
  }
  std::string name = targetName != nullptr ? targetName : "";
  if (name.empty()) {
    const char* slash = std::strrchr(localFile, '\\');
    const char* other = std::strrchr(localFile, '/');
    if (other != nullptr && (slash == nullptr || other > slash)) slash = other;
    name = slash != nullptr ? slash + 1 : localFile;
  }
  if (!CopyFileA(localFile, PathOf(name).c_str(), unique || recycle)) {
    const DWORD error = GetLastError();
    if (error != ERROR_FILE_EXISTS) return ErrorOr(error, -2);
    if (unique) {
      if (const int code = CopyUnique(localFile, std::string(name), name); code != 0) return code;
    } else {
      if (const int code = DeleteFile(name.c_str(), true); code != 0) return code;
      if (!CopyFileA(localFile, PathOf(name).c_str(), FALSE)) return ErrorOr(GetLastError(), -2);
    }
  }
  if (time != nullptr) {
    *time = FILETIME{};
    g_Log.Assert(GetFileLMT(name.c_str(), time) == 0, kTag, __LINE__);
  }
  if (unique && outName != nullptr && outNameLength > 0) {
    const std::size_t room = static_cast<std::size_t>(outNameLength) - 1;
    if (name.size() > room)
      g_Log.LogError(kTag, 0, "name %s cut to %d characters", name.c_str(), outNameLength - 1);
    const std::size_t length = std::min(name.size(), room);
    std::memcpy(outName, name.data(), length);
    outName[length] = '\0';
  }
  return 0;
}
