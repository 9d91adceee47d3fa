#include "calendar/CvCalExport.h"

#include <cstdio>
#include <cstring>

#include "addin/BstrView.h"
#include "addin/CLogTimer.h"
#include "addin/CreateByProgId.h"
#include "addin/GetModuleVersion.h"
#include "addin/ListSeparator.h"
#include "calendar/AppointmentTimezone.h"
#include "calendar/CalendarDateText.h"
#include "calendar/GmtOffsetName.h"
#include "calendar/RecurrenceRuleText.h"
#include "calendar/SystemTimezone.h"
#include "calendar/TimezoneRules.h"
#include "calendar/ZoneBlockText.h"
#include "com/objbase.h"
#include "contacts/DovantCharConverter.h"
#include "win32/time.h"

namespace {

constexpr const char* kMeetingSet = "{6ED8DA90-450B-101B-98DA-00AA003F1305}";
constexpr long kGlobalObjectId = 3;
constexpr long kPtBinary = 0x0102;
constexpr long kSenderEmailAddress = 0x0C1F001E;
constexpr long kSenderName = 0x0C1A001E;
// The key the one-file vCalendar's system zone is kept under in the zone map.
constexpr const char* kSystemZoneKey = "SYSTEM TIMEZONE";
constexpr const char* kFooter = "END:VCALENDAR";
// The fixed head of every global object id: the class id, then zero year, month, day,
// creation time and reserved bytes, then the size (16) of the data that follows.
constexpr const char* kGlobalObjectIdHead =
    "040000008200E00074C5B7101A82E008"
    "00000000000000000000000000000000"
    "0000000010000000";

// Thrown once a failure of the item has been logged: the item is abandoned.
struct ItemAbandoned {};

// A text field of the safe item; empty when the item lacks it.
_bstr_t TextField(const Redemption::ISafeAppointmentItemPtr& safeItem, long tag) {
  const _variant_t value = safeItem->GetFields(tag);
  return value.vt == VT_BSTR ? _bstr_t(value.bstrVal) : _bstr_t();
}

std::string Narrow(const _bstr_t& text) {
  const char* chars = text;
  return chars ? chars : "";
}

const char* PriorityText(int format, long importance) {
  switch (importance) {
    case Outlook::olImportanceLow:
      return format == CvCalExport::kVCalendar10 ? "5" : "9";
    case Outlook::olImportanceNormal:
      return format == CvCalExport::kVCalendar10 ? "3" : "5";
    case Outlook::olImportanceHigh:
      return "1";
    default:
      return "";
  }
}

const char* RoleText(long type) {
  switch (type) {
    case Outlook::olRequired:
      return "REQ-PARTICIPANT";
    case Outlook::olOptional:
      return "OPT-PARTICIPANT";
    case Outlook::olResource:
      return "NON-PARTICIPANT";
    default:
      return "";
  }
}

bool SameDay(const COleDateTime& a, const COleDateTime& b) {
  return a.GetYear() == b.GetYear() && a.GetMonth() == b.GetMonth() && a.GetDay() == b.GetDay();
}

// The date of day with the hour and minute of time, seconds 0.
COleDateTime AtTimeOf(const COleDateTime& day, const COleDateTime& time) {
  return COleDateTime(day.GetYear(), day.GetMonth(), day.GetDay(), time.GetHour(), time.GetMinute(),
                      0);
}

}  // namespace

CvCalExport::CvCalExport()
    : m_safeItem(
          CreateByProgId<Redemption::ISafeAppointmentItemPtr>(u"Redemption.SafeAppointmentItem")),
      m_mapiUtils(CreateByProgId<Redemption::IMAPIUtilsPtr>(u"Redemption.MapiUtils")) {
  m_header.reserve(1024);
  m_zoneText.reserve(0x10000);
  m_eventText.reserve(0x10000);
}

CvCalExport::~CvCalExport() = default;

// --- The run's output ---------------------------------------------------------------

