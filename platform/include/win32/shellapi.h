// File operations of the shell on whole files and folders.
//
// No dialog is ever shown and nothing is asked: where the shell would ask the user, the
// item is left alone and the operation reports itself aborted.
#pragma once

#include "win32/base.h"

#define FO_MOVE 0x0001
#define FO_COPY 0x0002
#define FO_DELETE 0x0003
#define FO_RENAME 0x0004

#define FOF_SILENT 0x0004
#define FOF_RENAMEONCOLLISION 0x0008
#define FOF_NOCONFIRMATION 0x0010
#define FOF_ALLOWUNDO 0x0040
#define FOF_FILESONLY 0x0080
#define FOF_NOCONFIRMMKDIR 0x0200
#define FOF_NOERRORUI 0x0400

#define ERROR_CANCELLED 1223L

using FILEOP_FLAGS = WORD;

struct SHFILEOPSTRUCTA {
  HWND hwnd;
  UINT wFunc;
  LPCSTR pFrom;  // names, each ended by a NUL, the list by a second NUL
  LPCSTR pTo;    // the target folder (FO_MOVE), likewise terminated
  FILEOP_FLAGS fFlags;
  BOOL fAnyOperationsAborted;
  LPVOID hNameMappings;
  LPCSTR lpszProgressTitle;
};
using LPSHFILEOPSTRUCTA = SHFILEOPSTRUCTA*;

// FO_DELETE removes each named file or whole folder (names are literal); with
// FOF_ALLOWUNDO the items go to the user's trash folder instead (freedesktop layout:
// "files" and "info" below it), where they can be restored.
// FO_MOVE moves each item to the pTo folder; "*" and "?" in the last component of a
// name select the matching files and folders (only files with FOF_FILESONLY). An item
// whose name exists in the target is replaced with FOF_NOCONFIRMATION, moved under a
// free name "<name> (n)<extension>" with FOF_RENAMEONCOLLISION, and otherwise left
// where it is with fAnyOperationsAborted set. A missing target folder is created with
// FOF_NOCONFIRMMKDIR; without it the operation is aborted (ERROR_CANCELLED).
// 0 on success, else the Windows error of the first item that failed.
int WINAPI SHFileOperationA(LPSHFILEOPSTRUCTA fileOp);
