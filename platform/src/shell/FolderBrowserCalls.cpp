// The shell's folder browser and ShellExecuteA, played by the operator.
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string>

#include "shell/FolderBrowserDesk.h"
#include "win32/dialog.h"
#include "win32/shell.h"
#include "window/WindowManager.h"
#include "window/WindowTable.h"

using kelvra::platform::FolderBrowserDesk;
using kelvra::platform::WindowManager;
using kelvra::platform::WindowState;
using kelvra::platform::WindowTable;

namespace {

// The folder the callback selects while the browser is up on this thread.
thread_local std::string t_selection;

INT_PTR CALLBACK BrowserProc(HWND, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg != BFFM_SETSELECTIONA) return FALSE;
  const char* path = reinterpret_cast<const char*>(lParam);
  t_selection =
      path == nullptr ? "" : path;  // wParam FALSE passes an id list, which is a path here
  (void)wParam;
  return TRUE;
}

// The browser window the callback talks to; it lives for the call.
HWND MakeBrowserWindow(HWND owner, const char* title) {
  WindowManager::Creation c;
  c.className = WC_DIALOG;
  c.text = title != nullptr ? title : "";
  c.style = WS_POPUP | WS_CAPTION | WS_SYSMENU;
  c.rect = RECT{0, 0, 320, 400};
  c.parent = owner != nullptr && WindowTable::Instance().Exists(owner) ? owner : nullptr;
  HWND wnd = WindowManager::Create(c);
  if (wnd != nullptr)
    WindowTable::Instance().With(
        wnd, [](WindowState& s) { s.dialogSlots[1] = reinterpret_cast<LONG_PTR>(&BrowserProc); });
  return wnd;
}

std::string LastComponent(const std::string& path) {
  std::string trimmed = path;
  while (trimmed.size() > 1 && (trimmed.back() == '\\' || trimmed.back() == '/'))
    trimmed.pop_back();
  const size_t cut = trimmed.find_last_of("\\/");
  return cut == std::string::npos ? trimmed : trimmed.substr(cut + 1);
}

}  // namespace

PIDLIST_ABSOLUTE WINAPI SHBrowseForFolderA(LPBROWSEINFOA info) {
  if (info == nullptr) return nullptr;
  t_selection.clear();
  HWND browser = MakeBrowserWindow(info->hwndOwner, info->lpszTitle);
  if (info->lpfn != nullptr) info->lpfn(browser, BFFM_INITIALIZED, 0, info->lParam);
  kelvra::platform::ShownFolderBrowser shown{info->hwndOwner,
                                             info->lpszTitle != nullptr ? info->lpszTitle : "",
                                             info->ulFlags, t_selection};
  if (browser != nullptr) WindowManager::Destroy(browser);
  std::optional<std::string> answer = FolderBrowserDesk::Instance().Show(shown);
  if (!answer) return nullptr;
  if (info->pszDisplayName != nullptr) {
    std::string name = LastComponent(*answer).substr(0, MAX_PATH - 1);
    std::memcpy(info->pszDisplayName, name.c_str(), name.size() + 1);
  }
  // The id list is the path itself, in memory CoTaskMemFree releases.
  auto* list = static_cast<char*>(std::malloc(answer->size() + 1));
  if (list == nullptr) return nullptr;
  std::memcpy(list, answer->c_str(), answer->size() + 1);
  return reinterpret_cast<PIDLIST_ABSOLUTE>(list);
}

BOOL WINAPI SHGetPathFromIDListA(PCIDLIST_ABSOLUTE list, LPSTR path) {
  if (list == nullptr || path == nullptr) return FALSE;
  const char* text = reinterpret_cast<const char*>(list);
  const size_t n = std::min<size_t>(std::strlen(text), MAX_PATH - 1);
  std::memcpy(path, text, n);
  path[n] = '\0';
  return TRUE;
}

void WINAPI CoTaskMemFree(LPVOID memory) { std::free(memory); }

HINSTANCE WINAPI ShellExecuteA(HWND wnd, LPCSTR operation, LPCSTR file, LPCSTR parameters,
                               LPCSTR directory, INT showCommand) {
  auto text = [](LPCSTR s) { return std::string(s != nullptr ? s : ""); };
  FolderBrowserDesk::Instance().RecordExecute(
      {wnd, text(operation), text(file), text(parameters), text(directory), showCommand});
  return reinterpret_cast<HINSTANCE>(static_cast<ULONG_PTR>(42));  // above 32: success
}
