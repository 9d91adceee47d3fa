#include "addin/CDlgLabels.h"

#include <iterator>
#include <string>

#include "addin/CLang.h"

namespace {

constexpr LocalizeRecord kLocalizeTable[] = {
    {LOCALIZE_CHECKBOX, IDC_CHK_LABEL1, "IDC_CHK_LABEL1", LOCALIZE_RUNTIME_TEXT},
    {LOCALIZE_CHECKBOX, IDC_CHK_LABEL2, "IDC_CHK_LABEL2", LOCALIZE_RUNTIME_TEXT},
    {LOCALIZE_CHECKBOX, IDC_CHK_LABEL3, "IDC_CHK_LABEL3", LOCALIZE_RUNTIME_TEXT},
    {LOCALIZE_CHECKBOX, IDC_CHK_LABEL4, "IDC_CHK_LABEL4", LOCALIZE_RUNTIME_TEXT},
    {LOCALIZE_CHECKBOX, IDC_CHK_LABEL5, "IDC_CHK_LABEL5", LOCALIZE_RUNTIME_TEXT},
    {LOCALIZE_CHECKBOX, IDC_CHK_LABEL6, "IDC_CHK_LABEL6", LOCALIZE_RUNTIME_TEXT},
    {LOCALIZE_CHECKBOX, IDC_CHK_LABEL7, "IDC_CHK_LABEL7", LOCALIZE_RUNTIME_TEXT},
    {LOCALIZE_CHECKBOX, IDC_CHK_LABEL8, "IDC_CHK_LABEL8", LOCALIZE_RUNTIME_TEXT},
    {LOCALIZE_CHECKBOX, IDC_CHK_LABEL9, "IDC_CHK_LABEL9", LOCALIZE_RUNTIME_TEXT},
    {LOCALIZE_CHECKBOX, IDC_CHK_LABEL10, "IDC_CHK_LABEL10", LOCALIZE_RUNTIME_TEXT},
    {LOCALIZE_BUTTON, IDOK, "IDOK", 0},
    {LOCALIZE_BUTTON, IDCANCEL, "IDCANCEL", 0},
};

int CheckBoxOf(int label) { return IDC_CHK_LABEL1 + label; }

}  // namespace

LRESULT CDlgLabels::OnInitDialog(UINT message, WPARAM wParam, LPARAM lParam, BOOL& handled) {
  ATL::CAxDialogImpl<CDlgLabels>::OnInitDialog(message, wParam, lParam, handled);
  handled = TRUE;
  _Localize();
  for (int k = 0; k < kLabelCount; ++k)
    CheckDlgButton(CheckBoxOf(k), (m_labelMask >> k) & 1 ? BST_CHECKED : BST_UNCHECKED);
  return TRUE;
}

void CDlgLabels::_Localize() {
  g_Lang.LocalizeDlg(m_hWnd, static_cast<int>(std::size(kLocalizeTable)), kLocalizeTable,
                     "IDD_EVENT_LABELS", 0);
  for (int k = 0; k < kLabelCount; ++k) {
    std::string key = "IDS_EVENT_LABEL" + std::to_string(k + 1);
    SetDlgItemText(CheckBoxOf(k), g_Lang.GetText(key.c_str()).c_str());
  }
}

LRESULT CDlgLabels::OnOK(WORD, WORD, HWND, BOOL&) {
  DWORD mask = 0;
  for (int k = 0; k < kLabelCount; ++k)
    if (IsDlgButtonChecked(CheckBoxOf(k)) == BST_CHECKED) mask |= DWORD{1} << k;
  m_labelMask = mask;
  EndDialog(IDOK);
  return 0;
}

LRESULT CDlgLabels::OnCancel(WORD, WORD, HWND, BOOL&) {
  EndDialog(IDCANCEL);
  return 0;
}
