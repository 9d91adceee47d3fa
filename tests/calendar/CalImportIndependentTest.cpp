// Calendar files in the shapes other programs write (tests/data/calendar/programs), each
// imported through the wizard into the stand-in store, against independent readings of
// the same file: for every event the occurrences the store expands for it over one year
// (deleted ones gone, moved ones at their new start, with their own subject and
// location), its all-day flag, its reminder and its categories.
//  - iCalendar files: python3-icalendar with dateutil's RRULE expansion
//    (tests/tools/ical_occurrences.py) and libical's recurrence iterator, each applying
//    EXDATE, RDATE and the RECURRENCE-ID overrides of the file.
//  - vCalendar 1.0 files, which libical reads poorly: the sets their rules state, written
//    out below.
// A reminder is the trigger's minutes before the start; an alarm related to the end
// counts from the end, and an absolute trigger before 1980 (a placeholder for "none")
// gives none.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <ctime>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "CalImportFixture.h"

#ifdef KELVRA_HAVE_LIBICAL
#include <libical/ical.h>
#endif

namespace calimport {
namespace {

constexpr const char* kPython = "/usr/bin/python3";
constexpr int kModuleMissing = 77;

// The window: one year of UTC days.
const COleDateTime kFirst(2026, 3, 1, 0, 0, 0);
const COleDateTime kLast(2027, 3, 1, 0, 0, 0);
constexpr const char* kFirstDay = "2026-03-01";
constexpr const char* kLastDay = "2027-03-01";

struct SampleFile {
  const char* name;
  // What the file's events stand for (vCalendar files only).
  EventReadings (*stated)();
};

std::ostream& operator<<(std::ostream& out, const SampleFile& file) { return out << file.name; }

std::string TestName(const ::testing::TestParamInfo<SampleFile>& info) {
  std::string name =
      std::string(info.param.name).substr(std::string(info.param.name).find('/') + 1);
  for (char& c : name)
    if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
  return name;
}

// Every event of each reading must be in the store as the reading has it, and the store
// must hold no other appointment.
void ExpectStoreHolds(const EventReadings& stored, const EventReadings& expected,
                      const std::string& reader) {
  EXPECT_EQ(SubjectsOf(stored), SubjectsOf(expected)) << "the appointments, as " << reader;
  for (const auto& [subject, event] : expected) {
    SCOPED_TRACE(subject + " (" + reader + ")");
    const auto found = stored.find(subject);
    if (found == stored.end()) continue;
    EXPECT_EQ(found->second.occurrences, event.occurrences);
    EXPECT_EQ(found->second.allDay, event.allDay);
    EXPECT_EQ(found->second.reminder, event.reminder);
    EXPECT_EQ(found->second.categories, event.categories);
  }
}

class CalImportIndependentTest : public CalImportTest,
                                 public ::testing::WithParamInterface<SampleFile> {
 protected:
  // Imports the parameter's file into the empty calendar: what the store then holds.
  EventReadings Imported() {
    const std::string imported = Import(Sample(GetParam().name));
    EXPECT_NE(imported, "0") << "nothing imported from " << GetParam().name;
    return Stored(kFirst, kLast);
  }
  static std::string SamplePath() {
    return std::string(KELVRA_TEST_DATA_DIR "/calendar/") + GetParam().name;
  }
  static std::string Bytes() {
    std::unique_ptr<FILE, int (*)(FILE*)> file(std::fopen(SamplePath().c_str(), "rb"),
                                               &std::fclose);
    std::string bytes;
    char buffer[4096];
    for (size_t n; file && (n = std::fread(buffer, 1, sizeof buffer, file.get())) > 0;)
      bytes.append(buffer, n);
    return bytes;
  }
};

// --- python3-icalendar --------------------------------------------------------------------

// What ical_occurrences.py prints for the file; missing set when python or its modules
// are not there.
EventReadings PythonReading(const std::string& path, const std::string& errors, bool& missing) {
  EventReadings events;
  missing = access(kPython, X_OK) != 0;
  if (missing) return events;
  const std::string command = std::string(kPython) +
                              " " KELVRA_SOURCE_DIR "/tests/tools/ical_occurrences.py " + path +
                              " " + kFirstDay + " " + kLastDay + " 2>" + errors;
  std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), &pclose);
  std::string output;
  char buffer[4096];
  for (size_t n; (n = fread(buffer, 1, sizeof buffer, pipe.get())) > 0;) output.append(buffer, n);
  const int status = pclose(pipe.release());
  const int code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  missing = code == kModuleMissing;
  EXPECT_TRUE(code == 0 || missing) << "ical_occurrences.py failed with " << code;
  std::string subject;
  EventReading event;
  bool open = false;
  const auto close = [&] {
    if (open) AddReading(events, subject, event);
  };
  for (size_t start = 0, end; (end = output.find('\n', start)) != std::string::npos;
       start = end + 1) {
    const std::string line = output.substr(start, end - start);
    const size_t equals = line.find('=');
    const std::string key = line.substr(0, equals);
    const std::string value = equals == std::string::npos ? "" : line.substr(equals + 1);
    if (key == "EVENT") {
      close();
      subject = value;
      event = EventReading();
      open = true;
    } else if (key == "ALLDAY") {
      event.allDay = value == "1";
    } else if (key == "REMINDER") {
      event.reminder = value;
    } else if (key == "CATEGORY") {
      event.categories.push_back(value);
    } else if (key == "OCC") {
      event.occurrences.push_back(value);
    }
  }
  close();
  for (auto& [name, reading] : events)
    std::sort(reading.occurrences.begin(), reading.occurrences.end());
  return events;
}

