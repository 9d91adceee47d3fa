#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "OutlookTestMailbox.h"
#include "support/TempDir.h"
#include "testkit/Clock.h"
#include "testkit/Files.h"

namespace {

using namespace outlooktest;
using Outlook::_ContactItemPtr;
using Outlook::_DistListItemPtr;
using Outlook::_FoldersPtr;
using Outlook::_ItemsPtr;
using Outlook::MAPIFolderPtr;

// The same COM object: the same IUnknown pointer.
bool SameObject(IUnknown* a, IUnknown* b) {
  return IUnknownPtr(a).GetInterfacePtr() == IUnknownPtr(b).GetInterfacePtr();
}

// The folder path the add-in shows, built from the parent chain.
std::u16string PathOf(Outlook::MAPIFolder* folder) {
  const std::u16string name = Text(folder->GetName());
  MAPIFolderPtr parent(folder->GetParent());
  return parent != NULL ? PathOf(parent) + u"\\" + name : u"\\\\" + name;
}

// --- The application and its namespace.

class OutlookSessionTest : public OutlookTest {};

TEST_F(OutlookSessionTest, VersionFollowsTheVersionPlayed) {
  const struct {
    int major;
    const char16_t* text;
  } versions[] = {{9, u"9.0.0.2416"},
                  {10, u"10.0.0.2627"},
                  {11, u"11.0.0.5510"},
                  {12, u"12.0.0.6423"},
                  {14, u"14.0.0.4760"}};
  for (const auto& version : versions) {
    testkit::SetOutlookVersion(version.major);
    EXPECT_EQ(Text(app_->GetVersion()), version.text);
  }
}

TEST_F(OutlookSessionTest, SessionAndMapiNamespaceAreOneObject) {
  Outlook::_NameSpacePtr session = app_->GetSession();
  Outlook::_NameSpacePtr mapi = app_->GetNamespace("mapi");
  EXPECT_TRUE(SameObject(session, mapi));
  EXPECT_EQ(session->GetClass(), Outlook::olNamespace);
  EXPECT_EQ(ErrorOf([&] { app_->GetNamespace("CDO"); }), E_INVALIDARG);
}

TEST_F(OutlookSessionTest, ApplicationIsOneLiveObject) {
  Outlook::_ApplicationPtr again = testkit::CreateOutlookApplication();
  EXPECT_TRUE(SameObject(app_, again));
  EXPECT_TRUE(SameObject(Contacts()->GetApplication(), app_));
}

TEST_F(OutlookSessionTest, CreatedContactJoinsContactsOnlyWhenSaved) {
  _ContactItemPtr created = app_->CreateItem(Outlook::olContactItem);
  ASSERT_TRUE(created != NULL);
  EXPECT_EQ(created->GetSaved(), VARIANT_FALSE);
  EXPECT_EQ(Text(created->GetEntryID()), u"");
  EXPECT_EQ(Contacts()->GetItems()->GetCount(), 3);

  created->PutLastName("Newman");
  created->Save();
  EXPECT_EQ(created->GetSaved(), VARIANT_TRUE);
  EXPECT_NE(Text(created->GetEntryID()), u"");
  _ItemsPtr items = Contacts()->GetItems();
  ASSERT_EQ(items->GetCount(), 4);
  EXPECT_TRUE(SameObject(items->Item(4L), created));
}

TEST_F(OutlookSessionTest, CreateItemOfUnknownTypeFails) {
  EXPECT_EQ(ErrorOf([&] { app_->CreateItem(static_cast<Outlook::OlItemType>(42)); }), E_INVALIDARG);
}

// --- Folders: default folders, the tree, identity.

class OutlookFolderTreeTest : public OutlookTest {};

TEST_F(OutlookFolderTreeTest, DefaultFoldersOfTheFirstStore) {
  const struct {
    Outlook::OlDefaultFolders folder;
    const char16_t* name;
    Outlook::OlItemType type;
  } defaults[] = {{Outlook::olFolderDeletedItems, u"Deleted Items", Outlook::olMailItem},
                  {Outlook::olFolderInbox, u"Inbox", Outlook::olMailItem},
                  {Outlook::olFolderCalendar, u"Calendar", Outlook::olAppointmentItem},
                  {Outlook::olFolderContacts, u"Contacts", Outlook::olContactItem}};
  for (const auto& expected : defaults) {
    MAPIFolderPtr folder = Session()->GetDefaultFolder(expected.folder);
    EXPECT_EQ(PathOf(folder), u"\\\\Personal Folders\\" + std::u16string(expected.name));
    EXPECT_EQ(folder->GetDefaultItemType(), expected.type);
    EXPECT_EQ(folder->GetClass(), Outlook::olFolder);
  }
}

TEST_F(OutlookFolderTreeTest, MissingDefaultFolderFails) {
  testkit::LoadMailboxText(R"({"stores": [{"name": "Mail", "folders": [
      {"name": "Inbox", "defaultItemType": 0}]}]})");
  EXPECT_EQ(ErrorOf([&] { Session()->GetDefaultFolder(Outlook::olFolderContacts); }),
            MAPI_E_NOT_FOUND);
}

