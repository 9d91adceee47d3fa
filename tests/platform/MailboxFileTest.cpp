#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <functional>
#include <string>

#include "store/AddressBook.h"
#include "store/Folder.h"
#include "store/HexText.h"
#include "store/Item.h"
#include "store/ItemType.h"
#include "store/Mailbox.h"
#include "store/MailboxFile.h"
#include "store/OleDate.h"
#include "store/Store.h"
#include "support/TempDir.h"
#include "testkit/Store.h"

namespace {

namespace store = kelvra::store;
using store::Bytes;
using store::OleDate;
using store::Value;

const std::string kDemoMailbox = KELVRA_SOURCE_DIR "/resources/demo-mailbox.json";

// Two mailboxes hold the same nodes, ids and values, in the same order.
void ExpectSameFolder(const store::FolderPtr& a, const store::FolderPtr& b);

void ExpectSameItem(const store::Item& a, const store::Item& b) {
  SCOPED_TRACE(testkit::Utf8(a.MessageClass()) + " " + testkit::Utf8(a.GetText("FullName")) +
               testkit::Utf8(a.GetText("Subject")));
  EXPECT_EQ(a.EntryId(), b.EntryId());
  EXPECT_EQ(a.MessageClass(), b.MessageClass());
  EXPECT_EQ(a.Properties(), b.Properties());
  EXPECT_EQ(a.NamedProperties(), b.NamedProperties());
  EXPECT_EQ(a.TaggedProperties(), b.TaggedProperties());
  const auto attachmentsA = a.Attachments(), attachmentsB = b.Attachments();
  ASSERT_EQ(attachmentsA.size(), attachmentsB.size());
  for (std::size_t i = 0; i < attachmentsA.size(); ++i) {
    EXPECT_EQ(*attachmentsA[i], *attachmentsB[i]);
  }
  EXPECT_EQ(a.Recipients(), b.Recipients());
  EXPECT_EQ(a.Recurrence(), b.Recurrence());
  EXPECT_EQ(a.Exceptions(), b.Exceptions());
  EXPECT_EQ(a.Saved(), b.Saved());
}

void ExpectSameFolders(const std::vector<store::FolderPtr>& a,
                       const std::vector<store::FolderPtr>& b) {
  ASSERT_EQ(a.size(), b.size());
  for (std::size_t i = 0; i < a.size(); ++i) ExpectSameFolder(a[i], b[i]);
}

void ExpectSameFolder(const store::FolderPtr& a, const store::FolderPtr& b) {
  EXPECT_EQ(a->Name(), b->Name());
  EXPECT_EQ(a->EntryId(), b->EntryId());
  EXPECT_EQ(a->DefaultItemType(), b->DefaultItemType());
  const auto itemsA = a->Items(), itemsB = b->Items();
  ASSERT_EQ(itemsA.size(), itemsB.size());
  for (std::size_t i = 0; i < itemsA.size(); ++i) ExpectSameItem(*itemsA[i], *itemsB[i]);
  ExpectSameFolders(a->Folders(), b->Folders());
}

void ExpectSameMailbox(const store::Mailbox& a, const store::Mailbox& b) {
  const auto storesA = a.Stores(), storesB = b.Stores();
  ASSERT_EQ(storesA.size(), storesB.size());
  for (std::size_t i = 0; i < storesA.size(); ++i) {
    EXPECT_EQ(storesA[i]->Name(), storesB[i]->Name());
    EXPECT_EQ(storesA[i]->EntryId(), storesB[i]->EntryId());
    ExpectSameFolders(storesA[i]->Folders(), storesB[i]->Folders());
  }
  EXPECT_EQ(a.Addresses().Entries(), b.Addresses().Entries());
}

// Saves and loads again; the loaded mailbox must equal the saved one and write
// the same text.
store::MailboxPtr RoundTrip(const store::Mailbox& mailbox) {
  const std::string text = store::MailboxFile::Write(mailbox);
  const auto loaded = store::MailboxFile::Parse(text);
  ExpectSameMailbox(mailbox, *loaded);
  EXPECT_EQ(store::MailboxFile::Write(*loaded), text);
  return loaded;
}

std::string ItemFile(const std::string& item) {
  return R"({"stores":[{"name":"S","folders":[{"name":"C","defaultItemType":2,"items":[)" + item +
         "]}]}]}";
}

// --- Dates as the file writes them, to the second.
class DateTextTest : public ::testing::Test {};

TEST_F(DateTextTest, KnownDatesHaveTheirOleValues) {
  const std::pair<const char*, double> known[] = {
      {"1899-12-30T00:00:00", 0.0},     {"1900-01-01", 2.0},
      {"1899-12-29T06:00:00", -1.25},   {"1899-12-30T06:00:00", 0.25},
      {"2024-02-29T12:00:00", 45351.5}, {"4501-01-01", store::kNoDate},
      {"0100-01-01", -657434.0},        {"9999-12-31T23:59:59", 2958465.0 + 86399.0 / 86400.0},
  };
  for (const auto& [text, value] : known) {
    const auto parsed = OleDate::Parse(text);
    ASSERT_TRUE(parsed) << text;
    EXPECT_DOUBLE_EQ(*parsed, value) << text;
  }
}

TEST_F(DateTextTest, EverySecondOfADayComesBackOnEitherSideOfDayZero) {
  for (const char* day : {"2024-03-31", "1899-12-28", "1899-12-30"}) {
    for (int second = 0; second < 86400; ++second) {
      char text[24];
      std::snprintf(text, sizeof text, "%sT%02d:%02d:%02d", day, second / 3600, second / 60 % 60,
                    second % 60);
      const auto value = OleDate::Parse(text);
      ASSERT_TRUE(value) << text;
      ASSERT_EQ(OleDate::Format(*value), std::string(text));
    }
  }
}

TEST_F(DateTextTest, FractionsRoundToTheNearestSecondAcrossMidnight) {
  EXPECT_EQ(OleDate::Format(45351.0 + 86399.6 / 86400.0), "2024-03-01T00:00:00");
  EXPECT_EQ(OleDate::Format(45351.0 + 0.4 / 86400.0), "2024-02-29T00:00:00");
  EXPECT_EQ(OleDate::Format(-1.0 - 86399.7 / 86400.0), "1899-12-30T00:00:00");
}

TEST_F(DateTextTest, MalformedOrImpossibleDatesAreRefused) {
  for (const char* text :
       {"2023-02-29", "2024-13-01", "2024-00-10", "2024-01-00", "2024-01-01T24:00:00",
        "2024-01-01T10:60:00", "2024-01-01T10:00:60", "2024-1-1", "0099-12-31",
        "2024-01-01 10:00:00", "2024-01-01T10:00:00Z", "10:00:00", "", "+024-01-01"}) {
    EXPECT_FALSE(OleDate::Parse(text)) << text;
  }
  EXPECT_FALSE(OleDate::Format(std::nan("")));
  EXPECT_FALSE(OleDate::Format(1e7));
  EXPECT_FALSE(OleDate::Format(-700000.0));
}

TEST_F(DateTextTest, ATimeOfDayIsATimeOnDayZero) {
  EXPECT_DOUBLE_EQ(*OleDate::Parse("10:00:00", true), 10.0 / 24.0);
  EXPECT_EQ(OleDate::Format(0.25, true), "06:00:00");
  EXPECT_EQ(OleDate::Format(45351.25, true), "2024-02-29T06:00:00");
  EXPECT_DOUBLE_EQ(*OleDate::Parse("2024-02-29T06:00:00", true), 45351.25);
}

// --- The text forms of binary values, GUIDs and numbers in the file.
class ValueTextTest : public ::testing::Test {
 protected:
  void TearDown() override { testkit::ResetMailbox(); }
};

TEST_F(ValueTextTest, HexIsReadInEitherCaseAndWrittenInUpperCase) {
  EXPECT_EQ(store::HexText::Parse("00aBFf"), (Bytes{0x00, 0xAB, 0xFF}));
  EXPECT_EQ(store::HexText::Parse(u"7f"), (Bytes{0x7F}));
  EXPECT_EQ(store::HexText::Of({0x00, 0xAB, 0xFF}), "00ABFF");
  EXPECT_EQ(store::HexText::WideOf({0x0A}), u"0A");
  for (const char* bad : {"0", "0G", "0x10", " 1", "1 "}) {
    EXPECT_FALSE(store::HexText::Parse(bad)) << bad;
  }
  EXPECT_EQ(store::HexText::Parse(""), Bytes{});
}

TEST_F(ValueTextTest, AttachmentDataOfEveryLengthAndWrappedDataLoad) {
  const std::string base64[] = {"", "Sw==", "S2U=", "S2Vs", "S2Vsdg=="};
  std::string items;
  for (const std::string& data : base64) {
    items +=
        std::string(items.empty() ? "" : ",") + R"({"Attachments":[{"Data":")" + data + R"("}]})";
  }
  items += R"(,{"Attachments":[{"Data":"S2Vs\r\n dg=="}]})";
  testkit::LoadMailboxText(ItemFile(items));
  const auto folder = testkit::FindFolder("S/C");
  for (std::size_t length = 0; length <= 4; ++length) {
    const auto bytes = folder->ItemAt(length)->Attachments().at(0)->bytes;
    EXPECT_EQ(std::string(bytes.begin(), bytes.end()), std::string("Kelv").substr(0, length));
  }
  const auto wrapped = folder->ItemAt(5)->Attachments().at(0)->bytes;
  EXPECT_EQ(std::string(wrapped.begin(), wrapped.end()), "Kelv");
}

TEST_F(ValueTextTest, NumbersAndGuidsHaveSeveralSpellingsOfOneValue) {
  testkit::LoadMailboxText(ItemFile(R"({"NamedProperties":[
      {"set":"00062002-0000-0000-c000-000000000046","id":33300,"type":3,"value":4}],
      "MapiProperties":[{"tag":3223191582,"value":"a@b"},{"tag":"0x3FF","value":1}]})"));
  const auto item = testkit::FindFolder("S/C")->ItemAt(0);
  const GUID set{0x00062002, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
  ASSERT_TRUE(item->GetNamed({set, 0x8214}));
  EXPECT_EQ(item->GetNamed({set, 0x8214})->value.AsLong(), 4);
  EXPECT_EQ(item->GetTagged(0xC01E001E).value_or(Value()).AsText(), u"a@b");
  EXPECT_TRUE(item->GetTagged(0x000003FF));
  const std::string text = store::MailboxFile::Write(*testkit::CurrentMailbox());
  EXPECT_NE(text.find(R"("set": "{00062002-0000-0000-C000-000000000046}")"), std::string::npos);
  EXPECT_NE(text.find(R"("id": "0x8214")"), std::string::npos);
  EXPECT_NE(text.find(R"("tag": "0xC01E001E")"), std::string::npos);
}

TEST_F(ValueTextTest, MalformedUtf8IsRefusedAsNotJson) {
  EXPECT_THROW(testkit::LoadMailboxText(ItemFile("{\"FirstName\":\"\xC3\x28\"}")),
               store::MailboxFileError);
}

// --- Save then load gives the same store.
class RoundTripTest : public ::testing::Test {
 protected:
  void TearDown() override { testkit::ResetMailbox(); }
};

TEST_F(RoundTripTest, TheDemoMailboxComesBackWhole) {
  RoundTrip(*store::MailboxFile::Load(kDemoMailbox));
}

TEST_F(RoundTripTest, EveryValueTypeComesBack) {
  const auto mailbox = store::Mailbox::Create();
  const auto s = mailbox->AddStore(u"Mailbox - Ünïcødé");
  const auto calendar = s->AddFolder(u"Calendar", store::itemtype::kAppointment);
  const auto sub = calendar->AddFolder(u"Holidays", store::itemtype::kAppointment);
  const auto item = sub->NewItem();
  item->Set("Subject", Value::Text(u"Emoji \U0001F600, Japanese \u65E5\u672C, quote \" and \\"));
  item->Set("ReminderMinutesBeforeStart", Value::Long(-2147483647 - 1));
  item->Set("AllDayEvent", Value::Bool(true));
  item->Set("Start", Value::Date(-1.25));
  item->Set("Email1EntryID", Value::Binary({0x00, 0xFF, 0x10}));
  item->Set("CustomValue", Value::Json(R"({"nested":[1,"two",null,{"x":false}]})"));
  const GUID set{0x00062002, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
  item->SetNamed({set, 0x8214}, {0x0003, Value::Long(7)});
  item->SetNamed({set, 0x8233}, {0x0102, Value::Binary(Bytes(48, 0xAB))});
  item->SetNamed({set, 0x8234}, {0x001E, Value::Text(u"(GMT+01:00) Berlin")});
  item->SetNamed({set, 0x820D}, {0x0040, Value::Date(45351.5)});
  item->SetNamed({set, 0x8215}, {0x000B, Value::Bool(true)});
  item->SetNamed({set, 0x8216}, {0x0005, Value::Json("1.5")});
  item->SetTagged(0x0C1F001E, Value::Text(u"sender@example.com"));
  Bytes everyByte(256);
  for (int i = 0; i < 256; ++i) everyByte[i] = static_cast<std::uint8_t>(i);
  auto attachment = std::make_shared<store::Attachment>();
  attachment->fileName = u"all bytes.bin";
  attachment->type = 5;
  attachment->bytes = everyByte;
  attachment->mapiProperties[0x3704001F] = Value::Text(u"all bytes.bin");
  item->AddAttachment(attachment);
  item->AddAttachment(std::make_shared<store::Attachment>());
  item->AddRecipient({0, u"Organizer", u"org@example.com"});
  item->AddRecipient({3, u"Room", u"room@example.com"});
  item->SetRecurrence(
      store::RecurrencePattern{6, 2, 8, 31, 5, 12, 45292.0, 46387.0, false, 20, 0.4375, 90});
  store::RecurrenceException moved;
  moved.originalDate = 45299.4375;
  moved.changes.Set("Start", Value::Date(45300.5));
  moved.changes.Set("Location", Value::Text(u"Elsewhere"));
  store::RecurrenceException deleted;
  deleted.originalDate = 45306.4375;
  deleted.deleted = true;
  item->SetExceptions({moved, deleted});
  ASSERT_TRUE(item->Save());
  mailbox->Addresses().Add({{0x00, 0x01}, u"Renée", u"renee@example.com"});

  RoundTrip(*mailbox);
}

TEST_F(RoundTripTest, UnknownPropertiesAreWrittenBackAsTheyStood) {
  testkit::LoadMailboxText(
      R"({"stores":[{"name":"S","folders":[{"name":"C","defaultItemType":2,
      "items":[{"FirstName":"A","LaterProperty":{"b":[1,2.5,"x"],"a":null},"Flag":true}]}]}]})");
  const auto item = testkit::FindFolder("S/C")->ItemAt(0);
  EXPECT_EQ(item->Get("LaterProperty").AsJson(), R"({"b":[1,2.5,"x"],"a":null})");
  EXPECT_EQ(item->Get("Flag").AsJson(), "true");
  const auto again = RoundTrip(*testkit::CurrentMailbox());
  EXPECT_EQ(again->Stores()[0]->Folders()[0]->ItemAt(0)->Get("LaterProperty").AsJson(),
            R"({"b":[1,2.5,"x"],"a":null})");
}

