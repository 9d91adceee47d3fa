#include "store/PropertyBag.h"

#include <algorithm>

namespace kelvra::store {

namespace {

unsigned char Lower(char c) {
  const auto u = static_cast<unsigned char>(c);
  return (u >= 'A' && u <= 'Z') ? static_cast<unsigned char>(u - 'A' + 'a') : u;
}

}  // namespace

bool IgnoreAsciiCaseLess::operator()(std::string_view a, std::string_view b) const {
  // Every property read goes through this: fold each byte once.
  const std::size_t common = std::min(a.size(), b.size());
  for (std::size_t i = 0; i < common; ++i) {
    const unsigned char x = Lower(a[i]);
    const unsigned char y = Lower(b[i]);
    if (x != y) return x < y;
  }
  return a.size() < b.size();
}

const Value* PropertyBag::Find(std::string_view name) const {
  const auto found = values_.find(name);
  return found == values_.end() ? nullptr : &found->second;
}

void PropertyBag::Set(std::string_view name, Value value) {
  const auto found = values_.find(name);
  if (found != values_.end()) {
    found->second = std::move(value);
  } else {
    values_.emplace(std::string(name), std::move(value));
  }
}

}  // namespace kelvra::store
