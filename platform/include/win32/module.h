// Modules, string resources and version resources of the stand-in.
//
// A module is either a binary whose compiled resources registered themselves (see
// win32/resources.h), a library loaded with LoadLibraryA, or the host program itself.
// File names are Windows paths; a loaded library is a Linux shared object at the mapped
// path.
#pragma once

#include "win32/base.h"

// Reasons DllMain is called with.
#define DLL_PROCESS_DETACH 0
#define DLL_PROCESS_ATTACH 1

#define ERROR_DLL_INIT_FAILED 1114L

// The entry point a loaded library may export (extern "C"): called after loading and
// before unloading; FALSE on attach refuses the load.
using PDLL_MAIN = BOOL(WINAPI*)(HINSTANCE instance, DWORD reason, LPVOID reserved);

// NULL name: the host program. Otherwise a module's file name (any case) or full path.
HMODULE WINAPI GetModuleHandleA(LPCSTR name);

// "<folder>\<name>" as a Windows path. A name longer than size - 1 is cut, NUL
// terminated, and the result is size with ERROR_INSUFFICIENT_BUFFER, as on Windows.
DWORD WINAPI GetModuleFileNameA(HMODULE module, LPSTR buffer, DWORD size);

HMODULE WINAPI LoadLibraryA(LPCSTR path);
FARPROC WINAPI GetProcAddress(HMODULE module, LPCSTR name);
BOOL WINAPI FreeLibrary(HMODULE module);

// Copies the string with that id, cut to size - 1 and NUL terminated; returns the
// number of characters copied, 0 when the string is missing.
int WINAPI LoadStringA(HINSTANCE instance, UINT id, LPSTR buffer, int size);

// The fixed part of a version resource.
struct VS_FIXEDFILEINFO {
  DWORD dwSignature;
  DWORD dwStrucVersion;
  DWORD dwFileVersionMS;
  DWORD dwFileVersionLS;
  DWORD dwProductVersionMS;
  DWORD dwProductVersionLS;
  DWORD dwFileFlagsMask;
  DWORD dwFileFlags;
  DWORD dwFileOS;
  DWORD dwFileType;
  DWORD dwFileSubtype;
  DWORD dwFileDateMS;
  DWORD dwFileDateLS;
};

#define VS_FFI_SIGNATURE 0xFEEF04BDL
#define VS_FFI_STRUCVERSION 0x00010000L
#define VS_FFI_FILEFLAGSMASK 0x0000003FL
#define VS_FF_DEBUG 0x00000001L
#define VOS_NT_WINDOWS32 0x00040004L
#define VFT_APP 0x00000001L
#define VFT_DLL 0x00000002L
#define VFT2_UNKNOWN 0x00000000L

// The version calls take a module's file name as GetModuleFileNameA gives it.
DWORD WINAPI GetFileVersionInfoSizeA(LPCSTR fileName, LPDWORD handle);
BOOL WINAPI GetFileVersionInfoA(LPCSTR fileName, DWORD handle, DWORD size, LPVOID data);
// "\" gives the VS_FIXEDFILEINFO; "\StringFileInfo\<block>\<name>" a value's text.
BOOL WINAPI VerQueryValueA(LPCVOID block, LPCSTR subBlock, LPVOID* buffer, UINT* length);