class CalImportICalendarTest : public CalImportIndependentTest {};

TEST_P(CalImportICalendarTest, TheStoreHoldsWhatPythonExpands) {
  bool missing = false;
  const EventReadings expected =
      PythonReading(SamplePath(), Temp().linuxPath("python.err"), missing);
  if (missing) GTEST_SKIP() << "python3-icalendar or python3-dateutil is missing: no python check";
  ASSERT_FALSE(expected.empty()) << Temp().read("python.err");
  ExpectStoreHolds(Imported(), expected, "python3-icalendar reads it");
}

// --- libical ------------------------------------------------------------------------------

#ifdef KELVRA_HAVE_LIBICAL

std::string UtcSeconds(time_t seconds) {
  std::tm parts{};
  gmtime_r(&seconds, &parts);
  char text[32];
  std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%SZ", &parts);
  return text;
}

std::string Text(const char* text) { return OneLine(text ? text : ""); }

// The events of one calendar as libical reads and expands them.
class LibicalReading {
 public:
  explicit LibicalReading(const std::string& text)
      : calendar_(icalparser_parse_string(text.c_str())) {}
  ~LibicalReading() {
    if (calendar_) icalcomponent_free(calendar_);
  }
  LibicalReading(const LibicalReading&) = delete;
  LibicalReading& operator=(const LibicalReading&) = delete;

  bool Parsed() const { return calendar_ != nullptr; }

  EventReadings Events() const {
    EventReadings events;
    for (icalcomponent* event = First(); event; event = Next()) {
      if (icalcomponent_get_first_property(event, ICAL_RECURRENCEID_PROPERTY)) continue;
      EventReading reading;
      reading.allDay = icalcomponent_get_dtstart(event).is_date;
      reading.reminder = Reminder(event);
      reading.categories = Categories(event);
      reading.occurrences = Occurrences(event);
      AddReading(events, Text(icalcomponent_get_summary(event)), reading);
    }
    return events;
  }

 private:
  icalcomponent* First() const {
    return icalcomponent_get_first_component(calendar_, ICAL_VEVENT_COMPONENT);
  }
  icalcomponent* Next() const {
    return icalcomponent_get_next_component(calendar_, ICAL_VEVENT_COMPONENT);
  }

