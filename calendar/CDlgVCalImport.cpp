#include "calendar/CDlgVCalImport.h"

#include "addin/AsciiText.h"
#include "addin/CLang.h"
#include "addin/FirstPageParts.h"
#include "addin/LinkCommands.h"
#include "addin/OutlookFolderChoice.h"
#include "addin/PageOptions.h"
#include "addin/PageText.h"
#include "addin/SetDlgItemFont.h"
#include "calendar/CDlgVCalImportOptions.h"
#include "calendar/GmtOffsetName.h"
#include "calendar/SystemTimezone.h"
#include "calendar/TimezoneList.h"

namespace {

constexpr const char* kSection = "IDD_VCAL_IMPORT";
constexpr const char* kFunction = "CDlgVCalImport::CDlgVCalImport";
constexpr const char* kFilesFilter = "VCal (*.vcs;*.ics)|*.vcs;*.ics||";

constexpr LocalizeRecord kLocalizeTable[] = {
    {LOCALIZE_LABEL, IDC_LBL, "IDC_LBL", 0},
    {LOCALIZE_FRAME, IDC_FRA_FOLDERS, "IDC_FRA_FOLDERS", 0},
    {LOCALIZE_LABEL, IDC_LBL_FRA_FOLDERS, "IDC_LBL_FRA_FOLDERS", LOCALIZE_RUNTIME_TEXT},
    {LOCALIZE_LABEL, IDC_LABEL1, "IDC_LABEL1", 0},
    {LOCALIZE_EDIT, IDC_TXT_WIN_FLD, "IDC_TXT_WIN_FLD", 0},
    {LOCALIZE_BUTTON, IDC_BTN_WIN_FLD, "IDC_BTN_WIN_FLD", LOCALIZE_RUNTIME_TEXT},
    {LOCALIZE_LABEL, IDC_LABEL2, "IDC_LABEL2", 0},
    {LOCALIZE_EDIT, IDC_TXT_OL_FLD, "IDC_TXT_OL_FLD", 0},
    {LOCALIZE_BUTTON, IDC_BTN_OL_FLD, "IDC_BTN_OL_FLD", LOCALIZE_RUNTIME_TEXT},
    {LOCALIZE_FRAME, IDC_FRA_OPTIONS, "IDC_FRA_OPTIONS", 0},
    {LOCALIZE_LABEL, IDC_LABEL3, "IDC_LABEL3", 0},
    {LOCALIZE_LABEL, IDC_LBL_CR, "IDC_LBL_CR", LOCALIZE_RUNTIME_TEXT},
    {LOCALIZE_EDIT, IDC_TXT_CR, "IDC_TXT_CR", 0},
    {LOCALIZE_LABEL, IDC_LABEL4, "IDC_LABEL4", 0},
    {LOCALIZE_LABEL, IDC_LBL_TIMEZONE, "IDC_LBL_TIMEZONE", LOCALIZE_RUNTIME_TEXT},
    {LOCALIZE_BUTTON, IDC_BTN_OPTIONS, "IDC_BTN_OPTIONS", 0},
    {LOCALIZE_LABEL, IDC_LBL_CLICK1, "IDC_LBL_CLICK1", 0},
    {LOCALIZE_LABEL, IDC_LBL_CLICK2, "IDC_LBL_CLICK2", 0},
    {LOCALIZE_LABEL, IDC_LBL_CLICK3, "IDC_LBL_CLICK3", 0},
    {LOCALIZE_LABEL, IDC_LBL_CLICK4, "IDC_LBL_CLICK4", LOCALIZE_RUNTIME_TEXT},
    {LOCALIZE_BUTTON, IDHELP, "IDHELP", 0},
    {LOCALIZE_BUTTON, IDOK, "IDOK", 0},
    {LOCALIZE_BUTTON, IDC_BTN_IMPORT_ALL, "IDC_BTN_IMPORT_ALL", 0},
    {LOCALIZE_BUTTON, IDCANCEL, "IDCANCEL", 0},
};

// Registry values of the page.
constexpr const char* kFolderValue = "Appointments.Import.Folder";
constexpr const char* kConflictValue = "Appointments.Import.ConflictResolution";
constexpr const char* kZoneIsSystemValue = "Appointments.Import.TZDefault";
constexpr const char* kZoneValue = "Appointments.Import.TZ";
constexpr const char* kZoneNameValue = "Appointments.Import.TZName";

const OutlookFolderChoice& Calendars() {
  static const OutlookFolderChoice choice(OutlookFolderChoice::kCalendar);
  return choice;
}

const char* ConflictKey(int conflict) {
  switch (conflict) {
    case 1:
      return "IDS_VCALIMPORT_CONFLICT_REPLACE";
    case 2:
      return "IDS_VCALIMPORT_CONFLICT_LEAVE";
    default:
      return "IDS_VCALIMPORT_CONFLICT_DUPLICATE";
  }
}

}  // namespace

CDlgVCalImport::CDlgVCalImport(Outlook::_Application* app, HKEY* optionsKey,
                               Outlook::MAPIFolder* folder)
    : WizardFirstPage(help_topics::kImportEvents, app, optionsKey) {
  _LoadOptions();
  m_folder = Calendars().Initial(m_app, kFunction, folder).folder;
}

