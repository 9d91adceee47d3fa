#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <memory>
#include <optional>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "src/time/ZoneListData.h"
#include "testkit/Registry.h"
#include "testkit/ZoneList.h"

namespace {

using kelvra::platform::ZoneListData;
using kelvra::platform::ZoneListEntry;

constexpr const char* kHeader = "# a comment\nyears|2026|2027\n";
constexpr const char* kBerlin =
    "zone|W. Europe Standard Time|54|Europe/Berlin|-60|0|-60|10,0,5,3,0,0|3,0,5,2,0,0|"
    "(UTC+01:00) W. Europe Standard Time|W. Europe Standard Time|W. Europe Daylight Time|\n";
constexpr const char* kTokyo =
    "zone|Tokyo Standard Time|80|Asia/Tokyo|-540|0|0|0,0,0,0,0,0|0,0,0,0,0,0|"
    "(UTC+09:00) Tokyo Standard Time|Tokyo Standard Time|Tokyo Daylight Time|\n";

std::optional<ZoneListData> ParseText(const std::string& text) {
  std::istringstream in(text);
  return ZoneListData::Parse(in);
}

std::uint32_t ReadLittleEndian(const std::string& bytes, std::size_t at, int size) {
  std::uint32_t value = 0;
  for (int i = size - 1; i >= 0; --i) {
    value = value << 8 | static_cast<unsigned char>(bytes[at + i]);
  }
  return value;
}

// ---------------------------------------------------------------------------------------
// Reading the list file.

class ZoneListParseTest : public ::testing::Test {};

TEST_F(ZoneListParseTest, ReadsZoneFieldsRulesAndYears) {
  const auto data = ParseText(std::string(kHeader) + kBerlin + "\r\n" + kTokyo);
  ASSERT_TRUE(data);
  EXPECT_EQ(data->firstCheckedYear(), 2026);
  EXPECT_EQ(data->lastCheckedYear(), 2027);
  ASSERT_EQ(data->zones().size(), 2u);
  const ZoneListEntry& berlin = data->zones()[0];
  EXPECT_EQ(berlin.id, "W. Europe Standard Time");
  EXPECT_EQ(berlin.index, 54u);
  EXPECT_EQ(berlin.iana, "Europe/Berlin");
  EXPECT_EQ(berlin.bias, -60);
  EXPECT_EQ(berlin.standardBias, 0);
  EXPECT_EQ(berlin.daylightBias, -60);
  EXPECT_EQ(berlin.standardDate.wMonth, 10);
  EXPECT_EQ(berlin.standardDate.wDay, 5);
  EXPECT_EQ(berlin.standardDate.wHour, 3);
  EXPECT_EQ(berlin.daylightDate.wMonth, 3);
  EXPECT_EQ(berlin.daylightDate.wHour, 2);
  EXPECT_EQ(berlin.daylightDate.wYear, 0);
  EXPECT_EQ(berlin.display, "(UTC+01:00) W. Europe Standard Time");
  EXPECT_EQ(berlin.daylightName, "W. Europe Daylight Time");
  EXPECT_EQ(berlin.mismatch, "");
  EXPECT_EQ(data->zones()[1].daylightDate.wMonth, 0);
}

TEST_F(ZoneListParseTest, TziIsFortyFourLittleEndianBytes) {
  const auto data = ParseText(std::string(kHeader) + kBerlin);
  ASSERT_TRUE(data);
  const std::string tzi = data->zones()[0].Tzi();
  ASSERT_EQ(tzi.size(), 44u);
  EXPECT_EQ(static_cast<std::int32_t>(ReadLittleEndian(tzi, 0, 4)), -60);
  EXPECT_EQ(ReadLittleEndian(tzi, 4, 4), 0u);
  EXPECT_EQ(static_cast<std::int32_t>(ReadLittleEndian(tzi, 8, 4)), -60);
  // StandardDate at 12, DaylightDate at 28: wYear, wMonth, wDayOfWeek, wDay, wHour...
  EXPECT_EQ(ReadLittleEndian(tzi, 12, 2), 0u);
  EXPECT_EQ(ReadLittleEndian(tzi, 14, 2), 10u);
  EXPECT_EQ(ReadLittleEndian(tzi, 18, 2), 5u);
  EXPECT_EQ(ReadLittleEndian(tzi, 20, 2), 3u);
  EXPECT_EQ(ReadLittleEndian(tzi, 30, 2), 3u);
  EXPECT_EQ(ReadLittleEndian(tzi, 36, 2), 2u);
  EXPECT_EQ(ReadLittleEndian(tzi, 42, 2), 0u);
}

TEST_F(ZoneListParseTest, MapsIanaNamesAndFindsZonesWithoutCase) {
  const auto data = ParseText(std::string(kHeader) + kBerlin + kTokyo +
                              "alias|Europe/Paris|W. Europe Standard Time\n");
  ASSERT_TRUE(data);
  EXPECT_EQ(data->WindowsZoneForIana("Europe/Berlin"), "W. Europe Standard Time");
  EXPECT_EQ(data->WindowsZoneForIana("Europe/Paris"), "W. Europe Standard Time");
  EXPECT_EQ(data->WindowsZoneForIana("Asia/Tokyo"), "Tokyo Standard Time");
  EXPECT_EQ(data->WindowsZoneForIana("europe/paris"), "");
  EXPECT_EQ(data->WindowsZoneForIana("Mars/Olympus"), "");
  const ZoneListEntry* found = data->FindZone("tokyo STANDARD time");
  ASSERT_NE(found, nullptr);
  EXPECT_EQ(found->bias, -540);
  EXPECT_EQ(data->FindZone("Tokyo"), nullptr);
}

TEST_F(ZoneListParseTest, RejectsMalformedFiles) {
  const std::string zone = "zone|Z|1|Etc/Z|0|0|-60|";
  const std::string tail = "|D|S|T|\n";
  const std::vector<std::string> bad = {
      "zone|Z|1|Etc/Z|0|0|0|0,0,0,0,0,0|0,0,0,0,0,0|D|S|T\n",    // a field short
      zone + "13,0,1,2,0,0|3,0,2,2,0,0" + tail,                  // month 13
      zone + "10,7,1,2,0,0|3,0,2,2,0,0" + tail,                  // weekday 7
      zone + "10,0,0,2,0,0|3,0,2,2,0,0" + tail,                  // week 0 with a month
      zone + "10,0,6,2,0,0|3,0,2,2,0,0" + tail,                  // week 6
      zone + "10,0,1,24,0,0|3,0,2,2,0,0" + tail,                 // hour 24
      zone + "10,0,1,2,60,0|3,0,2,2,0,0" + tail,                 // minute 60
      zone + "0,0,1,0,0,0|0,0,0,0,0,0" + tail,                   // a week without a month
      zone + "10,0,1,2,0|3,0,2,2,0,0" + tail,                    // a rule short
      "zone|Z|1|Etc/Z|x|0|0|0,0,0,0,0,0|0,0,0,0,0,0" + tail,     // bias not a number
      "zone|Z|1|Etc/Z|1441|0|0|0,0,0,0,0,0|0,0,0,0,0,0" + tail,  // bias beyond a day
      "zone|Z|-1|Etc/Z|0|0|0|0,0,0,0,0,0|0,0,0,0,0,0" + tail,    // negative index
      std::string(kBerlin) + kBerlin,                            // the same id twice
      std::string(kBerlin) + "alias|Europe/Paris|Romance Standard Time\n",  // unknown zone
      "years|2027|2026\n",
      "what|ever\n",
  };
  for (const auto& text : bad) EXPECT_FALSE(ParseText(text)) << text;
  EXPECT_TRUE(ParseText(zone + "10,0,5,3,0,0|3,0,5,2,0,0" + tail));
}

TEST_F(ZoneListParseTest, MissingFileGivesNoList) {
  EXPECT_FALSE(ZoneListData::Load("/nonexistent/kelvra/timezones.txt"));
}

// ---------------------------------------------------------------------------------------
// The generated list as committed.

class GeneratedZoneListTest : public ::testing::Test {
 protected:
  void SetUp() override {
    auto data = ZoneListData::Load(KELVRA_SOURCE_DIR "/resources/timezones.txt");
    ASSERT_TRUE(data) << "resources/timezones.txt is missing or malformed";
    data_ = std::move(*data);
  }
  ZoneListData data_;
};

TEST_F(GeneratedZoneListTest, HoldsAnAllZeroUtcZone) {
  const ZoneListEntry* utc = data_.FindZone("UTC");
  ASSERT_NE(utc, nullptr);
  EXPECT_EQ(utc->Tzi(), std::string(44, '\0'));
  EXPECT_EQ(data_.WindowsZoneForIana("Etc/UTC"), "UTC");
}

TEST_F(GeneratedZoneListTest, EveryZoneIsWellFormed) {
  ASSERT_GT(data_.zones().size(), 100u);
  std::set<DWORD> indexes;
  for (const auto& zone : data_.zones()) {
    SCOPED_TRACE(zone.id);
    EXPECT_TRUE(indexes.insert(zone.index).second) << "index used twice";
    EXPECT_FALSE(zone.standardName.empty());
    EXPECT_FALSE(zone.daylightName.empty());
    EXPECT_LT(zone.display.size(), 1024u);
    const int offset = -(zone.bias + zone.standardBias);
    char prefix[32];
    std::snprintf(prefix, sizeof prefix, "(UTC%c%02d:%02d) ", offset < 0 ? '-' : '+',
                  std::abs(offset) / 60, std::abs(offset) % 60);
    EXPECT_EQ(zone.display, prefix + zone.id);
    if (zone.daylightDate.wMonth == 0) {
      EXPECT_EQ(zone.daylightBias, 0);
      EXPECT_EQ(zone.standardDate.wMonth, 0);
    } else {
      EXPECT_NE(zone.standardDate.wMonth, 0);
      EXPECT_NE(zone.daylightBias, 0);
    }
  }
}

TEST_F(GeneratedZoneListTest, MapsCommonIanaNames) {
  EXPECT_EQ(data_.WindowsZoneForIana("Europe/Berlin"), "W. Europe Standard Time");
  EXPECT_EQ(data_.WindowsZoneForIana("Europe/Paris"), "Romance Standard Time");
  EXPECT_EQ(data_.WindowsZoneForIana("America/New_York"), "Eastern Standard Time");
  EXPECT_EQ(data_.WindowsZoneForIana("Australia/Sydney"), "AUS Eastern Standard Time");
  EXPECT_EQ(data_.WindowsZoneForIana("Asia/Tokyo"), "Tokyo Standard Time");
}

TEST_F(GeneratedZoneListTest, RuntimeCopyIsTheSameList) {
  const auto& runtime = ZoneListData::Instance();
  ASSERT_EQ(runtime.zones().size(), data_.zones().size());
  for (std::size_t i = 0; i < runtime.zones().size(); ++i) {
    EXPECT_EQ(runtime.zones()[i].id, data_.zones()[i].id);
    EXPECT_EQ(runtime.zones()[i].Tzi(), data_.zones()[i].Tzi());
  }
  EXPECT_EQ(testkit::WindowsZoneForIana("Europe/Vienna"), "W. Europe Standard Time");
  EXPECT_EQ(testkit::WindowsZoneForIana("Nowhere/Special"), "");
}

// ---------------------------------------------------------------------------------------
// The list in the registry.

class SeedZoneListTest : public ::testing::Test {
 protected:
  void SetUp() override { testkit::ResetRegistry(); }
  void TearDown() override { testkit::ResetRegistry(); }
};

TEST_F(SeedZoneListTest, WritesOneKeyPerZoneWithItsValues) {
  const auto& zones = ZoneListData::Instance().zones();
  ASSERT_FALSE(zones.empty());
  EXPECT_EQ(testkit::SeedZoneList(), zones.size());
  EXPECT_EQ(testkit::SubKeyNames(HKEY_LOCAL_MACHINE, testkit::kTimeZonesKey).size(), zones.size());
  const ZoneListEntry* berlin = ZoneListData::Instance().FindZone("W. Europe Standard Time");
  ASSERT_NE(berlin, nullptr);
  const std::string key = std::string(testkit::kTimeZonesKey) + "\\W. Europe Standard Time";
  EXPECT_EQ(testkit::ReadString(HKEY_LOCAL_MACHINE, key, "Display"), berlin->display);
  EXPECT_EQ(testkit::ReadString(HKEY_LOCAL_MACHINE, key, "Std"), "W. Europe Standard Time");
  EXPECT_EQ(testkit::ReadString(HKEY_LOCAL_MACHINE, key, "Dlt"), "W. Europe Daylight Time");
  EXPECT_EQ(testkit::ReadDword(HKEY_LOCAL_MACHINE, key, "Index"), berlin->index);
  const auto tzi = testkit::ReadValue(HKEY_LOCAL_MACHINE, key, "TZI");
  ASSERT_TRUE(tzi);
  EXPECT_EQ(tzi->type, static_cast<DWORD>(REG_BINARY));
  EXPECT_EQ(tzi->data, berlin->Tzi());
  // The display text is a string with its terminator.
  const auto display = testkit::ReadValue(HKEY_LOCAL_MACHINE, key, "Display");
  ASSERT_TRUE(display);
  EXPECT_EQ(display->data, berlin->display + '\0');
}

// ---------------------------------------------------------------------------------------
// The independent check: the rules of every zone give the offset changes that tzdata,
// as zdump reads it, has for the zone's IANA name in the checked years.

struct Change {
  std::int64_t utc;
  int offsetBefore;
  int offsetAfter;
  bool operator==(const Change&) const = default;
};

std::string Describe(const std::vector<Change>& changes) {
  std::ostringstream text;
  for (const auto& c : changes) {
    const std::time_t t = static_cast<std::time_t>(c.utc);
    std::tm utc{};
    gmtime_r(&t, &utc);
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "%Y-%m-%d %H:%M:%S", &utc);
    text << stamp << " UT " << c.offsetBefore << " -> " << c.offsetAfter << "; ";
  }
  return text.str();
}

