#include "addin/ModulePath.h"

#include <vector>

#include "win32/module.h"

std::string ModuleFileName(HMODULE module, DWORD maxChars) {
  std::vector<char> name(maxChars + 1, '\0');
  if (GetModuleFileNameA(module, name.data(), maxChars) == 0) return std::string();
  return name.data();
}

std::string FolderOf(const std::string& path) {
  size_t cut = path.find_last_of("\\/");
  return cut == std::string::npos ? std::string() : path.substr(0, cut);
}
