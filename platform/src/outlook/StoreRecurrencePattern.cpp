#include "outlook/StoreRecurrencePattern.h"

#include <cstdint>
#include <optional>

#include "atl/OleSeconds.h"
#include "outlook/AppointmentZone.h"
#include "outlook/CallGate.h"
#include "outlook/OutParam.h"
#include "outlook/RecurrenceDays.h"
#include "outlook/RecurrenceRules.h"
#include "outlook/SeriesExceptions.h"
#include "outlook/StoreAppointmentItem.h"
#include "outlook/StoreExceptions.h"
#include "store/Item.h"

namespace kelvra::outlook {

namespace {

using atl::OleSeconds;

constexpr std::int64_t kSecondsPerDay = 86400;

std::int64_t SecondsOf(DATE date) { return OleSeconds::FromDate(date).value_or(0); }

std::int64_t TimeOfDaySeconds(DATE date) {
  return SecondsOf(date) - RecurrenceDays::DayOf(date) * kSecondsPerDay;
}

DATE DatePart(DATE date) { return RecurrenceDays::DateOf(RecurrenceDays::DayOf(date)); }

DATE TimePart(DATE date) { return OleSeconds::ToDate(TimeOfDaySeconds(date)); }

// The day of `day` at the time of day of `time`.
DATE At(DATE day, DATE time) {
  return OleSeconds::ToDate(RecurrenceDays::DayOf(day) * kSecondsPerDay + TimeOfDaySeconds(time));
}

VARIANT_BOOL AsVariantBool(bool flag) { return flag ? VARIANT_TRUE : VARIANT_FALSE; }

bool InRange(long value, long low, long high) { return value >= low && value <= high; }

}  // namespace

Outlook::RecurrencePattern* StoreRecurrencePattern::Create(store::ItemPtr series) {
  auto* pattern = new StoreRecurrencePattern(std::move(series));
  pattern->AddRef();
  return pattern;
}

HRESULT StoreRecurrencePattern::Read(const char* member, const Reader& read) const {
  const HRESULT entered = CallGate::Enter(member);
  if (FAILED(entered)) return entered;
  const std::optional<store::RecurrencePattern> pattern = series_->Recurrence();
  if (!pattern.has_value()) return E_FAIL;
  return read(*pattern);
}

HRESULT StoreRecurrencePattern::Change(const char* member, const Changer& change) {
  const HRESULT entered = CallGate::Enter(member);
  if (FAILED(entered)) return entered;
  std::optional<store::RecurrencePattern> pattern = series_->Recurrence();
  if (!pattern.has_value()) return E_FAIL;
  if (!change(*pattern)) return E_INVALIDARG;
  series_->SetRecurrence(std::move(pattern));
  return S_OK;
}

DATE StoreRecurrencePattern::LocalFirstStart(const store::RecurrencePattern& pattern) const {
  return AppointmentZone(*series_).ToLocal(At(pattern.patternStartDate, pattern.startTime));
}

void StoreRecurrencePattern::SetFirstStart(store::RecurrencePattern& pattern, DATE local) const {
  const DATE first = AppointmentZone(*series_).ToZone(local);
  pattern.patternStartDate = DatePart(first);
  pattern.startTime = TimePart(first);
}

#define KELVRA_DEFINE_NUMBER(Type, Name, field, validity)                            \
  STDMETHODIMP StoreRecurrencePattern::get_##Name(Type* value) {                     \
    return Read("RecurrencePattern." #Name, [&](const store::RecurrencePattern& p) { \
      return HandOutValue(value, static_cast<Type>(p.field));                        \
    });                                                                              \
  }                                                                                  \
  STDMETHODIMP StoreRecurrencePattern::put_##Name(Type value) {                      \
    return Change("RecurrencePattern." #Name, [&](store::RecurrencePattern& p) {     \
      if (!(validity)) return false;                                                 \
      p.field = static_cast<std::int32_t>(value);                                    \
      RecurrenceRules::Reconcile(p);                                                 \
      return true;                                                                   \
    });                                                                              \
  }

