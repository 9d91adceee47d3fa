#include "calendar/CvCalImport.h"

#include <climits>
#include <new>
#include <vector>

#include "addin/AsciiText.h"
#include "addin/BstrView.h"
#include "addin/CLang.h"
#include "addin/CLib.h"
#include "addin/CLogTimer.h"
#include "addin/CreateByProgId.h"
#include "addin/ListSeparator.h"
#include "addin/ReadWholeFile.h"
#include "calendar/CalValueParser.h"
#include "calendar/ICalRuleParser.h"
#include "calendar/SystemTimezone.h"
#include "calendar/TimezoneList.h"
#include "calendar/TimezoneRules.h"
#include "calendar/VCalRuleParser.h"
#include "calendar/VTimezoneBuilder.h"
#include "com/com_error.h"
#include "contacts/DovantCharConverter.h"
#include "contacts/VCardReaderDecoder.h"
#include "win32/windows.h"

namespace {

constexpr const char* kTag = "CvCalImport";
constexpr int kContinue = 1;
constexpr int kMinutesPerDay = 24 * 60;

std::string Narrow(const WCHAR* text) {
  std::string narrow;
  for (; text && *text; ++text) narrow += *text < 0x80 ? static_cast<char>(*text) : '?';
  return narrow;
}

bool EndsWithIcs(const std::string& fileName) {
  return fileName.size() >= 4 && AsciiText::IEquals(fileName.substr(fileName.size() - 4), ".ics");
}

// A vCalendar 1.0 offset ("-05", "-04:30", "+0100") as minutes west of UTC, the sign of
// the hours applying to the minutes too.
bool ParseVCalOffset(const std::string& text, int& minutesWest) {
  std::size_t i = 0;
  const bool negative = !text.empty() && text[0] == '-';
  if (!text.empty() && (text[0] == '-' || text[0] == '+')) ++i;
  const std::size_t digits = i;
  while (i < text.size() && AsciiText::IsDigit(text[i])) ++i;
  std::string_view hours(text.data() + digits, i - digits);
  std::string_view minutes;
  if (i < text.size() && text[i] == ':') {
    const std::size_t first = ++i;
    while (i < text.size() && AsciiText::IsDigit(text[i])) ++i;
    minutes = std::string_view(text.data() + first, i - first);
  } else if (hours.size() > 2) {
    // "HHMM" without a colon: the last two digits are minutes, not more hours.
    minutes = hours.substr(hours.size() - 2);
    hours.remove_suffix(2);
  }
  long long h = 0;
  long long m = 0;
  constexpr long long kLimit = 10000;
  if (!AsciiText::ParseUnsigned(hours, kLimit, h)) return false;
  if (!minutes.empty() && !AsciiText::ParseUnsigned(minutes, kLimit, m)) return false;
  const long long east = h * 60 + m;
  minutesWest = static_cast<int>(negative ? east : -east);
  return true;
}

}  // namespace

const std::string CvCalImport::DefaultZoneKey =
    "9D2E7A41C0B3F586\xA4"
    "6E1D4A07B92C35F";

// One VEVENT property: the formats it belongs to (bit 0 vCalendar 1.0, bit 1 iCalendar
// 2.0) and its handler; none for a property that is passed over.
struct CvCalImport::PropertyRule {
  const char* name;
  int formats;
  Handler handler;
};

CvCalImport::CvCalImport()
    : m_mapiUtils(CreateByProgId<Redemption::IMAPIUtilsPtr>(u"Redemption.MapiUtils")) {}
CvCalImport::~CvCalImport() = default;

// ---------------------------------------------------------------------------------------
// The file text

bool CvCalImport::_ReadFile(HANDLE file, const char* fileName, bool logNuls) {
  LoadBytes(nullptr, 0, fileName, logNuls);
  std::vector<unsigned char> bytes;
  const bool read = ReadWholeFile(file, kMaxFileSize, bytes);
  if (read) {
    LoadBytes(bytes.data(), bytes.size(), fileName, logNuls);
  } else {
    g_LogTimer.Err("CvCalImport::_ReadFile", 0, "File(%s) cannot be read",
                   fileName ? fileName : "");
  }
  return read;
}

void CvCalImport::LoadBytes(const void* data, std::size_t size, const char* fileName,
                            bool logNuls) {
  const auto* bytes = static_cast<const unsigned char*>(data);
  VCardReaderDecoder::Result decoded;
  if (size >= 4 && bytes[0] == 0 && bytes[1] != 0 && bytes[1] < 0x10) {
    // Big-endian UTF-16 whose first character is a control character: the shared
    // decoder only knows such text by its mark, so it is given one.
    std::string marked = "\xFE\xFF";
    marked.append(reinterpret_cast<const char*>(bytes), size);
    decoded = VCardReaderDecoder::Decode(reinterpret_cast<const unsigned char*>(marked.data()),
                                         marked.size());
  } else {
    decoded = VCardReaderDecoder::Decode(bytes, size);
  }
  VCardReaderDecoder::LogNuls(decoded, "CvCalImport::_ReadFile", logNuls ? fileName : nullptr);
  m_text = std::move(decoded.text);
  m_converted = decoded.converted;
  m_fileName = fileName ? fileName : "";
  m_reader.Init(m_text.data(), m_text.size());
}

