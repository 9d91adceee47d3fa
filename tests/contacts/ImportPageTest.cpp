// The import-contacts wizard's first page and its options dialog, played by the
// operator: stored options, the files text and its validation, the Outlook folder
// and the conflict choice.
#include <gtest/gtest.h>

#include "ContactPageFixture.h"
#include "addin/GetOutlookVersion.h"
#include "contacts/CDlgVCardImport.h"
#include "contacts/CDlgVCardImportOptions.h"
#include "testkit/Bruvel.h"
#include "testkit/Operator.h"
#include "testkit/Outlook.h"
#include "testkit/Pickers.h"
#include "testkit/Store.h"

namespace kelvra::test {
namespace {

using testkit::ControlText;
using testkit::IsChecked;

// --- Stored options ----------------------------------------------------------------

using ImportPageOptionsTest = ContactPageTest;

TEST_F(ImportPageOptionsTest, WithNothingStoredTheDefaultsHoldAndPersonalBelowOutlook12) {
  for (int version : {10, 11, 12, 14}) {
    g_nOutlookVersion = version;
    CDlgVCardImport page(App(), Key());
    EXPECT_EQ(page.m_filterCategories, version < 12 ? "Personal" : "") << version;
    EXPECT_EQ(page.m_files, "");
    EXPECT_EQ(page.m_conflictResolution, CDlgVCardImport::kImportAsNew);
    EXPECT_EQ(page.m_filterMask, 0u);
  }
}

TEST_F(ImportPageOptionsTest, StoredValuesAreLoadedAndAnExpandableTextIsTakenAsItStands) {
  StoreString("Contacts.Import.Folder", "%USERPROFILE%\\cards", REG_EXPAND_SZ);
  StoreDword("Contacts.Import.ConflictResolution", 2);
  StoreDword("Contacts.Import.Filter", 4 | 2);
  StoreString("Contacts.Import.Filter.Categories", std::string(600, 'c'));
  CDlgVCardImport page(App(), Key());
  EXPECT_EQ(page.m_files, "%USERPROFILE%\\cards");
  EXPECT_EQ(page.m_conflictResolution, CDlgVCardImport::kLeaveExisting);
  EXPECT_EQ(page.GetFilter().mask, 6u);
  EXPECT_EQ(page.GetFilter().categories, std::string(600, 'c'));
}

TEST_F(ImportPageOptionsTest, AnUnknownConflictCodeShowsImportAsNewAndAcceptingStoresZero) {
  StoreDword("Contacts.Import.ConflictResolution", 5);
  CDlgVCardImport page(App(), Key());
  Answer(IDD_VCARD_IMPORT, [](HWND d) {
    EXPECT_EQ(ControlText(d, IDC_LBL_CR), "Import as a new contact");
    testkit::Click(d, IDC_BTN_OPTIONS);
    EXPECT_EQ(ControlText(d, IDC_LBL_CR), "Import as a new contact");
    testkit::Click(d, IDCANCEL);
  });
  Answer(IDD_VCARD_IMPORT_OPTIONS, [](HWND d) {
    EXPECT_TRUE(IsChecked(d, IDC_OPT_DUPLICATE));
    EXPECT_FALSE(IsChecked(d, IDC_OPT_REPLACE));
    EXPECT_FALSE(IsChecked(d, IDC_OPT_LEAVE));
    testkit::Click(d, IDOK);
  });
  page.DoModal(nullptr);
  EXPECT_EQ(StoredDword("Contacts.Import.ConflictResolution"), 0u);
  EXPECT_EQ(page.m_conflictResolution, CDlgVCardImport::kImportAsNew);
}

// --- The first page ------------------------------------------------------------------

using ImportFirstPageTest = ContactPageTest;

TEST_F(ImportFirstPageTest, ThePageShowsTheFilesTheFolderAndTheSummary) {
  StoreString("Contacts.Import.Folder", "\"a.vcf\" \"b.vcf\"");
  StoreDword("Contacts.Import.Filter", 8);
  StoreString("Contacts.Import.Filter.Categories", "VIP");
  StoreDword("Contacts.Import.ConflictResolution", 1);
  ShowInExplorer("Other", {});
  CDlgVCardImport page(App(), Key());
  Answer(IDD_VCARD_IMPORT, [](HWND d) {
    EXPECT_EQ(ControlText(d, IDC_TXT_WIN_FLD), "\"a.vcf\" \"b.vcf\"");
    EXPECT_EQ(ControlText(d, IDC_TXT_OL_FLD), "\\\\Personal Folders\\Other");
    EXPECT_EQ(ControlText(d, IDC_LBL_PRIVATES), "Yes");
    EXPECT_EQ(ControlText(d, IDC_LBL_TXT_CATEGORIES), "include \"VIP\"");
    EXPECT_EQ(ControlText(d, IDC_LBL_CR), "Replace the existing contact");
    testkit::Click(d, IDCANCEL);
  });
  EXPECT_EQ(page.DoModal(nullptr), IDCANCEL);
  EXPECT_EQ(std::string(page.GetFolderObject()->GetName()), "Other");
}

TEST_F(ImportFirstPageTest, WithoutACategoryRuleTheSummarySaysAny) {
  StoreDword("Contacts.Import.Filter", 2);
  CDlgVCardImport page(App(), Key());
  Answer(IDD_VCARD_IMPORT, [](HWND d) {
    EXPECT_EQ(ControlText(d, IDC_LBL_PRIVATES), "No");
    EXPECT_EQ(ControlText(d, IDC_LBL_TXT_CATEGORIES), "any");
    EXPECT_EQ(ControlText(d, IDC_TXT_OL_FLD), "\\\\Personal Folders\\Contacts");
    testkit::Click(d, IDCANCEL);
  });
  page.DoModal(nullptr);
}

TEST_F(ImportFirstPageTest, ImportStoresTheTrimmedFilesText) {
  Files().write("a.vcf", "BEGIN:VCARD\r\nEND:VCARD\r\n");
  Files().write("b c.vcf", "BEGIN:VCARD\r\nEND:VCARD\r\n");
  const std::string typed =
      "  \"" + Files().windowsPath("a.vcf") + "\" \"" + Files().windowsPath("b c.vcf") + "\" ";
  CDlgVCardImport page(App(), Key());
  Answer(IDD_VCARD_IMPORT, [&](HWND d) {
    testkit::TypeText(d, IDC_TXT_WIN_FLD, typed);
    testkit::Click(d, IDOK);
  });
  EXPECT_EQ(page.DoModal(nullptr), IDOK);
  const std::string trimmed = typed.substr(2, typed.size() - 3);
  EXPECT_EQ(page.m_files, trimmed);
  EXPECT_EQ(StoredString("Contacts.Import.Folder"), trimmed);
  EXPECT_TRUE(testkit::BruvelCalls().empty());
  EXPECT_EQ(std::string(page.GetFolderObject()->GetName()), "Contacts");
}

TEST_F(ImportFirstPageTest, AFolderIsAcceptedAsTheFilesText) {
  CDlgVCardImport page(App(), Key());
  const std::string folder = Files().windows();
  Answer(IDD_VCARD_IMPORT, [&](HWND d) {
    testkit::TypeText(d, IDC_TXT_WIN_FLD, folder);
    testkit::Click(d, IDOK);
  });
  EXPECT_EQ(page.DoModal(nullptr), IDOK);
  EXPECT_EQ(page.m_files, folder);
}

TEST_F(ImportFirstPageTest, AnEmptyTextOpensTheFileDialogAndCancelKeepsThePageWithoutAMessage) {
  CDlgVCardImport page(App(), Key());
  Answer(IDD_VCARD_IMPORT, [](HWND d) {
    testkit::TypeText(d, IDC_TXT_WIN_FLD, "   ");
    testkit::Click(d, IDOK);
    EXPECT_TRUE(IsWindow(d));
    testkit::Click(d, IDCANCEL);
  });
  EXPECT_EQ(page.DoModal(nullptr), IDCANCEL);
  const auto calls = testkit::BruvelCalls();
  ASSERT_EQ(calls.size(), 1u);
  EXPECT_EQ(calls[0].initial, "   ");
  EXPECT_EQ(calls[0].maxLength, 512);
  EXPECT_EQ(calls[0].filter, "VCard (*.vcf)|*.vcf||");
  EXPECT_TRUE(testkit::MessageBoxes().empty());
  EXPECT_FALSE(Stored("Contacts.Import.Folder"));
}

TEST_F(ImportFirstPageTest, AMissingFileIsShownAfterTheFileDialogKeptTheText) {
  Files().write("here.vcf", "BEGIN:VCARD\r\nEND:VCARD\r\n");
  const std::string missing = Files().windowsPath("gone %2.vcf");
  const std::string typed = "\"" + Files().windowsPath("here.vcf") + "\" \"" + missing + "\"";
  CDlgVCardImport page(App(), Key());
  Answer(IDD_VCARD_IMPORT, [&](HWND d) {
    testkit::TypeText(d, IDC_TXT_WIN_FLD, typed);
    testkit::Click(d, IDOK);
    EXPECT_TRUE(IsWindow(d));
    testkit::Click(d, IDCANCEL);
  });
  EXPECT_EQ(page.DoModal(nullptr), IDCANCEL);
  EXPECT_EQ(testkit::BruvelCalls().size(), 1u);
  const auto boxes = testkit::MessageBoxes();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].text, "The file or folder " + missing + " does not exist.");
  EXPECT_EQ(boxes[0].caption, "Kelvra - Error");
  EXPECT_FALSE(Stored("Contacts.Import.Folder"));
}

