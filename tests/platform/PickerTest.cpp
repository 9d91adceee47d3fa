// Outlook's own dialogs answered by the operator: the session's folder picker and the
// categories dialog of an appointment.
#include <gtest/gtest.h>

#include "OutlookTestMailbox.h"
#include "testkit/Pickers.h"

namespace {

using namespace outlooktest;

class PickerTest : public OutlookTest {
 protected:
  void SetUp() override {
    OutlookTest::SetUp();
    testkit::ResetPickers();
  }
  void TearDown() override {
    testkit::ResetPickers();
    testkit::ClearFaults();
    OutlookTest::TearDown();
  }
};

// --- The folder picker ---------------------------------------------------------------

using FolderPickerTest = PickerTest;

TEST_F(FolderPickerTest, ThePathAnsweredNamesTheFolderInAnyStoreWithEitherSeparator) {
  const struct {
    const char* answer;
    const char16_t* name;
    const char16_t* parent;
  } cases[] = {{"\\\\Personal Folders\\Contacts\\Work", u"Work", u"Contacts"},
               {"Archive/Contacts", u"Contacts", u"Archive"},
               {"\\\\personal folders\\CALENDAR", u"Calendar", u"Personal Folders"}};
  for (const auto& c : cases) {
    testkit::SetOutlookFolderPickerAnswer(c.answer);
    Outlook::MAPIFolderPtr folder = Session()->PickFolder();
    ASSERT_TRUE(folder) << c.answer;
    EXPECT_EQ(Text(folder->GetName()), c.name);
    Outlook::MAPIFolderPtr parent(folder->GetParent());
    if (parent) {
      EXPECT_EQ(Text(parent->GetName()), c.parent);
    }
  }
  EXPECT_EQ(testkit::OutlookFolderPickers(), 3);
}

TEST_F(FolderPickerTest, ThePickedFolderIsTheSameFolderAsTheDefaultOne) {
  testkit::SetOutlookFolderPickerAnswer("\\\\Personal Folders\\Contacts");
  Outlook::MAPIFolderPtr picked = Session()->PickFolder();
  EXPECT_EQ(Text(picked->GetEntryID()), Text(Contacts()->GetEntryID()));
}

TEST_F(FolderPickerTest, CancelGivesNoFolderAndAnUnknownPathFails) {
  EXPECT_FALSE(Session()->PickFolder());
  testkit::SetOutlookFolderPickerAnswer("\\\\Personal Folders\\Nowhere");
  EXPECT_EQ(ErrorOf([&] { Session()->PickFolder(); }), MAPI_E_NOT_FOUND);
  testkit::SetOutlookFolderPickerAnswer("Personal Folders");
  EXPECT_EQ(ErrorOf([&] { Session()->PickFolder(); }), MAPI_E_NOT_FOUND);
  EXPECT_EQ(testkit::OutlookFolderPickers(), 3);
}

TEST_F(FolderPickerTest, AHandlerAnswersEachPickerAndAPlannedFailureStopsItFirst) {
  int asked = 0;
  testkit::SetOutlookFolderPickerAnswer("\\\\Personal Folders\\Inbox");
  testkit::SetOutlookFolderPickerHandler([&]() -> std::optional<std::string> {
    ++asked;
    return std::string("\\\\Personal Folders\\Calendar");
  });
  EXPECT_EQ(Text(Session()->PickFolder()->GetName()), u"Calendar");
  testkit::FailCall("NameSpace.PickFolder", 1, E_FAIL);
  EXPECT_EQ(ErrorOf([&] { Session()->PickFolder(); }), E_FAIL);
  EXPECT_EQ(asked, 1);
  testkit::SetOutlookFolderPickerHandler(nullptr);
  EXPECT_EQ(Text(Session()->PickFolder()->GetName()), u"Inbox");
}

// --- The categories dialog -----------------------------------------------------------

using CategoriesDialogTest = PickerTest;

TEST_F(CategoriesDialogTest, TheDialogShowsTheItemsCategoriesAndSetsTheChoice) {
  Outlook::_AppointmentItemPtr item(app_->CreateItem(Outlook::olAppointmentItem));
  item->PutCategories(u"Personal, Work");
  testkit::SetCategoriesDialogAnswer("Business, Gifts \xE2\x82\xAC");
  item->ShowCategoriesDialog();
  EXPECT_EQ(Text(item->GetCategories()), u"Business, Gifts \u20AC");
  testkit::SetCategoriesDialogAnswer(std::nullopt);
  item->ShowCategoriesDialog();
  EXPECT_EQ(Text(item->GetCategories()), u"Business, Gifts \u20AC");
  EXPECT_EQ(testkit::CategoriesDialogs(),
            (std::vector<std::string>{"Personal, Work", "Business, Gifts \xE2\x82\xAC"}));
  EXPECT_FALSE(item->GetSaved());
}

TEST_F(CategoriesDialogTest, AHandlerSeesTheShownCategoriesAndAPlannedFailureShowsNothing) {
  Outlook::_AppointmentItemPtr item(app_->CreateItem(Outlook::olAppointmentItem));
  testkit::SetCategoriesDialogHandler(
      [](const std::string& shown) -> std::optional<std::string> { return shown + "x"; });
  item->ShowCategoriesDialog();
  EXPECT_EQ(Text(item->GetCategories()), u"x");
  testkit::FailCall("AppointmentItem.ShowCategoriesDialog", 0, E_FAIL);
  EXPECT_EQ(ErrorOf([&] { item->ShowCategoriesDialog(); }), E_FAIL);
  EXPECT_EQ(testkit::CategoriesDialogs().size(), 1u);
}

}  // namespace
