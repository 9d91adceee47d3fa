// The process-wide table of modules behind the module calls. Thread-safe; the dynamic
// loader is never entered while the table is locked, because loading a binary may
// register resources and unloading one may unregister them.
#pragma once

#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "module/Module.h"
#include "win32/base.h"
#include "win32/resources.h"

namespace kelvra::platform {

class ModuleTable {
 public:
  static ModuleTable& Instance();

  HMODULE Register(const resources::ModuleResources& resources);
  void Unregister(HMODULE module);

  HMODULE HostProgram();
  // By file name (any case) or by full Windows path; NULL when none matches.
  HMODULE Find(std::string_view nameOrPath);
  std::optional<std::string> FileName(HMODULE module);
  // False for a handle that is not a module; otherwise text is the string or null.
  bool LoadString(HMODULE module, UINT id, std::optional<std::string>& text);

  // Counts one LoadLibraryA of the binary dlopen gave loaderHandle for; first tells
  // whether the module was not loaded before.
  HMODULE AddLoad(void* loaderHandle, const std::string& windowsPath, bool& first);
  // The loader handle of a loaded module; null for modules that were not loaded.
  bool LoaderHandle(HMODULE module, void*& loaderHandle);
  int LoadCount(HMODULE module);
  // Counts one FreeLibrary; a module that is neither loaded nor registered goes.
  void DropLoad(HMODULE module);

  // The version block of the module with that file name, or the error to report.
  std::optional<std::vector<char>> VersionBlock(std::string_view fileName, DWORD& error);

  // The template, or nullopt when the module is unknown or lacks it.
  std::optional<DialogTemplate> FindDialog(HMODULE module, WORD id);
  // The first registered module that holds the template, or NULL.
  HMODULE FindDialogModule(WORD id);
  bool HasImage(HMODULE module, resources::ImageKind kind, WORD id);

  // Testkit controls.
  void SetFolder(std::string_view moduleName, const std::string& windowsFolder);
  void FailVersionInfo(bool fail);

 private:
  ModuleTable() = default;

  HMODULE Add(Module module);
  Module* Lookup(HMODULE module);
  std::string FileNameOf(const Module& module) const;

  std::mutex mutex_;
  std::map<HMODULE, Module> modules_;
  std::map<std::string, std::string> folders_;
  HMODULE host_ = nullptr;
  std::uintptr_t nextHandle_ = 0x10000000;
  bool failVersionInfo_ = false;
};

}  // namespace kelvra::platform
