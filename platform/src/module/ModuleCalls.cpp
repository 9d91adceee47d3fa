// The Win32 module, string and version calls over the module table.
#include <dlfcn.h>

#include <algorithm>
#include <cstring>

#include "files/PathView.h"
#include "module/ModuleTable.h"
#include "module/VersionInfo.h"
#include "win32/module.h"

using kelvra::platform::ModuleTable;

namespace {

HMODULE OrHost(HMODULE module) {
  return module != nullptr ? module : ModuleTable::Instance().HostProgram();
}

// Calls the library's DllMain when it exports one; a library without one accepts.
BOOL NotifyLibrary(void* loaderHandle, HMODULE module, DWORD reason) {
  auto entry = reinterpret_cast<PDLL_MAIN>(dlsym(loaderHandle, "DllMain"));
  return entry == nullptr ? TRUE : entry(module, reason, nullptr);
}

// Copies text cut to size - 1 with a NUL; returns the number of characters copied.
std::size_t CopyCut(const std::string& text, char* buffer, std::size_t size) {
  std::size_t count = std::min(text.size(), size - 1);
  std::memcpy(buffer, text.data(), count);
  buffer[count] = '\0';
  return count;
}

}  // namespace

HMODULE WINAPI GetModuleHandleA(LPCSTR name) {
  if (name == nullptr) return ModuleTable::Instance().HostProgram();
  HMODULE module = ModuleTable::Instance().Find(name);
  if (module == nullptr) SetLastError(ERROR_MOD_NOT_FOUND);
  return module;
}

DWORD WINAPI GetModuleFileNameA(HMODULE module, LPSTR buffer, DWORD size) {
  std::optional<std::string> name = ModuleTable::Instance().FileName(OrHost(module));
  if (!name) {
    SetLastError(ERROR_MOD_NOT_FOUND);
    return 0;
  }
  if (buffer == nullptr || size == 0) {
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return 0;
  }
  std::size_t count = CopyCut(*name, buffer, size);
  if (count < name->size()) {
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return size;
  }
  return static_cast<DWORD>(count);
}

HMODULE WINAPI LoadLibraryA(LPCSTR path) {
  if (path == nullptr) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  std::string linuxPath = kelvra::platform::ToLinuxPath(path);
  void* loaderHandle = linuxPath.empty() || linuxPath[0] != '/'
                           ? nullptr
                           : dlopen(linuxPath.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (loaderHandle == nullptr) {
    SetLastError(ERROR_MOD_NOT_FOUND);
    return nullptr;
  }
  bool first = false;
  HMODULE module = ModuleTable::Instance().AddLoad(loaderHandle, path, first);
  if (first && !NotifyLibrary(loaderHandle, module, DLL_PROCESS_ATTACH)) {
    ModuleTable::Instance().DropLoad(module);
    dlclose(loaderHandle);
    SetLastError(ERROR_DLL_INIT_FAILED);
    return nullptr;
  }
  return module;
}

FARPROC WINAPI GetProcAddress(HMODULE module, LPCSTR name) {
  void* loaderHandle = nullptr;
  if (!ModuleTable::Instance().LoaderHandle(OrHost(module), loaderHandle)) {
    SetLastError(ERROR_MOD_NOT_FOUND);
    return nullptr;
  }
  // Exports by ordinal do not exist on this platform.
  void* address = loaderHandle != nullptr && name != nullptr && !IS_INTRESOURCE(name)
                      ? dlsym(loaderHandle, name)
                      : nullptr;
  if (address == nullptr) SetLastError(ERROR_PROC_NOT_FOUND);
  return reinterpret_cast<FARPROC>(address);
}

BOOL WINAPI FreeLibrary(HMODULE module) {
  ModuleTable& table = ModuleTable::Instance();
  void* loaderHandle = nullptr;
  if (!table.LoaderHandle(module, loaderHandle)) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  // Modules that LoadLibraryA did not load stay for the life of the process.
  if (loaderHandle == nullptr) return TRUE;
  if (table.LoadCount(module) == 1) NotifyLibrary(loaderHandle, module, DLL_PROCESS_DETACH);
  table.DropLoad(module);
  dlclose(loaderHandle);
  return TRUE;
}

int WINAPI LoadStringA(HINSTANCE instance, UINT id, LPSTR buffer, int size) {
  if (buffer == nullptr || size <= 0) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  buffer[0] = '\0';
  std::optional<std::string> text;
  if (!ModuleTable::Instance().LoadString(OrHost(instance), id, text)) {
    SetLastError(ERROR_RESOURCE_DATA_NOT_FOUND);
    return 0;
  }
  if (!text) {
    SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
    return 0;
  }
  return static_cast<int>(CopyCut(*text, buffer, static_cast<std::size_t>(size)));
}

DWORD WINAPI GetFileVersionInfoSizeA(LPCSTR fileName, LPDWORD handle) {
  if (handle != nullptr) *handle = 0;
  if (fileName == nullptr) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  DWORD error = ERROR_SUCCESS;
  std::optional<std::vector<char>> block = ModuleTable::Instance().VersionBlock(fileName, error);
  if (!block) {
    SetLastError(error);
    return 0;
  }
  return static_cast<DWORD>(block->size());
}

BOOL WINAPI GetFileVersionInfoA(LPCSTR fileName, DWORD, DWORD size, LPVOID data) {
  if (fileName == nullptr || data == nullptr) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  DWORD error = ERROR_SUCCESS;
  std::optional<std::vector<char>> block = ModuleTable::Instance().VersionBlock(fileName, error);
  if (!block) {
    SetLastError(error);
    return FALSE;
  }
  // A cut block would only mislead VerQueryValueA: refuse it whole.
  if (size < block->size()) {
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return FALSE;
  }
  std::memcpy(data, block->data(), block->size());
  return TRUE;
}

BOOL WINAPI VerQueryValueA(LPCVOID block, LPCSTR subBlock, LPVOID* buffer, UINT* length) {
  if (block == nullptr || subBlock == nullptr || buffer == nullptr || length == nullptr) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  const void* value = nullptr;
  if (!kelvra::platform::VersionInfo::Query(block, subBlock, &value, length)) {
    *buffer = nullptr;
    *length = 0;
    SetLastError(ERROR_RESOURCE_TYPE_NOT_FOUND);
    return FALSE;
  }
  // The caller's own block: handing back a writable pointer into it is what Windows does.
  *buffer = const_cast<void*>(value);
  return TRUE;
}
