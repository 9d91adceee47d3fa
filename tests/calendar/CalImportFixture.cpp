#include "CalImportFixture.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "calendar/CvCalImport.h"
#include "resource.h"
#include "testkit/Dialogs.h"
#include "testkit/Operator.h"
#include "testkit/Store.h"
#include "testkit/ZoneList.h"
#include "win32/time.h"

namespace calimport {

namespace {

std::string Narrow(const _bstr_t& text) {
  const char* chars = text;
  return chars ? chars : "";
}

// The local time of a yearly rule's change in that year: its weekday in week wDay of its
// month, week 5 being the last one.
COleDateTime TransitionIn(int year, const SYSTEMTIME& rule) {
  const COleDateTime first(year, rule.wMonth, 1, rule.wHour, rule.wMinute, 0);
  const int firstWeekday = first.GetDayOfWeek() - 1;  // 0 = Sunday
  const int shift = (rule.wDayOfWeek - firstWeekday + 7) % 7 + 7 * (rule.wDay - 1);
  COleDateTime day = first + COleDateTimeSpan(shift, 0, 0, 0);
  while (day.GetMonth() != rule.wMonth) day -= COleDateTimeSpan(7, 0, 0, 0);
  return day;
}

// The UTC instant of a local time of that zone: daylight time from the daylight rule's
// local time up to the standard rule's local time (read as daylight time).
COleDateTime LocalToUtc(const TIME_ZONE_INFORMATION& zone, const COleDateTime& local) {
  LONG bias = zone.Bias + zone.StandardBias;
  if (zone.DaylightDate.wMonth != 0) {
    const COleDateTime toDaylight = TransitionIn(local.GetYear(), zone.DaylightDate);
    const COleDateTime toStandard = TransitionIn(local.GetYear(), zone.StandardDate);
    const bool daylight = toDaylight < toStandard ? local >= toDaylight && local < toStandard
                                                  : local >= toDaylight || local < toStandard;
    if (daylight) bias = zone.Bias + zone.DaylightBias;
  }
  return local + COleDateTimeSpan(0, 0, static_cast<int>(bias), 0);
}

std::vector<std::string> SplitCategories(const std::string& text) {
  std::vector<std::string> names;
  size_t start = 0;
  while (start <= text.size()) {
    size_t end = text.find(',', start);
    if (end == std::string::npos) end = text.size();
    std::string name = text.substr(start, end - start);
    name.erase(0, name.find_first_not_of(' '));
    name.erase(name.find_last_not_of(' ') + 1);
    if (!name.empty()) names.push_back(name);
    start = end + 1;
  }
  return names;
}

// The instant text of an appointment's (or occurrence's) start.
std::string StartText(const COleDateTime& local, bool allDay) {
  return allDay ? DayText(local) : SystemInstant(local);
}

bool InWindow(const COleDateTime& local, bool allDay, const COleDateTime& first,
              const COleDateTime& last) {
  TIME_ZONE_INFORMATION zone{};
  GetTimeZoneInformation(&zone);
  const COleDateTime when = allDay ? local : LocalToUtc(zone, local);
  return when >= first && when < last;
}

}  // namespace

void AddReading(EventReadings& readings, const std::string& subject, EventReading reading) {
  std::string key = subject;
  for (int n = 2; readings.count(key) != 0; ++n) key = subject + " #" + std::to_string(n);
  readings.emplace(key, std::move(reading));
}

std::vector<std::string> SubjectsOf(const EventReadings& readings) {
  std::vector<std::string> subjects;
  for (const auto& [subject, reading] : readings) subjects.push_back(subject);
  return subjects;
}

std::string OneLine(const std::string& text) {
  std::string line;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
    line += text[i] == '\n' ? std::string("\\n") : std::string(1, text[i]);
  }
  return line;
}

std::string OccurrenceText(const std::string& instant, const std::string& subject,
                           const std::string& location) {
  return instant + "|" + OneLine(subject) + "|" + OneLine(location);
}

std::string SystemInstant(const COleDateTime& local) {
  TIME_ZONE_INFORMATION zone{};
  GetTimeZoneInformation(&zone);
  return UtcText(LocalToUtc(zone, local));
}

std::string UtcText(const COleDateTime& utc) { return utc.Format("%Y-%m-%dT%H:%M:%SZ"); }

std::string DayText(const COleDateTime& date) { return date.Format("DATE:%Y-%m-%d"); }

void CalImportTest::SetUp() {
  CalWizardTest::SetUp();
  testkit::SeedZoneList();
  EmptyCalendar();
  std::filesystem::create_directories(Temp().linuxPath("in"));
  testkit::ClearMessageBoxes();
}

std::string CalImportTest::Sample(const std::string& name) const {
  std::ifstream in(KELVRA_TEST_DATA_DIR "/calendar/" + name, std::ios::binary);
  EXPECT_TRUE(in.good()) << "no sample file " << name;
  const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  const std::string file = "in/" + std::filesystem::path(name).filename().string();
  Temp().write(file, bytes);
  return Temp().windowsPath("in\\" + std::filesystem::path(name).filename().string());
}

