// The Win32 dialog calls: modal dialogs from templates and the dialog item helpers.
#include <cstdio>
#include <cstdlib>

#include "module/ModuleTable.h"
#include "thread/SyncHub.h"
#include "thread/ThreadQueues.h"
#include "win32/dialog.h"
#include "win32/module.h"
#include "win32/process.h"
#include "window/DialogBuilder.h"
#include "window/DialogRegistry.h"
#include "window/ModalLoop.h"
#include "window/WindowManager.h"
#include "window/WindowTable.h"

using kelvra::platform::DialogBuilder;
using kelvra::platform::DialogRegistry;
using kelvra::platform::ModalLoop;
using kelvra::platform::ModuleTable;
using kelvra::platform::WindowManager;
using kelvra::platform::WindowState;
using kelvra::platform::WindowTable;

namespace {

HWND TopLevelOf(HWND wnd) {
  while (wnd != nullptr) {
    auto state = WindowTable::Instance().Get(wnd);
    if (!state) return nullptr;
    if (state->parent == nullptr) return wnd;
    wnd = state->parent;
  }
  return nullptr;
}

HWND FirstTabStop(HWND dlg) {
  for (HWND child : WindowTable::Instance().Children(dlg)) {
    auto state = WindowTable::Instance().Get(child);
    if (state && (state->style & WS_TABSTOP) != 0 && state->enabled && state->visible) return child;
  }
  return nullptr;
}

bool EndedOrGone(HWND dlg) {
  auto state = WindowTable::Instance().Get(dlg);
  return !state || state->dialogEnded;
}

INT_PTR ResultOf(HWND dlg) {
  auto state = WindowTable::Instance().Get(dlg);
  return state ? state->dialogResult : 0;
}

// Shows the dialog over its disabled owner and runs its loop; the owner is enabled
// again (and active again on this thread) before the dialog is destroyed.
ModalLoop::Outcome ShowModal(HWND dlg, HWND owner, int templateId) {
  const bool disabledOwner =
      owner != nullptr && IsWindowEnabled(owner) && !EnableWindow(owner, FALSE);
  ModalLoop::Outcome outcome;
  if (!EndedOrGone(dlg)) {
    ShowWindow(dlg, SW_SHOW);
    SetActiveWindow(dlg);
    DialogRegistry::Instance().Opened(dlg, templateId);
    outcome = ModalLoop::Run(dlg, templateId);
  }
  if (disabledOwner) EnableWindow(owner, TRUE);
  const bool ownOwner =
      owner != nullptr && WindowTable::Instance().ThreadOf(owner) == GetCurrentThreadId();
  SetActiveWindow(ownOwner ? owner : nullptr);
  return outcome;
}

}  // namespace

INT_PTR WINAPI DialogBoxParamA(HINSTANCE instance, LPCSTR templateName, HWND parent,
                               DLGPROC dialogProc, LPARAM param) {
  if (!IS_INTRESOURCE(templateName)) {
    SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
    return -1;
  }
  const WORD id = LOWORD(reinterpret_cast<ULONG_PTR>(templateName));
  HMODULE module = instance != nullptr ? instance : GetModuleHandleA(nullptr);
  auto dialog = ModuleTable::Instance().FindDialog(module, id);
  if (!dialog) {
    SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
    return -1;
  }
  if (DialogRegistry::Instance().Failing(id)) {
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return -1;
  }
  HWND owner = TopLevelOf(parent);
  HWND dlg = DialogBuilder::Build(*dialog, owner, dialogProc, module);
  if (dlg == nullptr) return -1;
  HWND first = FirstTabStop(dlg);
  if (WindowManager::Call(dlg, WM_INITDIALOG, reinterpret_cast<WPARAM>(first), param) != 0 &&
      first != nullptr)
    SetFocus(first);
  ModalLoop::Outcome outcome;
  try {
    outcome = ShowModal(dlg, owner, id);
  } catch (...) {
    // An operator's script threw inside the loop: the dialog goes, as its thread's end
    // would take it, and nothing is left open for the next test.
    DialogBuilder::Discard(dlg);
    DialogRegistry::Instance().Closed(dlg);
    throw;
  }
  const INT_PTR result = ResultOf(dlg);
  DialogBuilder::Discard(dlg);
  DialogRegistry::Instance().Closed(dlg);
  if (outcome.quit) PostQuitMessage(outcome.quitCode);
  return result;
}

BOOL WINAPI EndDialog(HWND dlg, INT_PTR result) {
  if (!WindowTable::Instance().With(dlg, [&](WindowState& s) {
        s.dialogEnded = true;
        s.dialogResult = result;
      }))
    return FALSE;
  kelvra::platform::SyncHub::Instance().NotifyAll();
  return TRUE;
}

BOOL WINAPI SetDlgItemTextA(HWND dlg, int id, LPCSTR text) {
  HWND item = GetDlgItem(dlg, id);
  return item != nullptr ? SetWindowTextA(item, text) : FALSE;
}

UINT WINAPI GetDlgItemTextA(HWND dlg, int id, LPSTR text, int count) {
  HWND item = GetDlgItem(dlg, id);
  if (item == nullptr) {
    if (text != nullptr && count > 0) *text = '\0';
    return 0;
  }
  return static_cast<UINT>(GetWindowTextA(item, text, count));
}

BOOL WINAPI SetDlgItemInt(HWND dlg, int id, UINT value, BOOL isSigned) {
  char text[16];
  if (isSigned)
    std::snprintf(text, sizeof text, "%d", static_cast<int>(value));
  else
    std::snprintf(text, sizeof text, "%u", value);
  return SetDlgItemTextA(dlg, id, text);
}

UINT WINAPI GetDlgItemInt(HWND dlg, int id, BOOL* translated, BOOL isSigned) {
  char text[32] = "";
  GetDlgItemTextA(dlg, id, text, sizeof text);
  char* end = nullptr;
  const long long value = isSigned ? std::strtoll(text, &end, 10)
                                   : static_cast<long long>(std::strtoull(text, &end, 10));
  const bool ok = end != text && *end == '\0';
  if (translated != nullptr) *translated = ok ? TRUE : FALSE;
  return ok ? static_cast<UINT>(value) : 0;
}

LRESULT WINAPI SendDlgItemMessageA(HWND dlg, int id, UINT msg, WPARAM wParam, LPARAM lParam) {
  HWND item = GetDlgItem(dlg, id);
  return item != nullptr ? SendMessageA(item, msg, wParam, lParam) : 0;
}

BOOL WINAPI CheckDlgButton(HWND dlg, int id, UINT check) {
  HWND item = GetDlgItem(dlg, id);
  if (item == nullptr) return FALSE;
  SendMessageA(item, BM_SETCHECK, check, 0);
  return TRUE;
}

UINT WINAPI IsDlgButtonChecked(HWND dlg, int id) {
  return static_cast<UINT>(SendDlgItemMessageA(dlg, id, BM_GETCHECK, 0, 0));
}

BOOL WINAPI CheckRadioButton(HWND dlg, int first, int last, int check) {
  for (int id = first; id <= last; ++id)
    if (GetDlgItem(dlg, id) != nullptr)
      CheckDlgButton(dlg, id, id == check ? BST_CHECKED : BST_UNCHECKED);
  return TRUE;
}
