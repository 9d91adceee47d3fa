// Overrides on import: a VEVENT with a RECURRENCE-ID changes or cancels one occurrence
// of the series of its uid in the same calendar. It becomes that occurrence's exception
// when the series was created from the calendar; otherwise, or when no occurrence starts
// at its RECURRENCE-ID, it is imported as an appointment of its own. Overrides written
// before their series wait for it until the calendar ends.
#include <string>
#include <utility>
#include <vector>

#include "addin/AsciiText.h"
#include "addin/BstrView.h"
#include "addin/CLogTimer.h"
#include "addin/LogComError.h"
#include "calendar/CvCalImport.h"

namespace {

constexpr const char* kTag = "CvCalImport::Overrides";

// The override's text where the occurrence's differs; an empty one changes nothing.
bool Differs(const std::basic_string<WCHAR>& text, const _bstr_t& current) {
  return !text.empty() && text != BstrView(current);
}

_bstr_t Wide(const std::basic_string<WCHAR>& text) { return _bstr_t(text.c_str()); }

}  // namespace

// ---------------------------------------------------------------------------------------
// The reader's part

void CvCalImport::doRECURRENCEID() {
  std::string zoneId;
  bool thisAndFuture = false;
  while (m_reader.NextParam()) {
    const std::string& name = m_reader.ParamName();
    if (name == "TZID") {
      zoneId = m_reader.GetParamValue();
    } else if (name == "RANGE") {
      thisAndFuture = AsciiText::IEquals(m_reader.GetParamValue(), "THISANDFUTURE");
    }
  }
  if (!m_reader.ReadValue(ContentLineReader::kNone)) return;
  const std::string text = _GetPropertyText();
  if (!_CheckDateForm(text, true)) return;
  if (zoneId.empty() || m_zones.find(zoneId) == m_zones.end()) zoneId = DefaultZoneKey;
  m_event.recurrenceId = {text, zoneId};
  if (thisAndFuture) {
    _LogLine("RANGE=THISANDFUTURE not supported: only the one occurrence is changed", true, LOG_WAR,
             1);
  }
}

void CvCalImport::doSTATUS() {
  if (_ReadPlainValue()) m_event.cancelled = AsciiText::IEquals(_GetPropertyText(), "CANCELLED");
}

// ---------------------------------------------------------------------------------------
// Calendars and series

int CvCalImport::_ReadCalendar() {
  m_overrides.clear();
  m_series.clear();
  const int result = ParseVCALENDAR();
  return result < 0 ? result : _EndCalendar();
}

int CvCalImport::_EndCalendar() {
  const std::vector<ParsedEvent> alone = std::move(m_overrides);
  m_overrides.clear();
  m_series.clear();
  for (const ParsedEvent& change : alone) {
    const int result =
        _AddOverrideAlone(change, "no series of its UID was imported from the calendar");
    if (result < 0) return result;
  }
  return 0;
}

int CvCalImport::_AddOverride() {
  const auto series = m_series.find(m_event.uid);
  if (series == m_series.end()) {
    m_overrides.push_back(m_event);
    return 0;
  }
  const CreatedSeries created = series->second;
  return _PlaceOverride(m_event, created);
}

int CvCalImport::_AddSeries() {
  const std::string uid = m_event.uid;
  // Only the series this event makes takes the overrides held for its uid.
  m_series.erase(uid);
  const int result = AddItem();
  const auto series = m_series.find(uid);
  if (result < 0 || series == m_series.end()) return result;
  const CreatedSeries created = series->second;
  std::vector<ParsedEvent> changes;
  std::vector<ParsedEvent> others;
  for (ParsedEvent& held : m_overrides)
    (held.uid == uid ? changes : others).push_back(std::move(held));
  m_overrides = std::move(others);
  for (const ParsedEvent& change : changes) {
    const int placed = _PlaceOverride(change, created);
    if (placed < 0) return placed;
  }
  return 0;
}