TEST_F(RoundTripTest, ALoneSurrogateIsWrittenAsAReplacementCharacter) {
  const auto mailbox = store::Mailbox::CreateStandard();
  const auto item = mailbox->DefaultFolder(store::defaultfolder::kContacts)->NewItem();
  item->Set("Body", Value::Text(std::u16string(u"a") + char16_t(0xD800) + u"b" + char16_t(0xDC00)));
  ASSERT_TRUE(item->Save());
  const auto loaded = store::MailboxFile::Parse(store::MailboxFile::Write(*mailbox));
  EXPECT_EQ(loaded->DefaultFolder(store::defaultfolder::kContacts)->ItemAt(0)->GetText("Body"),
            u"a\uFFFDb\uFFFD");
}

TEST_F(RoundTripTest, LoadedTextIsUtf16AndDatesMayBeDatesAlone) {
  testkit::LoadMailboxText(
      R"({"stores":[{"name":"S","folders":[{"name":"C","defaultItemType":2,
      "items":[{"LastName":"山田 \uD83D\uDE00","Birthday":"1975-03-14",
                "LastModificationTime":"2024-01-02T03:04:05"}]}]}]})");
  const auto item = testkit::FindFolder("S/C")->ItemAt(0);
  EXPECT_EQ(item->GetText("LastName"), u"\u5C71\u7530 \U0001F600");
  EXPECT_DOUBLE_EQ(item->GetDate("Birthday"), 27467.0);
  EXPECT_EQ(OleDate::Format(item->GetDate("LastModificationTime")), "2024-01-02T03:04:05");
}