int CvCalImport::ParseBytes(const void* data, std::size_t size, const char* fileName) {
  LoadBytes(data, size, fileName);
  return Parse();
}

// ---------------------------------------------------------------------------------------
// Log lines

void CvCalImport::_LogLine(const char* message, bool inLine, int kind, int level) const {
  if (inLine) {
    g_Lib.Log(0, kTag, kind, level, "%s\tin line(%s)", message, m_reader.Line().c_str());
  } else {
    g_Lib.Log(0, kTag, kind, level, "%s\tin file(name='%s',line~%d)", message, m_fileName.c_str(),
              m_reader.LineNumber());
  }
}

// ---------------------------------------------------------------------------------------
// Parameters and values

bool CvCalImport::_ParseEncodingParams() {
  const std::string& name = m_reader.ParamName();
  if (name == "ENCODING" || name.empty()) {
    static constexpr const char* kEncodings[] = {"7BIT", "8BIT", "QUOTED-PRINTABLE", "BASE64"};
    std::string value = m_reader.ParamValue();
    AsciiText::ToUpper(value);
    for (int code = 0; code < 4; ++code) {
      if (value == kEncodings[code]) {
        m_encoding = code + 1;
        return true;
      }
    }
    return false;
  }
  if (name == "CHARSET") {
    m_charset = m_reader.ParamValue();
    return true;
  }
  return false;
}

void CvCalImport::_IgnoreParam(bool log) {
  while (m_reader.NextParam()) {
    if (_ParseEncodingParams() || !log) continue;
    const std::string message = "Ignoring param " + m_reader.ParamName() + "=" +
                                m_reader.ParamValue() + " for prop " + m_reader.Name();
    _LogLine(message, false, LOG_WAR, 1);
  }
}

bool CvCalImport::_ReadPlainValue() {
  _IgnoreParam(false);
  return m_reader.ReadValue(m_encoding);
}

void CvCalImport::_SkipProperty() {
  // The value's soft-broken lines must not be taken for properties of their own.
  _ReadPlainValue();
}

bool CvCalImport::_SkipToProperty(const char* name, const char* value) {
  while (m_reader.NextProperty()) {
    if (m_reader.Name() != name) continue;
    if (!value) return true;
    if (m_reader.ReadValue(ContentLineReader::kNone) &&
        AsciiText::IEquals(_GetPropertyText(), value))
      return true;
  }
  return false;
}

std::string CvCalImport::_GetPropertyText() const { return AsciiText::Trim(m_reader.Value()); }

std::string CvCalImport::_ReadComponentName() {
  m_reader.ReadValue(ContentLineReader::kNone);
  return AsciiText::Uppercase(_GetPropertyText());
}

bool CvCalImport::_CheckDateForm(std::string_view text, bool log) const {
  if (CalValueParser::IsDateForm(text)) return true;
  if (log) _LogLine("Invalid date \"" + std::string(text) + "\"", false, LOG_WAR, 1);
  return false;
}

bool CvCalImport::_ParsePeriod(std::string_view text, std::string* start, std::string* end,
                               std::string* duration, bool log) const {
  if (CalValueParser::ParsePeriod(text, start, end, duration)) return true;
  if (log) _LogLine("Invalid period \"" + std::string(text) + "\"", false, LOG_WAR, 1);
  return false;
}

bool CvCalImport::_ParseDuration(std::string_view text, int& minutes) const {
  return CalValueParser::ParseDuration(text, minutes);
}

bool CvCalImport::_ReadText(std::basic_string<WCHAR>& text, bool unescape, bool logParams) {
  _IgnoreParam(logParams);
  if (!m_reader.ReadValue(m_encoding)) return false;
  text = _DecodeText(m_reader.Value(), unescape);
  return true;
}

std::basic_string<WCHAR> CvCalImport::_DecodeText(const std::string& raw, bool unescape) const {
  const bool quotedPrintable = m_encoding == ContentLineReader::kQuotedPrintable;
  std::string bytes;
  if (!quotedPrintable) {
    bytes = raw;
  } else if (!DovantCharConverter::DecodeQuotedPrintable(raw, bytes, true)) {
    const std::string text = _FormatLangMessage(g_Lang.GetText("IDS_ERR_INVALID_FORMAT_VCAL"));
    const std::string caption = g_Lang.GetText("IDS_APP_TITLE");
    MessageBoxA(GetActiveWindow(), text.c_str(), caption.c_str(), MB_ICONEXCLAMATION);
    bytes = raw;
  }
  // Converted text is ANSI already; quoted-printable bytes were never touched by that
  // conversion and still stand in their charset.
  const std::string charset = m_converted && !quotedPrintable ? std::string() : m_charset;
  g_CharConverter->SetCurrentByCharset(charset.c_str());
  _bstr_t wide;
  g_CharConverter->DecodeByCharset(g_CharConverter->GetCurrentCharset(), bytes, wide);
  // Escapes belong to iCalendar text; vCalendar 1.0 text (also Kelvra's own) carries
  // backslashes as they are. They are found in the decoded text, since a byte inside a
  // double-byte or shifted character may be a backslash.
  if (unescape && m_format == kICal20)
    return DovantCharConverter::UnescapeText(std::basic_string<WCHAR>(BstrView(wide)));
  return std::basic_string<WCHAR>(BstrView(wide));
}

