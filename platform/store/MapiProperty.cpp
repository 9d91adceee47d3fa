#include "store/MapiProperty.h"

#include <cstring>

namespace kelvra::store {

ValueType ValueTypeOfMapiType(std::uint16_t mapiType) {
  switch (mapiType) {
    case mapitype::kLong:
      return ValueType::Long;
    case mapitype::kBoolean:
      return ValueType::Bool;
    case mapitype::kString8:
    case mapitype::kUnicode:
      return ValueType::Text;
    case mapitype::kSysTime:
      return ValueType::Date;
    case mapitype::kBinary:
      return ValueType::Binary;
    default:
      return ValueType::Empty;
  }
}

bool NamedPropertyKey::operator<(const NamedPropertyKey& other) const {
  const auto setOrder = std::memcmp(&propertySet, &other.propertySet, sizeof(GUID));
  return setOrder != 0 ? setOrder < 0 : id < other.id;
}

}  // namespace kelvra::store
