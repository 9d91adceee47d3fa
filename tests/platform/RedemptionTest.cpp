#include <gtest/gtest.h>

#include <string>

#include "OutlookTestMailbox.h"
#include "com/objbase.h"
#include "redemption/redemption.h"
#include "support/TempDir.h"

namespace {

using namespace outlooktest;
using Outlook::_ContactItemPtr;
using Redemption::IAttachmentPtr;
using Redemption::IAttachmentsPtr;
using Redemption::IMAPIUtilsPtr;
using Redemption::ISafeContactItemPtr;

// A Redemption object made the way the add-in makes it: class id from the ProgID,
// then an in-process instance.
template <class Ptr>
Ptr Create(const char16_t* progId) {
  CLSID clsid{};
  EXPECT_EQ(CLSIDFromProgID(progId, &clsid), S_OK) << "class id";
  typename Ptr::Interface* object = nullptr;
  EXPECT_EQ(CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, Ptr::GetIID(),
                             reinterpret_cast<void**>(&object)),
            S_OK);
  return Ptr(object, false);
}

class RedemptionTest : public OutlookTest {
 protected:
  void SetUp() override {
    OutlookTest::SetUp();
    safe_ = Create<ISafeContactItemPtr>(u"Redemption.SafeContactItem");
    ASSERT_TRUE(safe_ != NULL);
  }
  void TearDown() override {
    safe_ = nullptr;
    OutlookTest::TearDown();
  }

  ISafeContactItemPtr safe_;
};

// --- The safe contact views the contact it is given.

using SafeGetter = _bstr_t (Redemption::ISafeContactItem::*)();
using ContactGetter = _bstr_t (Outlook::_ContactItem::*)();

struct SafeProperty {
  const char* name;
  SafeGetter safe;
  ContactGetter contact;
};

#define SAFE_PROPERTY(Name)                                                            \
  SafeProperty {                                                                       \
#Name, &Redemption::ISafeContactItem::Get##Name, &Outlook::_ContactItem::Get##Name \
  }

const SafeProperty kSafeProperties[] = {
    SAFE_PROPERTY(Body),
    SAFE_PROPERTY(Email1Address),
    SAFE_PROPERTY(Email2Address),
    SAFE_PROPERTY(Email3Address),
    SAFE_PROPERTY(Email1AddressType),
    SAFE_PROPERTY(Email2AddressType),
    SAFE_PROPERTY(Email3AddressType),
    SAFE_PROPERTY(Email1EntryID),
    SAFE_PROPERTY(Email2EntryID),
    SAFE_PROPERTY(Email3EntryID),
    SAFE_PROPERTY(IMAddress),
    SAFE_PROPERTY(NetMeetingAlias),
};

#undef SAFE_PROPERTY

class SafeContactViewTest : public RedemptionTest {};

TEST_F(SafeContactViewTest, ReadsTheContactsOwnValues) {
  safe_->PutItem(Ann());
  EXPECT_EQ(Text(safe_->GetBody()), u"Met at the fair.\r\nCall back.");
  EXPECT_EQ(Text(safe_->GetEmail1Address()), u"ann@example.org");
  EXPECT_EQ(Text(safe_->GetEmail2AddressType()), u"EX");
  EXPECT_EQ(Text(safe_->GetEmail2EntryID()), u"00AB01");
  EXPECT_EQ(Text(safe_->GetEmail3Address()), u"");
  EXPECT_EQ(Text(safe_->GetIMAddress()), u"ann@im.example");
  EXPECT_EQ(Text(safe_->GetNetMeetingAlias()), u"annl");
}

TEST_F(SafeContactViewTest, EveryPropertyMatchesTheObjectModel) {
  _ContactItemPtr contact = app_->CreateItem(Outlook::olContactItem);
  contact->PutBody("body");
  contact->PutEmail1Address("one@example.org");
  contact->PutEmail2Address("two@example.org");
  contact->PutEmail3Address("three@example.org");
  contact->PutEmail1AddressType("SMTP");
  contact->PutEmail2AddressType("smtp");
  contact->PutEmail3AddressType("EX");
  contact->PutIMAddress("im");
  contact->PutNetMeetingAlias("alias");
  safe_->PutItem(contact);
  for (const SafeProperty& property : kSafeProperties) {
    EXPECT_EQ(Text((safe_->*property.safe)()), Text((contact->*property.contact)()))
        << property.name;
  }
  EXPECT_EQ(Text(safe_->GetEmail3AddressType()), u"EX");
}

