// Independent readings of what the writer produces: python3-icalendar (with dateutil for
// the recurrence sets, tests/tools/ical_dump.py) and libical (its iCalendar parser and
// its vCalendar 1.0 converter) must see every event as the store holds it: the start and
// end instants, the summary, and the recurrence set over a year.
//
// Deliberate differences from RFC 5545, each asserted below rather than tolerated
// silently, because existing readers of these files rely on them:
//  1. The file's last line, "END:VCALENDAR", has no line end.
//  2. Lines are never folded, however long (a UID line has 116 octets).
//  3. A series' all-day DTSTART carries its zone's TZID next to VALUE=DATE (its EXDATE
//     and RDATE dates carry none).
//  4. Text may carry a CHARSET parameter (any encoding but UTF-8), which the RFC does
//     not define.
//  5. Double quotes in common names become apostrophes; cal-addresses are text-escaped.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "CalWriterFixture.h"
#include "testkit/Locale.h"

#ifdef KELVRA_HAVE_LIBICAL
#include <libical/ical.h>
#include <libical/vcc.h>
// This header declares its functions without C linkage of its own.
extern "C" {
#include <libical/icalvcal.h>
}
#endif

namespace calwriter {
namespace {

constexpr const char* kPython = "/usr/bin/python3";
constexpr int kModuleMissing = 77;

// How each appointment of the calendar folder reads. Instants are UTC. A series in a
// calendar file of its own is written in vCalendar in its zone's wall clock, which
// vCalendar ties to no instant but through the file's TZ line. (In one vCalendar file
// for many series every series is written in the system zone's local time: a series of
// a zone whose daylight saving differs is then an hour off for part of the year, which
// vCalendar's one zone a file cannot express otherwise.)
struct Expected {
  const char* subject;
  const char* start20;
  const char* end20;
  const char* start10;
  const char* end10;
  std::vector<std::string> occurrences20;
  std::vector<std::string> occurrences10;
};

std::vector<std::string> Times(const std::vector<const char*>& days, const char* time) {
  std::vector<std::string> times;
  for (const char* day : days) times.push_back(std::string(day) + "T" + time);
  return times;
}

const std::vector<Expected>& CalendarFolder() {
  static const std::vector<Expected> expected = {
      {"Timed single",
       "2026-05-04T08:00:00Z",
       "2026-05-04T09:30:00Z",
       "2026-05-04T08:00:00Z",
       "2026-05-04T09:30:00Z",
       {},
       {}},
      {"All-day",
       "DATE:2026-05-10",
       "DATE:2026-05-11",
       "2026-05-09T22:00:00Z",
       "2026-05-10T22:00:00Z",
       {},
       {}},
      {"Lunch, drinks; and \\ more",
       "2026-06-01T10:00:00Z",
       "2026-06-01T11:00:00Z",
       "2026-06-01T10:00:00Z",
       "2026-06-01T11:00:00Z",
       {},
       {}},
      {"Flags high",
       "2026-06-02T07:00:00Z",
       "2026-06-02T07:30:00Z",
       "2026-06-02T07:00:00Z",
       "2026-06-02T07:30:00Z",
       {},
       {}},
      {"Flags low",
       "2026-06-03T07:00:00Z",
       "2026-06-03T07:30:00Z",
       "2026-06-03T07:00:00Z",
       "2026-06-03T07:30:00Z",
       {},
       {}},
      {"Flags free",
       "2026-06-04T07:00:00Z",
       "2026-06-04T07:30:00Z",
       "2026-06-04T07:00:00Z",
       "2026-06-04T07:30:00Z",
       {},
       {}},
      {"Reminder",
       "2026-06-05T06:00:00Z",
       "2026-06-05T06:45:00Z",
       "2026-06-05T06:00:00Z",
       "2026-06-05T06:45:00Z",
       {},
       {}},
      {"Meeting",
       "2026-06-08T12:00:00Z",
       "2026-06-08T13:00:00Z",
       "2026-06-08T12:00:00Z",
       "2026-06-08T13:00:00Z",
       {},
       {}},
      {"Not a meeting",
       "2026-06-09T12:00:00Z",
       "2026-06-09T13:00:00Z",
       "2026-06-09T12:00:00Z",
       "2026-06-09T13:00:00Z",
       {},
       {}},
      {"Weekly Europe",
       "2026-03-02T09:00:00Z",
       "2026-03-02T10:00:00Z",
       "FLOATING:2026-03-02T10:00:00",
       "FLOATING:2026-03-02T11:00:00",
       {"2026-03-02T09:00:00Z", "2026-03-04T09:00:00Z", "2026-03-17T14:00:00Z",
        "2026-03-30T09:30:00Z", "2026-04-01T08:00:00Z", "2026-04-13T08:00:00Z",
        "2026-04-15T08:00:00Z", "2026-04-27T08:00:00Z", "2026-04-29T08:00:00Z"},
       {"2026-03-02T10:00:00", "2026-03-04T10:00:00", "2026-03-17T15:00:00", "2026-03-30T11:30:00",
        "2026-04-01T10:00:00", "2026-04-13T10:00:00", "2026-04-15T10:00:00", "2026-04-27T10:00:00",
        "2026-04-29T10:00:00"}},
      {"Daily US", "2026-06-10T13:00:00Z", "2026-06-10T13:30:00Z", "FLOATING:2026-06-10T09:00:00",
       "FLOATING:2026-06-10T09:30:00",
       Times({"2026-06-10", "2026-06-13", "2026-06-16", "2026-06-19", "2026-06-22"}, "13:00:00Z"),
       Times({"2026-06-10", "2026-06-13", "2026-06-16", "2026-06-19", "2026-06-22"}, "09:00:00")},
      {"Monthly India", "2026-01-30T11:30:00Z", "2026-01-30T12:30:00Z",
       "FLOATING:2026-01-30T17:00:00", "FLOATING:2026-01-30T18:00:00",
       Times({"2026-01-30", "2026-02-27", "2026-03-27", "2026-04-24", "2026-05-29", "2026-06-26",
              "2026-07-31", "2026-08-28", "2026-09-25", "2026-10-30", "2026-11-27", "2026-12-25",
              "2027-01-29"},
             "11:30:00Z"),
       Times({"2026-01-30", "2026-02-27", "2026-03-27", "2026-04-24", "2026-05-29", "2026-06-26",
              "2026-07-31", "2026-08-28", "2026-09-25", "2026-10-30", "2026-11-27", "2026-12-25",
              "2027-01-29"},
             "17:00:00")},
  };
  return expected;
}

// One event as a parser saw it.
struct Seen {
  std::string start;
  std::string end;
  std::vector<std::string> occurrences;
};

// The days of AllDaySeriesJson().
std::vector<std::string> AllDaySeriesDays() {
  return {"DATE:2026-07-06", "DATE:2026-07-22", "DATE:2026-07-27", "DATE:2026-08-03",
          "DATE:2026-08-10"};
}

class CalWriterIndependentTest : public CalWriterTest {
 protected:
  // The events ical_dump.py prints, by summary; empty (and python marked missing) when
  // the interpreter or its modules are not there.
  std::map<std::string, Seen> PythonReading(const std::string& text, const std::string& fileName) {
    std::map<std::string, Seen> events;
    const std::string output = RunPython("ical_dump.py", text, fileName);
    Seen* current = nullptr;
    for (size_t start = 0, end; (end = output.find('\n', start)) != std::string::npos;
         start = end + 1) {
      const std::string line = output.substr(start, end - start);
      if (line.rfind("SUMMARY=", 0) == 0) current = &events[line.substr(8)];
      if (!current) continue;
      if (line.rfind("START=", 0) == 0) current->start = line.substr(6);
      if (line.rfind("END=", 0) == 0) current->end = line.substr(4);
      if (line.rfind("OCC=", 0) == 0) current->occurrences.push_back(line.substr(4));
    }
    return events;
  }