std::string CvCalImport::_FormatLangMessage(const std::string& text) const {
  // One pass, so that a "%2" inside the file name stays as it is.
  std::string message;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '%' && i + 1 < text.size() && (text[i + 1] == '1' || text[i + 1] == '2')) {
      message += text[++i] == '1' ? m_fileName : m_reader.Name();
    } else {
      message += text[i];
    }
  }
  return message;
}

// ---------------------------------------------------------------------------------------
// Dates

bool CvCalImport::ToDate(std::string_view text, const std::string& zoneId, COleDateTime& result,
                         int mode, const std::string& targetZoneId) {
  if (!_CheckDateForm(text, false)) return false;
  auto field = [&text](std::size_t pos, std::size_t size) {
    int value = 0;
    for (std::size_t i = pos; i < pos + size; ++i) value = value * 10 + (text[i] - '0');
    return value;
  };
  const bool withTime = text.size() > 8;
  COleDateTime date;
  if (date.SetDateTime(field(0, 4), field(4, 2), field(6, 2), withTime ? field(9, 2) : 0,
                       withTime ? field(11, 2) : 0, withTime ? field(13, 2) : 0) != 0) {
    return false;
  }
  const bool utc = text.size() == 16;
  auto lookup = [this](const std::string& id) -> const TimezoneStruct* {
    if (id.empty()) return nullptr;
    const auto found = m_zones.find(id);
    if (found != m_zones.end()) return &found->second;
    g_Lib.Log(0, "CvCalImport::ToDate", LOG_WAR, 3, "No(or bad) timezone with id = '%s'",
              id.c_str());
    return nullptr;
  };
  if (mode == kToLocal) {
    if (utc) {
      date = UtcToLocalTime(date);
    } else if (const TimezoneStruct* zone = lookup(zoneId)) {
      date = UtcToLocalTime(ZoneTimeToUtc(*zone, date));
    }
  } else if (mode == kToTarget && (utc || zoneId.empty() || zoneId != targetZoneId)) {
    if (!utc) {
      const TimezoneStruct* zone = lookup(zoneId);
      date = zone ? ZoneTimeToUtc(*zone, date) : LocalTimeToUtc(date);
    }
    const TimezoneStruct* target = lookup(targetZoneId);
    date = target ? UtcToZoneTime(*target, date) : UtcToLocalTime(date);
  }
  if (date.GetStatus() != COleDateTime::valid) return false;
  result = date;
  return true;
}

// ---------------------------------------------------------------------------------------
// Calendars

int CvCalImport::Parse() {
  m_reader.Init(m_text.data(), m_text.size());
  m_unknownZones.clear();
  m_eventsInFile = 0;
  try {
    while (m_reader.NextProperty()) {
      if (m_reader.Name() != "BEGIN") return 0;
      if (_ReadComponentName() != "VCALENDAR") continue;
      const int result = _ReadCalendar();
      if (result < 0) return result;
    }
    return 0;
  } catch (const _com_error& error) {
    g_LogTimer.Err("CvCalImport::Parse", 0, "_com_error(%s), file(%s)",
                   Narrow(error.ErrorMessage()).c_str(), m_fileName.c_str());
  } catch (...) {
    g_LogTimer.Err("CvCalImport::Parse", 0, "CATCHED EXCEPTION! file(%s)", m_fileName.c_str());
  }
  return -1;
}

int CvCalImport::ParseVCALENDAR() {
  m_format = EndsWithIcs(m_fileName) ? kICal20 : kVCal10;
  m_zones.clear();
  m_zones[DefaultZoneKey] = m_defaultZone;
  while (m_reader.NextProperty()) {
    m_encoding = ContentLineReader::kNone;
    const int result = _VCalendarProperty();
    if (result != kContinue) return result;
  }
  return 0;
}

int CvCalImport::_VCalendarProperty() {
  const std::string& name = m_reader.Name();
  const bool vcal = m_format == kVCal10;
  if (name == "VERSION") {
    m_reader.ReadValue(ContentLineReader::kNone);
    const std::string version = _GetPropertyText();
    if (version == "1.0" || version == "2.0") {
      m_format = version == "1.0" ? kVCal10 : kICal20;
      return kContinue;
    }
    _LogLine("Unknown version", true, LOG_WAR, 1);
    return -1;
  }
  if (name == "BEGIN" || name == "END") {
    const std::string component = _ReadComponentName();
    if (name == "BEGIN") return _VCalendarBegin(component);
    return component == "VCALENDAR" ? 0 : kContinue;
  }
  if (vcal && name == "TZ") {
    _ReadTZ();
  } else if (vcal && name == "DAYLIGHT") {
    _ReadDAYLIGHT();
  } else {
    const bool ignored = name == "PRODID" || (vcal && name == "GEO") ||
                         (!vcal && (name == "CALSCALE" || name == "METHOD"));
    if (!ignored) _LogLine("Unknown VCALENDAR prop", true, LOG_INF, 1);
    _SkipProperty();
  }
  return kContinue;
}

