// Message boxes of the stand-in.
//
// No box is ever drawn: testkit's operator sees each box with all four arguments and
// answers it.
#pragma once

#include "win32/base.h"
#include "win32/window.h"

#define MB_OK 0x00000000L
#define MB_OKCANCEL 0x00000001L
#define MB_YESNO 0x00000004L
#define MB_TYPEMASK 0x0000000FL

#define MB_ICONHAND 0x00000010L
#define MB_ICONERROR MB_ICONHAND
#define MB_ICONQUESTION 0x00000020L
#define MB_ICONEXCLAMATION 0x00000030L
#define MB_ICONWARNING MB_ICONEXCLAMATION
#define MB_ICONINFORMATION 0x00000040L

#define IDOK 1
#define IDCANCEL 2
#define IDABORT 3
#define IDRETRY 4
#define IDIGNORE 5
#define IDYES 6
#define IDNO 7
#define IDCLOSE 8
#define IDHELP 9

// Returns the id of the button the operator chose. A NULL caption shows as "Error".
int WINAPI MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT type);
