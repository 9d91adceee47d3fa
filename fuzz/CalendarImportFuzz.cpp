// libFuzzer entry for the whole calendar import of one file: the bytes are read as a
// calendar file (".vcs" when they hold "VERSION:1.0", else ".ics") and every event is
// imported as the import run does it, with Redemption's MAPI helpers present: the
// filter (a date window of this century, which judges a series by its occurrences),
// the duplicate search, the new appointment with its recurrence, exceptions,
// zone, meeting id and organizer. Each input starts from an empty calendar folder of a
// fresh stand-in store, so that nothing of an input outlives it.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "ReaderFuzzSetup.h"
#include "calendar/CvCalImport.h"
#include "calendar/SystemTimezone.h"
#include "outlook/outlook.h"
#include "testkit/Clock.h"
#include "testkit/Operator.h"
#include "testkit/Outlook.h"
#include "testkit/Store.h"
#include "testkit/TimeZone.h"

namespace {

constexpr const char* kEmptyMailbox = R"({"stores": [{"name": "Personal Folders", "folders": [
    {"name": "Deleted Items", "defaultItemType": 0},
    {"name": "Calendar", "defaultItemType": 1}]}]})";

// Central Europe, so that conversions cross summer time; the clock fixed, so that an
// input's reminders are the same at every run.
void SetUpSystem() {
  TIME_ZONE_INFORMATION zone{};
  zone.Bias = -60;
  zone.DaylightBias = -60;
  zone.StandardDate = SYSTEMTIME{0, 10, 0, 5, 3, 0, 0, 0};
  zone.DaylightDate = SYSTEMTIME{0, 3, 0, 5, 2, 0, 0, 0};
  testkit::SetSystemTimeZone(zone);
  testkit::SetLocalTime(SYSTEMTIME{2026, 3, 4, 5, 14, 30, 15, 0});
}

const char* FileNameOf(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  return text.find("VERSION:1.0") != std::string_view::npos ? "fuzz.vcs" : "fuzz.ics";
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const bool ready = (fuzzsetup::SetUpAddin(), SetUpSystem(), true);
  (void)ready;
  testkit::LoadMailboxText(kEmptyMailbox);
  {
    const Outlook::_ApplicationPtr app = testkit::CreateOutlookApplication();
    CvCalImport importer;
    importer.SetTarget(app->GetSession()->GetDefaultFolder(Outlook::olFolderCalendar));
    importer.SetConflictResolution(CvCalImport::kReplace);
    CvCalFilter century;
    century.mask = CvCalFilter::kDates;
    century.dateFrom = COleDateTime(2000, 1, 1, 0, 0, 0);
    century.dateTo = COleDateTime(2100, 1, 1, 0, 0, 0);
    importer.SetFilter(century);
    TimezoneStruct zone{};
    GetSystemTimezone(&zone);
    importer.SetDefaultZone(zone);
    importer.SetDefaultZoneName("W. Europe Standard Time");
    importer.ParseBytes(data, size, FileNameOf(data, size));
  }
  testkit::ClearMessageBoxes();
  return 0;
}
