#include "files/PathArgument.h"

#include "files/PathView.h"

namespace kelvra::platform {

bool MapPathArgument(LPCSTR windowsPath, std::string& linuxPath) {
  const DWORD error = MapWindowsPath(windowsPath == nullptr ? "" : windowsPath, linuxPath);
  if (error == ERROR_SUCCESS) return true;
  SetLastError(error);
  return false;
}

}  // namespace kelvra::platform
