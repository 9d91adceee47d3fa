// FileAs of a contact that was never filed explicitly: composed as Outlook files
// new contacts.
#include <gtest/gtest.h>

#include "OutlookTestMailbox.h"

namespace {

using namespace outlooktest;

class ContactFileAsTest : public OutlookTest {
 protected:
  Outlook::_ContactItemPtr Blank() { return app_->CreateItem(Outlook::olContactItem); }
};

TEST_F(ContactFileAsTest, LastNameFirstThenGivenNames) {
  Outlook::_ContactItemPtr contact = Blank();
  contact->PutFirstName("Ann");
  contact->PutMiddleName("May");
  contact->PutLastName("Lee");
  contact->PutTitle("Dr.");
  EXPECT_EQ(Text(contact->GetFileAs()), u"Lee, Ann May");
  contact->PutLastName("");
  EXPECT_EQ(Text(contact->GetFileAs()), u"Ann May");
  contact->PutFirstName("");
  contact->PutMiddleName("");
  contact->PutLastName("Lee");
  EXPECT_EQ(Text(contact->GetFileAs()), u"Lee");
}

TEST_F(ContactFileAsTest, CompanyFilesAContactWithoutName) {
  Outlook::_ContactItemPtr contact = Blank();
  EXPECT_EQ(Text(contact->GetFileAs()), u"");
  contact->PutCompanyName("Northwind");
  EXPECT_EQ(Text(contact->GetFileAs()), u"Northwind");
}

TEST_F(ContactFileAsTest, ExplicitFileAsWins) {
  Outlook::_ContactItemPtr contact = Blank();
  contact->PutFirstName("Ann");
  contact->PutFileAs("Annie");
  contact->PutLastName("Lee");
  EXPECT_EQ(Text(contact->GetFileAs()), u"Annie");
  contact->PutFileAs("");
  EXPECT_EQ(Text(contact->GetFileAs()), u"");
}

}  // namespace