void CvCalImport::_NoteSeries() {
  if (m_event.rule.type == ParsedRule::kNone || m_event.uid.empty() ||
      !m_event.recurrenceId.text.empty())
    return;
  try {
    m_series[m_event.uid] = {m_newItem->GetEntryID(), _SeriesFrame(_IsAllDay())};
  } catch (const _com_error& error) {
    // The series stays as made; its overrides become appointments of their own.
    LogComError(kTag, error);
  }
}

// ---------------------------------------------------------------------------------------
// One override

int CvCalImport::_PlaceOverride(const ParsedEvent& change, const CreatedSeries& series) {
  std::string why;
  try {
    why = _ApplyOverride(change, series);
  } catch (const _com_error& error) {
    LogComError(kTag, error);
    why = "its series did not take the change";
  }
  if (!why.empty()) return _AddOverrideAlone(change, why);
  // Part of its series: no appointment of its own to count or to wait for.
  ++m_merged;
  m_progress.AddTotal(-1);
  return 0;
}

std::string CvCalImport::_ApplyOverride(const ParsedEvent& change, const CreatedSeries& series) {
  COleDateTime original;
  if (!_SeriesTime(change.recurrenceId, series.frame, original))
    return "its RECURRENCE-ID names no possible time";
  const Outlook::_AppointmentItemPtr item(m_folder->GetApplication()->GetSession()->GetItemFromID(
      series.entryId, _variant_t(m_folder->GetStoreID())));
  if (!item) return "its series cannot be opened";
  const Outlook::RecurrencePatternPtr pattern = item->GetRecurrencePattern();
  Outlook::_AppointmentItemPtr occurrence;
  try {
    occurrence = pattern->GetOccurrence(original.m_dt);
  } catch (const _com_error&) {
    // No occurrence starts then, or it is deleted already.
  }
  if (!occurrence) {
    if (!change.cancelled) return "no occurrence of its series starts then";
    // Also gone through an EXDATE of the series: nothing more to do.
    const Outlook::ExceptionsPtr exceptions = pattern->GetExceptions();
    for (long i = 1; i <= exceptions->GetCount(); ++i) {
      const Outlook::ExceptionPtr exception = exceptions->Item(_variant_t(i));
      if (exception->GetDeleted() != VARIANT_FALSE &&
          COleDateTime(exception->GetOriginalDate()) == original)
        return "";
    }
    return "no occurrence of its series starts then";
  }
  if (change.cancelled) {
    occurrence->Delete();
    return "";
  }
  _ChangeOccurrence(occurrence, change, series.frame);
  occurrence->Save();
  return "";
}

void CvCalImport::_ChangeOccurrence(const Outlook::_AppointmentItemPtr& occurrence,
                                    const ParsedEvent& change, const SeriesFrame& frame) {
  COleDateTime start;
  if (_SeriesTime(change.start, frame, start)) occurrence->PutStart(start.m_dt);
  COleDateTime end;
  if (!change.end.text.empty()) {
    if (_SeriesTime(change.end, frame, end)) occurrence->PutEnd(end.m_dt);
  } else if (change.duration != ParsedEvent::kNoDuration) {
    occurrence->PutDuration(change.duration);
  }
  if (Differs(change.summary, occurrence->GetSubject()))
    occurrence->PutSubject(Wide(change.summary));
  if (Differs(change.location, occurrence->GetLocation()))
    occurrence->PutLocation(Wide(change.location));
  if (Differs(change.description, occurrence->GetBody()))
    occurrence->PutBody(Wide(change.description));
}

int CvCalImport::_AddOverrideAlone(const ParsedEvent& change, const std::string& why) {
  g_LogTimer.War(kTag, 0,
                 "Override(UID=%s, RECURRENCE-ID=%s) in file(%s): %s; imported as an event of "
                 "its own",
                 change.uid.c_str(), change.recurrenceId.text.c_str(), m_fileName.c_str(),
                 why.c_str());
  m_event = change;
  return AddItem();
}
