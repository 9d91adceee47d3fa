#include "contacts/CDlgVCardImport.h"

#include "addin/AsciiText.h"
#include "addin/CLang.h"
#include "addin/FirstPageParts.h"
#include "addin/GetOutlookVersion.h"
#include "addin/LinkCommands.h"
#include "addin/OutlookFolderChoice.h"
#include "addin/PageOptions.h"
#include "addin/PageText.h"
#include "contacts/CDlgVCardImportOptions.h"
#include "contacts/ContactFilterControls.h"

namespace {

constexpr LocalizeRecord kLocalizeTable[] = {
    {LOCALIZE_LABEL, IDC_LBL, "IDC_LBL", 0},
    {LOCALIZE_FRAME, IDC_FRA_FOLDERS, "IDC_FRA_FOLDERS", 0},
    {LOCALIZE_LABEL, IDC_LBL_FRA_FOLDERS, "IDC_LBL_FRA_FOLDERS", 0},
    {LOCALIZE_LABEL, IDC_LABEL1, "IDC_LABEL1", 0},
    {LOCALIZE_EDIT, IDC_TXT_WIN_FLD, "IDC_TXT_WIN_FLD", 0},
    {LOCALIZE_BUTTON, IDC_BTN_WIN_FLD, "IDC_BTN_WIN_FLD", LOCALIZE_RUNTIME_TEXT},
    {LOCALIZE_LABEL, IDC_LABEL2, "IDC_LABEL2", 0},
    {LOCALIZE_EDIT, IDC_TXT_OL_FLD, "IDC_TXT_OL_FLD", 0},
    {LOCALIZE_BUTTON, IDC_BTN_OL_FLD, "IDC_BTN_OL_FLD", LOCALIZE_RUNTIME_TEXT},
    {LOCALIZE_FRAME, IDC_FRA_OPTIONS, "IDC_FRA_OPTIONS", 0},
    {LOCALIZE_LABEL, IDC_LABEL7, "IDC_LABEL7", 0},
    {LOCALIZE_LABEL, IDC_LBL_PRIVATES, "IDC_LBL_PRIVATES", LOCALIZE_RUNTIME_TEXT},
    {LOCALIZE_LABEL, IDC_LABEL8, "IDC_LABEL8", 0},
    {LOCALIZE_LABEL, IDC_LBL_TXT_CATEGORIES, "IDC_LBL_TXT_CATEGORIES", LOCALIZE_RUNTIME_TEXT},
    {LOCALIZE_LABEL, IDC_LABEL3, "IDC_LABEL3", 0},
    {LOCALIZE_LABEL, IDC_LBL_CR, "IDC_LBL_CR", LOCALIZE_RUNTIME_TEXT},
    {LOCALIZE_BUTTON, IDC_BTN_OPTIONS, "IDC_BTN_OPTIONS", 0},
    {LOCALIZE_BUTTON, IDHELP, "IDHELP", 0},
    {LOCALIZE_BUTTON, IDOK, "IDOK", 0},
    {LOCALIZE_BUTTON, IDCANCEL, "IDCANCEL", 0},
};

constexpr const char* kFolderValue = "Contacts.Import.Folder";
constexpr const char* kConflictValue = "Contacts.Import.ConflictResolution";
constexpr const char* kFilterValue = "Contacts.Import.Filter";
constexpr const char* kCategoriesValue = "Contacts.Import.Filter.Categories";

constexpr const char* kFilesFilter = "VCard (*.vcf)|*.vcf||";

const char* ConflictKey(int conflict) {
  switch (conflict) {
    case CDlgVCardImport::kReplaceExisting:
      return "IDS_VCARDIMPORT_CONFLICT_REPLACE";
    case CDlgVCardImport::kLeaveExisting:
      return "IDS_VCARDIMPORT_CONFLICT_LEAVE";
    default:
      return "IDS_VCARDIMPORT_CONFLICT_DUPLICATE";
  }
}

}  // namespace

CDlgVCardImport::CDlgVCardImport(Outlook::_Application* app, HKEY* optionsKey)
    : WizardFirstPage(help_topics::kImportContacts, app, optionsKey) {
  SetDefaults();
  _LoadOptions();
}

void CDlgVCardImport::SetDefaults() {
  m_files.clear();
  m_conflictResolution = kImportAsNew;
  m_filterMask = 0;
  m_filterCategories = GetOutlookVersion() < 12 ? "Personal" : "";
}