  // What the script of tests/tools prints for the calendar text; "" (and python marked
  // missing) when the interpreter or its modules are not there.
  std::string RunPython(const std::string& script, const std::string& text,
                        const std::string& fileName) {
    if (access(kPython, X_OK) != 0) {
      m_pythonMissing = true;
      return "";
    }
    Temp().write(fileName, text);
    const std::string command = std::string(kPython) + " " KELVRA_SOURCE_DIR "/tests/tools/" +
                                script + " " + Temp().linuxPath(fileName) + " 2>" +
                                Temp().linuxPath("dump.err");
    std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), &pclose);
    std::string output;
    char buffer[4096];
    for (size_t n; (n = fread(buffer, 1, sizeof buffer, pipe.get())) > 0;) output.append(buffer, n);
    const int status = pclose(pipe.release());
    const int code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    m_pythonMissing = code == kModuleMissing;
    EXPECT_TRUE(code == 0 || m_pythonMissing) << Temp().read("dump.err");
    return output;
  }

  void ExpectPythonSees(const std::string& text) {
    const std::map<std::string, Seen> events = PythonReading(text, "cal.ics");
    if (m_pythonMissing) return;
    EXPECT_EQ(events.size(), CalendarFolder().size());
    for (const Expected& expected : CalendarFolder()) ExpectSeen(events, expected, k20);
  }