int CvCalImport::_VCalendarBegin(const std::string& component) {
  const bool ical = m_format == kICal20;
  if (component == "VEVENT") {
    ++m_eventsInFile;
    ParseVEVENT();
    if (_AddEvent() < 0) return -1;
  } else if (component == "VTIMEZONE" && ical) {
    ParseVTIMEZONE();
  } else if (component == "VCALENDAR") {
    // A calendar that never ended: the next one starts here.
    _LogLine("BEGIN:VCALENDAR inside VCALENDAR", true, LOG_WAR, 1);
    m_reader.PushBack();
    return 0;
  } else if (component == "VTODO" ||
             (ical && (component == "VJOURNAL" || component == "VFREEBUSY"))) {
    _SkipToEnd(component);
  } else {
    _LogLine("skipping unknown grouping - " + component, true, LOG_INF, 1);
    _SkipToEnd(component);
  }
  return kContinue;
}

TimezoneStruct CvCalImport::_VCalZone() const {
  const auto stored = m_zones.find(kVCalZoneId);
  return stored != m_zones.end() ? stored->second : TimezoneStruct{};
}

void CvCalImport::_ReadTZ() {
  int offset = 0;
  if (!_ReadPlainValue() || !ParseVCalOffset(_GetPropertyText(), offset)) return;
  TimezoneStruct zone = _VCalZone();
  if (zone.DaylightBias != 0) {
    zone.DaylightBias =
        static_cast<LONG>(static_cast<long long>(zone.Bias) + zone.DaylightBias - offset);
  }
  zone.Bias = offset;
  m_zones[kVCalZoneId] = zone;
}

void CvCalImport::_ReadDAYLIGHT() {
  if (!_ReadPlainValue()) return;
  std::vector<std::string> pieces;
  m_reader.Split(";", pieces);
  if (pieces.size() < 4 || !AsciiText::IEquals(AsciiText::Trim(pieces[0]), "TRUE")) return;
  int offset = 0;
  COleDateTime start;
  COleDateTime end;
  if (!ParseVCalOffset(AsciiText::Trim(pieces[1]), offset) ||
      !ToDate(AsciiText::Trim(pieces[2]), std::string(), start, kAsWritten, std::string()) ||
      !ToDate(AsciiText::Trim(pieces[3]), std::string(), end, kAsWritten, std::string())) {
    g_LogTimer.Err("ParseVCALENDAR", 0, "Invalid Daylight Savings Rule:%s",
                   m_reader.Value().c_str());
    return;
  }
  TimezoneStruct zone = _VCalZone();
  zone.DaylightBias = static_cast<LONG>(static_cast<long long>(offset) - zone.Bias);
  zone.DaylightDate = VTimezoneBuilder::RuleFromDate(start);
  zone.StandardDate = VTimezoneBuilder::RuleFromDate(end);
  m_zones[kVCalZoneId] = zone;
}

// ---------------------------------------------------------------------------------------
// VTIMEZONE

int CvCalImport::ParseVTIMEZONE() {
  VTimezoneBuilder builder;
  std::string tzid;
  while (m_reader.NextProperty()) {
    m_encoding = ContentLineReader::kNone;
    const std::string& name = m_reader.Name();
    if (name != "TZID" && name != "BEGIN" && name != "END") {
      _SkipProperty();
      continue;
    }
    if (name == "TZID") {
      m_reader.ReadValue(ContentLineReader::kNone);
      tzid = _GetPropertyText();
      continue;
    }
    const std::string value = _ReadComponentName();
    if (name == "BEGIN" && (value == "STANDARD" || value == "DAYLIGHT")) {
      _ReadZoneComponent(value == "DAYLIGHT", builder);
    } else if (name == "BEGIN") {
      _LogLine("skipping unknown grouping - " + value, true, LOG_INF, 1);
      _SkipToEnd(value);
    } else if (value == "VTIMEZONE") {
      break;
    } else if (value == "VCALENDAR") {
      m_reader.PushBack();
      break;
    }
  }
  const std::optional<TimezoneStruct> zone = builder.Build(tzid);
  for (const VTimezoneBuilder::Note& note : builder.Notes()) {
    g_Lib.Log(0, "ParseVTIMEZONE", note.error ? LOG_ERR : LOG_WAR, 1, "%s", note.text.c_str());
  }
  if (zone) m_zones[tzid] = *zone;
  return 1;
}

