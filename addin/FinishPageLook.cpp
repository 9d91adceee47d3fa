#include "addin/FinishPageLook.h"

#include <string>

#include "addin/CLang.h"
#include "addin/SetDlgItemFont.h"
#include "contacts/FormatNumbered.h"
#include "resource.h"

namespace {

constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);

const char* StatusKey(int failed, int skipped) {
  if (failed > 0)
    return skipped > 0 ? "IDS_PROCESS_COMPLETED_WITH_SKIP_AND_ERR"
                       : "IDS_PROCESS_COMPLETED_WITH_ERR";
  return skipped > 0 ? "IDS_PROCESS_COMPLETED_WITH_SKIP" : "IDS_PROCESS_COMPLETED";
}

RECT ClientRectOf(HWND dlg, int id) {
  RECT rect{};
  GetWindowRect(GetDlgItem(dlg, id), &rect);
  MapWindowPoints(nullptr, dlg, reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

bool Contains(const RECT& rect, POINT point) {
  return point.x >= rect.left && point.x < rect.right && point.y >= rect.top &&
         point.y < rect.bottom;
}

}  // namespace

void FinishPageLook::ShowCount(HWND dlg, int id, int count) {
  SetDlgItemTextA(dlg, id, std::to_string(count).c_str());
}

POINT FinishPageLook::ClientPoint(LPARAM lParam) {
  return POINT{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
}

void FinishPageLook::Init(HWND dlg, int failed, int skipped, const char* processKey) {
  m_dlg = dlg;
  m_failedRed = failed > 0;
  m_skippedRed = skipped != 0;
  const std::string status =
      FormatNumbered(g_Lang.GetText(StatusKey(failed, skipped)), {g_Lang.GetText(processKey)});
  SetDlgItemTextA(dlg, IDC_LBL_STATUS, status.c_str());
  m_boldFont.Reset(SetDlgItemFont(dlg, IDC_LABEL_BOLD, TRUE, FALSE, FALSE));
  m_linkFont.Reset(SetDlgItemFont(dlg, IDC_LBL_WHY_SKIPPED, FALSE, FALSE, TRUE));
  SendDlgItemMessageA(dlg, IDC_LNK_OPEN_FOLDER, WM_SETFONT,
                      reinterpret_cast<WPARAM>(m_linkFont.Get()), TRUE);
  m_whySkipped = ClientRectOf(dlg, IDC_LBL_WHY_SKIPPED);
  m_openFolder = ClientRectOf(dlg, IDC_LNK_OPEN_FOLDER);
}

HBRUSH FinishPageLook::OnCtlColor(HDC dc, HWND ctrl) const {
  SetBkColor(dc, GetSysColor(COLOR_WINDOW));
  switch (GetDlgCtrlID(ctrl)) {
    case IDC_LBL_NUM_FAILURES:
      if (m_failedRed) SetTextColor(dc, kRed);
      break;
    case IDC_LBL_NUM_SKIPPED:
      if (m_skippedRed) SetTextColor(dc, kRed);
      break;
    case IDC_LBL_WHY_SKIPPED:
    case IDC_LNK_OPEN_FOLDER:
      SetTextColor(dc, kBlue);
      break;
    default:
      break;
  }
  return GetSysColorBrush(COLOR_WINDOW);
}

FinishPageLook::Link FinishPageLook::LinkAt(POINT client) const {
  if (Contains(m_whySkipped, client)) return kWhySkipped;
  if (Contains(m_openFolder, client)) return kOpenFolder;
  return kNoLink;
}

bool FinishPageLook::SetLinkCursor(HWND under) const {
  const int id = under != nullptr && under != m_dlg ? GetDlgCtrlID(under) : 0;
  if (id != IDC_LBL_WHY_SKIPPED && id != IDC_LNK_OPEN_FOLDER) return false;
  SetCursor(LoadCursorA(nullptr, IDC_HAND));
  return true;
}
