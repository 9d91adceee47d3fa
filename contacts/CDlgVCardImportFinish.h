// The last page of the import-contacts wizard: what the run did, a link that shows
// the target folder in Outlook, and the choice to show it on closing.
#pragma once

#include "addin/WizardFinishPage.h"
#include "outlook/outlook.h"
#include "resource.h"

class CDlgVCardImportFinish : public WizardFinishPage<CDlgVCardImportFinish> {
 public:
  enum { IDD = IDD_VCARD_IMPORT_FINISH };

  // Loads the open-folder choice from under *optionsKey (borrowed, may be null);
  // files: how many files were read, contacts: how many cards they held.
  CDlgVCardImportFinish(HKEY* optionsKey, int files, int contacts, int imported, int failed,
                        int skipped, Outlook::MAPIFolder* targetFolder);
  // Stores the open-folder choice.
  ~CDlgVCardImportFinish() override;
  CDlgVCardImportFinish(const CDlgVCardImportFinish&) = delete;
  CDlgVCardImportFinish& operator=(const CDlgVCardImportFinish&) = delete;

  BEGIN_MSG_MAP(CDlgVCardImportFinish)
    MESSAGE_HANDLER(WM_INITDIALOG, OnInitDialog)
    COMMAND_HANDLER(IDCANCEL, BN_CLICKED, OnClose)
    CHAIN_MSG_MAP(WizardFinishPage<CDlgVCardImportFinish>)
  END_MSG_MAP()

  HKEY* m_optionsKey;
  int m_files;
  int m_contacts;
  int m_imported;
  int m_failed;
  int m_skipped;
  Outlook::MAPIFolderPtr m_targetFolder;
  bool m_openFolder = true;

 private:
  LRESULT OnInitDialog(UINT message, WPARAM wParam, LPARAM lParam, BOOL& handled);
  LRESULT OnClose(WORD code, WORD id, HWND ctrl, BOOL& handled);
  // The open-folder link, clicked or chosen for closing.
  void _OpenFolderLink();
  // The shared link click calls _OpenFolderLink.
  friend class WizardFinishPage<CDlgVCardImportFinish>;
};
