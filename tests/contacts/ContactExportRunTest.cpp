// The contact export run: what it counts, which files it writes under which names,
// its filter, and how it survives files that cannot be written.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>

#include "ContactRunFixture.h"
#include "com/ComObject.h"
#include "contacts/CvCardExport.h"
#include "resource.h"
#include "testkit/Dialogs.h"
#include "testkit/Files.h"
#include "testkit/Outlook.h"
#include "testkit/Redemption.h"
#include "testkit/Store.h"

namespace kelvra::test {
namespace {

constexpr const char* kListJson = R"({"MessageClass": "IPM.DistList", "DLName": "Team"})";

std::string Contact(const std::string& fileAs, const std::string& more = "") {
  return ContactRunTest::ContactJson(R"("FileAs": ")" + fileAs + R"(", "FirstName": ")" + fileAs +
                                     "\"" + (more.empty() ? "" : ", " + more));
}

std::size_t Occurrences(const std::string& text, const std::string& part) {
  std::size_t count = 0;
  for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
    ++count;
  return count;
}

// A selected contact that does something when the run asks it for its contact
// interface: the run is then at the start of that item.
class ActingItem : public kelvra::ComObject<IDispatch> {
 public:
  ActingItem(IDispatchPtr contact, std::function<void()> action)
      : contact_(std::move(contact)), action_(std::move(action)) {}
  STDMETHODIMP QueryInterface(REFIID iid, void** object) override {
    if (iid == __uuidof(Outlook::_ContactItem)) {
      action_();
      return contact_->QueryInterface(iid, object);
    }
    return kelvra::ComObject<IDispatch>::QueryInterface(iid, object);
  }

 private:
  IDispatchPtr contact_;
  std::function<void()> action_;
};

class ContactExportRunTest : public ContactRunTest {
 protected:
  // The Contacts folder's items selected in a new explorer window, the one at
  // actingAt (1-based) acting as it is reached; choices for exporting them.
  ContactExportChoices SelectAll(long actingAt, std::function<void()> action) {
    explorer_ = testkit::OpenExplorer(Folder("Contacts"));
    Outlook::_ItemsPtr contacts = Folder("Contacts")->GetItems();
    std::vector<IDispatchPtr> selection;
    for (long i = 1; i <= contacts->GetCount(); ++i) {
      IDispatchPtr item = contacts->Item(i);
      if (i == actingAt) item = IDispatchPtr(new ActingItem(item, action));
      selection.push_back(item);
    }
    testkit::SelectItems(explorer_, selection);
    ContactExportChoices choices = ExportChoices();
    choices.selectedOnly = true;
    return choices;
  }

  // Runs the export of these choices, which must take place.
  const ContactExportCounts& Export(const ContactExportChoices& choices) {
    EXPECT_EQ(exporter_.Run(App(), choices, nullptr), 0);
    return exporter_.Counts();
  }
  void ExpectCounts(int exported, int failed, int skipped) {
    const ContactExportCounts& counts = exporter_.Counts();
    EXPECT_EQ(counts.exported, exported);
    EXPECT_EQ(counts.failed, failed);
    EXPECT_EQ(counts.skipped, skipped);
  }

