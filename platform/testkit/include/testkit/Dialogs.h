// The operator in dialogs: what a test (or the host) does where a user would.
//
// A dialog is found by its template id once it has been shown and has had its first
// WM_PAINT. Actions are messages sent to the dialog's own thread, so they act inside its
// modal loop exactly as the user's clicks would, from any thread; reads take the
// controls' state directly. A script registered with OnDialog runs inside the modal
// loop itself, on the dialog's thread, once the dialog is up.
#pragma once

#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "win32/windows.h"

namespace testkit {

// The dialog of that template that is up (shown and painted), waiting up to timeout;
// NULL when none came.
HWND WaitForDialog(int templateId, std::chrono::milliseconds timeout = std::chrono::seconds(10));
// Waits until the dialog window is gone; false on time-out.
bool WaitForDialogEnd(HWND dlg, std::chrono::milliseconds timeout = std::chrono::seconds(10));
// The dialog of that template that is up now, or NULL.
HWND OpenDialog(int templateId);
// The template id of every dialog shown since the last ClearShownDialogs, in order.
std::vector<int> ShownDialogs();
void ClearShownDialogs();
// The template id a dialog window was made from; 0 for another window.
int DialogTemplateId(HWND dlg);

// Runs once inside the modal loop of the next dialog of that template, on its thread,
// after its first WM_PAINT; scripts for one template run in the order registered.
using DialogScript = std::function<void(HWND dlg)>;
void OnDialog(int templateId, DialogScript script);
void ClearDialogScripts();

// DialogBoxParamA of that template fails (-1, no WM_INITDIALOG) while set.
void FailDialogCreation(int templateId, bool fail = true);

// User actions. Each returns false when the control is missing, disabled or hidden, as
// a user could not act on it then.
// A button press: BM_CLICK (check boxes and radio buttons change their state, then the
// dialog gets WM_COMMAND BN_CLICKED).
bool Click(HWND dlg, int controlId);
// Clicks a check box when its state differs from checked.
bool SetCheck(HWND dlg, int controlId, bool checked);
// Types into an edit control: WM_SETTEXT, then WM_COMMAND EN_CHANGE to the dialog.
bool TypeText(HWND dlg, int controlId, const std::string& text);
// Picks a combo box item: CB_SETCURSEL, then WM_COMMAND CBN_SELCHANGE.
bool SelectItem(HWND dlg, int controlId, int index);
bool SelectItem(HWND dlg, int controlId, const std::string& text);
// Sets a date-time picker: DTM_SETSYSTEMTIME, then WM_NOTIFY DTN_DATETIMECHANGE.
bool SetDate(HWND dlg, int controlId, const SYSTEMTIME& time);
// The Esc key and the close box: WM_COMMAND IDCANCEL.
void PressEscape(HWND dlg);
void CloseBox(HWND dlg);
// A left click at a point of the dialog's client area: WM_SETCURSOR and WM_LBUTTONDOWN.
void ClickAt(HWND dlg, POINT client);

// What a control shows.
struct ControlState {
  std::string className;
  std::string text;
  LONG_PTR style = 0;
  bool visible = false;
  bool enabled = false;
  UINT check = 0;  // BST_*
  std::vector<std::string> items;
  std::vector<LPARAM> itemData;
  int selection = -1;
  int rangeLow = 0;
  int rangeHigh = 0;
  int position = 0;
  std::optional<SYSTEMTIME> time;  // date-time picker
  HANDLE image = nullptr;          // BM_SETIMAGE / STM_SETIMAGE
  HFONT font = nullptr;
  std::vector<std::string> tooltips;  // texts of the tooltip tools attached to it
  bool tooltipActive = false;         // one of those tooltip controls is activated
};
// Throws std::invalid_argument when the dialog has no such control.
ControlState Control(HWND dlg, int controlId);
std::string ControlText(HWND dlg, int controlId);
bool IsChecked(HWND dlg, int controlId);

// The tooltip texts attached to a control of the dialog (TTM_ADDTOOLA with
// TTF_IDISHWND on that control); active tells whether one of their tooltips is active.
std::vector<std::string> TooltipsOf(HWND dlg, int controlId, bool* active = nullptr);

}  // namespace testkit
