#include "contacts/CDlgVCardExport.h"

#include <cstring>

#include "addin/CLang.h"
#include "addin/FirstPageParts.h"
#include "addin/GetOutlookVersion.h"
#include "addin/LinkCommands.h"
#include "addin/OutlookFolderChoice.h"
#include "addin/PageOptions.h"
#include "addin/PageText.h"
#include "contacts/CDlgVCardExportOptions.h"
#include "contacts/ContactFilterControls.h"
#include "contacts/EncodingNames.h"

namespace {

constexpr const char* kSection = "IDD_VCARD_EXPORT";

constexpr LocalizeRecord kLocalizeTable[] = {
    {LOCALIZE_LABEL, IDC_LBL, "IDC_LBL", 0},
    {LOCALIZE_FRAME, IDC_FRA_FOLDERS, "IDC_FRA_FOLDERS", 0},
    {LOCALIZE_LABEL, IDC_LABEL1, "IDC_LABEL1", 0},
    {LOCALIZE_EDIT, IDC_TXT_OL_FLD, "IDC_TXT_OL_FLD", 0},
    {LOCALIZE_BUTTON, IDC_BTN_OL_FLD, "IDC_BTN_OL_FLD", LOCALIZE_RUNTIME_TEXT},
    {LOCALIZE_CHECKBOX, IDC_CHK_EXPORT_SELECTED, "IDC_CHK_EXPORT_SELECTED", 0},
    {LOCALIZE_LABEL, IDC_LABEL2, "IDC_LABEL2", 0},
    {LOCALIZE_EDIT, IDC_TXT_WIN_FLD, "IDC_TXT_WIN_FLD", 0},
    {LOCALIZE_BUTTON, IDC_BTN_WIN_FLD, "IDC_BTN_WIN_FLD", LOCALIZE_RUNTIME_TEXT},
    {LOCALIZE_CHECKBOX, IDC_CHK_SAVE_ONE_FILE, "IDC_CHK_SAVE_ONE_FILE", 0},
    {LOCALIZE_FRAME, IDC_FRA_OPTIONS, "IDC_FRA_OPTIONS", 0},
    {LOCALIZE_LABEL, IDC_LABEL7, "IDC_LABEL7", 0},
    {LOCALIZE_LABEL, IDC_LBL_PRIVATES, "IDC_LBL_PRIVATES", LOCALIZE_RUNTIME_TEXT},
    {LOCALIZE_LABEL, IDC_LABEL8, "IDC_LABEL8", 0},
    {LOCALIZE_LABEL, IDC_LBL_TXT_CATEGORIES, "IDC_LBL_TXT_CATEGORIES", LOCALIZE_RUNTIME_TEXT},
    {LOCALIZE_LABEL, IDC_LABEL4, "IDC_LABEL4", 0},
    {LOCALIZE_LABEL, IDC_LBL_OVERWRITE, "IDC_LBL_OVERWRITE", LOCALIZE_RUNTIME_TEXT},
    {LOCALIZE_LABEL, IDC_LABEL5, "IDC_LABEL5", 0},
    {LOCALIZE_LABEL, IDC_LBL_FORMAT, "IDC_LBL_FORMAT", LOCALIZE_RUNTIME_TEXT},
    {LOCALIZE_LABEL, IDC_LABEL6, "IDC_LABEL6", 0},
    {LOCALIZE_LABEL, IDC_LBL_ENCODING, "IDC_LBL_ENCODING", LOCALIZE_RUNTIME_TEXT},
    {LOCALIZE_BUTTON, IDC_BTN_OPTIONS, "IDC_BTN_OPTIONS", 0},
    {LOCALIZE_BUTTON, IDHELP, "IDHELP", 0},
    {LOCALIZE_BUTTON, IDOK, "IDOK", 0},
    {LOCALIZE_BUTTON, IDCANCEL, "IDCANCEL", 0},
};

// Registry values of the page.
constexpr const char* kFolderValue = "Contacts.Export.Folder";
constexpr const char* kOneFileValue = "Contacts.Export.OneFile";
constexpr const char* kFormatValue = "Contacts.Export.Format";
constexpr const char* kEncodingValue = "Contacts.Export.Encoding";
constexpr const char* kOverwriteValue = "Contacts.Export.Overwrite";
constexpr const char* kFilterValue = "Contacts.Export.Filter";
constexpr const char* kCategoriesValue = "Contacts.Export.Filter.Categories";

constexpr DWORD kFolderBytes = MAX_PATH;
constexpr DWORD kEncodingBytes = 256;
constexpr DWORD kStoredVCard21 = 21;
constexpr DWORD kStoredVCard30 = 30;

}  // namespace

