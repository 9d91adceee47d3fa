// Windows of the stand-in: per-window state (control id, parent, text, rectangle,
// style, visibility) that dialogs and their controls keep and tests read back.
#pragma once

#include "win32/base.h"

struct POINT {
  LONG x;
  LONG y;
};
using LPPOINT = POINT*;

struct RECT {
  LONG left;
  LONG top;
  LONG right;
  LONG bottom;
};
using LPRECT = RECT*;

#define SW_HIDE 0
#define SW_SHOW 5

#define GWL_STYLE (-16)

#define BS_MULTILINE 0x00002000L

#define ERROR_INVALID_WINDOW_HANDLE 1400L
#define ERROR_CONTROL_ID_NOT_FOUND 1421L

// The child of dlg with that control id, or NULL (error 1421).
HWND WINAPI GetDlgItem(HWND dlg, int id);

BOOL WINAPI SetWindowTextA(HWND wnd, LPCSTR text);
// Copies at most count - 1 characters and a NUL; returns the characters copied.
int WINAPI GetWindowTextA(HWND wnd, LPSTR text, int count);

// The window's rectangle in screen coordinates.
BOOL WINAPI GetWindowRect(HWND wnd, LPRECT rect);

// Converts points from the client coordinates of from to those of to; a NULL window
// stands for the screen. Returns the offset added (low word x, high word y), 0 on failure.
int WINAPI MapWindowPoints(HWND from, HWND to, LPPOINT points, UINT count);

// Moves a window: x, y in the parent's client coordinates, or screen coordinates for a
// window without parent.
BOOL WINAPI MoveWindow(HWND wnd, int x, int y, int width, int height, BOOL repaint);

// Returns whether the window was visible before the call.
BOOL WINAPI ShowWindow(HWND wnd, int command);

LONG_PTR WINAPI GetWindowLongPtrA(HWND wnd, int index);
// Returns the previous value, 0 on failure.
LONG_PTR WINAPI SetWindowLongPtrA(HWND wnd, int index, LONG_PTR value);
