#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <functional>
#include <set>
#include <stdexcept>
#include <thread>

#include "store/Folder.h"
#include "store/HexText.h"
#include "store/Item.h"
#include "store/ItemType.h"
#include "store/Mailbox.h"
#include "store/OutlookVersion.h"
#include "store/Store.h"
#include "testkit/Clock.h"
#include "testkit/Store.h"

namespace {

namespace store = kelvra::store;
using store::Value;
using testkit::Utf16;

class StoreTest : public ::testing::Test {
 protected:
  void SetUp() override { testkit::ResetMailbox(); }
  void TearDown() override {
    testkit::ResetMailbox();
    testkit::UseRealClock();
  }

  static store::FolderPtr Contacts() {
    return testkit::CurrentMailbox()->DefaultFolder(store::defaultfolder::kContacts);
  }
  static store::ItemPtr NewContact() { return Contacts()->NewItem(); }
};

// --- What an item answers for properties nobody set.
class ItemDefaultsTest : public StoreTest {};

TEST_F(ItemDefaultsTest, AbsentPropertiesAnswerTheObjectModelDefaults) {
  const auto item = NewContact();
  EXPECT_EQ(item->GetText("FirstName"), u"");
  EXPECT_EQ(item->GetLong("Sensitivity"), 0);
  EXPECT_EQ(item->GetLong("Importance"), 1);
  EXPECT_EQ(item->GetLong("Duration"), 30);
  EXPECT_EQ(item->GetLong("BusyStatus"), 2);
  EXPECT_FALSE(item->GetBool("HasPicture"));
  EXPECT_EQ(item->GetDate("Birthday"), store::kNoDate);
  EXPECT_EQ(item->GetDate("Anniversary"), store::kNoDate);
  EXPECT_EQ(item->GetDate("LastModificationTime"), store::kNoDate);
  EXPECT_TRUE(item->GetBinary("Email1EntryID").empty());
  EXPECT_FALSE(item->Has("FirstName"));
}

TEST_F(ItemDefaultsTest, NamesCompareWithoutCaseAndKeepTheirFirstSpelling) {
  const auto item = NewContact();
  item->Set("jobtitle", Value::Text(u"Buyer"));
  item->Set("JOBTITLE", Value::Text(u"Head buyer"));
  EXPECT_EQ(item->GetText("JobTitle"), u"Head buyer");
  const auto bag = item->Properties();
  ASSERT_EQ(bag.Size(), 1u);
  EXPECT_EQ(bag.begin()->first, "jobtitle");
}

TEST_F(ItemDefaultsTest, AReadOfAnotherTypeAnswersThatTypesEmptyValue) {
  const auto item = NewContact();
  item->Set("Sensitivity", Value::Text(u"2"));
  EXPECT_EQ(item->GetLong("Sensitivity"), 0);
  EXPECT_EQ(item->GetDate("Sensitivity"), store::kNoDate);
  EXPECT_EQ(item->GetText("Sensitivity"), u"2");
}

TEST_F(ItemDefaultsTest, AnUnknownNameIsEmpty) {
  EXPECT_TRUE(NewContact()->Get("NoSuchProperty").IsEmpty());
}

// --- Message classes and item types.
class MessageClassTest : public StoreTest {};

TEST_F(MessageClassTest, ANewItemTakesTheClassOfItsFoldersItemType) {
  const auto mailbox = testkit::CurrentMailbox();
  EXPECT_EQ(mailbox->DefaultFolder(store::defaultfolder::kContacts)->NewItem()->MessageClass(),
            u"IPM.Contact");
  EXPECT_EQ(mailbox->DefaultFolder(store::defaultfolder::kCalendar)->NewItem()->MessageClass(),
            u"IPM.Appointment");
  EXPECT_EQ(mailbox->DefaultFolder(store::defaultfolder::kInbox)->NewItem()->MessageClass(),
            u"IPM.Note");
  EXPECT_EQ(Contacts()->NewItem(u"IPM.DistList")->ItemType(), store::itemtype::kDistributionList);
}

TEST_F(MessageClassTest, ItemTypeFollowsTheClassAndItsSubclasses) {
  EXPECT_EQ(store::ItemType::OfMessageClass(u"IPM.Contact"), store::itemtype::kContact);
  EXPECT_EQ(store::ItemType::OfMessageClass(u"ipm.contact"), store::itemtype::kContact);
  EXPECT_EQ(store::ItemType::OfMessageClass(u"IPM.Contact.Supplier"), store::itemtype::kContact);
  EXPECT_EQ(store::ItemType::OfMessageClass(u"IPM.ContactX"), store::itemtype::kMail);
  EXPECT_EQ(store::ItemType::OfMessageClass(u"IPM.Appointment"), store::itemtype::kAppointment);
  EXPECT_EQ(store::ItemType::OfMessageClass(u"IPM.DistList"), store::itemtype::kDistributionList);
  EXPECT_EQ(store::ItemType::OfMessageClass(u""), store::itemtype::kMail);
}

TEST_F(MessageClassTest, ALoadedItemWithoutClassTakesItsFolders) {
  testkit::LoadMailboxText(R"({"stores":[{"name":"S","folders":[
      {"name":"Calendar","defaultItemType":1,"items":[{"Subject":"a"},
       {"MessageClass":"IPM.Appointment.Special","Subject":"b"}]}]}]})");
  const auto items = testkit::FindFolder("S/Calendar")->Items();
  ASSERT_EQ(items.size(), 2u);
  EXPECT_EQ(items[0]->MessageClass(), u"IPM.Appointment");
  EXPECT_EQ(items[1]->MessageClass(), u"IPM.Appointment.Special");
}

