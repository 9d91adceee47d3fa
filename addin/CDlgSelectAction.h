// The action-choice dialog: which of the four wizards the Kelvra application's user
// wants to run from Outlook.
#pragma once

#include "atl/atlwin.h"
#include "resource.h"
#include "win32/owners.h"

class CDlgSelectAction : public ATL::CAxDialogImpl<CDlgSelectAction> {
 public:
  enum { IDD = IDD_SELECT_ACTION };

  // Codes of m_action.
  enum Action : int {
    kNone = 0,
    kExportContacts = 1,
    kImportContacts = 2,
    kExportEvents = 3,
    kImportEvents = 4,
  };

  CDlgSelectAction();
  ~CDlgSelectAction() = default;
  CDlgSelectAction(const CDlgSelectAction&) = delete;
  CDlgSelectAction& operator=(const CDlgSelectAction&) = delete;

  BEGIN_MSG_MAP(CDlgSelectAction)
    MESSAGE_HANDLER(WM_INITDIALOG, OnInitDialog)
    COMMAND_HANDLER(IDC_BTN_EXPORT_CONTACTS, BN_CLICKED, OnAction)
    COMMAND_HANDLER(IDC_BTN_IMPORT_CONTACTS, BN_CLICKED, OnAction)
    COMMAND_HANDLER(IDC_BTN_EXPORT_EVENTS, BN_CLICKED, OnAction)
    COMMAND_HANDLER(IDC_BTN_IMPORT_EVENTS, BN_CLICKED, OnAction)
    COMMAND_HANDLER(IDCANCEL, BN_CLICKED, OnCancel)
    COMMAND_HANDLER(IDC_BTN_HELP, BN_CLICKED, OnHelp)
  END_MSG_MAP()

  // The chosen action once DoModal returned 1; kNone otherwise.
  int m_action = kNone;

 private:
  LRESULT OnInitDialog(UINT message, WPARAM wParam, LPARAM lParam, BOOL& handled);
  LRESULT OnAction(WORD code, WORD id, HWND ctrl, BOOL& handled);
  LRESULT OnCancel(WORD code, WORD id, HWND ctrl, BOOL& handled);
  LRESULT OnHelp(WORD code, WORD id, HWND ctrl, BOOL& handled);
  void _Localize();

  UniqueGdiObject<HBITMAP> m_importContactsBitmap;  // icon 283
  UniqueGdiObject<HBITMAP> m_importEventsBitmap;    // icon 280
  UniqueGdiObject<HBITMAP> m_exportContactsBitmap;  // icon 281
  UniqueGdiObject<HBITMAP> m_exportEventsBitmap;    // icon 282
};
