#include "shellops/TrashFolder.h"

#include <fcntl.h>
#include <stdio.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <mutex>
#include <string>

#include "base/ErrnoMapping.h"
#include "base/PosixOwners.h"
#include "files/PathView.h"
#include "win32/time.h"

namespace kelvra::platform {
namespace {

namespace fs = std::filesystem;

std::mutex g_mutex;
std::string g_folder;  // empty: the default

// The path as the info file's "Path=" key wants it: an absolute URL path.
std::string EscapedPath(const std::string& path) {
  static const char kHex[] = "0123456789ABCDEF";
  std::string out;
  for (const unsigned char c : path) {
    if (std::isalnum(c) || c == '/' || c == '-' || c == '_' || c == '.' || c == '~') {
      out += static_cast<char>(c);
    } else {
      out += '%';
      out += kHex[c >> 4];
      out += kHex[c & 15];
    }
  }
  return out;
}

std::string InfoText(const std::string& original) {
  SYSTEMTIME now{};
  GetLocalTime(&now);
  char date[64];
  std::snprintf(date, sizeof date, "%04d-%02d-%02dT%02d:%02d:%02d", now.wYear, now.wMonth, now.wDay,
                now.wHour, now.wMinute, now.wSecond);
  return "[Trash Info]\nPath=" + EscapedPath(original) + "\nDeletionDate=" + date + "\n";
}

// Claims "info/<name>.trashinfo" for a free trash name, so two deletions of items with
// one name never meet: the item's name, then "<name>.2", "<name>.3" ...
DWORD ClaimName(const fs::path& trash, const std::string& name, const std::string& info,
                std::string& claimed) {
  for (unsigned n = 1;; ++n) {
    claimed = n == 1 ? name : name + "." + std::to_string(n);
    const fs::path infoPath = trash / "info" / (claimed + ".trashinfo");
    UniqueFd fd(open(infoPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600));
    if (!fd && errno == EEXIST) continue;
    if (!fd) return WindowsErrorFromErrno(errno, infoPath.string());
    if (write(fd.Get(), info.data(), info.size()) == static_cast<ssize_t>(info.size()))
      return ERROR_SUCCESS;
    const DWORD error = WindowsErrorFromErrno(errno, infoPath.string());
    unlink(infoPath.c_str());
    return error;
  }
}

// Across file systems the item is copied into the trash and the original removed.
DWORD MoveAcross(const fs::path& from, const fs::path& to) {
  std::error_code error;
  fs::copy(from, to, fs::copy_options::recursive | fs::copy_options::copy_symlinks, error);
  if (!error) fs::remove_all(from, error);
  if (!error) return ERROR_SUCCESS;
  fs::remove_all(to, error);
  return ERROR_ACCESS_DENIED;
}

}  // namespace

std::string TrashFolder::Get() {
  std::lock_guard lock(g_mutex);
  return g_folder.empty() ? HostRoot() + "/Trash" : g_folder;
}

void TrashFolder::Set(const std::string& linuxFolder) {
  std::lock_guard lock(g_mutex);
  g_folder = linuxFolder;
}

DWORD TrashFolder::Put(const std::string& linuxPath) {
  const fs::path trash = Get();
  std::error_code ignored;
  fs::create_directories(trash / "files", ignored);
  fs::create_directories(trash / "info", ignored);
  std::string trimmed = linuxPath;
  while (trimmed.size() > 1 && trimmed.back() == '/') trimmed.pop_back();
  const fs::path item = fs::path(trimmed).lexically_normal();
  const std::string name = item.filename().string();
  std::string claimed;
  if (const DWORD error = ClaimName(trash, name, InfoText(item.string()), claimed);
      error != ERROR_SUCCESS)
    return error;
  const fs::path target = trash / "files" / claimed;
  DWORD error = ERROR_SUCCESS;
  if (rename(item.c_str(), target.c_str()) != 0)
    error = errno == EXDEV ? MoveAcross(item, target) : WindowsErrorFromErrno(errno, item.string());
  if (error != ERROR_SUCCESS) fs::remove(trash / "info" / (claimed + ".trashinfo"), ignored);
  return error;
}

}  // namespace kelvra::platform