TEST_F(SafeContactViewTest, SeesChangesMadeThroughOutlook) {
  _ContactItemPtr ann = Ann();
  safe_->PutItem(ann);
  ann->PutBody("Changed through Outlook");
  EXPECT_EQ(Text(safe_->GetBody()), u"Changed through Outlook");
}

TEST_F(SafeContactViewTest, ItemCanBeChangedAndEmptied) {
  safe_->PutItem(Ann());
  safe_->PutItem(ContactsItem(3));
  EXPECT_EQ(Text(safe_->GetEmail1Address()), u"");
  safe_->PutItem(nullptr);
  EXPECT_EQ(ErrorOf([&] { safe_->GetBody(); }), E_FAIL);
}

TEST_F(SafeContactViewTest, ReadsWithoutAnItemFail) {
  EXPECT_EQ(ErrorOf([&] { safe_->GetBody(); }), E_FAIL);
  EXPECT_EQ(ErrorOf([&] { safe_->GetAttachments(); }), E_FAIL);
}

TEST_F(SafeContactViewTest, ForeignObjectIsRefused) {
  IDispatchPtr session(static_cast<IDispatch*>(Session()));
  EXPECT_EQ(ErrorOf([&] { safe_->PutItem(session); }), E_INVALIDARG);
}

// --- Attachments through Redemption, with their MAPI properties.

class SafeAttachmentTest : public RedemptionTest {
 protected:
  IAttachmentPtr AnnAttachment(long position) {
    safe_->PutItem(Ann());
    return safe_->GetAttachments()->Item(position);
  }
  kelvra::test::TempDir temp_;
};

TEST_F(SafeAttachmentTest, PhotoFlagIsABoolean) {
  const _variant_t flag = AnnAttachment(1)->GetFields(0x7FFF000B);
  EXPECT_EQ(flag.vt, VT_BOOL);
  EXPECT_EQ(flag.boolVal, VARIANT_TRUE);
}

TEST_F(SafeAttachmentTest, AbsentPropertyIsEmpty) {
  EXPECT_EQ(AnnAttachment(2)->GetFields(0x7FFF000B).vt, VT_EMPTY);
  EXPECT_EQ(AnnAttachment(3)->GetFields(0x37140003).vt, VT_EMPTY);
}

TEST_F(SafeAttachmentTest, OtherPropertyTypes) {
  IAttachmentPtr notes = AnnAttachment(2);
  const _variant_t method = notes->GetFields(0x37140003);
  EXPECT_EQ(method.vt, VT_I4);
  EXPECT_EQ(method.lVal, 4);
  const _variant_t name = notes->GetFields(0x3707001E);
  EXPECT_EQ(name.vt, VT_BSTR);
  EXPECT_EQ(Text(_bstr_t(name)), u"notes.txt");
}

TEST_F(SafeAttachmentTest, CountTypeNameAndBytes) {
  safe_->PutItem(Ann());
  IAttachmentsPtr attachments = safe_->GetAttachments();
  ASSERT_EQ(attachments->GetCount(), 3);
  EXPECT_EQ(attachments->Item(1L)->GetType(), 1);
  EXPECT_EQ(attachments->Item(3L)->GetType(), 4);
  EXPECT_EQ(Text(attachments->Item(1L)->GetFileName()), u"photo.jpg");
  attachments->Item(1L)->SaveAsFile(temp_.windowsPath("photo.jpg").c_str());
  EXPECT_EQ(temp_.read("photo.jpg"), std::string("\xFF\xD8\xFF\xE0\x00\x10", 6));
  EXPECT_EQ(ErrorOf([&] { attachments->Item(4L); }), E_INVALIDARG);
}

TEST_F(SafeAttachmentTest, PictureAddedThroughOutlookIsAPhoto) {
  _ContactItemPtr bob = ContactsItem(3);
  temp_.write("bob.jpg", "jpeg");
  bob->AddPicture(temp_.windowsPath("bob.jpg").c_str());
  safe_->PutItem(bob);
  IAttachmentPtr picture = safe_->GetAttachments()->Item(1L);
  EXPECT_EQ(picture->GetFields(0x7FFF000B).boolVal, VARIANT_TRUE);
  EXPECT_EQ(Text(picture->GetFileName()), u"ContactPicture.jpg");
}

// --- MapiUtils resolves address-book entry ids.

