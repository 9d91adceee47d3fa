// The calendar reader and the calendar import run. The run itself is not part of this
// build yet: Execute reports that and refuses.
//
// The reader walks the VCALENDAR objects of one .vcs or .ics text, keeps the zones the
// calendar defines (vCalendar 1.0 TZ/DAYLIGHT, iCalendar VTIMEZONE) in its zone map and
// fills one ParsedEvent per VEVENT, which it hands to _AddEvent; a subclass overrides
// that to receive the events. Callers that hold a whole file in memory (a fuzz target, a
// benchmark, tests) call ParseBytes. Text values are converted through g_CharConverter,
// which must exist while a calendar is read.
#pragma once

#include <cstddef>
#include <set>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "addin/CDlgProgress.h"
#include "atl/OleDateTime.h"
#include "calendar/ContentLineReader.h"
#include "calendar/CvCalFilter.h"
#include "calendar/ParsedEvent.h"
#include "calendar/TimezoneStruct.h"
#include "outlook/Application.h"
#include "outlook/outlook.h"
#include "redemption/redemption.h"
#include "win32/base.h"

class VTimezoneBuilder;

class CvCalImport {
 public:
  static constexpr int kVCal10 = 10;
  static constexpr int kICal20 = 20;
  // Larger files are refused as unreadable: their text could not be converted whole.
  static constexpr unsigned long long kMaxFileSize = 0x3FFFFFFF;
  // The zone id of the zone that a vCalendar 1.0 TZ/DAYLIGHT pair describes.
  static constexpr const char* kVCalZoneId = "Timezone from vCal1.0";
  // The zone map's key of the default zone: no zone id a file can hold equals it.
  static const std::string DefaultZoneKey;

  enum ToDateMode {
    kAsWritten = 0,  // the time as it stands
    kToLocal = 1,    // the system's local time
    kToTarget = 2,   // the wall-clock time of the target zone
  };

  using ZoneMap = std::unordered_map<std::string, TimezoneStruct>;

  CvCalImport();
  virtual ~CvCalImport();
  CvCalImport(const CvCalImport&) = delete;
  CvCalImport& operator=(const CvCalImport&) = delete;

  // Runs the wizard over the options key (borrowed, never closed) with its dialogs owned
  // by parent: 0, also when a page was cancelled; -1 without an Outlook application.
  int Execute(Outlook::_Application* app, HKEY* optionsKey, HWND parent);

  // What the run does with an event already in the folder.
  static constexpr int kImportAll = 0;
  static constexpr int kReplace = 1;
  static constexpr int kKeep = 2;

  // The run's choices, set by the pages or by a caller that drives the run itself.
  void SetTarget(const Outlook::MAPIFolderPtr& folder) { m_folder = folder; }
  void SetConflictResolution(int conflict) { m_conflict = conflict; }
  void SetFilter(const CvCalFilter& filter) { m_filter = filter; }
  void SetDefaultZoneName(const std::string& name) { m_defaultZoneName = name; }
  // Events in the file, counted from BEGIN:VEVENT to END:VEVENT in each VCALENDAR.
  int _CountEvents(const char* fileName);
  // Reads and imports one file: Parse's result, 0 after the user chose to go on past a
  // file that cannot be opened, or a negative result to stop the run.
  int _ImportFile(const char* fileName);
  // The filter, the duplicate rule and the creation of the current event: 0, or -1
  // when the user cancelled.
  int AddItem();
  // True when the current event passes the filter.
  bool FilterItem();
  int Created() const { return m_created; }
  int Skipped() const { return m_skipped; }
  int Errors() const { return m_errors; }

  // Reads the whole file, decodes it to ANSI text and makes it the text Parse reads;
  // the handle stays with the caller. False, with nothing to read, when the file is too
  // large or cannot be read. fileName decides the format (".ics": iCalendar) and names
  // the file in log lines; NUL characters are logged only with logNuls.
  bool _ReadFile(HANDLE file, const char* fileName, bool logNuls = true);
  // The same decoding over bytes already in memory.
  void LoadBytes(const void* data, std::size_t size, const char* fileName, bool logNuls = true);
  // Reads every calendar of the current text: 0, or -1 when a calendar asked to stop (an
  // unknown version, _AddEvent's negative result) or an exception was caught.
  int Parse();
  // LoadBytes and Parse.
  int ParseBytes(const void* data, std::size_t size, const char* fileName);

  // The zone kept under DefaultZoneKey at the start of every calendar.
  void SetDefaultZone(const TimezoneStruct& zone) { m_defaultZone = zone; }

  // The date or date-time text as an OLE date, converted by mode; zone ids are keys of
  // the zone map, empty for none. False, with result untouched, for a text that is no
  // date form or names an impossible date or time.
  bool ToDate(std::string_view text, const std::string& zoneId, COleDateTime& result, int mode,
              const std::string& targetZoneId);

  const ZoneMap& Zones() const { return m_zones; }
  const ParsedEvent& CurrentEvent() const { return m_event; }
  int Format() const { return m_format; }

