// Reading speed of the calendar reader, in MB/s, over an iCalendar file of 10,000 events
// in the shapes Kelvra's writer produces: a fifth recurring in their own zone (with a
// VTIMEZONE, EXDATE and RDATE), three tenths meetings with an organizer and attendees,
// every one with a reminder. libical's parser reads the very same bytes in the same run.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <memory>
#include <string>

#include "calendar/CvCalImport.h"
#include "contacts/DovantCharConverter.h"
#include "testkit/Locale.h"
#include "testkit/Modules.h"

#ifdef KELVRA_HAVE_LIBICAL
#include <libical/ical.h>
#endif

namespace {

constexpr int kEvents = 10000;

std::string WindowsPath(std::string path) {
  for (char& c : path)
    if (c == '/') c = '\\';
  return "Z:" + path;
}

std::string TwoDigits(int value) { return (value < 10 ? "0" : "") + std::to_string(value); }

constexpr const char* kZone =
    "BEGIN:VTIMEZONE\r\nTZID:W. Europe Standard Time\r\nBEGIN:STANDARD\r\n"
    "DTSTART:19801026T030000\r\nRRULE:FREQ=YEARLY;INTERVAL=1;BYDAY=-1SU;BYMONTH=10\r\n"
    "TZOFFSETFROM:+0200\r\nTZOFFSETTO:+0100\r\nEND:STANDARD\r\nBEGIN:DAYLIGHT\r\n"
    "DTSTART:19800330T020000\r\nRRULE:FREQ=YEARLY;INTERVAL=1;BYDAY=-1SU;BYMONTH=3\r\n"
    "TZOFFSETFROM:+0100\r\nTZOFFSETTO:+0200\r\nEND:DAYLIGHT\r\nEND:VTIMEZONE\r\n";

// Event i of the mix, line by line as the writer orders them.
std::string Event(int i) {
  const std::string day = "2026" + TwoDigits(1 + i % 12) + TwoDigits(1 + i % 28);
  const bool meeting = i % 10 < 3;
  const bool recurring = i % 10 >= 8;
  const std::string zone = recurring ? ";TZID=\"W. Europe Standard Time\"" : "";
  const std::string utc = recurring ? "" : "Z";
  std::string text = "BEGIN:VEVENT\r\n";
  if (meeting) {
    text +=
        "ORGANIZER;CN=\"Olga Organizer\":MAILTO:organizer@example.com\r\n"
        "ATTENDEE;CN=\"Anna Example\";ROLE=REQ-PARTICIPANT:MAILTO:anna@example.com\r\n"
        "ATTENDEE;CN=\"Bert Example\";ROLE=REQ-PARTICIPANT:MAILTO:bert@example.com\r\n"
        "ATTENDEE;CN=\"Cora Example\";ROLE=OPT-PARTICIPANT:MAILTO:cora@example.com\r\n";
  }
  text +=
      "CATEGORIES:Business\\,Project\r\n"
      "DESCRIPTION:Agenda:\\n1. Review\\, plans\\; budget\\n2. Next steps for item " +
      std::to_string(i) + "\r\n";
  text +=
      "BEGIN:VALARM\r\nTRIGGER:-PT15M\r\nACTION:DISPLAY\r\nDESCRIPTION:Reminder\r\n"
      "END:VALARM\r\n";
  text += "DTEND" + zone + ":" + day + "T101500" + utc + "\r\n";
  text += "DTSTAMP:20260101T120000Z\r\n";
  text += "DTSTART" + zone + ":" + day + "T093000" + utc + "\r\n";
  text += "LOCATION:Room " + std::to_string(i % 7) + "\r\nPRIORITY:5\r\n";
  if (recurring) {
    text +=
        "RRULE:FREQ=WEEKLY;COUNT=20;INTERVAL=1;BYDAY=MO;WKST=MO\r\n"
        "EXDATE" +
        zone +
        ":20270201T093000,20270208T093000,20270209T093000\r\n"
        "RDATE" +
        zone + ":20270209T140000\r\n";
  }
  text += "SUMMARY:Appointment " + std::to_string(i) + " with the team\r\nTRANSP:OPAQUE\r\n";
  text += "UID:040000008200E00074C5B7101A82E0080000000000000000000000000000000010000000" +
          std::string(8 - std::to_string(i).size(), '0') + std::to_string(i) +
          "A1B2C3D4E5F60718293A4B5C\r\n";
  text += "X-MICROSOFT-CDO-IMPORTANCE:1\r\nEND:VEVENT\r\n";
  return text;
}

// The file of the mix, as one-file export writes it: one zone block, then the events.
const std::string& MixFile() {
  static const std::string file = [] {
    std::string text =
        "BEGIN:VCALENDAR\r\nPRODID:-//Ostrane Corporation//Kelvra 1.0//EN\r\n"
        "VERSION:2.0\r\nMETHOD:PUBLISH\r\n";
    text += kZone;
    for (int i = 0; i < kEvents; ++i) text += Event(i);
    return text + "END:VCALENDAR";
  }();
  return file;
}

class CountingImport : public CvCalImport {
 public:
  int count = 0;

 protected:
  int _AddEvent() override {
    ++count;
    return 0;
  }
};

void SetUpOnce() {
  static const bool done = [] {
    testkit::SetAcp(65001);
    testkit::SetModuleFolder("Kelvra.dll", WindowsPath(KELVRA_SOURCE_DIR "/resources"));
    static std::unique_ptr<DovantCharConverter> converter = std::make_unique<DovantCharConverter>();
    g_CharConverter = converter.get();
    return true;
  }();
  (void)done;
}

void BM_ReadCalendarMix(benchmark::State& state) {
  SetUpOnce();
  const std::string& file = MixFile();
  int events = 0;
  for (auto _ : state) {
    CountingImport reader;
    reader.ParseBytes(file.data(), file.size(), "mix.ics");
    events = reader.count;
    benchmark::DoNotOptimize(events);
  }
  if (events != kEvents) state.SkipWithError("the reader did not read every event");
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                          static_cast<int64_t>(file.size()));
  state.counters["events"] = events;
}
BENCHMARK(BM_ReadCalendarMix)->Unit(benchmark::kMillisecond);

#ifdef KELVRA_HAVE_LIBICAL
void BM_LibicalParseMix(benchmark::State& state) {
  const std::string& file = MixFile();
  int events = 0;
  for (auto _ : state) {
    icalcomponent* calendar = icalparser_parse_string(file.c_str());
    events = calendar ? icalcomponent_count_components(calendar, ICAL_VEVENT_COMPONENT) : 0;
    if (calendar) icalcomponent_free(calendar);
    benchmark::DoNotOptimize(events);
  }
  if (events != kEvents) state.SkipWithError("libical did not read every event");
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                          static_cast<int64_t>(file.size()));
  state.counters["events"] = events;
}
BENCHMARK(BM_LibicalParseMix)->Unit(benchmark::kMillisecond);
#endif

}  // namespace

BENCHMARK_MAIN();
