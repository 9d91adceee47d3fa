#include "addin/ShowOpenFileDialog.h"

#include "addin/ModulePath.h"
#include "win32/module.h"
#include "win32/owners.h"

namespace {

using OpenFileProc = char*(WINAPI*)(const char* initial, int maxLength, const char* filter);

constexpr DWORD kModuleNameChars = 1024;

}  // namespace

char* ShowOpenFileDialog(const char* initial, int maxLength, const char* filter) {
  HMODULE addin = GetModuleHandleA("Kelvra.dll");
  if (!addin) return nullptr;
  std::string folder = FolderOf(ModuleFileName(addin, kModuleNameChars));
  // Loaded for each call and freed after it, so the library is never held in between.
  const UniqueModule library(LoadLibraryA((folder + "\\Bruvel.dll").c_str()));
  if (!library) return nullptr;
  auto proc = reinterpret_cast<OpenFileProc>(GetProcAddress(library.Get(), "Bruvel"));
  if (!proc) return nullptr;
  return proc(initial, maxLength, filter);
}