// --- Default folders.
class DefaultFolderTest : public StoreTest {};

TEST_F(DefaultFolderTest, TheFirstFolderOfEachTypeInTreeOrderOfTheFirstStore) {
  testkit::LoadMailboxText(R"({"stores":[
      {"name":"First","folders":[
        {"name":"Deleted Items","defaultItemType":0},
        {"name":"Work","defaultItemType":0,"folders":[{"name":"Clients","defaultItemType":2}]},
        {"name":"Contacts","defaultItemType":2},
        {"name":"Calendar","defaultItemType":1}]},
      {"name":"Second","folders":[{"name":"Tasks","defaultItemType":3}]}]})");
  const auto mailbox = testkit::CurrentMailbox();
  EXPECT_EQ(mailbox->DefaultFolder(store::defaultfolder::kContacts),
            testkit::FindFolder("First/Work/Clients"));
  EXPECT_EQ(mailbox->DefaultFolder(store::defaultfolder::kCalendar),
            testkit::FindFolder("First/Calendar"));
  EXPECT_EQ(mailbox->DefaultFolder(store::defaultfolder::kInbox),
            testkit::FindFolder("First/Work"));
  EXPECT_EQ(mailbox->DefaultFolder(store::defaultfolder::kDeletedItems),
            testkit::FindFolder("First/Deleted Items"));
  EXPECT_EQ(mailbox->DefaultFolder(store::defaultfolder::kTasks), nullptr);
  EXPECT_EQ(mailbox->DefaultFolder(4), nullptr);
}

TEST_F(DefaultFolderTest, AnEmptyMailboxHasNone) {
  testkit::LoadMailboxText(R"({"stores":[]})");
  EXPECT_EQ(testkit::CurrentMailbox()->DefaultFolder(store::defaultfolder::kContacts), nullptr);
}

TEST_F(DefaultFolderTest, TheStandardMailboxHasTheFourFolders) {
  const auto mailbox = testkit::CurrentMailbox();
  for (const int folder : {store::defaultfolder::kDeletedItems, store::defaultfolder::kInbox,
                           store::defaultfolder::kCalendar, store::defaultfolder::kContacts}) {
    EXPECT_NE(mailbox->DefaultFolder(folder), nullptr) << folder;
  }
  EXPECT_NE(mailbox->DefaultFolder(store::defaultfolder::kInbox),
            mailbox->DefaultFolder(store::defaultfolder::kDeletedItems));
}

