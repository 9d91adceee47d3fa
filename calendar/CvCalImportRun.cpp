// The import wizard's run: the pages, the files, and for every event the filter, the
// duplicate rule and the new appointment.
#include <algorithm>
#include <cctype>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "addin/AsciiText.h"
#include "addin/CLang.h"
#include "addin/CLib.h"
#include "addin/CLogTimer.h"
#include "addin/CMultiPath.h"
#include "addin/LinkCommands.h"
#include "addin/LogComError.h"
#include "calendar/AppointmentTimezone.h"
#include "calendar/CDlgVCalImport.h"
#include "calendar/CDlgVCalImportFilter.h"
#include "calendar/CDlgVCalImportFinish.h"
#include "calendar/CalendarFilterRules.h"
#include "calendar/CvCalImport.h"
#include "calendar/SystemTimezone.h"
#include "calendar/TimezoneRules.h"
#include "contacts/DovantCharConverter.h"
#include "contacts/FormatNumbered.h"
#include "resource.h"
#include "win32/files.h"
#include "win32/nls.h"
#include "win32/owners.h"

namespace {

constexpr const char* kExecute = "CvCalImport::Execute";
constexpr const char* kFilterItem = "CvCalImport::FilterItem";
constexpr const char* kCreateItem = "CvCalImport::CreateItem_";
constexpr const char* kResolveConflict = "CvCalImport::_ResolveConflict";
constexpr const char* kMeetingSet = "{6ED8DA90-450B-101B-98DA-00AA003F1305}";
constexpr long kGlobalObjectId = 3;
constexpr long kCleanGlobalObjectId = 35;
constexpr long kPtBinary = 0x0102;
constexpr long kSenderEmailAddress = 0x0C1F001E;
constexpr int kDayMinutes = 1440;
constexpr int kDefaultPeriodMinutes = 30;
constexpr int kLabels = 10;
// Absolute alarms before this year are placeholders for none.
constexpr int kFirstAlarmYear = 1980;

std::string Narrow(const _bstr_t& text) {
  const char* chars = text;
  return chars ? chars : "";
}

_bstr_t Wide(const std::basic_string<WCHAR>& text) { return _bstr_t(text.c_str()); }

bool IsDateOnly(const std::string& text) { return text.size() == 8; }

// Whole seconds, so that dates read apart compare equal.
COleDateTime WholeSeconds(const COleDateTime& date) {
  if (date.GetStatus() != COleDateTime::valid) return date;
  return COleDateTime(date.GetYear(), date.GetMonth(), date.GetDay(), date.GetHour(),
                      date.GetMinute(), date.GetSecond());
}

bool IsMidnight(const COleDateTime& date) {
  return date.GetHour() == 0 && date.GetMinute() == 0 && date.GetSecond() == 0;
}

// A value for a Restrict condition, in apostrophes, an apostrophe inside written twice.
std::string Quoted(const std::string& value) {
  std::string text = "'";
  for (const char c : value) {
    text += c;
    if (c == '\'') text += '\'';
  }
  return text + "'";
}

// A time that could not be had, as one that no comparison holds for.
COleDateTime Known(bool known, COleDateTime date) {
  if (!known) date.SetStatus(COleDateTime::invalid);
  return date;
}

// The event's rule as the new series' pattern will hold it, for the date window: the
// end by count, by the rule's end date in local time, or the format's default.
std::optional<SeriesWindow::Rule> SeriesRuleOf(CvCalImport& importer) {
  const ParsedEvent& event = importer.CurrentEvent();
  const ParsedRule& parsed = event.rule;
  if (parsed.type == ParsedRule::kNone) return std::nullopt;
  SeriesWindow::Rule rule;
  rule.type = parsed.type;
  rule.interval = parsed.interval;
  rule.dayMask = parsed.dayMask;
  rule.dayOfMonth = parsed.dayOfMonth;
  rule.instance = parsed.instance;
  rule.monthOfYear = parsed.monthOfYear;
  COleDateTime endDate;
  if (parsed.occurrences >= 0) {
    rule.occurrences = parsed.occurrences;
  } else if (!parsed.endDate.empty() &&
             importer.ToDate(
                 parsed.endDate, event.start.zoneId, endDate,
                 IsDateOnly(parsed.endDate) ? CvCalImport::kAsWritten : CvCalImport::kToLocal,
                 "")) {
    rule.lastDay = endDate;
  } else if (importer.Format() == CvCalImport::kVCal10) {
    rule.occurrences = 2;
  }
  return rule;
}

}  // namespace

