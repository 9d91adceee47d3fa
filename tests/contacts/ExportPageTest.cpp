// The export-contacts wizard's first page and its options dialog, played by the
// operator: stored options, the Outlook and Windows folder choices, the summary texts
// and the validation of what the user chose.
#include <gtest/gtest.h>

#include <filesystem>

#include "ContactPageFixture.h"
#include "addin/GetOutlookVersion.h"
#include "contacts/CDlgVCardExport.h"
#include "contacts/CDlgVCardExportOptions.h"
#include "contacts/EncodingNames.h"
#include "testkit/Operator.h"
#include "testkit/Outlook.h"
#include "testkit/Pickers.h"
#include "testkit/Store.h"
#include "testkit/Windows.h"

namespace kelvra::test {
namespace {

using testkit::ControlText;
using testkit::IsChecked;

constexpr const char* kWestern = "Western European (Windows)";

// --- Stored options ----------------------------------------------------------------

using ExportPageOptionsTest = ContactPageTest;

TEST_F(ExportPageOptionsTest, WithNothingStoredTheDefaultsHoldAndPersonalBelowOutlook12) {
  for (int version : {9, 11, 12, 14}) {
    g_nOutlookVersion = version;
    CDlgVCardExport page(App(), Key());
    EXPECT_EQ(page.m_filterCategories, version < 12 ? "Personal" : "") << version;
    EXPECT_STREQ(page.m_windowsFolder, "");
    EXPECT_TRUE(page.m_oneFile);
    EXPECT_EQ(page.m_formatChoice, CDlgVCardExport::kVCard21);
    EXPECT_EQ(page.m_encoding, "UTF-8");
    EXPECT_FALSE(page.m_overwrite);
    EXPECT_FALSE(page.m_exportSelected);
    EXPECT_EQ(page.m_filterMask, 0u);
  }
}

TEST_F(ExportPageOptionsTest, StoredValuesAreLoaded) {
  StoreString("Contacts.Export.Folder", "Z:\\out\\cards");
  StoreDword("Contacts.Export.OneFile", 0);
  StoreDword("Contacts.Export.Format", 30);
  StoreString("Contacts.Export.Encoding", kWestern);
  StoreDword("Contacts.Export.Overwrite", 1);
  StoreDword("Contacts.Export.Filter", 8);
  StoreString("Contacts.Export.Filter.Categories", "Work,Home");
  g_nOutlookVersion = 11;
  CDlgVCardExport page(App(), Key());
  EXPECT_STREQ(page.m_windowsFolder, "Z:\\out\\cards");
  EXPECT_FALSE(page.m_oneFile);
  EXPECT_EQ(page.m_formatChoice, CDlgVCardExport::kVCard30);
  EXPECT_EQ(page.m_encoding, kWestern);
  EXPECT_TRUE(page.m_overwrite);
  const ContactFilter filter = page.GetFilter();
  EXPECT_EQ(filter.mask, 8u);
  EXPECT_EQ(filter.categories, "Work,Home");
}

TEST_F(ExportPageOptionsTest, AnyStoredFormatButThirtyReadsAsVCard21) {
  for (DWORD stored : {21u, 0u, 3u, 31u}) {
    StoreDword("Contacts.Export.Format", stored);
    CDlgVCardExport page(App(), Key());
    EXPECT_EQ(page.m_formatChoice, CDlgVCardExport::kVCard21) << stored;
  }
}

TEST_F(ExportPageOptionsTest, ValuesOfAnotherTypeOrTooLongGiveTheDefaults) {
  StoreString("Contacts.Export.Format", "30");
  StoreString("Contacts.Export.OneFile", "0");
  StoreDword("Contacts.Export.Encoding", 1252);
  StoreString("Contacts.Export.Folder", std::string(300, 'a'));
  CDlgVCardExport page(App(), Key());
  EXPECT_EQ(page.m_formatChoice, CDlgVCardExport::kVCard21);
  EXPECT_TRUE(page.m_oneFile);
  EXPECT_EQ(page.m_encoding, "UTF-8");
  EXPECT_STREQ(page.m_windowsFolder, "");
}

TEST_F(ExportPageOptionsTest, AnEncodingNoLongerListedShowsAndUsesTheFirstEntry) {
  for (const char* stored : {"Klingon", "western european (windows)", ""}) {
    StoreString("Contacts.Export.Encoding", stored);
    CDlgVCardExport page(App(), Key());
    EXPECT_EQ(page.m_encoding, "UTF-8") << stored;
  }
}

TEST_F(ExportPageOptionsTest, WithoutEncodingsTheNameStaysEmpty) {
  g_CharConverter = nullptr;
  StoreString("Contacts.Export.Encoding", kWestern);
  CDlgVCardExport page(App(), Key());
  EXPECT_EQ(page.m_encoding, "");
  Answer(IDD_VCARD_EXPORT, [](HWND d) {
    EXPECT_EQ(ControlText(d, IDC_LBL_ENCODING), "");
    testkit::Click(d, IDCANCEL);
  });
  EXPECT_EQ(page.DoModal(nullptr), IDCANCEL);
}

TEST_F(ExportPageOptionsTest, WithoutAnOptionsKeyTheDefaultsHoldAndNothingIsStored) {
  StoreDword("Contacts.Export.OneFile", 0);
  HKEY noKey = nullptr;
  for (HKEY* key : {&noKey, static_cast<HKEY*>(nullptr)}) {
    CDlgVCardExport page(App(), key);
    EXPECT_TRUE(page.m_oneFile);
    const std::string folder = Files().windows();
    Answer(IDD_VCARD_EXPORT, [&](HWND d) {
      testkit::TypeText(d, IDC_TXT_WIN_FLD, folder);
      testkit::Click(d, IDOK);
    });
    EXPECT_EQ(page.DoModal(nullptr), IDOK);
    EXPECT_FALSE(Stored("Contacts.Export.Folder"));
  }
}

// --- The first page ------------------------------------------------------------------

using ExportFirstPageTest = ContactPageTest;

TEST_F(ExportFirstPageTest, WithoutAnExplorerThePageShowsTheDefaultFolderAndTheSummary) {
  CDlgVCardExport page(App(), Key());
  Answer(IDD_VCARD_EXPORT, [](HWND d) {
    EXPECT_EQ(ControlText(d, IDC_TXT_OL_FLD), "\\\\Personal Folders\\Contacts");
    const testkit::ControlState selected = testkit::Control(d, IDC_CHK_EXPORT_SELECTED);
    EXPECT_FALSE(selected.enabled);
    EXPECT_EQ(selected.check, static_cast<UINT>(BST_UNCHECKED));
    EXPECT_TRUE(IsChecked(d, IDC_CHK_SAVE_ONE_FILE));
    EXPECT_EQ(ControlText(d, IDC_LBL_PRIVATES), "Yes");
    EXPECT_EQ(ControlText(d, IDC_LBL_TXT_CATEGORIES), "any");
    EXPECT_EQ(ControlText(d, IDC_LBL_OVERWRITE), "No");
    EXPECT_EQ(ControlText(d, IDC_LBL_FORMAT), "vCard 2.1");
    EXPECT_EQ(ControlText(d, IDC_LBL_ENCODING), "UTF-8");
    EXPECT_EQ(ControlText(d, IDC_CHK_EXPORT_SELECTED), "Export selected contacts only");
    EXPECT_EQ(testkit::ImageOf(testkit::Control(d, IDC_BTN_WIN_FLD).image).iconId, IDI_WIN_FOLDER);
    EXPECT_EQ(testkit::ImageOf(testkit::Control(d, IDC_BTN_OL_FLD).image).iconId, IDI_OL_FOLDER);
    testkit::Click(d, IDCANCEL);
  });
  EXPECT_EQ(page.DoModal(nullptr), IDCANCEL);
  EXPECT_FALSE(Stored("Contacts.Export.Folder"));
  EXPECT_FALSE(Stored("Contacts.Export.OneFile"));
}

TEST_F(ExportFirstPageTest, TheSummaryShowsTheStoredFilterOverwriteFormatAndEncoding) {
  StoreDword("Contacts.Export.Filter", 2 | 4);
  StoreString("Contacts.Export.Filter.Categories", "Work,Home");
  StoreDword("Contacts.Export.Overwrite", 1);
  StoreDword("Contacts.Export.Format", 30);
  StoreString("Contacts.Export.Encoding", kWestern);
  CDlgVCardExport page(App(), Key());
  Answer(IDD_VCARD_EXPORT, [](HWND d) {
    EXPECT_EQ(ControlText(d, IDC_LBL_PRIVATES), "No");
    EXPECT_EQ(ControlText(d, IDC_LBL_TXT_CATEGORIES), "exclude \"Work,Home\"");
    EXPECT_EQ(ControlText(d, IDC_LBL_OVERWRITE), "Yes");
    EXPECT_EQ(ControlText(d, IDC_LBL_FORMAT), "vCard 3.0");
    EXPECT_EQ(ControlText(d, IDC_LBL_ENCODING), kWestern);
    testkit::Click(d, IDCANCEL);
  });
  page.DoModal(nullptr);
}

TEST_F(ExportFirstPageTest, TheExplorersSelectionIsOfferedByHowManyContactsItHolds) {
  const struct {
    std::vector<long> items;  // of the Contacts folder; 3 is the distribution list
    bool enabled;
    bool checked;
  } cases[] = {{{}, false, false},    {{3}, false, false},  {{1}, true, false},
               {{3, 2}, true, false}, {{1, 2}, true, true}, {{1, 2, 3}, true, true}};
  for (const auto& c : cases) {
    std::vector<IDispatchPtr> selection;
    for (long i : c.items) selection.push_back(ContactsItem(i));
    testkit::ResetExplorers();
    ShowInExplorer("Contacts", selection);
    CDlgVCardExport page(App(), Key());
    Answer(IDD_VCARD_EXPORT, [&](HWND d) {
      const testkit::ControlState selected = testkit::Control(d, IDC_CHK_EXPORT_SELECTED);
      EXPECT_EQ(selected.enabled, c.enabled) << c.items.size();
      EXPECT_EQ(selected.check == BST_CHECKED, c.checked) << c.items.size();
      testkit::Click(d, IDCANCEL);
    });
    page.DoModal(nullptr);
  }
}

TEST_F(ExportFirstPageTest, AnExplorerShowingAnotherKindOfFolderLeavesTheDefaultFolder) {
  ShowInExplorer("Calendar", {ContactsItem(1), ContactsItem(2)});
  CDlgVCardExport page(App(), Key());
  Answer(IDD_VCARD_EXPORT, [](HWND d) {
    EXPECT_EQ(ControlText(d, IDC_TXT_OL_FLD), "\\\\Personal Folders\\Contacts");
    EXPECT_FALSE(testkit::Control(d, IDC_CHK_EXPORT_SELECTED).enabled);
    testkit::Click(d, IDCANCEL);
  });
  page.DoModal(nullptr);
}

TEST_F(ExportFirstPageTest, AnExplorerThatCannotTellItsFolderLeavesTheDefaultFolder) {
  ShowInExplorer("Other", {});
  testkit::FailCall("Explorer.CurrentFolder", 0, E_FAIL);
  CDlgVCardExport page(App(), Key());
  Answer(IDD_VCARD_EXPORT, [](HWND d) {
    EXPECT_EQ(ControlText(d, IDC_TXT_OL_FLD), "\\\\Personal Folders\\Contacts");
    testkit::Click(d, IDCANCEL);
  });
  page.DoModal(nullptr);
  EXPECT_NE(Log().Lines().find("CDlgVCardExport::OnInitDialog"), std::string::npos);
}

TEST_F(ExportFirstPageTest, ExportStoresFolderAndOneFileAndHandsTheChoicesOver) {
  ShowInExplorer("Contacts", {ContactsItem(1), ContactsItem(2)});
  CDlgVCardExport page(App(), Key());
  const std::string folder = Files().windows();
  Answer(IDD_VCARD_EXPORT, [&](HWND d) {
    testkit::TypeText(d, IDC_TXT_WIN_FLD, folder);
    testkit::SetCheck(d, IDC_CHK_SAVE_ONE_FILE, false);
    testkit::Click(d, IDOK);
  });
  EXPECT_EQ(page.DoModal(nullptr), IDOK);
  EXPECT_EQ(std::string(page.m_windowsFolder), folder);
  EXPECT_FALSE(page.m_oneFile);
  EXPECT_TRUE(page.m_exportSelected);
  ASSERT_TRUE(page.GetFolderObject());
  EXPECT_EQ(std::string(page.GetFolderObject()->GetName()), "Contacts");
  EXPECT_EQ(StoredString("Contacts.Export.Folder"), folder);
  EXPECT_EQ(StoredDword("Contacts.Export.OneFile"), 0u);
  // The options belong to the options dialog; the selection is never stored.
  EXPECT_FALSE(Stored("Contacts.Export.Format"));
  EXPECT_FALSE(Stored("Contacts.Export.Filter"));
}

TEST_F(ExportFirstPageTest, AMissingWindowsFolderOpensTheBrowserAndCancelKeepsThePage) {
  CDlgVCardExport page(App(), Key());
  const std::string missing = Files().windowsPath("missing\\deeper");
  const std::string start = Files().windows();
  Answer(IDD_VCARD_EXPORT, [&](HWND d) {
    testkit::TypeText(d, IDC_TXT_WIN_FLD, missing);
    testkit::Click(d, IDOK);
    EXPECT_TRUE(IsWindow(d));
    const auto browsers = testkit::FolderBrowsers();
    ASSERT_EQ(browsers.size(), 1u);
    EXPECT_EQ(browsers[0].title, "Choose the folder that receives the exported files:");
    EXPECT_EQ(browsers[0].flags, 0x41u);
    EXPECT_EQ(browsers[0].startFolder, start);
    EXPECT_EQ(browsers[0].owner, d);
    testkit::Click(d, IDCANCEL);
  });
  EXPECT_EQ(page.DoModal(nullptr), IDCANCEL);
  EXPECT_FALSE(Stored("Contacts.Export.Folder"));
  EXPECT_TRUE(testkit::MessageBoxes().empty());
}

TEST_F(ExportFirstPageTest, AFolderPathTooLongForThePageIsNotCutButChosenAgain) {
  const std::string deep = std::string(150, 'd') + "/" + std::string(150, 'e');
  std::filesystem::create_directories(Files().linuxPath(deep));
  const std::string tooLong =
      Files().windowsPath(std::string(150, 'd') + "\\" + std::string(150, 'e'));
  ASSERT_GE(tooLong.size(), static_cast<size_t>(MAX_PATH));
  CDlgVCardExport page(App(), Key());
  Answer(IDD_VCARD_EXPORT, [&](HWND d) {
    testkit::TypeText(d, IDC_TXT_WIN_FLD, tooLong);
    testkit::Click(d, IDOK);
    EXPECT_TRUE(IsWindow(d));
    EXPECT_EQ(testkit::FolderBrowsers().size(), 1u);
    testkit::Click(d, IDCANCEL);
  });
  EXPECT_EQ(page.DoModal(nullptr), IDCANCEL);
  EXPECT_FALSE(Stored("Contacts.Export.Folder"));
}

TEST_F(ExportFirstPageTest, AnEmptyWindowsFolderTakesTheBrowsersChoice) {
  testkit::SetFolderBrowserAnswer(Files().windows());
  CDlgVCardExport page(App(), Key());
  Answer(IDD_VCARD_EXPORT, [](HWND d) {
    testkit::TypeText(d, IDC_TXT_WIN_FLD, "");
    testkit::Click(d, IDOK);
  });
  EXPECT_EQ(page.DoModal(nullptr), IDOK);
  EXPECT_EQ(std::string(page.m_windowsFolder), Files().windows());
  EXPECT_EQ(StoredString("Contacts.Export.Folder"), Files().windows());
}

TEST_F(ExportFirstPageTest, TheBrowseButtonPutsTheChosenFolderIntoTheEdit) {
  testkit::SetFolderBrowserAnswer(Files().windows());
  CDlgVCardExport page(App(), Key());
  const std::string chosen = Files().windows();
  Answer(IDD_VCARD_EXPORT, [&](HWND d) {
    testkit::Click(d, IDC_BTN_WIN_FLD);
    EXPECT_EQ(ControlText(d, IDC_TXT_WIN_FLD), chosen);
    testkit::Click(d, IDCANCEL);
  });
  page.DoModal(nullptr);
}

TEST_F(ExportFirstPageTest, AFolderOfAnotherKindFromThePickerIsRefusedAndTheFolderKept) {
  testkit::SetOutlookFolderPickerAnswer("\\\\Personal Folders\\Calendar");
  CDlgVCardExport page(App(), Key());
  Answer(IDD_VCARD_EXPORT, [](HWND d) {
    testkit::Click(d, IDC_BTN_OL_FLD);
    EXPECT_EQ(ControlText(d, IDC_TXT_OL_FLD), "\\\\Personal Folders\\Contacts");
    const auto boxes = testkit::MessageBoxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text,
              "The folder you chose does not hold contacts. Please choose a contacts folder.");
    EXPECT_EQ(boxes[0].caption, "Kelvra");
    EXPECT_EQ(boxes[0].type, static_cast<UINT>(MB_ICONERROR));
    EXPECT_EQ(boxes[0].owner, d);
    testkit::SetOutlookFolderPickerAnswer(std::nullopt);
    testkit::Click(d, IDC_BTN_OL_FLD);
    EXPECT_EQ(ControlText(d, IDC_TXT_OL_FLD), "\\\\Personal Folders\\Contacts");
    EXPECT_EQ(testkit::MessageBoxes().size(), 1u);
    testkit::Click(d, IDCANCEL);
  });
  page.DoModal(nullptr);
  EXPECT_EQ(std::string(page.GetFolderObject()->GetName()), "Contacts");
  EXPECT_EQ(testkit::OutlookFolderPickers(), 2);
}

TEST_F(ExportFirstPageTest, PickingAnotherFolderWithdrawsTheSelectionAndTheExplorersOffersItAgain) {
  ShowInExplorer("Contacts", {ContactsItem(1), ContactsItem(2)});
  CDlgVCardExport page(App(), Key());
  const std::string folder = Files().windows();
  Answer(IDD_VCARD_EXPORT, [&](HWND d) {
    ASSERT_TRUE(IsChecked(d, IDC_CHK_EXPORT_SELECTED));
    testkit::SetOutlookFolderPickerAnswer("Personal Folders/Other");
    testkit::Click(d, IDC_BTN_OL_FLD);
    EXPECT_EQ(ControlText(d, IDC_TXT_OL_FLD), "\\\\Personal Folders\\Other");
    testkit::ControlState selected = testkit::Control(d, IDC_CHK_EXPORT_SELECTED);
    EXPECT_FALSE(selected.enabled);
    EXPECT_EQ(selected.check, static_cast<UINT>(BST_UNCHECKED));
    testkit::SetOutlookFolderPickerAnswer("\\\\Personal Folders\\Contacts");
    testkit::Click(d, IDC_BTN_OL_FLD);
    selected = testkit::Control(d, IDC_CHK_EXPORT_SELECTED);
    EXPECT_TRUE(selected.enabled);
    EXPECT_EQ(selected.check, static_cast<UINT>(BST_UNCHECKED));
    testkit::SetOutlookFolderPickerAnswer("\\\\Personal Folders\\Other");
    testkit::Click(d, IDC_BTN_OL_FLD);
    testkit::TypeText(d, IDC_TXT_WIN_FLD, folder);
    testkit::Click(d, IDOK);
  });
  EXPECT_EQ(page.DoModal(nullptr), IDOK);
  EXPECT_EQ(std::string(page.GetFolderObject()->GetName()), "Other");
  EXPECT_FALSE(page.m_exportSelected);
}

TEST_F(ExportFirstPageTest, WithoutAnOutlookFolderExportAsksOnceAndStaysWhenNoneIsChosen) {
  testkit::FailCall("NameSpace.GetDefaultFolder", 0, E_FAIL);
  CDlgVCardExport page(App(), Key());
  const std::string folder = Files().windows();
  Answer(IDD_VCARD_EXPORT, [&](HWND d) {
    EXPECT_EQ(ControlText(d, IDC_TXT_OL_FLD), "");
    testkit::TypeText(d, IDC_TXT_WIN_FLD, folder);
    testkit::Click(d, IDOK);
    EXPECT_TRUE(IsWindow(d));
    EXPECT_EQ(testkit::OutlookFolderPickers(), 1);
    testkit::SetOutlookFolderPickerAnswer("\\\\Personal Folders\\Other");
    testkit::Click(d, IDOK);
  });
  EXPECT_EQ(page.DoModal(nullptr), IDOK);
  EXPECT_EQ(testkit::OutlookFolderPickers(), 2);
  EXPECT_EQ(std::string(page.GetFolderObject()->GetName()), "Other");
  EXPECT_NE(Log().Lines().find("CDlgVCardExport::OnInitDialog"), std::string::npos);
}

TEST_F(ExportFirstPageTest, WithoutAnyContactsFolderThePageCannotBeLeftWithExport) {
  LoadMailboxWithoutContacts();
  CDlgVCardExport page(App(), Key());
  const std::string folder = Files().windows();
  Answer(IDD_VCARD_EXPORT, [&](HWND d) {
    testkit::TypeText(d, IDC_TXT_WIN_FLD, folder);
    testkit::SetOutlookFolderPickerAnswer("\\\\Personal Folders\\Calendar");
    testkit::Click(d, IDOK);
    EXPECT_TRUE(IsWindow(d));
    testkit::Click(d, IDCANCEL);
  });
  EXPECT_EQ(page.DoModal(nullptr), IDCANCEL);
  EXPECT_FALSE(Stored("Contacts.Export.Folder"));
}

// --- The options dialog ------------------------------------------------------------

using ExportOptionsTest = ContactPageTest;

TEST_F(ExportOptionsTest, TheDialogShowsThePagesOptions) {
  StoreDword("Contacts.Export.Filter", 8 | 2);
  StoreString("Contacts.Export.Filter.Categories", "Work,Home");
  StoreDword("Contacts.Export.Overwrite", 1);
  StoreDword("Contacts.Export.Format", 30);
  StoreString("Contacts.Export.Encoding", kWestern);
  CDlgVCardExport page(App(), Key());
  Answer(IDD_VCARD_EXPORT, [](HWND d) {
    testkit::Click(d, IDC_BTN_OPTIONS);
    testkit::Click(d, IDCANCEL);
  });
  Answer(IDD_VCARD_EXPORT_OPTIONS, [](HWND d) {
    const testkit::ControlState rule = testkit::Control(d, IDC_CBO_LUDE_CATEGORIES);
    EXPECT_EQ(rule.items, (std::vector<std::string>{"exclude", "include"}));
    EXPECT_EQ(rule.selection, 1);
    EXPECT_TRUE(IsChecked(d, IDC_CHK_IGNORE_PRIVATES));
    EXPECT_TRUE(IsChecked(d, IDC_CHK_CATEGORIES));
    EXPECT_EQ(ControlText(d, IDC_TXT_CATEGORIES), "Work,Home");
    EXPECT_TRUE(IsChecked(d, IDC_CHK_OVERWRITE));
    EXPECT_TRUE(IsChecked(d, IDC_OPT_VCARD30));
    EXPECT_FALSE(IsChecked(d, IDC_OPT_VCARD21));
    const testkit::ControlState encodings = testkit::Control(d, IDC_CBO_ENCODING);
    EXPECT_EQ(encodings.items, EncodingNames::All());
    ASSERT_GE(encodings.selection, 0);
    EXPECT_EQ(encodings.items[static_cast<size_t>(encodings.selection)], kWestern);
    EXPECT_TRUE(testkit::Control(d, IDC_BTN_CATEGORIES).visible);
    testkit::Click(d, IDCANCEL);
  });
  EXPECT_EQ(page.DoModal(nullptr), IDCANCEL);
}

TEST_F(ExportOptionsTest, IncludeWithoutCategoriesIsRefusedThenTheChoicesAreStoredAndShown) {
  CDlgVCardExport page(App(), Key());
  Answer(IDD_VCARD_EXPORT, [](HWND d) {
    testkit::Click(d, IDC_BTN_OPTIONS);
    EXPECT_EQ(ControlText(d, IDC_LBL_PRIVATES), "No");
    EXPECT_EQ(ControlText(d, IDC_LBL_TXT_CATEGORIES), "include \"Work, Home\"");
    EXPECT_EQ(ControlText(d, IDC_LBL_OVERWRITE), "Yes");
    EXPECT_EQ(ControlText(d, IDC_LBL_FORMAT), "vCard 3.0");
    EXPECT_EQ(ControlText(d, IDC_LBL_ENCODING), kWestern);
    testkit::Click(d, IDCANCEL);
  });
  Answer(IDD_VCARD_EXPORT_OPTIONS, [](HWND d) {
    testkit::SetCheck(d, IDC_CHK_CATEGORIES, true);
    testkit::SelectItem(d, IDC_CBO_LUDE_CATEGORIES, 1);
    testkit::TypeText(d, IDC_TXT_CATEGORIES, "  \t ");
    testkit::SetCheck(d, IDC_CHK_IGNORE_PRIVATES, true);
    testkit::Click(d, IDOK);
    EXPECT_TRUE(IsWindow(d));
    const auto boxes = testkit::MessageBoxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text,
              "Please enter at least one category, or clear the category check box.");
    EXPECT_EQ(boxes[0].caption, "Kelvra");
    testkit::TypeText(d, IDC_TXT_CATEGORIES, " Work, Home ");
    testkit::SetCheck(d, IDC_CHK_OVERWRITE, true);
    testkit::Click(d, IDC_OPT_VCARD30);
    testkit::SelectItem(d, IDC_CBO_ENCODING, kWestern);
    testkit::Click(d, IDOK);
  });
  EXPECT_EQ(page.DoModal(nullptr), IDCANCEL);
  EXPECT_EQ(StoredDword("Contacts.Export.Format"), 30u);
  EXPECT_EQ(StoredString("Contacts.Export.Encoding"), kWestern);
  EXPECT_EQ(StoredDword("Contacts.Export.Overwrite"), 1u);
  EXPECT_EQ(StoredDword("Contacts.Export.Filter"), 10u);
  EXPECT_EQ(StoredString("Contacts.Export.Filter.Categories"), "Work, Home");
  EXPECT_EQ(page.GetFilter().mask, 10u);
  // The page itself was cancelled: its own values stay unstored.
  EXPECT_FALSE(Stored("Contacts.Export.Folder"));
}

