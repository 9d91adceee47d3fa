// The last page of the export-contacts wizard: what the run did, a link to the
// Windows folder, and the choices to open that folder and to mail the files.
#pragma once

#include <string>

#include "contacts/ContactFinishPage.h"
#include "contacts/WrittenFilesMap.h"
#include "outlook/outlook.h"
#include "resource.h"

class CDlgVCardExportFinish : public ContactFinishPage<CDlgVCardExportFinish> {
 public:
  enum { IDD = IDD_VCARD_EXPORT_FINISH };

  // Loads the open-folder and open-mail choices from under *optionsKey (borrowed, may
  // be null). writtenFiles is borrowed from the run and must outlive the page.
  CDlgVCardExportFinish(Outlook::_Application* app, HKEY* optionsKey, int total, int exported,
                        int failed, int skipped, const char* windowsFolder,
                        const WrittenFilesMap* writtenFiles);
  // Stores the two choices.
  ~CDlgVCardExportFinish() override;
  CDlgVCardExportFinish(const CDlgVCardExportFinish&) = delete;
  CDlgVCardExportFinish& operator=(const CDlgVCardExportFinish&) = delete;

  BEGIN_MSG_MAP(CDlgVCardExportFinish)
    MESSAGE_HANDLER(WM_INITDIALOG, OnInitDialog)
    COMMAND_HANDLER(IDCANCEL, BN_CLICKED, OnClose)
    CHAIN_MSG_MAP(ContactFinishPage<CDlgVCardExportFinish>)
  END_MSG_MAP()

  // Mails the written files when the open-mail choice is on and anything was exported.
  void OpenMail();

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
  LRESULT OnInitDialog(UINT message, WPARAM wParam, LPARAM lParam, BOOL& handled);
  LRESULT OnClose(WORD code, WORD id, HWND ctrl, BOOL& handled);
  // The open-folder link, clicked or chosen for closing.
  void _OpenFolderLink();
  // The shared link click calls _OpenFolderLink.
  friend class ContactFinishPage<CDlgVCardExportFinish>;
};
