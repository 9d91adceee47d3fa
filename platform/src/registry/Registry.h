// The process-wide registry: the three root trees, the table of open handles and the
// access denials tests inject. One mutex guards it all. A handle owns its key, so a
// key deleted while a handle holds it stays valid memory and reports ERROR_KEY_DELETED.
#pragma once

#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "registry/RegistryKey.h"
#include "win32/registry.h"

namespace kelvra::platform {

class Registry {
 public:
  static constexpr std::size_t kRootCount = 3;
  using Roots = std::shared_ptr<RegistryKey>[kRootCount];

  static Registry& Instance();

  LONG Open(HKEY parent, std::string_view path, REGSAM access, HKEY& result);
  LONG Create(HKEY parent, std::string_view path, REGSAM access, HKEY& result, bool& created);
  LONG Close(HKEY key);

  // The value, or the error: missing handle, access, deleted key, missing value.
  LONG QueryValue(HKEY key, std::string_view name, RegistryValue& value);
  LONG SetValue(HKEY key, std::string_view name, DWORD type, std::string data);
  LONG DeleteValue(HKEY key, std::string_view name);
  LONG EnumKey(HKEY key, DWORD index, std::string& name);
  LONG EnumValue(HKEY key, DWORD index, RegistryValue& value);
  LONG DeleteKey(HKEY parent, std::string_view path, bool withSubkeys);
  LONG EmptyKey(HKEY key);

  // Testkit controls and readers; paths are relative to a root key.
  void Reset();
  void Deny(HKEY root, std::string_view path, REGSAM rights);
  void ClearDenials();
  bool Save(const std::string& linuxPath);
  bool Load(const std::string& linuxPath);
  bool KeyExists(HKEY root, std::string_view path);
  std::optional<RegistryValue> ReadValue(HKEY root, std::string_view path, std::string_view name);
  std::vector<std::string> SubKeyNames(HKEY root, std::string_view path);
  void Write(HKEY root, std::string_view path, std::string_view name, DWORD type, std::string data);
  std::size_t OpenHandleCount();

 private:
  struct OpenKey {
    std::shared_ptr<RegistryKey> key;
    REGSAM access;
    std::size_t root;
    std::vector<std::string> path;  // below the root
  };
  struct Denial {
    std::size_t root;
    std::vector<std::string> path;
    REGSAM rights;
  };

  Registry();

  // The handle's key checked for the access a call needs.
  LONG Use(HKEY key, REGSAM needed, OpenKey*& open);
  bool Denied(std::size_t root, const std::vector<std::string>& path, REGSAM access) const;
  HKEY AddHandle(OpenKey open);
  std::shared_ptr<RegistryKey> Walk(std::shared_ptr<RegistryKey> node,
                                    const std::vector<std::string>& path) const;
  std::shared_ptr<RegistryKey> RootKey(HKEY root, std::string_view path) const;

  std::mutex mutex_;
  Roots roots_;
  // The root keys as handles: full access, never deleted.
  OpenKey rootOpen_[kRootCount];
  std::map<HKEY, OpenKey> handles_;
  std::vector<Denial> denials_;
  std::uintptr_t nextHandle_ = 0x100;
};

}  // namespace kelvra::platform