TEST_F(ExportOptionsTest, TheRuleComboChoosesBetweenExcludeAndInclude) {
  const struct {
    bool categories;
    int rule;
    DWORD mask;
  } cases[] = {{true, 0, 4}, {true, 1, 8}, {false, 1, 0}};
  for (const auto& c : cases) {
    CDlgVCardExportOptions dlg(App(), false, 0, 0, "", "UTF-8");
    Answer(IDD_VCARD_EXPORT_OPTIONS, [&](HWND d) {
      testkit::SetCheck(d, IDC_CHK_CATEGORIES, c.categories);
      testkit::SelectItem(d, IDC_CBO_LUDE_CATEGORIES, c.rule);
      testkit::TypeText(d, IDC_TXT_CATEGORIES, "VIP");
      testkit::Click(d, IDOK);
    });
    EXPECT_EQ(dlg.DoModal(nullptr), IDOK);
    EXPECT_EQ(dlg.m_filterMask, c.mask) << c.rule;
    EXPECT_EQ(dlg.m_filterCategories, "VIP");
  }
}

TEST_F(ExportOptionsTest, CancelStoresNothing) {
  CDlgVCardExport page(App(), Key());
  Answer(IDD_VCARD_EXPORT, [](HWND d) {
    testkit::Click(d, IDC_BTN_OPTIONS);
    EXPECT_EQ(ControlText(d, IDC_LBL_OVERWRITE), "No");
    testkit::Click(d, IDCANCEL);
  });
  Answer(IDD_VCARD_EXPORT_OPTIONS, [](HWND d) {
    testkit::SetCheck(d, IDC_CHK_OVERWRITE, true);
    testkit::PressEscape(d);
  });
  page.DoModal(nullptr);
  EXPECT_FALSE(Stored("Contacts.Export.Overwrite"));
  EXPECT_FALSE(page.m_overwrite);
}

