#include "addin/ModuleVersion.h"

#include <cstring>
#include <vector>

#include "addin/ModulePath.h"

bool ReadModuleVersion(HMODULE module, DWORD nameChars, VS_FIXEDFILEINFO& info) {
  std::string name = ModuleFileName(module, nameChars);
  if (name.empty()) return false;
  DWORD handle = 0;
  DWORD size = GetFileVersionInfoSizeA(name.c_str(), &handle);
  if (size == 0) return false;
  std::vector<BYTE> data(size);
  if (!GetFileVersionInfoA(name.c_str(), 0, size, data.data())) return false;
  void* block = nullptr;
  UINT length = 0;
  if (!VerQueryValueA(data.data(), "\\", &block, &length) || !block ||
      length < sizeof(VS_FIXEDFILEINFO))
    return false;
  std::memcpy(&info, block, sizeof info);
  return true;
}
