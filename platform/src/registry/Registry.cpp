#include "registry/Registry.h"

#include <fstream>
#include <iterator>

#include "base/AsciiCase.h"
#include "registry/RegistryFile.h"

namespace kelvra::platform {
namespace {

// READ_CONTROL is part of both KEY_READ and KEY_WRITE: a denial that names more than
// that right ignores it, so that denying KEY_WRITE leaves opening for reading alone.
constexpr REGSAM kReadControl = 0x00020000;

std::vector<std::string> SplitPath(std::string_view path) {
  std::vector<std::string> parts;
  std::size_t start = 0;
  while (start <= path.size()) {
    std::size_t end = path.find('\\', start);
    if (end == std::string_view::npos) end = path.size();
    if (end > start) parts.emplace_back(path.substr(start, end - start));
    start = end + 1;
  }
  return parts;
}

std::size_t RootIndex(HKEY key) {
  const HKEY roots[] = {HKEY_CLASSES_ROOT, HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE};
  for (std::size_t i = 0; i < Registry::kRootCount; ++i)
    if (key == roots[i]) return i;
  return Registry::kRootCount;
}

bool StartsWith(const std::vector<std::string>& path, const std::vector<std::string>& prefix) {
  if (prefix.size() > path.size()) return false;
  for (std::size_t i = 0; i < prefix.size(); ++i)
    if (!EqualsIgnoringAsciiCase(path[i], prefix[i])) return false;
  return true;
}

std::vector<std::string> Joined(std::vector<std::string> base,
                                const std::vector<std::string>& more) {
  base.insert(base.end(), more.begin(), more.end());
  return base;
}

}  // namespace

Registry& Registry::Instance() {
  // Never destroyed: handles may be closed by objects destroyed at process exit.
  static Registry* registry = new Registry;
  return *registry;
}

Registry::Registry() {
  for (std::size_t i = 0; i < kRootCount; ++i) {
    roots_[i] = std::make_shared<RegistryKey>("");
    rootOpen_[i] = {roots_[i], KEY_ALL_ACCESS, i, {}};
  }
}

HKEY Registry::AddHandle(OpenKey open) {
  auto handle = reinterpret_cast<HKEY>(nextHandle_);
  nextHandle_ += 4;
  handles_.emplace(handle, std::move(open));
  return handle;
}

LONG Registry::Use(HKEY key, REGSAM needed, OpenKey*& open) {
  std::size_t root = RootIndex(key);
  if (root < kRootCount) {
    open = &rootOpen_[root];
  } else {
    auto it = handles_.find(key);
    if (it == handles_.end()) return ERROR_INVALID_HANDLE;
    open = &it->second;
  }
  if (open->key->deleted()) return ERROR_KEY_DELETED;
  return (open->access & needed) == needed ? ERROR_SUCCESS : ERROR_ACCESS_DENIED;
}

bool Registry::Denied(std::size_t root, const std::vector<std::string>& path, REGSAM access) const {
  for (const Denial& d : denials_) {
    REGSAM rights = (d.rights & ~kReadControl) != 0 ? d.rights & ~kReadControl : d.rights;
    if (d.root == root && (access & rights) != 0 && StartsWith(path, d.path)) return true;
  }
  return false;
}

std::shared_ptr<RegistryKey> Registry::Walk(std::shared_ptr<RegistryKey> node,
                                            const std::vector<std::string>& path) const {
  for (const std::string& name : path) {
    if (node == nullptr) break;
    node = node->Child(name);
  }
  return node;
}

LONG Registry::Open(HKEY parent, std::string_view path, REGSAM access, HKEY& result) {
  std::lock_guard<std::mutex> lock(mutex_);
  OpenKey* open = nullptr;
  LONG status = Use(parent, 0, open);
  if (status != ERROR_SUCCESS) return status;
  std::vector<std::string> parts = SplitPath(path);
  std::shared_ptr<RegistryKey> target = Walk(open->key, parts);
  if (target == nullptr) return ERROR_FILE_NOT_FOUND;
  std::vector<std::string> full = Joined(open->path, parts);
  if (Denied(open->root, full, access)) return ERROR_ACCESS_DENIED;
  result = AddHandle({target, access, open->root, std::move(full)});
  return ERROR_SUCCESS;
}

LONG Registry::Create(HKEY parent, std::string_view path, REGSAM access, HKEY& result,
                      bool& created) {
  std::lock_guard<std::mutex> lock(mutex_);
  OpenKey* open = nullptr;
  LONG status = Use(parent, 0, open);
  if (status != ERROR_SUCCESS) return status;
  std::vector<std::string> parts = SplitPath(path);
  std::vector<std::string> full = Joined(open->path, parts);
  if (Denied(open->root, full, access)) return ERROR_ACCESS_DENIED;
  created = Walk(open->key, parts) == nullptr;
  if (created && (open->access & KEY_CREATE_SUB_KEY) == 0) return ERROR_ACCESS_DENIED;
  std::shared_ptr<RegistryKey> node = open->key;
  for (const std::string& name : parts) {
    bool added = false;
    node = node->AddChild(name, added);
  }
  result = AddHandle({node, access, open->root, std::move(full)});
  return ERROR_SUCCESS;
}

LONG Registry::Close(HKEY key) {
  std::lock_guard<std::mutex> lock(mutex_);
  if (RootIndex(key) < kRootCount) return ERROR_SUCCESS;
  return handles_.erase(key) == 1 ? ERROR_SUCCESS : ERROR_INVALID_HANDLE;
}

LONG Registry::QueryValue(HKEY key, std::string_view name, RegistryValue& value) {
  std::lock_guard<std::mutex> lock(mutex_);
  OpenKey* open = nullptr;
  LONG status = Use(key, KEY_QUERY_VALUE, open);
  if (status != ERROR_SUCCESS) return status;
  const RegistryValue* found = open->key->FindValue(name);
  if (found == nullptr) return ERROR_FILE_NOT_FOUND;
  value = *found;
  return ERROR_SUCCESS;
}

LONG Registry::SetValue(HKEY key, std::string_view name, DWORD type, std::string data) {
  std::lock_guard<std::mutex> lock(mutex_);
  OpenKey* open = nullptr;
  LONG status = Use(key, KEY_SET_VALUE, open);
  if (status == ERROR_SUCCESS) open->key->SetValue(name, type, std::move(data));
  return status;
}

LONG Registry::DeleteValue(HKEY key, std::string_view name) {
  std::lock_guard<std::mutex> lock(mutex_);
  OpenKey* open = nullptr;
  LONG status = Use(key, KEY_SET_VALUE, open);
  if (status != ERROR_SUCCESS) return status;
  return open->key->RemoveValue(name) ? ERROR_SUCCESS : ERROR_FILE_NOT_FOUND;
}

LONG Registry::EnumKey(HKEY key, DWORD index, std::string& name) {
  std::lock_guard<std::mutex> lock(mutex_);
  OpenKey* open = nullptr;
  LONG status = Use(key, KEY_ENUMERATE_SUB_KEYS, open);
  if (status != ERROR_SUCCESS) return status;
  const auto& children = open->key->children();
  if (index >= children.size()) return ERROR_NO_MORE_ITEMS;
  name = std::next(children.begin(), index)->second->name();
  return ERROR_SUCCESS;
}

LONG Registry::EnumValue(HKEY key, DWORD index, RegistryValue& value) {
  std::lock_guard<std::mutex> lock(mutex_);
  OpenKey* open = nullptr;
  LONG status = Use(key, KEY_QUERY_VALUE, open);
  if (status != ERROR_SUCCESS) return status;
  const auto& values = open->key->values();
  if (index >= values.size()) return ERROR_NO_MORE_ITEMS;
  value = values[index];
  return ERROR_SUCCESS;
}

LONG Registry::DeleteKey(HKEY parent, std::string_view path, bool withSubkeys) {
  std::lock_guard<std::mutex> lock(mutex_);
  OpenKey* open = nullptr;
  LONG status = Use(parent, 0, open);
  if (status != ERROR_SUCCESS) return status;
  std::vector<std::string> parts = SplitPath(path);
  if (parts.empty()) return ERROR_INVALID_PARAMETER;
  std::shared_ptr<RegistryKey> target = Walk(open->key, parts);
  if (target == nullptr) return ERROR_FILE_NOT_FOUND;
  if (Denied(open->root, Joined(open->path, parts), DELETE)) return ERROR_ACCESS_DENIED;
  // As on Windows, a key that still has subkeys is refused rather than orphaned.
  if (!withSubkeys && !target->children().empty()) return ERROR_ACCESS_DENIED;
  std::string name = parts.back();
  parts.pop_back();
  Walk(open->key, parts)->RemoveChild(name);
  return ERROR_SUCCESS;
}

LONG Registry::EmptyKey(HKEY key) {
  std::lock_guard<std::mutex> lock(mutex_);
  OpenKey* open = nullptr;
  LONG status = Use(key, KEY_SET_VALUE, open);
  if (status != ERROR_SUCCESS) return status;
  if (Denied(open->root, open->path, DELETE)) return ERROR_ACCESS_DENIED;
  open->key->Clear();
  return ERROR_SUCCESS;
}

void Registry::Reset() {
  std::lock_guard<std::mutex> lock(mutex_);
  for (auto& root : roots_) root->Clear();
  denials_.clear();
}

void Registry::Deny(HKEY root, std::string_view path, REGSAM rights) {
  std::lock_guard<std::mutex> lock(mutex_);
  denials_.push_back({RootIndex(root), SplitPath(path), rights});
}

void Registry::ClearDenials() {
  std::lock_guard<std::mutex> lock(mutex_);
  denials_.clear();
}

bool Registry::Save(const std::string& linuxPath) {
  std::string text;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    text = RegistryFile::Write(roots_);
  }
  std::ofstream out(linuxPath, std::ios::binary | std::ios::trunc);
  out << text;
  return static_cast<bool>(out.flush());
}

