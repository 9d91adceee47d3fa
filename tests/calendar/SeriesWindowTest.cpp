// Whether a series has an occurrence in a date window, for the rule types the date
// filter meets and for series that began long before the window.
#include <gtest/gtest.h>

#include "calendar/SeriesWindow.h"

namespace {

const COleDateTimeSpan kHour(0, 1, 0, 0);

// The window of one day.
bool OnDay(const SeriesWindow::Rule& rule, const COleDateTime& first, int year, int month,
           int day) {
  const COleDateTime from(year, month, day, 0, 0, 0);
  return SeriesWindow::HasOccurrenceIn(rule, first, kHour, from,
                                       from + COleDateTimeSpan(1, 0, 0, 0));
}

TEST(SeriesWindowTest, EachRuleTypeFindsItsDays) {
  SeriesWindow::Rule monthNth;
  // The second Tuesday of every other month from January 2030.
  monthNth.type = 3;
  monthNth.interval = 2;
  monthNth.dayMask = 4;
  monthNth.instance = 2;
  const COleDateTime january(2030, 1, 8, 9, 0, 0);
  EXPECT_TRUE(OnDay(monthNth, january, 2030, 11, 12));
  EXPECT_FALSE(OnDay(monthNth, january, 2030, 10, 8)) << "October is not one of its months";
  // Left-out fields come from the first start: the second Tuesday of January.
  SeriesWindow::Rule yearNth;
  yearNth.type = 6;
  EXPECT_TRUE(OnDay(yearNth, january, 2031, 1, 14));
  EXPECT_FALSE(OnDay(yearNth, january, 2031, 1, 7));
  // The last Friday of February, every year.
  yearNth.dayMask = 32;
  yearNth.instance = 5;
  yearNth.monthOfYear = 2;
  EXPECT_TRUE(OnDay(yearNth, january, 2031, 2, 28));
  // The 31st of each month is its last day in a shorter month.
  SeriesWindow::Rule monthly;
  monthly.type = 2;
  monthly.dayOfMonth = 31;
  EXPECT_TRUE(OnDay(monthly, COleDateTime(2030, 1, 31, 9, 0, 0), 2030, 4, 30));
  SeriesWindow::Rule yearly;
  yearly.type = 5;
  EXPECT_TRUE(OnDay(yearly, COleDateTime(2028, 2, 29, 9, 0, 0), 2030, 2, 28));
  EXPECT_FALSE(OnDay(yearly, COleDateTime(2028, 2, 29, 9, 0, 0), 2030, 3, 1));
}

TEST(SeriesWindowTest, ALongSeriesKeepsItsRhythmAndItsEnd) {
  // Every third day since 1601.
  SeriesWindow::Rule daily;
  daily.interval = 3;
  const COleDateTime first(1601, 1, 1, 9, 0, 0);
  EXPECT_TRUE(OnDay(daily, first, 2024, 6, 11));
  EXPECT_FALSE(OnDay(daily, first, 2024, 6, 10));
  daily.lastDay = COleDateTime(2024, 6, 10, 0, 0, 0);
  EXPECT_FALSE(OnDay(daily, first, 2024, 6, 11));
  // Ended by a count: the 1000th occurrence lies in 1609.
  daily.lastDay.reset();
  daily.occurrences = 1000;
  EXPECT_TRUE(OnDay(daily, first, 1609, 3, 17));
  EXPECT_FALSE(OnDay(daily, first, 1609, 3, 20));
  EXPECT_FALSE(OnDay(daily, first, 2024, 6, 11));
}

TEST(SeriesWindowTest, AnOccurrenceOverlappingTheWindowsStartCounts) {
  SeriesWindow::Rule weekly;
  weekly.type = 1;
  // Mondays from 23:30 to 00:30.
  const COleDateTime first(2030, 1, 7, 23, 30, 0);
  EXPECT_TRUE(OnDay(weekly, first, 2030, 1, 15));
  EXPECT_FALSE(OnDay(weekly, first, 2030, 1, 16));
  EXPECT_TRUE(OnDay(weekly, first, 2030, 1, 14));
}

}  // namespace