  // The file's zone of that TZID, else libical's own zone of that name (a Windows zone id
  // by its IANA name).
  icaltimezone* ZoneOf(icalproperty* property) const {
    icalparameter* tzid = icalproperty_get_first_parameter(property, ICAL_TZID_PARAMETER);
    if (!tzid) return nullptr;
    const std::string name = icalparameter_get_tzid(tzid);
    if (icaltimezone* zone = icalcomponent_get_timezone(calendar_, name.c_str())) return zone;
    static const std::map<std::string, std::string> kWindowsZones = {
        {"Tokyo Standard Time", "Asia/Tokyo"},
        {"Eastern Standard Time", "America/New_York"},
        {"W. Europe Standard Time", "Europe/Berlin"}};
    const auto windows = kWindowsZones.find(name);
    return icaltimezone_get_builtin_timezone(
        (windows == kWindowsZones.end() ? name : windows->second).c_str());
  }

  static time_t Seconds(const icaltimetype& time, icaltimezone* zone) {
    return icaltime_as_timet_with_zone(
        time, icaltime_is_utc(time) || !zone ? icaltimezone_get_utc_timezone() : zone);
  }

  static std::string Instant(const icaltimetype& time, icaltimezone* zone) {
    if (time.is_date) {
      char text[24];
      std::snprintf(text, sizeof text, "DATE:%04d-%02d-%02d", time.year, time.month, time.day);
      return text;
    }
    if (!icaltime_is_utc(time) && !zone) return "FLOATING";
    return UtcSeconds(Seconds(time, zone));
  }

  std::string Reminder(icalcomponent* event) const {
    icalcomponent* alarm = icalcomponent_get_first_component(event, ICAL_VALARM_COMPONENT);
    icalproperty* trigger =
        alarm ? icalcomponent_get_first_property(alarm, ICAL_TRIGGER_PROPERTY) : nullptr;
    if (!trigger) return "NONE";
    const icaltriggertype value = icalproperty_get_trigger(trigger);
    const time_t start = SecondsOf(event, ICAL_DTSTART_PROPERTY);
    if (!icaltime_is_null_time(value.time)) {
      if (value.time.year < 1980) return "NONE";
      return std::to_string((start - Seconds(value.time, nullptr)) / 60);
    }
    long before = -icaldurationtype_as_int(value.duration);
    icalparameter* related = icalproperty_get_first_parameter(trigger, ICAL_RELATED_PARAMETER);
    if (related && icalparameter_get_related(related) == ICAL_RELATED_END)
      before -= static_cast<long>(SecondsOf(event, ICAL_DTEND_PROPERTY) - start);
    return std::to_string(before / 60);
  }

  // The instant of the event's DTSTART or DTEND.
  time_t SecondsOf(icalcomponent* event, icalproperty_kind kind) const {
    icalproperty* property = icalcomponent_get_first_property(event, kind);
    return Seconds(kind == ICAL_DTSTART_PROPERTY ? icalproperty_get_dtstart(property)
                                                 : icalproperty_get_dtend(property),
                   ZoneOf(property));
  }

  static std::vector<std::string> Categories(icalcomponent* event) {
    std::vector<std::string> names;
    for (icalproperty* p = icalcomponent_get_first_property(event, ICAL_CATEGORIES_PROPERTY); p;
         p = icalcomponent_get_next_property(event, ICAL_CATEGORIES_PROPERTY)) {
      const std::string list = icalproperty_get_categories(p);
      for (size_t start = 0, end; start <= list.size(); start = end + 1) {
        end = std::min(list.find(',', start), list.size());
        if (end > start) names.push_back(list.substr(start, end - start));
      }
    }
    return names;
  }

  // The overrides of the event's UID by the instant of the occurrence they replace.
  std::map<std::string, icalcomponent*> Overrides(icalcomponent* master) const {
    std::map<std::string, icalcomponent*> overrides;
    const std::string uid = Text(icalcomponent_get_uid(master));
    // A walk of its own: the caller's walk over the events is in progress.
    for (icalcompiter it = icalcomponent_begin_component(calendar_, ICAL_VEVENT_COMPONENT);
         icalcompiter_deref(&it); icalcompiter_next(&it)) {
      icalcomponent* event = icalcompiter_deref(&it);
      icalproperty* id = icalcomponent_get_first_property(event, ICAL_RECURRENCEID_PROPERTY);
      if (id && Text(icalcomponent_get_uid(event)) == uid)
        overrides[Instant(icalproperty_get_recurrenceid(id), ZoneOf(id))] = event;
    }
    return overrides;
  }

