#include "calendar/TimezoneStruct.h"

#include <cstring>

namespace {

// Copies a field from the value's bytes at offset and returns the offset after it.
template <typename Field>
std::size_t ReadField(const BYTE* bytes, std::size_t offset, Field& field) {
  std::memcpy(&field, bytes + offset, sizeof(Field));
  return offset + sizeof(Field);
}

}  // namespace

TimezoneStruct TimezoneFromTzi(const BYTE (&tzi)[kTziSize]) {
  TimezoneStruct zone{};
  std::size_t offset = ReadField(tzi, 0, zone.Bias);
  offset = ReadField(tzi, offset, zone.StandardBias);
  offset = ReadField(tzi, offset, zone.DaylightBias);
  offset = ReadField(tzi, offset, zone.StandardDate);
  ReadField(tzi, offset, zone.DaylightDate);
  return zone;
}
