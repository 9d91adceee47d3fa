#include "addin/CDlgSelectAction.h"

#include <iterator>

#include "addin/CLang.h"
#include "addin/CLib.h"
#include "addin/LinkCommands.h"
#include "addin/LoadIconBitmap.h"

namespace {

constexpr int kPictureSize = 24;

constexpr LocalizeRecord kLocalizeTable[] = {
    {LOCALIZE_FRAME, IDC_FRA1, "IDC_FRA1", 0},  {LOCALIZE_LABEL, IDC_LBL1, "IDC_LBL1", 0},
    {LOCALIZE_LABEL, IDC_LBL2, "IDC_LBL2", 0},  {LOCALIZE_LABEL, IDC_LBL3, "IDC_LBL3", 0},
    {LOCALIZE_LABEL, IDC_LBL4, "IDC_LBL4", 0},  {LOCALIZE_BUTTON, IDC_BTN_HELP, "IDC_BTN_HELP", 0},
    {LOCALIZE_BUTTON, IDCANCEL, "IDCANCEL", 0},
};

struct ActionButton {
  int id;
  int action;
};

constexpr ActionButton kActionButtons[] = {
    {IDC_BTN_EXPORT_CONTACTS, CDlgSelectAction::kExportContacts},
    {IDC_BTN_IMPORT_CONTACTS, CDlgSelectAction::kImportContacts},
    {IDC_BTN_EXPORT_EVENTS, CDlgSelectAction::kExportEvents},
    {IDC_BTN_IMPORT_EVENTS, CDlgSelectAction::kImportEvents},
};

HBITMAP ButtonPicture(UINT iconId, COLORREF face) {
  return LoadIconBitmap(iconId, face, kPictureSize, kPictureSize);
}

}  // namespace

CDlgSelectAction::CDlgSelectAction() {
  const COLORREF face = GetSysColor(COLOR_BTNFACE);
  m_importContactsBitmap.Reset(ButtonPicture(IDI_IMPORT_CONTACTS, face));
  m_importEventsBitmap.Reset(ButtonPicture(IDI_IMPORT_EVENTS, face));
  m_exportContactsBitmap.Reset(ButtonPicture(IDI_EXPORT_CONTACTS, face));
  m_exportEventsBitmap.Reset(ButtonPicture(IDI_EXPORT_EVENTS, face));
}

LRESULT CDlgSelectAction::OnInitDialog(UINT message, WPARAM wParam, LPARAM lParam, BOOL& handled) {
  ATL::CAxDialogImpl<CDlgSelectAction>::OnInitDialog(message, wParam, lParam, handled);
  handled = TRUE;
  _Localize();
  const struct {
    int id;
    HBITMAP picture;
  } pictures[] = {
      {IDC_BTN_EXPORT_CONTACTS, m_exportContactsBitmap.Get()},
      {IDC_BTN_IMPORT_CONTACTS, m_importContactsBitmap.Get()},
      {IDC_BTN_EXPORT_EVENTS, m_exportEventsBitmap.Get()},
      {IDC_BTN_IMPORT_EVENTS, m_importEventsBitmap.Get()},
  };
  for (const auto& p : pictures)
    SendDlgItemMessage(p.id, BM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(p.picture));
  return TRUE;
}

void CDlgSelectAction::_Localize() {
  g_Lang.LocalizeDlg(m_hWnd, static_cast<int>(std::size(kLocalizeTable)), kLocalizeTable,
                     "IDD_SELECT_ACTION", 0);
}

LRESULT CDlgSelectAction::OnAction(WORD, WORD id, HWND, BOOL&) {
  for (const ActionButton& button : kActionButtons) {
    if (button.id != id) continue;
    m_action = button.action;
    EndDialog(IDOK);
    break;
  }
  return 0;
}

LRESULT CDlgSelectAction::OnCancel(WORD, WORD, HWND, BOOL&) {
  EndDialog(IDCANCEL);
  return 0;
}

LRESULT CDlgSelectAction::OnHelp(WORD, WORD, HWND, BOOL&) {
  g_Lib.ShowContextHelp(help_topics::kFeatures);
  return 0;
}
