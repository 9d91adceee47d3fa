// The sources a meeting's new id and an item's stamps are made from: CoCreateGuid
// and the local clock.
#include <gtest/gtest.h>

#include <vector>

#include "AppointmentTestMailbox.h"
#include "com/objbase.h"
#include "testkit/Clock.h"
#include "testkit/Guid.h"

namespace {

using namespace appointmenttest;

GUID Created() {
  GUID guid{};
  EXPECT_EQ(CoCreateGuid(&guid), S_OK);
  return guid;
}

std::vector<GUID> Created(int count) {
  std::vector<GUID> guids;
  for (int i = 0; i < count; ++i) guids.push_back(Created());
  return guids;
}

class GuidSourceTest : public ::testing::Test {
 protected:
  void TearDown() override { testkit::UseRandomGuids(); }
};

TEST_F(GuidSourceTest, TheSameSeedGivesTheSameGuids) {
  testkit::SeedGuids(42);
  const std::vector<GUID> first = Created(3);
  testkit::SeedGuids(42);
  EXPECT_EQ(Created(3), first);
  EXPECT_FALSE(first[0] == first[1]);
  testkit::SeedGuids(43);
  EXPECT_FALSE(Created() == first[0]);
}

TEST_F(GuidSourceTest, DrawnGuidsAreRandomGuidsOfVersionFour) {
  for (const GUID& guid : Created(8)) {
    EXPECT_EQ(guid.Data3 & 0xF000, 0x4000);
    EXPECT_EQ(guid.Data4[0] & 0xC0, 0x80);
  }
  EXPECT_FALSE(Created() == Created());
}

TEST_F(GuidSourceTest, ASequenceIsHandedOutInOrderAndRepeats) {
  const GUID a{1, 2, 3, {4, 5, 6, 7, 8, 9, 10, 11}};
  const GUID b{0xFFFFFFFF, 0, 0, {0, 0, 0, 0, 0, 0, 0, 1}};
  testkit::SetGuidSequence({a, b});
  EXPECT_EQ(Created(3), (std::vector<GUID>{a, b, a}));
  EXPECT_THROW(testkit::SetGuidSequence({}), std::invalid_argument);
  EXPECT_EQ(CoCreateGuid(nullptr), E_POINTER);
}

// --- The local clock runs in the system zone.
class LocalClockTest : public AppointmentTest {
 protected:
  void TearDown() override {
    testkit::UseRealClock();
    AppointmentTest::TearDown();
  }
  static SYSTEMTIME Time(WORD year, WORD month, WORD day, WORD hour, WORD minute) {
    SYSTEMTIME time{};
    time.wYear = year;
    time.wMonth = month;
    time.wDay = day;
    time.wHour = hour;
    time.wMinute = minute;
    return time;
  }
};

TEST_F(LocalClockTest, ASetLocalTimeIsUtcShiftedByTheSystemZone) {
  testkit::SetLocalTime(Time(2024, 7, 1, 12, 0));
  testkit::SetSystemTimeZone(Berlin());
  SYSTEMTIME local{};
  SYSTEMTIME utc{};
  GetLocalTime(&local);
  GetSystemTime(&utc);
  EXPECT_EQ(local.wHour, 12);
  EXPECT_EQ(utc.wHour, 10);
  testkit::SetSystemTimeZone(NewYork());
  GetSystemTime(&utc);
  EXPECT_EQ(utc.wHour, 16);
}

TEST_F(LocalClockTest, ASetUtcInstantIsShownInTheSystemZone) {
  testkit::SetSystemTime(Time(2024, 7, 1, 12, 0));
  testkit::SetSystemTimeZone(Berlin());
  SYSTEMTIME local{};
  GetLocalTime(&local);
  EXPECT_EQ(local.wHour, 14);
  testkit::SetSystemTimeZone(NewYork());
  GetLocalTime(&local);
  EXPECT_EQ(local.wHour, 8);
  SYSTEMTIME utc{};
  GetSystemTime(&utc);
  EXPECT_EQ(utc.wHour, 12);
}

TEST_F(LocalClockTest, SavingStampsTheItemWithTheLocalTime) {
  testkit::SetSystemTimeZone(NewYork());
  testkit::SetLocalTime(Time(2024, 1, 10, 9, 45));
  Outlook::_AppointmentItemPtr item = NewAppointment();
  item->PutSubject(_bstr_t("Stamped"));
  item->Save();
  const kelvra::store::ItemPtr stamped = testkit::FindItem(kCalendarPath, "Stamped");
  EXPECT_TRUE(SameTime(Date(2024, 1, 10, 9, 45), stamped->GetDate("LastModificationTime")));
}

}  // namespace
