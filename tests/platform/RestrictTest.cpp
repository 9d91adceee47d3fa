// Items.Restrict: the filters the contact import builds, compared without case, and
// the snapshot the result is.
#include <gtest/gtest.h>

#include "OutlookTestMailbox.h"
#include "store/ItemFilter.h"

namespace {

using namespace outlooktest;
using kelvra::store::ItemFilter;

class RestrictTest : public OutlookTest {
 protected:
  Outlook::_ItemsPtr Restricted(const char16_t* filter) {
    return Contacts()->GetItems()->Restrict(_bstr_t(filter));
  }
  Outlook::_ContactItemPtr NewContact(const char* first, const char* last, const char* company) {
    Outlook::_ContactItemPtr contact = Contacts()->GetItems()->Add(Outlook::olContactItem);
    contact->PutFirstName(first);
    contact->PutLastName(last);
    contact->PutCompanyName(company);
    contact->Save();
    return contact;
  }
};

TEST_F(RestrictTest, FullNameMatchesWithoutCase) {
  Outlook::_ItemsPtr found = Restricted(u"[FullName] = \"ANN lee\"");
  ASSERT_EQ(found->GetCount(), 1);
  Outlook::_ContactItemPtr ann = found->Item(1L);
  EXPECT_EQ(Text(ann->GetFirstName()), u"Ann");
  EXPECT_EQ(Restricted(u"[FullName] = \"Ann Le\"")->GetCount(), 0);
}

TEST_F(RestrictTest, LettersBeyondAsciiMatchWithoutCase) {
  NewContact("Дмитрий", "Иванов", "Müller GmbH");
  EXPECT_EQ(Restricted(u"[FullName] = \"ДМИТРИЙ ИВАНОВ\"")->GetCount(), 1);
  EXPECT_EQ(Restricted(u"[CompanyName] = \"MÜLLER GMBH\"")->GetCount(), 1);
}

TEST_F(RestrictTest, ConditionsJoinedByAndMustAllHold) {
  NewContact("Ann", "Lee", "Corp");
  EXPECT_EQ(Restricted(u"[FullName] = \"Ann Lee\"")->GetCount(), 2);
  EXPECT_EQ(Restricted(u"[FullName] = \"Ann Lee\" and [CompanyName] = \"corp\"")->GetCount(), 1);
  EXPECT_EQ(Restricted(u"[FullName] = \"Ann Lee\" AND [CompanyName] = \"Other\"")->GetCount(), 0);
}

TEST_F(RestrictTest, ApostrophesEncloseAValueHoldingDoubleQuotes) {
  NewContact("Tom \"Tiny\"", "Hill", "");
  EXPECT_EQ(Restricted(u"[FullName] = 'Tom \"Tiny\" Hill'")->GetCount(), 1);
  // " AND " inside a quoted value is part of the value.
  NewContact("Fish", "Chips", "Fish AND Chips");
  EXPECT_EQ(Restricted(u"[CompanyName] = \"Fish AND Chips\"")->GetCount(), 1);
}

TEST_F(RestrictTest, AQuoteWrittenTwiceStandsForOne) {
  NewContact("Ann", "O'Neil", "Say \"Hi\" Ltd");
  EXPECT_EQ(Restricted(u"[FullName] = 'Ann O''Neil'")->GetCount(), 1);
  EXPECT_EQ(Restricted(u"[CompanyName] = \"Say \"\"hi\"\" LTD\"")->GetCount(), 1);
  EXPECT_EQ(
      Restricted(u"[FullName] = 'Ann O''Neil' And [CompanyName] = 'Say \"Hi\" Ltd'")->GetCount(),
      1);
  // A value that was not doubled cannot reach past its end.
  EXPECT_EQ(ErrorOf([&] { Restricted(u"[FullName] = 'Ann O'Neil'"); }), E_INVALIDARG);
  NewContact("x' AND [FullName] = 'Ann", "", "");
  EXPECT_EQ(Restricted(u"[FullName] = 'x'' AND [FullName] = ''Ann'")->GetCount(), 1);
}

TEST_F(RestrictTest, EmptyValueMatchesItemsWithoutTheProperty) {
  // Ann and Bob have no company; the distribution list has no FullName.
  EXPECT_EQ(Restricted(u"[CompanyName] = \"\"")->GetCount(), 3);
}

TEST_F(RestrictTest, ResultIsASnapshot) {
  Outlook::_ItemsPtr found = Restricted(u"[FullName] = \"Ann Lee\"");
  NewContact("Ann", "Lee", "");
  EXPECT_EQ(found->GetCount(), 1);
  EXPECT_EQ(ErrorOf([&] { found->Item(2L); }), E_INVALIDARG);
  EXPECT_EQ(Restricted(u"[FullName] = \"Ann Lee\"")->GetCount(), 2);
}

TEST_F(RestrictTest, LaterChangesOfTheFolderAreSeenByTheNextRestrict) {
  EXPECT_EQ(Restricted(u"[FullName] = \"Ann Lee\"")->GetCount(), 1);
  // A saved contact renamed, one deleted, one added.
  Outlook::_ContactItemPtr bob = ContactsItem(3);
  bob->PutFirstName("Ann");
  bob->PutLastName("Lee");
  bob->Save();
  EXPECT_EQ(Restricted(u"[FullName] = \"Ann Lee\"")->GetCount(), 2);
  EXPECT_EQ(Restricted(u"[FullName] = \"Bob Stone\"")->GetCount(), 0);
  Ann()->Delete();
  EXPECT_EQ(Restricted(u"[FullName] = \"Ann Lee\"")->GetCount(), 1);
  NewContact("Ann", "Lee", "");
  Outlook::_ItemsPtr found = Restricted(u"[FullName] = \"Ann Lee\"");
  ASSERT_EQ(found->GetCount(), 2);
  // In the folder's order.
  EXPECT_EQ(Text(Outlook::_ContactItemPtr(found->Item(1L))->GetEntryID()), Text(bob->GetEntryID()));
}

TEST_F(RestrictTest, FiltersThatCannotBeParsedFail) {
  for (const char16_t* bad :
       {u"", u"FullName = \"Ann\"", u"[FullName] \"Ann\"", u"[FullName] = \"Ann",
        u"[FullName] = Ann", u"[FullName] = \"Ann\" [CompanyName] = \"\"",
        u"[FullName] = \"Ann\" AND", u"[NoSuchProperty] = \"x\"", u"[Birthday] = \"x\""}) {
    EXPECT_EQ(ErrorOf([&] { Restricted(bad); }), E_INVALIDARG) << Text(_bstr_t(bad)).size();
  }
}

TEST_F(RestrictTest, PlannedFailureRaises) {
  testkit::FailCall("Items.Restrict", 1, E_FAIL);
  EXPECT_EQ(ErrorOf([&] { Restricted(u"[FullName] = \"Ann Lee\""); }), E_FAIL);
}

TEST(ItemFilterFoldTest, CapitalsOfSeveralAlphabetsFold) {
  EXPECT_EQ(ItemFilter::Folded(u"ÀÉÖ ΣΩ ЖЁ ĄŁŽ Ÿ×"), u"àéö σω жё ąłž Ÿ×");
}

}  // namespace
