// The date texts of the vCard writer: OLE dates split into calendar days and times.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "contacts/VCardDate.h"

namespace {

std::string Text(DATE date, bool withTime) {
  std::string text = "<";
  if (!VCardDate::Append(date, withTime, text)) text += "none";
  return text + ">";
}

class VCardDateTextTest : public ::testing::Test {};

TEST_F(VCardDateTextTest, ADayIsWrittenAsYearMonthDay) {
  EXPECT_EQ(Text(29222.0, false), "<19800102>");  // 1980-01-02
  EXPECT_EQ(Text(2.0, false), "<19000101>");
  EXPECT_EQ(Text(60.0, false), "<19000228>");
  EXPECT_EQ(Text(61.0, false), "<19000301>");  // no 29 February 1900
  EXPECT_EQ(Text(36585.0, false), "<20000229>");
}

TEST_F(VCardDateTextTest, ATimeStampAddsHoursMinutesAndSeconds) {
  EXPECT_EQ(Text(45292.5, true), "<20240101T120000>");
  EXPECT_EQ(Text(45292.0 + (13 * 3600 + 5 * 60 + 9) / 86400.0, true), "<20240101T130509>");
  EXPECT_EQ(Text(45292.0, true), "<20240101T000000>");
}

TEST_F(VCardDateTextTest, TheTimeIsRoundedToTheNearestSecond) {
  const double second = 1.0 / 86400.0;
  EXPECT_EQ(Text(45292.0 + 10.4 * second, true), "<20240101T000010>");
  EXPECT_EQ(Text(45292.0 + 10.6 * second, true), "<20240101T000011>");
  // Half a second before midnight belongs to the next day, for dates too.
  EXPECT_EQ(Text(45293.0 - 0.4 * second, true), "<20240102T000000>");
  EXPECT_EQ(Text(45293.0 - 0.4 * second, false), "<20240102>");
  EXPECT_EQ(Text(45293.0 - 1.4 * second, true), "<20240101T235959>");
}

TEST_F(VCardDateTextTest, BeforeTheEpochTheFractionIsStillTheTimeOfDay) {
  EXPECT_EQ(Text(-1.25, true), "<18991229T060000>");
  EXPECT_EQ(Text(-0.5, true), "<18991230T120000>");
  EXPECT_EQ(Text(0.0, true), "<18991230T000000>");
  EXPECT_EQ(Text(-36522.0, false), "<18000101>");
}

TEST_F(VCardDateTextTest, TheNoDateValueIsNotWritten) {
  EXPECT_EQ(Text(VCardDate::kNoDate, false), "<none>");
  EXPECT_EQ(Text(VCardDate::kNoDate, true), "<none>");
  EXPECT_EQ(Text(VCardDate::kNoDate + 1.0, false), "<45010102>");
}

TEST_F(VCardDateTextTest,
       DatesOutsideTheYearsOneHundredToNineThousandNineHundredNinetyNineAreNotWritten) {
  EXPECT_EQ(Text(-657434.0, false), "<01000101>");
  EXPECT_EQ(Text(-657435.0, false), "<none>");
  EXPECT_EQ(Text(2958465.0 + 86399.0 / 86400.0, true), "<99991231T235959>");
  EXPECT_EQ(Text(2958466.0, false), "<none>");
  // Rounding across the last second of 9999 leaves the range as well.
  EXPECT_EQ(Text(2958466.0 - 0.2 / 86400.0, true), "<none>");
  EXPECT_EQ(Text(1e300, false), "<none>");
  EXPECT_EQ(Text(std::numeric_limits<double>::quiet_NaN(), false), "<none>");
  EXPECT_EQ(Text(-std::numeric_limits<double>::infinity(), true), "<none>");
}

}  // namespace
