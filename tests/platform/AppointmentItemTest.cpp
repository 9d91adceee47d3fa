#include <gtest/gtest.h>

#include "AppointmentTestMailbox.h"
#include "support/TempDir.h"

namespace {

using namespace appointmenttest;
using Outlook::_AppointmentItemPtr;

// --- What a new appointment and an item without a property answer.
class AppointmentDefaultsTest : public AppointmentTest {};

TEST_F(AppointmentDefaultsTest, NewAppointmentHasOutlooksDefaults) {
  _AppointmentItemPtr item = NewAppointment();
  EXPECT_EQ(item->GetDuration(), 30);
  EXPECT_EQ(item->GetSensitivity(), Outlook::olNormal);
  EXPECT_EQ(item->GetImportance(), Outlook::olImportanceNormal);
  EXPECT_EQ(item->GetBusyStatus(), Outlook::olBusy);
  EXPECT_EQ(item->GetMeetingStatus(), Outlook::olNonMeeting);
  EXPECT_EQ(item->GetReminderSet(), VARIANT_FALSE);
  EXPECT_EQ(item->GetAllDayEvent(), VARIANT_FALSE);
  EXPECT_EQ(item->GetIsRecurring(), VARIANT_FALSE);
  EXPECT_EQ(item->GetRecipients()->GetCount(), 0);
  EXPECT_EQ(Text(item->GetEntryID()), "");
  EXPECT_EQ(item->GetClass(), Outlook::olAppointment);
}

TEST_F(AppointmentDefaultsTest, PropertiesAnItemLacksReadEmpty) {
  _AppointmentItemPtr dentist = Find("Dentist");
  EXPECT_EQ(Text(dentist->GetLocation()), "");
  EXPECT_EQ(Text(dentist->GetCategories()), "");
  EXPECT_EQ(Text(dentist->GetResources()), "");
  EXPECT_EQ(Text(dentist->GetBody()), "");
  EXPECT_EQ(dentist->GetReminderMinutesBeforeStart(), 0);
  EXPECT_EQ(dentist->GetDuration(), 45);
  EXPECT_EQ(dentist->GetIsRecurring(), VARIANT_FALSE);
  EXPECT_EQ(dentist->GetSaved(), VARIANT_TRUE);
}

// --- Properties survive Save and the mailbox file.
class AppointmentRoundTripTest : public AppointmentTest {
 protected:
  kelvra::test::TempDir dir_;
};

TEST_F(AppointmentRoundTripTest, SavedPropertiesComeBackFromTheMailboxFile) {
  {
    _AppointmentItemPtr item = NewAppointment();
    item->PutSubject(_bstr_t("Planning, Q3"));
    item->PutLocation(_bstr_t("Room 4"));
    item->PutBody(_bstr_t("Line 1\r\nLine 2"));
    item->PutCategories(_bstr_t("Work, Budget"));
    item->PutResources(_bstr_t("Projector"));
    item->PutStart(Date(2024, 6, 3, 9, 30));
    item->PutEnd(Date(2024, 6, 3, 11, 0));
    item->PutAllDayEvent(VARIANT_FALSE);
    item->PutBusyStatus(Outlook::olOutOfOffice);
    item->PutImportance(Outlook::olImportanceHigh);
    item->PutSensitivity(Outlook::olConfidential);
    item->PutReminderSet(VARIANT_TRUE);
    item->PutReminderMinutesBeforeStart(15);
    item->PutMeetingStatus(Outlook::olMeeting);
    item->GetRecipients()->Add(_bstr_t("ann@example.com"));
    item->Save();
    EXPECT_EQ(item->GetSaved(), VARIANT_TRUE);
    EXPECT_NE(Text(item->GetEntryID()), "");
  }
  testkit::SaveMailboxFile(dir_.linuxPath("mailbox.json"));
  testkit::ResetMailbox();
  testkit::LoadMailboxFile(dir_.linuxPath("mailbox.json"));

  _AppointmentItemPtr item = Find("Planning, Q3");
  ASSERT_TRUE(item != nullptr);
  EXPECT_EQ(Text(item->GetLocation()), "Room 4");
  EXPECT_EQ(Text(item->GetBody()), "Line 1\r\nLine 2");
  EXPECT_EQ(Text(item->GetCategories()), "Work, Budget");
  EXPECT_EQ(Text(item->GetResources()), "Projector");
  EXPECT_TRUE(SameTime(Date(2024, 6, 3, 9, 30), item->GetStart()));
  EXPECT_TRUE(SameTime(Date(2024, 6, 3, 11, 0), item->GetEnd()));
  EXPECT_EQ(item->GetDuration(), 90);
  EXPECT_EQ(item->GetBusyStatus(), Outlook::olOutOfOffice);
  EXPECT_EQ(item->GetImportance(), Outlook::olImportanceHigh);
  EXPECT_EQ(item->GetSensitivity(), Outlook::olConfidential);
  EXPECT_EQ(item->GetReminderSet(), VARIANT_TRUE);
  EXPECT_EQ(item->GetReminderMinutesBeforeStart(), 15);
  EXPECT_EQ(item->GetMeetingStatus(), Outlook::olMeeting);
  EXPECT_EQ(item->GetRecipients()->GetCount(), 1);
}

TEST_F(AppointmentRoundTripTest, ASeriesMadeInTheObjectModelComesBackWithItsExceptions) {
  {
    _AppointmentItemPtr item = NewAppointment();
    item->PutSubject(_bstr_t("Yoga"));
    item->PutStart(Date(2024, 4, 2, 18, 0));
    item->PutDuration(60);
    Outlook::RecurrencePatternPtr pattern = item->GetRecurrencePattern();
    pattern->PutOccurrences(4);
    item->Save();
    pattern->GetOccurrence(Date(2024, 4, 9, 18, 0))->Delete();
  }
  testkit::SaveMailboxFile(dir_.linuxPath("mailbox.json"));
  testkit::ResetMailbox();
  testkit::LoadMailboxFile(dir_.linuxPath("mailbox.json"));

  _AppointmentItemPtr item = Find("Yoga");
  ASSERT_TRUE(item != nullptr);
  EXPECT_EQ(item->GetIsRecurring(), VARIANT_TRUE);
  Outlook::RecurrencePatternPtr pattern = item->GetRecurrencePattern();
  EXPECT_EQ(pattern->GetOccurrences(), 4);
  EXPECT_TRUE(SameTime(Date(2024, 4, 23), pattern->GetPatternEndDate()));
  Outlook::ExceptionsPtr exceptions = pattern->GetExceptions();
  ASSERT_EQ(exceptions->GetCount(), 1);
  EXPECT_EQ(exceptions->Item(1L)->GetDeleted(), VARIANT_TRUE);
  EXPECT_TRUE(SameTime(Date(2024, 4, 9, 18, 0), exceptions->Item(1L)->GetOriginalDate()));
}

// --- What a put refuses, and what Save, Delete and Parent do.
class AppointmentChecksTest : public AppointmentTest {};

TEST_F(AppointmentChecksTest, ValuesOutsideTheirEnumerationAreRefusedAndChangeNothing) {
  _AppointmentItemPtr item = Find("Dentist");
  EXPECT_EQ(ErrorOf([&] { item->PutBusyStatus(static_cast<Outlook::OlBusyStatus>(4)); }),
            E_INVALIDARG);
  EXPECT_EQ(ErrorOf([&] { item->PutImportance(static_cast<Outlook::OlImportance>(-1)); }),
            E_INVALIDARG);
  EXPECT_EQ(ErrorOf([&] { item->PutSensitivity(static_cast<Outlook::OlSensitivity>(4)); }),
            E_INVALIDARG);
  EXPECT_EQ(ErrorOf([&] { item->PutMeetingStatus(static_cast<Outlook::OlMeetingStatus>(2)); }),
            E_INVALIDARG);
  EXPECT_EQ(ErrorOf([&] { item->PutReminderMinutesBeforeStart(-5); }), E_INVALIDARG);
  EXPECT_EQ(item->GetBusyStatus(), Outlook::olBusy);
  EXPECT_EQ(item->GetImportance(), Outlook::olImportanceNormal);
  EXPECT_EQ(item->GetSaved(), VARIANT_TRUE);
}

TEST_F(AppointmentChecksTest, AnEndBeforeTheStartIsRefused) {
  _AppointmentItemPtr item = Find("Dentist");
  EXPECT_EQ(ErrorOf([&] { item->PutEnd(Date(2024, 3, 5, 8, 0)); }), E_INVALIDARG);
  EXPECT_TRUE(SameTime(Date(2024, 3, 5, 9, 0), item->GetEnd()));
}

TEST_F(AppointmentChecksTest, APutLeavesTheItemUnsavedUntilSave) {
  _AppointmentItemPtr item = Find("Dentist");
  item->PutLocation(_bstr_t("Clinic"));
  EXPECT_EQ(item->GetSaved(), VARIANT_FALSE);
  item->Save();
  EXPECT_EQ(item->GetSaved(), VARIANT_TRUE);
  EXPECT_EQ(testkit::Text(testkit::FindItem(kCalendarPath, "Dentist"), "Location"), "Clinic");
}

TEST_F(AppointmentChecksTest, ParentIsTheCalendarFolder) {
  const IUnknownPtr parent = Standup()->GetParent();
  const IUnknownPtr calendar = Calendar();
  EXPECT_EQ(parent.GetInterfacePtr(), calendar.GetInterfacePtr());
}

TEST_F(AppointmentChecksTest, DeletingASeriesMovesItWithItsPatternToDeletedItems) {
  const std::string entryId = Text(Standup()->GetEntryID());
  Standup()->Delete();
  EXPECT_EQ(testkit::FindItem(kCalendarPath, "Standup"), nullptr);
  kelvra::store::ItemPtr deleted = testkit::FindItem("Personal Folders/Deleted Items", "Standup");
  ASSERT_NE(deleted, nullptr);
  EXPECT_TRUE(deleted->Recurrence().has_value());
  EXPECT_EQ(deleted->Exceptions().size(), 3u);
  EXPECT_EQ(Text(_AppointmentItemPtr(testkit::OutlookObjectOf(deleted))->GetEntryID()), entryId);
}

// --- Failures planned on members.
class AppointmentFaultTest : public AppointmentTest {
 protected:
  void TearDown() override {
    testkit::ClearFaults();
    AppointmentTest::TearDown();
  }
};

TEST_F(AppointmentFaultTest, APlannedFailureHitsOnlyItsCall) {
  _AppointmentItemPtr item = Review();
  testkit::FailCall("AppointmentItem.BusyStatus", 2, E_OUTOFMEMORY);
  EXPECT_EQ(item->GetBusyStatus(), Outlook::olBusy);
  EXPECT_EQ(ErrorOf([&] { item->GetBusyStatus(); }), E_OUTOFMEMORY);
  EXPECT_EQ(item->GetBusyStatus(), Outlook::olBusy);
}

TEST_F(AppointmentFaultTest, MembersOfThePatternAndTheRecipientsFailByTheirNames) {
  testkit::FailCall("RecurrencePattern.Occurrences", 0, E_FAIL);
  testkit::FailCall("Recipients.Item", 0, E_ACCESSDENIED);
  testkit::FailCall("Exception.OriginalDate", 0, E_NOTIMPL);
  Outlook::RecurrencePatternPtr pattern = Standup()->GetRecurrencePattern();
  EXPECT_EQ(ErrorOf([&] { pattern->GetOccurrences(); }), E_FAIL);
  EXPECT_EQ(pattern->GetInterval(), 1);
  EXPECT_EQ(ErrorOf([&] { Review()->GetRecipients()->Item(1L); }), E_ACCESSDENIED);
  EXPECT_EQ(ErrorOf([&] { pattern->GetExceptions()->Item(1L)->GetOriginalDate(); }), E_NOTIMPL);
}

}  // namespace
