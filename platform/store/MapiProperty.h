// MAPI-level identities of item data: named properties (property set + numeric
// id, with the MAPI type they were stored with) and property tags.
#pragma once

#include <cstdint>
#include <tuple>

#include "com/guid.h"
#include "store/Value.h"

namespace kelvra::store {

namespace mapitype {
inline constexpr std::uint16_t kLong = 0x0003;
inline constexpr std::uint16_t kBoolean = 0x000B;
inline constexpr std::uint16_t kString8 = 0x001E;
inline constexpr std::uint16_t kUnicode = 0x001F;
inline constexpr std::uint16_t kSysTime = 0x0040;
inline constexpr std::uint16_t kBinary = 0x0102;
}  // namespace mapitype

inline constexpr std::uint16_t PropTypeOf(std::uint32_t tag) {
  return static_cast<std::uint16_t>(tag & 0xFFFFu);
}
// The value type the store keeps a MAPI type in; Empty for a type it cannot
// keep.
ValueType ValueTypeOfMapiType(std::uint16_t mapiType);

struct NamedPropertyKey {
  GUID propertySet;
  std::int32_t id;

  bool operator==(const NamedPropertyKey& other) const {
    return propertySet == other.propertySet && id == other.id;
  }
  bool operator<(const NamedPropertyKey& other) const;
};

struct NamedValue {
  std::uint16_t mapiType;
  Value value;
  bool operator==(const NamedValue&) const = default;
};

}  // namespace kelvra::store