// --- Entry ids.
class EntryIdTest : public StoreTest {};

TEST_F(EntryIdTest, EveryNodeOfALoadedMailboxHasItsOwnId) {
  testkit::LoadMailboxFile(KELVRA_SOURCE_DIR "/resources/demo-mailbox.json");
  std::set<store::Bytes> ids;
  std::size_t nodes = 0;
  const std::function<void(const store::FolderPtr&)> visit = [&](const store::FolderPtr& folder) {
    ids.insert(folder->EntryId()), ++nodes;
    for (const auto& item : folder->Items()) ids.insert(item->EntryId()), ++nodes;
    for (const auto& sub : folder->Folders()) visit(sub);
  };
  for (const auto& s : testkit::CurrentMailbox()->Stores()) {
    ids.insert(s->EntryId()), ++nodes;
    for (const auto& folder : s->Folders()) visit(folder);
  }
  EXPECT_EQ(ids.size(), nodes);
  EXPECT_TRUE(
      std::none_of(ids.begin(), ids.end(), [](const store::Bytes& id) { return id.empty(); }));
}

TEST_F(EntryIdTest, TheSameFileGivesTheSameIds) {
  const std::string text =
      R"({"stores":[{"name":"S","folders":[{"name":"C","defaultItemType":2,
      "items":[{"FirstName":"A"},{"FirstName":"B"}]}]}]})";
  testkit::LoadMailboxText(text);
  const auto first = testkit::FindFolder("S/C")->ItemAt(1)->EntryId();
  testkit::LoadMailboxText(text);
  EXPECT_EQ(testkit::FindFolder("S/C")->ItemAt(1)->EntryId(), first);
}

TEST_F(EntryIdTest, MadeIdsNeverTakeAnIdTheFileGivesLater) {
  // Load once to learn the id the counter makes first, then give exactly that
  // id to the last item of the file: the nodes before it must get other ids.
  testkit::LoadMailboxText(R"({"stores":[{"name":"S"}]})");
  const auto firstMade = testkit::CurrentMailbox()->Stores().front()->EntryId();
  testkit::LoadMailboxText(
      R"({"stores":[{"name":"S","folders":[{"name":"C","defaultItemType":2,
      "items":[{"FirstName":"A"},{"EntryID":")" +
      store::HexText::Of(firstMade) + R"(","FirstName":"B"}]}]}]})");
  const auto mailbox = testkit::CurrentMailbox();
  const auto folder = testkit::FindFolder("S/C");
  EXPECT_EQ(folder->ItemAt(1)->EntryId(), firstMade);
  EXPECT_NE(mailbox->Stores().front()->EntryId(), firstMade);
  EXPECT_NE(folder->EntryId(), firstMade);
  EXPECT_NE(folder->ItemAt(0)->EntryId(), firstMade);
}

TEST_F(EntryIdTest, AnItemGetsItsIdOnItsFirstSaveAndKeepsIt) {
  const auto item = NewContact();
  EXPECT_TRUE(item->EntryId().empty());
  ASSERT_TRUE(item->Save());
  const auto id = item->EntryId();
  EXPECT_FALSE(id.empty());
  item->Set("FirstName", Value::Text(u"Changed"));
  ASSERT_TRUE(item->Save());
  EXPECT_EQ(item->EntryId(), id);
  EXPECT_EQ(testkit::CurrentMailbox()->FindItem(id), item);
  EXPECT_EQ(Contacts()->ItemCount(), 1u);
}

TEST_F(EntryIdTest, NodesAreFoundByTheirIds) {
  const auto mailbox = testkit::CurrentMailbox();
  const auto s = mailbox->Stores().front();
  EXPECT_EQ(mailbox->FindStore(s->EntryId()), s);
  EXPECT_EQ(mailbox->FindFolder(Contacts()->EntryId()), Contacts());
  EXPECT_EQ(mailbox->FindFolder(s->EntryId()), nullptr);
  EXPECT_EQ(mailbox->FindItem(store::Bytes{1, 2, 3}), nullptr);
}

