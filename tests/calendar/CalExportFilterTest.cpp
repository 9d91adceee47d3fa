// The event filter of the export run: each mask bit with its edge cases.
#include <gtest/gtest.h>

#include <string>

#include "CalWriterFixture.h"
#include "calendar/CvCalExport.h"
#include "testkit/Locale.h"
#include "testkit/Store.h"

namespace calwriter {
namespace {

std::string Event(const std::string& subject, const std::string& start, const std::string& end,
                  const std::string& more = "") {
  return R"({"Subject": ")" + subject + R"(", "Start": ")" + start + R"(", "End": ")" + end + "\"" +
         (more.empty() ? "" : ", " + more) + "}";
}

std::string Label(int label) {
  return R"("NamedProperties": [{"set": "{00062002-0000-0000-C000-000000000046}", "id": "0x8214", "type": "0x0003", "value": )" +
         std::to_string(label) + "}]";
}

class CalExportFilterTest : public CalWriterTest {
 protected:
  // Whether the appointment passes the filter.
  bool Passes(const std::string& subject, DWORD mask) {
    m_filter.mask = mask;
    m_writer.SetFilter(m_filter);
    m_writer.SetItem(Appointment(subject));
    return m_writer.FilterItem();
  }

  CvCalExport m_writer;
  CvCalFilter m_filter;
};

TEST_F(CalExportFilterTest, AllDayByFlagOrByAWholeNumberOfDays) {
  LoadCalendar(Event("Flagged", "2026-05-04", "2026-05-05", R"("AllDayEvent": true)") + "," +
               Event("Two days", "2026-05-06T00:00:00", "2026-05-08T00:00:00") + "," +
               Event("Almost two", "2026-05-06T00:00:00", "2026-05-07T23:59:00") + "," +
               Event("Noon to noon", "2026-05-06T12:00:00", "2026-05-07T12:00:00") + "," +
               Event("Hour", "2026-05-06T12:00:00", "2026-05-06T13:00:00"));
  EXPECT_FALSE(Passes("Flagged", CvCalFilter::kSkipAllDay));
  EXPECT_FALSE(Passes("Two days", CvCalFilter::kSkipAllDay));
  EXPECT_TRUE(Passes("Almost two", CvCalFilter::kSkipAllDay));
  EXPECT_FALSE(Passes("Noon to noon", CvCalFilter::kSkipAllDay));
  EXPECT_TRUE(Passes("Hour", CvCalFilter::kSkipAllDay));
  // Mask 0 takes everything.
  EXPECT_TRUE(Passes("Flagged", 0));
}

TEST_F(CalExportFilterTest, PrivateMeansAnySensitivityButNormal) {
  LoadCalendar(
      Event("Normal", "2026-05-04T10:00:00", "2026-05-04T11:00:00") + "," +
      Event("Personal", "2026-05-04T10:00:00", "2026-05-04T11:00:00", R"("Sensitivity": 1)") + "," +
      Event("Confidential", "2026-05-04T10:00:00", "2026-05-04T11:00:00", R"("Sensitivity": 3)"));
  EXPECT_TRUE(Passes("Normal", CvCalFilter::kSkipNotNormal));
  EXPECT_FALSE(Passes("Personal", CvCalFilter::kSkipNotNormal));
  EXPECT_FALSE(Passes("Confidential", CvCalFilter::kSkipNotNormal));
}

TEST_F(CalExportFilterTest, CategoriesSplitAtTheListSeparatorWithoutCase) {
  testkit::SetListSeparator(";");
  LoadCalendar(
      Event("Holiday", "2026-05-04T10:00:00", "2026-05-04T11:00:00",
            R"("Categories": "work; holiday")") +
      "," +
      Event("Other", "2026-05-04T10:00:00", "2026-05-04T11:00:00", R"("Categories": "Work")") +
      "," + Event("None", "2026-05-04T10:00:00", "2026-05-04T11:00:00"));
  m_filter.Categories = "Holiday; Birthday";
  EXPECT_FALSE(Passes("Holiday", CvCalFilter::kExcludeCategories));
  EXPECT_TRUE(Passes("Other", CvCalFilter::kExcludeCategories));
  EXPECT_TRUE(Passes("None", CvCalFilter::kExcludeCategories));
  EXPECT_TRUE(Passes("Holiday", CvCalFilter::kIncludeCategories));
  EXPECT_FALSE(Passes("Other", CvCalFilter::kIncludeCategories));
  // An appointment without categories carries none of them.
  EXPECT_FALSE(Passes("None", CvCalFilter::kIncludeCategories));
  // No filter categories: the rule is skipped, with a warning.
  m_filter.Categories.clear();
  EXPECT_TRUE(Passes("Other", CvCalFilter::kIncludeCategories));
  EXPECT_NE(Log().Text().find("filter.Categories empty"), std::string::npos);
}

TEST_F(CalExportFilterTest, LabelsAndTheBirthdayRule) {
  const std::string yearly =
      R"("RecurrencePattern": {"RecurrenceType": 5, "Interval": 12, "DayOfMonth": 4, "MonthOfYear": 5, "NoEndDate": true, "Duration": 1440})";
  LoadCalendar(
      Event("Labelled four", "2026-05-04T10:00:00", "2026-05-04T11:00:00", Label(4)) + "," +
      Event("Unlabelled", "2026-05-04T10:00:00", "2026-05-04T11:00:00") + "," +
      Event("Ann's Birthday", "2026-05-04", "2026-05-05", R"("AllDayEvent": true, )" + yearly) +
      "," +
      Event("Ann's birthday", "2026-05-04", "2026-05-05", R"("AllDayEvent": true, )" + yearly));
  m_filter.LabelMask = 1u << 3;
  EXPECT_FALSE(Passes("Labelled four", CvCalFilter::kExcludeLabels));
  EXPECT_TRUE(Passes("Unlabelled", CvCalFilter::kExcludeLabels));
  EXPECT_TRUE(Passes("Labelled four", CvCalFilter::kIncludeLabels));
  EXPECT_FALSE(Passes("Unlabelled", CvCalFilter::kIncludeLabels));
  EXPECT_EQ(m_writer.GetAppointmentLabel(), 0);
  // Label 8 also takes yearly whole-day series named as birthdays (case counts).
  m_filter.LabelMask = 128;
  EXPECT_FALSE(Passes("Ann's Birthday", CvCalFilter::kExcludeLabels));
  EXPECT_TRUE(Passes("Ann's birthday", CvCalFilter::kExcludeLabels));
  // No labels chosen: the rule is skipped, with a warning.
  m_filter.LabelMask = 0;
  EXPECT_TRUE(Passes("Unlabelled", CvCalFilter::kIncludeLabels));
  EXPECT_NE(Log().Text().find("filter.LabelMask = 0"), std::string::npos);
}

TEST_F(CalExportFilterTest, ALabelNumberOutsideOneToTenIsNoLabel) {
  LoadCalendar(Event("Label 65", "2026-05-04T10:00:00", "2026-05-04T11:00:00", Label(65)) + "," +
               Event("Label 11", "2026-05-04T10:00:00", "2026-05-04T11:00:00", Label(11)) + "," +
               Event("Label -1", "2026-05-04T10:00:00", "2026-05-04T11:00:00", Label(-1)));
  // Labels 1 and 10, and the bits beyond them.
  m_filter.LabelMask = 1u | (1u << 9) | 0xFFFFFC00u;
  for (const char* subject : {"Label 65", "Label 11", "Label -1"}) {
    SCOPED_TRACE(subject);
    EXPECT_FALSE(Passes(subject, CvCalFilter::kIncludeLabels));
    EXPECT_TRUE(Passes(subject, CvCalFilter::kExcludeLabels));
    EXPECT_EQ(m_writer.GetAppointmentLabel(), 0);
  }
}

TEST_F(CalExportFilterTest, TheDateWindowTakesAnyOverlap) {
  LoadCalendar(Event("Ends at from", "2026-05-04T09:00:00", "2026-05-04T10:00:00") + "," +
               Event("Overlaps from", "2026-05-04T09:00:00", "2026-05-04T10:01:00") + "," +
               Event("Starts at to", "2026-05-10T10:00:00", "2026-05-10T11:00:00") + "," +
               Event("Inside", "2026-05-05T10:00:00", "2026-05-05T11:00:00"));
  m_filter.dateFrom = COleDateTime(2026, 5, 4, 10, 0, 0);
  m_filter.dateTo = COleDateTime(2026, 5, 10, 10, 0, 0);
  EXPECT_FALSE(Passes("Ends at from", CvCalFilter::kDates));
  EXPECT_TRUE(Passes("Overlaps from", CvCalFilter::kDates));
  EXPECT_FALSE(Passes("Starts at to", CvCalFilter::kDates));
  EXPECT_TRUE(Passes("Inside", CvCalFilter::kDates));
}

// A series on Mondays (mask 2) from 09:00 to 10:00, or of the given type and days,
// beginning on `first`; ended after `count` occurrences on `last`, or endless.
std::string Series(const std::string& subject, const std::string& first, const std::string& last,
                   int count,
                   const std::string& days = R"("RecurrenceType": 1, "DayOfWeekMask": 2)") {
  const std::string end = count > 0
                              ? R"("NoEndDate": false, "Occurrences": )" + std::to_string(count) +
                                    R"(, "PatternEndDate": ")" + last + R"(")"
                              : R"("NoEndDate": true)";
  return Event(subject, first + "T09:00:00", first + "T10:00:00",
               R"("RecurrencePattern": {)" + days + R"(, "Interval": 1, "PatternStartDate": ")" +
                   first + R"(", "StartTime": "09:00:00", "Duration": 60, )" + end + "}");
}

