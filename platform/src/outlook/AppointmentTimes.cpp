#include "outlook/AppointmentTimes.h"

#include <cmath>
#include <cstdint>
#include <optional>

#include "atl/OleSeconds.h"
#include "store/Item.h"
#include "store/NamedPropertyIds.h"
#include "time/SystemTimeZone.h"
#include "time/ZoneRules.h"

namespace kelvra::outlook {

namespace {

using atl::OleSeconds;

// A date outside the OLE range passes unchanged, as does any date when the system
// zone cannot be read (local time is then UTC).
template <class Convert>
DATE Converted(DATE date, Convert convert) {
  const std::optional<std::int64_t> seconds = OleSeconds::FromDate(date);
  const std::optional<TIME_ZONE_INFORMATION> zone = platform::SystemTimeZone::Instance().Get();
  if (!seconds.has_value() || !zone.has_value()) return date;
  const std::int64_t result = convert(platform::ZoneRules(*zone), *seconds);
  return OleSeconds::InRange(result) ? OleSeconds::ToDate(result) : date;
}

DATE LocalOf(DATE utc) {
  return Converted(
      utc, [](const platform::ZoneRules& rules, std::int64_t t) { return rules.UtcToLocal(t); });
}

DATE UtcOf(DATE local) {
  return Converted(
      local, [](const platform::ZoneRules& rules, std::int64_t t) { return rules.LocalToUtc(t); });
}

std::optional<DATE> UtcTime(const store::Item& item, const store::NamedPropertyKey& key) {
  const std::optional<store::NamedValue> named = item.GetNamed(key);
  if (!named.has_value() || named->value.Type() != store::ValueType::Date) return std::nullopt;
  return named->value.AsDate();
}

std::int64_t SecondsOf(DATE date) { return OleSeconds::FromDate(date).value_or(0); }

DATE PlusMinutes(DATE date, long minutes) {
  const std::optional<std::int64_t> seconds = OleSeconds::FromDate(date);
  if (!seconds.has_value() || !OleSeconds::InRange(*seconds + minutes * 60LL)) return date;
  return OleSeconds::ToDate(*seconds + minutes * 60LL);
}

}  // namespace

DATE AppointmentTimes::Start() const {
  if (auto utc = UtcTime(*item_, store::kAppointmentStart)) return LocalOf(*utc);
  return item_->GetDate("Start");
}

DATE AppointmentTimes::End() const {
  if (auto utc = UtcTime(*item_, store::kAppointmentEnd)) return LocalOf(*utc);
  if (item_->Has("End")) return item_->GetDate("End");
  return PlusMinutes(Start(), item_->GetLong("Duration"));
}

long AppointmentTimes::Duration() const {
  const auto start = UtcTime(*item_, store::kAppointmentStart);
  const auto end = UtcTime(*item_, store::kAppointmentEnd);
  if (start.has_value() && end.has_value()) {
    return static_cast<long>((SecondsOf(*end) - SecondsOf(*start)) / 60);
  }
  // A mailbox file may give the local start and end without the duration.
  if (item_->Has("End") && !item_->Has("Duration")) {
    return static_cast<long>((SecondsOf(item_->GetDate("End")) - SecondsOf(Start())) / 60);
  }
  return item_->GetLong("Duration");
}

DATE AppointmentTimes::UtcStart() const {
  if (auto utc = UtcTime(*item_, store::kAppointmentStart)) return *utc;
  return UtcOf(Start());
}

void AppointmentTimes::SetStart(DATE local) {
  const DATE start = UtcOf(local);
  Store(start, PlusMinutes(start, Duration()));
}

bool AppointmentTimes::SetEnd(DATE local) {
  const DATE start = UtcStart();
  const DATE end = UtcOf(local);
  if (SecondsOf(end) < SecondsOf(start)) return false;
  Store(start, end);
  return true;
}

bool AppointmentTimes::SetDuration(long minutes) {
  if (minutes < 0) return false;
  const DATE start = UtcStart();
  Store(start, PlusMinutes(start, minutes));
  return true;
}

void AppointmentTimes::Store(DATE start, DATE end) {
  item_->SetNamed(store::kAppointmentStart,
                  store::NamedValue{store::mapitype::kSysTime, store::Value::Date(start)});
  item_->SetNamed(store::kAppointmentEnd,
                  store::NamedValue{store::mapitype::kSysTime, store::Value::Date(end)});
  item_->Set("Duration", store::Value::Long(
                             static_cast<std::int32_t>((SecondsOf(end) - SecondsOf(start)) / 60)));
}

}  // namespace kelvra::outlook
