// The contact import run: which files it reads, how it counts, the duplicate search
// with its three conflict modes, the filter, cancel and pictures.
#include <gtest/gtest.h>

#include <filesystem>

#include "ContactRunFixture.h"
#include "contacts/CvCardImport.h"
#include "resource.h"
#include "store/Attachment.h"
#include "testkit/Dialogs.h"
#include "testkit/Locale.h"
#include "testkit/Operator.h"
#include "testkit/Redemption.h"
#include "testkit/Store.h"

namespace kelvra::test {
namespace {

std::string Card(const std::string& first, const std::string& last, const std::string& more = "") {
  return "BEGIN:VCARD\r\nVERSION:3.0\r\nN:" + last + ";" + first + ";;;\r\nFN:" + first + " " +
         last + "\r\n" + more + "END:VCARD\r\n";
}

// A one-pixel-high JPEG: the bytes a PHOTO carries, Base64 in the card.
constexpr const char* kJpegBase64 =
    "/9j/4AAQSkZJRgABAQAAAQABAAD/2wBDAP////////////////////////////////////////////////////////////"
    "//////////////////////////2Q==";

// Saves each card as the run does and presses the progress dialog's Cancel after the
// card given.
class CancellingImport : public CvCardImport {
 public:
  explicit CancellingImport(int cancelAfter) : cancelAfter_(cancelAfter) {}

 protected:
  int putContactItem(const ParsedCard& card) override {
    const int result = CvCardImport::putContactItem(card);
    if (++cards_ == cancelAfter_) {
      testkit::Click(testkit::WaitForDialog(IDD_VCARD_IMPORT_PROGRESS), IDCANCEL);
    }
    return result;
  }

 private:
  int cancelAfter_;
  int cards_ = 0;
};

class ContactImportRunTest : public ContactRunTest {
 protected:
  void SetUp() override {
    ContactRunTest::SetUp();
    importer_ = std::make_unique<CvCardImport>();
    importer_->SetOutlookVersion(14);
  }
  void TearDown() override {
    importer_.reset();
    ContactRunTest::TearDown();
  }

  // Writes the file into the files folder; its Windows path.
  std::string File(const std::string& name, const std::string& bytes) {
    Files().write(name, bytes);
    return Files().windowsPath(name);
  }
  const ContactImportCounts& Import(const ContactImportChoices& choices) {
    EXPECT_EQ(importer_->Run(choices, nullptr), 0);
    return importer_->Counts();
  }
  const ContactImportCounts& Import(const std::string& files, int conflict = 0) {
    ContactImportChoices choices = ImportChoices(files);
    choices.conflictResolution = conflict;
    return Import(choices);
  }
  void ExpectCounts(int imported, int failed, int skipped) {
    const ContactImportCounts& counts = importer_->Counts();
    EXPECT_EQ(counts.imported, imported);
    EXPECT_EQ(counts.failed, failed);
    EXPECT_EQ(counts.skipped, skipped);
  }
  std::string TargetText(const char* fullName, const char* property) {
    const kelvra::store::ItemPtr item = testkit::FindItem("Personal Folders/Target", fullName);
    return item ? testkit::Text(item, property) : "<missing>";
  }
  const TempDir& Files() const { return files_; }

  std::unique_ptr<CvCardImport> importer_;