  // The python reading of the expected event; recurrence sets of iCalendar only.
  static void ExpectSeen(const std::map<std::string, Seen>& events, const Expected& expected,
                         int format) {
    const auto found = events.find(Escaped(expected.subject));
    ASSERT_NE(found, events.end()) << expected.subject;
    EXPECT_EQ(found->second.start, format == k20 ? expected.start20 : expected.start10)
        << expected.subject;
    EXPECT_EQ(found->second.end, format == k20 ? expected.end20 : expected.end10)
        << expected.subject;
    if (format == k20) {
      EXPECT_EQ(found->second.occurrences, expected.occurrences20) << expected.subject;
    }
  }

  static std::string Escaped(const std::string& text) {
    std::string escaped;
    for (const char c : text) escaped += c == '\\' ? std::string("\\\\") : std::string(1, c);
    return escaped;
  }

  bool m_pythonMissing = false;
};

TEST_F(CalWriterIndependentTest, PythonReadsEveryEventOfOneICalendarFile) {
  ExpectPythonSees(OneFile(Subjects(kCalendar), k20));
  if (m_pythonMissing)
    GTEST_SKIP() << "python3-icalendar or python3-dateutil is missing: no python check";
}

TEST_F(CalWriterIndependentTest, PythonReadsEveryFileOfOneEvent) {
  for (const int format : {k20, k10}) {
    for (const Expected& expected : CalendarFolder()) {
      const std::map<std::string, Seen> events = PythonReading(
          ItemFile(expected.subject, format), format == k20 ? "item.ics" : "item.vcs");
      if (m_pythonMissing)
        GTEST_SKIP() << "python3-icalendar or python3-dateutil is missing: no python check";
      ASSERT_EQ(events.size(), 1u) << expected.subject;
      ExpectSeen(events, expected, format);
    }
  }
}

TEST_F(CalWriterIndependentTest, PythonLeavesOutTheDeletedAndMovedDaysOfAnAllDaySeries) {
  LoadCalendar(AllDaySeriesJson());
  const std::map<std::string, Seen> events = PythonReading(ItemFile("Holiday", k20), "days.ics");
  if (m_pythonMissing)
    GTEST_SKIP() << "python3-icalendar or python3-dateutil is missing: no python check";
  ASSERT_EQ(events.count("Holiday"), 1u);
  EXPECT_EQ(events.at("Holiday").occurrences, AllDaySeriesDays());
}

TEST_F(CalWriterIndependentTest, VobjectReadsEveryCategoryOfTheList) {
  testkit::SetListSeparator(";");
  LoadCalendar(
      R"({"Subject": "Tagged", "Start": "2026-06-01T10:00:00", "End": "2026-06-01T11:00:00",
          "Categories": "Work;Stand-up, daily;R&D\\Labs"})");
  const std::string output = RunPython("ical_categories.py", ItemFile("Tagged", k20), "tags.ics");
  if (m_pythonMissing) GTEST_SKIP() << "python3-vobject is missing: no vobject check";
  EXPECT_EQ(output, "CATEGORIES=Work\tStand-up, daily\tR&D\\Labs\n");
}

TEST_F(CalWriterIndependentTest, TheDeliberateDifferencesFromRfc5545) {
  const std::string text = OneFile(Subjects(kCalendar), k20);
  // 1. No line end after the last line.
  EXPECT_EQ(text.substr(text.size() - 15), "\r\nEND:VCALENDAR");
  // 2. No folding.
  EXPECT_GT(LineStarting(text, "UID:").size(), 75u);
  // 5. Quotes of names become apostrophes.
  EXPECT_EQ(LineStarting(text, "ORGANIZER"), "ORGANIZER;CN=\"The 'Boss'\":MAILTO:boss@example.com");
  // 3: an all-day series.
  LoadCalendar(AllDaySeriesJson());
  const std::string series = ItemFile("Holiday", k20);
  EXPECT_EQ(EventLine(series, "DTSTART"), "DTSTART;VALUE=DATE;TZID=\"(GMT+01:00)\":20260706");
  EXPECT_EQ(EventLine(series, "EXDATE"), "EXDATE;VALUE=DATE:20260713,20260720");
  EXPECT_EQ(EventLine(series, "RDATE"), "RDATE;VALUE=DATE:20260722");
  // 4. A charset other than UTF-8 is named.
  UseEncoding("Western European (Windows)");
  EXPECT_EQ(LineStarting(ItemFile("Holiday", k20), "SUMMARY"),
            "SUMMARY;CHARSET=windows-1252:Holiday");
}

