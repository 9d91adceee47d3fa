#include "registry/RegistryKey.h"

#include <algorithm>

#include "base/AsciiCase.h"

namespace kelvra::platform {
namespace {

unsigned char AsciiUpper(unsigned char c) {
  return (c >= 'a' && c <= 'z') ? static_cast<unsigned char>(c - 'a' + 'A') : c;
}

auto Named(std::string_view name) {
  return [name](const RegistryValue& v) { return EqualsIgnoringAsciiCase(v.name, name); };
}

}  // namespace

bool RegistryNameLess::operator()(std::string_view a, std::string_view b) const {
  return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    return AsciiUpper(static_cast<unsigned char>(x)) < AsciiUpper(static_cast<unsigned char>(y));
  });
}

std::shared_ptr<RegistryKey> RegistryKey::Child(std::string_view name) const {
  auto it = children_.find(name);
  return it == children_.end() ? nullptr : it->second;
}

std::shared_ptr<RegistryKey> RegistryKey::AddChild(std::string_view name, bool& created) {
  auto it = children_.find(name);
  created = it == children_.end();
  if (created)
    it = children_.emplace(std::string(name), std::make_shared<RegistryKey>(std::string(name)))
             .first;
  return it->second;
}

void RegistryKey::RemoveChild(std::string_view name) {
  auto it = children_.find(name);
  if (it == children_.end()) return;
  it->second->MarkDeleted();
  children_.erase(it);
}

void RegistryKey::Clear() {
  for (auto& [name, child] : children_) child->MarkDeleted();
  children_.clear();
  values_.clear();
}

void RegistryKey::Adopt(RegistryKey& other) {
  Clear();
  children_.swap(other.children_);
  values_.swap(other.values_);
}

void RegistryKey::MarkDeleted() {
  deleted_ = true;
  for (auto& [name, child] : children_) child->MarkDeleted();
}

const RegistryValue* RegistryKey::FindValue(std::string_view name) const {
  auto it = std::find_if(values_.begin(), values_.end(), Named(name));
  return it == values_.end() ? nullptr : &*it;
}

// A value set again keeps its place and the case of its first name.
void RegistryKey::SetValue(std::string_view name, DWORD type, std::string data) {
  auto it = std::find_if(values_.begin(), values_.end(), Named(name));
  if (it == values_.end()) {
    values_.push_back({std::string(name), type, std::move(data)});
    return;
  }
  it->type = type;
  it->data = std::move(data);
}

bool RegistryKey::RemoveValue(std::string_view name) {
  auto it = std::find_if(values_.begin(), values_.end(), Named(name));
  if (it == values_.end()) return false;
  values_.erase(it);
  return true;
}

}  // namespace kelvra::platform