 private:
  TempDir files_;
};

// --- Files and counts ---------------------------------------------------------------------

using ContactImportRunFilesTest = ContactImportRunTest;

TEST_F(ContactImportRunFilesTest, FolderGivesItsOwnVcfFiles) {
  for (const char* name : {"a.vcf", "b.VCF", "c.vcf"})
    File(name, Card(name, "One") + Card(name, "Two"));
  File("notes.txt", Card("Not", "Read"));
  std::filesystem::create_directory(Files().linuxPath("sub.vcf"));
  Files().write("sub.vcf/d.vcf", Card("Not", "Deeper"));
  Import(Files().windows());
  EXPECT_EQ(importer_->Counts().files, 3);
  EXPECT_EQ(importer_->Counts().cards, 6);
  ExpectCounts(6, 0, 0);
  EXPECT_EQ(ItemCount("Target"), 6u);
}

TEST_F(ContactImportRunFilesTest, FileNamedDirectlyNeedsNoExtension) {
  const std::string path =
      File("cards.txt", Card("Ann", "Lee") + Card("Half", "Card", "X-A:1\r\n").substr(0, 30));
  Import(path);
  // The half card at its end is one that failed.
  EXPECT_EQ(importer_->Counts().cards, 2);
  ExpectCounts(1, 1, 0);
  EXPECT_EQ(TargetText("Ann Lee", "LastName"), "Lee");
}

TEST_F(ContactImportRunFilesTest, CardsCutOffBeforeTheirEndFailAndAreLogged) {
  const std::string cut = "BEGIN:VCARD\r\nVERSION:3.0\r\nN:Cut;Off\r\nTEL:1\r\n";
  const std::string path =
      File("cut.vcf", Card("Ann", "Lee") + cut + Card("Bo", "Kim") + cut.substr(0, cut.size() - 2));
  Import(path);
  EXPECT_EQ(importer_->Counts().cards, 4);
  ExpectCounts(2, 2, 0);
  EXPECT_EQ(ItemCount("Target"), 2u);
  const std::string log = Log().Lines();
  const std::string message = "has no END:VCARD before";
  const std::size_t first = log.find(message);
  ASSERT_NE(first, std::string::npos) << log;
  EXPECT_NE(log.find(message, first + 1), std::string::npos) << log;
  EXPECT_NE(log.find("cut.vcf"), std::string::npos) << log;
}

TEST_F(ContactImportRunFilesTest, NoFilesTellsTheUserAndEndsWithoutFinish) {
  EXPECT_EQ(importer_->Run(ImportChoices(Files().windows()), nullptr), 1);
  const auto boxes = testkit::MessageBoxes();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].text, "No vCard files (*.vcf) were found to import.");
  EXPECT_EQ(boxes[0].caption, "Kelvra");
}

TEST_F(ContactImportRunFilesTest, UnreadableFileAsksWhetherToGoOn) {
  const std::string first = File("a.vcf", Card("Ann", "Lee"));
  const std::string second = File("b.vcf", Card("Bob", "Stone"));
  const std::string files = "\"" + first + "\" \"" + second + "\"";
  // Gone between the count and the import: OK goes on with the next file.
  testkit::SetMessageBoxHandler([&](const testkit::MessageBoxRecord&) { return IDOK; });
  ContactImportChoices choices = ImportChoices(files);
  std::filesystem::remove(Files().linuxPath("a.vcf"));
  Import(choices);
  ExpectCounts(1, 0, 0);
  ASSERT_EQ(testkit::MessageBoxes().size(), 1u);
  EXPECT_EQ(testkit::MessageBoxes()[0].text.rfind(first, 0), 0u);
  EXPECT_EQ(testkit::MessageBoxes()[0].text.find("%1"), std::string::npos);
  EXPECT_NE(testkit::MessageBoxes()[0].text.find("cannot be opened"), std::string::npos);
  EXPECT_EQ(testkit::MessageBoxes()[0].type, static_cast<UINT>(MB_OKCANCEL | MB_ICONEXCLAMATION));
  testkit::SetMessageBoxHandler(nullptr);
}

TEST_F(ContactImportRunFilesTest, CancelOnAnUnreadableFileStopsTheRun) {
  const std::string first = File("a.vcf", Card("Ann", "Lee"));
  File("b.vcf", Card("Bob", "Stone") + Card("Cid", "Moss"));
  testkit::SetMessageBoxAnswer(IDCANCEL);
  // The first file is read, then the folder's second goes missing.
  class LosingImport : public CvCardImport {
   public:
    explicit LosingImport(std::string lost) : lost_(std::move(lost)) {}

   protected:
    int putContactItem(const ParsedCard& card) override {
      std::filesystem::remove(lost_);
      return CvCardImport::putContactItem(card);
    }

   private:
    std::string lost_;
  };
  importer_ = std::make_unique<LosingImport>(Files().linuxPath("b.vcf"));
  Import(Files().windows());
  EXPECT_EQ(importer_->Counts().cards, 3);
  ExpectCounts(1, 0, 2);
}

// --- Duplicates -----------------------------------------------------------------------------

using ContactImportRunConflictTest = ContactImportRunTest;

TEST_F(ContactImportRunConflictTest, SameFileTwiceIsSkippedInEveryMode) {
  const std::string path =
      File("a.vcf", Card("Ann", "Lee", "EMAIL;TYPE=INTERNET:ann@example.org\r\nNOTE:hi\r\n") +
                        Card("Bob", "Stone", "ORG:Acme;Sales\r\n") +
                        "BEGIN:VCARD\r\nVERSION:3.0\r\nEMAIL:nobody@example.org\r\nEND:VCARD\r\n");
  Import(path);
  ExpectCounts(3, 0, 0);
  for (int mode : {0, 1, 2}) {
    Import(path, mode);
    ExpectCounts(0, 0, 3);
    EXPECT_EQ(ItemCount("Target"), 3u) << mode;
    EXPECT_EQ(ItemCount("Deleted Items"), 0u) << mode;
  }
}