void CvCalImport::_ReadZoneComponent(bool daylight, VTimezoneBuilder& builder) {
  VTimezoneBuilder::Component component;
  component.daylight = daylight;
  const char* own = daylight ? "DAYLIGHT" : "STANDARD";
  while (m_reader.NextProperty()) {
    const std::string name = m_reader.Name();
    m_reader.ReadValue(ContentLineReader::kNone);
    const std::string value = _GetPropertyText();
    COleDateTime date;
    if (name == "DTSTART" || name == "RDATE") {
      if (ToDate(value, std::string(), date, kAsWritten, std::string())) {
        (name == "DTSTART" ? component.start : component.extraDate) = date;
      }
    } else if (name == "TZOFFSETFROM" || name == "TZOFFSETTO") {
      const std::optional<int> offset = VTimezoneBuilder::ParseOffset(value);
      if (!offset) {
        g_Lib.Log(0, "ParseVTIMEZONE", LOG_ERR, 1, "Invalid VTIMEZONE.COMPONENT.TZOFFSET - %s",
                  value.c_str());
      }
      (name == "TZOFFSETFROM" ? component.offsetFrom : component.offsetTo) = offset;
    } else if (name == "RRULE") {
      const ICalRuleParser::Result rule = ICalRuleParser::Parse(value);
      const std::string message = rule.Message();
      if (!message.empty()) _LogLine(message, true, LOG_WAR, 1);
      const int mask = rule.rule.dayMask;
      const bool oneDay = mask != 0 && (mask & (mask - 1)) == 0;
      if (rule.rule.type == ParsedRule::kYearNth && rule.rule.monthOfYear >= 1 && oneDay &&
          rule.rule.instance >= 1) {
        component.rule.wMonth = static_cast<WORD>(rule.rule.monthOfYear);
        component.rule.wDay = static_cast<WORD>(rule.rule.instance);
        for (WORD day = 0; day < 7; ++day) {
          if (mask == 1 << day) component.rule.wDayOfWeek = day;
        }
        component.ruleEnd = rule.rule.endDate;
      } else {
        g_Lib.Log(0, "ParseVTIMEZONE", LOG_ERR, 1, "Invalid VTIMEZONE.COMPONENT.RRULE");
      }
    } else if (name == "END") {
      const std::string component = AsciiText::Uppercase(value);
      if (component == own) break;
      if (component == "VTIMEZONE" || component == "VCALENDAR") {
        m_reader.PushBack();
        break;
      }
    } else if (name != "TZNAME") {
      _LogLine("Unknown VTIMEZONE.COMPONENT prop", true, LOG_INF, 1);
    }
  }
  if (!builder.Add(component)) {
    g_Lib.Log(0, "ParseVTIMEZONE", LOG_ERR, 1, "Skipping Invalid VTIMEZONE.COMPONENT");
  }
}

// ---------------------------------------------------------------------------------------
// VEVENT

void CvCalImport::ParseVEVENT() {
  const int beginLine = m_reader.LineNumber();
  m_event = ParsedEvent();
  m_haveCategories = false;
  m_audioAlarm.clear();
  while (m_reader.NextProperty()) {
    if (!_EventProperty()) break;
  }
  _FinishEvent(beginLine);
}

bool CvCalImport::_EventProperty() {
  static constexpr int k10 = 1;
  static constexpr int k20 = 2;
  static constexpr int kBoth = 3;
  static constexpr PropertyRule kRules[] = {
      {"ATTACH", kBoth, nullptr},
      {"LAST-MODIFIED", kBoth, nullptr},
      {"PALARM", kBoth, nullptr},
      {"SEQUENCE", kBoth, nullptr},
      {"STATUS", kBoth, &CvCalImport::doSTATUS},
      {"URL", kBoth, nullptr},
      {"AALARM", k10, &CvCalImport::doAALARM},
      {"DCREATED", k10, nullptr},
      {"MALARM", k10, nullptr},
      {"COMMENT", k20, nullptr},
      {"CONTACT", k20, nullptr},
      {"CREATED", k20, nullptr},
      {"DTSTAMP", k20, nullptr},
      {"GEO", k20, nullptr},
      {"REQUEST-STATUS", k20, nullptr},
      {"ATTENDEE", kBoth, &CvCalImport::doATTENDEE},
      {"ORGANIZER", k20, &CvCalImport::doORGANIZER},
      {"CATEGORIES", kBoth, &CvCalImport::doCATEGORIES},
      {"CLASS", kBoth, &CvCalImport::doCLASS},
      {"DESCRIPTION", kBoth, &CvCalImport::doDESCRIPTION},
      {"SUMMARY", kBoth, &CvCalImport::doSUMMARY},
      {"LOCATION", kBoth, &CvCalImport::doLOCATION},
      {"RESOURCES", kBoth, &CvCalImport::doRESOURCES},
      {"DALARM", k10, &CvCalImport::doDALARM},
      {"DTSTART", kBoth, &CvCalImport::doDTSTART},
      {"DTEND", kBoth, &CvCalImport::doDTEND},
      {"DURATION", k20, &CvCalImport::doDURATION},
      {"EXDATE", kBoth, &CvCalImport::doEXDATE},
      {"RDATE", kBoth, &CvCalImport::doRDATE},
      {"PRIORITY", kBoth, &CvCalImport::doPRIORITY},
      {"RELATED-TO", kBoth, &CvCalImport::doRELATEDTO},
      {"RRULE", kBoth, &CvCalImport::doRRULE},
      {"EXRULE", kBoth, &CvCalImport::doEXRULE},
      {"TRANSP", kBoth, &CvCalImport::doTRANSP},
      {"UID", kBoth, &CvCalImport::doUID},
      {"X-MICROSOFT-CDO-IMPORTANCE", k20, &CvCalImport::doIMPORTANCE},
      {"RECURRENCE-ID", k20, &CvCalImport::doRECURRENCEID},
  };
  m_encoding = ContentLineReader::kNone;
  m_charset = m_format == kVCal10 ? "" : "UTF-8";
  const std::string& name = m_reader.Name();
  if (name == "BEGIN" || name == "END") {
    const std::string component = _ReadComponentName();
    if (component == "VEVENT" ? name == "BEGIN" : component == "VCALENDAR" && name == "END") {
      // An event that never ended: it ends here, and the line is read again.
      _LogLine(name + ":" + component + " inside VEVENT", true, LOG_WAR, 1);
      m_reader.PushBack();
      return false;
    }
    if (name == "END") return component != "VEVENT";
    if (component == "VALARM") {
      ParseVALARM();
    } else {
      _LogLine("skipping unknown grouping", true, LOG_INF, 1);
      _SkipToEnd(component);
    }
    return true;
  }
  const int format = m_format == kVCal10 ? k10 : k20;
  for (const PropertyRule& rule : kRules) {
    if (name != rule.name) continue;
    if ((rule.formats & format) == 0) break;
    if (rule.handler) {
      (this->*rule.handler)();
    } else {
      _SkipProperty();
    }
    return true;
  }
  if (name.compare(0, 2, "X-") != 0) _LogLine("Unknown VEVENT Prop", true, LOG_INF, 1);
  _SkipProperty();
  return true;
}

