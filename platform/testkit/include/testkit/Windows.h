// The stand-in's window manager, GDI, threads and processes as tests see and steer them.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "win32/windows.h"

namespace testkit {

struct TestControl {
  int id = 0;
  std::string text;
  RECT rect{};  // in the dialog's client coordinates
  LONG_PTR style = 0;
  bool visible = true;
};

// A top-level dialog at rect (screen coordinates) with a frame and caption around its
// client area, holding the given static controls; it belongs to the calling thread.
HWND CreateTestDialog(const std::vector<TestControl>& controls,
                      const RECT& rect = RECT{100, 100, 500, 400}, const std::string& caption = "");
// Removes a window and its children without messages.
void DestroyTestWindow(HWND wnd);
// Removes every window without messages.
void ResetWindows();

std::string WindowText(HWND wnd);
// Relative to the parent's client area; screen coordinates for a dialog.
RECT WindowRect(HWND wnd);
LONG_PTR WindowStyle(HWND wnd);
bool WindowVisible(HWND wnd);
bool WindowEnabled(HWND wnd);
std::string WindowClass(HWND wnd);
// Top-level windows that exist now, of any thread.
std::vector<HWND> TopLevelWindows();
// The window's children in the order Windows keeps them: a dialog's controls in the
// order of its template.
std::vector<HWND> ChildWindows(HWND parent);
// The windows SetForegroundWindow was called on, oldest first.
std::vector<HWND> ForegroundCalls();
void ClearForegroundCalls();
// The cursor SetCursor set last.
HCURSOR CurrentCursor();
// Live timers of the window.
std::vector<UINT_PTR> Timers(HWND wnd);

// GDI objects created and not yet deleted (fonts, brushes, bitmaps, icons, memory DCs,
// screen DCs not released); stock objects and system-colour brushes do not count.
int GdiObjectCount();
// The description a font was created with; throws std::invalid_argument for another
// handle.
LOGFONTA FontOf(HFONT font);
// A bitmap or icon as created and drawn into; throws std::invalid_argument for
// another handle.
struct ImageInfo {
  bool icon = false;
  int width = 0;
  int height = 0;
  WORD resourceId = 0;  // loaded from resources
  bool filled = false;  // FillRect drew over the whole of it
  COLORREF fillColor = 0;
  WORD iconId = 0;  // the resource id of the icon DrawIconEx drew into it
};
ImageInfo ImageOf(HANDLE image);
// The colours SetBkColor and SetTextColor gave the device context last.
COLORREF BackColorOf(HDC dc);
COLORREF TextColorOf(HDC dc);

// Events, mutexes, threads and processes that exist: some handle of theirs is open,
// or (threads and processes) they still run.
int LiveSyncObjects();

// The next count calls fail (NULL, ERROR_NOT_ENOUGH_MEMORY).
void FailCreateEvent(int count = 1);
void FailCreateThread(int count = 1);
// InitCommonControlsEx answers FALSE while set.
void FailInitCommonControls(bool fail);

// A program CreateProcessA can start: main runs on a thread of its own with the command
// line and its result is the exit code. The path is a Windows path, compared without
// regard to case and separator kind. An empty function removes the program.
using ProgramMain = std::function<DWORD(const std::string& commandLine)>;
void RegisterProgram(const std::string& windowsPath, ProgramMain main);
// CreateProcessA of that program fails with the error while it is not 0.
void FailProgramStart(const std::string& windowsPath, DWORD error);
// Every application name CreateProcessA was called with, oldest first.
std::vector<std::string> StartedPrograms();
void ClearStartedPrograms();

}  // namespace testkit