// --- A bad file is refused with the path of the offending value, and the
// current mailbox stays as it was.
struct BadFile {
  const char* name;
  std::string json;
  std::string message;
};

class LoadErrorTest : public ::testing::TestWithParam<BadFile> {
 protected:
  void TearDown() override { testkit::ResetMailbox(); }
};

TEST_P(LoadErrorTest, NamesTheValueAndKeepsTheCurrentMailbox) {
  testkit::LoadMailboxText(ItemFile(R"({"FirstName":"Kept"})"));
  const auto before = testkit::CurrentMailbox();
  try {
    testkit::LoadMailboxText(GetParam().json);
    FAIL() << "loaded";
  } catch (const store::MailboxFileError& error) {
    EXPECT_NE(std::string(error.what()).find(GetParam().message), std::string::npos)
        << error.what();
  }
  EXPECT_EQ(testkit::CurrentMailbox(), before);
  EXPECT_EQ(testkit::Text(testkit::FindFolder("S/C")->ItemAt(0), "FirstName"), "Kept");
}

const std::string kItem0 = "/stores/0/folders/0/items/0/";

INSTANTIATE_TEST_SUITE_P(
    BadFiles, LoadErrorTest,
    ::testing::Values(
        BadFile{"NotJson", R"({"stores":[)", "not valid JSON"},
        BadFile{"RootNotObject", "[]", "mailbox file: /: expected an object"},
        BadFile{"UnknownRootKey", R"({"store":[]})", "/store: unknown key"},
        BadFile{"StoreWithoutName", R"({"stores":[{}]})", "/stores/0: missing \"name\""},
        BadFile{"TextAsNumber", ItemFile(R"({"FirstName":5})"),
                kItem0 + "FirstName: expected text"},
        BadFile{"LongAsText", ItemFile(R"({"Sensitivity":"2"})"),
                kItem0 + "Sensitivity: expected a 32-bit integer"},
        BadFile{"LongAsFraction", ItemFile(R"({"Sensitivity":2.5})"),
                kItem0 + "Sensitivity: expected a 32-bit integer"},
        BadFile{"LongTooLarge", ItemFile(R"({"Sensitivity":2147483648})"),
                kItem0 + "Sensitivity: expected a 32-bit integer"},
        BadFile{"BoolAsNumber", ItemFile(R"({"HasPicture":1})"),
                kItem0 + "HasPicture: expected true or false"},
        BadFile{"ImpossibleDate", ItemFile(R"({"Birthday":"1975-02-30"})"),
                kItem0 + "Birthday: expected a date"},
        BadFile{"BadHexEntryId", ItemFile(R"({"EntryID":"0G"})"),
                kItem0 + "EntryID: expected pairs of hex digits"},
        BadFile{"DuplicateEntryId", ItemFile(R"({"EntryID":"01"},{"EntryID":"01"})"),
                "/stores/0/folders/0/items/1/EntryID: the entry id is already "
                "in use"},
        BadFile{"PropertyTwice", ItemFile(R"({"FirstName":"a","firstname":"b"})"),
                "is given twice"},
        BadFile{"UnknownItemType",
                R"({"stores":[{"name":"S","folders":[{"name":"X","defaultItemType":42}]}]})",
                "/stores/0/folders/0/defaultItemType: unknown item type 42"},
        BadFile{
            "MisspeltFolderKey",
            R"({"stores":[{"name":"S","folders":[{"name":"X","folders":[{"name":"Y","item":[]}]}]}]})",
            "/stores/0/folders/0/folders/0/item: unknown key"},
        BadFile{"BadBase64", ItemFile(R"({"Attachments":[{"FileName":"a","Data":"AB=C"}]})"),
                kItem0 + "Attachments/0/Data: the Base64 text is malformed"},
        BadFile{"UnknownPatternKey", ItemFile(R"({"RecurrencePattern":{"Every":2}})"),
                kItem0 + "RecurrencePattern/Every: unknown key"},
        BadFile{"PatternDateAsNumber",
                ItemFile(R"({"RecurrencePattern":{"PatternStartDate":45000}})"),
                kItem0 + "RecurrencePattern/PatternStartDate: expected a date"},
        BadFile{"ExceptionWithoutDate", ItemFile(R"({"Exceptions":[{"Deleted":true}]})"),
                kItem0 + "Exceptions/0: missing \"OriginalDate\""},
        BadFile{"BadPropertySet",
                ItemFile(R"({"NamedProperties":[{"set":"{0006}","id":1,"type":3,"value":1}]})"),
                kItem0 + "NamedProperties/0/set: expected a GUID"},
        BadFile{"NamedValueOfWrongType",
                ItemFile(
                    R"({"NamedProperties":[{"set":"{00062002-0000-0000-C000-000000000046}",
                          "id":"0x8214","type":"0x0003","value":"2"}]})"),
                kItem0 + "NamedProperties/0/value: expected a 32-bit integer"},
        BadFile{"BadTag", ItemFile(R"({"MapiProperties":[{"tag":"0xZZ","value":1}]})"),
                kItem0 + "MapiProperties/0/tag: expected an unsigned 32-bit number"},
        BadFile{"TaggedValueOfWrongType",
                ItemFile(
                    R"({"Attachments":[{"MapiProperties":[{"tag":"0x7FFF000B","value":"yes"}]}]})"),
                kItem0 + "Attachments/0/MapiProperties/0/value: expected true or false"},
        BadFile{"RecurringWithoutPattern", ItemFile(R"({"IsRecurring":true})"),
                kItem0 + "IsRecurring: IsRecurring must be true exactly"},
        BadFile{"AddressTwice",
                R"({"addressBook":[{"entryId":"AB","smtpAddress":"a@x"},{"entryId":"ab"}]})",
                "/addressBook/1/entryId: the entry id is already in the address "
                "book"}),
    [](const ::testing::TestParamInfo<BadFile>& info) { return std::string(info.param.name); });

