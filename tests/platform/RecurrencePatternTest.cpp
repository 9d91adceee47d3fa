#include <gtest/gtest.h>

#include "AppointmentTestMailbox.h"
#include "store/NamedPropertyIds.h"

namespace {

using namespace appointmenttest;
using Outlook::_AppointmentItemPtr;
using Outlook::RecurrencePatternPtr;

// A single appointment on Thursday 20 June 2024, 09:30-10:15, made recurring.
class RecurrencePatternTest : public AppointmentTest {
 protected:
  void SetUp() override {
    AppointmentTest::SetUp();
    item_ = NewAppointment();
    item_->PutSubject(_bstr_t("Sync"));
    item_->PutStart(Date(2024, 6, 20, 9, 30));
    item_->PutDuration(45);
    pattern_ = item_->GetRecurrencePattern();
  }
  void TearDown() override {
    pattern_ = nullptr;
    item_ = nullptr;
    AppointmentTest::TearDown();
  }

  _AppointmentItemPtr item_;
  RecurrencePatternPtr pattern_;
};

// --- The pattern a single appointment becomes, and what a new type derives.
using NewPatternTest = RecurrencePatternTest;

TEST_F(NewPatternTest, IsWeeklyOnTheStartsWeekdayWithoutEnd) {
  EXPECT_EQ(item_->GetIsRecurring(), VARIANT_TRUE);
  EXPECT_EQ(item_->GetSaved(), VARIANT_FALSE);
  EXPECT_EQ(pattern_->GetRecurrenceType(), Outlook::olRecursWeekly);
  EXPECT_EQ(pattern_->GetInterval(), 1);
  EXPECT_EQ(pattern_->GetDayOfWeekMask(), Outlook::olThursday);
  EXPECT_EQ(pattern_->GetDayOfMonth(), 20);
  EXPECT_EQ(pattern_->GetMonthOfYear(), 6);
  EXPECT_EQ(pattern_->GetInstance(), 3);
  EXPECT_TRUE(SameTime(Date(2024, 6, 20), pattern_->GetPatternStartDate()));
  EXPECT_TRUE(SameTime(Date(1899, 12, 30, 9, 30), pattern_->GetStartTime()));
  EXPECT_TRUE(SameTime(Date(1899, 12, 30, 10, 15), pattern_->GetEndTime()));
  EXPECT_EQ(pattern_->GetDuration(), 45);
  EXPECT_EQ(pattern_->GetNoEndDate(), VARIANT_TRUE);
  EXPECT_EQ(pattern_->GetOccurrences(), 0);
  EXPECT_EQ(pattern_->GetPatternEndDate(), 949998.0);
  EXPECT_EQ(pattern_->GetExceptions()->GetCount(), 0);
}

TEST_F(NewPatternTest, ANewTypeTakesItsFieldsFromTheStartDate) {
  pattern_->PutInterval(3);
  pattern_->PutRecurrenceType(Outlook::olRecursYearNth);
  EXPECT_EQ(pattern_->GetInterval(), 1);
  EXPECT_EQ(pattern_->GetInstance(), 3);
  EXPECT_EQ(pattern_->GetDayOfWeekMask(), Outlook::olThursday);
  EXPECT_EQ(pattern_->GetMonthOfYear(), 6);

  pattern_->PutRecurrenceType(Outlook::olRecursMonthly);
  EXPECT_EQ(pattern_->GetDayOfMonth(), 20);
}

TEST_F(NewPatternTest, TheLastWeekOfAMonthIsInstanceFive) {
  _AppointmentItemPtr other = NewAppointment();
  other->PutStart(Date(2024, 6, 29, 8, 0));
  EXPECT_EQ(other->GetRecurrencePattern()->GetInstance(), 5);
}

TEST_F(NewPatternTest, EveryWeekdayIsADailyPatternOfIntervalZero) {
  pattern_->PutRecurrenceType(Outlook::olRecursDaily);
  pattern_->PutInterval(0);
  EXPECT_EQ(pattern_->GetDayOfWeekMask(), Outlook::olMonday | Outlook::olTuesday |
                                              Outlook::olWednesday | Outlook::olThursday |
                                              Outlook::olFriday);
  pattern_->PutOccurrences(3);
  // Thursday, Friday, then Monday.
  EXPECT_TRUE(SameTime(Date(2024, 6, 24), pattern_->GetPatternEndDate()));
}

// --- Values Outlook refuses: each fails and leaves the pattern as it was.
using PatternChecksTest = RecurrencePatternTest;

TEST_F(PatternChecksTest, AnEmptyDayMaskIsRefusedForTypesThatNeedDays) {
  EXPECT_EQ(ErrorOf([&] { pattern_->PutDayOfWeekMask(static_cast<Outlook::OlDaysOfWeek>(0)); }),
            E_INVALIDARG);
  pattern_->PutRecurrenceType(Outlook::olRecursMonthNth);
  EXPECT_EQ(ErrorOf([&] { pattern_->PutDayOfWeekMask(static_cast<Outlook::OlDaysOfWeek>(0)); }),
            E_INVALIDARG);
  EXPECT_EQ(ErrorOf([&] { pattern_->PutDayOfWeekMask(static_cast<Outlook::OlDaysOfWeek>(128)); }),
            E_INVALIDARG);
  EXPECT_EQ(pattern_->GetDayOfWeekMask(), Outlook::olThursday);
}

TEST_F(PatternChecksTest, NumbersOutOfRangeAreRefused) {
  EXPECT_EQ(ErrorOf([&] { pattern_->PutInstance(0); }), E_INVALIDARG);
  EXPECT_EQ(ErrorOf([&] { pattern_->PutInstance(6); }), E_INVALIDARG);
  EXPECT_EQ(ErrorOf([&] { pattern_->PutDayOfMonth(0); }), E_INVALIDARG);
  EXPECT_EQ(ErrorOf([&] { pattern_->PutDayOfMonth(32); }), E_INVALIDARG);
  EXPECT_EQ(ErrorOf([&] { pattern_->PutMonthOfYear(13); }), E_INVALIDARG);
  EXPECT_EQ(ErrorOf([&] { pattern_->PutInterval(0); }), E_INVALIDARG);
  EXPECT_EQ(ErrorOf([&] { pattern_->PutInterval(-2); }), E_INVALIDARG);
  EXPECT_EQ(ErrorOf([&] { pattern_->PutDuration(-1); }), E_INVALIDARG);
  EXPECT_EQ(ErrorOf([&] { pattern_->PutOccurrences(0); }), E_INVALIDARG);
  EXPECT_EQ(
      ErrorOf([&] { pattern_->PutRecurrenceType(static_cast<Outlook::OlRecurrenceType>(4)); }),
      E_INVALIDARG);
  EXPECT_EQ(pattern_->GetInstance(), 3);
  EXPECT_EQ(pattern_->GetDayOfMonth(), 20);
  EXPECT_EQ(pattern_->GetMonthOfYear(), 6);
  EXPECT_EQ(pattern_->GetInterval(), 1);
  EXPECT_EQ(pattern_->GetRecurrenceType(), Outlook::olRecursWeekly);
  EXPECT_EQ(pattern_->GetNoEndDate(), VARIANT_TRUE);
}

TEST_F(PatternChecksTest, AnEndBeforeTheStartIsRefused) {
  EXPECT_EQ(ErrorOf([&] { pattern_->PutPatternEndDate(Date(2024, 6, 19)); }), E_INVALIDARG);
  EXPECT_EQ(pattern_->GetNoEndDate(), VARIANT_TRUE);
  pattern_->PutPatternEndDate(Date(2024, 7, 4));
  EXPECT_EQ(ErrorOf([&] { pattern_->PutPatternStartDate(Date(2024, 7, 5)); }), E_INVALIDARG);
  EXPECT_TRUE(SameTime(Date(2024, 6, 20), pattern_->GetPatternStartDate()));
}

// --- The end of a series: a count and an end date follow each other.
using PatternEndTest = RecurrencePatternTest;

TEST_F(PatternEndTest, ACountGivesTheLastOccurrencesDate) {
  pattern_->PutInterval(2);
  pattern_->PutOccurrences(3);
  EXPECT_EQ(pattern_->GetNoEndDate(), VARIANT_FALSE);
  EXPECT_TRUE(SameTime(Date(2024, 7, 18), pattern_->GetPatternEndDate()));
}

TEST_F(PatternEndTest, AnEndDateGivesTheCount) {
  pattern_->PutRecurrenceType(Outlook::olRecursMonthly);
  pattern_->PutDayOfMonth(31);
  pattern_->PutPatternEndDate(Date(2024, 12, 31));
  // 30 June, 31 July, 31 August, 30 September, 31 October, 30 November, 31 December.
  EXPECT_EQ(pattern_->GetOccurrences(), 7);
  EXPECT_TRUE(SameTime(Date(2024, 12, 31), pattern_->GetPatternEndDate()));
}

TEST_F(PatternEndTest, ChangingTheDaysOfACountedSeriesMovesItsEnd) {
  pattern_->PutOccurrences(2);
  pattern_->PutDayOfWeekMask(
      static_cast<Outlook::OlDaysOfWeek>(Outlook::olThursday | Outlook::olFriday));
  EXPECT_EQ(pattern_->GetOccurrences(), 2);
  EXPECT_TRUE(SameTime(Date(2024, 6, 21), pattern_->GetPatternEndDate()));
}

TEST_F(PatternEndTest, NoEndDateDropsTheEnd) {
  pattern_->PutOccurrences(5);
  pattern_->PutNoEndDate(VARIANT_TRUE);
  EXPECT_EQ(pattern_->GetOccurrences(), 0);
  EXPECT_EQ(pattern_->GetPatternEndDate(), 949998.0);
}

TEST_F(PatternEndTest, TheLastNthWeekdayOfAYearIsFound) {
  pattern_->PutRecurrenceType(Outlook::olRecursYearNth);
  pattern_->PutMonthOfYear(2);
  pattern_->PutInstance(5);
  pattern_->PutDayOfWeekMask(Outlook::olMonday);
  pattern_->PutOccurrences(2);
  // The last Mondays of February after the start: 24 February 2025, 23 February 2026.
  EXPECT_TRUE(SameTime(Date(2026, 2, 23), pattern_->GetPatternEndDate()));
}

// --- A series kept in another zone than the system's reads in local time.
class ZonedPatternTest : public AppointmentTest {
 protected:
  // The series of the calendar, entered in New York; the system is in Berlin.
  void SetUp() override {
    AppointmentTest::SetUp();
    testkit::SetSystemTimeZone(Berlin());
    const kelvra::store::ItemPtr item = testkit::FindItem(kCalendarPath, "Standup");
    item->SetNamed({kelvra::store::propertyset::kAppointment, 0x8233},
                   {kelvra::store::mapitype::kBinary, kelvra::store::Value::Binary(Record())});
  }