TEST_F(OutlookFolderTreeTest, SessionFoldersAreTheStoresRootFolders) {
  _FoldersPtr roots = Session()->GetFolders();
  ASSERT_EQ(roots->GetCount(), 2);
  MAPIFolderPtr archive = roots->Item(2L);
  EXPECT_EQ(Text(archive->GetName()), u"Archive");
  EXPECT_TRUE(SameObject(roots->Item("ARCHIVE"), archive));
  EXPECT_EQ(Text(archive->GetEntryID()), u"5354303032");
  EXPECT_EQ(Text(archive->GetStoreID()), u"5354303032");
  EXPECT_EQ(archive->GetItems()->GetCount(), 0);
  // Above a root folder sits the namespace, which is no folder.
  IDispatchPtr above = archive->GetParent();
  EXPECT_TRUE(SameObject(above, Session()));
  EXPECT_TRUE(MAPIFolderPtr(above) == NULL);
}

TEST_F(OutlookFolderTreeTest, SubfoldersByPositionAndName) {
  MAPIFolderPtr archiveContacts = Session()->GetFolders()->Item("Archive")->GetFolders()->Item(1L);
  EXPECT_EQ(PathOf(archiveContacts), u"\\\\Archive\\Contacts");
  EXPECT_EQ(Text(archiveContacts->GetStoreID()), u"5354303032");
  MAPIFolderPtr work = Contacts()->GetFolders()->Item("work");
  EXPECT_EQ(PathOf(work), u"\\\\Personal Folders\\Contacts\\Work");
  EXPECT_EQ(Text(work->GetStoreID()), u"5354303031");
}

TEST_F(OutlookFolderTreeTest, BadFolderIndexesFail) {
  _FoldersPtr folders = Contacts()->GetFolders();
  EXPECT_EQ(ErrorOf([&] { folders->Item(0L); }), E_INVALIDARG);
  EXPECT_EQ(ErrorOf([&] { folders->Item(2L); }), E_INVALIDARG);
  EXPECT_EQ(ErrorOf([&] { folders->Item("Private"); }), E_INVALIDARG);
}

TEST_F(OutlookFolderTreeTest, FolderReachedTwiceIsTheSameObject) {
  MAPIFolderPtr byDefault = Contacts();
  MAPIFolderPtr byTree = Session()->GetFolders()->Item(1L)->GetFolders()->Item("Contacts");
  EXPECT_TRUE(SameObject(byDefault, byTree));
  EXPECT_EQ(Text(byDefault->GetEntryID()), u"46303031");
  MAPIFolderPtr parentOfWork = Contacts()->GetFolders()->Item(1L)->GetParent();
  EXPECT_TRUE(SameObject(parentOfWork, byDefault));
}