void CvCalExport::SetOutput(const std::string& folder, bool oneFile, bool overwrite,
                            const std::string& oneFileBase) {
  m_outputFolder = folder;
  m_oneFile = oneFile;
  m_overwrite = overwrite;
  m_oneFileBase = oneFileBase;
}

bool CvCalExport::BeforeExport() {
  m_eventText.clear();
  m_header.clear();
  m_pending.clear();
  _ResetZones();
  m_charset = g_CharConverter->GetCurrentCharset();
  m_listSeparator = GetListSeparatorW();
  m_charsetParam.clear();
  if (!g_CharConverter->IsEmptyName(m_charset) &&
      !(m_format == kICalendar20 && std::strcmp(m_charset, "UTF-8") == 0)) {
    m_charsetParam = std::string(";CHARSET=") + m_charset;
  }
  if (_WriteHeader(m_format) < 0) return false;
  if (!m_oneFile) return true;
  if (_OpenFile() < 0) return false;
  _Write(m_header);
  if (m_format == kVCalendar10) {
    TimezoneStruct system{};
    if (GetSystemTimezone(&system)) {
      _WriteTZ(system);
      _Write(m_zoneText);
      if (!m_zoneText.empty()) m_zoneMap[kSystemZoneKey] = system;
    } else {
      g_LogTimer.Err("CvCalExport::BeforeExport", static_cast<int>(GetLastError()),
                     "Cant get System Timezone Information");
    }
  }
  if (_Flush()) return true;
  // A calendar without its header is no calendar: the file it would replace stays.
  AbandonExport();
  return false;
}

void CvCalExport::SetItem(const Outlook::_AppointmentItemPtr& item) {
  m_item = item;
  if (m_safeItem) m_safeItem->PutItem(m_item);
}

int CvCalExport::ExportItem() {
  int result = 0;
  try {
    if (_OpenFile() < 0) return -2;
    if (!m_oneFile) {
      _Write(m_header);
      _ResetZones();
    }
    m_zoneText.clear();
    if (GenVTimezone()) {
      if (m_format == kVCalendar10 && !m_oneFile) _WriteTZ(m_zone);
      if (m_format == kICalendar20 && m_zoneMap.count(m_zoneName) == 0)
        _WriteVTIMEZONE(m_zone, m_zoneName);
    }
    m_eventText.clear();
    _WriteVEVENT();
    // Only a whole event reaches the calendar, with the zone block it needs.
    _Write(m_zoneText);
    _Write(m_eventText);
    if (!m_oneFile) _Write(kFooter);
    if (!_Flush()) {
      // A one file that cannot be written takes no further event either.
      result = m_oneFile ? -2 : -1;
    } else if (!m_zoneText.empty()) {
      m_zoneMap[m_zoneName] = m_zone;
    }
  } catch (const _com_error& error) {
    g_LogTimer.Err("CvCalExport::ExportItem", error.Error(), "_com_error(%s), ",
                   Narrow(error.Description()).c_str());
    result = -1;
  } catch (const ItemAbandoned&) {
    result = -1;
  } catch (...) {
    g_LogTimer.Err("CvCalExport::ExportItem", 0, "CATCHED EXCEPTION!");
    result = -1;
  }
  m_pending.clear();
  if (!m_oneFile) {
    if (result == 0) {
      _CloseFile();
      if (m_fileOpen) result = -1;
    }
    if (result < 0) m_file.Discard();
    m_fileOpen = false;
  }
  if (result == 0) AddWrittenFile(m_writtenFiles, m_currentFile);
  return result;
}

void CvCalExport::AbandonExport() {
  m_pending.clear();
  m_file.Discard();
  m_fileOpen = false;
}

int CvCalExport::_OpenFile() {
  if (m_fileOpen) return 0;
  m_currentFile = _MakeFileName();
  // Written beside its target and moved into place when whole.
  if (!m_file.Create(m_currentFile)) return -2;
  m_fileOpen = true;
  m_pending.clear();
  return 0;
}