void CDlgVCardImport::_LoadOptions() {
  const PageOptions options(m_optionsKey);
  m_files = options.ReadString(kFolderValue, "", PageOptions::kAnyLength, true);
  m_conflictResolution =
      static_cast<int>(options.ReadDword(kConflictValue, static_cast<DWORD>(m_conflictResolution)));
  m_filterMask = options.ReadDword(kFilterValue, m_filterMask);
  m_filterCategories = options.ReadString(kCategoriesValue, m_filterCategories.c_str(),
                                          PageOptions::kAnyLength, true);
}

LRESULT CDlgVCardImport::OnInitDialog(UINT message, WPARAM wParam, LPARAM lParam, BOOL& handled) {
  InitPage(message, wParam, lParam, handled, kLocalizeTable, "IDD_VCARD_IMPORT");
  m_folder = OutlookFolderChoice(OutlookFolderChoice::kContacts)
                 .Initial(m_app, "CDlgVCardImport::OnInitDialog")
                 .folder;
  FirstPageParts::ShowOutlookFolder(m_hWnd, OutlookFolderChoice::PathOf(m_folder));
  SetDlgItemText(IDC_TXT_WIN_FLD, m_files.c_str());
  _UpdateOptionTexts();
  SetFolderButtonPictures(IDI_OL_FOLDER);
  return TRUE;
}

void CDlgVCardImport::_UpdateOptionTexts() {
  ContactFilterControls::ShowSummary(m_hWnd, m_filterMask, m_filterCategories,
                                     g_Lang.GetText("IDS_ANY"));
  SetDlgItemText(IDC_LBL_CR, g_Lang.GetText(ConflictKey(m_conflictResolution)).c_str());
}

std::span<const int> CDlgVCardImport::_WindowColoured() {
  static constexpr int kIds[] = {IDC_BTN_OPTIONS,
                                 IDC_TXT_OL_FLD,
                                 IDC_LBL_PRIVATES,
                                 IDC_PANEL,
                                 IDC_LABEL1,
                                 IDC_FRA_OPTIONS,
                                 IDC_LABEL2,
                                 IDC_LABEL3,
                                 IDC_LABEL7,
                                 IDC_LABEL8,
                                 IDC_FRA_FOLDERS,
                                 IDC_LBL,
                                 IDC_LBL_TXT_CATEGORIES,
                                 IDC_LBL_CR,
                                 IDC_LBL_FRA_FOLDERS};
  return kIds;
}

void CDlgVCardImport::_PickOutlookFolder() {
  FirstPageParts::PickOutlookFolder(m_hWnd, m_app,
                                    OutlookFolderChoice(OutlookFolderChoice::kContacts), m_folder,
                                    "CDlgVCardImport::OnOutlookFolder");
}

void CDlgVCardImport::_BrowseFiles() {
  if (FirstPageParts::BrowseFiles(m_hWnd, kFilesFilter))
    m_files = GetDlgItemString(m_hWnd, IDC_TXT_WIN_FLD);
}

LRESULT CDlgVCardImport::OnBrowseFiles(WORD, WORD, HWND, BOOL&) {
  _BrowseFiles();
  return 0;
}

void CDlgVCardImport::_ReadFilesText() {
  m_files = AsciiText::Trim(GetDlgItemString(m_hWnd, IDC_TXT_WIN_FLD));
}

bool CDlgVCardImport::_ValidateFiles(bool messages) {
  return FirstPageParts::FilesExist(m_hWnd, m_files, messages);
}

LRESULT CDlgVCardImport::OnNext(WORD, WORD, HWND, BOOL&) {
  _ReadFilesText();
  if (!_ValidateFiles(false)) {
    _BrowseFiles();
    _ReadFilesText();
    if (!_ValidateFiles(true)) return 0;
  }
  if (!HaveOutlookFolder()) return 0;
  PageOptions(m_optionsKey).WriteString(kFolderValue, m_files);
  EndDialog(IDOK);
  return 0;
}

LRESULT CDlgVCardImport::OnChangeOptions(WORD, WORD, HWND, BOOL&) {
  CDlgVCardImportOptions dlg(m_app, m_conflictResolution, m_filterMask, m_filterCategories);
  if (dlg.DoModal(m_hWnd) != IDOK) return 0;
  m_conflictResolution = dlg.m_conflictResolution;
  m_filterMask = dlg.m_filterMask;
  m_filterCategories = dlg.m_filterCategories;
  const PageOptions options(m_optionsKey);
  options.WriteDword(kConflictValue, static_cast<DWORD>(m_conflictResolution));
  options.WriteDword(kFilterValue, m_filterMask);
  options.WriteString(kCategoriesValue, m_filterCategories);
  _UpdateOptionTexts();
  return 0;
}
