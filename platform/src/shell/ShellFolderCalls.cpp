// SHGetFolderPathA.
#include <cstring>
#include <string>

#include "shell/AppDataFolder.h"
#include "win32/shell.h"

HRESULT WINAPI SHGetFolderPathA(HWND /*owner*/, int folder, HANDLE /*token*/, DWORD /*flags*/,
                                LPSTR path) {
  if (path == nullptr) return E_INVALIDARG;
  path[0] = '\0';
  if ((folder & ~CSIDL_FLAG_CREATE) != CSIDL_APPDATA) return E_INVALIDARG;
  std::string found;
  const HRESULT result = kelvra::platform::AppDataFolder::Get(found);
  if (FAILED(result)) return result;
  if (found.size() >= MAX_PATH) return E_FAIL;  // a cut folder would name another one
  std::memcpy(path, found.c_str(), found.size() + 1);
  return S_OK;
}