  // The starts of the recurrence set, up to a few days past the window.
  std::vector<std::string> Starts(icalcomponent* event) const {
    icalproperty* dtstart = icalcomponent_get_first_property(event, ICAL_DTSTART_PROPERTY);
    icaltimezone* zone = ZoneOf(dtstart);
    const icaltimetype start = icalproperty_get_dtstart(dtstart);
    icalproperty* rrule = icalcomponent_get_first_property(event, ICAL_RRULE_PROPERTY);
    if (!rrule) return {Instant(start, zone)};
    std::vector<std::string> excluded;
    for (icalproperty* p = icalcomponent_get_first_property(event, ICAL_EXDATE_PROPERTY); p;
         p = icalcomponent_get_next_property(event, ICAL_EXDATE_PROPERTY))
      excluded.push_back(Instant(icalproperty_get_exdate(p), ZoneOf(p)));
    std::vector<std::string> starts;
    icalrecur_iterator* it = icalrecur_iterator_new(icalproperty_get_rrule(rrule), start);
    for (icaltimetype next = icalrecur_iterator_next(it);
         !icaltime_is_null_time(next) && next.year * 10000 + next.month * 100 + next.day < 20270304;
         next = icalrecur_iterator_next(it)) {
      const std::string text = Instant(next, zone);
      if (std::find(excluded.begin(), excluded.end(), text) == excluded.end())
        starts.push_back(text);
    }
    icalrecur_iterator_free(it);
    for (icalproperty* p = icalcomponent_get_first_property(event, ICAL_RDATE_PROPERTY); p;
         p = icalcomponent_get_next_property(event, ICAL_RDATE_PROPERTY))
      starts.push_back(Instant(icalproperty_get_rdate(p).time, ZoneOf(p)));
    return starts;
  }

  static bool InWindow(const std::string& instant) {
    const bool day = instant.rfind("DATE:", 0) == 0;
    const std::string first = day ? std::string("DATE:") + kFirstDay : std::string(kFirstDay);
    const std::string last = day ? std::string("DATE:") + kLastDay : std::string(kLastDay);
    return instant >= first && instant < last;
  }

  std::vector<std::string> Occurrences(icalcomponent* event) const {
    const std::map<std::string, icalcomponent*> overrides = Overrides(event);
    std::vector<std::string> occurrences;
    const auto add = [&occurrences](const std::string& instant, icalcomponent* texts) {
      if (InWindow(instant))
        occurrences.push_back(OccurrenceText(instant, Text(icalcomponent_get_summary(texts)),
                                             Text(icalcomponent_get_location(texts))));
    };
    for (const std::string& start : Starts(event)) {
      const auto found = overrides.find(start);
      if (found == overrides.end()) {
        add(start, event);
      } else if (icalcomponent_get_status(found->second) != ICAL_STATUS_CANCELLED) {
        icalproperty* moved =
            icalcomponent_get_first_property(found->second, ICAL_DTSTART_PROPERTY);
        add(Instant(icalproperty_get_dtstart(moved), ZoneOf(moved)), found->second);
      }
    }
    std::sort(occurrences.begin(), occurrences.end());
    return occurrences;
  }

  icalcomponent* calendar_;
};

TEST_P(CalImportICalendarTest, TheStoreHoldsWhatLibicalExpands) {
  const LibicalReading reading(Bytes());
  ASSERT_TRUE(reading.Parsed()) << icalerror_strerror(icalerrno);
  const EventReadings expected = reading.Events();
  ASSERT_FALSE(expected.empty());
  ExpectStoreHolds(Imported(), expected, "libical reads it");
}

#else

TEST_P(CalImportICalendarTest, TheStoreHoldsWhatLibicalExpands) {
  GTEST_SKIP() << "libical was not found when the tests were built: no libical check";
}

#endif

INSTANTIATE_TEST_SUITE_P(Programs, CalImportICalendarTest,
                         ::testing::Values(SampleFile{"programs/web-calendar.ics", nullptr},
                                           SampleFile{"programs/mail-client.ics", nullptr},
                                           SampleFile{"programs/macos.ics", nullptr},
                                           SampleFile{"programs/exchange.ics", nullptr},
                                           SampleFile{"programs/booking-site.ics", nullptr}),
                         TestName);