TEST_F(OutlookFolderTreeTest, FolderReachedAgainAfterReleaseKeepsItsEntryId) {
  const std::u16string first = Text(Contacts()->GetEntryID());
  EXPECT_EQ(testkit::LiveOutlookObjects(), 1u);  // only the application
  EXPECT_EQ(Text(Contacts()->GetEntryID()), first);
}

TEST_F(OutlookFolderTreeTest, FolderCollectionSeesFoldersAddedLater) {
  _FoldersPtr folders = Contacts()->GetFolders();
  ASSERT_EQ(folders->GetCount(), 1);
  testkit::FindFolder("Personal Folders/Contacts")->AddFolder(u"Family", 2);
  EXPECT_EQ(folders->GetCount(), 2);
  EXPECT_EQ(Text(folders->Item(2L)->GetName()), u"Family");
}

// --- Items: order, kinds, new items, lookup by entry id.

class OutlookItemsTest : public OutlookTest {};

TEST_F(OutlookItemsTest, ItemsComeInInsertionOrder) {
  _ItemsPtr items = Contacts()->GetItems();
  ASSERT_EQ(items->GetCount(), 3);
  EXPECT_EQ(Text(_ContactItemPtr(items->Item(1L))->GetFullName()), u"Ann Lee");
  EXPECT_EQ(Text(_DistListItemPtr(items->Item(2L))->GetDLName()), u"Friends");
  EXPECT_EQ(Text(_ContactItemPtr(items->Item(3L))->GetFullName()), u"Bob Stone");
}

TEST_F(OutlookItemsTest, BadItemIndexesFail) {
  _ItemsPtr items = Contacts()->GetItems();
  EXPECT_EQ(ErrorOf([&] { items->Item(0L); }), E_INVALIDARG);
  EXPECT_EQ(ErrorOf([&] { items->Item(4L); }), E_INVALIDARG);
  EXPECT_EQ(ErrorOf([&] { items->Item("Ann Lee"); }), DISP_E_TYPEMISMATCH);
}

TEST_F(OutlookItemsTest, ItemReachedTwiceIsTheSameObject) {
  EXPECT_TRUE(SameObject(ContactsItem(1), Ann()));
  EXPECT_FALSE(SameObject(ContactsItem(1), ContactsItem(3)));
}

TEST_F(OutlookItemsTest, DistributionListIsNoContact) {
  IDispatchPtr list = ContactsItem(2);
  EXPECT_TRUE(_ContactItemPtr(list) == NULL);
  _DistListItemPtr distList(list);
  ASSERT_TRUE(distList != NULL);
  EXPECT_EQ(distList->GetClass(), Outlook::olDistributionList);
  EXPECT_EQ(Text(distList->GetMessageClass()), u"IPM.DistList");
  EXPECT_TRUE(_DistListItemPtr(ContactsItem(1)) == NULL);
}

TEST_F(OutlookItemsTest, AddedItemTakesTheRequestedOrFolderType) {
  _ItemsPtr items = Contacts()->GetItems();
  _ContactItemPtr contact = items->Add(_variant_t(DISP_E_PARAMNOTFOUND, VT_ERROR));
  ASSERT_TRUE(contact != NULL);
  EXPECT_EQ(Text(contact->GetMessageClass()), u"IPM.Contact");
  _DistListItemPtr list = items->Add(static_cast<long>(Outlook::olDistributionListItem));
  ASSERT_TRUE(list != NULL);
  EXPECT_EQ(items->GetCount(), 3);
  list = nullptr;
  contact->Save();
  EXPECT_EQ(items->GetCount(), 4);
  EXPECT_EQ(ErrorOf([&] { items->Add(99L); }), E_INVALIDARG);
}