TEST_F(CalExportFilterTest, TheDateWindowTakesASeriesWithAnOccurrenceInIt) {
  LoadCalendar(
      Series("May to July", "2026-05-04", "2026-07-27", 13) + "," +
      Series("Ended in May", "2026-04-06", "2026-05-25", 8) + "," +
      Series("From July", "2026-07-06", "", 0) + "," +
      Series("Four from May", "2026-05-04", "2026-05-25", 4) + "," +
      Series("Five from May", "2026-05-04", "2026-06-01", 5) + "," +
      Series("Every 15th", "2026-01-15", "", 0, R"("RecurrenceType": 2, "DayOfMonth": 15)"));
  // June.
  m_filter.dateFrom = COleDateTime(2026, 6, 1, 0, 0, 0);
  m_filter.dateTo = COleDateTime(2026, 7, 1, 0, 0, 0);
  EXPECT_TRUE(Passes("May to July", CvCalFilter::kDates));
  EXPECT_FALSE(Passes("Ended in May", CvCalFilter::kDates));
  EXPECT_FALSE(Passes("From July", CvCalFilter::kDates));
  EXPECT_FALSE(Passes("Four from May", CvCalFilter::kDates)) << "its count ends it in May";
  EXPECT_TRUE(Passes("Five from May", CvCalFilter::kDates));
  EXPECT_TRUE(Passes("Every 15th", CvCalFilter::kDates));
  // Within the series' run but between its occurrences: Tuesday to Sunday, then the
  // second half of June.
  m_filter.dateFrom = COleDateTime(2026, 6, 2, 0, 0, 0);
  m_filter.dateTo = COleDateTime(2026, 6, 8, 0, 0, 0);
  EXPECT_FALSE(Passes("May to July", CvCalFilter::kDates));
  m_filter.dateFrom = COleDateTime(2026, 6, 16, 0, 0, 0);
  m_filter.dateTo = COleDateTime(2026, 7, 1, 0, 0, 0);
  EXPECT_FALSE(Passes("Every 15th", CvCalFilter::kDates));
  // An occurrence overlapping the window's start by a minute counts.
  m_filter.dateFrom = COleDateTime(2026, 6, 8, 9, 59, 0);
  m_filter.dateTo = COleDateTime(2026, 6, 9, 0, 0, 0);
  EXPECT_TRUE(Passes("May to July", CvCalFilter::kDates));
  m_filter.dateFrom = COleDateTime(2026, 6, 8, 10, 0, 0);
  EXPECT_FALSE(Passes("May to July", CvCalFilter::kDates));
}

}  // namespace
}  // namespace calwriter