TEST_F(ImportFirstPageTest, TheFileDialogsChoiceReplacesTheTextAndIsImported) {
  Files().write("picked.vcf", "BEGIN:VCARD\r\nEND:VCARD\r\n");
  const std::string picked = Files().windowsPath("picked.vcf");
  testkit::SetBruvelAnswer(picked);
  CDlgVCardImport page(App(), Key());
  Answer(IDD_VCARD_IMPORT, [&](HWND d) {
    testkit::Click(d, IDC_BTN_WIN_FLD);
    EXPECT_EQ(ControlText(d, IDC_TXT_WIN_FLD), picked);
    testkit::TypeText(d, IDC_TXT_WIN_FLD, "");
    testkit::Click(d, IDOK);
  });
  EXPECT_EQ(page.DoModal(nullptr), IDOK);
  EXPECT_EQ(page.m_files, picked);
  EXPECT_EQ(testkit::BruvelCalls().size(), 2u);
}

TEST_F(ImportFirstPageTest, TheOutlookFolderChoiceRefusesOtherKindsAndMustEndWithAFolder) {
  testkit::FailCall("NameSpace.GetDefaultFolder", 0, E_FAIL);
  CDlgVCardImport page(App(), Key());
  const std::string folder = Files().windows();
  Answer(IDD_VCARD_IMPORT, [&](HWND d) {
    EXPECT_EQ(ControlText(d, IDC_TXT_OL_FLD), "");
    testkit::TypeText(d, IDC_TXT_WIN_FLD, folder);
    testkit::SetOutlookFolderPickerAnswer("\\\\Personal Folders\\Calendar");
    testkit::Click(d, IDOK);
    EXPECT_TRUE(IsWindow(d));
    EXPECT_EQ(testkit::MessageBoxes().size(), 1u);
    testkit::SetOutlookFolderPickerAnswer("\\\\Personal Folders\\Other");
    testkit::Click(d, IDC_BTN_OL_FLD);
    EXPECT_EQ(ControlText(d, IDC_TXT_OL_FLD), "\\\\Personal Folders\\Other");
    testkit::Click(d, IDOK);
  });
  EXPECT_EQ(page.DoModal(nullptr), IDOK);
  EXPECT_EQ(testkit::OutlookFolderPickers(), 2);
  EXPECT_EQ(std::string(page.GetFolderObject()->GetName()), "Other");
}

