#include "testkit/Dialogs.h"

#include <stdexcept>

#include "window/DialogRegistry.h"
#include "window/WindowTable.h"

namespace testkit {

using kelvra::platform::DialogRegistry;
using kelvra::platform::WindowState;
using kelvra::platform::WindowTable;

namespace {

// The control a user can act on: present, enabled and visible; else NULL.
HWND Actionable(HWND dlg, int controlId) {
  HWND control = GetDlgItem(dlg, controlId);
  if (control == nullptr) return nullptr;
  auto state = WindowTable::Instance().Get(control);
  return state && state->enabled && state->visible ? control : nullptr;
}

WindowState ControlStateOf(HWND dlg, int controlId) {
  HWND control = GetDlgItem(dlg, controlId);
  auto state = control != nullptr ? WindowTable::Instance().Get(control) : std::nullopt;
  if (!state)
    throw std::invalid_argument("testkit: the dialog has no control " + std::to_string(controlId));
  return *state;
}

void Command(HWND dlg, HWND control, WORD code) {
  SendMessageA(dlg, WM_COMMAND, MAKELONG(static_cast<WORD>(GetDlgCtrlID(control)), code),
               reinterpret_cast<LPARAM>(control));
}

}  // namespace

HWND WaitForDialog(int templateId, std::chrono::milliseconds timeout) {
  return DialogRegistry::Instance().WaitFor(templateId, timeout);
}

bool WaitForDialogEnd(HWND dlg, std::chrono::milliseconds timeout) {
  return DialogRegistry::Instance().WaitGone(dlg, timeout);
}

HWND OpenDialog(int templateId) { return DialogRegistry::Instance().Open(templateId); }

std::vector<int> ShownDialogs() { return DialogRegistry::Instance().Shown(); }

void ClearShownDialogs() { DialogRegistry::Instance().ClearShown(); }

int DialogTemplateId(HWND dlg) {
  auto state = WindowTable::Instance().Get(dlg);
  return state ? state->templateId : 0;
}

void OnDialog(int templateId, DialogScript script) {
  DialogRegistry::Instance().AddScript(templateId, std::move(script));
}

void ClearDialogScripts() { DialogRegistry::Instance().ClearScripts(); }

void FailDialogCreation(int templateId, bool fail) {
  DialogRegistry::Instance().SetFailing(templateId, fail);
}

bool Click(HWND dlg, int controlId) {
  HWND control = Actionable(dlg, controlId);
  if (control == nullptr) return false;
  SendMessageA(control, BM_CLICK, 0, 0);
  return true;
}

bool SetCheck(HWND dlg, int controlId, bool checked) {
  HWND control = Actionable(dlg, controlId);
  if (control == nullptr) return false;
  if ((SendMessageA(control, BM_GETCHECK, 0, 0) == BST_CHECKED) != checked)
    SendMessageA(control, BM_CLICK, 0, 0);
  return true;
}

bool TypeText(HWND dlg, int controlId, const std::string& text) {
  HWND control = Actionable(dlg, controlId);
  if (control == nullptr) return false;
  const LRESULT limit = SendMessageA(control, EM_GETLIMITTEXT, 0, 0);
  const std::string typed = limit > 0 ? text.substr(0, static_cast<size_t>(limit)) : text;
  SendMessageA(control, WM_SETTEXT, 0,
               reinterpret_cast<LPARAM>(typed.c_str()));  // the edit reports EN_CHANGE
  return true;
}

bool SelectItem(HWND dlg, int controlId, int index) {
  HWND control = Actionable(dlg, controlId);
  if (control == nullptr ||
      SendMessageA(control, CB_SETCURSEL, static_cast<WPARAM>(index), 0) == CB_ERR)
    return false;
  Command(dlg, control, CBN_SELCHANGE);
  return true;
}

bool SelectItem(HWND dlg, int controlId, const std::string& text) {
  HWND control = Actionable(dlg, controlId);
  if (control == nullptr) return false;
  const LRESULT index = SendMessageA(control, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                     reinterpret_cast<LPARAM>(text.c_str()));
  return index != CB_ERR && SelectItem(dlg, controlId, static_cast<int>(index));
}

bool SetDate(HWND dlg, int controlId, const SYSTEMTIME& time) {
  HWND control = Actionable(dlg, controlId);
  if (control == nullptr ||
      !SendMessageA(control, DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&time)))
    return false;
  NMHDR header{control, static_cast<UINT_PTR>(controlId), DTN_DATETIMECHANGE};
  SendMessageA(dlg, WM_NOTIFY, static_cast<WPARAM>(controlId), reinterpret_cast<LPARAM>(&header));
  return true;
}

void PressEscape(HWND dlg) {
  SendMessageA(dlg, WM_COMMAND, MAKELONG(IDCANCEL, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(dlg, IDCANCEL)));
}

void CloseBox(HWND dlg) { SendMessageA(dlg, WM_SYSCOMMAND, SC_CLOSE, 0); }

void ClickAt(HWND dlg, POINT client) {
  SendMessageA(dlg, WM_SETCURSOR, reinterpret_cast<WPARAM>(dlg), MAKELONG(1, WM_LBUTTONDOWN));
  SendMessageA(dlg, WM_LBUTTONDOWN, 0,
               MAKELONG(static_cast<WORD>(client.x), static_cast<WORD>(client.y)));
}

ControlState Control(HWND dlg, int controlId) {
  WindowState s = ControlStateOf(dlg, controlId);
  ControlState c;
  c.className = s.className;
  c.text = s.text;
  c.style = s.style;
  c.visible = s.visible;
  c.enabled = s.enabled;
  c.check = s.control.check;
  c.items = s.control.items;
  c.itemData = s.control.itemData;
  c.selection = s.control.selection;
  c.rangeLow = s.control.low;
  c.rangeHigh = s.control.high;
  c.position = s.control.position;
  if (s.className == DATETIMEPICK_CLASSA && s.control.timeValid) c.time = s.control.time;
  c.image = s.control.image;
  c.font = s.font;
  c.tooltips = TooltipsOf(dlg, controlId, &c.tooltipActive);
  return c;
}

std::string ControlText(HWND dlg, int controlId) { return ControlStateOf(dlg, controlId).text; }

bool IsChecked(HWND dlg, int controlId) {
  return ControlStateOf(dlg, controlId).control.check == BST_CHECKED;
}

std::vector<std::string> TooltipsOf(HWND dlg, int controlId, bool* active) {
  HWND control = GetDlgItem(dlg, controlId);
  std::vector<std::string> texts;
  if (active != nullptr) *active = false;
  if (control == nullptr) return texts;
  for (HWND wnd : WindowTable::Instance().Family(dlg)) {
    auto state = WindowTable::Instance().Get(wnd);
    if (!state || state->className != TOOLTIPS_CLASSA) continue;
    for (const auto& tool : state->control.tools)
      if ((tool.flags & TTF_IDISHWND) != 0 && tool.id == reinterpret_cast<UINT_PTR>(control)) {
        texts.push_back(tool.text);
        if (active != nullptr) *active = *active || state->control.active;
      }
  }
  return texts;
}

}  // namespace testkit