// --- Files on disk.
class MailboxFileIoTest : public ::testing::Test {
 protected:
  void TearDown() override { testkit::ResetMailbox(); }
  kelvra::test::TempDir dir_;
};

TEST_F(MailboxFileIoTest, ASavedFileLoadsBackToTheSameMailbox) {
  testkit::LoadMailboxFile(kDemoMailbox);
  const auto saved = testkit::CurrentMailbox();
  testkit::SaveMailboxFile(dir_.linuxPath("saved.json"));
  testkit::LoadMailboxFile(dir_.linuxPath("saved.json"));
  EXPECT_NE(testkit::CurrentMailbox(), saved);
  ExpectSameMailbox(*saved, *testkit::CurrentMailbox());
}

TEST_F(MailboxFileIoTest, AMissingOrUnwritableFileIsAnError) {
  EXPECT_THROW(testkit::LoadMailboxFile(dir_.linuxPath("missing.json")), store::MailboxFileError);
  EXPECT_THROW(testkit::SaveMailboxFile(dir_.linuxPath("no/such/folder.json")),
               store::MailboxFileError);
  dir_.write("empty.json", "");
  EXPECT_THROW(testkit::LoadMailboxFile(dir_.linuxPath("empty.json")), store::MailboxFileError);
}

TEST_F(MailboxFileIoTest, AnUnwritableValueLeavesTheOldFileAlone) {
  dir_.write("kept.json", "old");
  const auto contact =
      testkit::CurrentMailbox()->DefaultFolder(store::defaultfolder::kContacts)->NewItem();
  contact->Set("Birthday", Value::Date(1e9));
  ASSERT_TRUE(contact->Save());
  try {
    testkit::SaveMailboxFile(dir_.linuxPath("kept.json"));
    FAIL() << "saved";
  } catch (const store::MailboxFileError& error) {
    EXPECT_NE(std::string(error.what()).find("/items/0/Birthday: the date"), std::string::npos)
        << error.what();
  }
  EXPECT_EQ(dir_.read("kept.json"), "old");
}

