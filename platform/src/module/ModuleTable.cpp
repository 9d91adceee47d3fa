#include "module/ModuleTable.h"

#include "base/AsciiCase.h"
#include "files/PathView.h"
#include "module/Binaries.h"

namespace kelvra::platform {
namespace {

// Module handles are spaced like image bases so that they never look like small ids.
constexpr std::uintptr_t kHandleStep = 0x10000;

std::string AsciiLowered(std::string_view text) {
  std::string lowered;
  for (char c : text)
    lowered.push_back(static_cast<char>(AsciiLower(static_cast<unsigned char>(c))));
  return lowered;
}

// Separators unified and doubled ones collapsed, case folded: two spellings of one
// Windows path compare equal.
std::string PathKey(std::string_view path) {
  std::string key;
  for (char c : path) {
    char unified = c == '/' ? '\\' : c;
    if (unified == '\\' && !key.empty() && key.back() == '\\') continue;
    key.push_back(unified);
  }
  return AsciiLowered(key);
}

bool IsPath(std::string_view name) { return name.find_first_of("\\/:") != std::string_view::npos; }

}  // namespace

ModuleTable& ModuleTable::Instance() {
  // Never destroyed: binaries unregister their resources while the process exits.
  static ModuleTable* table = new ModuleTable;
  return *table;
}

HMODULE ModuleTable::Add(Module module) {
  auto handle = reinterpret_cast<HMODULE>(nextHandle_);
  nextHandle_ += kHandleStep;
  modules_.emplace(handle, std::move(module));
  return handle;
}

Module* ModuleTable::Lookup(HMODULE module) {
  auto it = modules_.find(module);
  return it == modules_.end() ? nullptr : &it->second;
}

std::string ModuleTable::FileNameOf(const Module& module) const {
  auto moved = folders_.find(AsciiLowered(module.name()));
  return module.FileName(moved == folders_.end() ? nullptr : &moved->second);
}

HMODULE ModuleTable::Register(const resources::ModuleResources& resources) {
  BinaryLocation binary = LocateBinary(resources.anchor);
  std::string folder = SplitWindowsPath(ToWindowsPath(binary.path)).folder;
  std::lock_guard<std::mutex> lock(mutex_);
  return Add(Module::Registered(resources, folder, binary.identity));
}

void ModuleTable::Unregister(HMODULE module) {
  std::lock_guard<std::mutex> lock(mutex_);
  Module* entry = Lookup(module);
  if (entry == nullptr) return;
  entry->SetRegistered(false);
  if (entry->loadCount() == 0) modules_.erase(module);
}

HMODULE ModuleTable::HostProgram() {
  std::lock_guard<std::mutex> lock(mutex_);
  if (host_ == nullptr) {
    BinaryLocation program = kelvra::platform::HostProgram();
    host_ = Add(Module::Loaded(ToWindowsPath(program.path), program.identity));
  }
  return host_;
}

HMODULE ModuleTable::Find(std::string_view nameOrPath) {
  std::lock_guard<std::mutex> lock(mutex_);
  bool byPath = IsPath(nameOrPath);
  std::string key = byPath ? PathKey(nameOrPath) : AsciiLowered(nameOrPath);
  for (const auto& [handle, module] : modules_) {
    if (byPath ? PathKey(FileNameOf(module)) == key : AsciiLowered(module.name()) == key)
      return handle;
  }
  return nullptr;
}

std::optional<std::string> ModuleTable::FileName(HMODULE module) {
  std::lock_guard<std::mutex> lock(mutex_);
  Module* entry = Lookup(module);
  if (entry == nullptr) return std::nullopt;
  return FileNameOf(*entry);
}

bool ModuleTable::LoadString(HMODULE module, UINT id, std::optional<std::string>& text) {
  std::lock_guard<std::mutex> lock(mutex_);
  Module* entry = Lookup(module);
  if (entry == nullptr) return false;
  const std::string* found = entry->FindString(id);
  if (found != nullptr) text = *found;
  return true;
}

HMODULE ModuleTable::AddLoad(void* loaderHandle, const std::string& windowsPath, bool& first) {
  const void* identity = BinaryIdentity(loaderHandle);
  std::lock_guard<std::mutex> lock(mutex_);
  for (auto& [handle, module] : modules_) {
    if (identity != nullptr && module.binary() == identity && handle != host_) {
      module.AddLoad(loaderHandle);
      first = module.loadCount() == 1;
      return handle;
    }
  }
  Module module = Module::Loaded(windowsPath, identity);
  module.AddLoad(loaderHandle);
  first = true;
  return Add(std::move(module));
}

bool ModuleTable::LoaderHandle(HMODULE module, void*& loaderHandle) {
  std::lock_guard<std::mutex> lock(mutex_);
  Module* entry = Lookup(module);
  if (entry == nullptr) return false;
  loaderHandle = entry->loaderHandle();
  return true;
}

int ModuleTable::LoadCount(HMODULE module) {
  std::lock_guard<std::mutex> lock(mutex_);
  Module* entry = Lookup(module);
  return entry == nullptr ? 0 : entry->loadCount();
}

void ModuleTable::DropLoad(HMODULE module) {
  std::lock_guard<std::mutex> lock(mutex_);
  Module* entry = Lookup(module);
  if (entry == nullptr) return;
  entry->DropLoad();
  if (entry->loadCount() == 0 && !entry->registered() && module != host_) modules_.erase(module);
}

std::optional<std::vector<char>> ModuleTable::VersionBlock(std::string_view fileName,
                                                           DWORD& error) {
  std::lock_guard<std::mutex> lock(mutex_);
  if (failVersionInfo_) {
    error = ERROR_RESOURCE_TYPE_NOT_FOUND;
    return std::nullopt;
  }
  std::string key = PathKey(fileName);
  for (const auto& [handle, module] : modules_) {
    if (PathKey(FileNameOf(module)) != key) continue;
    if (module.version().has_value()) return module.version()->Block();
    error = ERROR_RESOURCE_TYPE_NOT_FOUND;
    return std::nullopt;
  }
  error = ERROR_FILE_NOT_FOUND;
  return std::nullopt;
}

void ModuleTable::SetFolder(std::string_view moduleName, const std::string& windowsFolder) {
  std::lock_guard<std::mutex> lock(mutex_);
  if (windowsFolder.empty())
    folders_.erase(AsciiLowered(moduleName));
  else
    folders_[AsciiLowered(moduleName)] = windowsFolder;
}

void ModuleTable::FailVersionInfo(bool fail) {
  std::lock_guard<std::mutex> lock(mutex_);
  failVersionInfo_ = fail;
}

std::optional<DialogTemplate> ModuleTable::FindDialog(HMODULE module, WORD id) {
  std::lock_guard<std::mutex> lock(mutex_);
  Module* entry = Lookup(module);
  if (entry == nullptr || entry->FindDialog(id) == nullptr) return std::nullopt;
  return *entry->FindDialog(id);
}

HMODULE ModuleTable::FindDialogModule(WORD id) {
  std::lock_guard<std::mutex> lock(mutex_);
  for (const auto& [handle, module] : modules_)
    if (module.registered() && module.FindDialog(id) != nullptr) return handle;
  return nullptr;
}

bool ModuleTable::HasImage(HMODULE module, resources::ImageKind kind, WORD id) {
  std::lock_guard<std::mutex> lock(mutex_);
  Module* entry = Lookup(module);
  return entry != nullptr && entry->HasImage(kind, id);
}

}  // namespace kelvra::platform