TEST_F(ExportOptionsTest, WithoutEncodingsTheEncodingIsKeptAsItWas) {
  g_CharConverter = nullptr;
  for (const char* given : {"", "UTF-8"}) {
    CDlgVCardExportOptions dlg(App(), false, 0, 0, "", given);
    Answer(IDD_VCARD_EXPORT_OPTIONS, [](HWND d) {
      EXPECT_TRUE(testkit::Control(d, IDC_CBO_ENCODING).items.empty());
      testkit::Click(d, IDOK);
    });
    EXPECT_EQ(dlg.DoModal(nullptr), IDOK);
    EXPECT_EQ(dlg.m_encoding, given);
  }
}

TEST_F(ExportOptionsTest, TheCategoriesButtonShowsOutlooksDialogForTheTypedNames) {
  const std::size_t calendarItems = testkit::FindFolder("Personal Folders/Calendar")->ItemCount();
  CDlgVCardExportOptions dlg(App(), false, 0, 0, "", "UTF-8");
  Answer(IDD_VCARD_EXPORT_OPTIONS, [](HWND d) {
    testkit::TypeText(d, IDC_TXT_CATEGORIES, "Personal");
    testkit::SetCategoriesDialogAnswer(" Business, VIP ");
    testkit::Click(d, IDC_BTN_CATEGORIES);
    EXPECT_EQ(ControlText(d, IDC_TXT_CATEGORIES), "Business, VIP");
    EXPECT_TRUE(IsChecked(d, IDC_CHK_CATEGORIES));
    testkit::SetCategoriesDialogAnswer("");
    testkit::Click(d, IDC_BTN_CATEGORIES);
    EXPECT_EQ(ControlText(d, IDC_TXT_CATEGORIES), "");
    EXPECT_FALSE(IsChecked(d, IDC_CHK_CATEGORIES));
    testkit::Click(d, IDCANCEL);
  });
  dlg.DoModal(nullptr);
  EXPECT_EQ(testkit::CategoriesDialogs(), (std::vector<std::string>{"Personal", "Business, VIP"}));
  // The appointment only carried the names to the dialog.
  EXPECT_EQ(testkit::FindFolder("Personal Folders/Calendar")->ItemCount(), calendarItems);
}