KELVRA_DEFINE_NUMBER(Outlook::OlDaysOfWeek, DayOfWeekMask, dayOfWeekMask,
                     RecurrenceRules::IsValidMask(p.recurrenceType, value))
KELVRA_DEFINE_NUMBER(long, DayOfMonth, dayOfMonth, InRange(value, 1, 31))
KELVRA_DEFINE_NUMBER(long, Instance, instance, InRange(value, 1, 5))
KELVRA_DEFINE_NUMBER(long, MonthOfYear, monthOfYear, InRange(value, 1, 12))
KELVRA_DEFINE_NUMBER(long, Duration, duration, InRange(value, 0, INT32_MAX))

#undef KELVRA_DEFINE_NUMBER

STDMETHODIMP StoreRecurrencePattern::get_RecurrenceType(Outlook::OlRecurrenceType* value) {
  return Read("RecurrencePattern.RecurrenceType", [&](const store::RecurrencePattern& p) {
    return HandOutValue(value, static_cast<Outlook::OlRecurrenceType>(p.recurrenceType));
  });
}

STDMETHODIMP StoreRecurrencePattern::put_RecurrenceType(Outlook::OlRecurrenceType value) {
  return Change("RecurrencePattern.RecurrenceType", [&](store::RecurrencePattern& p) {
    if (!RecurrenceRules::IsValidType(value)) return false;
    RecurrenceRules::Derive(p, value);
    return true;
  });
}

STDMETHODIMP StoreRecurrencePattern::get_Interval(long* value) {
  return Read("RecurrencePattern.Interval", [&](const store::RecurrencePattern& p) {
    return HandOutValue(value, static_cast<long>(p.interval));
  });
}

STDMETHODIMP StoreRecurrencePattern::put_Interval(long value) {
  return Change("RecurrencePattern.Interval", [&](store::RecurrencePattern& p) {
    if (value > INT32_MAX ||
        !RecurrenceRules::IsValidInterval(p.recurrenceType, static_cast<std::int32_t>(value))) {
      return false;
    }
    RecurrenceRules::SetInterval(p, static_cast<std::int32_t>(value));
    return true;
  });
}

STDMETHODIMP StoreRecurrencePattern::get_PatternStartDate(DATE* value) {
  return Read("RecurrencePattern.PatternStartDate", [&](const store::RecurrencePattern& p) {
    return HandOutValue(value, DatePart(LocalFirstStart(p)));
  });
}

STDMETHODIMP StoreRecurrencePattern::put_PatternStartDate(DATE value) {
  return Change("RecurrencePattern.PatternStartDate", [&](store::RecurrencePattern& p) {
    const std::optional<std::int64_t> seconds = OleSeconds::FromDate(value);
    if (!seconds.has_value()) return false;
    SetFirstStart(p, At(value, LocalFirstStart(p)));
    const bool ends = !p.noEndDate && p.patternEndDate != store::kNoDate;
    if (ends &&
        RecurrenceDays::DayOf(p.patternEndDate) < RecurrenceDays::DayOf(p.patternStartDate)) {
      return false;
    }
    RecurrenceRules::Reconcile(p);
    return true;
  });
}

STDMETHODIMP StoreRecurrencePattern::get_PatternEndDate(DATE* value) {
  return Read("RecurrencePattern.PatternEndDate", [&](const store::RecurrencePattern& p) {
    if (p.noEndDate || p.patternEndDate == store::kNoDate) {
      return HandOutValue(value, store::kNoDate);
    }
    const DATE zoneEnd = At(p.patternEndDate, p.startTime);
    return HandOutValue(value, DatePart(AppointmentZone(*series_).ToLocal(zoneEnd)));
  });
}