// "+01", "-0330", "+053028" as seconds east of UTC.
int ParseOffset(const std::string& text) {
  const int sign = text[0] == '-' ? -1 : 1;
  const std::string digits = text.substr(1);
  int seconds = 0;
  int unit = 3600;
  for (std::size_t i = 0; i + 2 <= digits.size(); i += 2, unit /= 60) {
    seconds += std::stoi(digits.substr(i, 2)) * unit;
  }
  return sign * seconds;
}

// "03", "01:30", "02:30:15" as seconds.
int ParseClock(const std::string& text) {
  int seconds = 0;
  int unit = 3600;
  std::istringstream in(text);
  std::string part;
  while (std::getline(in, part, ':')) {
    seconds += std::stoi(part) * unit;
    unit /= 60;
  }
  return seconds;
}

std::int64_t UtcSeconds(int year, int month, int day, int seconds) {
  std::tm date{};
  date.tm_year = year - 1900;
  date.tm_mon = month - 1;
  date.tm_mday = day;
  return static_cast<std::int64_t>(timegm(&date)) + seconds;
}

struct ZdumpResult {
  bool ran = false;
  int initialOffset = 0;
  std::vector<Change> changes;
};

ZdumpResult Zdump(const std::string& iana, int firstYear, int lastYear) {
  const std::string command = "zdump -i -c " + std::to_string(firstYear) + "," +
                              std::to_string(lastYear + 1) + " '" + iana + "' 2>/dev/null";
  std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), pclose);
  ZdumpResult result;
  if (!pipe) return result;
  char buffer[512];
  int current = 0;
  while (std::fgets(buffer, sizeof buffer, pipe.get())) {
    std::string line(buffer);
    while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.pop_back();
    std::vector<std::string> fields;
    std::istringstream in(line);
    for (std::string field; std::getline(in, field, '\t');) fields.push_back(field);
    if (fields.size() < 3) continue;
    if (fields[0] == "-") {
      result.ran = true;
      current = result.initialOffset = ParseOffset(fields[2]);
      continue;
    }
    int year = 0, month = 0, day = 0;
    if (std::sscanf(fields[0].c_str(), "%d-%d-%d", &year, &month, &day) != 3) continue;
    const int offset = ParseOffset(fields[2]);
    const std::int64_t utc = UtcSeconds(year, month, day, ParseClock(fields[1])) - offset;
    if (offset != current) result.changes.push_back({utc, current, offset});
    current = offset;
  }
  return result;
}

