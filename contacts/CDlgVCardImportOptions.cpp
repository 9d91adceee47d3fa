#include "contacts/CDlgVCardImportOptions.h"

#include "addin/CLang.h"
#include "addin/LinkCommands.h"
#include "contacts/CDlgVCardImport.h"
#include "contacts/ContactFilterControls.h"

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
    {LOCALIZE_OPTION, IDC_OPT_REPLACE, "IDC_OPT_REPLACE", LOCALIZE_RUNTIME_TEXT},
    {LOCALIZE_OPTION, IDC_OPT_LEAVE, "IDC_OPT_LEAVE", LOCALIZE_RUNTIME_TEXT},
    {LOCALIZE_OPTION, IDC_OPT_DUPLICATE, "IDC_OPT_DUPLICATE", LOCALIZE_RUNTIME_TEXT},
    {LOCALIZE_BUTTON, IDHELP, "IDHELP", 0},
    {LOCALIZE_BUTTON, IDOK, "IDOK", 0},
    {LOCALIZE_BUTTON, IDCANCEL, "IDCANCEL", 0},
};

struct ConflictChoice {
  int radio;
  int conflict;
  const char* key;
};

constexpr ConflictChoice kConflictChoices[] = {
    {IDC_OPT_DUPLICATE, CDlgVCardImport::kImportAsNew, "IDS_VCARDIMPORT_CONFLICT_DUPLICATE"},
    {IDC_OPT_REPLACE, CDlgVCardImport::kReplaceExisting, "IDS_VCARDIMPORT_CONFLICT_REPLACE"},
    {IDC_OPT_LEAVE, CDlgVCardImport::kLeaveExisting, "IDS_VCARDIMPORT_CONFLICT_LEAVE"},
};

// The radio of a conflict code; any code not offered shows as the first choice.
int RadioOf(int conflict) {
  for (const ConflictChoice& choice : kConflictChoices)
    if (choice.conflict == conflict) return choice.radio;
  return IDC_OPT_DUPLICATE;
}

}  // namespace

CDlgVCardImportOptions::CDlgVCardImportOptions(Outlook::_Application* app, int conflictResolution,
                                               DWORD filterMask,
                                               const std::string& filterCategories)
    : ContactOptionsPage(help_topics::kImportContacts,
                         "CDlgVCardImportOptions::OnClickedBtnCategories"),
      m_app(app),
      m_conflictResolution(conflictResolution),
      m_filterMask(filterMask),
      m_filterCategories(filterCategories) {}

LRESULT CDlgVCardImportOptions::OnInitDialog(UINT message, WPARAM wParam, LPARAM lParam,
                                             BOOL& handled) {
  InitPage(message, wParam, lParam, handled, kLocalizeTable, "IDD_VCARD_IMPORT_OPTIONS");
  for (const ConflictChoice& choice : kConflictChoices)
    SetDlgItemText(choice.radio, g_Lang.GetText(choice.key).c_str());
  ContactFilterControls::Show(m_hWnd, m_filterMask, m_filterCategories);
  CheckDlgButton(RadioOf(m_conflictResolution), BST_CHECKED);
  return TRUE;
}

LRESULT CDlgVCardImportOptions::OnOK(WORD, WORD, HWND, BOOL&) {
  if (!ContactFilterControls::Read(m_hWnd, m_filterMask, m_filterCategories)) return 0;
  m_conflictResolution = CDlgVCardImport::kImportAsNew;
  for (const ConflictChoice& choice : kConflictChoices)
    if (IsDlgButtonChecked(choice.radio) == BST_CHECKED) m_conflictResolution = choice.conflict;
  EndDialog(IDOK);
  return 0;
}