CDlgVCardExport::CDlgVCardExport(Outlook::_Application* app, HKEY* optionsKey)
    : WizardFirstPage(help_topics::kExportContacts, app, optionsKey) {
  SetDefaults();
  _LoadOptions();
}

void CDlgVCardExport::SetDefaults() {
  m_windowsFolder[0] = '\0';
  m_oneFile = true;
  m_formatChoice = kVCard21;
  m_encoding.clear();
  m_exportSelected = false;
  m_overwrite = false;
  m_filterMask = 0;
  m_filterCategories = GetOutlookVersion() < 12 ? "Personal" : "";
}

void CDlgVCardExport::_LoadOptions() {
  const PageOptions options(m_optionsKey);
  const std::string folder = options.ReadString(kFolderValue, "", kFolderBytes);
  std::strncpy(m_windowsFolder, folder.c_str(), sizeof m_windowsFolder - 1);
  m_oneFile = options.ReadDword(kOneFileValue, m_oneFile ? 1 : 0) != 0;
  m_formatChoice =
      options.ReadDword(kFormatValue, kStoredVCard21) == kStoredVCard30 ? kVCard30 : kVCard21;
  m_encoding = EncodingNames::KnownOrFirst(
      options.ReadString(kEncodingValue, EncodingNames::First().c_str(), kEncodingBytes));
  m_overwrite = options.ReadDword(kOverwriteValue, m_overwrite ? 1 : 0) != 0;
  m_filterMask = options.ReadDword(kFilterValue, m_filterMask);
  m_filterCategories =
      options.ReadString(kCategoriesValue, m_filterCategories.c_str(), PageOptions::kAnyLength);
}

LRESULT CDlgVCardExport::OnInitDialog(UINT message, WPARAM wParam, LPARAM lParam, BOOL& handled) {
  InitPage(message, wParam, lParam, handled, kLocalizeTable, kSection);
  SetDlgItemText(IDC_TXT_WIN_FLD, m_windowsFolder);
  CheckDlgButton(IDC_CHK_SAVE_ONE_FILE, m_oneFile ? BST_CHECKED : BST_UNCHECKED);

  const OutlookFolderChoice::Start start = OutlookFolderChoice(OutlookFolderChoice::kContacts)
                                               .Initial(m_app, "CDlgVCardExport::OnInitDialog");
  m_folder = start.folder;
  FirstPageParts::ShowOutlookFolder(m_hWnd, OutlookFolderChoice::PathOf(m_folder));
  // The template leaves the box disabled: a selection counts only in the folder shown.
  if (start.isExplorerFolder && start.selectedItems > 0) {
    ::EnableWindow(GetDlgItem(IDC_CHK_EXPORT_SELECTED), TRUE);
    if (start.selectedItems > 1) CheckDlgButton(IDC_CHK_EXPORT_SELECTED, BST_CHECKED);
  }
  _UpdateOptionTexts();
  SetFolderButtonPictures(IDI_OL_FOLDER);
  return TRUE;
}

void CDlgVCardExport::_UpdateOptionTexts() {
  ContactFilterControls::ShowSummary(m_hWnd, m_filterMask, m_filterCategories, "any");
  SetDlgItemText(IDC_LBL_OVERWRITE, FirstPageParts::YesNo(m_overwrite).c_str());
  SetDlgItemText(IDC_LBL_FORMAT, m_formatChoice == kVCard30 ? "vCard 3.0" : "vCard 2.1");
  const std::string encoding = m_encoding.empty() ? EncodingNames::First() : m_encoding;
  SetDlgItemText(IDC_LBL_ENCODING, encoding.c_str());
}