// --- vCalendar 1.0: the sets the files state -----------------------------------------------

EventReading Event(bool allDay, const char* reminder, std::vector<std::string> categories,
                   std::vector<std::string> occurrences) {
  return EventReading{allDay, reminder, std::move(categories), std::move(occurrences)};
}

std::vector<std::string> Each(const std::vector<const char*>& instants, const char* subject,
                              const char* location = "") {
  std::vector<std::string> occurrences;
  for (const char* instant : instants)
    occurrences.push_back(OccurrenceText(instant, subject, location));
  return occurrences;
}

// TZ +01 with daylight saving time as in Central Europe; times in UTC but the birthday,
// a whole day from local midnight.
EventReadings PhoneEurope() {
  EventReadings events;
  AddReading(events, "Käsefondue bei Müllers",
             Event(false, "30", {},
                   Each({"2026-04-17T17:00:00Z"}, "Käsefondue bei Müllers", "Gartenstraße 7")));
  // "W1 #5": weekly on the start's weekday (Tuesday), five times.
  AddReading(events, "Yoga",
             Event(false, "15", {},
                   Each({"2026-04-07T16:30:00Z", "2026-04-14T16:30:00Z", "2026-04-21T16:30:00Z",
                         "2026-04-28T16:30:00Z", "2026-05-05T16:30:00Z"},
                        "Yoga", "Studio Om, Südstadt")));
  // "MD1 #3": monthly on the start's day of the month, three times.
  AddReading(events, "Pay credit card",
             Event(false, "NONE", {},
                   Each({"2026-04-15T07:00:00Z", "2026-05-15T07:00:00Z", "2026-06-15T07:00:00Z"},
                        "Pay credit card")));
  // "YM1 6 #0": every June on the start's day, without end; one birthday in the window.
  AddReading(events, "Ninas Geburtstag 🎂",
             Event(true, "NONE", {"PERSONAL"}, Each({"DATE:2026-06-11"}, "Ninas Geburtstag 🎂")));
  return events;
}

// TZ -05 with daylight saving time as in New York; local times.
EventReadings PhoneUs() {
  EventReadings events;
  // "D1 #10": daily, ten times; 17:30 EDT is 21:30 UTC.
  std::vector<const char*> days = {"2026-06-01T21:30:00Z", "2026-06-02T21:30:00Z",
                                   "2026-06-03T21:30:00Z", "2026-06-04T21:30:00Z",
                                   "2026-06-05T21:30:00Z", "2026-06-06T21:30:00Z",
                                   "2026-06-07T21:30:00Z", "2026-06-08T21:30:00Z",
                                   "2026-06-09T21:30:00Z", "2026-06-10T21:30:00Z"};
  AddReading(
      events, "Physical therapy – knee exercises",
      Event(false, "10", {"PERSONAL", "HEALTH"}, Each(days, "Physical therapy – knee exercises")));
  AddReading(events, "Parent-teacher conference",
             Event(false, "60", {"APPOINTMENT"},
                   Each({"2026-05-12T22:00:00Z"}, "Parent-teacher conference",
                        "Lincoln Elementary, Room 14 – Mrs. O’Brien")));
  // Local midnight to midnight: the day itself, wherever the calendar is read.
  AddReading(events, "Independence Day",
             Event(true, "NONE", {"HOLIDAY"}, Each({"DATE:2026-07-04"}, "Independence Day")));
  return events;
}

class CalImportVCalendarTest : public CalImportIndependentTest {};

TEST_P(CalImportVCalendarTest, TheStoreHoldsWhatTheFileStates) {
  ExpectStoreHolds(Imported(), GetParam().stated(), "the file states it");
}

INSTANTIATE_TEST_SUITE_P(Phones, CalImportVCalendarTest,
                         ::testing::Values(SampleFile{"programs/phone-europe.vcs", &PhoneEurope},
                                           SampleFile{"programs/phone-us.vcs", &PhoneUs}),
                         TestName);

}  // namespace
}  // namespace calimport
