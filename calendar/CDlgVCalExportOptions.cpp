#include "calendar/CDlgVCalExportOptions.h"

#include "addin/CLang.h"
#include "addin/LinkCommands.h"
#include "calendar/CvCalExport.h"
#include "contacts/EncodingNames.h"

namespace {

constexpr LocalizeRecord kLocalizeTable[] = {
    {LOCALIZE_LABEL, IDC_LBL1, "IDC_LBL1", 0},
    {LOCALIZE_LABEL, IDC_LBL2, "IDC_LBL2", 0},
    {LOCALIZE_FRAME, IDC_FRA1, "IDC_FRA1", 0},
    {LOCALIZE_CHECKBOX, IDC_CHK_OVERWRITE, "IDC_CHK_OVERWRITE", 0},
    {LOCALIZE_FRAME, IDC_FRA2, "IDC_FRA2", 0},
    {LOCALIZE_OPTION, IDC_OPT_VCAL10, "IDC_OPT_VCAL10", 0},
    {LOCALIZE_LABEL, IDC_LBL3, "IDC_LBL3", 0},
    {LOCALIZE_OPTION, IDC_OPT_VCAL20, "IDC_OPT_VCAL20", 0},
    {LOCALIZE_FRAME, IDC_FRA3, "IDC_FRA3", 0},
    {LOCALIZE_LABEL, IDC_LBL4, "IDC_LBL4", 0},
    {LOCALIZE_COMBO, IDC_CBO_ENCODING, "IDC_CBO_ENCODING", 0},
    {LOCALIZE_LABEL, IDC_LBL5, "IDC_LBL5", 0},
    {LOCALIZE_BUTTON, IDHELP, "IDHELP", 0},
    {LOCALIZE_BUTTON, IDOK, "IDOK", 0},
    {LOCALIZE_BUTTON, IDCANCEL, "IDCANCEL", 0},
};

}  // namespace

CDlgVCalExportOptions::CDlgVCalExportOptions(bool overwrite, int format,
                                             const std::string& encoding)
    : WizardPage(help_topics::kExportEvents),
      m_overwrite(overwrite),
      m_format(format),
      m_encoding(encoding) {}

LRESULT CDlgVCalExportOptions::OnInitDialog(UINT message, WPARAM wParam, LPARAM lParam,
                                            BOOL& handled) {
  InitPage(message, wParam, lParam, handled, kLocalizeTable, "IDD_VCAL_EXPORT_OPTIONS");
  CheckDlgButton(IDC_CHK_OVERWRITE, m_overwrite ? BST_CHECKED : BST_UNCHECKED);
  CheckDlgButton(m_format == CvCalExport::kICalendar20 ? IDC_OPT_VCAL20 : IDC_OPT_VCAL10,
                 BST_CHECKED);
  EncodingNames::FillCombo(m_hWnd, IDC_CBO_ENCODING, m_encoding, true);
  return TRUE;
}

LRESULT CDlgVCalExportOptions::OnOK(WORD, WORD, HWND, BOOL&) {
  m_overwrite = IsDlgButtonChecked(IDC_CHK_OVERWRITE) == BST_CHECKED;
  m_format = IsDlgButtonChecked(IDC_OPT_VCAL20) == BST_CHECKED ? CvCalExport::kICalendar20
                                                               : CvCalExport::kVCalendar10;
  m_encoding = EncodingNames::ReadCombo(m_hWnd, IDC_CBO_ENCODING, m_encoding);
  EndDialog(IDOK);
  return 0;
}