TEST_F(ContactImportRunConflictTest, ChangedCardByMode) {
  Import(File("old.vcf", Card("Ann", "Lee", "TITLE:Clerk\r\n")));
  const std::string changed = File("new.vcf", Card("ann", "LEE", "TITLE:Boss\r\n"));
  // Mode 2 leaves the old contact and skips without comparing.
  Import(changed, 2);
  ExpectCounts(0, 0, 1);
  EXPECT_EQ(ItemCount("Target"), 1u);
  EXPECT_EQ(ItemCount("Deleted Items"), 0u);
  // Mode 0 adds the card beside it.
  Import(changed, 0);
  ExpectCounts(1, 0, 0);
  EXPECT_EQ(ItemCount("Target"), 2u);
  EXPECT_EQ(ItemCount("Deleted Items"), 0u);
}

TEST_F(ContactImportRunConflictTest, ReplaceDeletesTheOldContact) {
  Import(File("old.vcf", Card("Ann", "Lee", "TITLE:Clerk\r\n")));
  Import(File("new.vcf", Card("Ann", "Lee", "TITLE:Boss\r\n")), 1);
  ExpectCounts(1, 0, 0);
  ASSERT_EQ(ItemCount("Target"), 1u);
  EXPECT_EQ(TargetText("Ann Lee", "JobTitle"), "Boss");
  EXPECT_EQ(
      testkit::Text(testkit::FindItem("Personal Folders/Deleted Items", "Ann Lee"), "JobTitle"),
      "Clerk");
}

TEST_F(ContactImportRunConflictTest, NameWithBothQuotesIsAlwaysNew) {
  const std::string path = File("q.vcf", Card("Tom \"T\"", "O'Hara"));
  Import(path);
  Import(path);
  ExpectCounts(1, 0, 0);
  EXPECT_EQ(ItemCount("Target"), 2u);
}

TEST_F(ContactImportRunConflictTest, NamelessCardMeetsOnlyNamelessContacts) {
  const std::string card = "BEGIN:VCARD\r\nVERSION:2.1\r\nEMAIL:x@example.org\r\nEND:VCARD\r\n";
  Import(File("named.vcf", Card("Ann", "Lee", "EMAIL:x@example.org\r\n")));
  // A list among the candidates is passed over.
  testkit::FindFolder("Personal Folders/Target")->NewItem(u"IPM.DistList")->Save();
  Import(File("nameless.vcf", card));
  ExpectCounts(1, 0, 0);
  Import(File("nameless.vcf", card));
  ExpectCounts(0, 0, 1);
  EXPECT_EQ(ItemCount("Target"), 3u);
}

TEST_F(ContactImportRunConflictTest, CompanyTakesPartInTheSearch) {
  Import(File("a.vcf", Card("Ann", "Lee", "ORG:Acme\r\n")));
  Import(File("b.vcf", Card("Ann", "Lee", "ORG:Other\r\n")), 2);
  // Another company is another person: imported even in mode 2.
  ExpectCounts(1, 0, 0);
  Import(File("c.vcf", Card("Ann", "Lee")), 2);
  // A card without company meets only contacts without one.
  ExpectCounts(1, 0, 0);
  EXPECT_EQ(ItemCount("Target"), 3u);
}

// --- Values without a free field -----------------------------------------------------------

using ContactImportRunDroppedValueTest = ContactImportRunTest;

