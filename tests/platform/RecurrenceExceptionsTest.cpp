#include <gtest/gtest.h>

#include "AppointmentTestMailbox.h"

namespace {

using namespace appointmenttest;
using Outlook::_AppointmentItemPtr;
using Outlook::ExceptionPtr;
using Outlook::ExceptionsPtr;
using Outlook::RecurrencePatternPtr;

class RecurrenceExceptionsTest : public AppointmentTest {
 protected:
  RecurrencePatternPtr Pattern() { return Standup()->GetRecurrencePattern(); }
  ExceptionsPtr Exceptions() { return Pattern()->GetExceptions(); }
};

// --- The exceptions a mailbox file gives, as the object model shows them.
using ExceptionsViewTest = RecurrenceExceptionsTest;

TEST_F(ExceptionsViewTest, ComeInTheOrderOfTheirOriginalDates) {
  ExceptionsPtr exceptions = Exceptions();
  ASSERT_EQ(exceptions->GetCount(), 3);
  EXPECT_TRUE(SameTime(Date(2024, 1, 15, 10, 0), exceptions->Item(1L)->GetOriginalDate()));
  EXPECT_TRUE(SameTime(Date(2024, 1, 22, 10, 0), exceptions->Item(2L)->GetOriginalDate()));
  EXPECT_TRUE(SameTime(Date(2024, 1, 29, 10, 0), exceptions->Item(3L)->GetOriginalDate()));
  EXPECT_EQ(ErrorOf([&] { exceptions->Item(4L); }), E_INVALIDARG);
  EXPECT_EQ(ErrorOf([&] { exceptions->Item(0L); }), E_INVALIDARG);
}

TEST_F(ExceptionsViewTest, ADeletedOccurrenceHasNoItem) {
  ExceptionPtr deleted = Exceptions()->Item(3L);
  EXPECT_EQ(deleted->GetDeleted(), VARIANT_TRUE);
  EXPECT_EQ(ErrorOf([&] { deleted->GetAppointmentItem(); }), E_FAIL);
}

TEST_F(ExceptionsViewTest, AMovedOccurrenceHasItsOwnTimesAndSubject) {
  ExceptionPtr moved = Exceptions()->Item(1L);
  EXPECT_EQ(moved->GetDeleted(), VARIANT_FALSE);
  _AppointmentItemPtr item = moved->GetAppointmentItem();
  EXPECT_TRUE(SameTime(Date(2024, 1, 16, 11, 0), item->GetStart()));
  EXPECT_TRUE(SameTime(Date(2024, 1, 16, 11, 45), item->GetEnd()));
  EXPECT_EQ(item->GetDuration(), 45);
  EXPECT_EQ(Text(item->GetSubject()), "Standup (moved)");
  EXPECT_EQ(Text(item->GetLocation()), "Room 1");
  EXPECT_EQ(item->GetIsRecurring(), VARIANT_TRUE);
  EXPECT_EQ(Text(item->GetEntryID()), Text(Standup()->GetEntryID()));
}

TEST_F(ExceptionsViewTest, AChangedOccurrenceKeepsItsStartAndTheSeriesDuration) {
  _AppointmentItemPtr item = Exceptions()->Item(2L)->GetAppointmentItem();
  EXPECT_TRUE(SameTime(Date(2024, 1, 22, 10, 0), item->GetStart()));
  EXPECT_TRUE(SameTime(Date(2024, 1, 22, 10, 30), item->GetEnd()));
  EXPECT_EQ(Text(item->GetLocation()), "Room 2");
  EXPECT_EQ(Text(item->GetSubject()), "Standup");
  EXPECT_EQ(Text(item->GetCategories()), "Team");
}

TEST_F(ExceptionsViewTest, AnExceptionsItemCannotBeChanged) {
  _AppointmentItemPtr item = Exceptions()->Item(1L)->GetAppointmentItem();
  EXPECT_EQ(ErrorOf([&] { item->PutSubject(_bstr_t("Other")); }), E_ACCESSDENIED);
  EXPECT_EQ(ErrorOf([&] { item->PutStart(Date(2024, 1, 17, 9, 0)); }), E_ACCESSDENIED);
  EXPECT_EQ(ErrorOf([&] { item->Delete(); }), E_ACCESSDENIED);
  EXPECT_EQ(Text(item->GetSubject()), "Standup (moved)");
}

// --- Occurrences by their original start, and what changing them records.
using OccurrenceTest = RecurrenceExceptionsTest;

TEST_F(OccurrenceTest, IsFoundOnlyAtAnOriginalStart) {
  RecurrencePatternPtr pattern = Pattern();
  EXPECT_TRUE(SameTime(Date(2024, 2, 5, 10, 0),
                       pattern->GetOccurrence(Date(2024, 2, 5, 10, 0))->GetStart()));
  EXPECT_EQ(ErrorOf([&] { pattern->GetOccurrence(Date(2024, 2, 5, 10, 1)); }), DISP_E_BADINDEX);
  EXPECT_EQ(ErrorOf([&] { pattern->GetOccurrence(Date(2024, 2, 6, 10, 0)); }), DISP_E_BADINDEX);
  // Before the first and after the tenth.
  EXPECT_EQ(ErrorOf([&] { pattern->GetOccurrence(Date(2024, 1, 1, 10, 0)); }), DISP_E_BADINDEX);
  EXPECT_EQ(ErrorOf([&] { pattern->GetOccurrence(Date(2024, 3, 18, 10, 0)); }), DISP_E_BADINDEX);
}

TEST_F(OccurrenceTest, ADeletedOneIsNotFoundAndAMovedOneIsFoundAtItsOriginalStart) {
  RecurrencePatternPtr pattern = Pattern();
  EXPECT_EQ(ErrorOf([&] { pattern->GetOccurrence(Date(2024, 1, 29, 10, 0)); }), DISP_E_BADINDEX);
  EXPECT_TRUE(SameTime(Date(2024, 1, 16, 11, 0),
                       pattern->GetOccurrence(Date(2024, 1, 15, 10, 0))->GetStart()));
}

TEST_F(OccurrenceTest, DeletingRecordsADeletedExceptionAndSavesTheSeries) {
  Pattern()->GetOccurrence(Date(2024, 2, 12, 10, 0))->Delete();
  ExceptionsPtr exceptions = Exceptions();
  ASSERT_EQ(exceptions->GetCount(), 4);
  ExceptionPtr added = exceptions->Item(4L);
  EXPECT_TRUE(SameTime(Date(2024, 2, 12, 10, 0), added->GetOriginalDate()));
  EXPECT_EQ(added->GetDeleted(), VARIANT_TRUE);
  EXPECT_EQ(Standup()->GetSaved(), VARIANT_TRUE);
  EXPECT_EQ(ErrorOf([&] { Pattern()->GetOccurrence(Date(2024, 2, 12, 10, 0)); }), DISP_E_BADINDEX);
}

TEST_F(OccurrenceTest, MovingKeepsTheDurationOnlyOnceSaved) {
  _AppointmentItemPtr occurrence = Pattern()->GetOccurrence(Date(2024, 2, 19, 10, 0));
  occurrence->PutStart(Date(2024, 2, 20, 15, 0));
  EXPECT_EQ(occurrence->GetSaved(), VARIANT_FALSE);
  EXPECT_EQ(Exceptions()->GetCount(), 3);
  occurrence->Save();

  ASSERT_EQ(Exceptions()->GetCount(), 4);
  _AppointmentItemPtr moved = Exceptions()->Item(4L)->GetAppointmentItem();
  EXPECT_TRUE(SameTime(Date(2024, 2, 20, 15, 0), moved->GetStart()));
  EXPECT_TRUE(SameTime(Date(2024, 2, 20, 15, 30), moved->GetEnd()));
  EXPECT_EQ(Standup()->GetSaved(), VARIANT_TRUE);
}

TEST_F(OccurrenceTest, MovingOntoADayWithAnotherOccurrenceIsRefused) {
  _AppointmentItemPtr occurrence = Pattern()->GetOccurrence(Date(2024, 2, 19, 10, 0));
  occurrence->PutStart(Date(2024, 2, 26, 16, 0));
  EXPECT_EQ(ErrorOf([&] { occurrence->Save(); }), E_INVALIDARG);
  // Nor onto the day the moved occurrence of 15 January went to.
  occurrence->PutStart(Date(2024, 1, 16, 8, 0));
  EXPECT_EQ(ErrorOf([&] { occurrence->Save(); }), E_INVALIDARG);
  // The day of a deleted occurrence is free.
  occurrence->PutStart(Date(2024, 1, 29, 8, 0));
  occurrence->Save();
  EXPECT_EQ(Exceptions()->GetCount(), 4);
}

TEST_F(OccurrenceTest, ChangingAMovedOccurrenceAgainKeepsOneException) {
  _AppointmentItemPtr occurrence = Pattern()->GetOccurrence(Date(2024, 1, 15, 10, 0));
  occurrence->PutLocation(_bstr_t("Room 9"));
  occurrence->Save();
  ASSERT_EQ(Exceptions()->GetCount(), 3);
  _AppointmentItemPtr item = Exceptions()->Item(1L)->GetAppointmentItem();
  EXPECT_EQ(Text(item->GetLocation()), "Room 9");
  EXPECT_EQ(Text(item->GetSubject()), "Standup (moved)");
  EXPECT_TRUE(SameTime(Date(2024, 1, 16, 11, 0), item->GetStart()));
}

}  // namespace
