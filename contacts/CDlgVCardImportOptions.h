// The options dialog of the import-contacts wizard: what to do with a contact that is
// there already, and the private and category filter.
#pragma once

#include <string>

#include "contacts/ContactOptionsPage.h"
#include "outlook/outlook.h"
#include "resource.h"

class CDlgVCardImportOptions : public ContactOptionsPage<CDlgVCardImportOptions> {
 public:
  enum { IDD = IDD_VCARD_IMPORT_OPTIONS };

  // The values shown when the dialog opens; after IDOK, the values chosen.
  CDlgVCardImportOptions(Outlook::_Application* app, int conflictResolution, DWORD filterMask,
                         const std::string& filterCategories);
  CDlgVCardImportOptions(const CDlgVCardImportOptions&) = delete;
  CDlgVCardImportOptions& operator=(const CDlgVCardImportOptions&) = delete;

  BEGIN_MSG_MAP(CDlgVCardImportOptions)
    MESSAGE_HANDLER(WM_INITDIALOG, OnInitDialog)
    COMMAND_HANDLER(IDOK, BN_CLICKED, OnOK)
    CHAIN_MSG_MAP(ContactOptionsPage<CDlgVCardImportOptions>)
  END_MSG_MAP()

  Outlook::_ApplicationPtr m_app;
  int m_conflictResolution;  // CDlgVCardImport::kImportAsNew ...
  DWORD m_filterMask;
  std::string m_filterCategories;

 private:
  LRESULT OnInitDialog(UINT message, WPARAM wParam, LPARAM lParam, BOOL& handled);
  LRESULT OnOK(WORD code, WORD id, HWND ctrl, BOOL& handled);
};
