// The options dialog of the export-events wizard, opened from its first page:
// overwrite, vCalendar or iCalendar, and the encoding of the text values.
#pragma once

#include <string>

#include "addin/WizardPage.h"
#include "resource.h"

class CDlgVCalExportOptions : public WizardPage<CDlgVCalExportOptions> {
 public:
  enum { IDD = IDD_VCAL_EXPORT_OPTIONS };

  // The values shown when the dialog opens; after IDOK, the values chosen. format is
  // 10 (vCalendar 1.0) or 20 (iCalendar 2.0).
  CDlgVCalExportOptions(bool overwrite, int format, const std::string& encoding);
  CDlgVCalExportOptions(const CDlgVCalExportOptions&) = delete;
  CDlgVCalExportOptions& operator=(const CDlgVCalExportOptions&) = delete;

  BEGIN_MSG_MAP(CDlgVCalExportOptions)
    MESSAGE_HANDLER(WM_INITDIALOG, OnInitDialog)
    COMMAND_HANDLER(IDOK, BN_CLICKED, OnOK)
    CHAIN_MSG_MAP(WizardPage<CDlgVCalExportOptions>)
  END_MSG_MAP()

  bool m_overwrite;
  int m_format;
  std::string m_encoding;

 private:
  LRESULT OnInitDialog(UINT message, WPARAM wParam, LPARAM lParam, BOOL& handled);
  LRESULT OnOK(WORD code, WORD id, HWND ctrl, BOOL& handled);
};
