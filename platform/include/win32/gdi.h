// GDI objects of the stand-in: fonts, brushes, bitmaps, icons and device contexts are
// handles with recorded attributes, never rendered. Every object a call creates is
// counted until it is deleted, so tests see leaks (testkit/Windows.h).
#pragma once

#include "win32/base.h"
#include "win32/window.h"

#define LF_FACESIZE 32
struct LOGFONTA {
  LONG lfHeight;
  LONG lfWidth;
  LONG lfEscapement;
  LONG lfOrientation;
  LONG lfWeight;
  BYTE lfItalic;
  BYTE lfUnderline;
  BYTE lfStrikeOut;
  BYTE lfCharSet;
  BYTE lfOutPrecision;
  BYTE lfClipPrecision;
  BYTE lfQuality;
  BYTE lfPitchAndFamily;
  CHAR lfFaceName[LF_FACESIZE];
};
using LPLOGFONTA = LOGFONTA*;

struct BITMAP {
  LONG bmType;
  LONG bmWidth;
  LONG bmHeight;
  LONG bmWidthBytes;
  WORD bmPlanes;
  WORD bmBitsPixel;
  LPVOID bmBits;
};

#define FW_DONTCARE 0
#define FW_NORMAL 400
#define FW_BOLD 700
#define DEFAULT_CHARSET 1

#define COLOR_WINDOW 5
#define COLOR_WINDOWTEXT 8
#define COLOR_HIGHLIGHT 13
#define COLOR_BTNFACE 15
#define COLOR_3DFACE COLOR_BTNFACE
#define COLOR_GRAYTEXT 17
#define COLOR_BTNTEXT 18

#define TRANSPARENT 1
#define OPAQUE 2
#define CLR_INVALID 0xFFFFFFFF

#define SRCCOPY 0x00CC0020L
#define DI_MASK 0x0001
#define DI_IMAGE 0x0002
#define DI_NORMAL 0x0003

#define IMAGE_BITMAP 0
#define IMAGE_ICON 1
#define IMAGE_CURSOR 2
#define LR_DEFAULTCOLOR 0x00000000
#define LR_LOADFROMFILE 0x00000010
#define LR_DEFAULTSIZE 0x00000040
#define LR_SHARED 0x00008000

#define WHITE_BRUSH 0
#define NULL_BRUSH 5
#define DEFAULT_GUI_FONT 17

#define IDI_APPLICATION MAKEINTRESOURCEA(32512)

COLORREF WINAPI GetSysColor(int index);
// A shared brush of the system colour: never deleted, not counted.
HBRUSH WINAPI GetSysColorBrush(int index);
// Stock objects are shared, never deleted and not counted.
HGDIOBJ WINAPI GetStockObject(int index);

HFONT WINAPI CreateFontIndirectA(const LOGFONTA* font);
HBRUSH WINAPI CreateSolidBrush(COLORREF color);
// Fills the LOGFONTA of a font or the BITMAP of a bitmap; returns the bytes written, 0
// for an unknown object or a buffer that is too small.
int WINAPI GetObjectA(HGDIOBJ object, int size, LPVOID buffer);
// FALSE for an unknown, stock or selected object.
BOOL WINAPI DeleteObject(HGDIOBJ object);

// GetDC(NULL) is the screen; ReleaseDC ends it. The memory DCs of CreateCompatibleDC
// are deleted with DeleteDC.
HDC WINAPI GetDC(HWND wnd);
int WINAPI ReleaseDC(HWND wnd, HDC dc);
HDC WINAPI CreateCompatibleDC(HDC dc);
BOOL WINAPI DeleteDC(HDC dc);
HBITMAP WINAPI CreateCompatibleBitmap(HDC dc, int width, int height);
// Returns the object of the same kind selected before (the DC's default at first).
HGDIOBJ WINAPI SelectObject(HDC dc, HGDIOBJ object);
COLORREF WINAPI SetBkColor(HDC dc, COLORREF color);
COLORREF WINAPI SetTextColor(HDC dc, COLORREF color);
int WINAPI SetBkMode(HDC dc, int mode);
int WINAPI FillRect(HDC dc, const RECT* rect, HBRUSH brush);
BOOL WINAPI DrawIconEx(HDC dc, int x, int y, HICON icon, int width, int height, UINT step,
                       HBRUSH flicker, UINT flags);
BOOL WINAPI BitBlt(HDC dest, int x, int y, int width, int height, HDC src, int srcX, int srcY,
                   DWORD rop);

// Icons and bitmaps of a module's resource script (ICON and BITMAP statements), by id.
// NULL with 1814 when the module has no such image.
HICON WINAPI LoadIconA(HINSTANCE instance, LPCSTR name);
HBITMAP WINAPI LoadBitmapA(HINSTANCE instance, LPCSTR name);
// IMAGE_ICON or IMAGE_BITMAP at the given size (0: the image's own).
HANDLE WINAPI LoadImageA(HINSTANCE instance, LPCSTR name, UINT type, int cx, int cy, UINT flags);
BOOL WINAPI DestroyIcon(HICON icon);