TEST_F(ExportOptionsTest, UnderOutlook2000TheCategoriesButtonIsHidden) {
  g_nOutlookVersion = 9;
  CDlgVCardExportOptions dlg(App(), false, 0, 0, "", "UTF-8");
  Answer(IDD_VCARD_EXPORT_OPTIONS, [](HWND d) {
    EXPECT_FALSE(testkit::Control(d, IDC_BTN_CATEGORIES).visible);
    testkit::Click(d, IDCANCEL);
  });
  dlg.DoModal(nullptr);
}

TEST_F(ExportOptionsTest, AFailingCategoriesDialogIsLoggedAndChangesNothing) {
  testkit::FailCall("Application.CreateItem", 0, E_FAIL);
  CDlgVCardExportOptions dlg(App(), false, 0, 4, "Work", "UTF-8");
  Answer(IDD_VCARD_EXPORT_OPTIONS, [](HWND d) {
    testkit::Click(d, IDC_BTN_CATEGORIES);
    EXPECT_EQ(ControlText(d, IDC_TXT_CATEGORIES), "Work");
    EXPECT_TRUE(IsChecked(d, IDC_CHK_CATEGORIES));
    testkit::Click(d, IDCANCEL);
  });
  dlg.DoModal(nullptr);
  EXPECT_TRUE(testkit::CategoriesDialogs().empty());
  EXPECT_NE(Log().Lines().find("CDlgVCardExportOptions::OnClickedBtnCategories"),
            std::string::npos);
}

}  // namespace
}  // namespace kelvra::test