TEST_F(OutlookItemsTest, ItemFoundByEntryIdAlsoAfterDeletion) {
  _ContactItemPtr bob = Session()->GetItemFromID("43303032", _variant_t());
  EXPECT_EQ(Text(bob->GetFullName()), u"Bob Stone");
  EXPECT_TRUE(SameObject(bob, ContactsItem(3)));

  bob->Delete();
  EXPECT_EQ(Contacts()->GetItems()->GetCount(), 2);
  _ItemsPtr bin = Session()->GetDefaultFolder(Outlook::olFolderDeletedItems)->GetItems();
  ASSERT_EQ(bin->GetCount(), 1);
  EXPECT_EQ(Text(_ContactItemPtr(bin->Item(1L))->GetEntryID()), u"43303032");
  EXPECT_TRUE(SameObject(Session()->GetItemFromID("43303032", "5354303031"), bob));

  // Deleted from Deleted Items, it is gone.
  bob->Delete();
  EXPECT_EQ(bin->GetCount(), 0);
  EXPECT_EQ(ErrorOf([&] { Session()->GetItemFromID("43303032", _variant_t()); }), MAPI_E_NOT_FOUND);
}

TEST_F(OutlookItemsTest, EntryIdLookupRespectsTheStoreAndRejectsBadIds) {
  _ContactItemPtr old = Session()->GetItemFromID("43303939", "5354303032");
  EXPECT_EQ(Text(old->GetFullName()), u"Old Friend");
  EXPECT_EQ(ErrorOf([&] { Session()->GetItemFromID("43303939", "5354303031"); }), MAPI_E_NOT_FOUND);
  EXPECT_EQ(ErrorOf([&] { Session()->GetItemFromID("4330", _variant_t()); }), MAPI_E_NOT_FOUND);
  EXPECT_EQ(ErrorOf([&] { Session()->GetItemFromID("not hex", _variant_t()); }), MAPI_E_NOT_FOUND);
  EXPECT_EQ(ErrorOf([&] { Session()->GetItemFromID("", _variant_t()); }), MAPI_E_NOT_FOUND);
}

// --- Contact properties.

using TextGetter = _bstr_t (Outlook::_ContactItem::*)();
using TextPutter = void (Outlook::_ContactItem::*)(_bstr_t);

struct TextProperty {
  const char* name;
  TextGetter get;
  TextPutter put;
};

