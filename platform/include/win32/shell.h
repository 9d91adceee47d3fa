// The shell: special folders, the folder browser and ShellExecuteA.
#pragma once

#include "win32/base.h"
#include "win32/window.h"

#define CSIDL_APPDATA 0x001A
#define CSIDL_FLAG_CREATE 0x8000
#define SHGFP_TYPE_CURRENT 0

// CSIDL_APPDATA: S_OK and the user's application-data folder (MAX_PATH buffer), which
// may be "" on a machine without one: callers treat "" as not available.
HRESULT WINAPI SHGetFolderPathA(HWND owner, int folder, HANDLE token, DWORD flags, LPSTR path);

// An item id list: here the chosen folder's path. Freed with CoTaskMemFree.
struct ITEMIDLIST;
using LPITEMIDLIST = ITEMIDLIST*;
using LPCITEMIDLIST = const ITEMIDLIST*;
using PIDLIST_ABSOLUTE = ITEMIDLIST*;
using PCIDLIST_ABSOLUTE = const ITEMIDLIST*;

using BFFCALLBACK = int(CALLBACK*)(HWND wnd, UINT msg, LPARAM lParam, LPARAM data);

struct BROWSEINFOA {
  HWND hwndOwner;
  PCIDLIST_ABSOLUTE pidlRoot;
  LPSTR pszDisplayName;
  LPCSTR lpszTitle;
  UINT ulFlags;
  BFFCALLBACK lpfn;
  LPARAM lParam;
  int iImage;
};
using LPBROWSEINFOA = BROWSEINFOA*;

#define BIF_RETURNONLYFSDIRS 0x00000001
#define BIF_DONTGOBELOWDOMAIN 0x00000002
#define BIF_EDITBOX 0x00000010
#define BIF_NEWDIALOGSTYLE 0x00000040
#define BIF_USENEWUI (BIF_NEWDIALOGSTYLE | BIF_EDITBOX)

#define BFFM_INITIALIZED 1
#define BFFM_SELCHANGED 2
#define BFFM_SETSTATUSTEXTA (WM_USER + 100)
#define BFFM_ENABLEOK (WM_USER + 101)
#define BFFM_SETSELECTIONA (WM_USER + 102)

// The folder browser, answered by the operator (testkit/Operator.h). The callback gets
// BFFM_INITIALIZED first with the browser window, to which it may send
// BFFM_SETSELECTIONA (wParam TRUE, lParam the path) to choose the start folder.
// Returns the chosen folder, or NULL for Cancel; pszDisplayName (MAX_PATH) gets the
// folder's name.
PIDLIST_ABSOLUTE WINAPI SHBrowseForFolderA(LPBROWSEINFOA info);
// Copies the folder's path (MAX_PATH); FALSE for a NULL list.
BOOL WINAPI SHGetPathFromIDListA(PCIDLIST_ABSOLUTE list, LPSTR path);
// The allocator of the shell's results.
void WINAPI CoTaskMemFree(LPVOID memory);

// Recorded, nothing is launched (testkit/Operator.h). Returns a value above 32.
HINSTANCE WINAPI ShellExecuteA(HWND wnd, LPCSTR operation, LPCSTR file, LPCSTR parameters,
                               LPCSTR directory, INT showCommand);
