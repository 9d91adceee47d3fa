// One key of the registry tree: its subkeys in sorted order and its values in the
// order they were first set.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "win32/base.h"

namespace kelvra::platform {

struct RegistryValue {
  std::string name;
  DWORD type = 0;
  std::string data;
};

// Orders names as the registry enumerates them: by their upper-case spelling.
struct RegistryNameLess {
  using is_transparent = void;
  bool operator()(std::string_view a, std::string_view b) const;
};

class RegistryKey {
 public:
  explicit RegistryKey(std::string name) : name_(std::move(name)) {}

  const std::string& name() const { return name_; }

  // A deleted key stays alive for the handles that still hold it, but is no longer
  // in the tree.
  bool deleted() const { return deleted_; }

  std::shared_ptr<RegistryKey> Child(std::string_view name) const;
  // The existing child of that name, or a new one; created tells which.
  std::shared_ptr<RegistryKey> AddChild(std::string_view name, bool& created);
  // Removes the child and marks it and everything below it deleted.
  void RemoveChild(std::string_view name);
  // Removes every child and every value.
  void Clear();
  // Takes the children and values of other in place of its own.
  void Adopt(RegistryKey& other);
  const std::map<std::string, std::shared_ptr<RegistryKey>, RegistryNameLess>& children() const {
    return children_;
  }

  const RegistryValue* FindValue(std::string_view name) const;
  void SetValue(std::string_view name, DWORD type, std::string data);
  bool RemoveValue(std::string_view name);
  const std::vector<RegistryValue>& values() const { return values_; }

 private:
  void MarkDeleted();

  std::string name_;
  bool deleted_ = false;
  std::map<std::string, std::shared_ptr<RegistryKey>, RegistryNameLess> children_;
  std::vector<RegistryValue> values_;
};

}  // namespace kelvra::platform