std::span<const int> CDlgVCardExport::_WindowColoured() {
  static constexpr int kIds[] = {IDC_LBL_OVERWRITE,
                                 IDC_LBL_FORMAT,
                                 IDC_LBL_ENCODING,
                                 IDC_BTN_OPTIONS,
                                 IDC_TXT_OL_FLD,
                                 IDC_CHK_SAVE_ONE_FILE,
                                 IDC_CHK_EXPORT_SELECTED,
                                 IDC_LBL_PRIVATES,
                                 IDC_PANEL,
                                 IDC_LABEL1,
                                 IDC_FRA_OPTIONS,
                                 IDC_LABEL2,
                                 IDC_LABEL4,
                                 IDC_LABEL5,
                                 IDC_LABEL6,
                                 IDC_LABEL7,
                                 IDC_LABEL8,
                                 IDC_FRA_FOLDERS,
                                 IDC_LBL,
                                 IDC_LBL_TXT_CATEGORIES};
  return kIds;
}

void CDlgVCardExport::_UpdateSelectionCheck() {
  const bool offered =
      OutlookFolderChoice(OutlookFolderChoice::kContacts)
          .SelectedItemsIn(m_app, m_folder, "CDlgVCardExport::OnOutlookFolder") > 0;
  ::EnableWindow(GetDlgItem(IDC_CHK_EXPORT_SELECTED), offered);
  if (!offered) CheckDlgButton(IDC_CHK_EXPORT_SELECTED, BST_UNCHECKED);
}

void CDlgVCardExport::_PickOutlookFolder() {
  if (FirstPageParts::PickOutlookFolder(m_hWnd, m_app,
                                        OutlookFolderChoice(OutlookFolderChoice::kContacts),
                                        m_folder, "CDlgVCardExport::OnOutlookFolder"))
    _UpdateSelectionCheck();
}

LRESULT CDlgVCardExport::OnBrowseFolder(WORD, WORD, HWND, BOOL&) {
  FirstPageParts::BrowseWindowsFolder(m_hWnd, "IDS_CF_EXPORT");
  return 0;
}

LRESULT CDlgVCardExport::OnNext(WORD, WORD, HWND, BOOL&) {
  std::string folder = GetDlgItemString(m_hWnd, IDC_TXT_WIN_FLD);
  if (!FirstPageParts::IsUsableFolder(folder)) {
    FirstPageParts::BrowseWindowsFolder(m_hWnd, "IDS_CF_EXPORT");
    folder = GetDlgItemString(m_hWnd, IDC_TXT_WIN_FLD);
    if (!FirstPageParts::IsUsableFolder(folder)) return 0;
  }
  if (!HaveOutlookFolder()) return 0;
  std::strncpy(m_windowsFolder, folder.c_str(), sizeof m_windowsFolder - 1);
  m_oneFile = IsDlgButtonChecked(IDC_CHK_SAVE_ONE_FILE) == BST_CHECKED;
  m_exportSelected = IsDlgButtonChecked(IDC_CHK_EXPORT_SELECTED) == BST_CHECKED;
  const PageOptions options(m_optionsKey);
  options.WriteString(kFolderValue, m_windowsFolder);
  options.WriteDword(kOneFileValue, m_oneFile ? 1 : 0);
  EndDialog(IDOK);
  return 0;
}

LRESULT CDlgVCardExport::OnChangeOptions(WORD, WORD, HWND, BOOL&) {
  CDlgVCardExportOptions dlg(m_app, m_overwrite, m_formatChoice, m_filterMask, m_filterCategories,
                             m_encoding);
  if (dlg.DoModal(m_hWnd) != IDOK) return 0;
  m_overwrite = dlg.m_overwrite;
  m_formatChoice = dlg.m_formatChoice;
  m_encoding = dlg.m_encoding;
  m_filterMask = dlg.m_filterMask;
  m_filterCategories = dlg.m_filterCategories;
  const PageOptions options(m_optionsKey);
  options.WriteDword(kFormatValue, m_formatChoice == kVCard30 ? kStoredVCard30 : kStoredVCard21);
  options.WriteString(kEncodingValue, m_encoding);
  options.WriteDword(kOverwriteValue, m_overwrite ? 1 : 0);
  options.WriteDword(kFilterValue, m_filterMask);
  options.WriteString(kCategoriesValue, m_filterCategories);
  _UpdateOptionTexts();
  return 0;
}