bool CvCalExport::_Flush() {
  if (m_pending.empty()) return true;
  const bool written = m_file.Append(m_pending);
  m_pending.clear();
  if (!written)
    g_LogTimer.Err("CvCalExport::_Write", static_cast<int>(GetLastError()), "cannot write \"%s\"",
                   m_currentFile.c_str());
  return written;
}

void CvCalExport::_CloseFile() {
  if (!m_file.Commit()) {
    g_LogTimer.Err("CvCalExport::_CloseFile", static_cast<int>(GetLastError()),
                   "cannot complete \"%s\"", m_currentFile.c_str());
    return;
  }
  m_fileOpen = false;
}

bool CvCalExport::_WriteFooter() {
  m_eventText.clear();
  m_header.clear();
  m_zoneText.clear();
  _ResetZones();
  if (!m_fileOpen) return true;
  if (m_oneFile) {
    _Write(kFooter);
    _Flush();
  }
  _CloseFile();
  const bool completed = !m_fileOpen;
  if (!completed) m_file.Discard();
  m_fileOpen = false;
  return completed;
}

void CvCalExport::_ResetZones() {
  m_zoneName.clear();
  m_zone = TimezoneStruct{};
  m_zoneMap.clear();
}

// --- Calendar and event text --------------------------------------------------------

int CvCalExport::_WriteHeader(int format) {
  if (format != kVCalendar10 && format != kICalendar20) return -1;
  int major = 1, minor = 0, revision = 0;
  GetModuleVersion(major, minor, revision);
  char text[160];
  const int length = std::snprintf(
      text, sizeof text,
      "BEGIN:VCALENDAR\r\nPRODID:-//Ostrane Corporation//Kelvra %d.%d//EN\r\nVERSION:%s\r\n%s",
      major, minor, format == kVCalendar10 ? "1.0" : "2.0",
      format == kICalendar20 ? "METHOD:PUBLISH\r\n" : "");
  m_header.assign(text, static_cast<size_t>(length));
  return 0;
}

int CvCalExport::_WriteVEVENT() {
  const int format = m_format;
  std::string& out = m_eventText;
  m_allDay = format == kICalendar20 && m_item->GetAllDayEvent() != VARIANT_FALSE;
  const COleDateTime start(m_item->GetStart());
  out += "BEGIN:VEVENT\r\n";
  if (m_item->GetMeetingStatus() != Outlook::olNonMeeting) _WriteOrganizerAndAttendees();
  _WriteCategories();
  const long sensitivity = m_item->GetSensitivity();
  if (sensitivity == Outlook::olPrivate) out += "CLASS:PRIVATE\r\n";
  if (sensitivity == Outlook::olConfidential) out += "CLASS:CONFIDENTIAL\r\n";
  _WriteTextValue("DESCRIPTION", m_safeItem->GetBody());
  if (m_item->GetReminderSet() != VARIANT_FALSE) _WriteReminder(start);
  _WriteEventTime("DTEND", COleDateTime(m_item->GetEnd()));
  if (format == kICalendar20) {
    SYSTEMTIME now{};
    GetLocalTime(&now);
    out += "DTSTAMP:";
    out += _FormatDateTime(COleDateTime(now), false, true, true);
    _EndLine(out);
  }
  _WriteEventTime("DTSTART", start);
  _WriteTextValue("LOCATION", m_item->GetLocation());
  const long importance = m_item->GetImportance();
  out += "PRIORITY:";
  out += PriorityText(format, importance);
  _EndLine(out);
  if (m_item->GetIsRecurring() != VARIANT_FALSE) _WriteRecurrence();
  _WriteTextValue("SUMMARY", m_item->GetSubject());
  const bool free = m_item->GetBusyStatus() == Outlook::olFree;
  out += "TRANSP:";
  out += format == kVCalendar10 ? (free ? "1" : "0") : (free ? "TRANSPARENT" : "OPAQUE");
  _EndLine(out);
  std::string uid = GetMeetingUID();
  if (uid.empty() && format == kICalendar20) uid = _NewMeetingUID();
  if (!uid.empty()) {
    out += "UID:";
    out += uid;
    _EndLine(out);
  }
  if (format == kICalendar20) {
    char text[48];
    std::snprintf(text, sizeof text, "X-MICROSOFT-CDO-IMPORTANCE:%ld\r\n", importance);
    out += text;
  }
  out += "END:VEVENT\r\n";
  return 0;
}

