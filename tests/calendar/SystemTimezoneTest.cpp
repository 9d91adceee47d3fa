// The system zone and the conversions that go through the system's local time.
#include <gtest/gtest.h>

#include <cstring>

#include "ZoneTestData.h"
#include "calendar/SystemTimezone.h"
#include "testkit/TimeZone.h"

namespace {

using namespace zonetest;

class SystemTimezoneTest : public ::testing::Test {
 protected:
  void TearDown() override { testkit::ResetSystemTimeZone(); }

  static void UseSystemZone(const TimezoneStruct& zone) {
    testkit::SetSystemTimeZone(AsSystemZone(zone));
  }
};

TEST_F(SystemTimezoneTest, CopiesRulesAndOffsetsWithZeroYears) {
  TIME_ZONE_INFORMATION info = AsSystemZone(UsEastern());
  info.StandardDate.wYear = 0;
  testkit::SetSystemTimeZone(info);
  TimezoneStruct zone;
  std::memset(&zone, 0xAB, sizeof zone);
  ASSERT_TRUE(GetSystemTimezone(&zone));
  const TimezoneStruct expected = UsEastern();
  EXPECT_EQ(0, std::memcmp(&expected, &zone, sizeof zone));
}

TEST_F(SystemTimezoneTest, UnreadableZoneGivesFalseAndAZeroRecord) {
  testkit::SetSystemTimeZoneInvalid();
  TimezoneStruct zone = CentralEurope();
  EXPECT_FALSE(GetSystemTimezone(&zone));
  const TimezoneStruct zero{};
  EXPECT_EQ(0, std::memcmp(&zero, &zone, sizeof zone));
}

TEST_F(SystemTimezoneTest, IsSystemTimezoneComparesRules) {
  UseSystemZone(CentralEurope());
  EXPECT_TRUE(IsSystemTimezone(Zone(0, -60, -120, Rule(10, 0, 5, 3), Rule(3, 0, 5, 2))));
  EXPECT_FALSE(IsSystemTimezone(UsEastern()));
  testkit::SetSystemTimeZoneInvalid();
  EXPECT_TRUE(IsSystemTimezone(Utc()));
  EXPECT_FALSE(IsSystemTimezone(CentralEurope()));
}

TEST_F(SystemTimezoneTest, LocalAndUtcFollowTheSystemZone) {
  UseSystemZone(CentralEurope());
  EXPECT_EQ(Text(Dt(2026, 7, 1, 10)), Text(LocalTimeToUtc(Dt(2026, 7, 1, 12))));
  EXPECT_EQ(Text(Dt(2026, 1, 1, 13)), Text(UtcToLocalTime(Dt(2026, 1, 1, 12))));
  UseSystemZone(UsEastern());
  EXPECT_EQ(Text(Dt(2026, 7, 1, 16)), Text(LocalTimeToUtc(Dt(2026, 7, 1, 12))));
}

TEST_F(SystemTimezoneTest, UnreadableZoneLeavesTimesUnchanged) {
  testkit::SetSystemTimeZoneInvalid();
  EXPECT_EQ(Text(Dt(2026, 7, 1, 12)), Text(LocalTimeToUtc(Dt(2026, 7, 1, 12))));
  EXPECT_EQ(Text(Dt(2026, 7, 1, 12)), Text(UtcToLocalTime(Dt(2026, 7, 1, 12))));
  EXPECT_EQ(Text(Dt(2026, 7, 1, 12)), Text(LocalToZoneTime(Dt(2026, 7, 1, 12), UsEastern())));
}

TEST_F(SystemTimezoneTest, LocalToZoneTimeGoesThroughUtc) {
  UseSystemZone(CentralEurope());
  EXPECT_EQ(Text(Dt(2026, 7, 1, 12)), Text(LocalToZoneTime(Dt(2026, 7, 1, 18), UsEastern())));
  EXPECT_EQ(Text(Dt(2026, 1, 15, 17, 30)), Text(LocalToZoneTime(Dt(2026, 1, 15, 13), IndiaLike())));
  // Europe already on daylight time, the US not yet.
  EXPECT_EQ(Text(Dt(2026, 3, 7, 6)), Text(LocalToZoneTime(Dt(2026, 3, 7, 12), UsEastern())));
}

TEST_F(SystemTimezoneTest, LocalToZoneTimeKeepsTimesOfTheSameZone) {
  UseSystemZone(CentralEurope());
  // Inside the skipped hour a round trip would move the time; the same zone must not.
  const TimezoneStruct sameRules = Zone(0, -60, -120, Rule(10, 0, 5, 3), Rule(3, 0, 5, 2));
  EXPECT_EQ(Text(Dt(2026, 3, 29, 2, 30)), Text(LocalToZoneTime(Dt(2026, 3, 29, 2, 30), sameRules)));
}

}  // namespace
