// Items.Restrict of the stand-in Outlook on a calendar of N appointments, a fifth of
// them weekly series of ten: the two searches the calendar import makes for an event.
// - DuplicateSearch: [Start], [End] and [Subject] of one appointment, right after an
//   appointment saved before was changed (as the import changes a new one after its
//   first save).
// - SeriesOccurrences: the occurrences of one series in a collection sorted by [Start]
//   with IncludeRecurrences, over the series' dates and by its subject.
// Either should cost about the same at any N.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>
#include <vector>

#include "atl/OleDateTime.h"
#include "outlook/outlook.h"
#include "testkit/Outlook.h"
#include "testkit/Store.h"

namespace {

constexpr int kSeriesEvery = 5;
constexpr int kOccurrences = 10;

// The start of appointment n: every seven hours from 1 January 2024, 08:00.
COleDateTime StartOf(int n) {
  return COleDateTime(2024, 1, 1, 8, 0, 0) + COleDateTimeSpan(0, 7 * n, 0, 0);
}

std::string Subject(int n) {
  char text[32];
  std::snprintf(text, sizeof text, "Event %05d", n);
  return text;
}

std::string IsoText(const COleDateTime& time) {
  return std::string(time.Format("%Y-%m-%dT%H:%M:%S"));
}

// As the calendar import writes times into a filter.
std::string FilterText(const COleDateTime& time) {
  return std::string(time.Format("%m/%d/%Y %I:%M %p"));
}

std::string Appointment(int n) {
  const COleDateTime start = StartOf(n);
  std::string json = "{\"Subject\": \"" + Subject(n) + "\", \"Start\": \"" + IsoText(start) +
                     "\", \"End\": \"" + IsoText(start + COleDateTimeSpan(0, 0, 45, 0)) + "\"";
  if (n % kSeriesEvery == 0) {
    json +=
        ", \"RecurrencePattern\": {\"RecurrenceType\": 1, \"Interval\": 1, \"DayOfWeekMask\": " +
        std::to_string(1 << (start.GetDayOfWeek() - 1)) + ", \"PatternStartDate\": \"" +
        IsoText(start).substr(0, 10) +
        "\", \"NoEndDate\": false, \"Occurrences\": " + std::to_string(kOccurrences) +
        ", \"StartTime\": \"" + IsoText(start).substr(11) + "\", \"Duration\": 45}";
  }
  return json + "}";
}

// The Outlook application over a calendar of `count` appointments, made again only
// when the count changes.
class Calendar {
 public:
  static Calendar& Of(int count) {
    static Calendar calendar;
    if (calendar.count_ != count) calendar.Load(count);
    return calendar;
  }

  Outlook::MAPIFolderPtr Folder() {
    return app_->GetSession()->GetDefaultFolder(Outlook::olFolderCalendar);
  }
  Outlook::_AppointmentItemPtr Item(int n) {
    return Folder()->GetItems()->Item(static_cast<long>(n + 1));
  }

 private:
  void Load(int count) {
    app_ = nullptr;
    std::string items;
    for (int n = 0; n < count; ++n) items += (n == 0 ? "" : ",") + Appointment(n);
    testkit::LoadMailboxText(R"({"stores": [{"name": "Personal Folders", "folders": [
        {"name": "Deleted Items", "defaultItemType": 0},
        {"name": "Calendar", "defaultItemType": 1, "items": [)" +
                             items + "]}]}]}");
    app_ = testkit::CreateOutlookApplication();
    count_ = count;
  }

  int count_ = 0;
  Outlook::_ApplicationPtr app_;
};

long CountOf(const Outlook::_ItemsPtr& items) {
  long count = 0;
  for (IDispatchPtr item = items->GetFirst(); item != nullptr; item = items->GetNext()) ++count;
  return count;
}

void DuplicateSearch(benchmark::State& state) {
  const int count = static_cast<int>(state.range(0));
  Calendar& calendar = Calendar::Of(count);
  Outlook::_AppointmentItemPtr changed = calendar.Item(count - 1);
  Outlook::_ItemsPtr items = calendar.Folder()->GetItems();
  int n = 0;
  for (auto _ : state) {
    changed->PutReminderSet(changed->GetReminderSet() ? VARIANT_FALSE : VARIANT_TRUE);
    const COleDateTime start = StartOf(n);
    const std::string filter = "[Start] = '" + FilterText(start) + "' And [End] = '" +
                               FilterText(start + COleDateTimeSpan(0, 0, 45, 0)) +
                               "' And [Subject] = '" + Subject(n) + "'";
    if (CountOf(items->Restrict(filter.c_str())) != 1) state.SkipWithError("no duplicate found");
    n = (n + 1) % count;
  }
  changed->Save();
}

void SeriesOccurrences(benchmark::State& state) {
  const int count = static_cast<int>(state.range(0));
  Outlook::MAPIFolderPtr folder = Calendar::Of(count).Folder();
  int n = 0;
  for (auto _ : state) {
    const COleDateTime start = StartOf(n);
    const std::string filter =
        "[Start] >= \"" + FilterText(start) + "\" And [Start] <= \"" +
        FilterText(start + COleDateTimeSpan(7 * (kOccurrences - 1), 0, 0, 0)) +
        "\" And [Subject] = \"" + Subject(n) + "\"";
    Outlook::_ItemsPtr items = folder->GetItems();
    items->Sort("[Start]");
    items->PutIncludeRecurrences(VARIANT_TRUE);
    Outlook::_ItemsPtr found = items->Restrict(filter.c_str());
    found->Sort("[Start]");
    if (CountOf(found) != kOccurrences)
      state.SkipWithError("the series' occurrences were not all found");
    n = (n + kSeriesEvery) % count;
  }
}

BENCHMARK(DuplicateSearch)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);
BENCHMARK(SeriesOccurrences)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
