#include "files/PathView.h"

#include <sys/stat.h>

#include <filesystem>
#include <mutex>
#include <string_view>
#include <vector>

#include "base/AsciiCase.h"
#include "files/FolderIndex.h"

namespace kelvra::platform {
namespace {

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

bool HasDrive(std::string_view path) {
  const char d = path.size() >= 2 ? path[0] : '\0';
  return path.size() >= 2 && path[1] == ':' && ((d >= 'A' && d <= 'Z') || (d >= 'a' && d <= 'z'));
}

struct HostRootState {
  std::mutex mutex;
  std::string folder;  // empty: the default folder
  bool created = false;
};

HostRootState& State() {
  static HostRootState state;
  return state;
}

std::string DefaultHostRoot() {
  std::error_code error;
  std::filesystem::path temp = std::filesystem::temp_directory_path(error);
  if (error) temp = "/tmp";
  return (temp / "kelvra-host-root").string();
}

std::vector<std::string> SplitComponents(std::string_view path) {
  std::vector<std::string> components;
  std::size_t start = 0;
  while (start < path.size()) {
    std::size_t end = start;
    while (end < path.size() && !IsSeparator(path[end])) ++end;
    if (end > start) components.emplace_back(path.substr(start, end - start));
    start = end + 1;
  }
  return components;
}

// Windows resolves "." and ".." by text before it looks at the disk, and never
// climbs above the drive's root; the same holds here for absolute paths.
std::vector<std::string> WithoutDotComponents(const std::vector<std::string>& components) {
  std::vector<std::string> kept;
  for (const std::string& c : components) {
    if (c == ".") continue;
    if (c == "..") {
      if (!kept.empty()) kept.pop_back();
      continue;
    }
    kept.push_back(c);
  }
  return kept;
}

std::string Join(const std::string& folder, const std::string& name) {
  if (folder.empty()) return name;
  return folder.back() == '/' ? folder + name : folder + "/" + name;
}

bool Exists(const std::string& path) {
  struct stat st {};
  return lstat(path.c_str(), &st) == 0;
}

std::string Resolve(std::string path, const std::vector<std::string>& components) {
  bool lookUp = true;
  for (const std::string& component : components) {
    std::string next = Join(path, component);
    if (lookUp && !Exists(next)) {
      const std::string match = FolderIndex::Instance().Find(path, component);
      if (match.empty())
        lookUp = false;  // nothing below a missing folder can exist
      else
        next = Join(path, match);
    }
    path = std::move(next);
  }
  return path;
}

}  // namespace

bool IsUncPath(const std::string& windowsPath) {
  return windowsPath.size() >= 2 && IsSeparator(windowsPath[0]) && IsSeparator(windowsPath[1]);
}

DWORD MapWindowsPath(const std::string& windowsPath, std::string& linuxPath) {
  linuxPath.clear();
  if (windowsPath.empty()) return ERROR_PATH_NOT_FOUND;
  if (IsUncPath(windowsPath)) return ERROR_BAD_NETPATH;

  std::string_view rest = windowsPath;
  std::string base;
  bool absolute = true;
  if (HasDrive(rest)) {
    const unsigned char drive = AsciiLower(static_cast<unsigned char>(rest[0]));
    if (drive == 'z')
      base = "/";
    else if (drive == 'c')
      base = HostRoot();
    else
      return ERROR_PATH_NOT_FOUND;
    rest.remove_prefix(2);  // "C:x" is taken as "C:\x": there is no per-drive folder
  } else if (IsSeparator(rest[0])) {
    base = "/";  // the current drive is Z:, since the working folder is a Linux one
  } else {
    absolute = false;
  }

  std::vector<std::string> components = SplitComponents(rest);
  if (absolute) components = WithoutDotComponents(components);
  linuxPath = Resolve(base, components);
  return ERROR_SUCCESS;
}

std::string ToLinuxPath(const std::string& windowsPath) {
  std::string linuxPath;
  MapWindowsPath(windowsPath, linuxPath);
  return linuxPath;
}

std::string ToWindowsPath(const std::string& linuxPath) {
  std::string windowsPath = !linuxPath.empty() && linuxPath[0] == '/' ? "Z:" : "";
  for (char c : linuxPath) {
    if (c != '/')
      windowsPath += c;
    else if (windowsPath.empty() || windowsPath.back() != '\\')
      windowsPath += '\\';
  }
  return windowsPath;
}

WindowsPathParts SplitWindowsPath(const std::string& windowsPath) {
  const std::size_t last = windowsPath.find_last_of("\\/");
  if (last == std::string::npos) {
    if (HasDrive(windowsPath)) return {windowsPath.substr(0, 2), windowsPath.substr(2)};
    return {"", windowsPath};
  }
  const bool rootSeparator = last == 0 || (last == 2 && HasDrive(windowsPath));
  return {windowsPath.substr(0, rootSeparator ? last + 1 : last), windowsPath.substr(last + 1)};
}

std::string HostRoot() {
  HostRootState& state = State();
  std::lock_guard lock(state.mutex);
  if (state.folder.empty()) state.folder = DefaultHostRoot();
  if (!state.created) {
    std::error_code error;
    std::filesystem::create_directories(state.folder, error);
    state.created = !error;
  }
  return state.folder;
}

void SetHostRoot(const std::string& linuxFolder) {
  HostRootState& state = State();
  std::lock_guard lock(state.mutex);
  state.folder = linuxFolder;
  state.created = false;
}

void ResetHostRoot() { SetHostRoot(""); }

}  // namespace kelvra::platform
