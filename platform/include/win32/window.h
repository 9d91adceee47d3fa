// Windows of the stand-in: classes, creation and destruction, the state each window
// keeps (control id, parent, text, rectangle, style, visibility, enabled) that dialogs
// and their controls use and tests read back, the active, focus and foreground windows.
// A window belongs to the thread that created it; nothing is drawn.
#pragma once

#include "win32/base.h"
#include "win32/message.h"

struct RECT {
  LONG left;
  LONG top;
  LONG right;
  LONG bottom;
};
using LPRECT = RECT*;

struct WNDCLASSA {
  UINT style;
  WNDPROC lpfnWndProc;
  int cbClsExtra;
  int cbWndExtra;
  HINSTANCE hInstance;
  HICON hIcon;
  HCURSOR hCursor;
  HBRUSH hbrBackground;
  LPCSTR lpszMenuName;
  LPCSTR lpszClassName;
};

struct CREATESTRUCTA {
  LPVOID lpCreateParams;
  HINSTANCE hInstance;
  HANDLE hMenu;
  HWND hwndParent;
  int cy;
  int cx;
  int y;
  int x;
  LONG style;
  LPCSTR lpszName;
  LPCSTR lpszClass;
  DWORD dwExStyle;
};
using LPCREATESTRUCTA = CREATESTRUCTA*;

using ATOM = WORD;
using HMENU = HANDLE;

#define WS_OVERLAPPED 0x00000000L
#define WS_POPUP 0x80000000L
#define WS_CHILD 0x40000000L
#define WS_MINIMIZE 0x20000000L
#define WS_VISIBLE 0x10000000L
#define WS_DISABLED 0x08000000L
#define WS_CLIPSIBLINGS 0x04000000L
#define WS_CLIPCHILDREN 0x02000000L
#define WS_MAXIMIZE 0x01000000L
#define WS_CAPTION 0x00C00000L
#define WS_BORDER 0x00800000L
#define WS_DLGFRAME 0x00400000L
#define WS_VSCROLL 0x00200000L
#define WS_HSCROLL 0x00100000L
#define WS_SYSMENU 0x00080000L
#define WS_THICKFRAME 0x00040000L
#define WS_GROUP 0x00020000L
#define WS_TABSTOP 0x00010000L
#define WS_MINIMIZEBOX 0x00020000L
#define WS_MAXIMIZEBOX 0x00010000L
#define WS_OVERLAPPEDWINDOW \
  (WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX)
#define WS_POPUPWINDOW (WS_POPUP | WS_BORDER | WS_SYSMENU)

#define WS_EX_DLGMODALFRAME 0x00000001L
#define WS_EX_TOPMOST 0x00000008L
#define WS_EX_TOOLWINDOW 0x00000080L
#define WS_EX_CLIENTEDGE 0x00000200L
#define WS_EX_STATICEDGE 0x00020000L

#define CW_USEDEFAULT (static_cast<int>(0x80000000))
#define HWND_DESKTOP (static_cast<HWND>(nullptr))

#define SW_HIDE 0
#define SW_SHOWNORMAL 1
#define SW_NORMAL 1
#define SW_SHOWMINIMIZED 2
#define SW_SHOWMAXIMIZED 3
#define SW_SHOWNOACTIVATE 4
#define SW_SHOW 5
#define SW_MINIMIZE 6
#define SW_SHOWNA 8
#define SW_RESTORE 9

#define GWLP_WNDPROC (-4)
#define GWLP_HINSTANCE (-6)
#define GWLP_ID (-12)
#define GWL_STYLE (-16)
#define GWL_EXSTYLE (-20)
#define GWLP_USERDATA (-21)
#define GWL_USERDATA GWLP_USERDATA

// Slots of a dialog window (64-bit layout).
#define DWLP_MSGRESULT 0
#define DWLP_DLGPROC 8
#define DWLP_USER 16
#define DWL_MSGRESULT DWLP_MSGRESULT
#define DWL_DLGPROC DWLP_DLGPROC
#define DWL_USER DWLP_USER

// Button style, also kept by the window table for the language files' multi-line switch.
#define BS_MULTILINE 0x00002000L

#define ERROR_CANNOT_FIND_WND_CLASS 1407L
#define ERROR_CLASS_ALREADY_EXISTS 1410L
#define ERROR_CLASS_DOES_NOT_EXIST 1411L
#define ERROR_CLASS_HAS_WINDOWS 1412L
#define ERROR_CONTROL_ID_NOT_FOUND 1421L

// Class names compare without regard to case. A second class of the same name and
// instance fails with 1410. Returns the class atom, 0 on failure.
ATOM WINAPI RegisterClassA(const WNDCLASSA* wndClass);
BOOL WINAPI UnregisterClassA(LPCSTR className, HINSTANCE instance);