  CvCardExport exporter_;
  Outlook::_ExplorerPtr explorer_;
};

// --- Counting -------------------------------------------------------------------------------

using ContactExportRunCountTest = ContactExportRunTest;

TEST_F(ContactExportRunCountTest, DistributionListsAreCountedNowhere) {
  LoadContacts(Contact("Ann") + "," + kListJson + "," + Contact("Bob"));
  Export(ExportChoices());
  ExpectCounts(2, 0, 0);
  EXPECT_EQ(OutFiles(), (std::vector<std::string>{"Ann.vcf", "Bob.vcf"}));
}

TEST_F(ContactExportRunCountTest, FolderOfListsOnlyCountsNothing) {
  LoadContacts(std::string(kListJson) + "," + kListJson);
  Export(ExportChoices());
  ExpectCounts(0, 0, 0);
  EXPECT_TRUE(OutFiles().empty());
}

TEST_F(ContactExportRunCountTest, EmptyFolderShowsNoProgressDialog) {
  Export(ExportChoices());
  ExpectCounts(0, 0, 0);
  const std::vector<int> shown = testkit::ShownDialogs();
  EXPECT_EQ(std::count(shown.begin(), shown.end(), IDD_VCARD_EXPORT_PROGRESS), 0);
}

TEST_F(ContactExportRunCountTest, ContactWhoseCardCannotBeBuiltFailsAndTheRunGoesOn) {
  LoadContacts(Contact("Ann") + "," + Contact("Bob") + "," + Contact("Cid"));
  testkit::FailCall("SafeContactItem.Body", 2, E_FAIL);
  Export(ExportChoices());
  ExpectCounts(2, 1, 0);
  EXPECT_EQ(OutFiles(), (std::vector<std::string>{"Ann.vcf", "Cid.vcf"}));
}

TEST_F(ContactExportRunCountTest, ComErrorOfAPropertyFailsThatContactOnly) {
  LoadContacts(Contact("Ann") + "," + Contact("Bob"));
  testkit::FailCall("ContactItem.JobTitle", 1, E_FAIL);
  Export(ExportChoices());
  ExpectCounts(1, 1, 0);
  EXPECT_EQ(OutFiles(), (std::vector<std::string>{"Bob.vcf"}));
}

TEST_F(ContactExportRunCountTest, WithoutRedemptionEveryContactFailsWithOneError) {
  testkit::FailCreate("Redemption.SafeContactItem", E_FAIL);
  CvCardExport exporter;
  LoadContacts(Contact("Ann") + "," + Contact("Bob") + "," + kListJson);
  ASSERT_EQ(exporter.Run(App(), ExportChoices(), nullptr), 0);
  EXPECT_EQ(exporter.Counts().failed, 2);
  EXPECT_EQ(exporter.Counts().exported, 0);
  EXPECT_EQ(Occurrences(Log().Lines(), "Redemption.SafeContactItem cannot be created"), 1u);
  EXPECT_TRUE(OutFiles().empty());
}

TEST_F(ContactExportRunCountTest, SelectionWithoutExplorerCannotRun) {
  LoadContacts(Contact("Ann"));
  ContactExportChoices choices = ExportChoices();
  choices.selectedOnly = true;
  EXPECT_EQ(exporter_.Run(App(), choices, nullptr), -1);
  EXPECT_TRUE(OutFiles().empty());
}

TEST_F(ContactExportRunCountTest, ProgressDialogThatCannotStartEndsTheRun) {
  LoadContacts(Contact("Ann"));
  testkit::FailDialogCreation(IDD_VCARD_EXPORT_PROGRESS);
  EXPECT_EQ(exporter_.Run(App(), ExportChoices(), nullptr), -1);
  testkit::FailDialogCreation(IDD_VCARD_EXPORT_PROGRESS, false);
  EXPECT_TRUE(OutFiles().empty());
}

TEST_F(ContactExportRunCountTest, CancelAfterTheFirstOfTenSkipsTheRest) {
  std::string items;
  for (int i = 0; i < 10; ++i) items += (i ? "," : "") + Contact("C" + std::to_string(i));
  LoadContacts(items);
  // The user presses Cancel while the first contact is written.
  Export(SelectAll(
      1, [] { testkit::Click(testkit::WaitForDialog(IDD_VCARD_EXPORT_PROGRESS), IDCANCEL); }));
  ExpectCounts(1, 0, 9);
  EXPECT_EQ(OutFiles(), (std::vector<std::string>{"C0.vcf"}));
}

// --- File names -------------------------------------------------------------------------------

using ContactExportRunNamingTest = ContactExportRunTest;

TEST_F(ContactExportRunNamingTest, SameFileAsTakesNumberedNames) {
  LoadContacts(Contact("X", R"("LastName": "One")") + "," + Contact("X", R"("LastName": "Two")"));
  Export(ExportChoices());
  EXPECT_EQ(OutFiles(), (std::vector<std::string>{"X(1).vcf", "X.vcf"}));
  EXPECT_NE(ReadFileBytes(Out().linuxPath("X.vcf")).find("One"), std::string::npos);
  EXPECT_NE(ReadFileBytes(Out().linuxPath("X(1).vcf")).find("Two"), std::string::npos);
  EXPECT_EQ(exporter_.WrittenFiles().size(), 2u);
}

TEST_F(ContactExportRunNamingTest, ManyContactsOfOneNameCostWorkInProportionToTheirNumber) {
  // The folder holds X.vcf to X(59).vcf already: each free name is looked for once, not
  // from X.vcf on for every contact, and the folder is not read again for every file.
  constexpr int kContacts = 60;
  std::string items;
  for (int i = 0; i < kContacts; ++i) {
    Out().write(i == 0 ? "X.vcf" : "X(" + std::to_string(i) + ").vcf", "old");
    items += (i ? "," : "") + Contact("X");
  }
  LoadContacts(items);
  const unsigned long queries = testkit::PathExistsCallCount();
  const unsigned long reads = testkit::FolderReadCount();
  Export(ExportChoices());
  ExpectCounts(kContacts, 0, 0);
  EXPECT_EQ(OutFiles().size(), static_cast<std::size_t>(2 * kContacts));
  EXPECT_EQ(Out().read("X(119).vcf").find("BEGIN:VCARD"), 0u);
  EXPECT_LE(testkit::PathExistsCallCount() - queries, 4u * kContacts);
  EXPECT_LE(testkit::FolderReadCount() - reads, 5u);
}

TEST_F(ContactExportRunNamingTest, OverwriteReplacesOlderFilesButNotThisRunsOwn) {
  Out().write("X.vcf", "old");
  Out().write("Keep.vcf", "old");
  LoadContacts(Contact("X", R"("LastName": "One")") + "," + Contact("X", R"("LastName": "Two")"));
  ContactExportChoices choices = ExportChoices();
  choices.overwrite = true;
  Export(choices);
  ExpectCounts(2, 0, 0);
  EXPECT_EQ(OutFiles(), (std::vector<std::string>{"Keep.vcf", "X(1).vcf", "X.vcf"}));
  EXPECT_NE(ReadFileBytes(Out().linuxPath("X.vcf")).find("One"), std::string::npos);
  EXPECT_NE(ReadFileBytes(Out().linuxPath("X(1).vcf")).find("Two"), std::string::npos);
}

TEST_F(ContactExportRunNamingTest, WithoutOverwriteExistingFilesStay) {
  Out().write("X.vcf", "old");
  Out().write("x(1).vcf", "old");
  LoadContacts(Contact("X"));
  Export(ExportChoices());
  EXPECT_EQ(Out().read("X.vcf"), "old");
  EXPECT_EQ(OutFiles(), (std::vector<std::string>{"X(2).vcf", "X.vcf", "x(1).vcf"}));
}

TEST_F(ContactExportRunNamingTest, TwoLineFileAsAndComposedFileAs) {
  LoadContacts(ContactJson(R"("FileAs": "A\r\nB", "FirstName": "Ann")") + "," +
               ContactJson(R"("FirstName": "Bob", "LastName": "Stone")") + "," +
               ContactJson(R"("CompanyName": "Acme: West")"));
  Export(ExportChoices());
  EXPECT_EQ(OutFiles(),
            (std::vector<std::string>{"A (B).vcf", "Acme_ West.vcf", "Stone, Bob.vcf"}));
}

TEST_F(ContactExportRunNamingTest, ALongNameIsShortenedSoThatThePathFitsWithItsNumber) {
  const std::string name(300, 'L');
  LoadContacts(Contact(name, R"("LastName": "One")") + "," + Contact(name, R"("LastName": "Two")"));
  Export(ExportChoices());
  ExpectCounts(2, 0, 0);
  // Room for the name and its tail in a path of MAX_PATH - 1 characters.
  const std::size_t room = MAX_PATH - 1 - (Out().windows().size() + 1);
  const std::string first = std::string(room - 4, 'L') + ".vcf";
  const std::string second = std::string(room - 7, 'L') + "(1).vcf";
  EXPECT_EQ(OutFiles(), (std::vector<std::string>{second, first}));
  EXPECT_NE(ReadFileBytes(Out().linuxPath(first)).find("One"), std::string::npos);
  EXPECT_NE(ReadFileBytes(Out().linuxPath(second)).find("Two"), std::string::npos);
}

TEST_F(ContactExportRunNamingTest, AFolderWithoutRoomForANameFailsItsContacts) {
  // A folder of 256 characters leaves no room for "\\A.vcf".
  const std::string deep =
      std::string(200, 'd') + "/" + std::string(256 - 202 - Out().windows().size(), 'e');
  std::filesystem::create_directories(Out().linuxPath(deep));
  LoadContacts(Contact("Ann") + "," + Contact("Bob"));
  ContactExportChoices choices = ExportChoices();
  choices.exportFolder = Out().windowsPath(std::string(200, 'd') + "\\" + deep.substr(201));
  Export(choices);
  ExpectCounts(0, 2, 0);
  EXPECT_TRUE(std::filesystem::is_empty(Out().linuxPath(deep)));
  EXPECT_NE(Log().Lines().find("FitExportFilePath"), std::string::npos) << Log().Lines();
}

// --- One file -------------------------------------------------------------------------------

using ContactExportRunOneFileTest = ContactExportRunTest;

TEST_F(ContactExportRunOneFileTest, EveryCardGoesIntoTheFolderNamedFile) {
  LoadContacts(Contact("Ann") + "," + kListJson + "," + Contact("Bob"));
  ContactExportChoices choices = ExportChoices();
  choices.oneFile = true;
  Export(choices);
  ExpectCounts(2, 0, 0);
  ASSERT_EQ(OutFiles(), (std::vector<std::string>{"Contacts.vcf"}));
  const std::string file = Out().read("Contacts.vcf");
  EXPECT_EQ(Occurrences(file, "BEGIN:VCARD\r\n"), 2u);
  EXPECT_EQ(file.substr(file.size() - 11), "END:VCARD\r\n");
  // A second run beside the first file.
  Export(choices);
  EXPECT_EQ(OutFiles(), (std::vector<std::string>{"Contacts(1).vcf", "Contacts.vcf"}));
  EXPECT_EQ(exporter_.WrittenFiles().size(), 1u);
}

TEST_F(ContactExportRunOneFileTest, MissingFolderFailsEveryContact) {
  LoadContacts(Contact("Ann") + "," + Contact("Bob") + "," + Contact("Cid"));
  ContactExportChoices choices = ExportChoices();
  choices.oneFile = true;
  choices.exportFolder = Out().windowsPath("missing");
  Export(choices);
  ExpectCounts(0, 3, 0);
  EXPECT_TRUE(OutFiles().empty());
  EXPECT_TRUE(exporter_.WrittenFiles().empty());
}

TEST_F(ContactExportRunOneFileTest, CardNotWrittenWholeIsCutOffAndTheRunGoesOn) {
  LoadContacts(Contact("Ann") + "," + Contact("Bob") + "," + Contact("Cid"));
  // The disk fills up in the middle of Bob's card.
  ContactExportChoices choices = SelectAll(2, [] { testkit::InjectShortWrite(20); });
  choices.oneFile = true;
  Export(choices);
  ExpectCounts(2, 1, 0);
  const std::string file = Out().read("Contacts.vcf");
  EXPECT_EQ(Occurrences(file, "BEGIN:VCARD\r\n"), 2u);
  EXPECT_EQ(Occurrences(file, "END:VCARD\r\n"), 2u);
  EXPECT_EQ(file.find("Bob"), std::string::npos);
  EXPECT_NE(file.find("Cid"), std::string::npos);
}

TEST_F(ContactExportRunOneFileTest, FullDiskAtTheFirstCardLeavesNoEmptyFile) {
  LoadContacts(Contact("Ann") + "," + Contact("Bob"));
  ContactExportChoices choices = SelectAll(1, [] { testkit::InjectShortWrite(0); });
  choices.oneFile = true;
  Export(choices);
  ExpectCounts(1, 1, 0);
  ASSERT_EQ(OutFiles(), (std::vector<std::string>{"Contacts.vcf"}));
  EXPECT_EQ(Occurrences(Out().read("Contacts.vcf"), "BEGIN:VCARD"), 1u);
  EXPECT_EQ(exporter_.WrittenFiles().size(), 1u);
}

TEST_F(ContactExportRunOneFileTest, ShortWriteOfOneOfManyFilesRemovesThatFile) {
  LoadContacts(Contact("Ann") + "," + Contact("Bob") + "," + Contact("Cid"));
  Export(SelectAll(2, [] { testkit::InjectShortWrite(5); }));
  ExpectCounts(2, 1, 0);
  EXPECT_EQ(OutFiles(), (std::vector<std::string>{"Ann.vcf", "Cid.vcf"}));
  EXPECT_EQ(exporter_.WrittenFiles().count(Out().windowsPath("Bob.vcf")), 0u);
  EXPECT_EQ(exporter_.WrittenFiles().size(), 2u);
}

// --- Filter ---------------------------------------------------------------------------------

using ContactExportRunFilterTest = ContactExportRunTest;

TEST_F(ContactExportRunFilterTest, NotNormalSensitivityIsSkipped) {
  LoadContacts(Contact("N", R"("Sensitivity": 0)") + "," + Contact("P", R"("Sensitivity": 1)") +
               "," + Contact("V", R"("Sensitivity": 2)") + "," +
               Contact("C", R"("Sensitivity": 3)"));
  ContactExportChoices choices = ExportChoices();
  choices.filter.mask = ContactFilter::kSkipNotNormal;
  Export(choices);
  ExpectCounts(1, 0, 3);
  EXPECT_EQ(OutFiles(), (std::vector<std::string>{"N.vcf"}));
}

TEST_F(ContactExportRunFilterTest, IncludeTakesWholeNamesOnly) {
  LoadContacts(Contact("A", R"("Categories": "Friends, Business")") + "," +
               Contact("B", R"("Categories": "Businessman")") + "," + Contact("C") + "," +
               Contact("D", R"("Categories": "Holiday")"));
  ContactExportChoices choices = ExportChoices();
  choices.filter = {ContactFilter::kIncludeCategories, " Business ,Holiday"};
  Export(choices);
  ExpectCounts(2, 0, 2);
  EXPECT_EQ(OutFiles(), (std::vector<std::string>{"A.vcf", "D.vcf"}));
}

TEST_F(ContactExportRunFilterTest, ExcludeAlsoSplitsAtSemicolons) {
  LoadContacts(Contact("A", R"("Categories": "Business")") + "," +
               Contact("B", R"("Categories": "Private")") + "," + Contact("C"));
  ContactExportChoices choices = ExportChoices();
  choices.filter = {ContactFilter::kExcludeCategories, "Business;Private"};
  Export(choices);
  ExpectCounts(1, 0, 2);
  EXPECT_EQ(OutFiles(), (std::vector<std::string>{"C.vcf"}));
}

TEST_F(ContactExportRunFilterTest, EmptyCategoryOptionTakesEveryoneWithAWarning) {
  LoadContacts(Contact("A", R"("Categories": "Business")") + "," + Contact("B"));
  ContactExportChoices choices = ExportChoices();
  choices.filter = {ContactFilter::kIncludeCategories, " "};
  Export(choices);
  ExpectCounts(2, 0, 0);
  EXPECT_NE(Log().Lines().find("filter.Categories empty"), std::string::npos);
}

}  // namespace
}  // namespace kelvra::test