void CvCalImport::_FinishEvent(int beginLine) {
  ParsedEvent& event = m_event;
  if (event.start.text.empty()) event.start = event.end;
  if (event.alarmTime.empty()) event.alarmTime = m_audioAlarm;
  // A day without an end is that one whole day.
  if (event.start.text.size() == 8 && event.end.text.empty() &&
      event.duration == ParsedEvent::kNoDuration) {
    event.duration = kMinutesPerDay;
  }
  _KnowZone(event.start.zoneId);
  _KnowZone(event.end.zoneId);
  for (CalDateText& date : event.exceptionDates) _KnowZone(date.zoneId);
  for (CalExtraDate& date : event.extraDates) _KnowZone(date.zoneId);
  _FillRuleFromStart();
  // Periods that become appointments of their own bring their own starts.
  if (event.SplitsIntoPeriods()) return;
  COleDateTime start;
  if (event.start.text.empty()) {
    event.badStart = true;
    _LogLine("No START and END in the event of line " + std::to_string(beginLine) +
                 " - the event cannot be imported",
             false, LOG_ERR, 1);
  } else if (!ToDate(event.start.text, event.start.zoneId, start, kAsWritten, std::string())) {
    event.badStart = true;
    _LogLine("Impossible start date \"" + event.start.text + "\" - the event cannot be imported",
             false, LOG_ERR, 1);
  }
}

void CvCalImport::_KnowZone(std::string& zoneId) {
  if (m_zones.count(zoneId) != 0) return;
  // A zone the file names without defining it may still be one of the system's.
  TimezoneStruct zone{};
  const bool named = !zoneId.empty() && zoneId != kVCalZoneId;
  if (named && m_unknownZones.count(zoneId) == 0 && FindTimezoneById(zoneId, &zone) == 0) {
    m_zones[zoneId] = zone;
    return;
  }
  if (named && m_unknownZones.insert(zoneId).second) {
    _LogLine("TZID '" + zoneId +
                 "' is neither defined in the file nor a known zone - the "
                 "times in it are taken in the default zone",
             false, LOG_WAR, 1);
  }
  zoneId = DefaultZoneKey;
}

void CvCalImport::_FillRuleFromStart() {
  ParsedRule& rule = m_event.rule;
  COleDateTime start;
  // The start in the zone the series is kept in: what a rule leaves out is the start's.
  if (rule.type == ParsedRule::kNone ||
      !ToDate(m_event.start.text, m_event.start.zoneId, start, kToTarget, m_event.start.zoneId)) {
    return;
  }
  if (rule.type == ParsedRule::kWeekly && rule.dayMask == 0)
    rule.dayMask = 1 << (start.GetDayOfWeek() - 1);
  if ((rule.type == ParsedRule::kMonthly || rule.type == ParsedRule::kYearly) &&
      rule.dayOfMonth == 0) {
    rule.dayOfMonth = start.GetDay();
  }
  if ((rule.type == ParsedRule::kYearly || rule.type == ParsedRule::kYearNth) &&
      rule.monthOfYear == 0) {
    rule.monthOfYear = start.GetMonth();
  }
}

bool CvCalImport::ParseVALARM() {
  while (m_reader.NextProperty()) {
    m_encoding = ContentLineReader::kNone;
    const std::string& name = m_reader.Name();
    if (name == "TRIGGER") {
      _ReadTrigger();
      continue;
    }
    if (name != "END") {
      _SkipProperty();
      continue;
    }
    const std::string component = _ReadComponentName();
    if (component == "VALARM") return true;
    _LogLine("expected END:VARALM", true, LOG_WAR, 1);
    if (component == "VEVENT" || component == "VCALENDAR") {
      // The alarm never ended; its event or calendar does.
      m_reader.PushBack();
      return true;
    }
  }
  return false;
}

void CvCalImport::_ReadTrigger() {
  bool absolute = false;
  bool fromEnd = false;
  while (m_reader.NextParam()) {
    const std::string value = m_reader.GetParamValue();
    if (m_reader.ParamName() == "RELATED") {
      fromEnd = AsciiText::IEquals(value, "END");
    } else if (m_reader.ParamName() == "VALUE") {
      absolute = AsciiText::IEquals(value, "DATE-TIME");
    }
  }
  if (!m_reader.ReadValue(ContentLineReader::kNone)) return;
  const std::string text = _GetPropertyText();
  if (absolute) {
    if (_CheckDateForm(text, true)) m_event.alarmTime = text;
    return;
  }
  m_event.reminderOffset = ParsedEvent::kNoReminderOffset;
  m_event.reminderFromEnd = false;
  int minutes = 0;
  if (!_ParseDuration(text, minutes) || minutes == INT_MIN) {
    _LogLine("Invalid duraton", true, LOG_WAR, 1);
  } else if (minutes > 0) {
    _LogLine("duraton must be negative", true, LOG_WAR, 1);
  } else {
    m_event.reminderOffset = minutes;
    m_event.reminderFromEnd = fromEnd;
  }
}