// --- FullName, composed the way Outlook does.
class FullNameTest : public StoreTest {};

TEST_F(FullNameTest, SettingANamePartComposesTheNonEmptyParts) {
  const auto item = NewContact();
  item->Set("FirstName", Value::Text(u"John"));
  EXPECT_EQ(item->GetText("FullName"), u"John");
  item->Set("LastName", Value::Text(u"Smith"));
  item->Set("Title", Value::Text(u"Mr."));
  item->Set("Suffix", Value::Text(u"Jr."));
  item->Set("MiddleName", Value::Text(u"A."));
  EXPECT_EQ(item->GetText("FullName"), u"Mr. John A. Smith Jr.");
  item->Set("MiddleName", Value::Text(u""));
  EXPECT_EQ(item->GetText("FullName"), u"Mr. John Smith Jr.");
}

TEST_F(FullNameTest, OtherPropertiesLeaveItAlone) {
  const auto item = NewContact();
  item->Set("CompanyName", Value::Text(u"Northwind"));
  EXPECT_FALSE(item->Has("FullName"));
  item->Set("FullName", Value::Text(u"Set by hand"));
  item->Set("JobTitle", Value::Text(u"Buyer"));
  EXPECT_EQ(item->GetText("FullName"), u"Set by hand");
}

TEST_F(FullNameTest, AFileWithPartsButNoFullNameGetsOneAndAGivenOneIsKept) {
  testkit::LoadMailboxText(
      R"({"stores":[{"name":"S","folders":[{"name":"C","defaultItemType":2,
      "items":[{"LastName":"Müller","FirstName":"Anna"},
               {"FirstName":"Anna","FullName":"Anna M."},
               {"CompanyName":"Northwind"}]}]}]})");
  const auto folder = testkit::FindFolder("S/C");
  EXPECT_EQ(testkit::Text(folder->ItemAt(0), "FullName"), "Anna Müller");
  EXPECT_EQ(testkit::Text(folder->ItemAt(1), "FullName"), "Anna M.");
  EXPECT_FALSE(folder->ItemAt(2)->Has("FullName"));
  EXPECT_TRUE(folder->ItemAt(0)->Saved());
}

// --- Save, Delete and the saved flag.
class SaveDeleteTest : public StoreTest {};

TEST_F(SaveDeleteTest, SaveEntersTheItemAndStampsTheClock) {
  SYSTEMTIME now{};
  now.wYear = 2024, now.wMonth = 2, now.wDay = 29, now.wHour = 13, now.wMinute = 14;
  now.wSecond = 15, now.wMilliseconds = 600;
  testkit::SetLocalTime(now);
  const auto item = NewContact();
  EXPECT_EQ(Contacts()->ItemCount(), 0u);
  EXPECT_FALSE(item->Saved());
  ASSERT_TRUE(item->Save());
  EXPECT_TRUE(item->Saved());
  EXPECT_EQ(Contacts()->ItemAt(0), item);
  // 2024-02-29 is day 45351; the milliseconds are dropped.
  EXPECT_DOUBLE_EQ(item->GetDate("LastModificationTime"),
                   45351.0 + (13 * 3600 + 14 * 60 + 15) / 86400.0);
}

TEST_F(SaveDeleteTest, EveryKindOfChangeMarksTheItemUnsaved) {
  const auto item = NewContact();
  const std::vector<std::function<void()>> changes{
      [&] { item->Set("Body", Value::Text(u"x")); },
      [&] { item->SetTagged(0x0C1F001E, Value::Text(u"a@b")); },
      [&] {
        item->SetNamed({GUID{}, 0x8214}, {3, Value::Long(1)});
      },
      [&] { item->AddAttachment(std::make_shared<store::Attachment>()); },
      [&] { item->AddRecipient({}); },
      [&] { item->SetRecurrence(store::RecurrencePattern{}); },
      [&] { item->SetExceptions({}); },
  };
  for (std::size_t i = 0; i < changes.size(); ++i) {
    ASSERT_TRUE(item->Save());
    changes[i]();
    EXPECT_FALSE(item->Saved()) << "change " << i;
  }
}