 protected:
  // Receives each parsed event (CurrentEvent) and imports it (an event of several
  // RDATE periods and no rule as one appointment per period); a negative result stops
  // the file.
  virtual int _AddEvent();

 private:
  // --- The wizard run --------------------------------------------------------------
  struct Choices;
  // The pages; false when the user left them.
  bool _RunPages(Outlook::_Application* app, HKEY* optionsKey, HWND parent, Choices& choices);
  // The files of the paths (a folder gives its .?cs files), with their events counted.
  std::vector<std::string> _QueueFiles(const std::string& paths, int& events);
  int _ResolveConflict();
  bool _FindDuplicate();
  std::string _FormatRestrictTime(const COleDateTime& date) const;
  // The event's start and end as the appointment made of it will show them; false for
  // what cannot be had.
  void _LocalTimes(COleDateTime& start, bool& haveStart, COleDateTime& end, bool& haveEnd);
  bool CreateItem();
  bool CreateItem_();
  // Deletes the new appointment when it was saved already, and lets it go.
  void _DiscardNewItem();
  // Deletes the duplicate the new appointment replaces; when it cannot go, the new
  // appointment goes instead and false is returned.
  bool _ReplaceDuplicate();
  // The zone map's key of the zone the event's start is written in.
  std::string _EventZone() const;
  // A date text as a time of the new appointment: a date alone as written, a date-time
  // converted by mode; false for what cannot be had.
  bool _ToItemTime(const std::string& text, const std::string& zoneId, COleDateTime& result,
                   int mode, const std::string& target);
  // A date alone with a day's end, or in vCalendar 1.0 whole days from a midnight.
  bool _IsAllDay();
  // The times of the new appointment; the reminder's minutes before the start, or -1
  // for none.
  long _SetTimes(int mode, const std::string& target);
  // The reminder's minutes before the start of the new appointment (its start and end
  // already set), from the relative or the absolute alarm; -1 for none.
  long _ReminderMinutes(const COleDateTime& start, int mode, const std::string& target);
  // The reminder is on when it has minutes and the appointment (or its series) lies
  // ahead; ownZone is the zone map's key of the zone a series will be kept in, if any.
  void _SetReminder(long minutes, bool recurring, const std::string& ownZone);
  void _SetRecurrence(int mode, const std::string& target);
  void _SetZone(const std::string& target);
  void _SetMeetingUID(bool clean);
  void _SetOrganizer();
  // Labels of the summary for the filter.
  bool _SummaryHasLabel();
  void _LogAddItem(const char* function, const _com_error* error) const;

  // --- Recurrence exceptions -------------------------------------------------------
  // The dates are compared with the series' occurrences in the times the series was
  // given: mode and target as for its start.
  void CreateExceptions(int mode, const std::string& target);
  // Deletes the occurrences that start at these dates and moves others (original start,
  // new start); each one on its own, a failure logged with the prefix.
  void _ApplyExceptions(const std::vector<COleDateTime>& deleted,
                        const std::vector<std::pair<COleDateTime, COleDateTime>>& moved,
                        const std::string& prefix);
  std::string _ExceptionLogPrefix();
  static bool RenderRecurrenceItem(const Outlook::_AppointmentItemPtr& item,
                                   const COleDateTime& from, const COleDateTime& to,
                                   std::vector<COleDateTime>& occurrences);
  static bool FindDateInList(const COleDateTime& from, const COleDateTime& to,
                             const std::vector<COleDateTime>& list);
  static bool FindExDate(const COleDateTime& date, const std::vector<COleDateTime>& list);

  // --- Overrides (RECURRENCE-ID) ---------------------------------------------------
  // How a series' times are converted when it is created: the ToDate mode and target.
  struct SeriesFrame {
    int mode = kToLocal;
    std::string target;
    bool ownZone = false;  // the series is given the target zone
  };
  // A series created from the current calendar, for the overrides of its uid.
  struct CreatedSeries {
    _bstr_t entryId;
    SeriesFrame frame;
  };
  // The frame of the current event's times.
  SeriesFrame _SeriesFrame(bool allDay) const;
  // The frame whose local days an event of days keeps.
  SeriesFrame _DayFrame() const;
  // A date of the file in that frame (a date alone as written), to the second.
  bool _FrameTime(const CalDateText& date, const SeriesFrame& frame, COleDateTime& result);
  // The same date as the saved series shows its times: in local time once the series
  // keeps a zone of its own.
  bool _SeriesTime(const CalDateText& date, const SeriesFrame& frame, COleDateTime& result);
  // One VCALENDAR, then the overrides still held for it.
  int _ReadCalendar();
  int _EndCalendar();
  int _AddOverride();
  int _AddSeries();
  void _NoteSeries();
  int _PlaceOverride(const ParsedEvent& change, const CreatedSeries& series);
  // Empty when the change became an exception of the series, else why it did not.
  std::string _ApplyOverride(const ParsedEvent& change, const CreatedSeries& series);
  void _ChangeOccurrence(const Outlook::_AppointmentItemPtr& occurrence, const ParsedEvent& change,
                         const SeriesFrame& frame);
  int _AddOverrideAlone(const ParsedEvent& change, const std::string& why);