// ---------------------------------------------------------------------------------------
// Recurrence rules

void CvCalImport::ParseVCalRRULE() {
  const VCalRuleParser::Result result = VCalRuleParser::Parse(_GetPropertyText());
  m_event.rule = result.rule;
  for (const VCalRuleParser::Note& note : result.notes) {
    _LogLine(note.text, true, note.information ? LOG_INF : LOG_WAR, 1);
  }
}

void CvCalImport::ParseICalRRULE() {
  const ICalRuleParser::Result result = ICalRuleParser::Parse(_GetPropertyText());
  m_event.rule = result.rule;
  const std::string message = result.Message();
  if (!message.empty()) _LogLine(message, true, LOG_WAR, 1);
}

// ---------------------------------------------------------------------------------------
// VEVENT properties

std::string CvCalImport::_StripMailto(const std::string& value) const {
  if (AsciiText::IStartsWith(value, "MAILTO:")) return value.substr(7);
  if (!value.empty()) _LogLine("prop value has no \"MAILTO:\"", true, LOG_WAR, 1);
  return value;
}

void CvCalImport::_ReadAddressParams(const char* prop) {
  const bool attendee = std::string_view(prop) == "ATTENDEE";
  while (m_reader.NextParam()) {
    const std::string& name = m_reader.ParamName();
    if (attendee && name == "ROLE") {
      const std::string role = m_reader.GetParamValue();
      if (role != "REQ-PARTICIPANT" && role != "OPT-PARTICIPANT" && role != "NON-PARTICIPANT") {
        _LogLine("Ignoring ATTENDEE.ROLE", true, LOG_WAR, 1);
      }
    } else if (name != "CN" && (!attendee || name != "RSVP") && !_ParseEncodingParams()) {
      const std::string message =
          std::string("Ignoring ") + prop + "." + name + "=" + m_reader.ParamValue();
      _LogLine(message, true, LOG_WAR, 1);
    }
  }
}

void CvCalImport::doATTENDEE() {
  if (m_format == kICal20) {
    _ReadAddressParams("ATTENDEE");
    if (!m_reader.ReadValue(m_encoding)) return;
    std::basic_string<WCHAR> address = _DecodeText(_StripMailto(m_reader.Value()), false);
    if (!address.empty()) m_event.attendees.push_back(std::move(address));
    return;
  }
  bool organizer = false;
  while (m_reader.NextParam()) {
    if (m_reader.ParamName() == "ROLE") {
      const std::string role = m_reader.GetParamValue();
      organizer = role == "ORGANIZER";
      if (role != "ATTENDEE" && !organizer) _LogLine("Ignoring ATTENDEE.ROLE", true, LOG_WAR, 1);
    } else if (!_ParseEncodingParams()) {
      _LogLine("Ignoring ATTENDEE." + m_reader.ParamName() + "=" + m_reader.ParamValue(), true,
               LOG_WAR, 1);
    }
  }
  if (!m_reader.ReadValue(m_encoding)) return;
  std::basic_string<WCHAR> address = _DecodeText(m_reader.Value(), false);
  if (organizer) {
    m_event.organizer = std::move(address);
  } else if (!address.empty()) {
    m_event.attendees.push_back(std::move(address));
  }
}

void CvCalImport::doORGANIZER() {
  _ReadAddressParams("ORGANIZER");
  if (!m_reader.ReadValue(m_encoding)) return;
  m_event.organizer = _DecodeText(_StripMailto(m_reader.Value()), false);
}

void CvCalImport::doCATEGORIES() {
  std::basic_string<WCHAR> text;
  if (!_ReadText(text, true, false)) return;
  const WCHAR separator = m_format == kVCal10 ? u';' : u',';
  const std::basic_string<WCHAR> listSeparator = GetListSeparatorW();
  std::basic_string<WCHAR> joined;
  for (const WCHAR c : text) {
    if (c == separator) {
      joined += listSeparator;
    } else {
      joined += c;
    }
  }
  std::basic_string<WCHAR>& categories = m_event.categories;
  if (m_haveCategories && !categories.empty() && !joined.empty()) {
    categories += listSeparator + joined;
  } else if (!m_haveCategories || !joined.empty()) {
    categories = std::move(joined);
  }
  m_haveCategories = true;
}

void CvCalImport::doCLASS() {
  if (!_ReadPlainValue()) return;
  const std::string value = _GetPropertyText();
  m_event.sensitivity = value == "CONFIDENTIAL" ? ParsedEvent::kSensitivityConfidential
                        : value == "PRIVATE"    ? ParsedEvent::kSensitivityPrivate
                                                : ParsedEvent::kSensitivityNormal;
}

void CvCalImport::doDESCRIPTION() { _ReadText(m_event.description, true, false); }

void CvCalImport::doSUMMARY() { _ReadText(m_event.summary, true, false); }

void CvCalImport::doLOCATION() { _ReadText(m_event.location, true, true); }

