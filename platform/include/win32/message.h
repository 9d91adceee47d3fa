// Messages, message queues and timers of the stand-in's window manager.
//
// Every thread that creates a window or asks for messages has a queue. A message sent
// to a window of another thread is handled by that thread the next time it looks at its
// queue (GetMessageA, PeekMessageA, MsgWaitForMultipleObjects, a modal loop or its own
// SendMessageA); the sender waits for the result and meanwhile handles what other
// threads send to it, as on Windows.
#pragma once

#include "win32/base.h"

struct POINT {
  LONG x;
  LONG y;
};
using LPPOINT = POINT*;

struct MSG {
  HWND hwnd;
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
  DWORD time;
  POINT pt;
};
using LPMSG = MSG*;

using WNDPROC = LRESULT(CALLBACK*)(HWND, UINT, WPARAM, LPARAM);
using TIMERPROC = void(CALLBACK*)(HWND, UINT, UINT_PTR, DWORD);

#define WM_NULL 0x0000
#define WM_CREATE 0x0001
#define WM_DESTROY 0x0002
#define WM_MOVE 0x0003
#define WM_SIZE 0x0005
#define WM_ACTIVATE 0x0006
#define WM_SETFOCUS 0x0007
#define WM_KILLFOCUS 0x0008
#define WM_ENABLE 0x000A
#define WM_SETTEXT 0x000C
#define WM_GETTEXT 0x000D
#define WM_GETTEXTLENGTH 0x000E
#define WM_PAINT 0x000F
#define WM_CLOSE 0x0010
#define WM_QUIT 0x0012
#define WM_ERASEBKGND 0x0014
#define WM_SHOWWINDOW 0x0018
#define WM_SETCURSOR 0x0020
#define WM_NEXTDLGCTL 0x0028
#define WM_SETFONT 0x0030
#define WM_GETFONT 0x0031
#define WM_COPYDATA 0x004A
#define WM_NOTIFY 0x004E
#define WM_NCCREATE 0x0081
#define WM_NCDESTROY 0x0082
#define WM_KEYDOWN 0x0100
#define WM_KEYUP 0x0101
#define WM_CHAR 0x0102
#define WM_INITDIALOG 0x0110
#define WM_COMMAND 0x0111
#define WM_SYSCOMMAND 0x0112
#define WM_TIMER 0x0113
#define WM_CTLCOLOREDIT 0x0133
#define WM_CTLCOLORLISTBOX 0x0134
#define WM_CTLCOLORBTN 0x0135
#define WM_CTLCOLORDLG 0x0136
#define WM_CTLCOLORSTATIC 0x0138
#define WM_MOUSEMOVE 0x0200
#define WM_LBUTTONDOWN 0x0201
#define WM_LBUTTONUP 0x0202
#define WM_USER 0x0400
#define WM_APP 0x8000

#define SC_CLOSE 0xF060

#define VK_RETURN 0x0D
#define VK_ESCAPE 0x1B

#define PM_NOREMOVE 0x0000
#define PM_REMOVE 0x0001

// Wake masks of MsgWaitForMultipleObjects.
#define QS_KEY 0x0001
#define QS_MOUSEMOVE 0x0002
#define QS_MOUSEBUTTON 0x0004
#define QS_POSTMESSAGE 0x0008
#define QS_TIMER 0x0010
#define QS_PAINT 0x0020
#define QS_SENDMESSAGE 0x0040
#define QS_HOTKEY 0x0080
#define QS_ALLPOSTMESSAGE 0x0100
#define QS_RAWINPUT 0x0400
#define QS_MOUSE (QS_MOUSEMOVE | QS_MOUSEBUTTON)
#define QS_INPUT (QS_MOUSE | QS_KEY | QS_RAWINPUT)
#define QS_ALLEVENTS (QS_INPUT | QS_POSTMESSAGE | QS_TIMER | QS_PAINT | QS_HOTKEY)
#define QS_ALLINPUT (QS_INPUT | QS_POSTMESSAGE | QS_TIMER | QS_PAINT | QS_HOTKEY | QS_SENDMESSAGE)

// The data of WM_COPYDATA (lParam); wParam is the sending window.
struct COPYDATASTRUCT {
  ULONG_PTR dwData;
  DWORD cbData;
  PVOID lpData;
};
using PCOPYDATASTRUCT = COPYDATASTRUCT*;

#define ERROR_INVALID_WINDOW_HANDLE 1400L
#define ERROR_WINDOW_OF_OTHER_THREAD 1408L
#define ERROR_INVALID_THREAD_ID 1444L
#define ERROR_TIMEOUT 1460L

// Synchronous: returns the window procedure's result. To a window of another thread it
// returns once that thread handled the message, 0 when the window goes away first.
LRESULT WINAPI SendMessageA(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam);
// Queues the message for the window's thread; FALSE (1400) for a non-window. A NULL
// window posts to the calling thread.
BOOL WINAPI PostMessageA(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam);
BOOL WINAPI PostThreadMessageA(DWORD threadId, UINT msg, WPARAM wParam, LPARAM lParam);
// WM_QUIT with the code is seen once every other posted message has been retrieved.
void WINAPI PostQuitMessage(int exitCode);

// Handles sent messages while it waits; FALSE (0) for WM_QUIT, -1 for a bad window
// filter. wnd and the range filter posted messages, as on Windows.
BOOL WINAPI GetMessageA(LPMSG msg, HWND wnd, UINT filterMin, UINT filterMax);
// Never waits; handles sent messages first. TRUE when a message was found.
BOOL WINAPI PeekMessageA(LPMSG msg, HWND wnd, UINT filterMin, UINT filterMax, UINT remove);
// No keyboard here: nothing to translate; FALSE.
BOOL WINAPI TranslateMessage(const MSG* msg);
// Calls the window procedure (or the timer procedure of a WM_TIMER) on this thread.
LRESULT WINAPI DispatchMessageA(const MSG* msg);

// WAIT_OBJECT_0 + i when handle i is signalled (all of them with waitAll), WAIT_OBJECT_0
// + count when input of the mask arrived for the calling thread, WAIT_TIMEOUT, or
// WAIT_FAILED for a bad handle. Messages sent from other threads are handled while it
// waits.
DWORD WINAPI MsgWaitForMultipleObjects(DWORD count, const HANDLE* handles, BOOL waitAll,
                                       DWORD milliseconds, DWORD wakeMask);

// A window timer: WM_TIMER with wParam = id through the window's thread every elapse ms
// (the settable clock's tick count); the same window and id replace the timer. With a
// NULL window a new id is made. Returns the id, 0 on failure.
UINT_PTR WINAPI SetTimer(HWND wnd, UINT_PTR id, UINT elapse, TIMERPROC proc);
BOOL WINAPI KillTimer(HWND wnd, UINT_PTR id);