void CvCalExport::_WriteOrganizerAndAttendees() {
  const int format = m_format;
  std::string& out = m_eventText;
  const char* addressCharset = format == kVCalendar10 ? nullptr : "UTF-8";
  std::string organizer;
  _Convert(TextField(m_safeItem, kSenderEmailAddress), addressCharset, organizer,
           "the organizer's address");
  if (!organizer.empty()) {
    if (format == kVCalendar10) {
      DovantCharConverter::EncodeQuotedPrintable(organizer, m_encoded);
      out += "ATTENDEE;ROLE=ORGANIZER;ENCODING=QUOTED-PRINTABLE:";
      out += m_encoded;
    } else {
      _Convert(DovantCharConverter::CleanText(TextField(m_safeItem, kSenderName)), "UTF-8", m_value,
               "the organizer's name");
      out += "ORGANIZER;CN=\"";
      out += m_value;
      out += "\":MAILTO:";
      _AppendEscaped(organizer);
    }
    _EndLine(out);
  }
  const Redemption::ISafeRecipientsPtr recipients = m_safeItem->GetRecipients();
  const long count = recipients->GetCount();
  for (long i = 1; i <= count; ++i) _WriteAttendee(recipients->Item(_variant_t(i)), organizer);
}

void CvCalExport::_WriteAttendee(const Redemption::ISafeRecipientPtr& recipient,
                                 const std::string& organizer) {
  const int format = m_format;
  const long type = recipient->GetType();
  std::string address;
  _Convert(recipient->GetAddress(), format == kVCalendar10 ? nullptr : "UTF-8", address,
           "an attendee's address");
  if (address.empty() || type == Outlook::olOrganizer || address == organizer) return;
  std::string& out = m_eventText;
  if (format == kVCalendar10) {
    DovantCharConverter::EncodeQuotedPrintable(address, m_encoded);
    out += "ATTENDEE;ROLE=ATTENDEE;ENCODING=QUOTED-PRINTABLE:";
    out += m_encoded;
  } else {
    _Convert(DovantCharConverter::CleanText(recipient->GetName()), "UTF-8", m_value,
             "an attendee's name");
    out += "ATTENDEE;CN=\"";
    out += m_value;
    out += "\";ROLE=";
    out += RoleText(type);
    out += ":MAILTO:";
    _AppendEscaped(address);
  }
  _EndLine(out);
}

void CvCalExport::_WriteCategories() {
  const _bstr_t categories = m_item->GetCategories();
  if (categories.length() == 0) return;
  // vCalendar 1.0 separates the names by ";" inside its one text; iCalendar 2.0 lists
  // them separated by plain commas, each name escaped as a text of its own.
  const bool vcal = m_format == kVCalendar10;
  const std::basic_string<WCHAR> names =
      JoinCategoryNames(BstrView(categories), m_listSeparator, vcal ? u';' : u',',
                        [vcal](std::basic_string_view<WCHAR> name) {
                          std::basic_string<WCHAR> text(name);
                          return vcal ? text : DovantCharConverter::EscapeText(text);
                        });
  _WriteValue("CATEGORIES", _bstr_t(names.c_str()));
}

void CvCalExport::_WriteReminder(const COleDateTime& start) {
  std::string& out = m_eventText;
  const long minutes = m_item->GetReminderMinutesBeforeStart();
  if (m_format == kVCalendar10) {
    const COleDateTime runTime = start - COleDateTimeSpan(0, 0, static_cast<int>(minutes), 0);
    out += "DALARM:";
    out += _FormatDateTime(_EventTime(runTime), false, m_zoneName.empty(), true);
    out += "; ; ;Reminder\r\n";
    return;
  }
  char text[48];
  std::snprintf(text, sizeof text, "TRIGGER:-PT%ldM\r\n", minutes);
  out += "BEGIN:VALARM\r\n";
  out += text;
  out += "ACTION:DISPLAY\r\nDESCRIPTION:Reminder\r\nEND:VALARM\r\n";
}

