// The last page of an export wizard: what the run did, a link to the Windows folder,
// and the choices to open that folder and to mail the written files. The two export
// wizards differ only in their names: the page T gives its dialog id as IDD and
// kSection (the language section), kOpenFolderValue and kOpenMailValue (its registry
// values), kHelpTopic, and kMailFunction (the name its mail failures are logged under).
#pragma once

#include <string>

#include "addin/CLang.h"
#include "addin/CLogTimer.h"
#include "addin/FinishPageLook.h"
#include "addin/PageOptions.h"
#include "addin/WizardFinishPage.h"
#include "addin/WrittenFilesMap.h"
#include "outlook/outlook.h"
#include "resource.h"
#include "win32/shell.h"

template <class T>
class ExportFinishPage : public WizardFinishPage<T> {
 public:
  // Loads the open-folder and open-mail choices from under *optionsKey (borrowed, may
  // be null). writtenFiles is borrowed from the run and must outlive the page.
  ExportFinishPage(Outlook::_Application* app, HKEY* optionsKey, int total, int exported,
                   int failed, int skipped, const char* windowsFolder,
                   const WrittenFilesMap* writtenFiles)
      : WizardFinishPage<T>(T::kHelpTopic),
        m_app(app),
        m_optionsKey(optionsKey),
        m_total(total),
        m_exported(exported),
        m_failed(failed),
        m_skipped(skipped),
        m_windowsFolder(windowsFolder != nullptr ? windowsFolder : ""),
        m_writtenFiles(writtenFiles) {
    const PageOptions options(m_optionsKey);
    m_openFolder = options.ReadDword(T::kOpenFolderValue, 1) != 0;
    m_openMail = options.ReadDword(T::kOpenMailValue, 0) != 0;
  }
  // Stores the two choices.
  ~ExportFinishPage() override {
    const PageOptions options(m_optionsKey);
    options.WriteDword(T::kOpenFolderValue, m_openFolder ? 1 : 0);
    options.WriteDword(T::kOpenMailValue, m_openMail ? 1 : 0);
  }
  ExportFinishPage(const ExportFinishPage&) = delete;
  ExportFinishPage& operator=(const ExportFinishPage&) = delete;

  BEGIN_MSG_MAP(ExportFinishPage)
    MESSAGE_HANDLER(WM_INITDIALOG, OnInitDialog)
    COMMAND_HANDLER(IDCANCEL, BN_CLICKED, OnClose)
    CHAIN_MSG_MAP(WizardFinishPage<T>)
  END_MSG_MAP()

  // Mails the written files, in the order they were written, when the open-mail choice
  // is on and anything was exported.
  void OpenMail() {
    if (!m_openMail || m_exported < 1) return;
    try {
      if (!m_app) _com_issue_error(E_POINTER);
      Outlook::_MailItemPtr mail(m_app->CreateItem(Outlook::olMailItem));
      mail->Display(_variant_t(false));
      Outlook::AttachmentsPtr attachments = mail->GetAttachments();
      if (m_writtenFiles == nullptr) return;
      for (const std::string& path : WrittenInOrder(*m_writtenFiles))
        attachments->Add(_variant_t(path.c_str()), Missing(), Missing(), Missing());
    } catch (const _com_error& error) {
      const _bstr_t description = error.Description();
      const char* text = description;
      g_LogTimer.Err(T::kMailFunction, error.Error(), "_com_error(%s), ",
                     text != nullptr ? text : "");
    } catch (...) {
      g_LogTimer.Err(T::kMailFunction, 0, "CATCHED EXCEPTION!");
    }
  }

  Outlook::_ApplicationPtr m_app;
  HKEY* m_optionsKey;
  int m_total;
  int m_exported;
  int m_failed;
  int m_skipped;
  std::string m_windowsFolder;
  const WrittenFilesMap* m_writtenFiles;
  bool m_openFolder = true;
  bool m_openMail = false;

