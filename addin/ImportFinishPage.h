// The last page of an import wizard: what the run did, a link that shows the target
// folder in Outlook, and the choice to show it on closing. The two import wizards
// differ only in their names: the page T gives its dialog id as IDD and kSection (the
// language section), kOpenFolderValue (its registry value), kHelpTopic and
// kShowFolderFunction (the name its failures to show the folder are logged under).
#pragma once

#include <string>

#include "addin/CLang.h"
#include "addin/CLogTimer.h"
#include "addin/FinishPageLook.h"
#include "addin/LogComError.h"
#include "addin/PageOptions.h"
#include "addin/WizardFinishPage.h"
#include "outlook/outlook.h"
#include "resource.h"

template <class T>
class ImportFinishPage : public WizardFinishPage<T> {
 public:
  // Loads the open-folder choice from under *optionsKey (borrowed, may be null);
  // files: how many files were read, items: how many items they held.
  ImportFinishPage(HKEY* optionsKey, int files, int items, int imported, int failed, int skipped,
                   Outlook::MAPIFolder* targetFolder)
      : WizardFinishPage<T>(T::kHelpTopic),
        m_optionsKey(optionsKey),
        m_files(files),
        m_items(items),
        m_imported(imported),
        m_failed(failed),
        m_skipped(skipped),
        m_targetFolder(targetFolder) {
    m_openFolder = PageOptions(m_optionsKey).ReadDword(T::kOpenFolderValue, 1) != 0;
  }
  // Stores the open-folder choice.
  ~ImportFinishPage() override {
    PageOptions(m_optionsKey).WriteDword(T::kOpenFolderValue, m_openFolder ? 1 : 0);
  }
  ImportFinishPage(const ImportFinishPage&) = delete;
  ImportFinishPage& operator=(const ImportFinishPage&) = delete;

  BEGIN_MSG_MAP(ImportFinishPage)
    MESSAGE_HANDLER(WM_INITDIALOG, OnInitDialog)
    COMMAND_HANDLER(IDCANCEL, BN_CLICKED, OnClose)
    CHAIN_MSG_MAP(WizardFinishPage<T>)
  END_MSG_MAP()

  HKEY* m_optionsKey;
  int m_files;
  int m_items;
  int m_imported;
  int m_failed;
  int m_skipped;
  Outlook::MAPIFolderPtr m_targetFolder;
  bool m_openFolder = true;

 private:
  static constexpr LocalizeRecord kLocalizeTable[] = {
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

  LRESULT OnInitDialog(UINT message, WPARAM wParam, LPARAM lParam, BOOL& handled) {
    this->InitPage(message, wParam, lParam, handled, kLocalizeTable, T::kSection);
    const HWND dlg = this->m_hWnd;
    const std::string files = std::to_string(m_files) + "/" + std::to_string(m_items);
    SetDlgItemTextA(dlg, IDC_LBL_NUM_SELECTED, files.c_str());
    FinishPageLook::ShowCount(dlg, IDC_LBL_NUM_IMPORTED, m_imported);
    FinishPageLook::ShowCount(dlg, IDC_LBL_NUM_FAILURES, m_failed);
    FinishPageLook::ShowCount(dlg, IDC_LBL_NUM_SKIPPED, m_skipped);
    CheckDlgButton(dlg, IDC_CHK_OPEN_FOLDER, m_openFolder ? BST_CHECKED : BST_UNCHECKED);
    this->m_look.Init(dlg, m_failed, m_skipped, "IDS_PROCESS_IMPORT");
    return TRUE;
  }

  LRESULT OnClose(WORD, WORD, HWND, BOOL&) {
    m_openFolder = IsDlgButtonChecked(this->m_hWnd, IDC_CHK_OPEN_FOLDER) == BST_CHECKED;
    if (m_openFolder) _OpenFolderLink();
    this->EndDialog(IDCANCEL);
    return 0;
  }

  // The folder shows in the explorer in front; without one there is nowhere to show it.
  void _OpenFolderLink() {
    try {
      if (!m_targetFolder) return;
      Outlook::_ApplicationPtr app = m_targetFolder->GetApplication();
      Outlook::_ExplorerPtr explorer = app ? app->ActiveExplorer() : nullptr;
      if (!explorer) {
        g_LogTimer.War(T::kShowFolderFunction, 0, "no active explorer to show the folder in");
        return;
      }
      explorer->PutRefCurrentFolder(m_targetFolder);
    } catch (const _com_error& error) {
      LogComError(T::kShowFolderFunction, error);
    }
  }
  // The shared link click calls _OpenFolderLink.
  friend class WizardFinishPage<T>;
};
