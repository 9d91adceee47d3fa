#include "contacts/CDlgVCardExportFinish.h"


#include "addin/CLang.h"
#include "addin/CLogTimer.h"
#include "addin/LinkCommands.h"
#include "contacts/PageOptions.h"

namespace {

constexpr LocalizeRecord kLocalizeTable[] = {
    {LOCALIZE_LABEL, IDC_LABEL_BOLD, "IDC_LABEL_BOLD", 0},
    {LOCALIZE_LABEL, IDC_LBL2, "IDC_LBL2", 0},
    {LOCALIZE_LABEL, IDC_LBL_STATUS, "IDC_LBL_STATUS", LOCALIZE_RUNTIME_TEXT},
    {LOCALIZE_LABEL, IDC_LABEL1, "IDC_LABEL1", 0},
    {LOCALIZE_LABEL, IDC_LBL_NUM_SELECTED, "IDC_LBL_NUM_SELECTED", LOCALIZE_RUNTIME_TEXT},
    {LOCALIZE_LABEL, IDC_LABEL2, "IDC_LABEL2", 0},
    {LOCALIZE_LABEL, IDC_LBL_NUM_EXPORTED, "IDC_LBL_NUM_EXPORTED", LOCALIZE_RUNTIME_TEXT},
    {LOCALIZE_LABEL, IDC_LABEL3, "IDC_LABEL3", 0},
    {LOCALIZE_LABEL, IDC_LBL_NUM_FAILURES, "IDC_LBL_NUM_FAILURES", LOCALIZE_RUNTIME_TEXT},
    {LOCALIZE_LABEL, IDC_LBL_WHY_SKIPPED, "IDC_LBL_WHY_SKIPPED", 0},
    {LOCALIZE_LABEL, IDC_LBL_NUM_SKIPPED, "IDC_LBL_NUM_SKIPPED", LOCALIZE_RUNTIME_TEXT},
    {LOCALIZE_CHECKBOX, IDC_CHK_OPEN_FOLDER, "IDC_CHK_OPEN_FOLDER", 0},
    {LOCALIZE_LABEL, IDC_LNK_OPEN_FOLDER, "IDC_LNK_OPEN_FOLDER", 0},
    {LOCALIZE_LABEL, IDC_LBL_OPEN_FOLDER, "IDC_LBL_OPEN_FOLDER", 0},
    {LOCALIZE_CHECKBOX, IDC_CHK_OPEN_EMAIL, "IDC_CHK_OPEN_EMAIL", 0},
    {LOCALIZE_BUTTON, IDHELP, "IDHELP", 0},
    {LOCALIZE_BUTTON, IDCANCEL, "IDCANCEL", 0},
};

constexpr const char* kOpenFolderValue = "Contacts.Export.OpenFolder";
constexpr const char* kOpenMailValue = "Contacts.Export.OpenMail";

// An optional argument left out.
_variant_t Missing() { return _variant_t(static_cast<LONG>(DISP_E_PARAMNOTFOUND), VT_ERROR); }

}  // namespace

CDlgVCardExportFinish::CDlgVCardExportFinish(Outlook::_Application* app, HKEY* optionsKey,
                                             int total, int exported, int failed, int skipped,
                                             const char* windowsFolder,
                                             const WrittenFilesMap* writtenFiles)
    : ContactFinishPage(help_topics::kExportContacts),
      m_app(app),
      m_optionsKey(optionsKey),
      m_total(total),
      m_exported(exported),
      m_failed(failed),
      m_skipped(skipped),
      m_windowsFolder(windowsFolder != nullptr ? windowsFolder : ""),
      m_writtenFiles(writtenFiles) {
  const PageOptions options(m_optionsKey);
  m_openFolder = options.ReadDword(kOpenFolderValue, 1) != 0;
  m_openMail = options.ReadDword(kOpenMailValue, 0) != 0;
}

CDlgVCardExportFinish::~CDlgVCardExportFinish() {
  const PageOptions options(m_optionsKey);
  options.WriteDword(kOpenFolderValue, m_openFolder ? 1 : 0);
  options.WriteDword(kOpenMailValue, m_openMail ? 1 : 0);
}

LRESULT CDlgVCardExportFinish::OnInitDialog(UINT message, WPARAM wParam, LPARAM lParam,
                                            BOOL& handled) {
  InitPage(message, wParam, lParam, handled, kLocalizeTable, "IDD_VCARD_EXPORT_FINISH");
  FinishPageLook::ShowCount(m_hWnd, IDC_LBL_NUM_SELECTED, m_total);
  FinishPageLook::ShowCount(m_hWnd, IDC_LBL_NUM_EXPORTED, m_exported);
  FinishPageLook::ShowCount(m_hWnd, IDC_LBL_NUM_FAILURES, m_failed);
  FinishPageLook::ShowCount(m_hWnd, IDC_LBL_NUM_SKIPPED, m_skipped);
  CheckDlgButton(IDC_CHK_OPEN_FOLDER, m_openFolder ? BST_CHECKED : BST_UNCHECKED);
  CheckDlgButton(IDC_CHK_OPEN_EMAIL, m_openMail ? BST_CHECKED : BST_UNCHECKED);
  if (m_exported == 0) ::EnableWindow(GetDlgItem(IDC_CHK_OPEN_EMAIL), FALSE);
  m_look.Init(m_hWnd, m_failed, m_skipped, "IDS_PROCESS_EXPORT");
  return TRUE;
}

void CDlgVCardExportFinish::_OpenFolderLink() {
  ShellExecuteA(m_hWnd, "open", m_windowsFolder.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

LRESULT CDlgVCardExportFinish::OnClose(WORD, WORD, HWND, BOOL&) {
  m_openFolder = IsDlgButtonChecked(IDC_CHK_OPEN_FOLDER) == BST_CHECKED;
  if (m_openFolder) _OpenFolderLink();
  m_openMail = IsDlgButtonChecked(IDC_CHK_OPEN_EMAIL) == BST_CHECKED;
  EndDialog(IDCANCEL);
  OpenMail();
  return 0;
}

void CDlgVCardExportFinish::OpenMail() {
  if (!m_openMail || m_exported < 1) return;
  try {
    if (!m_app) _com_issue_error(E_POINTER);
    Outlook::_MailItemPtr mail(m_app->CreateItem(Outlook::olMailItem));
    mail->Display(_variant_t(false));
    Outlook::AttachmentsPtr attachments = mail->GetAttachments();
    if (m_writtenFiles == nullptr) return;
    for (const auto& written : *m_writtenFiles)
      attachments->Add(_variant_t(written.first.c_str()), Missing(), Missing(), Missing());
  } catch (const _com_error& error) {
    const _bstr_t description = error.Description();
    const char* text = description;
    g_LogTimer.Err("CDlgVCardExportFinish::OpenMail", error.Error(), "_com_error(%s), ",
                   text != nullptr ? text : "");
  } catch (...) {
    g_LogTimer.Err("CDlgVCardExportFinish::OpenMail", 0, "CATCHED EXCEPTION!");
  }
}
