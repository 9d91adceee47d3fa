#include "CalWriterFixture.h"

#include <filesystem>
#include <fstream>
#include <iterator>

#include "ZoneTestData.h"
#include "contacts/SupportedEncodingsList.h"
#include "testkit/Clock.h"
#include "testkit/Files.h"
#include "testkit/Guid.h"
#include "testkit/Locale.h"
#include "testkit/Modules.h"
#include "testkit/Redemption.h"
#include "testkit/Registry.h"
#include "testkit/Store.h"
#include "testkit/TimeZone.h"

namespace calwriter {

namespace {

constexpr const char* kModuleName = "Kelvra.dll";

std::string ReadBytes(const std::string& linuxPath) {
  std::ifstream in(linuxPath, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace

std::string AllDaySeriesJson() {
  return R"({"Subject": "Holiday", "Start": "2026-07-06", "End": "2026-07-07", "AllDayEvent": true,
      "RecurrencePattern": {"RecurrenceType": 1, "Interval": 1, "DayOfWeekMask": 2,
        "PatternStartDate": "2026-07-06", "NoEndDate": false, "Occurrences": 6,
        "StartTime": "00:00:00", "Duration": 1440},
      "Exceptions": [{"OriginalDate": "2026-07-13T00:00:00", "Deleted": true},
        {"OriginalDate": "2026-07-20T00:00:00", "Deleted": false, "Start": "2026-07-22",
         "End": "2026-07-23"}]})";
}

void CalWriterTest::SetUp() {
  m_log = std::make_unique<zonetest::LogCapture>();
  testkit::SetAcp(65001);
  testkit::SetListSeparator(",");
  testkit::ResetRegistry();
  testkit::SetSystemTimeZone(zonetest::AsSystemZone(zonetest::CentralEurope()));
  testkit::SetLocalTime(SYSTEMTIME{2026, 3, 4, 5, 14, 30, 15, 0});
  testkit::SetGuidSequence(
      {GUID{0x01234567, 0x89AB, 0xCDEF, {0x01, 0x23, 0x45, 0x67, 0x89, 0xAB, 0xCD, 0xEF}},
       GUID{0xFEDCBA98, 0x7654, 0x3210, {0xF0, 0xE1, 0xD2, 0xC3, 0xB4, 0xA5, 0x96, 0x87}}});
  // The add-in's folder holds no module file, so the version words are 1.0.
  testkit::SetModuleFolder(kModuleName, m_addinFolder.windows());
  UseEncodingsList(ReadBytes(KELVRA_SOURCE_DIR "/resources/supportedEncodings.txt"));
  // The zone list ships beside the module: it names the zones by their IANA names too.
  m_addinFolder.write("timezones.txt", ReadBytes(KELVRA_SOURCE_DIR "/resources/timezones.txt"));
  UseEncoding("UTF-8");
  testkit::LoadMailboxFile(KELVRA_TEST_DATA_DIR "/calendar/writer/events.json");
}

void CalWriterTest::TearDown() {
  g_CharConverter = nullptr;
  testkit::ClearFaults();
  testkit::ClearCreateFailures();
  testkit::ResetMailbox();
  testkit::ResetRegistry();
  testkit::UseRandomGuids();
  testkit::UseRealClock();
  testkit::ResetSystemTimeZone();
  testkit::SetModuleFolder(kModuleName, "");
  testkit::SetListSeparator(",");
  testkit::SetAcp(0);
}

void CalWriterTest::LoadCalendar(const std::string& itemsJson) {
  testkit::LoadMailboxText(R"({"stores": [{"name": "Personal Folders", "folders": [
      {"name": "Calendar", "defaultItemType": 1, "items": [)" +
                           itemsJson + "]}]}]}");
}

Outlook::_AppointmentItemPtr CalWriterTest::Appointment(const std::string& subject,
                                                        const std::string& folder) {
  const kelvra::store::ItemPtr item = testkit::FindItem(folder, subject);
  if (!item) {
    ADD_FAILURE() << "no appointment " << subject << " in " << folder;
    return nullptr;
  }
  return Outlook::_AppointmentItemPtr(testkit::OutlookObjectOf(item));
}

std::vector<std::string> CalWriterTest::Subjects(const std::string& folder) {
  std::vector<std::string> subjects;
  for (const kelvra::store::ItemPtr& item : testkit::FindFolder(folder)->Items())
    subjects.push_back(testkit::Text(item, "Subject"));
  return subjects;
}

void CalWriterTest::UseEncoding(const char* name) {
  ASSERT_NE(m_converter->SetCurrentByName(name), DovantCharConverter::kNoConversion) << name;
}

void CalWriterTest::UseEncodingsList(const std::string& list) {
  m_addinFolder.write(SupportedEncodingsList::kFileName, list);
  m_converter = std::make_unique<DovantCharConverter>();
  g_CharConverter = m_converter.get();
}

void CalWriterTest::Prepare(CvCalExport& writer, bool oneFile) const {
  static int run = 0;
  const std::string folder = "out" + std::to_string(++run);
  std::filesystem::create_directories(m_temp.linuxPath(folder));
  writer.SetOutput(m_temp.windowsPath(folder), oneFile, false, "Calendar");
}

std::string CalWriterTest::Written(const CvCalExport& writer) {
  if (writer.CurrentFile().empty()) return "";
  const std::string path = testkit::ToLinuxPath(writer.CurrentFile());
  return std::filesystem::exists(path) ? ReadBytes(path) : "";
}

std::string CalWriterTest::ItemFile(const std::string& subject, int format,
                                    const std::string& folder) {
  CvCalExport writer;
  writer.SetOutlookVersion(14);
  writer.SetFormat(format);
  Prepare(writer, false);
  EXPECT_TRUE(writer.BeforeExport());
  writer.SetItem(Appointment(subject, folder));
  EXPECT_EQ(writer.ExportItem(), 0) << subject << " " << Log().Text();
  writer.FinishExport();
  return Written(writer);
}

std::string CalWriterTest::OneFile(const std::vector<std::string>& subjects, int format,
                                   const std::string& folder) {
  CvCalExport writer;
  for (const int result : WriteOneFile(writer, subjects, format, folder))
    EXPECT_EQ(result, 0) << Log().Text();
  return Written(writer);
}

std::vector<int> CalWriterTest::WriteOneFile(CvCalExport& writer,
                                             const std::vector<std::string>& subjects, int format,
                                             const std::string& folder) {
  writer.SetOutlookVersion(14);
  writer.SetFormat(format);
  Prepare(writer, true);
  EXPECT_TRUE(writer.BeforeExport());
  std::vector<int> results;
  for (const std::string& subject : subjects) {
    writer.SetItem(Appointment(subject, folder));
    results.push_back(writer.ExportItem());
  }
  writer.FinishExport();
  return results;
}

std::string CalWriterTest::Golden(const std::string& name) {
  const std::string path = KELVRA_TEST_DATA_DIR "/calendar/writer/" + name;
  std::string bytes = ReadBytes(path);
  EXPECT_FALSE(bytes.empty()) << "missing or empty golden file " << path;
  return bytes;
}

std::vector<std::string> CalWriterTest::Lines(const std::string& text) {
  std::vector<std::string> lines;
  size_t start = 0;
  for (size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2)
    lines.push_back(text.substr(start, end - start));
  if (start < text.size()) lines.push_back(text.substr(start));
  for (const std::string& line : lines)
    EXPECT_EQ(line.find_first_of("\r\n"), std::string::npos) << "bare line end in " << line;
  return lines;
}

std::vector<std::string> CalWriterTest::LinesStarting(const std::string& text,
                                                      const std::string& start) {
  std::vector<std::string> found;
  for (const std::string& line : Lines(text))
    if (line.compare(0, start.size(), start) == 0) found.push_back(line);
  return found;
}

std::string CalWriterTest::LineStarting(const std::string& text, const std::string& start) {
  const std::vector<std::string> found = LinesStarting(text, start);
  return found.empty() ? "<none>" : found.front();
}

std::vector<std::string> CalWriterTest::EventLines(const std::string& text,
                                                   const std::string& start) {
  std::vector<std::string> found;
  bool inEvent = false;
  for (const std::string& line : Lines(text)) {
    if (line == "BEGIN:VEVENT") inEvent = true;
    if (line == "END:VEVENT") inEvent = false;
    if (inEvent && line.compare(0, start.size(), start) == 0) found.push_back(line);
  }
  return found;
}

std::string CalWriterTest::EventLine(const std::string& text, const std::string& start) {
  const std::vector<std::string> found = EventLines(text, start);
  return found.empty() ? "<none>" : found.front();
}

}  // namespace calwriter
