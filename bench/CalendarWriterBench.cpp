// Events per second the calendar writer builds for a realistic mix of appointments
// (a fifth recurring with exceptions, three tenths meetings with attendees, every one
// with a reminder), read through the stand-in object model and Redemption, in both
// versions; beside them the rate at which libical serialises the same events.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "calendar/CvCalExport.h"
#include "com/objbase.h"
#include "contacts/DovantCharConverter.h"
#include "testkit/Files.h"
#include "testkit/Modules.h"
#include "testkit/Redemption.h"
#include "testkit/Store.h"

#ifdef KELVRA_HAVE_LIBICAL
#include <libical/ical.h>
#endif

namespace {

constexpr int kEvents = 100;

std::string WindowsPath(std::string path) {
  for (char& c : path)
    if (c == '/') c = '\\';
  return "Z:" + path;
}

std::string TwoDigits(int value) { return (value < 10 ? "0" : "") + std::to_string(value); }

// Appointment i of the mix, as the mailbox file holds it.
std::string AppointmentJson(int i) {
  const std::string day = "2026-" + TwoDigits(1 + i % 12) + "-" + TwoDigits(1 + i % 28);
  std::string json = R"({"Subject": "Appointment )" + std::to_string(i) +
                     R"( with the team", "Start": ")" + day + R"(T09:30:00", "End": ")" + day +
                     R"(T10:15:00", "Location": "Room )" + std::to_string(i % 7) +
                     R"(", "Body": "Agenda:\r\n1. Review, plans; budget\r\n2. Next steps",
      "Categories": "Business,Project", "ReminderSet": true, "ReminderMinutesBeforeStart": 15)";
  if (i % 10 < 3) {
    json += R"(, "MeetingStatus": 1,
      "MapiProperties": [{"tag": "0x0C1F001E", "value": "organizer@example.com"},
                         {"tag": "0x0C1A001E", "value": "Olga Organizer"}],
      "Recipients": [{"Type": 1, "Name": "Anna Example", "Address": "anna@example.com"},
                     {"Type": 1, "Name": "Bert Example", "Address": "bert@example.com"},
                     {"Type": 2, "Name": "Cora Example", "Address": "cora@example.com"}])";
  }
  if (i % 10 >= 8) {
    json += R"(, "RecurrencePattern": {"RecurrenceType": 1, "Interval": 1, "DayOfWeekMask": 2,
        "PatternStartDate": ")" +
            day + R"(", "NoEndDate": false, "Occurrences": 20,
        "StartTime": "09:30:00", "Duration": 45},
      "Exceptions": [{"OriginalDate": "2027-02-01T09:30:00", "Deleted": true},
                     {"OriginalDate": "2027-02-08T09:30:00", "Start": "2027-02-09T14:00:00",
                      "End": "2027-02-09T14:45:00"}])";
  }
  return json + "}";
}