TEST_F(SaveDeleteTest, DeleteMovesToDeletedItemsThenRemoves) {
  const auto mailbox = testkit::CurrentMailbox();
  const auto bin = mailbox->DefaultFolder(store::defaultfolder::kDeletedItems);
  const auto item = NewContact();
  ASSERT_TRUE(item->Save());
  const auto id = item->EntryId();

  ASSERT_TRUE(item->Delete());
  EXPECT_EQ(Contacts()->ItemCount(), 0u);
  EXPECT_EQ(bin->ItemAt(0), item);
  EXPECT_EQ(item->Parent(), bin);
  EXPECT_EQ(item->EntryId(), id);
  EXPECT_EQ(mailbox->FindItem(id), item);

  ASSERT_TRUE(item->Delete());
  EXPECT_EQ(bin->ItemCount(), 0u);
  EXPECT_EQ(mailbox->FindItem(id), nullptr);
  EXPECT_FALSE(item->Delete());
  EXPECT_FALSE(item->Save());
}

TEST_F(SaveDeleteTest, AnUnsavedItemIsDroppedNotMoved) {
  const auto item = NewContact();
  ASSERT_TRUE(item->Delete());
  EXPECT_EQ(
      testkit::CurrentMailbox()->DefaultFolder(store::defaultfolder::kDeletedItems)->ItemCount(),
      0u);
  EXPECT_EQ(item->Parent(), nullptr);
}

TEST_F(SaveDeleteTest, AnItemOfAReplacedMailboxCannotBeSaved) {
  const auto item = NewContact();
  testkit::LoadMailboxText(R"({"stores":[]})");
  EXPECT_FALSE(item->Save());
  EXPECT_TRUE(item->EntryId().empty());
}

// --- The folder's lookup of saved items by a text property.
class ItemsWithTextTest : public StoreTest {
 protected:
  static std::size_t Count(const store::FolderPtr& folder, const char* property,
                           const char16_t* folded) {
    return folder->ItemsWithText(property, folded).size();
  }
};

TEST_F(ItemsWithTextTest, TheTableFollowsChangesSavedOrNot) {
  const auto ann = NewContact();
  ann->Set("FirstName", Value::Text(u"Ann"));
  ann->Set("LastName", Value::Text(u"Lee"));
  EXPECT_EQ(Count(Contacts(), "FullName", u"ann lee"), 0u)
      << "an unsaved item is not in the folder";
  ASSERT_TRUE(ann->Save());
  EXPECT_EQ(Count(Contacts(), "FullName", u"ann lee"), 1u);
  EXPECT_EQ(Count(Contacts(), "FileAs", u"lee, ann"), 1u);
  // A change not saved yet is seen at once, also by the composed FileAs.
  ann->Set("LastName", Value::Text(u"Lim"));
  EXPECT_EQ(Count(Contacts(), "FullName", u"ann lee"), 0u);
  EXPECT_EQ(Count(Contacts(), "FullName", u"ann lim"), 1u);
  EXPECT_EQ(Count(Contacts(), "FileAs", u"lim, ann"), 1u);
  ASSERT_TRUE(ann->Delete());
  EXPECT_EQ(Count(Contacts(), "FullName", u"ann lim"), 0u);
  const auto bin = testkit::CurrentMailbox()->DefaultFolder(store::defaultfolder::kDeletedItems);
  EXPECT_EQ(Count(bin, "FullName", u"ann lim"), 1u);
}