// --- The options dialog ------------------------------------------------------------

using ImportOptionsTest = ContactPageTest;

TEST_F(ImportOptionsTest, TheRadiosCarryTheConflictTextsAndTheChoiceIsStored) {
  const struct {
    int radio;
    DWORD stored;
    const char* summary;
  } cases[] = {{IDC_OPT_REPLACE, 1, "Replace the existing contact"},
               {IDC_OPT_LEAVE, 2, "Keep the existing contact, skip the new one"},
               {IDC_OPT_DUPLICATE, 0, "Import as a new contact"}};
  for (const auto& c : cases) {
    CDlgVCardImport page(App(), Key());
    Answer(IDD_VCARD_IMPORT, [&](HWND d) {
      testkit::Click(d, IDC_BTN_OPTIONS);
      EXPECT_EQ(ControlText(d, IDC_LBL_CR), c.summary);
      testkit::Click(d, IDCANCEL);
    });
    Answer(IDD_VCARD_IMPORT_OPTIONS, [&](HWND d) {
      EXPECT_EQ(ControlText(d, IDC_OPT_DUPLICATE), "Import as a new contact");
      EXPECT_EQ(ControlText(d, IDC_OPT_REPLACE), "Replace the existing contact");
      EXPECT_EQ(ControlText(d, IDC_OPT_LEAVE), "Keep the existing contact, skip the new one");
      testkit::Click(d, c.radio);
      testkit::Click(d, IDOK);
    });
    page.DoModal(nullptr);
    EXPECT_EQ(StoredDword("Contacts.Import.ConflictResolution"), c.stored);
  }
}