#define TEXT_PROPERTY(Name) \
  TextProperty { #Name, &Outlook::_ContactItem::Get##Name, &Outlook::_ContactItem::Put##Name }

const TextProperty kTextProperties[] = {
    TEXT_PROPERTY(FirstName),
    TEXT_PROPERTY(MiddleName),
    TEXT_PROPERTY(LastName),
    TEXT_PROPERTY(Title),
    TEXT_PROPERTY(Suffix),
    TEXT_PROPERTY(FullName),
    TEXT_PROPERTY(FileAs),
    TEXT_PROPERTY(NickName),
    TEXT_PROPERTY(CompanyName),
    TEXT_PROPERTY(Department),
    TEXT_PROPERTY(JobTitle),
    TEXT_PROPERTY(Profession),
    TEXT_PROPERTY(Body),
    TEXT_PROPERTY(ManagerName),
    TEXT_PROPERTY(AssistantName),
    TEXT_PROPERTY(Spouse),
    TEXT_PROPERTY(NetMeetingServer),
    TEXT_PROPERTY(NetMeetingAlias),
    TEXT_PROPERTY(InternetFreeBusyAddress),
    TEXT_PROPERTY(PersonalHomePage),
    TEXT_PROPERTY(BusinessHomePage),
    TEXT_PROPERTY(IMAddress),
    TEXT_PROPERTY(Categories),
    TEXT_PROPERTY(BusinessTelephoneNumber),
    TEXT_PROPERTY(Business2TelephoneNumber),
    TEXT_PROPERTY(BusinessFaxNumber),
    TEXT_PROPERTY(HomeTelephoneNumber),
    TEXT_PROPERTY(Home2TelephoneNumber),
    TEXT_PROPERTY(HomeFaxNumber),
    TEXT_PROPERTY(MobileTelephoneNumber),
    TEXT_PROPERTY(CarTelephoneNumber),
    TEXT_PROPERTY(OtherTelephoneNumber),
    TEXT_PROPERTY(OtherFaxNumber),
    TEXT_PROPERTY(PagerNumber),
    TEXT_PROPERTY(ISDNNumber),
    TEXT_PROPERTY(PrimaryTelephoneNumber),
    TEXT_PROPERTY(CompanyMainTelephoneNumber),
    TEXT_PROPERTY(OfficeLocation),
    TEXT_PROPERTY(BusinessAddressPostOfficeBox),
    TEXT_PROPERTY(BusinessAddressStreet),
    TEXT_PROPERTY(BusinessAddressCity),
    TEXT_PROPERTY(BusinessAddressState),
    TEXT_PROPERTY(BusinessAddressPostalCode),
    TEXT_PROPERTY(BusinessAddressCountry),
    TEXT_PROPERTY(HomeAddressPostOfficeBox),
    TEXT_PROPERTY(HomeAddressStreet),
    TEXT_PROPERTY(HomeAddressCity),
    TEXT_PROPERTY(HomeAddressState),
    TEXT_PROPERTY(HomeAddressPostalCode),
    TEXT_PROPERTY(HomeAddressCountry),
    TEXT_PROPERTY(OtherAddressPostOfficeBox),
    TEXT_PROPERTY(OtherAddressStreet),
    TEXT_PROPERTY(OtherAddressCity),
    TEXT_PROPERTY(OtherAddressState),
    TEXT_PROPERTY(OtherAddressPostalCode),
    TEXT_PROPERTY(OtherAddressCountry),
    TEXT_PROPERTY(Email1Address),
    TEXT_PROPERTY(Email2Address),
    TEXT_PROPERTY(Email3Address),
    TEXT_PROPERTY(Email1AddressType),
    TEXT_PROPERTY(Email2AddressType),
    TEXT_PROPERTY(Email3AddressType),
};

#undef TEXT_PROPERTY

// A contact whose every text property holds "<name> value" (and "é" to show the text
// is not narrowed on the way).
class OutlookContactPropertyTest : public OutlookTest {
 protected:
  void SetUp() override {
    OutlookTest::SetUp();
    std::string json = R"({"stores": [{"name": "PF", "folders": [{"name": "Contacts",
        "defaultItemType": 2, "items": [{"MessageClass": "IPM.Contact")";
    for (const TextProperty& property : kTextProperties) {
      json += std::string(", \"") + property.name + "\": \"" + ValueOf(property.name) + "\"";
    }
    json += R"(, "Email1EntryID": "0a0b0c", "Birthday": "1970-05-17",
        "Anniversary": "1995-06-10T00:00:00", "Sensitivity": 3}]}]}]})";
    testkit::LoadMailboxText(json);
    contact_ = Contacts()->GetItems()->Item(1L);
    ASSERT_TRUE(contact_ != NULL);
    item_ = testkit::CurrentMailbox()->Stores()[0]->Folders()[0]->ItemAt(0);
  }
  void TearDown() override {
    contact_ = nullptr;
    OutlookTest::TearDown();
  }

  static std::string ValueOf(const std::string& name) { return name + " valu\xC3\xA9"; }

  _ContactItemPtr contact_;
  kelvra::store::ItemPtr item_;
};

TEST_F(OutlookContactPropertyTest, EveryTextPropertyReadsItsOwnValue) {
  for (const TextProperty& property : kTextProperties) {
    EXPECT_EQ(Text((contact_->*property.get)()), testkit::Utf16(ValueOf(property.name)))
        << property.name;
  }
}

TEST_F(OutlookContactPropertyTest, EveryTextPropertyWritesItsOwnValue) {
  for (const TextProperty& property : kTextProperties) {
    const std::string written = std::string("new ") + property.name;
    (contact_->*property.put)(written.c_str());
    EXPECT_EQ(testkit::Text(item_, property.name), written) << property.name;
    EXPECT_EQ(contact_->GetSaved(), VARIANT_FALSE) << property.name;
    contact_->Save();
  }
}