class MapiUtilsTest : public RedemptionTest {
 protected:
  void SetUp() override {
    RedemptionTest::SetUp();
    utils_ = Create<IMAPIUtilsPtr>(u"Redemption.MapiUtils");
    ASSERT_TRUE(utils_ != NULL);
  }
  void TearDown() override {
    utils_ = nullptr;
    RedemptionTest::TearDown();
  }
  IMAPIUtilsPtr utils_;
};

TEST_F(MapiUtilsTest, ContactsEntryIdResolvesToItsSmtpAddress) {
  safe_->PutItem(Ann());
  Redemption::IAddressEntryPtr entry = utils_->GetAddressEntryFromID(safe_->GetEmail2EntryID());
  EXPECT_EQ(Text(entry->GetSMTPAddress()), u"ann.lee@corp.example");
  EXPECT_EQ(Text(utils_->GetAddressEntryFromID("00ab01")->GetSMTPAddress()),
            u"ann.lee@corp.example");
}

TEST_F(MapiUtilsTest, UnknownOrMalformedIdsFail) {
  EXPECT_EQ(ErrorOf([&] { utils_->GetAddressEntryFromID("00AB02"); }), MAPI_E_NOT_FOUND);
  EXPECT_EQ(ErrorOf([&] { utils_->GetAddressEntryFromID("00AB0"); }), MAPI_E_NOT_FOUND);
  EXPECT_EQ(ErrorOf([&] { utils_->GetAddressEntryFromID(""); }), MAPI_E_NOT_FOUND);
  EXPECT_EQ(ErrorOf([&] { utils_->GetAddressEntryFromID(171L); }), DISP_E_TYPEMISMATCH);
}

TEST_F(MapiUtilsTest, FollowsTheCurrentMailbox) {
  testkit::LoadMailboxText(R"({"stores": [], "addressBook": [
      {"entryId": "0102", "name": "Zed", "smtpAddress": "zed@example.org"}]})");
  EXPECT_EQ(Text(utils_->GetAddressEntryFromID("0102")->GetSMTPAddress()), u"zed@example.org");
  EXPECT_EQ(ErrorOf([&] { utils_->GetAddressEntryFromID("00AB01"); }), MAPI_E_NOT_FOUND);
}

// --- Planned failures of Redemption's members.

class RedemptionFaultTest : public MapiUtilsTest {};

TEST_F(RedemptionFaultTest, EachReadCanFailOnItsNthCall) {
  safe_->PutItem(Ann());
  const struct {
    const char* member;
    std::function<void()> call;
  } calls[] = {
      {"SafeContactItem.Body", [&] { safe_->GetBody(); }},
      {"SafeContactItem.Email2Address", [&] { safe_->GetEmail2Address(); }},
      {"SafeContactItem.IMAddress", [&] { safe_->GetIMAddress(); }},
      {"SafeContactItem.NetMeetingAlias", [&] { safe_->GetNetMeetingAlias(); }},
      {"SafeContactItem.Attachments", [&] { safe_->GetAttachments(); }},
      {"Attachment.Fields", [&] { safe_->GetAttachments()->Item(1L)->GetFields(0x7FFF000B); }},
      {"Attachment.FileName", [&] { safe_->GetAttachments()->Item(1L)->GetFileName(); }},
      {"MAPIUtils.GetAddressEntryFromID", [&] { utils_->GetAddressEntryFromID("00AB01"); }},
      {"AddressEntry.SMTPAddress",
       [&] { utils_->GetAddressEntryFromID("00AB01")->GetSMTPAddress(); }},
  };
  for (const auto& call : calls) {
    testkit::FailCall(call.member, 2, E_FAIL);
    EXPECT_EQ(ErrorOf(call.call), S_OK) << call.member;
    EXPECT_EQ(ErrorOf(call.call), E_FAIL) << call.member;
    EXPECT_EQ(ErrorOf(call.call), S_OK) << call.member;
    testkit::ClearFaults();
  }
}

TEST_F(RedemptionFaultTest, FailedItemPutKeepsThePreviousItem) {
  safe_->PutItem(Ann());
  testkit::FailCall("SafeContactItem.Item", 1, E_FAIL);
  EXPECT_EQ(ErrorOf([&] { safe_->PutItem(ContactsItem(3)); }), E_FAIL);
  EXPECT_EQ(Text(safe_->GetEmail1Address()), u"ann@example.org");
}

}  // namespace