// The mix in a mailbox of its own, the shipped encodings list in UTF-8, set up once.
class Setting {
 public:
  Setting() {
    testkit::SetModuleFolder("Kelvra.dll", WindowsPath(KELVRA_SOURCE_DIR "/resources"));
    m_converter = std::make_unique<DovantCharConverter>();
    g_CharConverter = m_converter.get();
    g_CharConverter->SetCurrentByName("UTF-8");
    std::string items;
    for (int i = 0; i < kEvents; ++i) items += (i ? "," : "") + AppointmentJson(i);
    testkit::LoadMailboxText(R"({"stores": [{"name": "Personal Folders", "folders": [
        {"name": "Calendar", "defaultItemType": 1, "items": [)" +
                             items + "]}]}]}");
    testkit::SetOutlookVersion(14);
    for (const kelvra::store::ItemPtr& item :
         testkit::FindFolder("Personal Folders/Calendar")->Items())
      m_appointments.emplace_back(testkit::OutlookObjectOf(item));
  }

  const std::vector<Outlook::_AppointmentItemPtr>& Appointments() const { return m_appointments; }

 private:
  std::unique_ptr<DovantCharConverter> m_converter;
  std::vector<Outlook::_AppointmentItemPtr> m_appointments;
};

const Setting& TheSetting() {
  static const Setting setting;
  return setting;
}

// The writer's output: one file "Calendar" in a folder of the stand-in's drive C:.
void WriteOneFile(CvCalExport& writer) {
  static const std::string folder = [] {
    const std::string windows = "C:\\KelvraBench";
    std::filesystem::create_directories(testkit::ToLinuxPath(windows));
    return windows;
  }();
  writer.SetOutput(folder, true, true, "Calendar");
}

std::string FileText(const CvCalExport& writer) {
  std::ifstream in(testkit::ToLinuxPath(writer.CurrentFile()), std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// One calendar holding the whole mix.
std::string CalendarOf(int format) {
  CvCalExport writer;
  writer.SetFormat(format);
  WriteOneFile(writer);
  writer.BeforeExport();
  for (const Outlook::_AppointmentItemPtr& appointment : TheSetting().Appointments()) {
    writer.SetItem(appointment);
    writer.ExportItem();
  }
  writer.FinishExport();
  return FileText(writer);
}

// Every iteration writes the whole mix into one calendar.
void BM_WriteEventMix(benchmark::State& state) {
  const std::vector<Outlook::_AppointmentItemPtr>& appointments = TheSetting().Appointments();
  if (appointments.size() != kEvents) {
    state.SkipWithError("the mix did not load");
    return;
  }
  CvCalExport writer;
  writer.SetOutlookVersion(14);
  writer.SetFormat(static_cast<int>(state.range(0)));
  WriteOneFile(writer);
  size_t bytes = 0;
  for (auto _ : state) {
    writer.BeforeExport();
    for (const Outlook::_AppointmentItemPtr& appointment : appointments) {
      writer.SetItem(appointment);
      if (writer.ExportItem() != 0) state.SkipWithError("an event failed");
    }
    writer.FinishExport();
    bytes += std::filesystem::file_size(testkit::ToLinuxPath(writer.CurrentFile()));
  }
  state.SetBytesProcessed(static_cast<int64_t>(bytes));
  state.counters["events/s"] = benchmark::Counter(static_cast<double>(state.iterations()) * kEvents,
                                                  benchmark::Counter::kIsRate);
}
BENCHMARK(BM_WriteEventMix)
    ->ArgName("format")
    ->Arg(CvCalExport::kVCalendar10)
    ->Arg(CvCalExport::kICalendar20);

// What reading the mix costs alone: the object-model and Redemption reads the writer
// makes for each event, without building any text.
void BM_ReadEventMix(benchmark::State& state) {
  Redemption::ISafeAppointmentItemPtr safeItem;
  CLSID clsid{};
  if (SUCCEEDED(CLSIDFromProgID(u"Redemption.SafeAppointmentItem", &clsid))) {
    CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER,
                     Redemption::ISafeAppointmentItemPtr::GetIID(),
                     reinterpret_cast<void**>(&safeItem));
  }
  if (!safeItem) {
    state.SkipWithError("no safe appointment item");
    return;
  }
  for (auto _ : state) {
    for (const Outlook::_AppointmentItemPtr& appointment : TheSetting().Appointments()) {
      safeItem->PutItem(appointment);
      benchmark::DoNotOptimize(appointment->GetStart() + appointment->GetEnd());
      benchmark::DoNotOptimize(
          appointment->GetSubject().length() + appointment->GetLocation().length() +
          appointment->GetCategories().length() + safeItem->GetBody().length());
      benchmark::DoNotOptimize(appointment->GetSensitivity());
      benchmark::DoNotOptimize(appointment->GetImportance());
      benchmark::DoNotOptimize(appointment->GetBusyStatus());
      benchmark::DoNotOptimize(appointment->GetMeetingStatus());
      benchmark::DoNotOptimize(appointment->GetReminderMinutesBeforeStart());
      benchmark::DoNotOptimize(appointment->GetAllDayEvent() + appointment->GetReminderSet() +
                               appointment->GetIsRecurring());
    }
  }
  state.counters["events/s"] = benchmark::Counter(static_cast<double>(state.iterations()) * kEvents,
                                                  benchmark::Counter::kIsRate);
}
BENCHMARK(BM_ReadEventMix);

#ifdef KELVRA_HAVE_LIBICAL

// libical serialises each VEVENT of the writer's iCalendar text of the mix.
void BM_LibicalSerialiseEventMix(benchmark::State& state) {
  icalcomponent* calendar = icalparser_parse_string(CalendarOf(CvCalExport::kICalendar20).c_str());
  if (!calendar) {
    state.SkipWithError("libical did not parse the mix");
    return;
  }
  std::vector<icalcomponent*> events;
  for (icalcomponent* event = icalcomponent_get_first_component(calendar, ICAL_VEVENT_COMPONENT);
       event; event = icalcomponent_get_next_component(calendar, ICAL_VEVENT_COMPONENT))
    events.push_back(event);
  for (auto _ : state) {
    for (icalcomponent* event : events) {
      char* text = icalcomponent_as_ical_string_r(event);
      benchmark::DoNotOptimize(text);
      icalmemory_free_buffer(text);
    }
  }
  state.counters["events/s"] = benchmark::Counter(
      static_cast<double>(state.iterations()) * static_cast<double>(events.size()),
      benchmark::Counter::kIsRate);
  icalcomponent_free(calendar);
}
BENCHMARK(BM_LibicalSerialiseEventMix);

#endif

}  // namespace

BENCHMARK_MAIN();