TEST_F(OutlookContactPropertyTest, DatesSensitivityAndEntryIds) {
  EXPECT_EQ(contact_->GetBirthday(), 25705.0);
  EXPECT_EQ(contact_->GetAnniversary(), 34860.0);
  EXPECT_EQ(contact_->GetSensitivity(), Outlook::olConfidential);
  EXPECT_EQ(Text(contact_->GetEmail1EntryID()), u"0A0B0C");
  EXPECT_EQ(Text(contact_->GetEmail2EntryID()), u"");

  contact_->PutBirthday(kelvra::store::kNoDate);
  contact_->PutAnniversary(40000.5);
  contact_->PutSensitivity(Outlook::olPersonal);
  EXPECT_EQ(item_->GetDate("Birthday"), kelvra::store::kNoDate);
  EXPECT_EQ(item_->GetDate("Anniversary"), 40000.5);
  EXPECT_EQ(item_->GetLong("Sensitivity"), 1);
  EXPECT_EQ(ErrorOf([&] { contact_->PutSensitivity(static_cast<Outlook::OlSensitivity>(4)); }),
            E_INVALIDARG);
}

TEST_F(OutlookContactPropertyTest, AbsentPropertiesReadTheirDefaults) {
  _ContactItemPtr blank = app_->CreateItem(Outlook::olContactItem);
  EXPECT_EQ(Text(blank->GetCompanyName()), u"");
  EXPECT_EQ(blank->GetBirthday(), kelvra::store::kNoDate);
  EXPECT_EQ(blank->GetSensitivity(), Outlook::olNormal);
  EXPECT_EQ(blank->GetHasPicture(), VARIANT_FALSE);
  EXPECT_EQ(blank->GetAttachments()->GetCount(), 0);
}

TEST_F(OutlookContactPropertyTest, FullNameIsComposedFromTheNameParts) {
  _ContactItemPtr created = app_->CreateItem(Outlook::olContactItem);
  created->PutFirstName("Ann");
  created->PutLastName("Lee");
  EXPECT_EQ(Text(created->GetFullName()), u"Ann Lee");
  created->PutTitle("Dr.");
  created->PutSuffix("Jr.");
  EXPECT_EQ(Text(created->GetFullName()), u"Dr. Ann Lee Jr.");
}

TEST_F(OutlookContactPropertyTest, SavingStampsTheClockAndKeepsTheEntryId) {
  SYSTEMTIME at{};
  at.wYear = 2024, at.wMonth = 3, at.wDay = 5, at.wHour = 10, at.wMinute = 20, at.wSecond = 30;
  testkit::SetLocalTime(at);
  _ContactItemPtr created = app_->CreateItem(Outlook::olContactItem);
  created->PutFirstName("Eve");
  created->Save();
  EXPECT_NEAR(created->GetLastModificationTime(), 45356.43090277778, 1e-9);
  const std::u16string id = Text(created->GetEntryID());
  created->PutFirstName("Eva");
  created->Save();
  EXPECT_EQ(Text(created->GetEntryID()), id);
  EXPECT_EQ(created->GetClass(), Outlook::olContact);
}

TEST_F(OutlookContactPropertyTest, MembersMissingFromOlderVersionsFail) {
  testkit::SetOutlookVersion(9);
  EXPECT_EQ(ErrorOf([&] { contact_->GetIMAddress(); }), DISP_E_MEMBERNOTFOUND);
  EXPECT_EQ(ErrorOf([&] { contact_->GetHasPicture(); }), DISP_E_MEMBERNOTFOUND);
  testkit::SetOutlookVersion(10);
  EXPECT_EQ(Text(contact_->GetIMAddress()), testkit::Utf16(ValueOf("IMAddress")));
  EXPECT_EQ(ErrorOf([&] { contact_->AddPicture("Z:\\tmp\\x.jpg"); }), DISP_E_MEMBERNOTFOUND);
  testkit::SetOutlookVersion(11);
  EXPECT_EQ(contact_->GetHasPicture(), VARIANT_FALSE);
}

// --- Attachments and pictures through the object model.