void CvCalExport::_WriteEventTime(const char* name, const COleDateTime& local) {
  std::string& out = m_eventText;
  out += name;
  if (m_allDay) out += ";VALUE=DATE";
  _AppendZoneParameter();
  out += ':';
  out += _EventTimeText(_EventTime(local));
  _EndLine(out);
}

void CvCalExport::_WriteTextValue(const char* name, const _bstr_t& text) {
  if (text.length() == 0) return;
  if (m_format == kVCalendar10) {
    _WriteValue(name, text);
    return;
  }
  // Escaped as text, before the charset: a byte inside a double-byte character may be
  // a backslash, and a shifting charset must not be cut.
  const std::basic_string<WCHAR> escaped =
      DovantCharConverter::EscapeText(std::basic_string<WCHAR>(BstrView(text)));
  _WriteValue(name, _bstr_t(escaped.c_str()));
}

void CvCalExport::_WriteValue(const char* name, const _bstr_t& value) {
  _Convert(value, nullptr, m_value, name);
  std::string& out = m_eventText;
  out += name;
  out += m_charsetParam;
  if (m_format == kVCalendar10) {
    DovantCharConverter::EncodeQuotedPrintable(m_value, m_encoded);
    out += ";ENCODING=QUOTED-PRINTABLE:";
    out += m_encoded;
  } else {
    out += ':';
    out += m_value;
  }
  _EndLine(out);
}

void CvCalExport::_AppendEscaped(const std::string& text) {
  // Addresses are UTF-8, where no byte of a character is a backslash. Most need no
  // escape: they go out without a copy.
  if (text.find_first_of("\\;,\r\n") == std::string::npos) {
    m_eventText += text;
  } else {
    m_eventText += DovantCharConverter::EscapeText(text);
  }
}

void CvCalExport::_Convert(const _bstr_t& text, const char* charset, std::string& destination,
                           const char* what) {
  destination.clear();
  if (text.length() == 0) return;
  if (g_CharConverter->WideToCharset(text, destination, charset) >= 0) return;
  // Writing the event without the text would lose it while counting it as exported.
  g_LogTimer.Err("CvCalExport::_WriteVEVENT", 0, "cannot convert %s to charset \"%s\"", what,
                 charset ? charset : m_charset);
  throw ItemAbandoned();
}

// --- Dates --------------------------------------------------------------------------

std::string CvCalExport::_FormatDateTime(const COleDateTime& date, bool alreadyUtc, bool toUtc,
                                         bool withTime) {
  std::string text;
  const bool convert = toUtc && !alreadyUtc;
  AppendCalendarDate(convert ? LocalTimeToUtc(date) : date, alreadyUtc || toUtc, withTime, text);
  return text;
}

std::string CvCalExport::_FormatYear(const COleDateTime& date) {
  std::string text;
  AppendCalendarYear(date, text);
  return text;
}

COleDateTime CvCalExport::_EventTime(const COleDateTime& local) const {
  return m_zoneName.empty() ? local : LocalToZoneTime(local, m_zone);
}

std::string CvCalExport::_EventTimeText(const COleDateTime& eventTime) {
  // Zoned and all-day times are the event's wall-clock times; any other is UTC. An
  // all-day event has dates only.
  return _FormatDateTime(eventTime, false, m_zoneName.empty() && !m_allDay, !m_allDay);
}

// --- Ids ----------------------------------------------------------------------------

