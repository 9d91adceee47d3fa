// Gregorian calendar arithmetic on FILETIME counts (100 ns since 1601-01-01 UTC).
#pragma once

#include <cstdint>

#include "win32/base.h"

namespace kelvra::platform {

inline constexpr std::uint64_t kTicksPerMillisecond = 10'000;
inline constexpr std::uint64_t kTicksPerSecond = 1000 * kTicksPerMillisecond;

// Splits a count into calendar fields, day of week included; false when the count
// has its top bit set, as Windows refuses those.
bool FileTimeToFields(std::uint64_t fileTime, SYSTEMTIME& fields);

// The count of a calendar time; false for a field out of range or a year outside
// 1601..30827. wDayOfWeek is not read.
bool FieldsToFileTime(const SYSTEMTIME& fields, std::uint64_t& fileTime);

// Whole seconds from 1899-12-30 00:00 (OLE day 0, the zone rules' scale) to a count.
inline std::int64_t OleSeconds(std::uint64_t fileTime) {
  constexpr std::int64_t kSecondsFrom1601To1899 = 9'435'312'000;
  return static_cast<std::int64_t>(fileTime / kTicksPerSecond) - kSecondsFrom1601To1899;
}

inline std::uint64_t FileTimeValue(const FILETIME& time) {
  return (static_cast<std::uint64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
}

inline FILETIME MakeFileTime(std::uint64_t value) {
  return FILETIME{static_cast<DWORD>(value & 0xFFFFFFFFu), static_cast<DWORD>(value >> 32)};
}

}  // namespace kelvra::platform