// --- What the demo mailbox offers the vCard and calendar sides.
class DemoMailboxTest : public ::testing::Test {
 protected:
  void SetUp() override { testkit::LoadMailboxFile(kDemoMailbox); }
  void TearDown() override { testkit::ResetMailbox(); }
  static store::FolderPtr Default(int folder) {
    return testkit::CurrentMailbox()->DefaultFolder(folder);
  }
};

TEST_F(DemoMailboxTest, ContactsCoverTheCasesAWriterMeets) {
  const auto contacts = Default(store::defaultfolder::kContacts);
  ASSERT_GE(contacts->ItemCount(), 9u);
  int lists = 0, privates = 0, pictures = 0, categorised = 0;
  for (const auto& item : contacts->Items()) {
    lists += item->ItemType() == store::itemtype::kDistributionList;
    privates += item->GetLong("Sensitivity") == 2;
    categorised += !item->GetText("Categories").empty();
    if (!item->GetBool("HasPicture")) continue;
    ++pictures;
    const auto photo = item->Attachments().at(0);
    EXPECT_TRUE(photo->IsContactPhoto());
    ASSERT_GE(photo->bytes.size(), 4u);
    EXPECT_EQ(photo->bytes[0], 0xFF);
    EXPECT_EQ(photo->bytes[1], 0xD8);
    EXPECT_EQ(photo->bytes[photo->bytes.size() - 2], 0xFF);
    EXPECT_EQ(photo->bytes.back(), 0xD9);
  }
  EXPECT_EQ(lists, 1);
  EXPECT_GE(privates, 1);
  EXPECT_EQ(pictures, 1);
  EXPECT_GE(categorised, 1);
  for (const char* name : {"Dr. Anna Müller", "François Lefèvre", "Дмитрий Сергеевич Иванов",
                           "太郎 山田", "Mr. John A. Smith Jr."}) {
    EXPECT_NE(testkit::FindItem("Personal Folders/Contacts", name), nullptr) << name;
  }
}

