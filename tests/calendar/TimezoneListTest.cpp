// The Windows zone list read from the registry: skipped zones, Index, errors, the
// sort order, the name lookup and the fallback names.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "LogCapture.h"
#include "ZoneTestData.h"
#include "calendar/GmtOffsetName.h"
#include "calendar/TimezoneList.h"
#include "testkit/Registry.h"

namespace {

using namespace zonetest;

const std::string kZones = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Time Zones";

std::string TziBytes(const TimezoneStruct& zone) {
  std::string bytes(reinterpret_cast<const char*>(&zone.Bias), 12);
  bytes.append(reinterpret_cast<const char*>(&zone.StandardDate), sizeof(SYSTEMTIME));
  bytes.append(reinterpret_cast<const char*>(&zone.DaylightDate), sizeof(SYSTEMTIME));
  return bytes;
}

std::string DwordBytes(DWORD value) {
  return std::string(reinterpret_cast<const char*>(&value), 4);
}

class TimezoneListTest : public ::testing::Test {
 protected:
  void SetUp() override { testkit::ResetRegistry(); }
  void TearDown() override { testkit::ResetRegistry(); }

  // A zone with every value but leaveOut; index < 0 leaves "Index" out too.
  static void AddZone(const std::string& id, const std::string& display, const TimezoneStruct& zone,
                      long long index = -1, const std::string& leaveOut = "") {
    const std::string path = kZones + "\\" + id;
    const auto put = [&](const std::string& name, DWORD type, const std::string& data) {
      if (name != leaveOut) testkit::WriteValue(HKEY_LOCAL_MACHINE, path, name, type, data);
    };
    put("Display", REG_SZ, display + std::string(1, '\0'));
    put("Dlt", REG_SZ, id + " Daylight Time" + std::string(1, '\0'));
    put("Std", REG_SZ, id + " Standard Time" + std::string(1, '\0'));
    put("TZI", REG_BINARY, TziBytes(zone));
    if (index >= 0) put("Index", REG_DWORD, DwordBytes(static_cast<DWORD>(index)));
  }
  static void SetValue(const std::string& id, const std::string& name, DWORD type,
                       const std::string& data) {
    testkit::WriteValue(HKEY_LOCAL_MACHINE, kZones + "\\" + id, name, type, data);
  }

  static std::vector<std::string> Names(const std::vector<TimezoneEntry>& list) {
    std::vector<std::string> names;
    for (const TimezoneEntry& entry : list) names.push_back(entry.displayName);
    return names;
  }

