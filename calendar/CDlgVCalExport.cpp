#include "calendar/CDlgVCalExport.h"

#include <cstring>

#include "addin/CLang.h"
#include "addin/FirstPageParts.h"
#include "addin/LinkCommands.h"
#include "addin/OutlookFolderChoice.h"
#include "addin/PageOptions.h"
#include "addin/PageText.h"
#include "addin/SetDlgItemFont.h"
#include "calendar/CDlgVCalExportOptions.h"
#include "calendar/CvCalExport.h"
#include "contacts/EncodingNames.h"

namespace {

constexpr const char* kSection = "IDD_VCAL_EXPORT";
constexpr const char* kFunction = "CDlgVCalExport::CDlgVCalExport";

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
    {LOCALIZE_LABEL, IDC_LABEL4, "IDC_LABEL4", 0},
    {LOCALIZE_LABEL, IDC_LBL_OVERWRITE, "IDC_LBL_OVERWRITE", LOCALIZE_RUNTIME_TEXT},
    {LOCALIZE_LABEL, IDC_LABEL5, "IDC_LABEL5", 0},
    {LOCALIZE_LABEL, IDC_LBL_FORMAT, "IDC_LBL_FORMAT", LOCALIZE_RUNTIME_TEXT},
    {LOCALIZE_LABEL, IDC_LABEL6, "IDC_LABEL6", 0},
    {LOCALIZE_LABEL, IDC_LBL_ENCODING, "IDC_LBL_ENCODING", LOCALIZE_RUNTIME_TEXT},
    {LOCALIZE_BUTTON, IDC_BTN_OPTIONS, "IDC_BTN_OPTIONS", 0},
    {LOCALIZE_LABEL, IDC_LBL_CLICK1, "IDC_LBL_CLICK1", 0},
    {LOCALIZE_LABEL, IDC_LBL_CLICK2, "IDC_LBL_CLICK2", 0},
    {LOCALIZE_LABEL, IDC_LBL_CLICK3, "IDC_LBL_CLICK3", 0},
    {LOCALIZE_LABEL, IDC_LBL_CLICK4, "IDC_LBL_CLICK4", LOCALIZE_RUNTIME_TEXT},
    {LOCALIZE_BUTTON, IDHELP, "IDHELP", 0},
    {LOCALIZE_BUTTON, IDOK, "IDOK", 0},
    {LOCALIZE_BUTTON, IDC_BTN_EXPORT_ALL, "IDC_BTN_EXPORT_ALL", 0},
    {LOCALIZE_BUTTON, IDCANCEL, "IDCANCEL", 0},
};

// Registry values of the page.
constexpr const char* kFolderValue = "Appointments.Export.Folder";
constexpr const char* kOneFileValue = "Appointments.Export.OneFile";
constexpr const char* kFormatValue = "Appointments.Export.Format";
constexpr const char* kEncodingValue = "Appointments.Export.Encoding";
constexpr const char* kOverwriteValue = "Appointments.Export.Overwrite";

constexpr DWORD kFolderBytes = MAX_PATH;
constexpr DWORD kEncodingBytes = 256;

const OutlookFolderChoice& Calendars() {
  static const OutlookFolderChoice choice(OutlookFolderChoice::kCalendar);
  return choice;
}

}  // namespace

CDlgVCalExport::CDlgVCalExport(Outlook::_Application* app, HKEY* optionsKey,
                               Outlook::MAPIFolder* folder, bool wantSelected)
    : WizardFirstPage(help_topics::kExportEvents, app, optionsKey) {
  _LoadOptions();
  const OutlookFolderChoice::Start start = Calendars().Initial(m_app, kFunction, folder);
  m_folder = start.folder;
  m_selectionAvailable = start.isExplorerFolder && start.selectedItems > 0;
  m_exportSelected = m_selectionAvailable && start.selectedItems > 1 && wantSelected;
}

void CDlgVCalExport::_LoadOptions() {
  const PageOptions options(m_optionsKey);
  const std::string folder = options.ReadString(kFolderValue, "", kFolderBytes);
  std::strncpy(m_windowsFolder, folder.c_str(), sizeof m_windowsFolder - 1);
  m_oneFile = options.ReadDword(kOneFileValue, 1) != 0;
  const DWORD format = options.ReadDword(kFormatValue, CvCalExport::kVCalendar10);
  m_format =
      format == CvCalExport::kICalendar20 ? CvCalExport::kICalendar20 : CvCalExport::kVCalendar10;
  m_encoding = EncodingNames::KnownOrFirst(
      options.ReadString(kEncodingValue, EncodingNames::First().c_str(), kEncodingBytes));
  m_overwrite = options.ReadDword(kOverwriteValue, 0) != 0;
}