class OutlookAttachmentTest : public OutlookTest {
 protected:
  kelvra::test::TempDir temp_;
};

TEST_F(OutlookAttachmentTest, AttachmentsInOrderWithTypeAndName) {
  Outlook::AttachmentsPtr attachments = Ann()->GetAttachments();
  ASSERT_EQ(attachments->GetCount(), 3);
  EXPECT_EQ(Text(attachments->Item(1L)->GetFileName()), u"photo.jpg");
  EXPECT_EQ(attachments->Item(2L)->GetType(), Outlook::olByValue);
  EXPECT_EQ(attachments->Item(3L)->GetType(), Outlook::olByReference);
  EXPECT_EQ(ErrorOf([&] { attachments->Item(4L); }), E_INVALIDARG);
}

TEST_F(OutlookAttachmentTest, SaveAsFileWritesTheBytes) {
  Outlook::AttachmentPtr notes = Ann()->GetAttachments()->Item(2L);
  temp_.write("notes.txt", "an older and longer text");
  notes->SaveAsFile(temp_.windowsPath("notes.txt").c_str());
  EXPECT_EQ(temp_.read("notes.txt"), "hello");
}

TEST_F(OutlookAttachmentTest, SaveAsFileIntoAMissingFolderFails) {
  Outlook::AttachmentPtr notes = Ann()->GetAttachments()->Item(2L);
  const std::string path = temp_.windowsPath("missing\\notes.txt");
  EXPECT_EQ(ErrorOf([&] { notes->SaveAsFile(path.c_str()); }),
            HRESULT_FROM_WIN32(ERROR_PATH_NOT_FOUND));
}

TEST_F(OutlookAttachmentTest, ShortWriteIsAFailure) {
  Outlook::AttachmentPtr notes = Ann()->GetAttachments()->Item(2L);
  testkit::InjectShortWrite(2);
  const std::string path = temp_.windowsPath("notes.txt");
  EXPECT_EQ(ErrorOf([&] { notes->SaveAsFile(path.c_str()); }),
            HRESULT_FROM_WIN32(ERROR_WRITE_FAULT));
}

TEST_F(OutlookAttachmentTest, AddPictureReadsTheFileAtOnce) {
  _ContactItemPtr bob = ContactsItem(3);
  temp_.write("bob.jpg", std::string("\xFF\xD8\xFF\x00jpeg", 8));
  bob->AddPicture(temp_.windowsPath("bob.jpg").c_str());
  temp_.write("bob.jpg", "changed afterwards");
  EXPECT_EQ(bob->GetHasPicture(), VARIANT_TRUE);
  EXPECT_EQ(bob->GetSaved(), VARIANT_FALSE);
  Outlook::AttachmentPtr picture = bob->GetAttachments()->Item(1L);
  picture->SaveAsFile(temp_.windowsPath("copy.jpg").c_str());
  EXPECT_EQ(temp_.read("copy.jpg"), std::string("\xFF\xD8\xFF\x00jpeg", 8));
}

TEST_F(OutlookAttachmentTest, AddPictureOfAMissingFileFails) {
  _ContactItemPtr bob = ContactsItem(3);
  const std::string path = temp_.windowsPath("none.jpg");
  EXPECT_EQ(ErrorOf([&] { bob->AddPicture(path.c_str()); }),
            HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND));
  EXPECT_EQ(bob->GetHasPicture(), VARIANT_FALSE);
}

// --- Planned failures.

class OutlookFaultTest : public OutlookTest {};

TEST_F(OutlookFaultTest, NthReadOfAPropertyFails) {
  _ContactItemPtr ann = Ann();
  testkit::FailCall("ContactItem.FirstName", 2, HRESULT_FROM_WIN32(ERROR_ACCESS_DENIED));
  EXPECT_EQ(Text(ann->GetFirstName()), u"Ann");
  EXPECT_EQ(ErrorOf([&] { ann->GetFirstName(); }), HRESULT_FROM_WIN32(ERROR_ACCESS_DENIED));
  EXPECT_EQ(Text(ann->GetFirstName()), u"Ann");
  EXPECT_EQ(Text(ann->GetLastName()), u"Lee");
}