std::string CvCalExport::GetMeetingUID() {
  static const _bstr_t meetingSet(kMeetingSet);
  const long tag =
      m_mapiUtils->GetIDsFromNames(m_item, meetingSet, _variant_t(kGlobalObjectId), VARIANT_FALSE);
  if (tag == 0) {
    g_LogTimer.War("CvCalExport::GetMeetingUID", 0, "prUID == 0");
    return "";
  }
  if (static_cast<unsigned long>(tag) < 0x80000000UL)
    g_LogTimer.War("CvCalExport::GetMeetingUID", 0, "prUID < 0x80000000");
  const long binaryTag = static_cast<long>((static_cast<unsigned long>(tag) & 0xFFFF0000UL) |
                                           static_cast<unsigned long>(kPtBinary));
  const _variant_t value = m_mapiUtils->HrGetOneProp(m_item, binaryTag);
  // An item without an id of its own is no failure: it gets a new one where one is needed.
  if ((value.vt & VT_ARRAY) == 0) return "";
  std::string text = Narrow(m_mapiUtils->HrArrayToString(value));
  for (char& c : text)
    if (c == '\r' || c == '\n') c = ' ';
  const size_t first = text.find_first_not_of(' ');
  if (first == std::string::npos) return "";
  return text.substr(first, text.find_last_not_of(' ') + 1 - first);
}

std::string CvCalExport::_NewMeetingUID() {
  GUID guid{};
  const HRESULT result = CoCreateGuid(&guid);
  if (FAILED(result)) _com_issue_error(result);
  unsigned char bytes[sizeof guid];
  std::memcpy(bytes, &guid, sizeof guid);
  static constexpr char kHexDigits[] = "0123456789ABCDEF";
  std::string uid = kGlobalObjectIdHead;
  for (const unsigned char byte : bytes) {
    uid += kHexDigits[byte >> 4];
    uid += kHexDigits[byte & 0x0F];
  }
  return uid;
}

// --- Zones and recurrence -----------------------------------------------------------

bool CvCalExport::GenVTimezone() {
  m_zoneName.clear();
  m_zone = TimezoneStruct{};
  if (m_item->GetIsRecurring() == VARIANT_FALSE) return false;
  if (m_format == kVCalendar10 && m_oneFile) {
    // The file's only zone block is the system zone's: an item kept in another zone is
    // written in local time, and without that block in UTC.
    const auto system = m_zoneMap.find(kSystemZoneKey);
    if (system == m_zoneMap.end()) return false;
    m_zone = system->second;
    m_zoneName = kSystemZoneKey;
    return true;
  }
  TimezoneStruct zone{};
  _bstr_t name;
  if (!GetAppointmentTimezone(m_item, m_mapiUtils, &zone, &name)) {
    name = _bstr_t();
    if (!GetSystemTimezone(&zone)) {
      g_LogTimer.Err("CvCalExport::GenVTimezone", static_cast<int>(GetLastError()),
                     "Cant get System Timezone Information");
      return false;
    }
  }
  std::string zoneName = Narrow(name);
  // A double quote would end the quoted TZID parameter early.
  for (char& c : zoneName)
    if (c == '"') c = '\'';
  if (zoneName.empty())
    zoneName = GmtOffsetName(static_cast<long long>(zone.Bias) + zone.StandardBias);
  m_zone = zone;
  m_zoneName = _UniqueZoneName(zoneName);
  return true;
}

std::string CvCalExport::_UniqueZoneName(const std::string& name) const {
  for (const auto& [written, zone] : m_zoneMap)
    if (IsSameTimezone(zone, m_zone)) return written;
  if (m_zoneMap.count(name) == 0) return name;
  for (int number = 2;; ++number) {
    const std::string numbered = name + " (" + std::to_string(number) + ")";
    if (m_zoneMap.count(numbered) == 0) return numbered;
  }
}

void CvCalExport::_WriteTZ(const TimezoneStruct& zone) {
  m_zoneText.clear();
  AppendTzLines(zone, m_zoneText);
}

void CvCalExport::_WriteVTIMEZONE(const TimezoneStruct& zone, const std::string& name) {
  m_zoneText.clear();
  AppendVTimezone(zone, name, m_zoneText);
}

