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
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "atl/OleDateTime.h"
#include "calendar/ContentLineReader.h"
#include "calendar/ParsedEvent.h"
#include "calendar/TimezoneStruct.h"
#include "outlook/Application.h"
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
  // by parent; -1 when the run cannot take place.
  int Execute(Outlook::_Application* app, HKEY* optionsKey, HWND parent);

  // Reads the whole file, decodes it to ANSI text and makes it the text Parse reads;
  // closes the handle in every case. False, with nothing to read, when the file is too
  // large or cannot be read. fileName decides the format (".ics": iCalendar) and names
  // the file in log lines; with a null name the NUL characters are not logged.
  bool _ReadFile(HANDLE file, const char* fileName);
  // The same decoding over bytes already in memory.
  void LoadBytes(const void* data, std::size_t size, const char* fileName);
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
  // Receives each parsed event (CurrentEvent); a negative result stops the file.
  virtual int _AddEvent();

 private:
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
  bool ParseVEVENT();
  // False when the property ends the event.
  bool _EventProperty();
  void _FinishEvent();
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
  bool _CheckDateForm(std::string_view text, bool log) const;
  bool _ParsePeriod(std::string_view text, std::string* start, std::string* end,
                    std::string* duration, bool log) const;
  bool _ParseDuration(std::string_view text, int& minutes) const;
  // The value of the current line after its parameters, decoded to UTF-16.
  bool _ReadText(std::u16string& text, bool unescape, bool logParams);
  std::u16string _DecodeText(const std::string& raw, bool unescape) const;
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

  std::string m_text;
  bool m_converted = false;
  std::string m_fileName;
  ContentLineReader m_reader;
  int m_format = kICal20;
  int m_encoding = ContentLineReader::kNone;
  std::string m_charset;
  TimezoneStruct m_defaultZone{};
  ZoneMap m_zones;
  ParsedEvent m_event;
  bool m_haveCategories = false;
};