  // New York's zone record, 48 bytes.
  static kelvra::store::Bytes Record() {
    kelvra::store::Bytes bytes(48, 0);
    const auto put32 = [&](std::size_t at, std::int32_t value) {
      for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
    };
    const auto putRule = [&](std::size_t at, const SYSTEMTIME& rule) {
      const WORD words[8] = {rule.wYear, rule.wMonth,  rule.wDayOfWeek, rule.wDay,
                             rule.wHour, rule.wMinute, rule.wSecond,    rule.wMilliseconds};
      for (int i = 0; i < 8; ++i) {
        bytes[at + 2 * i] = static_cast<std::uint8_t>(words[i] & 0xFF);
        bytes[at + 2 * i + 1] = static_cast<std::uint8_t>(words[i] >> 8);
      }
    };
    const TIME_ZONE_INFORMATION zone = NewYork();
    put32(0, zone.Bias);
    put32(4, zone.StandardBias);
    put32(8, zone.DaylightBias);
    putRule(14, zone.StandardDate);
    putRule(32, zone.DaylightDate);
    return bytes;
  }
};

TEST_F(ZonedPatternTest, TimesShowInTheSystemZone) {
  RecurrencePatternPtr pattern = Standup()->GetRecurrencePattern();
  // 10:00 in New York in January is 16:00 in Berlin.
  EXPECT_TRUE(SameTime(Date(1899, 12, 30, 16, 0), pattern->GetStartTime()));
  EXPECT_TRUE(SameTime(Date(2024, 1, 8), pattern->GetPatternStartDate()));
  Outlook::ExceptionsPtr exceptions = pattern->GetExceptions();
  EXPECT_TRUE(SameTime(Date(2024, 1, 15, 16, 0), exceptions->Item(1L)->GetOriginalDate()));
  EXPECT_TRUE(
      SameTime(Date(2024, 1, 16, 17, 0), exceptions->Item(1L)->GetAppointmentItem()->GetStart()));
}

TEST_F(ZonedPatternTest, AnOccurrenceIsFoundByItsLocalStart) {
  RecurrencePatternPtr pattern = Standup()->GetRecurrencePattern();
  // 11 March: New York already on summer time, Berlin not yet: 15:00 in Berlin.
  EXPECT_TRUE(SameTime(Date(2024, 3, 11, 15, 0),
                       pattern->GetOccurrence(Date(2024, 3, 11, 15, 0))->GetStart()));
  EXPECT_EQ(ErrorOf([&] { pattern->GetOccurrence(Date(2024, 3, 11, 10, 0)); }), DISP_E_BADINDEX);
}

TEST_F(ZonedPatternTest, ALocalStartTimeIsKeptInTheSeriesZone) {
  RecurrencePatternPtr pattern = Standup()->GetRecurrencePattern();
  pattern->PutStartTime(Date(1899, 12, 30, 15, 0));
  const kelvra::store::ItemPtr item = testkit::FindItem(kCalendarPath, "Standup");
  EXPECT_TRUE(SameTime(Date(1899, 12, 30, 9, 0), item->Recurrence()->startTime));
}

// --- Patterns that make no sense find no occurrences rather than looping.
class OddPatternTest : public AppointmentTest {
 protected:
  Outlook::RecurrencePatternPtr Load(const char* pattern) {
    testkit::LoadMailboxText(std::string(R"json({"stores": [
      {"name": "Personal Folders", "folders": [
      {"name": "Calendar", "defaultItemType": 1, "items": [
        {"Subject": "Odd", "Start": "2024-01-08T10:00:00", "RecurrencePattern": )json") +
                             pattern + "}]}]}]}");
    return Find("Odd")->GetRecurrencePattern();
  }
};

TEST_F(OddPatternTest, AWeeklyPatternWithoutDaysHasNoOccurrence) {
  Outlook::RecurrencePatternPtr pattern = Load(
      R"({"RecurrenceType": 1, "Interval": 0, "DayOfWeekMask": 0,
          "PatternStartDate": "2024-01-08", "StartTime": "10:00:00"})");
  EXPECT_EQ(ErrorOf([&] { pattern->GetOccurrence(Date(2024, 1, 8, 10, 0)); }), DISP_E_BADINDEX);
  EXPECT_EQ(ErrorOf([&] { pattern->PutOccurrences(2); }), E_INVALIDARG);
}

TEST_F(OddPatternTest, AYearlyPatternInMonthThirteenHasNoOccurrence) {
  Outlook::RecurrencePatternPtr pattern = Load(
      R"({"RecurrenceType": 5, "DayOfMonth": 8, "MonthOfYear": 13,
          "PatternStartDate": "2024-01-08", "StartTime": "10:00:00"})");
  EXPECT_EQ(ErrorOf([&] { pattern->GetOccurrence(Date(2025, 1, 8, 10, 0)); }), DISP_E_BADINDEX);
}

TEST_F(OddPatternTest, AHugeMonthlyIntervalLeavesOneOccurrence) {
  Outlook::RecurrencePatternPtr pattern = Load(
      R"({"RecurrenceType": 2, "Interval": 2147483647, "DayOfMonth": 8,
          "PatternStartDate": "2024-01-08", "StartTime": "10:00:00"})");
  EXPECT_TRUE(SameTime(Date(2024, 1, 8, 10, 0),
                       pattern->GetOccurrence(Date(2024, 1, 8, 10, 0))->GetStart()));
  EXPECT_EQ(ErrorOf([&] { pattern->PutOccurrences(2); }), E_INVALIDARG);
  pattern->PutOccurrences(1);
  EXPECT_TRUE(SameTime(Date(2024, 1, 8), pattern->GetPatternEndDate()));
}

}  // namespace