bool Registry::Load(const std::string& linuxPath) {
  std::ifstream in(linuxPath, std::ios::binary);
  if (!in) return false;
  std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  Roots loaded;
  if (!RegistryFile::Read(text, loaded)) return false;
  std::lock_guard<std::mutex> lock(mutex_);
  for (std::size_t i = 0; i < kRootCount; ++i) roots_[i]->Adopt(*loaded[i]);
  return true;
}

std::shared_ptr<RegistryKey> Registry::RootKey(HKEY root, std::string_view path) const {
  std::size_t index = RootIndex(root);
  return index < kRootCount ? Walk(roots_[index], SplitPath(path)) : nullptr;
}

bool Registry::KeyExists(HKEY root, std::string_view path) {
  std::lock_guard<std::mutex> lock(mutex_);
  return RootKey(root, path) != nullptr;
}

std::optional<RegistryValue> Registry::ReadValue(HKEY root, std::string_view path,
                                                 std::string_view name) {
  std::lock_guard<std::mutex> lock(mutex_);
  std::shared_ptr<RegistryKey> key = RootKey(root, path);
  const RegistryValue* value = key != nullptr ? key->FindValue(name) : nullptr;
  if (value == nullptr) return std::nullopt;
  return *value;
}

std::vector<std::string> Registry::SubKeyNames(HKEY root, std::string_view path) {
  std::lock_guard<std::mutex> lock(mutex_);
  std::vector<std::string> names;
  if (std::shared_ptr<RegistryKey> key = RootKey(root, path))
    for (const auto& [name, child] : key->children()) names.push_back(child->name());
  return names;
}

void Registry::Write(HKEY root, std::string_view path, std::string_view name, DWORD type,
                     std::string data) {
  std::lock_guard<std::mutex> lock(mutex_);
  std::size_t index = RootIndex(root);
  if (index >= kRootCount) return;
  std::shared_ptr<RegistryKey> node = roots_[index];
  for (const std::string& part : SplitPath(path)) {
    bool added = false;
    node = node->AddChild(part, added);
  }
  node->SetValue(name, type, std::move(data));
}

std::size_t Registry::OpenHandleCount() {
  std::lock_guard<std::mutex> lock(mutex_);
  return handles_.size();
}

}  // namespace kelvra::platform
