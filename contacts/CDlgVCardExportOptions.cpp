#include "contacts/CDlgVCardExportOptions.h"

#include <vector>

#include "addin/CLang.h"
#include "addin/LinkCommands.h"
#include "contacts/CDlgVCardExport.h"
#include "contacts/ContactFilterControls.h"
#include "contacts/EncodingNames.h"

namespace {

constexpr LocalizeRecord kLocalizeTable[] = {
    {LOCALIZE_FRAME, IDC_FRA_FILTER, "IDC_FRA_FILTER", 0},
    {LOCALIZE_CHECKBOX, IDC_CHK_IGNORE_PRIVATES, "IDC_CHK_IGNORE_PRIVATES", 0},
    {LOCALIZE_CHECKBOX, IDC_CHK_CATEGORIES, "IDC_CHK_CATEGORIES", 0},
    {LOCALIZE_COMBO, IDC_CBO_LUDE_CATEGORIES, "IDC_CBO_LUDE_CATEGORIES", 0},
    {LOCALIZE_LABEL, IDC_LBL_CHK_CATEGORIES_END, "IDC_LBL_CHK_CATEGORIES_END", 0},
    {LOCALIZE_BUTTON, IDC_BTN_CATEGORIES, "IDC_BTN_CATEGORIES", 0},
    {LOCALIZE_EDIT, IDC_TXT_CATEGORIES, "IDC_TXT_CATEGORIES", 0},
    {LOCALIZE_FRAME, IDC_FRA2, "IDC_FRA2", 0},
    {LOCALIZE_CHECKBOX, IDC_CHK_OVERWRITE, "IDC_CHK_OVERWRITE", 0},
    {LOCALIZE_FRAME, IDC_FRA3, "IDC_FRA3", 0},
    {LOCALIZE_OPTION, IDC_OPT_VCARD21, "IDC_OPT_VCARD21", 0},
    {LOCALIZE_LABEL, IDC_LBL1, "IDC_LBL1", 0},
    {LOCALIZE_OPTION, IDC_OPT_VCARD30, "IDC_OPT_VCARD30", 0},
    {LOCALIZE_LABEL, IDC_LBL2, "IDC_LBL2", 0},
    {LOCALIZE_FRAME, IDC_FRA4, "IDC_FRA4", 0},
    {LOCALIZE_LABEL, IDC_LBL3, "IDC_LBL3", 0},
    {LOCALIZE_COMBO, IDC_CBO_ENCODING, "IDC_CBO_ENCODING", 0},
    {LOCALIZE_LABEL, IDC_LBL4, "IDC_LBL4", 0},
    {LOCALIZE_BUTTON, IDHELP, "IDHELP", 0},
    {LOCALIZE_BUTTON, IDOK, "IDOK", 0},
    {LOCALIZE_BUTTON, IDCANCEL, "IDCANCEL", 0},
};

}  // namespace

CDlgVCardExportOptions::CDlgVCardExportOptions(Outlook::_Application* app, bool overwrite,
                                               int formatChoice, DWORD filterMask,
                                               const std::string& filterCategories,
                                               const std::string& encoding)
    : ContactOptionsPage(help_topics::kExportContacts,
                         "CDlgVCardExportOptions::OnClickedBtnCategories"),
      m_app(app),
      m_overwrite(overwrite),
      m_formatChoice(formatChoice),
      m_filterMask(filterMask),
      m_filterCategories(filterCategories),
      m_encoding(encoding) {}

LRESULT CDlgVCardExportOptions::OnInitDialog(UINT message, WPARAM wParam, LPARAM lParam,
                                             BOOL& handled) {
  InitPage(message, wParam, lParam, handled, kLocalizeTable, "IDD_VCARD_EXPORT_OPTIONS");
  ContactFilterControls::Show(m_hWnd, m_filterMask, m_filterCategories);
  CheckDlgButton(IDC_CHK_OVERWRITE, m_overwrite ? BST_CHECKED : BST_UNCHECKED);
  CheckDlgButton(m_formatChoice == CDlgVCardExport::kVCard30 ? IDC_OPT_VCARD30 : IDC_OPT_VCARD21,
                 BST_CHECKED);
  EncodingNames::FillCombo(m_hWnd, IDC_CBO_ENCODING, m_encoding, false);
  return TRUE;
}

LRESULT CDlgVCardExportOptions::OnOK(WORD, WORD, HWND, BOOL&) {
  if (!ContactFilterControls::Read(m_hWnd, m_filterMask, m_filterCategories)) return 0;
  m_overwrite = IsDlgButtonChecked(IDC_CHK_OVERWRITE) == BST_CHECKED;
  m_formatChoice = IsDlgButtonChecked(IDC_OPT_VCARD30) == BST_CHECKED ? CDlgVCardExport::kVCard30
                                                                      : CDlgVCardExport::kVCard21;
  m_encoding = EncodingNames::ReadCombo(m_hWnd, IDC_CBO_ENCODING, m_encoding);
  EndDialog(IDOK);
  return 0;
}
