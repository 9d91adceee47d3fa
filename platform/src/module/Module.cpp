#include "module/Module.h"

#include "files/PathView.h"

namespace kelvra::platform {

Module Module::Registered(const resources::ModuleResources& resources,
                          const std::string& binaryFolder, const void* binary) {
  Module module;
  module.name_ = resources.name != nullptr ? resources.name : "";
  module.folder_ = binaryFolder;
  module.binary_ = binary;
  module.registered_ = true;
  for (const resources::StringResource& s : resources.strings)
    module.strings_.emplace(s.id, std::string(s.text));
  if (resources.version != nullptr) module.version_.emplace(*resources.version);
  for (const resources::DialogResource& d : resources.dialogs)
    module.dialogs_.emplace(d.id, DialogTemplate::From(d));
  for (const resources::ImageResource& i : resources.images)
    module.images_.emplace(std::make_pair(i.kind, i.id), std::string(i.file));
  return module;
}

Module Module::Loaded(const std::string& windowsPath, const void* binary) {
  Module module;
  WindowsPathParts parts = SplitWindowsPath(windowsPath);
  module.name_ = parts.name;
  module.folder_ = parts.folder;
  module.binary_ = binary;
  return module;
}

void Module::AddLoad(void* loaderHandle) {
  loaderHandle_ = loaderHandle;
  ++loadCount_;
}

void Module::DropLoad() {
  if (loadCount_ > 0 && --loadCount_ == 0) loaderHandle_ = nullptr;
}

std::string Module::FileName(const std::string* otherFolder) const {
  const std::string& folder = otherFolder != nullptr ? *otherFolder : folder_;
  if (folder.empty()) return name_;
  bool separated = folder.back() == '\\' || folder.back() == '/';
  return folder + (separated ? "" : "\\") + name_;
}

const std::string* Module::FindString(UINT id) const {
  auto it = strings_.find(id);
  return it == strings_.end() ? nullptr : &it->second;
}

const DialogTemplate* Module::FindDialog(WORD id) const {
  auto it = dialogs_.find(id);
  return it == dialogs_.end() ? nullptr : &it->second;
}

bool Module::HasImage(resources::ImageKind kind, WORD id) const {
  return images_.count(std::make_pair(kind, id)) != 0;
}

}  // namespace kelvra::platform
