#include "outlook/AppointmentZone.h"

#include <cstdint>
#include <cstring>

#include "atl/OleSeconds.h"
#include "store/Item.h"
#include "store/NamedPropertyIds.h"
#include "time/SystemTimeZone.h"
#include "time/ZoneRules.h"

namespace kelvra::outlook {

namespace {

using atl::OleSeconds;

constexpr std::size_t kZoneRecordSize = 48;

std::int32_t Long32At(const store::Bytes& bytes, std::size_t at) {
  std::uint32_t value = 0;
  for (std::size_t i = 0; i < 4; ++i) value |= static_cast<std::uint32_t>(bytes[at + i]) << (8 * i);
  return static_cast<std::int32_t>(value);
}

WORD WordAt(const store::Bytes& bytes, std::size_t at) {
  return static_cast<WORD>(bytes[at] | (bytes[at + 1] << 8));
}

SYSTEMTIME RuleAt(const store::Bytes& bytes, std::size_t at) {
  WORD words[8];
  for (std::size_t i = 0; i < 8; ++i) words[i] = WordAt(bytes, at + 2 * i);
  return SYSTEMTIME{words[0], words[1], words[2], words[3], words[4], words[5], words[6], words[7]};
}

// Bias, StandardBias, DaylightBias, StandardYear, StandardDate, DaylightYear,
// DaylightDate, little-endian.
std::optional<TIME_ZONE_INFORMATION> ZoneOf(const store::Item& item) {
  const std::optional<store::NamedValue> record = item.GetNamed(store::kAppointmentTimeZone);
  if (!record.has_value() || record->value.Type() != store::ValueType::Binary) return std::nullopt;
  const store::Bytes& bytes = record->value.AsBinary();
  if (bytes.size() < kZoneRecordSize) return std::nullopt;
  TIME_ZONE_INFORMATION zone{};
  zone.Bias = Long32At(bytes, 0);
  zone.StandardBias = Long32At(bytes, 4);
  zone.DaylightBias = Long32At(bytes, 8);
  zone.StandardDate = RuleAt(bytes, 14);
  zone.DaylightDate = RuleAt(bytes, 32);
  return zone;
}

bool SameRule(const SYSTEMTIME& a, const SYSTEMTIME& b) {
  return a.wMonth == b.wMonth && a.wDayOfWeek == b.wDayOfWeek && a.wDay == b.wDay &&
         a.wHour == b.wHour && a.wMinute == b.wMinute && a.wSecond == b.wSecond;
}

bool SameZone(const TIME_ZONE_INFORMATION& a, const TIME_ZONE_INFORMATION& b) {
  return a.Bias + a.StandardBias == b.Bias + b.StandardBias &&
         a.Bias + a.DaylightBias == b.Bias + b.DaylightBias &&
         SameRule(a.StandardDate, b.StandardDate) && SameRule(a.DaylightDate, b.DaylightDate);
}

// from's wall clock read in to's.
DATE Convert(DATE date, const TIME_ZONE_INFORMATION& from, const TIME_ZONE_INFORMATION& to) {
  const std::optional<std::int64_t> seconds = OleSeconds::FromDate(date);
  if (!seconds.has_value()) return date;
  const std::int64_t utc = platform::ZoneRules(from).LocalToUtc(*seconds);
  const std::int64_t result = platform::ZoneRules(to).UtcToLocal(utc);
  return OleSeconds::InRange(result) ? OleSeconds::ToDate(result) : date;
}

}  // namespace

AppointmentZone::AppointmentZone(const store::Item& item) : zone_(ZoneOf(item)) {
  if (!zone_.has_value()) return;
  system_ = platform::SystemTimeZone::Instance().Get();
  if (!system_.has_value() || SameZone(*zone_, *system_)) zone_.reset();
}

DATE AppointmentZone::ToLocal(DATE zoneTime) const {
  return zone_.has_value() ? Convert(zoneTime, *zone_, *system_) : zoneTime;
}

DATE AppointmentZone::ToZone(DATE localTime) const {
  return zone_.has_value() ? Convert(localTime, *system_, *zone_) : localTime;
}

}  // namespace kelvra::outlook