#ifdef KELVRA_HAVE_LIBICAL

std::string UtcText(time_t seconds) {
  std::tm parts{};
  gmtime_r(&seconds, &parts);
  char text[32];
  std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%SZ", &parts);
  return text;
}

std::string WallText(const icaltimetype& time) {
  char text[40];
  if (time.is_date) {
    std::snprintf(text, sizeof text, "DATE:%04d-%02d-%02d", time.year, time.month, time.day);
  } else {
    std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d:%02d", time.year, time.month,
                  time.day, time.hour, time.minute, time.second);
  }
  return text;
}

// A time of a property as the comparisons read it: UTC when it is tied to UTC or to a
// zone of the calendar, else its wall clock ("FLOATING:" or a date).
class LibicalReading {
 public:
  explicit LibicalReading(icalcomponent* calendar) : calendar_(calendar) {}
  ~LibicalReading() {
    if (calendar_) icalcomponent_free(calendar_);
  }
  LibicalReading(const LibicalReading&) = delete;
  LibicalReading& operator=(const LibicalReading&) = delete;

  icalcomponent* Calendar() const { return calendar_; }

  icaltimezone* ZoneOf(icalproperty* property) const {
    icalparameter* tzid = icalproperty_get_first_parameter(property, ICAL_TZID_PARAMETER);
    return tzid ? icalcomponent_get_timezone(calendar_, icalparameter_get_tzid(tzid)) : nullptr;
  }

  std::string Text(const icaltimetype& time, icaltimezone* zone) const {
    if (time.is_date) return WallText(time);
    if (icaltime_is_utc(time))
      return UtcText(icaltime_as_timet_with_zone(time, icaltimezone_get_utc_timezone()));
    if (zone) return UtcText(icaltime_as_timet_with_zone(time, zone));
    return "FLOATING:" + WallText(time);
  }

  // The recurrence set of the event within a year of its start, in the same form.
  std::vector<std::string> Occurrences(icalcomponent* event) const {
    std::vector<std::string> set;
    icalproperty* rrule = icalcomponent_get_first_property(event, ICAL_RRULE_PROPERTY);
    if (!rrule) return set;
    icalproperty* dtstart = icalcomponent_get_first_property(event, ICAL_DTSTART_PROPERTY);
    icaltimezone* zone = ZoneOf(dtstart);
    const icaltimetype start = icalproperty_get_dtstart(dtstart);
    std::vector<std::string> excluded;
    for (icalproperty* p = icalcomponent_get_first_property(event, ICAL_EXDATE_PROPERTY); p;
         p = icalcomponent_get_next_property(event, ICAL_EXDATE_PROPERTY))
      excluded.push_back(Text(icalproperty_get_exdate(p), ZoneOf(p)));
    icalrecur_iterator* it = icalrecur_iterator_new(icalproperty_get_rrule(rrule), start);
    for (icaltimetype next = icalrecur_iterator_next(it); !icaltime_is_null_time(next);
         next = icalrecur_iterator_next(it)) {
      if (icaltime_compare(next, icaltime_add(start, icaldurationtype_from_int(365 * 86400))) >= 0)
        break;
      const std::string text = Text(next, zone);
      if (std::find(excluded.begin(), excluded.end(), text) == excluded.end()) set.push_back(text);
    }
    icalrecur_iterator_free(it);
    for (icalproperty* p = icalcomponent_get_first_property(event, ICAL_RDATE_PROPERTY); p;
         p = icalcomponent_get_next_property(event, ICAL_RDATE_PROPERTY))
      set.push_back(Text(icalproperty_get_rdate(p).time, ZoneOf(p)));
    std::sort(set.begin(), set.end());
    return set;
  }