TEST_F(ImportOptionsTest, TheFilterIsCheckedAsOnTheExportAndStored) {
  CDlgVCardImport page(App(), Key());
  Answer(IDD_VCARD_IMPORT, [](HWND d) {
    testkit::Click(d, IDC_BTN_OPTIONS);
    EXPECT_EQ(ControlText(d, IDC_LBL_TXT_CATEGORIES), "exclude \"Old\"");
    testkit::Click(d, IDCANCEL);
  });
  Answer(IDD_VCARD_IMPORT_OPTIONS, [](HWND d) {
    EXPECT_FALSE(IsChecked(d, IDC_CHK_CATEGORIES));
    EXPECT_EQ(testkit::Control(d, IDC_CBO_LUDE_CATEGORIES).selection, 0);
    testkit::SetCheck(d, IDC_CHK_CATEGORIES, true);
    testkit::TypeText(d, IDC_TXT_CATEGORIES, "");
    testkit::Click(d, IDOK);
    EXPECT_TRUE(IsWindow(d));
    EXPECT_EQ(testkit::MessageBoxes().size(), 1u);
    testkit::TypeText(d, IDC_TXT_CATEGORIES, "Old ");
    testkit::Click(d, IDOK);
  });
  page.DoModal(nullptr);
  EXPECT_EQ(StoredDword("Contacts.Import.Filter"), 4u);
  EXPECT_EQ(StoredString("Contacts.Import.Filter.Categories"), "Old");
  EXPECT_EQ(StoredDword("Contacts.Import.ConflictResolution"), 0u);
}

TEST_F(ImportOptionsTest, TheCategoriesButtonLogsUnderItsOwnName) {
  CDlgVCardImportOptions dlg(App(), 0, 0, "");
  Answer(IDD_VCARD_IMPORT_OPTIONS, [](HWND d) {
    testkit::SetCategoriesDialogAnswer("Friends");
    testkit::Click(d, IDC_BTN_CATEGORIES);
    EXPECT_EQ(ControlText(d, IDC_TXT_CATEGORIES), "Friends");
    EXPECT_TRUE(IsChecked(d, IDC_CHK_CATEGORIES));
    testkit::FailCall("AppointmentItem.ShowCategoriesDialog", 0, E_FAIL);
    testkit::Click(d, IDC_BTN_CATEGORIES);
    EXPECT_EQ(ControlText(d, IDC_TXT_CATEGORIES), "Friends");
    testkit::Click(d, IDOK);
  });
  EXPECT_EQ(dlg.DoModal(nullptr), IDOK);
  EXPECT_EQ(dlg.m_filterMask, 4u);
  EXPECT_EQ(dlg.m_filterCategories, "Friends");
  EXPECT_NE(Log().Lines().find("CDlgVCardImportOptions::OnClickedBtnCategories"),
            std::string::npos);
}

}  // namespace
}  // namespace kelvra::test
