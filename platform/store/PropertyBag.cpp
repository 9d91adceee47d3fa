#include "store/PropertyBag.h"

#include <algorithm>

namespace kelvra::store {

std::size_t IgnoreAsciiCaseHash::operator()(std::string_view name) const {
  std::size_t hash = 14695981039346656037ULL;  // FNV-1a over the folded bytes
  for (const char c : name) hash = (hash ^ FoldAsciiCase(c)) * 1099511628211ULL;
  return hash;
}

bool IgnoreAsciiCaseEqual::operator()(std::string_view a, std::string_view b) const {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                    [](char x, char y) { return FoldAsciiCase(x) == FoldAsciiCase(y); });
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