// The UTC instant of a rule's change in a year, the rule's time read in offsetBefore.
std::int64_t RuleChange(const SYSTEMTIME& rule, int year, int offsetBefore) {
  const std::int64_t first = UtcSeconds(year, rule.wMonth, 1, 0) / 86400;
  const int firstWeekday = static_cast<int>((first + 4) % 7);  // 1970-01-01 was a Thursday
  int day = 1 + (rule.wDayOfWeek - firstWeekday + 7) % 7 + 7 * (rule.wDay - 1);
  const int nextMonth = rule.wMonth == 12 ? 1 : rule.wMonth + 1;
  const int days = static_cast<int>(
      UtcSeconds(rule.wMonth == 12 ? year + 1 : year, nextMonth, 1, 0) / 86400 - first);
  while (day > days) day -= 7;
  return UtcSeconds(year, rule.wMonth, day, rule.wHour * 3600 + rule.wMinute * 60 + rule.wSecond) -
         offsetBefore;
}

std::vector<Change> ExpectedChanges(const ZoneListEntry& zone, int year) {
  if (zone.daylightDate.wMonth == 0) return {};
  const int standard = -(zone.bias + zone.standardBias) * 60;
  const int daylight = -(zone.bias + zone.daylightBias) * 60;
  std::vector<Change> changes{{RuleChange(zone.daylightDate, year, standard), standard, daylight},
                              {RuleChange(zone.standardDate, year, daylight), daylight, standard}};
  std::sort(changes.begin(), changes.end(),
            [](const Change& a, const Change& b) { return a.utc < b.utc; });
  return changes;
}

class ZoneListTransitionsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (std::system("zdump -i -c 2000,2001 Etc/UTC >/dev/null 2>&1") != 0) {
      GTEST_SKIP() << "zdump with -i is not installed: the zone list is not checked";
    }
  }
};

TEST_F(ZoneListTransitionsTest, RulesGiveTzdataChangesInTheCheckedYears) {
  const auto& data = ZoneListData::Instance();
  ASSERT_GT(data.firstCheckedYear(), 0);
  std::size_t skipped = 0;
  for (const auto& zone : data.zones()) {
    SCOPED_TRACE(zone.id + " (" + zone.iana + ")");
    if (!zone.mismatch.empty()) {
      ++skipped;
      continue;
    }
    const auto dump = Zdump(zone.iana, data.firstCheckedYear(), data.lastCheckedYear());
    ASSERT_TRUE(dump.ran) << "zdump knows no such zone";
    std::vector<Change> expected;
    for (int year = data.firstCheckedYear(); year <= data.lastCheckedYear(); ++year) {
      const auto changes = ExpectedChanges(zone, year);
      expected.insert(expected.end(), changes.begin(), changes.end());
    }
    EXPECT_EQ(Describe(dump.changes), Describe(expected));
    if (expected.empty()) {
      EXPECT_EQ(dump.initialOffset, -(zone.bias + zone.standardBias) * 60);
    }
  }
  // The listed exceptions stay exceptions: a generator that gave up on every zone would
  // pass the loop above.
  EXPECT_LT(skipped, 10u);
}

}  // namespace
