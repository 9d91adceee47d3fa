#include "calendar/CDlgVCalImportOptions.h"

#include "addin/CLang.h"
#include "addin/LinkCommands.h"
#include "calendar/TimezoneList.h"
#include "calendar/TimezoneRules.h"

namespace {

constexpr LocalizeRecord kLocalizeTable[] = {
    {LOCALIZE_LABEL, IDC_LBL1, "IDC_LBL1", 0},
    {LOCALIZE_LABEL, IDC_LBL2, "IDC_LBL2", 0},
    {LOCALIZE_FRAME, IDC_FRA1, "IDC_FRA1", 0},
    {LOCALIZE_OPTION, IDC_OPT_REPLACE, "IDC_OPT_REPLACE", LOCALIZE_RUNTIME_TEXT},
    {LOCALIZE_OPTION, IDC_OPT_LEAVE, "IDC_OPT_LEAVE", LOCALIZE_RUNTIME_TEXT},
    {LOCALIZE_OPTION, IDC_OPT_DUPLICATE, "IDC_OPT_DUPLICATE", LOCALIZE_RUNTIME_TEXT},
    {LOCALIZE_FRAME, IDC_FRA2, "IDC_FRA2", 0},
    {LOCALIZE_LABEL, IDC_LBL3, "IDC_LBL3", 0},
    {LOCALIZE_COMBO, IDC_CBO_TIMEZONE, "IDC_CBO_TIMEZONE", 0},
    {LOCALIZE_BUTTON, IDHELP, "IDHELP", 0},
    {LOCALIZE_BUTTON, IDOK, "IDOK", 0},
    {LOCALIZE_BUTTON, IDCANCEL, "IDCANCEL", 0},
};

constexpr LPARAM kOwnZone = -1;

}  // namespace

CDlgVCalImportOptions::CDlgVCalImportOptions(int conflict, const TimezoneStruct& zone,
                                             const std::string& zoneName)
    : WizardPage(help_topics::kImportEvents),
      m_conflict(conflict),
      m_zone(zone),
      m_zoneName(zoneName) {
  int count = 0;
  if (GetAllTimezones(&m_zones, &count) != ERROR_SUCCESS) m_zones.clear();
}

LRESULT CDlgVCalImportOptions::OnInitDialog(UINT message, WPARAM wParam, LPARAM lParam,
                                            BOOL& handled) {
  InitPage(message, wParam, lParam, handled, kLocalizeTable, "IDD_VCAL_IMPORT_OPTIONS");
  SetDlgItemText(IDC_OPT_REPLACE, g_Lang.GetText("IDS_VCALIMPORT_CONFLICT_REPLACE").c_str());
  SetDlgItemText(IDC_OPT_LEAVE, g_Lang.GetText("IDS_VCALIMPORT_CONFLICT_LEAVE").c_str());
  SetDlgItemText(IDC_OPT_DUPLICATE, g_Lang.GetText("IDS_VCALIMPORT_CONFLICT_DUPLICATE").c_str());
  const int checked = m_conflict == 1   ? IDC_OPT_REPLACE
                      : m_conflict == 2 ? IDC_OPT_LEAVE
                                        : IDC_OPT_DUPLICATE;
  CheckDlgButton(checked, BST_CHECKED);
  for (size_t i = 0; i < m_zones.size(); ++i) {
    const LRESULT item =
        SendDlgItemMessage(IDC_CBO_TIMEZONE, CB_ADDSTRING, 0,
                           reinterpret_cast<LPARAM>(m_zones[i].displayName.c_str()));
    SendDlgItemMessage(IDC_CBO_TIMEZONE, CB_SETITEMDATA, item, static_cast<LPARAM>(i));
  }
  _SelectZone();
  return TRUE;
}

void CDlgVCalImportOptions::_SelectZone() {
  int chosen = -1;
  for (size_t i = 0; i < m_zones.size(); ++i) {
    if (!IsSameTimezone(m_zones[i].zone, m_zone)) continue;
    if (m_zones[i].displayName == m_zoneName) {
      chosen = static_cast<int>(i);
      break;
    }
    chosen = static_cast<int>(i);
  }
  if (chosen < 0) {
    chosen = static_cast<int>(SendDlgItemMessage(IDC_CBO_TIMEZONE, CB_ADDSTRING, 0,
                                                 reinterpret_cast<LPARAM>(m_zoneName.c_str())));
    SendDlgItemMessage(IDC_CBO_TIMEZONE, CB_SETITEMDATA, chosen, kOwnZone);
  }
  SendDlgItemMessage(IDC_CBO_TIMEZONE, CB_SETCURSEL, chosen, 0);
}

LRESULT CDlgVCalImportOptions::OnOK(WORD, WORD, HWND, BOOL&) {
  m_conflict = IsDlgButtonChecked(IDC_OPT_REPLACE) == BST_CHECKED ? 1
               : IsDlgButtonChecked(IDC_OPT_LEAVE) == BST_CHECKED ? 2
                                                                  : 0;
  const LRESULT selected = SendDlgItemMessage(IDC_CBO_TIMEZONE, CB_GETCURSEL, 0, 0);
  if (selected != CB_ERR) {
    const LRESULT data = SendDlgItemMessage(IDC_CBO_TIMEZONE, CB_GETITEMDATA, selected, 0);
    if (data >= 0 && static_cast<size_t>(data) < m_zones.size()) {
      m_zone = m_zones[static_cast<size_t>(data)].zone;
      m_zoneName = m_zones[static_cast<size_t>(data)].displayName;
    }
  }
  EndDialog(IDOK);
  return 0;
}
