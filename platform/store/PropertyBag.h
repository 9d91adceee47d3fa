// Values by property name. Names compare without ASCII case, as the object
// model's dispatch names do; a name keeps the spelling it was first set with.
#pragma once

#include <map>
#include <string>
#include <string_view>

#include "store/Value.h"

namespace kelvra::store {

inline unsigned char FoldAsciiCase(char c) {
  const auto u = static_cast<unsigned char>(c);
  return (u >= 'A' && u <= 'Z') ? static_cast<unsigned char>(u - 'A' + 'a') : u;
}

// Defined here so that the map lookups behind every property read inline it.
struct IgnoreAsciiCaseLess {
  using is_transparent = void;
  bool operator()(std::string_view a, std::string_view b) const {
    const std::size_t common = a.size() < b.size() ? a.size() : b.size();
    for (std::size_t i = 0; i < common; ++i) {
      const unsigned char x = FoldAsciiCase(a[i]);
      const unsigned char y = FoldAsciiCase(b[i]);
      if (x != y) return x < y;
    }
    return a.size() < b.size();
  }
};

// For hashed lookups that agree with IgnoreAsciiCaseLess.
struct IgnoreAsciiCaseHash {
  std::size_t operator()(std::string_view name) const;
};

struct IgnoreAsciiCaseEqual {
  bool operator()(std::string_view a, std::string_view b) const;
};

class PropertyBag {
 public:
  using Map = std::map<std::string, Value, IgnoreAsciiCaseLess>;

  // nullptr when the name was never set.
  const Value* Find(std::string_view name) const;
  bool Contains(std::string_view name) const { return Find(name) != nullptr; }
  void Set(std::string_view name, Value value);

  std::size_t Size() const { return values_.size(); }
  // Sorted by name without case.
  Map::const_iterator begin() const { return values_.begin(); }
  Map::const_iterator end() const { return values_.end(); }

  bool operator==(const PropertyBag&) const = default;

 private:
  Map values_;
};

}  // namespace kelvra::store
