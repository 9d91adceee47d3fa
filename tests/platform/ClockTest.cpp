#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <stdexcept>
#include <thread>
#include <vector>

#include "testkit/Clock.h"
#include "testkit/TimeZone.h"
#include "win32/windows.h"

namespace {

SYSTEMTIME Time(WORD year, WORD month, WORD day, WORD hour, WORD minute, WORD second, WORD ms = 0) {
  SYSTEMTIME t{};
  t.wYear = year;
  t.wMonth = month;
  t.wDay = day;
  t.wHour = hour;
  t.wMinute = minute;
  t.wSecond = second;
  t.wMilliseconds = ms;
  return t;
}

void ExpectTime(const SYSTEMTIME& actual, const SYSTEMTIME& expected, WORD dayOfWeek) {
  EXPECT_EQ(actual.wYear, expected.wYear);
  EXPECT_EQ(actual.wMonth, expected.wMonth);
  EXPECT_EQ(actual.wDay, expected.wDay);
  EXPECT_EQ(actual.wHour, expected.wHour);
  EXPECT_EQ(actual.wMinute, expected.wMinute);
  EXPECT_EQ(actual.wSecond, expected.wSecond);
  EXPECT_EQ(actual.wMilliseconds, expected.wMilliseconds);
  EXPECT_EQ(actual.wDayOfWeek, dayOfWeek);
}

std::uint64_t Value(const FILETIME& ft) {
  return (static_cast<std::uint64_t>(ft.dwHighDateTime) << 32) | ft.dwLowDateTime;
}

FILETIME FileTime(std::uint64_t value) {
  return FILETIME{static_cast<DWORD>(value & 0xFFFFFFFFu), static_cast<DWORD>(value >> 32)};
}

constexpr WORD kMonday = 1;
constexpr WORD kThursday = 4;

class FrozenClockTest : public ::testing::Test {
 protected:
  // A zone without daylight saving, so that local and UTC differ by a fixed hour.
  void SetUp() override {
    TIME_ZONE_INFORMATION zone{};
    zone.Bias = -60;
    testkit::SetSystemTimeZone(zone);
  }
  void TearDown() override {
    testkit::UseRealClock();
    testkit::ResetSystemTimeZone();
  }

