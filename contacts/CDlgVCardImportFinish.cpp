#include "contacts/CDlgVCardImportFinish.h"

#include <string>

#include "addin/CLang.h"
#include "addin/CLogTimer.h"
#include "addin/LinkCommands.h"
#include "addin/LogComError.h"
#include "addin/PageOptions.h"

namespace {

constexpr LocalizeRecord kLocalizeTable[] = {
    {LOCALIZE_LABEL, IDC_LABEL_BOLD, "IDC_LABEL_BOLD", 0},
    {LOCALIZE_LABEL, IDC_LBL2, "IDC_LBL2", 0},
    {LOCALIZE_LABEL, IDC_LBL_STATUS, "IDC_LBL_STATUS", LOCALIZE_RUNTIME_TEXT},
    {LOCALIZE_LABEL, IDC_LABEL1, "IDC_LABEL1", 0},
    {LOCALIZE_LABEL, IDC_LBL_NUM_SELECTED, "IDC_LBL_NUM_SELECTED", LOCALIZE_RUNTIME_TEXT},
    {LOCALIZE_LABEL, IDC_LABEL2, "IDC_LABEL2", 0},
    {LOCALIZE_LABEL, IDC_LBL_NUM_IMPORTED, "IDC_LBL_NUM_IMPORTED", LOCALIZE_RUNTIME_TEXT},
    {LOCALIZE_LABEL, IDC_LABEL3, "IDC_LABEL3", 0},
    {LOCALIZE_LABEL, IDC_LBL_NUM_FAILURES, "IDC_LBL_NUM_FAILURES", LOCALIZE_RUNTIME_TEXT},
    {LOCALIZE_LABEL, IDC_LBL_WHY_SKIPPED, "IDC_LBL_WHY_SKIPPED", 0},
    {LOCALIZE_LABEL, IDC_LBL_NUM_SKIPPED, "IDC_LBL_NUM_SKIPPED", LOCALIZE_RUNTIME_TEXT},
    {LOCALIZE_CHECKBOX, IDC_CHK_OPEN_FOLDER, "IDC_CHK_OPEN_FOLDER", 0},
    {LOCALIZE_LABEL, IDC_LNK_OPEN_FOLDER, "IDC_LNK_OPEN_FOLDER", 0},
    {LOCALIZE_LABEL, IDC_LBL_OPEN_FOLDER, "IDC_LBL_OPEN_FOLDER", 0},
    {LOCALIZE_BUTTON, IDHELP, "IDHELP", 0},
    {LOCALIZE_BUTTON, IDCANCEL, "IDCANCEL", 0},
};

constexpr const char* kOpenFolderValue = "Contacts.Import.OpenFolder";
constexpr const char* kShowFolder = "CDlgVCardImportFinish::_ShowFolder";

}  // namespace

CDlgVCardImportFinish::CDlgVCardImportFinish(HKEY* optionsKey, int files, int contacts,
                                             int imported, int failed, int skipped,
                                             Outlook::MAPIFolder* targetFolder)
    : WizardFinishPage(help_topics::kImportContacts),
      m_optionsKey(optionsKey),
      m_files(files),
      m_contacts(contacts),
      m_imported(imported),
      m_failed(failed),
      m_skipped(skipped),
      m_targetFolder(targetFolder) {
  m_openFolder = PageOptions(m_optionsKey).ReadDword(kOpenFolderValue, 1) != 0;
}

CDlgVCardImportFinish::~CDlgVCardImportFinish() {
  PageOptions(m_optionsKey).WriteDword(kOpenFolderValue, m_openFolder ? 1 : 0);
}

LRESULT CDlgVCardImportFinish::OnInitDialog(UINT message, WPARAM wParam, LPARAM lParam,
                                            BOOL& handled) {
  InitPage(message, wParam, lParam, handled, kLocalizeTable, "IDD_VCARD_IMPORT_FINISH");
  const std::string files = std::to_string(m_files) + "/" + std::to_string(m_contacts);
  SetDlgItemText(IDC_LBL_NUM_SELECTED, files.c_str());
  FinishPageLook::ShowCount(m_hWnd, IDC_LBL_NUM_IMPORTED, m_imported);
  FinishPageLook::ShowCount(m_hWnd, IDC_LBL_NUM_FAILURES, m_failed);
  FinishPageLook::ShowCount(m_hWnd, IDC_LBL_NUM_SKIPPED, m_skipped);
  CheckDlgButton(IDC_CHK_OPEN_FOLDER, m_openFolder ? BST_CHECKED : BST_UNCHECKED);
  m_look.Init(m_hWnd, m_failed, m_skipped, "IDS_PROCESS_IMPORT");
  return TRUE;
}

// The folder shows in the explorer in front; without one there is nowhere to show it.
void CDlgVCardImportFinish::_OpenFolderLink() {
  try {
    if (!m_targetFolder) return;
    Outlook::_ApplicationPtr app = m_targetFolder->GetApplication();
    Outlook::_ExplorerPtr explorer = app ? app->ActiveExplorer() : nullptr;
    if (!explorer) {
      g_LogTimer.War(kShowFolder, 0, "no active explorer to show the folder in");
      return;
    }
    explorer->PutRefCurrentFolder(m_targetFolder);
  } catch (const _com_error& error) {
    LogComError(kShowFolder, error);
  }
}

LRESULT CDlgVCardImportFinish::OnClose(WORD, WORD, HWND, BOOL&) {
  m_openFolder = IsDlgButtonChecked(IDC_CHK_OPEN_FOLDER) == BST_CHECKED;
  if (m_openFolder) _OpenFolderLink();
  EndDialog(IDCANCEL);
  return 0;
}

