#include "addin/ShowOpenFileDialog.h"

#include <memory>
#include <type_traits>

#include "addin/ModulePath.h"
#include "win32/module.h"

namespace {

using OpenFileProc = char*(WINAPI*)(const char* initial, int maxLength, const char* filter);
using LibraryPtr = std::unique_ptr<std::remove_pointer_t<HMODULE>, BOOL (*)(HMODULE)>;

constexpr DWORD kModuleNameChars = 1024;

}  // namespace

char* ShowOpenFileDialog(const char* initial, int maxLength, const char* filter) {
  HMODULE addin = GetModuleHandleA("Kelvra.dll");
  if (!addin) return nullptr;
  std::string folder = FolderOf(ModuleFileName(addin, kModuleNameChars));
  // Loaded for each call and freed after it, so the library is never held in between.
  LibraryPtr library(LoadLibraryA((folder + "\\Bruvel.dll").c_str()), &FreeLibrary);
  if (!library) return nullptr;
  auto proc = reinterpret_cast<OpenFileProc>(GetProcAddress(library.get(), "Bruvel"));
  if (!proc) return nullptr;
  return proc(initial, maxLength, filter);
}
