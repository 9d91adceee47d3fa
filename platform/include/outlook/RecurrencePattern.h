// The recurrence pattern of an appointment series.
#pragma once

#include "outlook/AppointmentItem.h"

namespace Outlook {

// Each property has a raw accessor returning the HRESULT (implemented by the store
// and by test fakes) and a wrapper that raises _com_error when it fails. Every put
// leaves the series unsaved until its Save. testkit::FailCall names the members
// "RecurrencePattern.<property or method>".
//
// A new pattern (GetRecurrencePattern on a single appointment) is weekly, every
// week, on the weekday of the appointment's start, with day of month, month,
// instance, pattern start date and start time taken from that start, the
// appointment's duration, and no end. Setting RecurrenceType derives the fields the
// new type needs from the pattern start date. Dates and times are local.
//
// Invalid values fail with E_INVALIDARG and change nothing: a day-of-week mask of 0
// (or with bits beyond Saturday) for a weekly or nth-weekday type, Instance outside
// 1-5, DayOfMonth outside 1-31, MonthOfYear outside 1-12, a negative Interval or
// Duration, an Interval of 0 on other than a daily pattern, a PatternEndDate before
// the PatternStartDate (or a PatternStartDate after the end), Occurrences below 1 or
// more than the series can have, an unknown RecurrenceType.
struct RecurrencePattern : IDispatch {
  OlRecurrenceType GetRecurrenceType();
  void PutRecurrenceType(OlRecurrenceType value);
  // 0 on a daily pattern: every weekday.
  long GetInterval();
  void PutInterval(long value);
  OlDaysOfWeek GetDayOfWeekMask();
  void PutDayOfWeekMask(OlDaysOfWeek value);
  long GetDayOfMonth();
  void PutDayOfMonth(long value);
  // 1-5, 5 = the last.
  long GetInstance();
  void PutInstance(long value);
  long GetMonthOfYear();
  void PutMonthOfYear(long value);
  // Date only (midnight).
  DATE GetPatternStartDate();
  void PutPatternStartDate(DATE value);
  // Date only; 4501-01-01 (949998.0) while the series has no end.
  DATE GetPatternEndDate();
  // Ends the series on that date (NoEndDate false).
  void PutPatternEndDate(DATE value);
  VARIANT_BOOL GetNoEndDate();
  // True drops the end (occurrences 0, end "no date").
  void PutNoEndDate(VARIANT_BOOL value);
  // 0 while the series has no end.
  long GetOccurrences();
  // Ends the series after that many occurrences (NoEndDate false).
  void PutOccurrences(long value);
  // The occurrences' start time of day (the date part is 1899-12-30).
  DATE GetStartTime();
  void PutStartTime(DATE value);
  // The occurrences' end time of day: StartTime + Duration.
  DATE GetEndTime();
  // Minutes each occurrence lasts.
  long GetDuration();
  void PutDuration(long minutes);
  ExceptionsPtr GetExceptions();
  // The occurrence whose original start is that local date-time (to the second);
  // DISP_E_BADINDEX (0x8002000B) when the series has none there, or it was deleted.
  _AppointmentItemPtr GetOccurrence(DATE start);

  virtual HRESULT STDMETHODCALLTYPE get_RecurrenceType(OlRecurrenceType* value) = 0;
  virtual HRESULT STDMETHODCALLTYPE put_RecurrenceType(OlRecurrenceType value) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_Interval(long* value) = 0;
  virtual HRESULT STDMETHODCALLTYPE put_Interval(long value) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_DayOfWeekMask(OlDaysOfWeek* value) = 0;
  virtual HRESULT STDMETHODCALLTYPE put_DayOfWeekMask(OlDaysOfWeek value) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_DayOfMonth(long* value) = 0;
  virtual HRESULT STDMETHODCALLTYPE put_DayOfMonth(long value) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_Instance(long* value) = 0;
  virtual HRESULT STDMETHODCALLTYPE put_Instance(long value) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_MonthOfYear(long* value) = 0;
  virtual HRESULT STDMETHODCALLTYPE put_MonthOfYear(long value) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_PatternStartDate(DATE* value) = 0;
  virtual HRESULT STDMETHODCALLTYPE put_PatternStartDate(DATE value) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_PatternEndDate(DATE* value) = 0;
  virtual HRESULT STDMETHODCALLTYPE put_PatternEndDate(DATE value) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_NoEndDate(VARIANT_BOOL* value) = 0;
  virtual HRESULT STDMETHODCALLTYPE put_NoEndDate(VARIANT_BOOL value) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_Occurrences(long* value) = 0;
  virtual HRESULT STDMETHODCALLTYPE put_Occurrences(long value) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_StartTime(DATE* value) = 0;
  virtual HRESULT STDMETHODCALLTYPE put_StartTime(DATE value) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_EndTime(DATE* value) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_Duration(long* value) = 0;
  virtual HRESULT STDMETHODCALLTYPE put_Duration(long value) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_Exceptions(Exceptions** value) = 0;
  virtual HRESULT STDMETHODCALLTYPE raw_GetOccurrence(DATE start, _AppointmentItem** value) = 0;
};

}  // namespace Outlook

#include "outlook/Exceptions.h"
