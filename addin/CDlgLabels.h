// The labels dialog: which of Outlook's ten appointment colour labels a calendar filter
// takes, as a mask whose bit k stands for label k + 1.
#pragma once

#include "atl/atlwin.h"
#include "resource.h"

class CDlgLabels : public ATL::CAxDialogImpl<CDlgLabels> {
 public:
  enum { IDD = IDD_EVENT_LABELS };
  static constexpr int kLabelCount = 10;

  explicit CDlgLabels(DWORD labelMask) : m_labelMask(labelMask) {}

  BEGIN_MSG_MAP(CDlgLabels)
    MESSAGE_HANDLER(WM_INITDIALOG, OnInitDialog)
    COMMAND_HANDLER(IDOK, BN_CLICKED, OnOK)
    COMMAND_HANDLER(IDCANCEL, BN_CLICKED, OnCancel)
  END_MSG_MAP()

  // The mask shown when the dialog opens; after OK, the boxes ticked (bits 0 to 9 only).
  DWORD m_labelMask;

 private:
  LRESULT OnInitDialog(UINT message, WPARAM wParam, LPARAM lParam, BOOL& handled);
  LRESULT OnOK(WORD code, WORD id, HWND ctrl, BOOL& handled);
  LRESULT OnCancel(WORD code, WORD id, HWND ctrl, BOOL& handled);
  void _Localize();
};