TEST_F(OutlookFaultTest, PlannedFailureOfEveryCall) {
  testkit::FailCall("Folder.Items", 0, E_FAIL);
  MAPIFolderPtr contacts = Contacts();
  EXPECT_EQ(ErrorOf([&] { contacts->GetItems(); }), E_FAIL);
  EXPECT_EQ(ErrorOf([&] { contacts->GetItems(); }), E_FAIL);
  testkit::ClearFaults();
  EXPECT_EQ(contacts->GetItems()->GetCount(), 3);
}

TEST_F(OutlookFaultTest, EveryKindOfMemberCanFail) {
  const struct {
    const char* member;
    std::function<void()> call;
  } calls[] = {
      {"Application.Version", [&] { app_->GetVersion(); }},
      {"Application.Session", [&] { app_->GetSession(); }},
      {"NameSpace.GetDefaultFolder", [&] { Contacts(); }},
      {"Folder.DefaultItemType", [&] { Contacts()->GetDefaultItemType(); }},
      {"Folders.Item", [&] { Contacts()->GetFolders()->Item(1L); }},
      {"Items.Count", [&] { Contacts()->GetItems()->GetCount(); }},
      {"Items.Item", [&] { ContactsItem(1); }},
      {"ContactItem.Birthday", [&] { Ann()->PutBirthday(1.0); }},
      {"ContactItem.Save", [&] { Ann()->Save(); }},
      {"DistListItem.DLName", [&] { _DistListItemPtr(ContactsItem(2))->GetDLName(); }},
      {"Attachments.Item", [&] { Ann()->GetAttachments()->Item(1L); }},
      {"Attachment.SaveAsFile", [&] { Ann()->GetAttachments()->Item(1L)->SaveAsFile("x"); }},
  };
  for (const auto& call : calls) {
    testkit::FailCall(call.member, 1, E_OUTOFMEMORY);
    EXPECT_EQ(ErrorOf(call.call), E_OUTOFMEMORY) << call.member;
    testkit::ClearFaults();
  }
}

TEST_F(OutlookFaultTest, FailedCallsLeaveNothingBehind) {
  testkit::FailCall("Items.Item", 0, E_FAIL);
  for (int i = 0; i < 3; ++i) ErrorOf([&] { ContactsItem(1); });
  EXPECT_EQ(testkit::LiveOutlookObjects(), 1u);  // the application
}

// --- Reference counts.

class OutlookReferenceTest : public OutlookTest {};

TEST_F(OutlookReferenceTest, HandedOutObjectsCarryOneReference) {
  Outlook::MAPIFolder* contacts = Session()->GetDefaultFolder(Outlook::olFolderContacts).Detach();
  EXPECT_EQ(contacts->AddRef(), 2u);
  EXPECT_EQ(contacts->Release(), 1u);
  EXPECT_EQ(contacts->Release(), 0u);
}

TEST_F(OutlookReferenceTest, WalkingTheWholeTreeReleasesEverything) {
  _FoldersPtr roots = Session()->GetFolders();
  for (long s = 1; s <= roots->GetCount(); ++s) {
    _FoldersPtr folders = roots->Item(s)->GetFolders();
    for (long f = 1; f <= folders->GetCount(); ++f) {
      _ItemsPtr items = folders->Item(f)->GetItems();
      for (long i = 1; i <= items->GetCount(); ++i) {
        _ContactItemPtr contact = items->Item(i);
        if (contact == NULL) continue;
        Outlook::AttachmentsPtr attachments = contact->GetAttachments();
        for (long a = 1; a <= attachments->GetCount(); ++a) attachments->Item(a)->GetFileName();
      }
    }
  }
  EXPECT_GT(testkit::LiveOutlookObjects(), 1u);
  roots = nullptr;
  EXPECT_EQ(testkit::LiveOutlookObjects(), 1u);
}

}  // namespace
