// GetDateFormatA and GetTimeFormatA: the user's default pictures, explicit pictures,
// Windows' buffer protocol and the failures callers see.
#include <gtest/gtest.h>

#include <string>

#include "testkit/Clock.h"
#include "testkit/Locale.h"
#include "testkit/Registry.h"
#include "testkit/TimeZone.h"
#include "win32/windows.h"

namespace {

// 2026-03-07 14:05:09.250, a Saturday.
constexpr SYSTEMTIME kAfternoon{2026, 3, 6, 7, 14, 5, 9, 250};

class DateTimeFormatTest : public ::testing::Test {
 protected:
  void SetUp() override { testkit::SetAcp(65001); }
  void TearDown() override {
    testkit::ResetSystemTimeZone();
    testkit::UseRealClock();
    testkit::SetAcp(0);
  }

  // The text without its NUL, or "<failed N>" with the last error.
  static std::string Date(const SYSTEMTIME* date, const char* format = nullptr,
                          DWORD flags = DATE_SHORTDATE) {
    char buffer[64] = {};
    const int n = GetDateFormatA(LOCALE_USER_DEFAULT, flags, date, format, buffer, 64);
    return Result(n, buffer);
  }
  static std::string Time(const SYSTEMTIME* time, const char* format = nullptr) {
    char buffer[64] = {};
    const int n = GetTimeFormatA(LOCALE_USER_DEFAULT, 0, time, format, buffer, 64);
    return Result(n, buffer);
  }
  static std::string Result(int n, const char* buffer) {
    if (n == 0) return "<failed " + std::to_string(GetLastError()) + ">";
    EXPECT_EQ(buffer[n - 1], '\0');
    return std::string(buffer, static_cast<std::size_t>(n - 1));
  }
  static std::string Failed(DWORD error) { return "<failed " + std::to_string(error) + ">"; }
};

TEST_F(DateTimeFormatTest, TheUsDefaultsWithoutAFormat) {
  EXPECT_EQ(Date(&kAfternoon), "3/7/2026");
  EXPECT_EQ(Date(&kAfternoon, nullptr, 0), "3/7/2026");
  EXPECT_EQ(Time(&kAfternoon), "2:05:09 PM");
  SYSTEMTIME midnight = kAfternoon;
  midnight.wHour = 0;
  EXPECT_EQ(Time(&midnight), "12:05:09 AM");
  SYSTEMTIME noon = kAfternoon;
  noon.wHour = 12;
  EXPECT_EQ(Time(&noon), "12:05:09 PM");
}

TEST_F(DateTimeFormatTest, EveryPictureOfADateAndATime) {
  SYSTEMTIME morning{2009, 1, 5, 2, 9, 4, 3, 0};
  EXPECT_EQ(Date(&morning, "d M yy | dd MM yyyy", 0), "2 1 09 | 02 01 2009");
  EXPECT_EQ(Time(&morning, "h hh H HH m mm s ss t tt"), "9 09 9 09 4 04 3 03 A AM");
  EXPECT_EQ(Time(&kAfternoon, "hh:mm tt|HH:mm|t"), "02:05 PM|14:05|P");
  // Time pictures in a date format and date pictures in a time format are text.
  EXPECT_EQ(Date(&morning, "yyyy-MM-dd hh", 0), "2009-01-02 hh");
  EXPECT_EQ(Time(&morning, "H 'h' dd"), "9 h dd");
}

TEST_F(DateTimeFormatTest, TextInApostrophesStandsAsItIs) {
  EXPECT_EQ(Time(&kAfternoon, "h 'o''clock' tt"), "2 o'clock PM");
  EXPECT_EQ(Date(&kAfternoon, "'day' d 'of' M", 0), "day 7 of 3");
  EXPECT_EQ(Date(&kAfternoon, "d 'open to the end", 0), "7 open to the end");
}

TEST_F(DateTimeFormatTest, TheUsersPicturesAreSettableAndReset) {
  testkit::SetDateTimeFormats("dd.MM.yyyy", "HH:mm:ss");
  EXPECT_EQ(Date(&kAfternoon), "07.03.2026");
  EXPECT_EQ(Time(&kAfternoon), "14:05:09");
  EXPECT_EQ(Date(&kAfternoon, "M/d", 0), "3/7") << "a format overrides the user's picture";
  testkit::ResetSystemTimeZone();
  EXPECT_EQ(Date(&kAfternoon), "3/7/2026");
  testkit::SetDateTimeFormats("yyyy-MM-dd", "H:mm");
  testkit::ResetRegistry();
  EXPECT_EQ(Date(&kAfternoon), "3/7/2026");
  EXPECT_EQ(Time(&kAfternoon), "2:05:09 PM");
}

TEST_F(DateTimeFormatTest, TextIsInTheAnsiCodePage) {
  testkit::SetDateTimeFormats("d.M.yyyy '\xD0\xB3.'", "H:mm");  // Cyrillic "г."
  EXPECT_EQ(Date(&kAfternoon), "7.3.2026 \xD0\xB3.");
  testkit::SetAcp(1251);
  EXPECT_EQ(Date(&kAfternoon), "7.3.2026 \xE3.");
  EXPECT_EQ(Date(&kAfternoon, "'\xE3' d", 0), "\xE3 7") << "a format is read in the code page too";
}

TEST_F(DateTimeFormatTest, NoDateMeansNow) {
  testkit::SetLocalTime(SYSTEMTIME{2031, 12, 0, 31, 23, 59, 58, 0});
  EXPECT_EQ(Date(nullptr), "12/31/2031");
  EXPECT_EQ(Time(nullptr), "11:59:58 PM");
}

TEST_F(DateTimeFormatTest, SizeQueryAndTooSmallABuffer) {
  EXPECT_EQ(GetDateFormatA(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &kAfternoon, nullptr, nullptr, 0),
            9);
  EXPECT_EQ(GetTimeFormatA(LOCALE_USER_DEFAULT, 0, &kAfternoon, nullptr, nullptr, 0), 11);
  char exact[9];
  EXPECT_EQ(GetDateFormatA(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &kAfternoon, nullptr, exact, 9), 9);
  EXPECT_STREQ(exact, "3/7/2026");
  char small[8];
  SetLastError(0);
  EXPECT_EQ(GetDateFormatA(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &kAfternoon, nullptr, small, 8), 0);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
  SetLastError(0);
  EXPECT_EQ(GetTimeFormatA(LOCALE_USER_DEFAULT, 0, &kAfternoon, nullptr, nullptr, 5), 0);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
}

TEST_F(DateTimeFormatTest, BadArgumentsFail) {
  EXPECT_EQ(Date(&kAfternoon, "d/M", DATE_SHORTDATE), Failed(ERROR_INVALID_FLAGS));
  EXPECT_EQ(Date(&kAfternoon, nullptr, 2 /* long date */), Failed(ERROR_INVALID_FLAGS));
  char buffer[64];
  EXPECT_EQ(GetTimeFormatA(LOCALE_USER_DEFAULT, 2, &kAfternoon, nullptr, buffer, 64), 0);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_FLAGS));
  EXPECT_EQ(GetDateFormatA(0x0123, 0, &kAfternoon, nullptr, buffer, 64), 0);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
  SYSTEMTIME february30 = kAfternoon;
  february30.wMonth = 2;
  february30.wDay = 30;
  EXPECT_EQ(Date(&february30), Failed(ERROR_INVALID_PARAMETER));
  SYSTEMTIME late = kAfternoon;
  late.wHour = 24;
  EXPECT_EQ(Time(&late), Failed(ERROR_INVALID_PARAMETER));
  for (const char* unknown : {"ddd d", "MMM", "y", "yyy", "ddddd"}) {
    EXPECT_EQ(Date(&kAfternoon, unknown, 0), Failed(ERROR_INVALID_PARAMETER)) << unknown;
  }
  EXPECT_EQ(Time(&kAfternoon, "hhh"), Failed(ERROR_INVALID_PARAMETER));
}

}  // namespace
