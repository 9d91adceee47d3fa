// The options dialog of the export-contacts wizard: overwrite, vCard version,
// encoding, and the private and category filter.
#pragma once

#include <string>

#include "contacts/ContactOptionsPage.h"
#include "outlook/outlook.h"
#include "resource.h"

class CDlgVCardExportOptions : public ContactOptionsPage<CDlgVCardExportOptions> {
 public:
  enum { IDD = IDD_VCARD_EXPORT_OPTIONS };

  // The values shown when the dialog opens; after IDOK, the values chosen.
  CDlgVCardExportOptions(Outlook::_Application* app, bool overwrite, int formatChoice,
                         DWORD filterMask, const std::string& filterCategories,
                         const std::string& encoding);
  CDlgVCardExportOptions(const CDlgVCardExportOptions&) = delete;
  CDlgVCardExportOptions& operator=(const CDlgVCardExportOptions&) = delete;

  BEGIN_MSG_MAP(CDlgVCardExportOptions)
    MESSAGE_HANDLER(WM_INITDIALOG, OnInitDialog)
    COMMAND_HANDLER(IDOK, BN_CLICKED, OnOK)
    CHAIN_MSG_MAP(ContactOptionsPage<CDlgVCardExportOptions>)
  END_MSG_MAP()

  Outlook::_ApplicationPtr m_app;
  bool m_overwrite;
  int m_formatChoice;  // CDlgVCardExport::kVCard21 or kVCard30
  DWORD m_filterMask;
  std::string m_filterCategories;
  std::string m_encoding;

 private:
  LRESULT OnInitDialog(UINT message, WPARAM wParam, LPARAM lParam, BOOL& handled);
  LRESULT OnOK(WORD code, WORD id, HWND ctrl, BOOL& handled);
};
