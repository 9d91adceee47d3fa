#include "contacts/FirstPageParts.h"

#include <algorithm>

#include "addin/CLang.h"
#include "addin/LoadIconBitmap.h"
#include "contacts/ContactFilter.h"
#include "contacts/ContactFolderChoice.h"
#include "resource.h"

namespace {

constexpr int kPictureSize = 16;

}  // namespace

void FirstPageParts::SetFolderButtonPictures(HWND dlg, GdiObject<HBITMAP>& windowsFolder,
                                             GdiObject<HBITMAP>& outlookFolder) {
  const COLORREF face = GetSysColor(COLOR_BTNFACE);
  windowsFolder.Reset(LoadIconBitmap(IDI_WIN_FOLDER, face, kPictureSize, kPictureSize));
  outlookFolder.Reset(LoadIconBitmap(IDI_OL_FOLDER, face, kPictureSize, kPictureSize));
  SendDlgItemMessageA(dlg, IDC_BTN_WIN_FLD, BM_SETIMAGE, IMAGE_BITMAP,
                      reinterpret_cast<LPARAM>(windowsFolder.Get()));
  SendDlgItemMessageA(dlg, IDC_BTN_OL_FLD, BM_SETIMAGE, IMAGE_BITMAP,
                      reinterpret_cast<LPARAM>(outlookFolder.Get()));
}

std::string FirstPageParts::YesNo(bool yes) { return g_Lang.GetText(yes ? "IDS_YES" : "IDS_NO"); }

void FirstPageParts::ShowFilterSummary(HWND dlg, DWORD mask, const std::string& categories,
                                       const std::string& noRule) {
  SetDlgItemTextA(dlg, IDC_LBL_PRIVATES,
                  YesNo((mask & ContactFilter::kSkipNotNormal) == 0).c_str());
  std::string rule = noRule;
  if ((mask & ContactFilter::kExcludeCategories) != 0)
    rule = g_Lang.GetText("IDS_EXCLUDE") + " \"" + categories + "\"";
  else if ((mask & ContactFilter::kIncludeCategories) != 0)
    rule = g_Lang.GetText("IDS_INCLUDE") + " \"" + categories + "\"";
  SetDlgItemTextA(dlg, IDC_LBL_TXT_CATEGORIES, rule.c_str());
}

HBRUSH FirstPageParts::WindowColourFor(HDC dc, HWND ctrl, std::span<const int> ids) {
  if (std::find(ids.begin(), ids.end(), GetDlgCtrlID(ctrl)) == ids.end()) return nullptr;
  SetBkColor(dc, GetSysColor(COLOR_WINDOW));
  return GetSysColorBrush(COLOR_WINDOW);
}

void FirstPageParts::ShowOutlookFolder(HWND dlg, const std::string& path) {
  SetDlgItemTextA(dlg, IDC_TXT_OL_FLD, path.c_str());
}

bool FirstPageParts::PickOutlookFolder(HWND dlg, Outlook::_Application* app,
                                       Outlook::MAPIFolderPtr& folder, const char* function) {
  Outlook::MAPIFolderPtr chosen = ContactFolderChoice::Pick(dlg, app, function);
  if (!chosen) return false;
  folder = chosen;
  ShowOutlookFolder(dlg, ContactFolderChoice::PathOf(folder));
  return true;
}