void CDlgVCalImport::_LoadOptions() {
  const PageOptions options(m_optionsKey);
  m_files = options.ReadString(kFolderValue, "", PageOptions::kAnyLength, true);
  m_conflict = static_cast<int>(options.ReadDword(kConflictValue, 0));
  GetSystemTimezone(&m_zone);
  m_zoneName.clear();
  if (options.ReadDword(kZoneIsSystemValue, 1) == 0) {
    // A name belongs to the stored zone only.
    if (options.ReadBinary(kZoneValue, &m_zone, sizeof m_zone))
      m_zoneName = options.ReadString(kZoneNameValue, "", PageOptions::kAnyLength);
  }
  if (m_zoneName.empty()) FindTimezoneName(m_zone, &m_zoneName);
  if (m_zoneName.empty())
    m_zoneName = GmtOffsetName(static_cast<long long>(m_zone.Bias) + m_zone.StandardBias);
}

LRESULT CDlgVCalImport::OnInitDialog(UINT message, WPARAM wParam, LPARAM lParam, BOOL& handled) {
  InitPage(message, wParam, lParam, handled, kLocalizeTable, kSection);
  FirstPageParts::ShowOutlookFolder(m_hWnd, OutlookFolderChoice::PathOf(m_folder));
  SetDlgItemText(IDC_TXT_WIN_FLD, m_files.c_str());
  _UpdateOptionTexts();
  SetFolderButtonPictures(IDI_OL_CAL_FOLDER);
  m_boldFont.Reset(SetDlgItemFont(m_hWnd, IDC_LBL_CLICK2, TRUE, FALSE, FALSE));
  m_tooltip = FirstPageParts::AttachTooltip(m_hWnd, IDC_BTN_IMPORT_ALL, "IDS_IMPORT_ALL_TOOLTIP");
  return TRUE;
}

void CDlgVCalImport::_UpdateOptionTexts() {
  const std::string conflict = g_Lang.GetText(ConflictKey(m_conflict));
  SetDlgItemText(IDC_LBL_CR, conflict.c_str());
  SetDlgItemText(IDC_TXT_CR, conflict.c_str());
  SetDlgItemText(IDC_LBL_TIMEZONE, m_zoneName.c_str());
}

std::span<const int> CDlgVCalImport::_WindowColoured() {
  static constexpr int kIds[] = {
      IDC_BTN_OPTIONS, IDC_TXT_OL_FLD, IDC_PANEL,        IDC_LABEL1,          IDC_FRA_OPTIONS,
      IDC_LABEL2,      IDC_LABEL3,     IDC_LABEL4,       IDC_FRA_FOLDERS,     IDC_LBL,
      IDC_LBL_CR,      IDC_TXT_CR,     IDC_LBL_TIMEZONE, IDC_LBL_FRA_FOLDERS, IDC_LBL_CLICK1,
      IDC_LBL_CLICK2,  IDC_LBL_CLICK3, IDC_LBL_CLICK4};
  return kIds;
}

void CDlgVCalImport::_PickOutlookFolder() {
  FirstPageParts::PickOutlookFolder(m_hWnd, m_app, Calendars(), m_folder,
                                    "CDlgVCalImport::OnClickedBtnOlFld");
}

LRESULT CDlgVCalImport::OnBrowseFiles(WORD, WORD, HWND, BOOL&) {
  if (FirstPageParts::BrowseFiles(m_hWnd, kFilesFilter))
    m_files = GetDlgItemString(m_hWnd, IDC_TXT_WIN_FLD);
  return 0;
}

LRESULT CDlgVCalImport::OnNext(WORD, WORD id, HWND, BOOL&) {
  m_files = AsciiText::Trim(GetDlgItemString(m_hWnd, IDC_TXT_WIN_FLD));
  if (!FirstPageParts::FilesExist(m_hWnd, m_files, false)) {
    FirstPageParts::BrowseFiles(m_hWnd, kFilesFilter);
    m_files = AsciiText::Trim(GetDlgItemString(m_hWnd, IDC_TXT_WIN_FLD));
    if (!FirstPageParts::FilesExist(m_hWnd, m_files, true)) return 0;
  }
  if (!HaveOutlookFolder()) return 0;
  PageOptions(m_optionsKey).WriteString(kFolderValue, m_files);
  m_gotoFilter = id == IDOK;
  EndDialog(IDOK);
  return 0;
}

LRESULT CDlgVCalImport::OnChangeOptions(WORD, WORD, HWND, BOOL&) {
  CDlgVCalImportOptions dlg(m_conflict, m_zone, m_zoneName);
  if (dlg.DoModal(m_hWnd) != IDOK) return 0;
  m_conflict = dlg.m_conflict;
  m_zone = dlg.m_zone;
  m_zoneName = dlg.m_zoneName;
  const PageOptions options(m_optionsKey);
  options.WriteDword(kConflictValue, static_cast<DWORD>(m_conflict));
  options.WriteBinary(kZoneValue, &m_zone, sizeof m_zone);
  options.WriteString(kZoneNameValue, m_zoneName);
  options.WriteDword(kZoneIsSystemValue, IsSystemTimezone(m_zone) ? 1 : 0);
  _UpdateOptionTexts();
  return 0;
}