// What the pages chose for the run.
struct CvCalImport::Choices {
  Outlook::MAPIFolderPtr folder;
  std::string files;
  int conflict = kImportAll;
  TimezoneStruct zone{};
  std::string zoneName;
  CvCalFilter filter;
};

int CvCalImport::Execute(Outlook::_Application* app, HKEY* optionsKey, HWND parent) {
  if (!app) {
    g_LogTimer.Err(kExecute, 0, "no Outlook application");
    return -1;
  }
  m_created = m_skipped = m_errors = m_merged = 0;
  if (!m_mapiUtils) g_LogTimer.Err("CvCalImport", 0, "Cant Create Redemption.MAPIUtils");
  Choices choices;
  if (!_RunPages(app, optionsKey, parent, choices)) return 0;
  m_folder = choices.folder;
  m_conflict = choices.conflict;
  m_filter = choices.filter;
  SetDefaultZone(choices.zone);
  m_defaultZoneName = choices.zoneName;
  int events = 0;
  const std::vector<std::string> files = _QueueFiles(choices.files, events);
  if (files.empty()) {
    MessageBoxA(parent, g_Lang.GetText("IDS_ERR_IMPORT_VCAL_FILES_NOT_FOUND").c_str(),
                g_Lang.GetText("IDS_APP_TITLE").c_str(), MB_ICONEXCLAMATION);
    m_folder = nullptr;
    return 0;
  }
  if (!m_progress.Start(parent, IDD_VCAL_IMPORT_PROGRESS)) {
    g_LogTimer.Err(kExecute, 0, "progress dialog cannot start");
    m_folder = nullptr;
    return 0;
  }
  m_progress.SetName(g_Lang.GetText("IDS_PROGR_IMPORT").c_str());
  m_progress.SetTotal(events);
  for (const std::string& file : files) {
    if (_ImportFile(file.c_str()) < 0) {
      m_skipped = std::max(0, events - m_created - m_errors - m_merged);
      break;
    }
  }
  m_progress.Close();
  {
    CDlgVCalImportFinish finish(optionsKey, static_cast<int>(files.size()),
                                m_created + m_errors + m_skipped, m_created, m_errors, m_skipped,
                                m_folder);
    finish.DoModal(parent);
  }
  m_folder = nullptr;
  return 0;
}

bool CvCalImport::_RunPages(Outlook::_Application* app, HKEY* optionsKey, HWND parent,
                            Choices& choices) {
  for (;;) {
    bool gotoFilter = false;
    {
      CDlgVCalImport page(app, optionsKey, choices.folder);
      if (page.DoModal(parent) != IDOK) return false;
      choices.folder = page.m_folder;
      choices.files = page.m_files;
      choices.conflict = page.m_conflict;
      choices.zone = page.m_zone;
      choices.zoneName = page.m_zoneName;
      gotoFilter = page.m_gotoFilter;
    }
    choices.filter = CvCalFilter{};
    if (!gotoFilter) return true;
    CDlgVCalImportFilter filter(app, optionsKey);
    const INT_PTR result = filter.DoModal(parent);
    if (result == -1) g_LogTimer.Err(kExecute, static_cast<int>(GetLastError()), "GetLastError");
    choices.filter = filter.GetFilter();
    if (result == IDOK) return true;
    if (result != IDBACK) return false;
  }
}

std::vector<std::string> CvCalImport::_QueueFiles(const std::string& text, int& events) {
  CMultiPath paths;
  paths.Parse(text.c_str(), false);
  std::vector<std::string> files;
  events = 0;
  const auto queue = [&](const std::string& path) {
    files.push_back(path);
    events += _CountEvents(path.c_str());
  };
  for (int i = 0; i < paths.GetCount(); ++i) {
    const std::string& path = paths.GetAt(i);
    if (!PathIsDirectoryA(path.c_str())) {
      queue(path);
      continue;
    }
    const std::string folder = path.back() == '\\' || path.back() == '/' ? path : path + "\\";
    WIN32_FIND_DATAA found{};
    const UniqueFind search(FindFirstFileA((folder + "*.?cs").c_str(), &found));
    if (!search) continue;
    do {
      const char kind = static_cast<char>(std::tolower(static_cast<unsigned char>(
          std::string(found.cFileName).substr(std::string(found.cFileName).rfind('.') + 1)[0])));
      if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && (kind == 'i' || kind == 'v'))
        queue(folder + found.cFileName);
    } while (FindNextFileA(search.Get(), &found));
  }
  return files;
}