  using Handler = void (CvCalImport::*)();
  struct PropertyRule;

  void _LogLine(const char* message, bool inLine, int kind, int level) const;
  void _LogLine(const std::string& message, bool inLine, int kind, int level) const {
    _LogLine(message.c_str(), inLine, kind, level);
  }

  // Calendar structure.
  int ParseVCALENDAR();
  int _VCalendarProperty();
  int _VCalendarBegin(const std::string& component);
  // The zone the TZ and DAYLIGHT lines built so far, all zero before the first.
  TimezoneStruct _VCalZone() const;
  void _ReadTZ();
  void _ReadDAYLIGHT();
  int ParseVTIMEZONE();
  void _ReadZoneComponent(bool daylight, VTimezoneBuilder& builder);
  void ParseVEVENT();
  // False when the property ends the event.
  bool _EventProperty();
  // The event that began in that line is complete: its defaults, its zones, what its
  // rule takes from its start, and whether its start can be had.
  void _FinishEvent(int beginLine);
  // The zone id as a key of the zone map: a zone of the file, one of the system's zone
  // list it names (then added to the map), else the default zone.
  void _KnowZone(std::string& zoneId);
  // The weekday, day or month that the rule leaves to the event's start.
  void _FillRuleFromStart();
  bool ParseVALARM();
  void _ReadTrigger();
  void ParseVCalRRULE();
  void ParseICalRRULE();

  // Parameters and values.
  bool _ParseEncodingParams();
  void _IgnoreParam(bool log);
  // Reads the remaining parameters and the value; false when the line holds no value.
  bool _ReadPlainValue();
  void _SkipProperty();
  bool _SkipToProperty(const char* name, const char* value);
  bool _SkipToEnd(const std::string& component) {
    return _SkipToProperty("END", component.c_str());
  }
  std::string _GetPropertyText() const;
  // The value of a BEGIN or END line: trimmed and upper-cased, since component names
  // are compared without regard to case.
  std::string _ReadComponentName();
  bool _CheckDateForm(std::string_view text, bool log) const;
  bool _ParsePeriod(std::string_view text, std::string* start, std::string* end,
                    std::string* duration, bool log) const;
  bool _ParseDuration(std::string_view text, int& minutes) const;
  // The value of the current line after its parameters, decoded to UTF-16.
  bool _ReadText(std::basic_string<WCHAR>& text, bool unescape, bool logParams);
  std::basic_string<WCHAR> _DecodeText(const std::string& raw, bool unescape) const;
  std::string _FormatLangMessage(const std::string& text) const;
  std::string _StripMailto(const std::string& value) const;
  void _ReadAddressParams(const char* prop);
  // The zone id and the period flag of a date property, then its value.
  bool _ReadDateValue(std::string& zoneId, bool& periods);
  std::vector<std::string> _DateListPieces() const;

  // VEVENT properties.
  void doATTENDEE();
  void doORGANIZER();
  void doCATEGORIES();
  void doCLASS();
  void doDESCRIPTION();
  void doSUMMARY();
  void doLOCATION();
  void doRESOURCES();
  void doDALARM();
  void doAALARM();
  // The run time of a vCalendar alarm (the first part of its value).
  void _ReadAlarmTime(std::string& time);
  void doDTSTART();
  void doDTEND();
  void _ReadDate(CalDateText& date);
  void doDURATION();
  void doEXDATE();
  void doRDATE();
  void doPRIORITY();
  void doRELATEDTO();
  void doRRULE();
  void doEXRULE();
  void doTRANSP();
  void doUID();
  void doIMPORTANCE();
  void doRECURRENCEID();
  void doSTATUS();

  std::string m_text;
  bool m_converted = false;
  std::string m_fileName;
  ContentLineReader m_reader;
  int m_format = kICal20;
  int m_encoding = ContentLineReader::kNone;
  std::string m_charset;
  TimezoneStruct m_defaultZone{};
  std::string m_defaultZoneName;

  // The run.
  CDlgProgress m_progress;
  int m_conflict = kImportAll;
  CvCalFilter m_filter;
  Outlook::MAPIFolderPtr m_folder;
  Outlook::_AppointmentItemPtr m_newItem;
  Outlook::_AppointmentItemPtr m_duplicate;
  Redemption::IMAPIUtilsPtr m_mapiUtils;
  int m_created = 0;
  int m_skipped = 0;
  int m_errors = 0;
  ZoneMap m_zones;
  ParsedEvent m_event;
  bool m_haveCategories = false;
  // Overrides of the current calendar whose series is not created yet, in file order.
  std::vector<ParsedEvent> m_overrides;
  // The series created from the current calendar, by uid.
  std::unordered_map<std::string, CreatedSeries> m_series;
  // Overrides that became exceptions of their series.
  int m_merged = 0;
  // The current event's AALARM run time: its reminder when it has no DALARM.
  std::string m_audioAlarm;
  // Zone ids of the current file that name no zone, each warned of once.
  std::set<std::string> m_unknownZones;
  // The VEVENTs of the current file's calendars.
  int m_eventsInFile = 0;
};