// WM_NCCREATE and WM_CREATE (lParam: the CREATESTRUCTA with lpCreateParams = param)
// reach the window procedure before the call returns; -1 from WM_CREATE destroys the
// window and gives NULL. The window belongs to the calling thread. For a child window
// (WS_CHILD) menu is the control id.
HWND WINAPI CreateWindowExA(DWORD exStyle, LPCSTR className, LPCSTR windowName, DWORD style, int x,
                            int y, int width, int height, HWND parent, HMENU menu,
                            HINSTANCE instance, LPVOID param);
// WM_DESTROY then WM_NCDESTROY to the window and its children, whose timers die with
// them. Only the owning thread may destroy a window (1408 otherwise).
BOOL WINAPI DestroyWindow(HWND wnd);
LRESULT WINAPI DefWindowProcA(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam);
LRESULT WINAPI CallWindowProcA(WNDPROC proc, HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam);
BOOL WINAPI IsWindow(HWND wnd);

// A top-level window of the class (NULL: any) with the title (NULL: any), of any thread.
HWND WINAPI FindWindowA(LPCSTR className, LPCSTR windowName);
HWND WINAPI GetParent(HWND wnd);
// The thread that owns the window; 0 for a non-window.
DWORD WINAPI GetWindowThreadProcessId(HWND wnd, LPDWORD processId);

// The child of dlg with that control id, or NULL (error 1421).
HWND WINAPI GetDlgItem(HWND dlg, int id);
int WINAPI GetDlgCtrlID(HWND wnd);

BOOL WINAPI SetWindowTextA(HWND wnd, LPCSTR text);
// Copies at most count - 1 characters and a NUL; returns the characters copied.
int WINAPI GetWindowTextA(HWND wnd, LPSTR text, int count);
int WINAPI GetWindowTextLengthA(HWND wnd);

// The window's rectangle in screen coordinates.
BOOL WINAPI GetWindowRect(HWND wnd, LPRECT rect);
// The client area: 0, 0, width, height.
BOOL WINAPI GetClientRect(HWND wnd, LPRECT rect);

// Converts points from the client coordinates of from to those of to; a NULL window
// stands for the screen. Returns the offset added (low word x, high word y), 0 on failure.
int WINAPI MapWindowPoints(HWND from, HWND to, LPPOINT points, UINT count);
BOOL WINAPI ScreenToClient(HWND wnd, LPPOINT point);
BOOL WINAPI ClientToScreen(HWND wnd, LPPOINT point);

// Moves a window: x, y in the parent's client coordinates, or screen coordinates for a
// window without parent.
BOOL WINAPI MoveWindow(HWND wnd, int x, int y, int width, int height, BOOL repaint);

// Returns whether the window was visible before the call. Showing a hidden window asks
// for a WM_PAINT.
BOOL WINAPI ShowWindow(HWND wnd, int command);
BOOL WINAPI IsWindowVisible(HWND wnd);
// Returns whether the window was disabled before the call.
BOOL WINAPI EnableWindow(HWND wnd, BOOL enable);
BOOL WINAPI IsWindowEnabled(HWND wnd);
// Asks for a WM_PAINT; nothing is drawn.
BOOL WINAPI InvalidateRect(HWND wnd, const RECT* rect, BOOL erase);
BOOL WINAPI UpdateWindow(HWND wnd);

LONG_PTR WINAPI GetWindowLongPtrA(HWND wnd, int index);
// Returns the previous value, 0 on failure.
LONG_PTR WINAPI SetWindowLongPtrA(HWND wnd, int index, LONG_PTR value);

// The calling thread's active window, or NULL.
HWND WINAPI GetActiveWindow();
HWND WINAPI SetActiveWindow(HWND wnd);
// TRUE and recorded for a window; FALSE with 1400 for a non-window.
BOOL WINAPI SetForegroundWindow(HWND wnd);
HWND WINAPI GetForegroundWindow();
// The calling thread's focus window; SetFocus returns the previous one.
HWND WINAPI SetFocus(HWND wnd);
HWND WINAPI GetFocus();

#define IDC_ARROW MAKEINTRESOURCEA(32512)
#define IDC_WAIT MAKEINTRESOURCEA(32514)
#define IDC_HAND MAKEINTRESOURCEA(32649)

// System cursors (instance NULL) are shared handles that are never destroyed.
HCURSOR WINAPI LoadCursorA(HINSTANCE instance, LPCSTR name);
// Returns the previous cursor of the process; tests read the current one.
HCURSOR WINAPI SetCursor(HCURSOR cursor);