  static SYSTEMTIME Local() {
    SYSTEMTIME t{};
    GetLocalTime(&t);
    return t;
  }
};

TEST_F(FrozenClockTest, AnswersTheSetTimeWithItsDayOfWeek) {
  SYSTEMTIME set = Time(2026, 12, 7, 9, 5, 3, 250);
  set.wDayOfWeek = 6;  // wrong on purpose: the clock works it out itself
  testkit::SetLocalTime(set);

  ExpectTime(Local(), set, kMonday);
  ExpectTime(Local(), set, kMonday);
  SYSTEMTIME utc{};
  GetSystemTime(&utc);
  ExpectTime(utc, Time(2026, 12, 7, 8, 5, 3, 250), kMonday);
}

TEST_F(FrozenClockTest, ASetUtcInstantIsShownInTheSystemZone) {
  testkit::SetSystemTime(Time(2026, 12, 6, 23, 30, 0, 125));
  SYSTEMTIME utc{};
  GetSystemTime(&utc);
  ExpectTime(utc, Time(2026, 12, 6, 23, 30, 0, 125), 0);
  ExpectTime(Local(), Time(2026, 12, 7, 0, 30, 0, 125), kMonday);
  FILETIME now{};
  GetSystemTimeAsFileTime(&now);
  EXPECT_EQ(Value(now), 134'410'734'000'000'000ull + 1'250'000);
}

TEST_F(FrozenClockTest, MovingAClockSetInUtcKeepsBothViewsInStep) {
  testkit::SetSystemTime(Time(2026, 12, 31, 22, 59, 59, 999));
  testkit::SetTickCount(7);
  Sleep(1);
  SYSTEMTIME utc{};
  GetSystemTime(&utc);
  ExpectTime(utc, Time(2026, 12, 31, 23, 0, 0, 0), kThursday);
  ExpectTime(Local(), Time(2027, 1, 1, 0, 0, 0, 0), 5);
  EXPECT_EQ(GetTickCount(), 8u);
}

TEST_F(FrozenClockTest, SleepMovesTimeAndTicksTogether) {
  testkit::SetLocalTime(Time(2026, 12, 7, 9, 5, 3, 998));
  testkit::SetTickCount(5000);

  Sleep(1);
  EXPECT_EQ(Local().wMilliseconds, 999);
  EXPECT_EQ(GetTickCount(), 5001u);
  Sleep(1);
  ExpectTime(Local(), Time(2026, 12, 7, 9, 5, 4, 0), kMonday);
  Sleep(60'000);
  ExpectTime(Local(), Time(2026, 12, 7, 9, 6, 4, 0), kMonday);
  EXPECT_EQ(GetTickCount(), 65'002u);
}

TEST_F(FrozenClockTest, SleepDoesNotWaitOnAFrozenClock) {
  testkit::SetTickCount(0);
  const auto start = std::chrono::steady_clock::now();
  Sleep(3'600'000);
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
  EXPECT_EQ(GetTickCount(), 3'600'000u);
}

TEST_F(FrozenClockTest, AdvanceCrossesDaysMonthsAndLeapDays) {
  testkit::SetLocalTime(Time(2026, 12, 31, 23, 59, 59, 999));
  testkit::AdvanceClock(1);
  ExpectTime(Local(), Time(2027, 1, 1, 0, 0, 0, 0), 5);

  testkit::SetLocalTime(Time(2024, 2, 28, 12, 0, 0));
  testkit::AdvanceClock(24 * 3600 * 1000);
  ExpectTime(Local(), Time(2024, 2, 29, 12, 0, 0), kThursday);

  testkit::SetLocalTime(Time(2100, 2, 28, 12, 0, 0));
  testkit::AdvanceClock(24 * 3600 * 1000);
  ExpectTime(Local(), Time(2100, 3, 1, 12, 0, 0), kMonday);
}

TEST_F(FrozenClockTest, TickCountWrapsLikeADword) {
  testkit::SetTickCount(0xFFFFFFFEu);
  Sleep(3);
  EXPECT_EQ(GetTickCount(), 1u);
}

TEST_F(FrozenClockTest, SettingTheTimeKeepsTheTickCount) {
  testkit::SetTickCount(42);
  testkit::SetLocalTime(Time(2026, 12, 7, 9, 5, 3));
  EXPECT_EQ(GetTickCount(), 42u);
}

TEST_F(FrozenClockTest, RejectsAnInvalidTime) {
  EXPECT_THROW(testkit::SetLocalTime(Time(2026, 2, 29, 0, 0, 0)), std::invalid_argument);
  EXPECT_THROW(testkit::SetLocalTime(Time(2026, 1, 1, 24, 0, 0)), std::invalid_argument);
}

TEST_F(FrozenClockTest, SleepsFromManyThreadsAllCount) {
  testkit::SetLocalTime(Time(2026, 12, 7, 0, 0, 0));
  testkit::SetTickCount(0);
  std::vector<std::thread> threads;
  for (int t = 0; t < 4; ++t) {
    threads.emplace_back([] {
      for (int i = 0; i < 250; ++i) Sleep(1);
    });
  }
  for (auto& thread : threads) thread.join();
  EXPECT_EQ(GetTickCount(), 1000u);
  ExpectTime(Local(), Time(2026, 12, 7, 0, 0, 1, 0), kMonday);
}

TEST_F(FrozenClockTest, RealClockAfterUseRealClock) {
  testkit::SetLocalTime(Time(1999, 1, 1, 0, 0, 0));
  testkit::UseRealClock();
  FILETIME now{};
  GetSystemTimeAsFileTime(&now);
  const auto unixTicks = std::chrono::duration_cast<std::chrono::microseconds>(
                             std::chrono::system_clock::now().time_since_epoch())
                             .count() *
                         10;
  const auto expected = static_cast<std::int64_t>(116'444'736'000'000'000ull) + unixTicks;
  EXPECT_NEAR(static_cast<double>(Value(now)), static_cast<double>(expected), 5e7);  // 5 s

  const DWORD before = GetTickCount();
  const auto start = std::chrono::steady_clock::now();
  Sleep(30);
  EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(30));
  EXPECT_GE(GetTickCount() - before, 29u);
}

class FileTimeConversionTest : public ::testing::Test {};

TEST_F(FileTimeConversionTest, KnownInstantBothWays) {
  const std::uint64_t known = 134'411'079'030'000'000ull;  // 2026-12-07 09:05:03 UTC
  const SYSTEMTIME st = Time(2026, 12, 7, 9, 5, 3);
  FILETIME ft{};
  ASSERT_TRUE(SystemTimeToFileTime(&st, &ft));
  EXPECT_EQ(ft.dwHighDateTime, 0x01DD862Au);
  EXPECT_EQ(ft.dwLowDateTime, 0x0B75C980u);

  SYSTEMTIME back{};
  const FILETIME withMs = FileTime(known + 4'560'000);
  ASSERT_TRUE(FileTimeToSystemTime(&withMs, &back));
  ExpectTime(back, Time(2026, 12, 7, 9, 5, 3, 456), kMonday);
}

TEST_F(FileTimeConversionTest, EpochsLandOnTheirDates) {
  SYSTEMTIME st{};
  const FILETIME zero = FileTime(0);
  ASSERT_TRUE(FileTimeToSystemTime(&zero, &st));
  ExpectTime(st, Time(1601, 1, 1, 0, 0, 0), kMonday);

  const FILETIME unix = FileTime(116'444'736'000'000'000ull);
  ASSERT_TRUE(FileTimeToSystemTime(&unix, &st));
  ExpectTime(st, Time(1970, 1, 1, 0, 0, 0), kThursday);

  const FILETIME y2k = FileTime(125'911'584'000'000'000ull);
  ASSERT_TRUE(FileTimeToSystemTime(&y2k, &st));
  ExpectTime(st, Time(2000, 1, 1, 0, 0, 0), 6);
}

// Walks day by day through five centuries: every day must follow the one before and
// convert back to the count it came from.
TEST_F(FileTimeConversionTest, EveryDayRoundTripsAndFollowsThePrevious) {
  constexpr std::uint64_t kDay = 864'000'000'000ull;
  constexpr std::uint64_t kOffset = 12ull * 3600 * 10'000'000 + 345 * 10'000;  // 12:00:00.345
  SYSTEMTIME previous{};
  for (std::uint64_t day = 0; day < 500 * 366; ++day) {
    const FILETIME ft = FileTime(day * kDay + kOffset);
    SYSTEMTIME st{};
    ASSERT_TRUE(FileTimeToSystemTime(&ft, &st)) << day;
    FILETIME back{};
    ASSERT_TRUE(SystemTimeToFileTime(&st, &back)) << day;
    ASSERT_EQ(Value(back), Value(ft)) << st.wYear << "-" << st.wMonth << "-" << st.wDay;
    ASSERT_EQ(st.wDayOfWeek, (day + 1) % 7);
    if (day > 0) {
      const bool nextDay = st.wDay == previous.wDay + 1 && st.wMonth == previous.wMonth;
      const bool nextMonth =
          st.wDay == 1 &&
          (st.wMonth == previous.wMonth + 1 ||
           (st.wMonth == 1 && previous.wMonth == 12 && st.wYear == previous.wYear + 1));
      ASSERT_TRUE(nextDay || nextMonth) << st.wYear << "-" << st.wMonth << "-" << st.wDay;
    }
    previous = st;
  }
}

TEST_F(FileTimeConversionTest, CenturyLeapRules) {
  FILETIME ft{};
  SYSTEMTIME st = Time(2000, 2, 29, 0, 0, 0);
  EXPECT_TRUE(SystemTimeToFileTime(&st, &ft));
  st = Time(1900, 2, 29, 0, 0, 0);
  EXPECT_FALSE(SystemTimeToFileTime(&st, &ft));
  st = Time(2100, 2, 29, 0, 0, 0);
  EXPECT_FALSE(SystemTimeToFileTime(&st, &ft));
  st = Time(2400, 2, 29, 0, 0, 0);
  EXPECT_TRUE(SystemTimeToFileTime(&st, &ft));
}

TEST_F(FileTimeConversionTest, RejectsFieldsOutOfRange) {
  const SYSTEMTIME bad[] = {Time(2026, 13, 1, 0, 0, 0),  Time(2026, 0, 1, 0, 0, 0),
                            Time(2026, 4, 31, 0, 0, 0),  Time(2026, 1, 0, 0, 0, 0),
                            Time(2026, 1, 1, 24, 0, 0),  Time(2026, 1, 1, 0, 60, 0),
                            Time(2026, 1, 1, 0, 0, 60),  Time(2026, 1, 1, 0, 0, 0, 1000),
                            Time(1600, 12, 31, 0, 0, 0), Time(30828, 1, 1, 0, 0, 0)};
  for (const SYSTEMTIME& st : bad) {
    FILETIME ft{};
    SetLastError(0);
    EXPECT_FALSE(SystemTimeToFileTime(&st, &ft)) << st.wYear << "-" << st.wMonth << "-" << st.wDay;
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
  }
  SYSTEMTIME last = Time(30827, 12, 31, 23, 59, 59, 999);
  FILETIME ft{};
  EXPECT_TRUE(SystemTimeToFileTime(&last, &ft));
}

TEST_F(FileTimeConversionTest, RejectsAFileTimeWithItsTopBitSet) {
  SYSTEMTIME st{};
  const FILETIME largest = FileTime(0x7FFFFFFFFFFFFFFFull);
  ASSERT_TRUE(FileTimeToSystemTime(&largest, &st));
  EXPECT_EQ(st.wYear, 30828);
  EXPECT_EQ(st.wMonth, 9);
  EXPECT_EQ(st.wDay, 14);
  EXPECT_EQ(st.wDayOfWeek, kThursday);

  const FILETIME tooLarge = FileTime(0x8000000000000000ull);
  SetLastError(0);
  EXPECT_FALSE(FileTimeToSystemTime(&tooLarge, &st));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
  EXPECT_FALSE(FileTimeToSystemTime(nullptr, &st));
  EXPECT_FALSE(SystemTimeToFileTime(&st, nullptr));
}

}  // namespace
