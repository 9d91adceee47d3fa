// Items.Restrict on [Start] and [End] in the user's short date and the three time
// forms, and the occurrences a sorted collection with IncludeRecurrences lists.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "AppointmentTestMailbox.h"
#include "testkit/Locale.h"
#include "testkit/Outlook.h"
#include "win32/windows.h"

namespace {

using namespace appointmenttest;
using Outlook::_AppointmentItemPtr;
using Outlook::_ItemsPtr;
using Seen = std::vector<std::string>;

class RestrictDatesTest : public AppointmentTest {
 protected:
  // Subject and local start of each item of the walk.
  static Seen Walk(const _ItemsPtr& items) {
    Seen seen;
    for (IDispatchPtr item = items->GetFirst(); item != nullptr; item = items->GetNext()) {
      _AppointmentItemPtr appointment(item);
      seen.push_back(Text(appointment->GetSubject()) + " " +
                     COleDateTime(appointment->GetStart()).Format("%Y-%m-%d %H:%M"));
    }
    return seen;
  }

  _ItemsPtr Restricted(const char* filter) { return Calendar()->GetItems()->Restrict(filter); }

  // The calendar's items sorted by start, listing occurrences.
  _ItemsPtr WithOccurrences() {
    _ItemsPtr items = Calendar()->GetItems();
    items->Sort("[Start]");
    items->PutIncludeRecurrences(VARIANT_TRUE);
    return items;
  }