LRESULT CDlgVCalExport::OnInitDialog(UINT message, WPARAM wParam, LPARAM lParam, BOOL& handled) {
  InitPage(message, wParam, lParam, handled, kLocalizeTable, kSection);
  SetDlgItemText(IDC_TXT_WIN_FLD, m_windowsFolder);
  CheckDlgButton(IDC_CHK_SAVE_ONE_FILE, m_oneFile ? BST_CHECKED : BST_UNCHECKED);
  FirstPageParts::ShowOutlookFolder(m_hWnd, OutlookFolderChoice::PathOf(m_folder));
  ::EnableWindow(GetDlgItem(IDC_CHK_EXPORT_SELECTED), m_selectionAvailable ? TRUE : FALSE);
  CheckDlgButton(IDC_CHK_EXPORT_SELECTED, m_exportSelected ? BST_CHECKED : BST_UNCHECKED);
  _UpdateOptionTexts();
  SetFolderButtonPictures(IDI_OL_CAL_FOLDER);
  m_boldFont.Reset(SetDlgItemFont(m_hWnd, IDC_LBL_CLICK2, TRUE, FALSE, FALSE));
  m_tooltip = FirstPageParts::AttachTooltip(m_hWnd, IDC_BTN_EXPORT_ALL, "IDS_EXPORT_ALL_TOOLTIP");
  return TRUE;
}

void CDlgVCalExport::_UpdateOptionTexts() {
  SetDlgItemText(IDC_LBL_OVERWRITE, FirstPageParts::YesNo(m_overwrite).c_str());
  SetDlgItemText(IDC_LBL_FORMAT, m_format == CvCalExport::kICalendar20 ? "iCalendar" : "vCalendar");
  SetDlgItemText(IDC_LBL_ENCODING, m_encoding.c_str());
}

std::span<const int> CDlgVCalExport::_WindowColoured() {
  static constexpr int kIds[] = {IDC_LBL_OVERWRITE,
                                 IDC_LBL_FORMAT,
                                 IDC_LBL_ENCODING,
                                 IDC_BTN_OPTIONS,
                                 IDC_TXT_OL_FLD,
                                 IDC_CHK_SAVE_ONE_FILE,
                                 IDC_CHK_EXPORT_SELECTED,
                                 IDC_PANEL,
                                 IDC_LABEL1,
                                 IDC_FRA_OPTIONS,
                                 IDC_LABEL2,
                                 IDC_LABEL4,
                                 IDC_LABEL5,
                                 IDC_LABEL6,
                                 IDC_FRA_FOLDERS,
                                 IDC_LBL,
                                 IDC_LBL_CLICK1,
                                 IDC_LBL_CLICK2,
                                 IDC_LBL_CLICK3,
                                 IDC_LBL_CLICK4};
  return kIds;
}

void CDlgVCalExport::_PickOutlookFolder() {
  if (!FirstPageParts::PickOutlookFolder(m_hWnd, m_app, Calendars(), m_folder,
                                         "CDlgVCalExport::OnClickedBtnOlFld"))
    return;
  const bool offered =
      Calendars().SelectedItemsIn(m_app, m_folder, "CDlgVCalExport::OnClickedBtnOlFld") > 0;
  m_selectionAvailable = offered;
  ::EnableWindow(GetDlgItem(IDC_CHK_EXPORT_SELECTED), offered ? TRUE : FALSE);
  if (!offered) CheckDlgButton(IDC_CHK_EXPORT_SELECTED, BST_UNCHECKED);
}

LRESULT CDlgVCalExport::OnBrowseFolder(WORD, WORD, HWND, BOOL&) {
  FirstPageParts::BrowseWindowsFolder(m_hWnd, "IDS_CF_EXPORT");
  return 0;
}

LRESULT CDlgVCalExport::OnNext(WORD, WORD id, HWND, BOOL&) {
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
  m_gotoFilter = id == IDOK;
  EndDialog(IDOK);
  return 0;
}

LRESULT CDlgVCalExport::OnChangeOptions(WORD, WORD, HWND, BOOL&) {
  CDlgVCalExportOptions dlg(m_overwrite, m_format, m_encoding);
  if (dlg.DoModal(m_hWnd) != IDOK) return 0;
  m_overwrite = dlg.m_overwrite;
  m_format = dlg.m_format;
  m_encoding = dlg.m_encoding;
  const PageOptions options(m_optionsKey);
  options.WriteDword(kFormatValue, static_cast<DWORD>(m_format));
  options.WriteString(kEncodingValue, m_encoding);
  options.WriteDword(kOverwriteValue, m_overwrite ? 1 : 0);
  _UpdateOptionTexts();
  return 0;
}