  std::vector<TimezoneEntry> ReadList() {
    std::vector<TimezoneEntry> list;
    int count = -5;
    EXPECT_EQ(0, GetAllTimezones(&list, &count));
    EXPECT_EQ(static_cast<int>(list.size()), count);
    return list;
  }
};

TEST_F(TimezoneListTest, NullOutputsAreRefusedUntouched) {
  AddZone("A", "Zone A", CentralEurope(), 1);
  std::vector<TimezoneEntry> list(2);
  int count = 7;
  EXPECT_EQ(-1, GetAllTimezones(&list, nullptr));
  EXPECT_EQ(-1, GetAllTimezones(nullptr, &count));
  EXPECT_EQ(2u, list.size());
  EXPECT_EQ(7, count);
}

TEST_F(TimezoneListTest, MissingOrDeniedKeyIsTheRegistryError) {
  std::vector<TimezoneEntry> list;
  int count = 7;
  EXPECT_EQ(ERROR_FILE_NOT_FOUND, GetAllTimezones(&list, &count));
  EXPECT_EQ(7, count);
  AddZone("A", "Zone A", CentralEurope(), 1);
  testkit::DenyAccess(HKEY_LOCAL_MACHINE, kZones, KEY_ENUMERATE_SUB_KEYS);
  EXPECT_EQ(ERROR_ACCESS_DENIED, GetAllTimezones(&list, &count));
  EXPECT_EQ(0u, testkit::OpenKeyCount());
}

TEST_F(TimezoneListTest, EmptyListIsZeroEntries) {
  testkit::WriteString(HKEY_LOCAL_MACHINE, kZones, "unused", "x");
  EXPECT_TRUE(ReadList().empty());
}

TEST_F(TimezoneListTest, ReadsRecordNameAndIndex) {
  AddZone("W. Europe Standard Time", "(UTC+01:00) Amsterdam, Berlin", CentralEurope(), 110);
  const std::vector<TimezoneEntry> list = ReadList();
  ASSERT_EQ(1u, list.size());
  EXPECT_EQ("(UTC+01:00) Amsterdam, Berlin", list[0].displayName);
  EXPECT_EQ(110, list[0].index);
  const TimezoneStruct expected = CentralEurope();
  EXPECT_EQ(0, std::memcmp(&expected, &list[0].zone, sizeof expected));
  EXPECT_EQ(0u, testkit::OpenKeyCount());
}

TEST_F(TimezoneListTest, IncompleteZonesAreLeftOut) {
  AddZone("Good", "Good", CentralEurope(), 1);
  for (const char* value : {"Display", "Dlt", "Std", "TZI"}) {
    AddZone(std::string("No ") + value, value, UsEastern(), 2, value);
  }
  AddZone("Short", "Short", UsEastern(), 3);
  SetValue("Short", "TZI", REG_BINARY, TziBytes(UsEastern()).substr(0, 43));
  AddZone("Long", "Long", UsEastern(), 4);
  SetValue("Long", "TZI", REG_BINARY, TziBytes(UsEastern()) + "x");
  const LogCapture log;
  EXPECT_EQ(std::vector<std::string>{"Good"}, Names(ReadList()));
  for (const char* line : {"War[2] in GetAllTimezones: RegQueryValueEx(Display)",
                           "War[2] in GetAllTimezones: RegQueryValueEx(Dlt)",
                           "War[2] in GetAllTimezones: RegQueryValueEx(Std)",
                           "War[2] in GetAllTimezones: RegQueryValueEx(TZI)",
                           "War[234] in GetAllTimezones: RegQueryValueEx(TZI)"}) {
    EXPECT_NE(std::string::npos, log.Text().find(line)) << line << "\n" << log.Text();
  }
  EXPECT_EQ(std::string::npos, log.Text().find("Index"));
}

TEST_F(TimezoneListTest, ZoneWithoutIndexIsKept) {
  AddZone("A", "A", CentralEurope(), 1, "Index");
  const std::vector<TimezoneEntry> list = ReadList();
  ASSERT_EQ(1u, list.size());
  EXPECT_EQ(-1, list[0].index);
}

TEST_F(TimezoneListTest, UnopenableZoneIsLeftOut) {
  AddZone("A", "A", CentralEurope(), 1);
  AddZone("B", "B", UsEastern(), 2);
  testkit::DenyAccess(HKEY_LOCAL_MACHINE, kZones + "\\A", KEY_QUERY_VALUE);
  EXPECT_EQ(std::vector<std::string>{"B"}, Names(ReadList()));
}

TEST_F(TimezoneListTest, IndexOfAnotherSizeCountsAsNone) {
  AddZone("Two", "Two", CentralEurope(), 5);
  AddZone("Eight", "Eight", CentralEurope(), 5);
  SetValue("Two", "Index", REG_BINARY, std::string("\x05\x00", 2));
  SetValue("Eight", "Index", REG_BINARY, DwordBytes(5) + DwordBytes(0));
  for (const TimezoneEntry& entry : ReadList()) {
    EXPECT_EQ(-1, entry.index) << entry.displayName;
  }
}

TEST_F(TimezoneListTest, ValuesAreReadWithoutTypeChecks) {
  AddZone("A", "A", CentralEurope());
  SetValue("A", "Index", REG_BINARY, DwordBytes(42));
  SetValue("A", "Display", REG_BINARY, std::string("Binary name\0", 12));
  const std::vector<TimezoneEntry> list = ReadList();
  ASSERT_EQ(1u, list.size());
  EXPECT_EQ(42, list[0].index);
  EXPECT_EQ("Binary name", list[0].displayName);
}

TEST_F(TimezoneListTest, UnterminatedDisplayIsCutAtItsSize) {
  AddZone("Full", "x", CentralEurope(), 1);
  SetValue("Full", "Display", REG_BINARY, std::string(1024, 'D'));
  AddZone("Short", "x", CentralEurope(), 2);
  SetValue("Short", "Display", REG_BINARY, "abc");
  AddZone("TooLong", "x", CentralEurope(), 3);
  SetValue("TooLong", "Display", REG_SZ, std::string(1100, 'L'));
  const std::vector<TimezoneEntry> list = ReadList();
  ASSERT_EQ(2u, list.size());
  EXPECT_EQ(std::string(1024, 'D'), list[0].displayName);
  EXPECT_EQ("abc", list[1].displayName);
}

TEST_F(TimezoneListTest, SortOrder) {
  AddZone("a-big-index", "Big", CentralEurope(), 0x80000000LL);
  AddZone("b-no-index-west", "West", Zone(720, 0, 0, SYSTEMTIME{}, SYSTEMTIME{}));
  AddZone("c-no-index-east", "East", Zone(-60, 0, 0, SYSTEMTIME{}, SYSTEMTIME{}));
  AddZone("d-index-10", "Ten", CentralEurope(), 10);
  AddZone("e-index-2", "Two", CentralEurope(), 2);
  AddZone("f-no-index-b", "beta", Zone(0, 0, 0, SYSTEMTIME{}, SYSTEMTIME{}));
  AddZone("g-no-index-B", "Beta", Zone(60, -60, 0, SYSTEMTIME{}, SYSTEMTIME{}));
  const std::vector<std::string> expected = {"Two", "Ten", "Big", "West", "Beta", "beta", "East"};
  EXPECT_EQ(expected, Names(ReadList()));
}

TEST_F(TimezoneListTest, EqualIndexKeepsRegistryOrder) {
  // Enough equal keys that an unstable sort would be likely to mix them.
  std::vector<std::string> expected;
  for (int i = 0; i < 40; ++i) {
    char id[16];
    std::snprintf(id, sizeof id, "zone%02d", i);
    AddZone(id, std::string("name ") + char('z' - i % 26), CentralEurope(), 7);
    expected.push_back(std::string("name ") + char('z' - i % 26));
  }
  EXPECT_EQ(expected, Names(ReadList()));
}

TEST_F(TimezoneListTest, CompareWithoutIndexUsesOffsetThenName) {
  TimezoneEntry west{Zone(720, 0, 0, {}, {}), "z", -1};
  TimezoneEntry east{Zone(-60, 0, 0, {}, {}), "a", -1};
  TimezoneEntry indexed{Zone(-60, 0, 0, {}, {}), "a", 3};
  TimezoneEntry high{Zone(0, 0, 0, {}, {}), "\xE9", -1};
  TimezoneEntry low{Zone(0, 0, 0, {}, {}), "e", -1};
  EXPECT_LT(_CompareTimezones(west, east), 0);
  EXPECT_GT(_CompareTimezones(east, west), 0);
  EXPECT_LT(_CompareTimezones(indexed, west), 0);
  EXPECT_LT(_CompareTimezones(low, high), 0);  // unsigned bytes
  EXPECT_EQ(0, _CompareTimezones(indexed, TimezoneEntry{UsEastern(), "other", 3}));
}

TEST_F(TimezoneListTest, FindTimezoneNameTakesTheFirstSameZone) {
  AddZone("A", "Later", Zone(0, -60, -120, Rule(10, 0, 5, 3), Rule(3, 0, 5, 2)), 20);
  AddZone("B", "First", CentralEurope(), 10);
  AddZone("C", "US", UsEastern(), 30);
  std::string name = "old";
  EXPECT_EQ(0, FindTimezoneName(CentralEurope(), &name));
  EXPECT_EQ("First", name);
  EXPECT_EQ(0, FindTimezoneName(UsEastern(), &name));
  EXPECT_EQ("US", name);
  EXPECT_EQ(1, FindTimezoneName(SydneyLike(), &name));
  EXPECT_EQ("", name);
  EXPECT_EQ(1, FindTimezoneName(Utc(), &name));
  AddZone("UTC", "(UTC) Coordinated Universal Time", Utc(), 40);
  EXPECT_EQ(0, FindTimezoneName(Utc(), &name));
  EXPECT_EQ("(UTC) Coordinated Universal Time", name);
}

TEST_F(TimezoneListTest, FindTimezoneNamePassesListErrorsOn) {
  std::string name = "old";
  EXPECT_EQ(ERROR_FILE_NOT_FOUND, FindTimezoneName(CentralEurope(), &name));
  EXPECT_EQ("", name);
}

class GmtOffsetNameTest : public ::testing::Test {};

TEST_F(GmtOffsetNameTest, SignHoursAndMinutes) {
  EXPECT_EQ("(GMT+01:00)", GmtOffsetName(-60));
  EXPECT_EQ("(GMT-05:00)", GmtOffsetName(300));
  EXPECT_EQ("(GMT+05:30)", GmtOffsetName(-330));
  EXPECT_EQ("(GMT-03:30)", GmtOffsetName(210));
  EXPECT_EQ("(GMT+00:00)", GmtOffsetName(0));
  EXPECT_EQ("(GMT+12:45)", GmtOffsetName(-765));
}

}  // namespace
