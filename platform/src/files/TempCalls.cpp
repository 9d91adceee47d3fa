// GetTempPathA and GetTempFileNameA.
#include <fcntl.h>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

#include "base/ErrnoMapping.h"
#include "base/PosixOwners.h"
#include "files/FolderIndex.h"
#include "files/PathArgument.h"
#include "files/TempFolder.h"
#include "win32/files.h"

namespace {

using namespace kelvra::platform;

// Numbers are tried from where the last search stopped, so that a run of temporary
// files does not probe the same taken names again and again.
std::atomic<unsigned> g_nextNumber{1};

std::string TempName(const std::string& folder, LPCSTR prefix, UINT number) {
  const std::string shortPrefix = prefix == nullptr ? "" : std::string(prefix).substr(0, 3);
  char name[32];
  std::snprintf(name, sizeof name, "%X.tmp", number);
  const bool separated = !folder.empty() && (folder.back() == '\\' || folder.back() == '/');
  return folder + (separated ? "" : "\\") + shortPrefix + name;
}

UINT Deliver(const std::string& name, UINT number, LPSTR buffer) {
  std::memcpy(buffer, name.c_str(), name.size() + 1);
  SetLastError(ERROR_SUCCESS);
  return number;
}

}  // namespace

DWORD WINAPI GetTempPathA(DWORD bufferLength, LPSTR buffer) {
  const std::string folder = TempFolder::WindowsPath();
  const auto length = static_cast<DWORD>(folder.size());
  if (buffer == nullptr || bufferLength <= length) return length + 1;
  std::memcpy(buffer, folder.c_str(), folder.size() + 1);
  return length;
}

UINT WINAPI GetTempFileNameA(LPCSTR pathName, LPCSTR prefixString, UINT unique,
                             LPSTR tempFileName) {
  if (pathName == nullptr || tempFileName == nullptr) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  const std::string folder = pathName;
  // The longest name, "<prefix>FFFF.tmp", must fit, as Windows requires up front.
  if (TempName(folder, prefixString, 0xFFFF).size() >= MAX_PATH) {
    SetLastError(ERROR_BUFFER_OVERFLOW);
    return 0;
  }
  if (unique != 0)
    return Deliver(TempName(folder, prefixString, unique & 0xFFFF), unique, tempFileName);

  for (unsigned tries = 0; tries < 0xFFFF; ++tries) {
    const UINT number = (g_nextNumber++ % 0xFFFF) + 1;  // 1 to FFFF: 0 means failure
    const std::string name = TempName(folder, prefixString, number);
    std::string path;
    if (!MapPathArgument(name.c_str(), path)) return 0;
    const FolderIndex::Stamp folderBefore = FolderIndex::StampOfFolder(path);
    UniqueFd fd(open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
    if (fd) {
      FolderIndex::Instance().Added(path, folderBefore);
      return Deliver(name, number, tempFileName);
    }
    if (errno != EEXIST) {
      SetLastErrorFromErrno(path);
      return 0;
    }
  }
  SetLastError(ERROR_FILE_EXISTS);
  return 0;
}