int CvCalImport::_CountEvents(const char* fileName) {
  const UniqueFile file(CreateFileA(fileName, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file || !_ReadFile(file.Get(), fileName)) return 0;
  int count = 0;
  bool inCalendar = false;
  bool inEvent = false;
  while (m_reader.NextProperty()) {
    const std::string name = AsciiText::Uppercase(m_reader.Name());
    m_reader.ReadValue(ContentLineReader::kNone);
    std::string value = AsciiText::Uppercase(m_reader.Value());
    value.erase(value.find_last_not_of(" \t") + 1);
    if (name == "BEGIN" && value == "VCALENDAR") inCalendar = true;
    if (!inCalendar) continue;
    if (name == "BEGIN" && value == "VEVENT") inEvent = true;
    if (name == "END" && value == "VEVENT" && inEvent) {
      ++count;
      inEvent = false;
    }
    if (name == "END" && value == "VCALENDAR") inCalendar = inEvent = false;
  }
  LoadBytes(nullptr, 0, nullptr);
  return count;
}

int CvCalImport::_ImportFile(const char* fileName) {
  const UniqueFile file(CreateFileA(fileName, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) {
    const DWORD error = GetLastError();
    const std::string text = FormatNumbered(g_Lang.GetText("IDS_ERR_CANNOT_OPEN_FILE"), {fileName});
    const int answer =
        MessageBoxA(GetActiveWindow(), text.c_str(), g_Lang.GetText("IDS_ERR_TITLE").c_str(),
                    MB_OKCANCEL | MB_ICONEXCLAMATION);
    if (answer != IDCANCEL) return 0;
    // Cancel stops the run even when Windows gave no error code.
    return error != 0 ? HRESULT_FROM_WIN32(error) : E_FAIL;
  }
  // The name decides the format; the NULs were logged when the events were counted.
  if (!_ReadFile(file.Get(), fileName, false)) return 0;
  const int result = Parse();
  if (result == 0 && m_eventsInFile == 0) {
    g_LogTimer.War("CvCalImport::_ImportFile", 0, "File(%s) holds no calendar event", fileName);
  }
  LoadBytes(nullptr, 0, nullptr);
  return result;
}

// --- One event --------------------------------------------------------------------------

int CvCalImport::_AddEvent() {
  if (m_event.badStart) {
    // Without a start there is no appointment to make: the event failed.
    ++m_errors;
    return 0;
  }
  if (!m_event.recurrenceId.text.empty()) return _AddOverride();
  if (m_event.rule.type != ParsedRule::kNone) return _AddSeries();
  const std::vector<CalExtraDate> periods = m_event.extraDates;
  if (!m_event.SplitsIntoPeriods()) return AddItem();
  m_progress.AddTotal(static_cast<int>(periods.size()) - 1);
  for (const CalExtraDate& period : periods) {
    m_event.start = {period.text, period.zoneId};
    m_event.end = {};
    m_event.duration = kDefaultPeriodMinutes;
    if (!period.endText.empty()) {
      m_event.end = {period.endText, period.zoneId};
    } else {
      int minutes = 0;
      if (_ParseDuration(period.durationText, minutes) && minutes >= 0) m_event.duration = minutes;
    }
    const int result = AddItem();
    if (result < 0) return result;
  }
  return 0;
}

int CvCalImport::AddItem() {
  try {
    if (!FilterItem()) {
      ++m_skipped;
      return 0;
    }
    return _ResolveConflict();
  } catch (const _com_error& error) {
    _LogAddItem("CvCalImport::AddItem", &error);
  } catch (...) {
    _LogAddItem("CvCalImport::AddItem", nullptr);
  }
  // Counted, so that the finish page's numbers add up.
  ++m_errors;
  m_newItem = nullptr;
  m_duplicate = nullptr;
  return 0;
}

void CvCalImport::_LogAddItem(const char* function, const _com_error* error) const {
  if (error != nullptr) {
    g_LogTimer.Err(function, error->Error(), "_com_error(%s), file(%s)",
                   Narrow(error->Description()).c_str(), m_fileName.c_str());
  } else {
    g_LogTimer.Err(function, 0, "CATCHED EXCEPTION! file(%s)", m_fileName.c_str());
  }
}

void CvCalImport::_LocalTimes(COleDateTime& start, bool& haveStart, COleDateTime& end,
                              bool& haveEnd) {
  // As the appointment made of the event will show them.
  const SeriesFrame frame = _SeriesFrame(_IsAllDay());
  const auto convert = [this, &frame](const CalDateText& date, COleDateTime& result) {
    return _SeriesTime(date, frame, result);
  };
  haveStart = convert(m_event.start, start);
  haveEnd = false;
  if (!m_event.end.text.empty()) {
    haveEnd = convert(m_event.end, end);
  } else if (haveStart && m_event.duration != ParsedEvent::kNoDuration) {
    end = start + COleDateTimeSpan(0, 0, m_event.duration, 0);
    haveEnd = true;
  }
}

bool CvCalImport::FilterItem() {
  const DWORD mask = m_filter.mask;
  if (mask == 0) return true;
  if ((mask & (CvCalFilter::kSkipAllDay | CvCalFilter::kDates)) != 0) {
    COleDateTime start, end;
    bool haveStart = false, haveEnd = false;
    _LocalTimes(start, haveStart, end, haveEnd);
    if ((mask & CvCalFilter::kDates) != 0) {
      // A series counts by its occurrences: its start and end are those of the first.
      const std::optional<SeriesWindow::Rule> series = SeriesRuleOf(*this);
      if (CalendarFilterRules::DatesLeaveOut(m_filter, Known(haveStart, start), Known(haveEnd, end),
                                             series ? &*series : nullptr))
        return false;
    }
    if ((mask & CvCalFilter::kSkipAllDay) != 0 && haveStart && haveEnd) {
      const COleDateTimeSpan span = end - start;
      if (span.GetStatus() != COleDateTimeSpan::valid) {
        g_LogTimer.Err(kFilterItem, 0, "cant calc date difference (%s - %s)",
                       m_event.end.text.c_str(), m_event.start.text.c_str());
      } else if (span.GetTotalDays() >= 1 && span.GetHours() == 0 && span.GetMinutes() == 0 &&
                 span.GetSeconds() == 0) {
        return false;
      }
    }
  }
  if ((mask & CvCalFilter::kSkipNotNormal) != 0 &&
      m_event.sensitivity != ParsedEvent::kSensitivityNormal)
    return false;
  if (CalendarFilterRules::CategoriesLeaveOut(m_filter, Narrow(Wide(m_event.categories)),
                                              kFilterItem))
    return false;
  if (CalendarFilterRules::LabelsLeaveOut(
          m_filter, [this] { return _SummaryHasLabel(); }, kFilterItem, "filter.LabelMask empty"))
    return false;
  return true;
}

bool CvCalImport::_SummaryHasLabel() {
  const std::string summary = AsciiText::Uppercase(Narrow(Wide(m_event.summary)));
  if (summary.empty()) return false;
  for (int n = 1; n <= kLabels; ++n) {
    if ((m_filter.LabelMask & (1UL << (n - 1))) == 0) continue;
    const std::string label =
        AsciiText::Uppercase(g_Lang.GetText(("IDS_EVENT_LABEL" + std::to_string(n)).c_str()));
    if (label.empty()) {
      g_LogTimer.War(kFilterItem, 0, "Cant load label from resources");
      continue;
    }
    if (summary.find(label) != std::string::npos) return true;
  }
  return false;
}

int CvCalImport::_ResolveConflict() {
  m_duplicate = nullptr;
  if (m_conflict == kReplace || m_conflict == kKeep) _FindDuplicate();
  if (m_conflict == kKeep && m_duplicate) {
    ++m_skipped;
    m_duplicate = nullptr;
    return 0;
  }
  if (!CreateItem()) {
    ++m_errors;
    m_duplicate = nullptr;
    return 0;
  }
  try {
    m_newItem->Save();
  } catch (...) {
    // A series stands in the folder once its exceptions are made: left there, it would
    // lack what came after them, and a later import keeping duplicates would skip the
    // event for good.
    _DiscardNewItem();
    throw;
  }
  if (m_conflict == kReplace && m_duplicate && !_ReplaceDuplicate()) {
    ++m_errors;
    m_duplicate = nullptr;
    return 0;
  }
  ++m_created;
  _NoteSeries();
  m_newItem = nullptr;
  m_duplicate = nullptr;
  m_progress.Step();
  if (m_progress.m_bCancel) return -1;
  if (m_progress.IsHelpPressed()) g_Lib.ShowContextHelp(help_topics::kImportEvents);
  return 0;
}

bool CvCalImport::_ReplaceDuplicate() {
  try {
    m_duplicate->Delete();
    return true;
  } catch (const _com_error& error) {
    g_LogTimer.Err(kResolveConflict, error.Error(),
                   "the appointment to replace cannot be deleted (%s), file(%s)",
                   Narrow(error.Description()).c_str(), m_fileName.c_str());
  }
  // Kept, the new appointment would stand beside the old one.
  _DiscardNewItem();
  return false;
}

std::string CvCalImport::_FormatRestrictTime(const COleDateTime& date) const {
  COleDateTime minute = date + COleDateTimeSpan(0, 0, 0, 30);
  minute = COleDateTime(minute.GetYear(), minute.GetMonth(), minute.GetDay(), minute.GetHour(),
                        minute.GetMinute(), 0);
  SYSTEMTIME time{};
  minute.GetAsSystemTime(time);
  char day[64] = {};
  GetDateFormatA(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &time, nullptr, day, sizeof day);
  char clock[32];
  const int hour12 = minute.GetHour() % 12 == 0 ? 12 : minute.GetHour() % 12;
  std::snprintf(clock, sizeof clock, " %02d:%02d %s", hour12, minute.GetMinute(),
                minute.GetHour() < 12 ? "AM" : "PM");
  return std::string(day) + clock;
}

bool CvCalImport::_FindDuplicate() {
  COleDateTime start, end;
  bool haveStart = false, haveEnd = false;
  _LocalTimes(start, haveStart, end, haveEnd);
  if (!haveStart || !m_folder) return false;
  std::string filter = "[Start] = " + Quoted(_FormatRestrictTime(start));
  if (haveEnd) filter += " And [End] = " + Quoted(_FormatRestrictTime(end));
  filter += " And [Subject] = " + Quoted(Narrow(Wide(m_event.summary)));
  Outlook::_ItemsPtr found;
  try {
    found = m_folder->GetItems()->Restrict(_bstr_t(filter.c_str()));
  } catch (const _com_error& error) {
    LogComError("CvCalImport::_FindDuplicate", error);
    return false;
  }
  const long count = found ? found->GetCount() : 0;
  for (long i = 1; i <= count && !m_duplicate; ++i)
    m_duplicate = Outlook::_AppointmentItemPtr(found->Item(_variant_t(i)));
  return static_cast<bool>(m_duplicate);
}

// --- The new appointment --------------------------------------------------------------

bool CvCalImport::CreateItem() {
  try {
    if (CreateItem_()) return true;
  } catch (const _com_error& error) {
    _LogAddItem("CvCalImport::CreateItem", &error);
  } catch (...) {
    _LogAddItem("CvCalImport::CreateItem", nullptr);
  }
  _DiscardNewItem();
  return false;
}

void CvCalImport::_DiscardNewItem() {
  // An appointment saved on the way (by the exceptions or the zone) is not left behind.
  if (m_newItem) {
    try {
      if (m_newItem->GetEntryID().length() > 0) {
        m_newItem->Delete();
        g_LogTimer.Err("CvCalImport::CreateItem", 0, "the new appointment was deleted again");
      }
    } catch (const _com_error& error) {
      LogComError("CvCalImport::CreateItem", error);
    }
  }
  m_newItem = nullptr;
}

bool CvCalImport::CreateItem_() {
  m_newItem = nullptr;
  try {
    m_newItem = Outlook::_AppointmentItemPtr(m_folder->GetItems()->Add(_variant_t(1L)));
  } catch (const _com_error& error) {
    LogComError(kCreateItem, error);
  }
  if (!m_newItem) return false;
  const bool recurring = m_event.rule.type != ParsedRule::kNone;
  const bool allDay = _IsAllDay();
  const SeriesFrame frame = _SeriesFrame(allDay);
  const int mode = frame.mode;
  const std::string& target = frame.target;
  const bool ownZone = frame.ownZone;
  const long reminder = _SetTimes(mode, target);
  if (allDay) m_newItem->PutAllDayEvent(VARIANT_TRUE);
  m_newItem->PutSensitivity(static_cast<Outlook::OlSensitivity>(m_event.sensitivity));
  m_newItem->PutImportance(static_cast<Outlook::OlImportance>(m_event.importance));
  m_newItem->PutBusyStatus(static_cast<Outlook::OlBusyStatus>(m_event.busyStatus));
  if (!m_event.categories.empty()) m_newItem->PutCategories(Wide(m_event.categories));
  if (!m_event.description.empty()) m_newItem->PutBody(Wide(m_event.description));
  if (!m_event.summary.empty()) m_newItem->PutSubject(Wide(m_event.summary));
  if (!m_event.location.empty()) m_newItem->PutLocation(Wide(m_event.location));
  if (!m_event.resources.empty()) m_newItem->PutResources(Wide(m_event.resources));
  if (recurring) _SetRecurrence(mode, target);
  _SetReminder(reminder, recurring, ownZone ? target : std::string());
  if (ownZone) _SetZone(target);
  if (!m_event.uid.empty()) _SetMeetingUID(true);
  _SetOrganizer();
  if (!m_event.attendees.empty()) {
    const Outlook::RecipientsPtr recipients = m_newItem->GetRecipients();
    for (const std::basic_string<WCHAR>& attendee : m_event.attendees)
      recipients->Add(Wide(attendee));
    m_newItem->PutMeetingStatus(Outlook::olMeeting);
  }
  return true;
}

std::string CvCalImport::_EventZone() const {
  return m_zones.count(m_event.start.zoneId) != 0 ? m_event.start.zoneId : DefaultZoneKey;
}

bool CvCalImport::_ToItemTime(const std::string& text, const std::string& zoneId,
                              COleDateTime& result, int mode, const std::string& target) {
  // A date alone is a day, whatever the zone: it is never converted.
  if (!ToDate(text, zoneId, result, IsDateOnly(text) ? kAsWritten : mode, target)) return false;
  result = WholeSeconds(result);
  return true;
}

bool CvCalImport::_IsAllDay() {
  const CalDateText& start = m_event.start;
  const CalDateText& end = m_event.end;
  if (IsDateOnly(start.text))
    return IsDateOnly(end.text) || (end.text.empty() && m_event.duration == kDayMinutes);
  // vCalendar 1.0 has no form of its own for a day: there a day is an event from a
  // midnight of its zone that lasts whole days.
  if (m_format != kVCal10) return false;
  const SeriesFrame frame = _DayFrame();
  COleDateTime first, last;
  if (!_FrameTime(start, frame, first) || !IsMidnight(first)) return false;
  if (!end.text.empty()) {
    if (!_FrameTime(end, frame, last)) return false;
  } else if (m_event.duration != ParsedEvent::kNoDuration) {
    last = first + COleDateTimeSpan(0, 0, m_event.duration, 0);
  } else {
    return false;
  }
  return last > first && IsMidnight(last);
}

long CvCalImport::_SetTimes(int mode, const std::string& target) {
  const auto convert = [&](const std::string& text, const std::string& zone, COleDateTime& result) {
    return _ToItemTime(text, zone, result, mode, target);
  };
  COleDateTime start;
  const bool haveStart = convert(m_event.start.text, m_event.start.zoneId, start);
  if (haveStart) m_newItem->PutStart(start.m_dt);
  COleDateTime end;
  bool haveEnd = false;
  if (!m_event.end.text.empty()) {
    haveEnd = convert(m_event.end.text, m_event.end.zoneId, end);
    if (haveEnd) m_newItem->PutEnd(end.m_dt);
  } else if (m_event.duration != ParsedEvent::kNoDuration) {
    m_newItem->PutDuration(m_event.duration);
  }
  return haveStart ? _ReminderMinutes(start, mode, target) : -1;
}

long CvCalImport::_ReminderMinutes(const COleDateTime& start, int mode, const std::string& target) {
  if (m_event.reminderOffset <= 0) {
    long minutes = -m_event.reminderOffset;
    if (m_event.reminderFromEnd) {
      // Outlook reminds before the start only: a reminder later than that comes at it.
      const COleDateTimeSpan length = COleDateTime(m_newItem->GetEnd()) - start;
      minutes = std::max(0L, minutes - static_cast<long>(length.GetTotalMinutes()));
    }
    return minutes;
  }
  COleDateTime alarm;
  if (!_ToItemTime(m_event.alarmTime, m_event.start.zoneId, alarm, mode, target)) return -1;
  // Some programs write an alarm long past for "no alarm".
  if (alarm < COleDateTime(kFirstAlarmYear, 1, 1, 0, 0, 0)) return -1;
  return static_cast<long>((start - alarm).GetTotalMinutes());
}

void CvCalImport::_SetReminder(long minutes, bool recurring, const std::string& ownZone) {
  COleDateTime now = COleDateTime::GetCurrentTime();
  // A series bound for a zone of its own shows that zone's times until it gets it.
  const auto zone = m_zones.find(ownZone);
  if (zone != m_zones.end()) now = LocalToZoneTime(now, zone->second);
  bool ahead = COleDateTime(m_newItem->GetStart()) >= now;
  // A series that began in the past still has occurrences to remind of while it runs:
  // the last one begins at the series' time on its end date.
  if (!ahead && recurring) {
    const Outlook::RecurrencePatternPtr pattern = m_newItem->GetRecurrencePattern();
    const COleDateTime day(pattern->GetPatternEndDate());
    const COleDateTime time(pattern->GetStartTime());
    ahead = pattern->GetNoEndDate() != VARIANT_FALSE ||
            COleDateTime(day.GetYear(), day.GetMonth(), day.GetDay(), time.GetHour(),
                         time.GetMinute(), time.GetSecond()) >= now;
  }
  const bool on = minutes >= 0 && ahead;
  m_newItem->PutReminderSet(on ? VARIANT_TRUE : VARIANT_FALSE);
  if (on) m_newItem->PutReminderMinutesBeforeStart(minutes);
}

void CvCalImport::_SetRecurrence(int mode, const std::string& target) {
  const ParsedRule& rule = m_event.rule;
  const Outlook::RecurrencePatternPtr pattern = m_newItem->GetRecurrencePattern();
  pattern->PutRecurrenceType(static_cast<Outlook::OlRecurrenceType>(rule.type));
  const auto set = [](int value, auto&& put) {
    if (value > 0) put(value);
  };
  const bool interval = rule.type == ParsedRule::kDaily || rule.type == ParsedRule::kWeekly ||
                        rule.type == ParsedRule::kMonthly || rule.type == ParsedRule::kMonthNth;
  if (interval) set(rule.interval, [&](int v) { pattern->PutInterval(v); });
  if (rule.type == ParsedRule::kWeekly || rule.type == ParsedRule::kMonthNth ||
      rule.type == ParsedRule::kYearNth)
    set(rule.dayMask,
        [&](int v) { pattern->PutDayOfWeekMask(static_cast<Outlook::OlDaysOfWeek>(v)); });
  if (rule.type == ParsedRule::kMonthly || rule.type == ParsedRule::kYearly)
    set(rule.dayOfMonth, [&](int v) { pattern->PutDayOfMonth(v); });
  if (rule.type == ParsedRule::kMonthNth || rule.type == ParsedRule::kYearNth)
    set(rule.instance, [&](int v) { pattern->PutInstance(v); });
  if (rule.type == ParsedRule::kYearly || rule.type == ParsedRule::kYearNth)
    set(rule.monthOfYear, [&](int v) { pattern->PutMonthOfYear(v); });
  COleDateTime endDate;
  if (rule.occurrences == 0) {
    pattern->PutNoEndDate(VARIANT_TRUE);
  } else if (rule.occurrences > 0) {
    pattern->PutOccurrences(rule.occurrences);
  } else if (!rule.endDate.empty() &&
             _ToItemTime(rule.endDate, m_event.start.zoneId, endDate, mode, target)) {
    pattern->PutPatternEndDate(endDate.m_dt);
  } else if (m_format == kVCal10) {
    pattern->PutOccurrences(2);
  } else {
    pattern->PutNoEndDate(VARIANT_TRUE);
  }
  try {
    CreateExceptions(mode, target);
  } catch (...) {
    g_LogTimer.Err(kCreateItem, 0, "CreateExceptions raise exception");
  }
}

void CvCalImport::_SetZone(const std::string& target) {
  const auto zone = m_zones.find(target);
  if (zone == m_zones.end() || IsSystemTimezone(zone->second)) return;
  std::string name = target;
  if (target == DefaultZoneKey) {
    name = m_defaultZoneName;
  } else if (target == kVCalZoneId) {
    const long bias = zone->second.Bias;
    char text[24];
    std::snprintf(text, sizeof text, "(GMT%c%02ld:%02ld)", bias > 0 ? '-' : '+',
                  std::labs(bias) / 60, std::labs(bias) % 60);
    name = text;
  }
  try {
    if (m_newItem->GetSaved() == VARIANT_FALSE) m_newItem->Save();
    const int result =
        SetAppointmentTimezone(m_newItem, m_mapiUtils, zone->second, _bstr_t(name.c_str()));
    if (result < 0) g_LogTimer.Err(kCreateItem, result, "SetAppointmentTimezone failed");
  } catch (...) {
    g_LogTimer.Err(kCreateItem, 0, "SetAppointmentTimezone raise exception");
  }
}

void CvCalImport::_SetMeetingUID(bool clean) {
  if (!m_mapiUtils) return;
  // Outlook's meeting ids are hexadecimal; other programs' UIDs ("abc@host") have no
  // binary form, and the event is worth more than its id.
  const std::string& uid = m_event.uid;
  if (uid.size() % 2 != 0 || uid.find_first_not_of("0123456789ABCDEFabcdef") != std::string::npos) {
    g_LogTimer.War("CvCalImport::_SetMeetingUID", 0, "UID is no hexadecimal id, left out: %s",
                   uid.c_str());
    return;
  }
  static const _bstr_t meetingSet(kMeetingSet);
  const long id = clean ? kGlobalObjectId : kCleanGlobalObjectId;
  const long tag =
      m_mapiUtils->GetIDsFromNames(m_newItem, meetingSet, _variant_t(id), VARIANT_TRUE);
  if (tag == 0) return;
  const long binaryTag = static_cast<long>((static_cast<unsigned long>(tag) & 0xFFFF0000UL) |
                                           static_cast<unsigned long>(kPtBinary));
  const _variant_t bytes = m_mapiUtils->HrStringToArray(_bstr_t(m_event.uid.c_str()));
  m_mapiUtils->HrSetOneProp(m_newItem, binaryTag, bytes, VARIANT_FALSE);
}

void CvCalImport::_SetOrganizer() {
  if (m_event.organizer.empty() || !m_mapiUtils) return;
  m_mapiUtils->HrSetOneProp(m_newItem, kSenderEmailAddress, _variant_t(Wide(m_event.organizer)),
                            VARIANT_FALSE);
}

// --- The frame of a series' times ----------------------------------------------------

CvCalImport::SeriesFrame CvCalImport::_SeriesFrame(bool allDay) const {
  SeriesFrame frame;
  // A day is the same day in every zone: an event of days keeps the days its own zone
  // shows, as local days.
  const bool days = allDay || IsDateOnly(m_event.start.text);
  // A series is kept in its own zone; without the MAPI helpers that zone cannot be
  // set, so its times are taken into local time like a single event's.
  frame.ownZone = m_event.rule.type != ParsedRule::kNone && m_mapiUtils && !days;
  if (frame.ownZone) {
    frame.mode = kToTarget;
    frame.target = _EventZone();
  } else if (days) {
    frame = _DayFrame();
  }
  return frame;
}

CvCalImport::SeriesFrame CvCalImport::_DayFrame() const {
  // A vCalendar 1.0 file without TZ that gives a day's start in UTC was written from the
  // writer's local clock, this system's as far as can be known: its days are local days.
  const bool utcStart = !m_event.start.text.empty() && m_event.start.text.back() == 'Z';
  if (m_format == kVCal10 && utcStart && m_zones.count(kVCalZoneId) == 0) return {kToLocal, ""};
  return {kToTarget, _EventZone()};
}

bool CvCalImport::_FrameTime(const CalDateText& date, const SeriesFrame& frame,
                             COleDateTime& result) {
  return _ToItemTime(date.text, date.zoneId, result, frame.mode, frame.target);
}

bool CvCalImport::_SeriesTime(const CalDateText& date, const SeriesFrame& frame,
                              COleDateTime& result) {
  COleDateTime time;
  if (!_FrameTime(date, frame, time)) return false;
  // The series got the zone of its frame when it was created (as _SetZone decides);
  // from then on Outlook shows its wall-clock times in local time.
  const auto zone = frame.ownZone ? m_zones.find(frame.target) : m_zones.end();
  if (zone != m_zones.end() && !IsSystemTimezone(zone->second))
    time = WholeSeconds(UtcToLocalTime(ZoneTimeToUtc(zone->second, time)));
  if (time.GetStatus() != COleDateTime::valid) return false;
  result = time;
  return true;
}
