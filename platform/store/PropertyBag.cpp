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
  return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                      [](char x, char y) { return Lower(x) < Lower(y); });
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
