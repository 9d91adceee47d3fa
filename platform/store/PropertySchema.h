// The properties the store knows by object-model name: their type and the value
// an item answers while the property is absent. Names not listed here are kept
// as the mailbox file gave them.
#pragma once

#include <cstdint>
#include <string_view>

#include "store/Value.h"

namespace kelvra::store {

struct PropertyInfo {
  std::string_view name;
  ValueType type;
  std::int32_t longDefault;  // for ValueType::Long
};

class PropertySchema {
 public:
  // nullptr for a name the store does not know (compared without case).
  static const PropertyInfo* Find(std::string_view name);
  // The absent value of a known property; an empty Value for an unknown one.
  static Value DefaultOf(std::string_view name);
};

}  // namespace kelvra::store
