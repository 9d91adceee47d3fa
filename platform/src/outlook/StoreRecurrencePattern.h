// The recurrence pattern of a series over its store item, read from the item at
// every call. The item keeps the pattern in the series' wall clock; this object
// shows and takes local times.
#pragma once

#include <functional>

#include "outlook/RecurrencePattern.h"
#include "outlook/StandInObject.h"
#include "store/Nodes.h"
#include "store/Recurrence.h"

namespace kelvra::outlook {

class StoreRecurrencePattern : public StandInObject<Outlook::RecurrencePattern> {
 public:
  // A new object with a reference for the caller; the series has a pattern.
  static Outlook::RecurrencePattern* Create(store::ItemPtr series);

  STDMETHODIMP get_RecurrenceType(Outlook::OlRecurrenceType* value) override;
  STDMETHODIMP put_RecurrenceType(Outlook::OlRecurrenceType value) override;
  STDMETHODIMP get_Interval(long* value) override;
  STDMETHODIMP put_Interval(long value) override;
  STDMETHODIMP get_DayOfWeekMask(Outlook::OlDaysOfWeek* value) override;
  STDMETHODIMP put_DayOfWeekMask(Outlook::OlDaysOfWeek value) override;
  STDMETHODIMP get_DayOfMonth(long* value) override;
  STDMETHODIMP put_DayOfMonth(long value) override;
  STDMETHODIMP get_Instance(long* value) override;
  STDMETHODIMP put_Instance(long value) override;
  STDMETHODIMP get_MonthOfYear(long* value) override;
  STDMETHODIMP put_MonthOfYear(long value) override;
  STDMETHODIMP get_PatternStartDate(DATE* value) override;
  STDMETHODIMP put_PatternStartDate(DATE value) override;
  STDMETHODIMP get_PatternEndDate(DATE* value) override;
  STDMETHODIMP put_PatternEndDate(DATE value) override;
  STDMETHODIMP get_NoEndDate(VARIANT_BOOL* value) override;
  STDMETHODIMP put_NoEndDate(VARIANT_BOOL value) override;
  STDMETHODIMP get_Occurrences(long* value) override;
  STDMETHODIMP put_Occurrences(long value) override;
  STDMETHODIMP get_StartTime(DATE* value) override;
  STDMETHODIMP put_StartTime(DATE value) override;
  STDMETHODIMP get_EndTime(DATE* value) override;
  STDMETHODIMP get_Duration(long* value) override;
  STDMETHODIMP put_Duration(long value) override;
  STDMETHODIMP get_Exceptions(Outlook::Exceptions** value) override;
  STDMETHODIMP raw_GetOccurrence(DATE start, Outlook::_AppointmentItem** value) override;

 private:
  explicit StoreRecurrencePattern(store::ItemPtr series) : series_(std::move(series)) {}

  using Reader = std::function<HRESULT(const store::RecurrencePattern&)>;
  using Changer = std::function<bool(store::RecurrencePattern&)>;
  // Runs read over the pattern; E_FAIL once the series has none.
  HRESULT Read(const char* member, const Reader& read) const;
  // Runs change over a copy and stores it; E_INVALIDARG (nothing stored) when
  // change answers false.
  HRESULT Change(const char* member, const Changer& change);
  // The first occurrence's local start.
  DATE LocalFirstStart(const store::RecurrencePattern& pattern) const;
  // The pattern start date and time of day a local first start gives.
  void SetFirstStart(store::RecurrencePattern& pattern, DATE local) const;

  store::ItemPtr series_;
};

}  // namespace kelvra::outlook
