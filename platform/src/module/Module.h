// One entry of the module table: what GetModuleHandleA hands out a handle to.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "module/DialogTemplate.h"
#include "module/VersionInfo.h"
#include "win32/base.h"
#include "win32/resources.h"

namespace kelvra::platform {

class Module {
 public:
  // A binary whose compiled resources registered themselves.
  static Module Registered(const resources::ModuleResources& resources,
                           const std::string& binaryFolder, const void* binary);
  // A library loaded from a Windows path, or the host program.
  static Module Loaded(const std::string& windowsPath, const void* binary);

  // File name ("Kelvra.dll"), and the full Windows path: in the folder the module was
  // found in, or in another one when given.
  const std::string& name() const { return name_; }
  std::string FileName(const std::string* otherFolder = nullptr) const;
  // Identity of the Linux binary (its link map), null when unknown.
  const void* binary() const { return binary_; }

  bool registered() const { return registered_; }
  void SetRegistered(bool registered) { registered_ = registered; }

  // Dynamic-loader handle and LoadLibraryA count while the module is loaded.
  void* loaderHandle() const { return loaderHandle_; }
  int loadCount() const { return loadCount_; }
  void AddLoad(void* loaderHandle);
  void DropLoad();

  const std::string* FindString(UINT id) const;
  const std::optional<VersionInfo>& version() const { return version_; }
  const DialogTemplate* FindDialog(WORD id) const;
  bool HasImage(resources::ImageKind kind, WORD id) const;

 private:
  std::string name_;
  std::string folder_;
  const void* binary_ = nullptr;
  bool registered_ = false;
  void* loaderHandle_ = nullptr;
  int loadCount_ = 0;
  std::map<UINT, std::string> strings_;
  std::optional<VersionInfo> version_;
  std::map<WORD, DialogTemplate> dialogs_;
  std::map<std::pair<resources::ImageKind, WORD>, std::string> images_;
};

}  // namespace kelvra::platform
