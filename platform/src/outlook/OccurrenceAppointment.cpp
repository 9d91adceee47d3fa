#include "outlook/OccurrenceAppointment.h"

#include <cstdint>
#include <optional>

#include "atl/OleSeconds.h"
#include "outlook/AppointmentZone.h"
#include "outlook/RecurrenceDays.h"
#include "outlook/SeriesExceptions.h"
#include "store/Item.h"

namespace kelvra::outlook {

namespace {

using atl::OleSeconds;

std::int64_t SecondsOf(double date) { return OleSeconds::FromDate(date).value_or(0); }

double PlusSeconds(double date, std::int64_t seconds) {
  const std::int64_t result = SecondsOf(date) + seconds;
  return OleSeconds::InRange(result) ? OleSeconds::ToDate(result) : date;
}

std::optional<double> DateIn(const store::PropertyBag& bag, std::string_view name) {
  const store::Value* value = bag.Find(name);
  if (value == nullptr || value->Type() != store::ValueType::Date) return std::nullopt;
  return value->AsDate();
}

}  // namespace

store::PropertyBag OccurrenceAppointment::Changes() const {
  store::PropertyBag changes;
  if (auto exception = SeriesExceptions::Find(*series_, originalDate_)) {
    changes = std::move(exception->changes);
  }
  for (const auto& [name, value] : pending_) changes.Set(name, value);
  return changes;
}

store::Value OccurrenceAppointment::Get(std::string_view name) const {
  const store::PropertyBag changes = Changes();
  if (const store::Value* own = changes.Find(name)) return *own;
  return series_->Get(name);
}

HRESULT OccurrenceAppointment::Set(std::string_view name, store::Value value) {
  if (!writable_) return E_ACCESSDENIED;
  pending_.Set(name, std::move(value));
  return S_OK;
}

double OccurrenceAppointment::ZoneStart() const {
  return DateIn(Changes(), "Start").value_or(originalDate_);
}

double OccurrenceAppointment::ZoneEnd() const {
  if (auto end = DateIn(Changes(), "End")) return *end;
  const std::optional<store::RecurrencePattern> pattern = series_->Recurrence();
  const std::int64_t minutes = pattern.has_value() ? pattern->duration : 0;
  return PlusSeconds(ZoneStart(), minutes * 60);
}

DATE OccurrenceAppointment::Start() const { return AppointmentZone(*series_).ToLocal(ZoneStart()); }

DATE OccurrenceAppointment::End() const { return AppointmentZone(*series_).ToLocal(ZoneEnd()); }

long OccurrenceAppointment::Duration() const {
  return static_cast<long>((SecondsOf(ZoneEnd()) - SecondsOf(ZoneStart())) / 60);
}

void OccurrenceAppointment::Change(std::string_view name, double zoneTime) {
  pending_.Set(name, store::Value::Date(zoneTime));
}

HRESULT OccurrenceAppointment::SetStart(DATE local) {
  if (!writable_) return E_ACCESSDENIED;
  const std::int64_t length = SecondsOf(ZoneEnd()) - SecondsOf(ZoneStart());
  const double start = AppointmentZone(*series_).ToZone(local);
  Change("Start", start);
  Change("End", PlusSeconds(start, length));
  return S_OK;
}

HRESULT OccurrenceAppointment::SetEnd(DATE local) {
  if (!writable_) return E_ACCESSDENIED;
  const double end = AppointmentZone(*series_).ToZone(local);
  if (SecondsOf(end) < SecondsOf(ZoneStart())) return E_INVALIDARG;
  Change("End", end);
  return S_OK;
}

HRESULT OccurrenceAppointment::SetDuration(long minutes) {
  if (!writable_) return E_ACCESSDENIED;
  if (minutes < 0) return E_INVALIDARG;
  Change("End", PlusSeconds(ZoneStart(), minutes * 60LL));
  return S_OK;
}

bool OccurrenceAppointment::Saved() const { return pending_.Size() == 0 && series_->Saved(); }

HRESULT OccurrenceAppointment::Save() {
  if (!writable_) return E_ACCESSDENIED;
  if (pending_.Size() == 0) return S_OK;
  if (SeriesExceptions::DayTaken(*series_, RecurrenceDays::DayOf(ZoneStart()), originalDate_)) {
    return E_INVALIDARG;
  }
  const HRESULT recorded = Record({originalDate_, false, Changes()});
  if (SUCCEEDED(recorded)) pending_ = {};
  return recorded;
}

HRESULT OccurrenceAppointment::Delete() {
  if (!writable_) return E_ACCESSDENIED;
  const HRESULT recorded = Record({originalDate_, true, {}});
  if (SUCCEEDED(recorded)) pending_ = {};
  return recorded;
}

HRESULT OccurrenceAppointment::Record(store::RecurrenceException exception) {
  SeriesExceptions::Record(*series_, std::move(exception));
  return series_->Save() ? S_OK : E_FAIL;
}

}  // namespace kelvra::outlook
