// Values by property name. Names compare without ASCII case, as the object
// model's dispatch names do; a name keeps the spelling it was first set with.
#pragma once

#include <map>
#include <string>
#include <string_view>

#include "store/Value.h"

namespace kelvra::store {

struct IgnoreAsciiCaseLess {
  using is_transparent = void;
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