STDMETHODIMP StoreRecurrencePattern::put_PatternEndDate(DATE value) {
  return Change("RecurrencePattern.PatternEndDate", [&](store::RecurrencePattern& p) {
    if (!OleSeconds::FromDate(value).has_value()) return false;
    const DATE localEnd = At(value, LocalFirstStart(p));
    return RecurrenceRules::EndOn(p, AppointmentZone(*series_).ToZone(localEnd));
  });
}

STDMETHODIMP StoreRecurrencePattern::get_NoEndDate(VARIANT_BOOL* value) {
  return Read("RecurrencePattern.NoEndDate", [&](const store::RecurrencePattern& p) {
    return HandOutValue(value, AsVariantBool(p.noEndDate));
  });
}

STDMETHODIMP StoreRecurrencePattern::put_NoEndDate(VARIANT_BOOL value) {
  return Change("RecurrencePattern.NoEndDate", [&](store::RecurrencePattern& p) {
    p.noEndDate = value != VARIANT_FALSE;
    if (p.noEndDate) {
      p.occurrences = 0;
      p.patternEndDate = store::kNoDate;
    }
    return true;
  });
}

STDMETHODIMP StoreRecurrencePattern::get_Occurrences(long* value) {
  return Read("RecurrencePattern.Occurrences", [&](const store::RecurrencePattern& p) {
    return HandOutValue(value, static_cast<long>(p.noEndDate ? 0 : p.occurrences));
  });
}

STDMETHODIMP StoreRecurrencePattern::put_Occurrences(long value) {
  return Change("RecurrencePattern.Occurrences", [&](store::RecurrencePattern& p) {
    return InRange(value, 1, INT32_MAX) &&
           RecurrenceRules::EndAfter(p, static_cast<std::int32_t>(value));
  });
}

STDMETHODIMP StoreRecurrencePattern::get_StartTime(DATE* value) {
  return Read("RecurrencePattern.StartTime", [&](const store::RecurrencePattern& p) {
    return HandOutValue(value, TimePart(LocalFirstStart(p)));
  });
}

STDMETHODIMP StoreRecurrencePattern::put_StartTime(DATE value) {
  return Change("RecurrencePattern.StartTime", [&](store::RecurrencePattern& p) {
    if (!OleSeconds::FromDate(value).has_value()) return false;
    SetFirstStart(p, At(LocalFirstStart(p), value));
    RecurrenceRules::Reconcile(p);
    return true;
  });
}

STDMETHODIMP StoreRecurrencePattern::get_EndTime(DATE* value) {
  return Read("RecurrencePattern.EndTime", [&](const store::RecurrencePattern& p) {
    const std::int64_t end = SecondsOf(LocalFirstStart(p)) + p.duration * 60LL;
    return HandOutValue(value, TimePart(OleSeconds::ToDate(end)));
  });
}

STDMETHODIMP StoreRecurrencePattern::get_Exceptions(Outlook::Exceptions** value) {
  return Read("RecurrencePattern.Exceptions", [&](const store::RecurrencePattern&) {
    return HandOutObject(value, [&] { return StoreExceptions::Create(series_); });
  });
}

STDMETHODIMP StoreRecurrencePattern::raw_GetOccurrence(DATE start,
                                                       Outlook::_AppointmentItem** value) {
  return Read("RecurrencePattern.GetOccurrence", [&](const store::RecurrencePattern&) {
    if (value == nullptr) return E_POINTER;
    *value = nullptr;
    const std::optional<std::int64_t> seconds =
        OleSeconds::FromDate(AppointmentZone(*series_).ToZone(start));
    if (!seconds.has_value()) return DISP_E_BADINDEX;
    const DATE original = OleSeconds::ToDate(*seconds);
    if (!SeriesExceptions::IsOccurrence(*series_, original)) return DISP_E_BADINDEX;
    const auto exception = SeriesExceptions::Find(*series_, original);
    if (exception.has_value() && exception->deleted) return DISP_E_BADINDEX;
    *value = StoreAppointmentItem::CreateOccurrence(series_, original, true);
    return S_OK;
  });
}

}  // namespace kelvra::outlook
