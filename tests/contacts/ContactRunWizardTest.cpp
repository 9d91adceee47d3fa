// The two wizards end to end as the user goes through them: the first page, the run
// under its progress dialog, the finish page with the counts.
#include <gtest/gtest.h>

#include "ContactRunFixture.h"
#include "contacts/CvCardExport.h"
#include "contacts/CvCardImport.h"
#include "resource.h"
#include "testkit/Dialogs.h"
#include "testkit/Store.h"

namespace kelvra::test {
namespace {

struct FinishCounts {
  std::string total, done, failed, skipped;
};

class ContactRunWizardTest : public ContactRunTest {
 protected:
  void SetUp() override {
    ContactRunTest::SetUp();
    LoadContacts(ContactJson(R"("FirstName": "Ann", "LastName": "Lee")") + "," +
                 R"({"MessageClass": "IPM.DistList", "DLName": "Team"})" + "," +
                 ContactJson(R"("FirstName": "Bob", "LastName": "Stone", "Sensitivity": 2)"));
  }
  // The finish page's counts; the page is closed without opening anything.
  void OnFinish(int dialog, int doneControl) {
    testkit::OnDialog(dialog, [this, doneControl](HWND dlg) {
      finish_ = {testkit::ControlText(dlg, IDC_LBL_NUM_SELECTED),
                 testkit::ControlText(dlg, doneControl),
                 testkit::ControlText(dlg, IDC_LBL_NUM_FAILURES),
                 testkit::ControlText(dlg, IDC_LBL_NUM_SKIPPED)};
      testkit::SetCheck(dlg, IDC_CHK_OPEN_FOLDER, false);
      testkit::Click(dlg, IDCANCEL);
    });
  }
  bool Shown(int dialog) const {
    const std::vector<int> shown = testkit::ShownDialogs();
    return std::find(shown.begin(), shown.end(), dialog) != shown.end();
  }

  // No options key: the pages keep their defaults and store nothing.
  HKEY noKey_ = nullptr;
  FinishCounts finish_;
};

TEST_F(ContactRunWizardTest, ExportThroughThePages) {
  testkit::OnDialog(IDD_VCARD_EXPORT, [this](HWND dlg) {
    testkit::TypeText(dlg, IDC_TXT_WIN_FLD, Out().windows());
    testkit::SetCheck(dlg, IDC_CHK_SAVE_ONE_FILE, false);
    testkit::Click(dlg, IDOK);
  });
  OnFinish(IDD_VCARD_EXPORT_FINISH, IDC_LBL_NUM_EXPORTED);
  CvCardExport exporter;
  EXPECT_EQ(exporter.Execute(App(), &noKey_, nullptr), 0);
  EXPECT_EQ(OutFiles(), (std::vector<std::string>{"Lee, Ann.vcf", "Stone, Bob.vcf"}));
  EXPECT_EQ(finish_.total, "2");
  EXPECT_EQ(finish_.done, "2");
  EXPECT_EQ(finish_.failed, "0");
  EXPECT_EQ(finish_.skipped, "0");
  EXPECT_TRUE(Shown(IDD_VCARD_EXPORT_PROGRESS));
  // The finish page had the files; the run lets go of them afterwards.
  EXPECT_TRUE(exporter.WrittenFiles().empty());
}

TEST_F(ContactRunWizardTest, CancelledFirstPageRunsNothing) {
  testkit::OnDialog(IDD_VCARD_EXPORT, [](HWND dlg) { testkit::Click(dlg, IDCANCEL); });
  CvCardExport exporter;
  EXPECT_EQ(exporter.Execute(App(), &noKey_, nullptr), 0);
  EXPECT_TRUE(OutFiles().empty());
  EXPECT_FALSE(Shown(IDD_VCARD_EXPORT_PROGRESS));
  EXPECT_FALSE(Shown(IDD_VCARD_EXPORT_FINISH));
}

TEST_F(ContactRunWizardTest, WithoutOutlookNoPageIsShown) {
  CvCardExport exporter;
  CvCardImport importer;
  EXPECT_EQ(exporter.Execute(nullptr, &noKey_, nullptr), -1);
  EXPECT_EQ(importer.Execute(nullptr, &noKey_, nullptr), -1);
  EXPECT_TRUE(testkit::ShownDialogs().empty());
}

TEST_F(ContactRunWizardTest, ImportThroughThePages) {
  Out().write("a.vcf",
              "BEGIN:VCARD\r\nVERSION:2.1\r\nN:Moss;Cid\r\nEND:VCARD\r\n"
              "BEGIN:VCARD\r\nVERSION:2.1\r\nN:Lee;Ann\r\nEND:VCARD\r\n");
  testkit::OnDialog(IDD_VCARD_IMPORT, [this](HWND dlg) {
    testkit::TypeText(dlg, IDC_TXT_WIN_FLD, Out().windowsPath("a.vcf"));
    testkit::Click(dlg, IDOK);
  });
  OnFinish(IDD_VCARD_IMPORT_FINISH, IDC_LBL_NUM_IMPORTED);
  CvCardImport importer;
  importer.SetOutlookVersion(14);
  EXPECT_EQ(importer.Execute(App(), &noKey_, nullptr), 0);
  // Into the default contacts folder, where Ann is already.
  EXPECT_EQ(finish_.total, "1/2");
  EXPECT_EQ(finish_.done, "1");
  EXPECT_EQ(finish_.failed, "0");
  EXPECT_EQ(finish_.skipped, "1");
  EXPECT_NE(testkit::FindItem("Personal Folders/Contacts", "Cid Moss"), nullptr);
  EXPECT_TRUE(Shown(IDD_VCARD_IMPORT_PROGRESS));
}

}  // namespace
}  // namespace kelvra::test