  _AppointmentItemPtr Add(const char* subject, DATE start) {
    _AppointmentItemPtr item = Calendar()->GetItems()->Add(Outlook::olAppointmentItem);
    item->PutSubject(subject);
    item->PutStart(start);
    item->Save();
    return item;
  }
};

TEST_F(RestrictDatesTest, EachTimeFormMatchesTheStart) {
  for (const char* filter : {"[Start] = '2/1/2024 2:00 PM'", "[Start] = '02/01/2024 02:00 pm'",
                             "[Start] = '2/1/2024 14:00'", "[Start] = \"2/1/2024 14:00 PM\"",
                             "[start] = '2/1/2024 2:00PM'"}) {
    EXPECT_EQ(Walk(Restricted(filter)), Seen{"Review 2024-02-01 14:00"}) << filter;
  }
  EXPECT_EQ(Walk(Restricted("[End] = '3/5/2024 9:00 AM'")), Seen{"Dentist 2024-03-05 08:15"});
  Add("Midnight", Date(2024, 2, 2));
  EXPECT_EQ(Walk(Restricted("[Start] = '2/2/2024 12:00 AM'")), Seen{"Midnight 2024-02-02 00:00"});
  EXPECT_EQ(Walk(Restricted("[Start] = '2/2/2024 00:00 AM'")), Seen{"Midnight 2024-02-02 00:00"});
  EXPECT_TRUE(Walk(Restricted("[Start] = '2/2/2024 12:00 PM'")).empty());
}

TEST_F(RestrictDatesTest, RangesAndTextConditionsCombine) {
  EXPECT_EQ(Walk(Restricted("[Start] >= '2/1/2024 12:00 AM' AND [Start] <= '3/5/2024 8:15 AM'")),
            (Seen{"Review 2024-02-01 14:00", "Dentist 2024-03-05 08:15"}));
  EXPECT_EQ(Walk(Restricted("[Start] >= '2/1/2024 12:00 AM' and [End] <= '3/5/2024 8:59 AM'")),
            Seen{"Review 2024-02-01 14:00"});
  EXPECT_EQ(Walk(Restricted("[Start] = '2/1/2024 2:00 PM' And [End] = '2/1/2024 3:00 PM' And "
                            "[Subject] = 'REVIEW'")),
            Seen{"Review 2024-02-01 14:00"});
  EXPECT_TRUE(Walk(Restricted("[Start] = '2/1/2024 2:00 PM' And [Subject] = 'Dentist'")).empty());
  // Without IncludeRecurrences a series matches by its own first start.
  EXPECT_EQ(Walk(Restricted("[Start] <= '1/8/2024 10:00 AM'")), Seen{"Standup 2024-01-08 10:00"});
}

TEST_F(RestrictDatesTest, TimesCompareToTheMinute) {
  Add("Odd", Date(2024, 2, 2, 9, 30, 45));
  EXPECT_EQ(Walk(Restricted("[Start] = '2/2/2024 9:30 AM'")), Seen{"Odd 2024-02-02 09:30"});
  EXPECT_TRUE(Walk(Restricted("[Start] = '2/2/2024 9:31 AM'")).empty());
  EXPECT_EQ(
      Walk(Restricted("[Start] >= '2/2/2024 9:30 AM' And [Start] <= '2/2/2024 9:30 AM'")).size(),
      1u);
}

TEST_F(RestrictDatesTest, TheDateFollowsTheUsersShortDatePicture) {
  testkit::SetDateTimeFormats("dd.MM.yyyy", "HH:mm:ss");
  EXPECT_EQ(Walk(Restricted("[Start] = '01.02.2024 14:00'")), Seen{"Review 2024-02-01 14:00"});
  EXPECT_EQ(ErrorOf([&] { Restricted("[Start] = '2/1/2024 2:00 PM'"); }), E_INVALIDARG);
  testkit::SetDateTimeFormats("d/M/yy", "HH:mm");
  EXPECT_EQ(Walk(Restricted("[Start] = '1/2/24 2:00 PM'")), Seen{"Review 2024-02-01 14:00"});
  // What GetDateFormatA writes is what Restrict reads.
  testkit::SetDateTimeFormats("yyyy-MM-dd", "HH:mm");
  const SYSTEMTIME day{2024, 3, 2, 5, 0, 0, 0, 0};
  char date[32] = {};
  ASSERT_GT(GetDateFormatA(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &day, nullptr, date, 32), 0);
  EXPECT_EQ(Walk(Restricted(("[Start] = '" + std::string(date) + " 08:15 AM'").c_str())),
            Seen{"Dentist 2024-03-05 08:15"});
}

TEST_F(RestrictDatesTest, DatesThatCannotBeReadFail) {
  for (const char* bad :
       {"[Start] = '2/30/2024 10:00 AM'", "[Start] = '2/1/2024'", "[Start] = '2/1/2024 13:00 AM'",
        "[Start] = '2/1/2024 0:30 PM'", "[Start] = '2/1/2024 24:00'",
        "[Start] = '2/1/2024 2:60 PM'", "[Start] = '2/1/2024 2:0 PM'",
        "[Start] = '2/1/2024 2:00 PMX'", "[Start] = '2/1/2024 2:00:00 PM'",
        "[Start] = '2/1/20242:00 PM'", "[End] = 'tomorrow'", "[Start] = 2/1/2024 2:00 PM",
        "[Start] = '2/1/2024 2:00 PM' Or [Subject] = 'x'"}) {
    EXPECT_EQ(ErrorOf([&] { Restricted(bad); }), E_INVALIDARG) << bad;
  }
}

TEST_F(RestrictDatesTest, ASortedCollectionWithRecurrencesListsTheOccurrencesInTheWindow) {
  _ItemsPtr found = WithOccurrences()->Restrict(
      "[Start] >= '1/1/2024 12:00 AM' AND [Start] <= '2/26/2024 10:00 AM'");
  // 15 January moved to the 16th, 29 January deleted, Review between the occurrences.
  const Seen expected{"Standup 2024-01-08 10:00", "Standup (moved) 2024-01-16 11:00",
                      "Standup 2024-01-22 10:00", "Review 2024-02-01 14:00",
                      "Standup 2024-02-05 10:00", "Standup 2024-02-12 10:00",
                      "Standup 2024-02-19 10:00", "Standup 2024-02-26 10:00"};
  EXPECT_EQ(Walk(found), expected);
  EXPECT_EQ(found->GetCount(), 8);
  const std::string series = Text(Standup()->GetEntryID());
  _AppointmentItemPtr moved = found->Item(2L);
  EXPECT_EQ(Text(moved->GetEntryID()), series);
  EXPECT_EQ(moved->GetIsRecurring(), VARIANT_TRUE);
  EXPECT_EQ(Text(_AppointmentItemPtr(found->Item(3L))->GetLocation()), "Room 2");
  EXPECT_TRUE(SameTime(Date(2024, 2, 26, 10, 30), _AppointmentItemPtr(found->Item(8L))->GetEnd()));
  found->Sort("[Start]", true);
  EXPECT_EQ(Walk(found).front(), "Standup 2024-02-26 10:00");
}

TEST_F(RestrictDatesTest, OccurrencesMatchTheRestOfTheFilterByTheirOwnValues) {
  // The filter the recurrence exceptions build: date, a blank, "%H:%M %p".
  _ItemsPtr found = WithOccurrences()->Restrict(
      "[Start] >= \"1/15/2024 00:00 AM\" And [Start] <= \"2/12/2024 10:00 AM\" And [Subject] = "
      "\"Standup\"");
  EXPECT_EQ(Walk(found), (Seen{"Standup 2024-01-22 10:00", "Standup 2024-02-05 10:00",
                               "Standup 2024-02-12 10:00"}));
  EXPECT_EQ(Walk(WithOccurrences()->Restrict("[Start] >= '1/1/2024 12:00 AM' And [Start] <= "
                                             "'3/31/2024 12:00 AM' And [Location] = 'Room 2'")),
            Seen{"Standup 2024-01-22 10:00"});
  // A moved occurrence is found where it went, not where it was.
  EXPECT_EQ(Walk(WithOccurrences()->Restrict(
                "[Start] >= '1/16/2024 12:00 AM' And [Start] <= '1/16/2024 11:59 PM'")),
            Seen{"Standup (moved) 2024-01-16 11:00"});
  EXPECT_TRUE(Walk(WithOccurrences()->Restrict(
                       "[Start] >= '1/15/2024 12:00 AM' And [Start] <= '1/15/2024 11:59 PM'"))
                  .empty());
  EXPECT_EQ(Walk(WithOccurrences()->Restrict("[Start] = '3/11/2024 10:00 AM'")),
            Seen{"Standup 2024-03-11 10:00"})
      << "the last occurrence";
}

TEST_F(RestrictDatesTest, OccurrencesAreFoundByTextsChangedAfterTheFirstSearch) {
  const std::string window =
      "[Start] >= '1/1/2024 12:00 AM' And [Start] <= '3/31/2024 12:00 AM' And ";
  const auto subjects = [&](const char* subject) {
    return Walk(WithOccurrences()->Restrict((window + "[Subject] = '" + subject + "'").c_str()));
  };
  EXPECT_EQ(subjects("standup (MOVED)"), Seen{"Standup (moved) 2024-01-16 11:00"});
  // An occurrence given its own subject, then the series renamed: the occurrences
  // with no subject of their own follow the series.
  Outlook::RecurrencePatternPtr pattern = Standup()->GetRecurrencePattern();
  _AppointmentItemPtr retro = pattern->GetOccurrence(Date(2024, 2, 5, 10, 0));
  retro->PutSubject("Retro");
  retro->Save();
  EXPECT_EQ(subjects("Retro"), Seen{"Retro 2024-02-05 10:00"});
  _AppointmentItemPtr series = Standup();
  series->PutSubject("Daily");
  series->Save();
  EXPECT_TRUE(subjects("Standup").empty());
  EXPECT_EQ(subjects("Daily").size(), 7u);
  EXPECT_EQ(subjects("Retro"), Seen{"Retro 2024-02-05 10:00"});
  // The occurrence deleted: no occurrence has its subject any more.
  pattern->GetOccurrence(Date(2024, 2, 5, 10, 0))->Delete();
  EXPECT_TRUE(subjects("Retro").empty());
  // A deleted series goes to Deleted Items and out of the calendar's searches.
  series->Delete();
  EXPECT_TRUE(subjects("Daily").empty());
  EXPECT_TRUE(subjects("Standup (moved)").empty());
  EXPECT_EQ(subjects("Review"), Seen{"Review 2024-02-01 14:00"});
}

TEST_F(RestrictDatesTest, ItemsWithTheSameTextListInStartOrderThenInTheFoldersOrder) {
  // Three items of one subject, the later-saved one first in time, two at one time.
  Add("Sync", Date(2024, 2, 8, 9, 0));
  _AppointmentItemPtr early = Add("Other", Date(2024, 2, 6, 9, 0));
  Add("Sync", Date(2024, 2, 8, 9, 0))->PutLocation("Second");
  early->PutSubject("Sync");
  early->Save();
  _ItemsPtr found = WithOccurrences()->Restrict(
      "[Start] >= '2/1/2024 12:00 AM' And [Start] <= '2/29/2024 12:00 AM' And [Subject] = 'sync'");
  ASSERT_EQ(Walk(found),
            (Seen{"Sync 2024-02-06 09:00", "Sync 2024-02-08 09:00", "Sync 2024-02-08 09:00"}));
  EXPECT_EQ(Text(_AppointmentItemPtr(found->Item(3L))->GetLocation()), "Second");
}

TEST_F(RestrictDatesTest, WithoutTheSettingOrTheSortOnlySeriesAndSingleItemsMatch) {
  const char* window = "[Start] >= '1/1/2024 12:00 AM' AND [Start] <= '2/26/2024 10:00 AM'";
  const Seen plain{"Standup 2024-01-08 10:00", "Review 2024-02-01 14:00"};
  _ItemsPtr sorted = Calendar()->GetItems();
  sorted->Sort("[Start]");
  EXPECT_EQ(Walk(sorted->Restrict(window)), plain);
  _ItemsPtr unsorted = Calendar()->GetItems();
  unsorted->PutIncludeRecurrences(VARIANT_TRUE);
  EXPECT_EQ(Walk(unsorted->Restrict(window)), plain);
}

TEST_F(RestrictDatesTest, AnEndlessSeriesNeedsAnUpperBound) {
  // A series with an end lists all its occurrences without one.
  EXPECT_EQ(WithOccurrences()->Restrict("[Subject] = 'Standup'")->GetCount(), 8);
  _AppointmentItemPtr weekly = Add("Weekly", Date(2024, 4, 1, 9, 0));
  weekly->GetRecurrencePattern();
  weekly->Save();
  EXPECT_EQ(ErrorOf([&] { WithOccurrences()->Restrict("[Start] >= '4/1/2024 12:00 AM'"); }),
            E_INVALIDARG);
  EXPECT_EQ(ErrorOf([&] { WithOccurrences()->Restrict("[Subject] = 'Standup'"); }), E_INVALIDARG);
  EXPECT_EQ(
      Walk(WithOccurrences()->Restrict(
          "[Start] >= '4/1/2024 12:00 AM' And [Start] <= '4/15/2024 9:00 AM'")),
      (Seen{"Weekly 2024-04-01 09:00", "Weekly 2024-04-08 09:00", "Weekly 2024-04-15 09:00"}));
  EXPECT_EQ(Calendar()->GetItems()->Restrict("[Subject] = 'Weekly'")->GetCount(), 1)
      << "a collection that lists no occurrences takes any filter";
}

TEST_F(RestrictDatesTest, OccurrencesAreMadeOnlyAsTheWalkReachesThem) {
  // Every day at 09:00 from 1900 on, without an end: millions of occurrences in the window.
  _AppointmentItemPtr daily = Add("Forever", Date(1900, 1, 1, 9, 0));
  daily->GetRecurrencePattern()->PutRecurrenceType(Outlook::olRecursDaily);
  daily->Save();
  const std::uint64_t before = testkit::OutlookOccurrencesMade();
  _ItemsPtr found = WithOccurrences()->Restrict(
      "[Start] >= '1/1/1900 12:00 AM' And [Start] <= '12/31/9999 11:59 PM' And [Subject] = "
      "'Forever'");
  found->Sort("[Start]");
  IDispatchPtr item = found->GetFirst();
  for (int i = 1; i < 100 && item != nullptr; ++i) item = found->GetNext();
  ASSERT_NE(item, nullptr);
  EXPECT_TRUE(SameTime(Date(1900, 4, 10, 9, 0), _AppointmentItemPtr(item)->GetStart()));
  EXPECT_LT(testkit::OutlookOccurrencesMade() - before, 1000u);
  // A second walk hands out the same occurrences without making them again.
  const std::uint64_t walked = testkit::OutlookOccurrencesMade();
  EXPECT_TRUE(SameTime(Date(1900, 1, 1, 9, 0), _AppointmentItemPtr(found->GetFirst())->GetStart()));
  EXPECT_EQ(testkit::OutlookOccurrencesMade(), walked);
}

TEST_F(RestrictDatesTest, AWindowLateInALongSeriesKeepsTheSeriesRhythm) {
  // Every other week on Monday and Wednesday since Monday 6 January 2020.
  _AppointmentItemPtr biweekly = Add("Biweekly", Date(2020, 1, 6, 8, 0));
  Outlook::RecurrencePatternPtr pattern = biweekly->GetRecurrencePattern();
  pattern->PutInterval(2);
  pattern->PutDayOfWeekMask(
      static_cast<Outlook::OlDaysOfWeek>(Outlook::olMonday | Outlook::olWednesday));
  biweekly->Save();
  EXPECT_EQ(
      Walk(WithOccurrences()->Restrict(
          "[Start] >= '3/1/2024 12:00 AM' And [Start] <= '3/31/2024 11:59 PM'")),
      (Seen{"Standup 2024-03-04 10:00", "Dentist 2024-03-05 08:15", "Biweekly 2024-03-11 08:00",
            "Standup 2024-03-11 10:00", "Biweekly 2024-03-13 08:00", "Biweekly 2024-03-25 08:00",
            "Biweekly 2024-03-27 08:00"}))
      << "the occurrences of two series and a single item in start order";
  // The second Tuesday of every third month since January 2020.
  _AppointmentItemPtr quarterly = Add("Quarterly", Date(2020, 1, 14, 8, 0));
  pattern = quarterly->GetRecurrencePattern();
  pattern->PutRecurrenceType(Outlook::olRecursMonthNth);
  pattern->PutInterval(3);
  quarterly->Save();
  EXPECT_EQ(Walk(WithOccurrences()->Restrict(
                "[Start] >= '2/1/2024 12:00 AM' And [Start] <= '12/31/2024 11:59 PM' And "
                "[Subject] = 'Quarterly'")),
            (Seen{"Quarterly 2024-04-09 08:00", "Quarterly 2024-07-09 08:00",
                  "Quarterly 2024-10-08 08:00"}));
  // Each 29 February since 2020, on the 28th in the years without one.
  _AppointmentItemPtr leap = Add("Leap", Date(2020, 2, 29, 8, 0));
  leap->GetRecurrencePattern()->PutRecurrenceType(Outlook::olRecursYearly);
  leap->Save();
  EXPECT_EQ(Walk(WithOccurrences()->Restrict(
                "[Start] >= '1/1/2023 12:00 AM' And [Start] <= '12/31/2024 11:59 PM' And "
                "[Subject] = 'Leap'")),
            (Seen{"Leap 2023-02-28 08:00", "Leap 2024-02-29 08:00"}));
}

}  // namespace
