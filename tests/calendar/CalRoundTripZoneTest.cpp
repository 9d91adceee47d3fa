// Every appointment of the writer's test mailbox (both folders), exported by the export
// run into a file of its own and imported again by the import wizard into an empty
// calendar, in both formats, while the import's default zone is a zone with daylight
// saving time other than the system zone: whatever the default zone, the times a file
// ties to an instant must come back as the same instants. Compared for each appointment:
// start and end (UTC), the all-day flag, the recurrence pattern, every deleted and moved
// occurrence with its times and texts, the categories and the reminder.
//
// What the formats keep no trace of is left out of the comparison: an occurrence changed
// without being moved, the interval of a yearly pattern (always 12), and the fields a
// recurrence type does not use.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <ostream>
#include <string>
#include <vector>

#include "CalImportFixture.h"
#include "calendar/CvCalExport.h"
#include "testkit/Store.h"
#include "testkit/TimeZone.h"

namespace calimport {
namespace {

using calwriter::k10;
using calwriter::k20;

std::string Narrow(const _bstr_t& text) {
  const char* chars = text;
  return chars ? chars : "";
}

std::vector<std::string> Names(const std::string& categories) {
  std::vector<std::string> names;
  for (size_t start = 0, end; start <= categories.size(); start = end + 1) {
    end = std::min(categories.find(',', start), categories.size());
    std::string name = categories.substr(start, end - start);
    name.erase(0, name.find_first_not_of(' '));
    name.erase(name.find_last_not_of(' ') + 1);
    if (!name.empty()) names.push_back(name);
  }
  return names;
}

// The recurrence pattern by the fields its type uses; a daily pattern on weekdays is
// the weekly pattern on Monday to Friday it stands for.
std::string PatternText(const Outlook::RecurrencePatternPtr& pattern) {
  long type = pattern->GetRecurrenceType();
  long interval = 0, mask = 0, day = 0, instance = 0, month = 0;
  if (type == Outlook::olRecursDaily && pattern->GetDayOfWeekMask() == 62) {
    type = Outlook::olRecursWeekly;
    interval = 1;
    mask = 62;
  } else {
    if (type <= 3) interval = pattern->GetInterval();
    if (type == 1 || type == 3 || type == 6) mask = pattern->GetDayOfWeekMask();
    if (type == 2 || type == 5) day = pattern->GetDayOfMonth();
    if (type == 3 || type == 6) instance = pattern->GetInstance();
    if (type == 5 || type == 6) month = pattern->GetMonthOfYear();
  }
  const bool noEnd = pattern->GetNoEndDate() != VARIANT_FALSE;
  return "type " + std::to_string(type) + ", interval " + std::to_string(interval) + ", days " +
         std::to_string(mask) + ", day " + std::to_string(day) + ", instance " +
         std::to_string(instance) + ", month " + std::to_string(month) +
         (noEnd ? ", no end" : ", " + std::to_string(pattern->GetOccurrences()) + " times");
}

// Deleted occurrences by their original start; moved ones with their new times and texts.
std::vector<std::string> ExceptionTexts(const Outlook::RecurrencePatternPtr& pattern) {
  std::vector<std::string> texts;
  const Outlook::ExceptionsPtr exceptions = pattern->GetExceptions();
  for (long i = 1; i <= exceptions->GetCount(); ++i) {
    const Outlook::ExceptionPtr exception = exceptions->Item(_variant_t(i));
    const COleDateTime original(exception->GetOriginalDate());
    if (exception->GetDeleted() != VARIANT_FALSE) {
      texts.push_back("deleted " + SystemInstant(original));
      continue;
    }
    const Outlook::_AppointmentItemPtr moved = exception->GetAppointmentItem();
    const COleDateTime start(moved->GetStart());
    if (start == original) continue;
    texts.push_back(
        "moved " + SystemInstant(original) + " to " + SystemInstant(start) + " - " +
        SystemInstant(COleDateTime(moved->GetEnd())) + " " + OneLine(Narrow(moved->GetSubject())) +
        "|" + OneLine(Narrow(moved->GetLocation())) + "|" + OneLine(Narrow(moved->GetBody())));
  }
  std::sort(texts.begin(), texts.end());
  return texts;
}

// What the round trip must keep of an appointment.
struct Kept {
  std::string start, end;
  bool allDay = false;
  std::string pattern;
  std::vector<std::string> exceptions;
  std::vector<std::string> categories;
  std::string reminder;
};

Kept KeptOf(const Outlook::_AppointmentItemPtr& item) {
  Kept kept;
  kept.start = SystemInstant(COleDateTime(item->GetStart()));
  kept.end = SystemInstant(COleDateTime(item->GetEnd()));
  kept.allDay = item->GetAllDayEvent() != VARIANT_FALSE;
  if (item->GetIsRecurring() != VARIANT_FALSE) {
    kept.pattern = PatternText(item->GetRecurrencePattern());
    kept.exceptions = ExceptionTexts(item->GetRecurrencePattern());
  }
  kept.categories = Names(Narrow(item->GetCategories()));
  kept.reminder = item->GetReminderSet() == VARIANT_FALSE
                      ? "off"
                      : std::to_string(item->GetReminderMinutesBeforeStart()) + " minutes";
  return kept;
}

struct ZoneCase {
  int format;
  // A Windows zone id.
  const char* systemZone;
  // A name the import options list.
  const char* defaultZone;
};

std::ostream& operator<<(std::ostream& out, const ZoneCase& zones) {
  return out << (zones.format == k10 ? "vCalendar 1.0" : "iCalendar 2.0") << ", system zone "
             << zones.systemZone << ", default zone " << zones.defaultZone;
}

std::string CaseName(const ::testing::TestParamInfo<ZoneCase>& info) {
  std::string name = std::string(info.param.format == k10 ? "vCal10_" : "iCal20_") +
                     info.param.systemZone + "_default_" +
                     std::string(info.param.defaultZone).substr(12);
  for (char& c : name)
    if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
  return name;
}

class CalRoundTripZoneTest : public CalImportTest, public ::testing::WithParamInterface<ZoneCase> {
 protected:
  void SetUp() override {
    CalImportTest::SetUp();
    ASSERT_TRUE(testkit::SetSystemTimeZone(std::string(GetParam().systemZone)));
    testkit::LoadMailboxFile(KELVRA_TEST_DATA_DIR "/calendar/writer/events.json");
    AddAllDaySeries();
  }