  std::map<std::string, Seen> Events() const {
    std::map<std::string, Seen> events;
    for (icalcomponent* event = icalcomponent_get_first_component(calendar_, ICAL_VEVENT_COMPONENT);
         event; event = icalcomponent_get_next_component(calendar_, ICAL_VEVENT_COMPONENT)) {
      Seen& seen = events[icalcomponent_get_summary(event) ? icalcomponent_get_summary(event) : ""];
      icalproperty* dtstart = icalcomponent_get_first_property(event, ICAL_DTSTART_PROPERTY);
      icalproperty* dtend = icalcomponent_get_first_property(event, ICAL_DTEND_PROPERTY);
      if (dtstart) seen.start = Text(icalproperty_get_dtstart(dtstart), ZoneOf(dtstart));
      if (dtend) seen.end = Text(icalproperty_get_dtend(dtend), ZoneOf(dtend));
      seen.occurrences = Occurrences(event);
    }
    return events;
  }

 private:
  icalcomponent* calendar_;
};

std::vector<std::string> Stripped(std::vector<std::string> times) {
  for (std::string& time : times)
    if (time.rfind("FLOATING:", 0) == 0) time.erase(0, 9);
  return times;
}

TEST_F(CalWriterIndependentTest, LibicalLeavesOutTheDeletedAndMovedDaysOfAnAllDaySeries) {
  LoadCalendar(AllDaySeriesJson());
  const std::string text = ItemFile("Holiday", k20);
  const LibicalReading reading(icalparser_parse_string(text.c_str()));
  ASSERT_NE(reading.Calendar(), nullptr) << icalerror_strerror(icalerrno);
  const std::map<std::string, Seen> events = reading.Events();
  ASSERT_EQ(events.count("Holiday"), 1u);
  EXPECT_EQ(events.at("Holiday").occurrences, AllDaySeriesDays());
}

TEST_F(CalWriterIndependentTest, LibicalReadsEveryICalendarEvent) {
  const std::string text = OneFile(Subjects(kCalendar), k20);
  const LibicalReading reading(icalparser_parse_string(text.c_str()));
  ASSERT_NE(reading.Calendar(), nullptr) << icalerror_strerror(icalerrno);
  const std::map<std::string, Seen> events = reading.Events();
  EXPECT_EQ(events.size(), CalendarFolder().size());
  for (const Expected& expected : CalendarFolder()) {
    const auto found = events.find(expected.subject);
    ASSERT_NE(found, events.end()) << expected.subject;
    EXPECT_EQ(found->second.start, expected.start20) << expected.subject;
    EXPECT_EQ(found->second.end, expected.end20) << expected.subject;
    EXPECT_EQ(found->second.occurrences, expected.occurrences20) << expected.subject;
  }
}

// Where libical's vCalendar 1.0 converter reads these files otherwise than this system
// does (its own reader included), asserted so that a change on either side shows:
// a backslash is taken as an escape; EXDATE and RDATE lists are not carried over; and
// "5+", which stands for Outlook's last occurrence here, is read as the fifth one.
TEST_F(CalWriterIndependentTest, LibicalConvertsEveryVCalendarEvent) {
  const std::vector<std::string> fifthFridays =
      Times({"2026-01-30", "2026-05-29", "2026-07-31", "2026-10-30", "2027-01-29"}, "17:00:00");
  for (const Expected& expected : CalendarFolder()) {
    const std::string subject = expected.subject;
    const std::string text = ItemFile(subject, k10);
    VObject* object = Parse_MIME(text.c_str(), static_cast<unsigned long>(text.size()));
    ASSERT_NE(object, nullptr) << subject;
    const LibicalReading reading(icalvcal_convert(object));
    cleanVObject(object);
    ASSERT_NE(reading.Calendar(), nullptr) << subject;
    const std::map<std::string, Seen> events = reading.Events();
    ASSERT_EQ(events.size(), 1u) << subject;
    const Seen& seen = events.begin()->second;
    if (subject.find('\\') == std::string::npos) {
      EXPECT_EQ(events.begin()->first, subject);
    }
    EXPECT_EQ(seen.start, expected.start10) << subject;
    EXPECT_EQ(seen.end, expected.end10) << subject;
    if (subject == "Monthly India") {
      EXPECT_EQ(Stripped(seen.occurrences), fifthFridays);
    } else if (subject != "Weekly Europe") {
      EXPECT_EQ(Stripped(seen.occurrences), expected.occurrences10) << subject;
    }
  }
}

#else

TEST_F(CalWriterIndependentTest, LibicalReadsEveryEvent) {
  GTEST_SKIP() << "libical was not found when the tests were built: no libical check";
}

#endif

}  // namespace
}  // namespace calwriter
