// The shell's light-weight path helpers and StrToIntA. They work on the text as
// Windows does, with "\" as the only separator; only the existence tests look at disk.
#include <sys/stat.h>

#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "files/ExistenceQueries.h"
#include "files/PathArgument.h"
#include "win32/files.h"

namespace {

bool HasDrive(std::string_view path) {
  return path.size() >= 2 && path[1] == ':' &&
         ((path[0] >= 'A' && path[0] <= 'Z') || (path[0] >= 'a' && path[0] <= 'z'));
}

bool StartsUnc(std::string_view path) {
  return path.size() >= 2 && path[0] == '\\' && path[1] == '\\';
}

// Length of the part no component operation may remove: "\\", "X:\", "X:" or "\".
std::size_t RootLength(std::string_view path) {
  if (StartsUnc(path)) return 2;
  if (HasDrive(path)) return path.size() > 2 && path[2] == '\\' ? 3 : 2;
  return !path.empty() && path[0] == '\\' ? 1 : 0;
}

// "X:\", "\\server\share\" or "\": where a path that starts with one "\" is rooted.
std::string DriveRootOf(std::string_view path) {
  if (HasDrive(path)) return std::string(path.substr(0, 2)) + "\\";
  if (StartsUnc(path)) {
    const std::size_t server = path.find('\\', 2);
    const std::size_t share =
        server == std::string_view::npos ? server : path.find('\\', server + 1);
    return std::string(path.substr(0, share)) + "\\";
  }
  return "\\";
}

// Removes "." components and ".." with the component before it; the root stays.
std::string Canonical(std::string_view path) {
  std::size_t root = RootLength(path);
  if (StartsUnc(path)) root = std::min(path.size(), DriveRootOf(path).size());
  std::vector<std::string_view> kept;
  std::size_t start = root;
  while (start <= path.size()) {
    std::size_t end = path.find('\\', start);
    if (end == std::string_view::npos) end = path.size();
    const std::string_view component = path.substr(start, end - start);
    if (component == "..") {
      if (!kept.empty()) kept.pop_back();
    } else if (component != ".") {
      kept.push_back(component);
    }
    start = end + 1;
  }
  std::string result(path.substr(0, root));
  for (std::size_t i = 0; i < kept.size(); ++i) {
    if (i > 0) result += '\\';
    result += kept[i];
  }
  return result;
}

bool StatOf(LPCSTR path, struct stat& st) {
  std::string linuxPath;
  return path != nullptr && kelvra::platform::MapPathArgument(path, linuxPath) &&
         stat(linuxPath.c_str(), &st) == 0;
}

}  // namespace

BOOL WINAPI PathFileExistsA(LPCSTR path) {
  kelvra::platform::ExistenceQueries::Count();
  struct stat st {};
  return StatOf(path, st) ? TRUE : FALSE;
}

BOOL WINAPI PathIsDirectoryA(LPCSTR path) {
  struct stat st {};
  return StatOf(path, st) && S_ISDIR(st.st_mode) ? static_cast<BOOL>(FILE_ATTRIBUTE_DIRECTORY)
                                                 : FALSE;
}

LPSTR WINAPI PathCombineA(LPSTR dest, LPCSTR dir, LPCSTR file) {
  if (dest == nullptr) return nullptr;
  if (dir == nullptr && file == nullptr) {
    dest[0] = '\0';
    return nullptr;
  }
  const std::string_view d = dir == nullptr ? "" : dir;
  const std::string_view f = file == nullptr ? "" : file;
  std::string joined;
  if (f.empty())
    joined = d;
  else if (d.empty() || HasDrive(f) || StartsUnc(f))
    joined = f;
  else if (f[0] == '\\')
    joined = DriveRootOf(d) + std::string(f.substr(1));
  else
    joined = std::string(d) + (d.back() == '\\' ? "" : "\\") + std::string(f);

  const std::string result = Canonical(joined);
  if (result.size() >= MAX_PATH) {
    dest[0] = '\0';
    return nullptr;
  }
  std::memcpy(dest, result.c_str(), result.size() + 1);
  return dest;
}

BOOL WINAPI PathIsUNCA(LPCSTR path) {
  if (path == nullptr || !StartsUnc(path)) return FALSE;
  // "\\?\C:\..." is a long local path; only "\\?\UNC\..." is a network one there.
  if (path[2] == '?') return std::strncmp(path + 2, "?\\UNC\\", 6) == 0 ? TRUE : FALSE;
  return TRUE;
}

BOOL WINAPI PathIsUNCServerA(LPCSTR path) {
  if (path == nullptr || !StartsUnc(path) || path[2] == '?') return FALSE;
  return std::strchr(path + 2, '\\') == nullptr ? TRUE : FALSE;
}

BOOL WINAPI PathRemoveFileSpecA(LPSTR path) {
  if (path == nullptr) return FALSE;
  const std::string_view text = path;
  const std::size_t root = RootLength(text);
  const std::size_t last = text.find_last_of('\\');
  const std::size_t keep = (last == std::string_view::npos || last < root) ? root : last;
  if (keep >= text.size()) return FALSE;
  path[keep] = '\0';
  return TRUE;
}

BOOL WINAPI PathAppendA(LPSTR path, LPCSTR more) {
  if (path == nullptr || more == nullptr) return FALSE;
  if (!StartsUnc(more) && !HasDrive(more))
    while (*more == '\\') ++more;  // "\name" is appended as "name"
  char combined[MAX_PATH];
  if (PathCombineA(combined, path, more) == nullptr) return FALSE;
  std::memcpy(path, combined, std::strlen(combined) + 1);
  return TRUE;
}

LPSTR WINAPI PathFindFileNameA(LPCSTR path) {
  if (path == nullptr) return nullptr;
  const char* name = path;
  for (const char* p = path; *p != '\0'; ++p) {
    const bool separator = *p == '\\' || *p == '/' || *p == ':';
    if (separator && p[1] != '\0' && p[1] != '\\' && p[1] != '/') name = p + 1;
  }
  return const_cast<LPSTR>(name);
}

int WINAPI StrToIntA(LPCSTR text) {
  if (text == nullptr) return 0;
  const bool negative = *text == '-';
  if (*text == '-' || *text == '+') ++text;
  unsigned value = 0;  // wraps like the Windows routine instead of overflowing
  for (; *text >= '0' && *text <= '9'; ++text)
    value = value * 10 + static_cast<unsigned>(*text - '0');
  return static_cast<int>(negative ? 0u - value : value);
}