TEST_F(DemoMailboxTest, OneExchangeAddressResolvesAndOneDoesNot) {
  const auto mailbox = testkit::CurrentMailbox();
  const auto& book = mailbox->Addresses();
  const auto francois = testkit::FindItem("Personal Folders/Contacts", "François Lefèvre");
  const auto peter = testkit::FindItem("Personal Folders/Contacts", "Peter Jansen");
  ASSERT_TRUE(francois && peter);
  EXPECT_EQ(francois->GetText("Email1AddressType"), u"EX");
  const auto entry = book.Find(francois->GetBinary("Email1EntryID"));
  ASSERT_TRUE(entry);
  EXPECT_EQ(entry->smtpAddress, u"francois.lefevre@ostrane.example");
  EXPECT_FALSE(peter->GetBinary("Email1EntryID").empty());
  EXPECT_FALSE(book.Find(peter->GetBinary("Email1EntryID")));
}

TEST_F(DemoMailboxTest, TheCalendarHasASeriesWithAMovedAndADeletedOccurrence) {
  const auto series = testkit::FindItem("Personal Folders/Calendar", "Team meeting");
  ASSERT_TRUE(series);
  const auto pattern = series->Recurrence();
  ASSERT_TRUE(pattern);
  EXPECT_EQ(pattern->recurrenceType, 1);
  EXPECT_EQ(pattern->dayOfWeekMask, 2);
  EXPECT_DOUBLE_EQ(pattern->startTime, 10.0 / 24.0);
  const auto exceptions = series->Exceptions();
  ASSERT_EQ(exceptions.size(), 2u);
  EXPECT_FALSE(exceptions[0].deleted);
  EXPECT_NE(exceptions[0].changes.Find("Start"), nullptr);
  EXPECT_TRUE(exceptions[1].deleted);
  EXPECT_EQ(series->Recipients().size(), 3u);
  const GUID appointmentSet{0x00062002, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
  const auto label = series->GetNamed({appointmentSet, 0x8214});
  ASSERT_TRUE(label);
  EXPECT_EQ(label->mapiType, 0x0003);
  EXPECT_EQ(label->value.AsLong(), 2);
  EXPECT_FALSE(series->GetNamed({appointmentSet, 0x8233}));
  EXPECT_EQ(series->GetTagged(0x0C1F001E).value_or(Value()).AsText(),
            u"anna.mueller@brueckner-soehne.example");
  EXPECT_FALSE(series->GetTagged(0x0C1F001F));
}

TEST_F(DemoMailboxTest, InboxAndDeletedItemsAreDistinct) {
  const auto inbox = Default(store::defaultfolder::kInbox);
  const auto bin = Default(store::defaultfolder::kDeletedItems);
  ASSERT_TRUE(inbox && bin);
  EXPECT_EQ(inbox->Name(), u"Inbox");
  EXPECT_EQ(bin->Name(), u"Deleted Items");
  ASSERT_EQ(inbox->ItemCount(), 1u);
  EXPECT_EQ(inbox->ItemAt(0)->MessageClass(), u"IPM.Note");
  EXPECT_EQ(inbox->ItemAt(0)->Attachments().size(), 1u);
}

}  // namespace