void CvCalExport::_WriteRecurrence() {
  const Outlook::RecurrencePatternPtr pattern = m_item->GetRecurrencePattern();
  RecurrenceRule rule;
  rule.type = pattern->GetRecurrenceType();
  rule.interval = pattern->GetInterval();
  rule.dayOfWeekMask = pattern->GetDayOfWeekMask();
  rule.dayOfMonth = pattern->GetDayOfMonth();
  rule.instance = pattern->GetInstance();
  rule.monthOfYear = pattern->GetMonthOfYear();
  rule.noEndDate = pattern->GetNoEndDate() != VARIANT_FALSE;
  rule.occurrences = pattern->GetOccurrences();
  std::string& out = m_eventText;
  out += "RRULE:";
  if (m_format == kVCalendar10) {
    AppendVCalendarRule(rule, out);
  } else {
    AppendICalendarRule(rule, ReadFirstDayOfWeek(m_outlookVersion), out);
  }
  _EndLine(out);
  _WriteExceptionDates(pattern);
}

void CvCalExport::_WriteExceptionDates(const Outlook::RecurrencePatternPtr& pattern) {
  const Outlook::ExceptionsPtr exceptions = pattern->GetExceptions();
  const long count = exceptions->GetCount();
  if (count < 1) return;
  const char separator = m_format == kVCalendar10 ? ';' : ',';
  const COleDateTime startTime(pattern->GetStartTime());
  std::string excluded(1, separator);
  std::string added;
  for (long i = 1; i <= count; ++i) {
    const Outlook::ExceptionPtr exception = exceptions->Item(_variant_t(i));
    const COleDateTime original(exception->GetOriginalDate());
    const bool deleted = exception->GetDeleted() != VARIANT_FALSE;
    COleDateTime newStart;
    if (!deleted) {
      newStart = COleDateTime(exception->GetAppointmentItem()->GetStart());
      // Changed in place: the occurrence stands where the rule puts it, and readers
      // that drop excluded dates would lose it.
      if (newStart == original) continue;
    }
    // Both in the time the event is written in: the zone's wall clock, or local time.
    const COleDateTime scheduled =
        _EventTime(!m_zoneName.empty() && !deleted ? original : AtTimeOf(original, startTime));
    _ListExceptionDate(excluded, separator, scheduled);
    if (deleted) continue;
    const COleDateTime moved = _EventTime(newStart);
    const std::string movedText = _EventTimeText(moved);
    if (!added.empty()) added += separator;
    added += movedText;
    // Moved to another day: the regular time of that day goes too, unless the occurrence
    // now stands there (always so for the dates of an all-day series): readers drop the
    // excluded dates from the added ones.
    const COleDateTime regular = AtTimeOf(moved, scheduled);
    if (!SameDay(moved, scheduled) && _EventTimeText(regular) != movedText)
      _ListExceptionDate(excluded, separator, regular);
  }
  _WriteDateList("EXDATE", excluded.size() > 1 ? excluded.substr(1, excluded.size() - 2) : "");
  _WriteDateList("RDATE", added);
}

void CvCalExport::_ListExceptionDate(std::string& list, char separator,
                                     const COleDateTime& eventTime) {
  const std::string text = separator + _EventTimeText(eventTime) + separator;
  if (list.find(text) == std::string::npos) list.append(text, 1, std::string::npos);
}

void CvCalExport::_WriteDateList(const char* name, const std::string& dates) {
  if (dates.empty()) return;
  std::string& out = m_eventText;
  out += name;
  // In the form DTSTART has: the dates of an all-day event belong to no zone.
  if (m_allDay) {
    out += ";VALUE=DATE";
  } else {
    _AppendZoneParameter();
  }
  out += ':';
  out += dates;
  _EndLine(out);
}

void CvCalExport::_AppendZoneParameter() {
  if (m_format != kICalendar20 || m_zoneName.empty()) return;
  m_eventText += ";TZID=\"";
  m_eventText += m_zoneName;
  m_eventText += '"';
}