TEST_F(ContactImportRunDroppedValueTest,
       ASpareNumberTakesTheOtherTelephoneAndWhatFindsNoFieldIsLogged) {
  const std::string path =
      File("ann.vcf",
           Card("Ann", "Lee",
                "TEL;TYPE=CELL:+1 555 0101\r\nTEL;TYPE=CELL:+1 555 0102\r\n"
                "TEL;TYPE=CELL:+1 555 0103\r\nEMAIL:a@x\r\nEMAIL:b@x\r\nEMAIL:c@x\r\n"
                "EMAIL;TYPE=INTERNET:d@x\r\nADR;TYPE=HOME:;;1 Home St;Town;;;\r\n"
                "ADR;TYPE=HOME:;;2 Home St;Town;;;\r\nADR;TYPE=HOME:;;3 Home St;Town;;;\r\n"));
  Import(path);
  ExpectCounts(1, 0, 0);
  EXPECT_EQ(TargetText("Ann Lee", "MobileTelephoneNumber"), "+1 555 0101");
  EXPECT_EQ(TargetText("Ann Lee", "OtherTelephoneNumber"), "+1 555 0102");
  EXPECT_EQ(TargetText("Ann Lee", "Email1Address"), "a@x");
  EXPECT_EQ(TargetText("Ann Lee", "Email2Address"), "b@x");
  EXPECT_EQ(TargetText("Ann Lee", "Email3Address"), "c@x");
  EXPECT_EQ(TargetText("Ann Lee", "HomeAddressStreet"), "1 Home St");
  EXPECT_EQ(TargetText("Ann Lee", "OtherAddressStreet"), "2 Home St");
  EXPECT_EQ(TargetText("Ann Lee", "BusinessAddressStreet"), "");
  const std::string log = Log().Lines();
  for (const char* dropped :
       {"TEL;CELL:+1 555 0103", "EMAIL;INTERNET:d@x", "ADR;HOME:;;3 Home St;Town;;;"}) {
    EXPECT_NE(
        log.find(std::string("War[0] in CvCardImport::ParseCards: ") + dropped +
                 " of card(Ann Lee) in file(" + path + ") has no free field: it is not imported"),
        std::string::npos)
        << log;
  }
}

// --- Filter ---------------------------------------------------------------------------------

using ContactImportRunFilterTest = ContactImportRunTest;

TEST_F(ContactImportRunFilterTest, PrivateAndCategoryRules) {
  testkit::SetListSeparator(",");
  const std::string path =
      File("f.vcf", Card("A", "One", "CLASS:PRIVATE\r\nCATEGORIES:VIP\r\n") +
                        Card("B", "Two", "CATEGORIES:Holiday\\,VIP\r\n") +
                        Card("C", "Three", "CATEGORIES:Business\r\n") + Card("D", "Four"));
  ContactImportChoices choices = ImportChoices(path);
  choices.filter = {ContactFilter::kSkipNotNormal | ContactFilter::kIncludeCategories,
                    "Business; VIP"};
  Import(choices);
  ExpectCounts(2, 0, 2);
  EXPECT_EQ(TargetText("B Two", "Categories"), "Holiday,VIP");
  EXPECT_EQ(TargetText("C Three", "LastName"), "Three");
}

// --- Stops ----------------------------------------------------------------------------------

using ContactImportRunStopTest = ContactImportRunTest;

TEST_F(ContactImportRunStopTest, CancelAfterThreeOfTenSkipsSeven) {
  std::string cards;
  for (int i = 0; i < 10; ++i) cards += Card("P" + std::to_string(i), "Person");
  const std::string path = File("ten.vcf", cards);
  importer_ = std::make_unique<CancellingImport>(3);
  Import(path);
  ExpectCounts(3, 0, 7);
  EXPECT_EQ(ItemCount("Target"), 3u);
}

TEST_F(ContactImportRunStopTest, SaveThatThrowsFailsThatCardOnly) {
  const std::string path = File("a.vcf", Card("Ann", "Lee") + Card("Bob", "Stone"));
  testkit::FailCall("ContactItem.Save", 1, E_FAIL);
  Import(path);
  ExpectCounts(1, 1, 0);
  EXPECT_EQ(TargetText("Bob Stone", "LastName"), "Stone");
}

TEST_F(ContactImportRunStopTest, FolderErrorStopsTheRunAndTheRestIsSkipped) {
  const std::string path =
      File("a.vcf", Card("Ann", "Lee") + Card("Bob", "Stone") + Card("Cid", "Moss"));
  testkit::FailCall("Items.Restrict", 2, E_FAIL);
  Import(path);
  ExpectCounts(1, 0, 2);
  EXPECT_NE(Log().Lines().find("CvCardImport::putContactItem"), std::string::npos);
}

TEST_F(ContactImportRunStopTest, WithoutRedemptionEveryCardFailsWithOneError) {
  testkit::FailCreate("Redemption.SafeContactItem", E_FAIL);
  importer_ = std::make_unique<CvCardImport>();
  Import(File("a.vcf", Card("Ann", "Lee") + Card("Bob", "Stone")));
  ExpectCounts(0, 2, 0);
  EXPECT_EQ(ItemCount("Target"), 0u);
  const std::string lines = Log().Lines();
  EXPECT_EQ(lines.find("SafeContactItem cannot be created"),
            lines.rfind("SafeContactItem cannot be created"));
  EXPECT_NE(lines.find("SafeContactItem cannot be created"), std::string::npos);
}