std::string CalImportTest::Import(const std::string& files, const std::string& zone) {
  std::string chosen;
  testkit::OnDialog(IDD_VCAL_IMPORT, [files, zone](HWND dlg) {
    testkit::TypeText(dlg, IDC_TXT_WIN_FLD, files);
    if (!zone.empty()) testkit::Click(dlg, IDC_BTN_OPTIONS);
    testkit::Click(dlg, IDC_BTN_IMPORT_ALL);
  });
  if (!zone.empty()) {
    testkit::OnDialog(IDD_VCAL_IMPORT_OPTIONS, [zone, &chosen](HWND dlg) {
      const std::vector<std::string> items = testkit::Control(dlg, IDC_CBO_TIMEZONE).items;
      const auto exact = std::find(items.begin(), items.end(), zone);
      const auto like = std::find_if(items.begin(), items.end(), [&zone](const std::string& item) {
        return item.find(zone) != std::string::npos;
      });
      chosen = exact != items.end() ? *exact : like != items.end() ? *like : "";
      testkit::SelectItem(dlg, IDC_CBO_TIMEZONE, chosen);
      testkit::Click(dlg, IDOK);
    });
  }
  std::string imported = "<no finish page>";
  testkit::OnDialog(IDD_VCAL_IMPORT_FINISH, [&imported](HWND dlg) {
    imported = testkit::ControlText(dlg, IDC_LBL_NUM_IMPORTED);
    testkit::SetCheck(dlg, IDC_CHK_OPEN_FOLDER, false);
    testkit::Click(dlg, IDCANCEL);
  });
  CvCalImport importer;
  EXPECT_EQ(importer.Execute(m_app, &m_key, nullptr), 0);
  if (!zone.empty()) {
    EXPECT_NE(chosen, "") << "no default zone named like " << zone;
  }
  return imported;
}

EventReadings CalImportTest::Stored(const COleDateTime& first, const COleDateTime& last) const {
  const Outlook::MAPIFolderPtr folder = CalendarFolder();
  // The appointments themselves, by entry id: a single one with its start, a series
  // with the occurrences below.
  std::map<std::string, std::pair<std::string, EventReading>> byEntry;
  const Outlook::_ItemsPtr items = folder->GetItems();
  for (long i = 1; i <= items->GetCount(); ++i) {
    const Outlook::_AppointmentItemPtr item(items->Item(_variant_t(i)));
    EventReading reading;
    reading.allDay = item->GetAllDayEvent() != VARIANT_FALSE;
    if (item->GetReminderSet() != VARIANT_FALSE)
      reading.reminder = std::to_string(item->GetReminderMinutesBeforeStart());
    reading.categories = SplitCategories(Narrow(item->GetCategories()));
    const COleDateTime start(item->GetStart());
    if (item->GetIsRecurring() == VARIANT_FALSE && InWindow(start, reading.allDay, first, last))
      reading.occurrences.push_back(OccurrenceText(StartText(start, reading.allDay),
                                                   Narrow(item->GetSubject()),
                                                   Narrow(item->GetLocation())));
    byEntry[Narrow(item->GetEntryID())] = {Narrow(item->GetSubject()), reading};
  }
  // The occurrences of every series, a few days around the window in local time.
  const auto when = [](const COleDateTime& date) {
    return std::to_string(date.GetMonth()) + "/" + std::to_string(date.GetDay()) + "/" +
           std::to_string(date.GetYear()) + " 00:00";
  };
  const Outlook::_ItemsPtr all = folder->GetItems();
  all->Sort(_bstr_t("[Start]"));
  all->PutIncludeRecurrences(VARIANT_TRUE);
  const Outlook::_ItemsPtr restricted =
      all->Restrict(_bstr_t(("[Start] >= '" + when(first - COleDateTimeSpan(2, 0, 0, 0)) +
                             "' AND [Start] <= '" + when(last + COleDateTimeSpan(2, 0, 0, 0)) + "'")
                                .c_str()));
  for (IDispatchPtr each = restricted->GetFirst(); each; each = restricted->GetNext()) {
    const Outlook::_AppointmentItemPtr occurrence(each);
    if (!occurrence || occurrence->GetIsRecurring() == VARIANT_FALSE) continue;
    const auto found = byEntry.find(Narrow(occurrence->GetEntryID()));
    if (found == byEntry.end()) {
      ADD_FAILURE() << "an occurrence of no series: " << Narrow(occurrence->GetSubject());
      continue;
    }
    EventReading& reading = found->second.second;
    const COleDateTime start(occurrence->GetStart());
    if (InWindow(start, reading.allDay, first, last))
      reading.occurrences.push_back(OccurrenceText(StartText(start, reading.allDay),
                                                   Narrow(occurrence->GetSubject()),
                                                   Narrow(occurrence->GetLocation())));
  }
  all->PutIncludeRecurrences(VARIANT_FALSE);
  EventReadings readings;
  for (auto& [entry, named] : byEntry) {
    std::sort(named.second.occurrences.begin(), named.second.occurrences.end());
    AddReading(readings, named.first, named.second);
  }
  return readings;
}

}  // namespace calimport