TEST_F(ItemsWithTextTest, ASeriesIsAlsoFoundByTheTextsOfItsChangedOccurrences) {
  const auto calendar = testkit::CurrentMailbox()->DefaultFolder(store::defaultfolder::kCalendar);
  const auto series = calendar->NewItem();
  series->Set("Subject", Value::Text(u"Standup"));
  series->SetRecurrence(store::RecurrencePattern{});
  ASSERT_TRUE(series->Save());
  EXPECT_EQ(Count(calendar, "Subject", u"retro"), 0u);
  store::RecurrenceException retro{45300.0, false, {}};
  retro.changes.Set("Subject", Value::Text(u"Retro"));
  series->SetExceptions({retro, {45307.0, true, {}}});
  EXPECT_EQ(Count(calendar, "Subject", u"retro"), 1u);
  EXPECT_EQ(Count(calendar, "Subject", u"standup"), 1u);
  retro.deleted = true;
  series->SetExceptions({retro});
  EXPECT_EQ(Count(calendar, "Subject", u"retro"), 0u) << "a deleted occurrence shows no text";
  EXPECT_EQ(Count(calendar, "Subject", u"standup"), 1u);
}

// --- One writer thread and readers on others.
class ConcurrentReadTest : public StoreTest {};

TEST_F(ConcurrentReadTest, ReadersSeeWholeValuesWhileTheItemChanges) {
  const auto item = NewContact();
  ASSERT_TRUE(item->Save());
  const std::u16string shortText(3, u'a'), longText(300, u'b');
  std::atomic<bool> done{false};
  std::thread reader([&] {
    while (!done) {
      const std::u16string body = item->GetText("Body");
      ASSERT_TRUE(body.empty() || body == shortText || body == longText);
      ASSERT_LE(item->Properties().Size(), 40u);
      ASSERT_LE(Contacts()->Items().size(), 1u);
    }
  });
  for (int i = 0; i < 2000; ++i) {
    item->Set("Body", Value::Text(i % 2 ? shortText : longText));
    item->Set("Custom" + std::to_string(i % 37), Value::Long(i));
    ASSERT_TRUE(item->Save());
  }
  done = true;
  reader.join();
}

// --- The contact photo.
class ContactPictureTest : public StoreTest {};

TEST_F(ContactPictureTest, AddPictureReplacesThePhotoAndKeepsOtherAttachments) {
  const auto item = NewContact();
  auto other = std::make_shared<store::Attachment>();
  other->fileName = u"cv.pdf";
  item->AddAttachment(other);
  item->AddPicture({0xFF, 0xD8, 0x01});
  item->AddPicture({0xFF, 0xD8, 0x02});
  const auto attachments = item->Attachments();
  ASSERT_EQ(attachments.size(), 2u);
  EXPECT_EQ(attachments[0], other);
  EXPECT_TRUE(attachments[1]->IsContactPhoto());
  EXPECT_EQ(attachments[1]->fileName, u"ContactPicture.jpg");
  EXPECT_EQ(attachments[1]->type, store::kAttachByValue);
  EXPECT_EQ(attachments[1]->bytes, (store::Bytes{0xFF, 0xD8, 0x02}));
  EXPECT_TRUE(item->GetBool("HasPicture"));
  EXPECT_FALSE(other->IsContactPhoto());
}

// --- The Outlook version the stand-in plays.
class OutlookVersionTest : public StoreTest {};

TEST_F(OutlookVersionTest, EachReleaseHasItsVersionText) {
  EXPECT_EQ(store::OutlookVersion::Major(), 14);
  const std::pair<int, std::u16string> releases[] = {{9, u"9.0.0.2416"},
                                                     {10, u"10.0.0.2627"},
                                                     {11, u"11.0.0.5510"},
                                                     {12, u"12.0.0.6423"},
                                                     {14, u"14.0.0.4760"}};
  for (const auto& [major, text] : releases) {
    testkit::SetOutlookVersion(major);
    EXPECT_EQ(store::OutlookVersion::Major(), major);
    EXPECT_EQ(store::OutlookVersion::Text(), text);
  }
}

TEST_F(OutlookVersionTest, AVersionThatNeverShippedIsRefused) {
  testkit::SetOutlookVersion(11);
  EXPECT_THROW(testkit::SetOutlookVersion(13), std::invalid_argument);
  EXPECT_THROW(testkit::SetOutlookVersion(8), std::invalid_argument);
  EXPECT_EQ(store::OutlookVersion::Major(), 11);
  testkit::ResetMailbox();
  EXPECT_EQ(store::OutlookVersion::Major(), 14);
}

}  // namespace