  // Beside the mailbox's appointments: a weekly all-day series with a deleted day.
  void AddAllDaySeries() const {
    const Outlook::MAPIFolderPtr folder = CalendarFolder();
    const Outlook::_AppointmentItemPtr series(folder->GetItems()->Add(_variant_t(1L)));
    series->PutSubject(_bstr_t("School holidays"));
    series->PutAllDayEvent(VARIANT_TRUE);
    series->PutStart(COleDateTime(2026, 7, 6, 0, 0, 0));
    series->PutEnd(COleDateTime(2026, 7, 7, 0, 0, 0));
    series->GetRecurrencePattern()->PutOccurrences(5);
    series->Save();
    series->GetRecurrencePattern()->GetOccurrence(COleDateTime(2026, 7, 13, 0, 0, 0))->Delete();
  }

  // Every appointment of both folders, written by the export run into a file each.
  std::map<std::string, Kept> Export() {
    std::filesystem::create_directories(Temp().linuxPath("out"));
    CvCalExport writer;
    writer.SetOutlookVersion(14);
    writer.SetFormat(GetParam().format);
    writer.SetOutput(Temp().windowsPath("out"), false, false, "Calendar");
    EXPECT_TRUE(writer.BeforeExport());
    std::map<std::string, Kept> exported;
    for (const char* folder : {calwriter::kCalendar, calwriter::kRules}) {
      for (const std::string& subject : Subjects(folder)) {
        const Outlook::_AppointmentItemPtr item = Appointment(subject, folder);
        writer.SetItem(item);
        EXPECT_EQ(writer.ExportItem(), 0) << subject << Log().Text();
        exported[subject] = KeptOf(item);
      }
    }
    writer.FinishExport();
    return exported;
  }
};

TEST_P(CalRoundTripZoneTest, EveryAppointmentComesBackAsItWasExported) {
  const std::map<std::string, Kept> exported = Export();
  ASSERT_EQ(exported.size(), 22u);
  EmptyCalendar();
  EXPECT_EQ(Import(Temp().windowsPath("out"), GetParam().defaultZone),
            std::to_string(exported.size()))
      << Log().Text();
  EXPECT_EQ(Subjects(calwriter::kCalendar).size(), exported.size());
  for (const auto& [subject, before] : exported) {
    SCOPED_TRACE(subject);
    if (!testkit::FindItem(calwriter::kCalendar, subject)) {
      ADD_FAILURE() << "did not come back";
      continue;
    }
    const Kept after = KeptOf(Appointment(subject));
    EXPECT_EQ(after.start, before.start);
    EXPECT_EQ(after.end, before.end);
    EXPECT_EQ(after.allDay, before.allDay);
    EXPECT_EQ(after.pattern, before.pattern);
    EXPECT_EQ(after.exceptions, before.exceptions);
    EXPECT_EQ(after.categories, before.categories);
    EXPECT_EQ(after.reminder, before.reminder);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Zones, CalRoundTripZoneTest,
    ::testing::Values(ZoneCase{k20, "W. Europe Standard Time", "(UTC-05:00) Eastern Standard Time"},
                      ZoneCase{k10, "W. Europe Standard Time", "(UTC-05:00) Eastern Standard Time"},
                      ZoneCase{k20, "Eastern Standard Time", "(UTC+01:00) W. Europe Standard Time"},
                      ZoneCase{k10, "Eastern Standard Time",
                               "(UTC+01:00) W. Europe Standard Time"}),
    CaseName);

}  // namespace
}  // namespace calimport
