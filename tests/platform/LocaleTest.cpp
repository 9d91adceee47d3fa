#include <gtest/gtest.h>

#include <string>
#include <thread>

#include "testkit/Locale.h"
#include "win32/windows.h"

namespace {

class ListSeparatorTest : public ::testing::Test {
 protected:
  void SetUp() override { testkit::SetAcp(65001); }
  void TearDown() override {
    testkit::SetListSeparator(",");
    testkit::FailLocaleInfo(false);
    testkit::SetAcp(0);
  }

  static std::string Narrow(LCID locale = LOCALE_USER_DEFAULT) {
    char buffer[256] = {};
    const int n = GetLocaleInfoA(locale, LOCALE_SLIST, buffer, 256);
    return n > 0 ? std::string(buffer, static_cast<std::size_t>(n)) : "<failed>";
  }
  static std::u16string Wide() {
    WCHAR buffer[256] = {};
    const int n = GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SLIST, buffer, 256);
    return n > 0 ? std::u16string(buffer, static_cast<std::size_t>(n)) : u"<failed>";
  }
};

TEST_F(ListSeparatorTest, CommaByDefaultWithItsNul) {
  EXPECT_EQ(Narrow(), std::string(",\0", 2));
  EXPECT_EQ(Wide(), std::u16string(u",\0", 2));
  EXPECT_EQ(Narrow(LOCALE_SYSTEM_DEFAULT), std::string(",\0", 2));
}

TEST_F(ListSeparatorTest, FollowsTheSetSeparator) {
  testkit::SetListSeparator(";");
  EXPECT_EQ(Narrow(), std::string(";\0", 2));
  EXPECT_EQ(Wide(), std::u16string(u";\0", 2));
}

TEST_F(ListSeparatorTest, NarrowTextIsInTheAnsiCodePage) {
  testkit::SetListSeparator("\xC2\xB7 ");  // middle dot and a blank, as UTF-8
  EXPECT_EQ(Wide(), std::u16string(u"\u00B7 \0", 3));
  EXPECT_EQ(Narrow(), std::string("\xC2\xB7 \0", 4));
  testkit::SetAcp(1252);
  EXPECT_EQ(Narrow(), std::string("\xB7 \0", 3));
}

TEST_F(ListSeparatorTest, SizeQueryAndTooSmallABuffer) {
  testkit::SetListSeparator("; ");
  EXPECT_EQ(GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SLIST, nullptr, 0), 3);
  EXPECT_EQ(GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SLIST, nullptr, 0), 3);
  char small[2];
  SetLastError(0);
  EXPECT_EQ(GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SLIST, small, 2), 0);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
}

TEST_F(ListSeparatorTest, InjectedFailureAnswersZero) {
  testkit::FailLocaleInfo(true);
  char buffer[256];
  EXPECT_EQ(GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SLIST, buffer, 256), 0);
  WCHAR wide[256];
  EXPECT_EQ(GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SLIST, wide, 256), 0);
  testkit::FailLocaleInfo(false);
  EXPECT_EQ(Narrow(), std::string(",\0", 2));
}

TEST_F(ListSeparatorTest, OtherLocaleItemsAreUnknown) {
  char buffer[256];
  SetLastError(0);
  EXPECT_EQ(GetLocaleInfoA(LOCALE_USER_DEFAULT, 0x1D /* date separator */, buffer, 256), 0);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_FLAGS));
}

}  // namespace

// --- The thread locale ------------------------------------------------------------------

TEST(ThreadLocaleTest, EachThreadKeepsItsOwnLocale) {
  EXPECT_EQ(GetThreadLocale(), 0x0409u);
  EXPECT_TRUE(SetThreadLocale(LOCALE_SYSTEM_DEFAULT));
  LCID other = 0;
  std::thread([&other] { other = GetThreadLocale(); }).join();
  EXPECT_EQ(other, 0x0409u);
  EXPECT_EQ(GetThreadLocale(), static_cast<LCID>(LOCALE_SYSTEM_DEFAULT));
  SetThreadLocale(0x0409);
}
