#include "addin/FirstPageParts.h"

#include <algorithm>
#include <memory>

#include "addin/BrowseFolderCallback.h"
#include "addin/CLang.h"
#include "addin/CMultiPath.h"
#include "addin/GetExistingFolder.h"
#include "addin/LoadIconBitmap.h"
#include "addin/OutlookFolderChoice.h"
#include "addin/PageText.h"
#include "addin/ShowOpenFileDialog.h"
#include "contacts/FormatNumbered.h"
#include "resource.h"
#include "win32/commctrl.h"
#include "win32/shell.h"

namespace {

constexpr int kPictureSize = 16;

struct IdListFree {
  void operator()(ITEMIDLIST* list) const { CoTaskMemFree(list); }
};
using IdList = std::unique_ptr<ITEMIDLIST, IdListFree>;

constexpr int kFilesTextLimit = 512;

struct LocalText {
  void operator()(char* text) const { LocalFree(text); }
};

}  // namespace

void FirstPageParts::SetFolderButtonPictures(HWND dlg, int outlookIcon,
                                             UniqueGdiObject<HBITMAP>& windowsFolder,
                                             UniqueGdiObject<HBITMAP>& outlookFolder) {
  const COLORREF face = GetSysColor(COLOR_BTNFACE);
  windowsFolder.Reset(LoadIconBitmap(IDI_WIN_FOLDER, face, kPictureSize, kPictureSize));
  outlookFolder.Reset(LoadIconBitmap(outlookIcon, face, kPictureSize, kPictureSize));
  SendDlgItemMessageA(dlg, IDC_BTN_WIN_FLD, BM_SETIMAGE, IMAGE_BITMAP,
                      reinterpret_cast<LPARAM>(windowsFolder.Get()));
  SendDlgItemMessageA(dlg, IDC_BTN_OL_FLD, BM_SETIMAGE, IMAGE_BITMAP,
                      reinterpret_cast<LPARAM>(outlookFolder.Get()));
}

std::string FirstPageParts::YesNo(bool yes) { return g_Lang.GetText(yes ? "IDS_YES" : "IDS_NO"); }

HBRUSH FirstPageParts::WindowColourFor(HDC dc, HWND ctrl, std::span<const int> ids) {
  if (std::find(ids.begin(), ids.end(), GetDlgCtrlID(ctrl)) == ids.end()) return nullptr;
  SetBkColor(dc, GetSysColor(COLOR_WINDOW));
  return GetSysColorBrush(COLOR_WINDOW);
}

void FirstPageParts::ShowOutlookFolder(HWND dlg, const std::string& path) {
  SetDlgItemTextA(dlg, IDC_TXT_OL_FLD, path.c_str());
}

bool FirstPageParts::PickOutlookFolder(HWND dlg, Outlook::_Application* app,
                                       const OutlookFolderChoice& choice,
                                       Outlook::MAPIFolderPtr& folder, const char* function) {
  Outlook::MAPIFolderPtr chosen = choice.Pick(dlg, app, function);
  if (!chosen) return false;
  folder = chosen;
  ShowOutlookFolder(dlg, OutlookFolderChoice::PathOf(folder));
  return true;
}

bool FirstPageParts::IsUsableFolder(const std::string& path) {
  return !path.empty() && path.size() < MAX_PATH && PathIsDirectoryA(path.c_str());
}

bool FirstPageParts::BrowseWindowsFolder(HWND dlg, const char* titleKey) {
  const std::string start = GetExistingFolder(GetDlgItemString(dlg, IDC_TXT_WIN_FLD).c_str());
  const std::string title = g_Lang.GetText(titleKey);
  char name[MAX_PATH] = {};
  BROWSEINFOA info{};
  info.hwndOwner = dlg;
  info.pszDisplayName = name;
  info.lpszTitle = title.c_str();
  info.ulFlags = BIF_RETURNONLYFSDIRS | BIF_NEWDIALOGSTYLE;
  info.lpfn = &BrowseFolderCallback;
  info.lParam = reinterpret_cast<LPARAM>(start.c_str());
  const IdList chosen(SHBrowseForFolderA(&info));
  char path[MAX_PATH] = {};
  if (!chosen || !SHGetPathFromIDListA(chosen.get(), path)) return false;
  SetDlgItemTextA(dlg, IDC_TXT_WIN_FLD, path);
  return true;
}

bool FirstPageParts::BrowseFiles(HWND dlg, const char* filter) {
  const std::string current = GetDlgItemString(dlg, IDC_TXT_WIN_FLD);
  const std::unique_ptr<char, LocalText> chosen(
      ShowOpenFileDialog(current.c_str(), kFilesTextLimit, filter));
  if (!chosen) return false;
  SetDlgItemTextA(dlg, IDC_TXT_WIN_FLD, chosen.get());
  return true;
}

bool FirstPageParts::FilesExist(HWND dlg, const std::string& paths, bool messages) {
  CMultiPath list;
  list.Parse(paths.c_str(), false);
  if (list.GetCount() == 0) return false;
  int missing = -1;
  if (list.AllExist(missing)) return true;
  if (messages) {
    const std::string text = FormatNumbered(g_Lang.GetText("IDS_BAD_FNAME"), {list.GetAt(missing)});
    MessageBoxA(dlg, text.c_str(), g_Lang.GetText("IDS_ERR_TITLE").c_str(), MB_ICONERROR);
  }
  return false;
}

HWND FirstPageParts::AttachTooltip(HWND dlg, int buttonId, const char* textKey) {
  const HWND tooltip =
      CreateWindowExA(0, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT,
                      CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, dlg, nullptr, nullptr, nullptr);
  if (tooltip == nullptr) return nullptr;
  std::string text = g_Lang.GetText(textKey);
  TOOLINFOA tool{};
  tool.cbSize = sizeof tool;
  tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  tool.hwnd = dlg;
  tool.uId = reinterpret_cast<UINT_PTR>(GetDlgItem(dlg, buttonId));
  tool.lpszText = text.data();
  SendMessageA(tooltip, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
  SendMessageA(tooltip, TTM_ACTIVATE, TRUE, 0);
  return tooltip;
}