TEST_F(ContactImportRunStopTest, FailingCleanUpIsLoggedAndTheRunGoesOn) {
  const std::string path = File("a.vcf", Card("Ann", "Lee") + Card("Bob", "Stone"));
  Import(path);
  // The compared copy of Ann cannot be fetched again from Deleted Items.
  testkit::FailCall("NameSpace.GetItemFromID", 1, E_FAIL);
  Import(path);
  ExpectCounts(0, 0, 2);
  EXPECT_EQ(ItemCount("Deleted Items"), 1u);
  EXPECT_NE(Log().Lines().find("removing the compared copy"), std::string::npos);
}

TEST_F(ContactImportRunStopTest, ComparisonThatFailsCountsTheCardFailed) {
  const std::string path = File("a.vcf", Card("Ann", "Lee", "NOTE:x\r\n") + Card("Bob", "Stone"));
  Import(path);
  testkit::FailCall("SafeContactItem.Body", 1, E_FAIL);
  Import(path);
  ExpectCounts(0, 1, 1);
  EXPECT_EQ(ItemCount("Target"), 2u);
  EXPECT_EQ(ItemCount("Deleted Items"), 0u);
}

// --- Pictures -------------------------------------------------------------------------------

using ContactImportRunPictureTest = ContactImportRunTest;

TEST_F(ContactImportRunPictureTest, PictureIsAddedFromOutlook2003On) {
  const std::string card =
      Card("Pia", "Photo",
           std::string("PHOTO;ENCODING=BASE64;TYPE=JPEG:\r\n ") + kJpegBase64 + "\r\n\r\n");
  testkit::SetOutlookVersion(11);
  importer_->SetOutlookVersion(11);
  Import(File("p.vcf", card));
  const kelvra::store::ItemPtr pia = testkit::FindItem("Personal Folders/Target", "Pia Photo");
  ASSERT_NE(pia, nullptr);
  EXPECT_TRUE(pia->GetBool("HasPicture"));
  ASSERT_EQ(pia->Attachments().size(), 1u);
  EXPECT_TRUE(pia->Attachments()[0]->IsContactPhoto());
  const kelvra::store::Bytes& bytes = pia->Attachments()[0]->bytes;
  ASSERT_GE(bytes.size(), 2u);
  EXPECT_EQ(bytes[0], 0xFF);
  EXPECT_EQ(bytes[1], 0xD8);
  // The picture passed through the user's own folder and is gone from it.
  const std::string folder = AppData().linuxPath("Ostrane/Kelvra/Pictures");
  ASSERT_TRUE(std::filesystem::is_directory(folder));
  EXPECT_TRUE(std::filesystem::is_empty(folder));
  EXPECT_EQ(std::filesystem::status(folder).permissions() & std::filesystem::perms::all,
            std::filesystem::perms::owner_all);
}

TEST_F(ContactImportRunPictureTest, LeftoverPictureFileIsReplaced) {
  std::filesystem::create_directories(AppData().linuxPath("Ostrane/Kelvra/Pictures"));
  AppData().write("Ostrane/Kelvra/Pictures/ContactPicture.JPG", "stale");
  const std::string card =
      Card("Pia", "Photo",
           std::string("PHOTO;ENCODING=BASE64;TYPE=JPEG:\r\n ") + kJpegBase64 + "\r\n\r\n");
  Import(File("p.vcf", card));
  const kelvra::store::ItemPtr pia = testkit::FindItem("Personal Folders/Target", "Pia Photo");
  ASSERT_NE(pia, nullptr);
  ASSERT_EQ(pia->Attachments().size(), 1u);
  EXPECT_EQ(pia->Attachments()[0]->bytes[0], 0xFF);
  EXPECT_TRUE(std::filesystem::is_empty(AppData().linuxPath("Ostrane/Kelvra/Pictures")));
}

TEST_F(ContactImportRunPictureTest, Outlook2002ReadsThePictureButAddsNone) {
  const std::string card =
      Card("Pia", "Photo",
           std::string("PHOTO;ENCODING=BASE64;TYPE=JPEG:\r\n ") + kJpegBase64 + "\r\n\r\n");
  testkit::SetOutlookVersion(10);
  importer_->SetOutlookVersion(10);
  Import(File("p.vcf", card));
  ExpectCounts(1, 0, 0);
  const kelvra::store::ItemPtr pia = testkit::FindItem("Personal Folders/Target", "Pia Photo");
  ASSERT_NE(pia, nullptr);
  EXPECT_TRUE(pia->Attachments().empty());
}

}  // namespace
}  // namespace kelvra::test