 private:
  static constexpr LocalizeRecord kLocalizeTable[] = {
      {LOCALIZE_LABEL, IDC_LABEL_BOLD, "IDC_LABEL_BOLD", 0},
      {LOCALIZE_LABEL, IDC_LBL2, "IDC_LBL2", 0},
      {LOCALIZE_LABEL, IDC_LBL_STATUS, "IDC_LBL_STATUS", LOCALIZE_RUNTIME_TEXT},
      {LOCALIZE_LABEL, IDC_LABEL1, "IDC_LABEL1", 0},
      {LOCALIZE_LABEL, IDC_LBL_NUM_SELECTED, "IDC_LBL_NUM_SELECTED", LOCALIZE_RUNTIME_TEXT},
      {LOCALIZE_LABEL, IDC_LABEL2, "IDC_LABEL2", 0},
      {LOCALIZE_LABEL, IDC_LBL_NUM_EXPORTED, "IDC_LBL_NUM_EXPORTED", 0},
      {LOCALIZE_LABEL, IDC_LABEL3, "IDC_LABEL3", 0},
      {LOCALIZE_LABEL, IDC_LBL_NUM_FAILURES, "IDC_LBL_NUM_FAILURES", LOCALIZE_RUNTIME_TEXT},
      {LOCALIZE_LABEL, IDC_LBL_WHY_SKIPPED, "IDC_LBL_WHY_SKIPPED", 0},
      {LOCALIZE_LABEL, IDC_LBL_NUM_SKIPPED, "IDC_LBL_NUM_SKIPPED", 0},
      {LOCALIZE_CHECKBOX, IDC_CHK_OPEN_FOLDER, "IDC_CHK_OPEN_FOLDER", LOCALIZE_RUNTIME_TEXT},
      {LOCALIZE_LABEL, IDC_LNK_OPEN_FOLDER, "IDC_LNK_OPEN_FOLDER", 0},
      {LOCALIZE_LABEL, IDC_LBL_OPEN_FOLDER, "IDC_LBL_OPEN_FOLDER", 0},
      {LOCALIZE_CHECKBOX, IDC_CHK_OPEN_EMAIL, "IDC_CHK_OPEN_EMAIL", 0},
      {LOCALIZE_BUTTON, IDHELP, "IDHELP", 0},
      {LOCALIZE_BUTTON, IDCANCEL, "IDCANCEL", 0},
  };

  // An optional argument left out.
  static _variant_t Missing() {
    return _variant_t(static_cast<LONG>(DISP_E_PARAMNOTFOUND), VT_ERROR);
  }

  LRESULT OnInitDialog(UINT message, WPARAM wParam, LPARAM lParam, BOOL& handled) {
    this->InitPage(message, wParam, lParam, handled, kLocalizeTable, T::kSection);
    const HWND dlg = this->m_hWnd;
    FinishPageLook::ShowCount(dlg, IDC_LBL_NUM_SELECTED, m_total);
    FinishPageLook::ShowCount(dlg, IDC_LBL_NUM_EXPORTED, m_exported);
    FinishPageLook::ShowCount(dlg, IDC_LBL_NUM_FAILURES, m_failed);
    FinishPageLook::ShowCount(dlg, IDC_LBL_NUM_SKIPPED, m_skipped);
    CheckDlgButton(dlg, IDC_CHK_OPEN_FOLDER, m_openFolder ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(dlg, IDC_CHK_OPEN_EMAIL, m_openMail ? BST_CHECKED : BST_UNCHECKED);
    if (m_exported == 0) ::EnableWindow(GetDlgItem(dlg, IDC_CHK_OPEN_EMAIL), FALSE);
    this->m_look.Init(dlg, m_failed, m_skipped, "IDS_PROCESS_EXPORT");
    return TRUE;
  }

  LRESULT OnClose(WORD, WORD, HWND, BOOL&) {
    m_openFolder = IsDlgButtonChecked(this->m_hWnd, IDC_CHK_OPEN_FOLDER) == BST_CHECKED;
    if (m_openFolder) _OpenFolderLink();
    m_openMail = IsDlgButtonChecked(this->m_hWnd, IDC_CHK_OPEN_EMAIL) == BST_CHECKED;
    this->EndDialog(IDCANCEL);
    OpenMail();
    return 0;
  }

  // The open-folder link, clicked or chosen for closing.
  void _OpenFolderLink() {
    ShellExecuteA(this->m_hWnd, "open", m_windowsFolder.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
  }
  // The shared link click calls _OpenFolderLink.
  friend class WizardFinishPage<T>;
};