void CvCalImport::doRESOURCES() { _ReadText(m_event.resources, false, true); }

void CvCalImport::doDALARM() { _ReadAlarmTime(m_event.alarmTime); }

void CvCalImport::doAALARM() { _ReadAlarmTime(m_audioAlarm); }

void CvCalImport::_ReadAlarmTime(std::string& time) {
  if (!_ReadPlainValue()) return;
  std::vector<std::string> pieces;
  m_reader.Split(";", pieces);
  if (pieces.empty()) return;
  const std::string runTime = AsciiText::Trim(pieces.front());
  if (_CheckDateForm(runTime, true)) time = runTime;
}

void CvCalImport::doDTSTART() { _ReadDate(m_event.start); }

void CvCalImport::doDTEND() { _ReadDate(m_event.end); }

void CvCalImport::_ReadDate(CalDateText& date) {
  std::string zoneId;
  bool periods = false;
  if (!_ReadDateValue(zoneId, periods)) return;
  const std::string text = _GetPropertyText();
  if (_CheckDateForm(text, true)) date = {text, zoneId};
}

bool CvCalImport::_ReadDateValue(std::string& zoneId, bool& periods) {
  zoneId = m_format == kVCal10 ? kVCalZoneId : "";
  while (m_reader.NextParam()) {
    const std::string& name = m_reader.ParamName();
    if (m_format == kICal20 && name == "TZID") zoneId = m_reader.GetParamValue();
    if (name == "VALUE") periods = AsciiText::IEquals(m_reader.GetParamValue(), "PERIOD");
  }
  return m_reader.ReadValue(ContentLineReader::kNone);
}

std::vector<std::string> CvCalImport::_DateListPieces() const {
  std::vector<std::string> pieces;
  m_reader.Split(m_format == kVCal10 ? ";" : ",", pieces);
  for (std::string& piece : pieces) piece = AsciiText::Trim(piece);
  return pieces;
}

void CvCalImport::doDURATION() {
  if (!_ReadPlainValue()) return;
  int minutes = 0;
  if (!_ParseDuration(_GetPropertyText(), minutes) || minutes < 0) {
    _LogLine("Invalid duration", true, LOG_WAR, 1);
    return;
  }
  m_event.duration = minutes;
}

void CvCalImport::doEXDATE() {
  std::string zoneId;
  bool periods = false;
  if (!_ReadDateValue(zoneId, periods)) return;
  for (const std::string& piece : _DateListPieces()) {
    if (_CheckDateForm(piece, true)) m_event.exceptionDates.push_back({piece, zoneId});
  }
}

void CvCalImport::doRDATE() {
  std::string zoneId;
  bool periods = false;
  if (!_ReadDateValue(zoneId, periods)) return;
  for (const std::string& piece : _DateListPieces()) {
    CalExtraDate date{piece, zoneId, "", ""};
    if (periods ? _ParsePeriod(piece, &date.text, &date.endText, &date.durationText, true)
                : _CheckDateForm(piece, true)) {
      m_event.extraDates.push_back(std::move(date));
    }
  }
}

void CvCalImport::doPRIORITY() {
  if (!_ReadPlainValue()) return;
  const bool vcal = m_format == kVCal10;
  const int normal = vcal ? 3 : 5;
  const int priority = m_reader.GetInt(normal, nullptr);
  if (priority == 0) return;
  m_event.importance = priority < normal            ? ParsedEvent::kImportanceHigh
                       : priority <= (vcal ? 4 : 8) ? ParsedEvent::kImportanceNormal
                                                    : ParsedEvent::kImportanceLow;
}

void CvCalImport::doRELATEDTO() {
  _LogLine("Ingnoring:", true, LOG_INF, 1);
  _SkipProperty();
}

void CvCalImport::doRRULE() {
  if (!_ReadPlainValue()) return;
  if (m_format == kVCal10) {
    ParseVCalRRULE();
  } else {
    ParseICalRRULE();
  }
}

void CvCalImport::doEXRULE() {
  _LogLine("Exception Rule not supported", true, LOG_WAR, 1);
  _SkipProperty();
}

void CvCalImport::doTRANSP() {
  if (!_ReadPlainValue()) return;
  if (m_format == kVCal10) {
    m_event.busyStatus =
        m_reader.GetInt(0, nullptr) != 0 ? ParsedEvent::kBusyFree : ParsedEvent::kBusyBusy;
    return;
  }
  std::string value = _GetPropertyText();
  AsciiText::ToUpper(value);
  if (value == "TRANSPARENT" || value == "OPAQUE") {
    m_event.busyStatus = value == "TRANSPARENT" ? ParsedEvent::kBusyFree : ParsedEvent::kBusyBusy;
  } else {
    _LogLine("Invalid value", true, LOG_WAR, 1);
  }
}

void CvCalImport::doUID() {
  if (m_reader.ReadValue(ContentLineReader::kNone)) m_event.uid = m_reader.Value();
}

void CvCalImport::doIMPORTANCE() {
  if (!_ReadPlainValue()) return;
  bool invalid = false;
  const int importance = m_reader.GetInt(ParsedEvent::kImportanceNormal, &invalid);
  if (invalid || importance > ParsedEvent::kImportanceHigh) {
    _LogLine("Invalid value", true, LOG_WAR, 1);
    return;
  }
  m_event.importance = importance;
}
