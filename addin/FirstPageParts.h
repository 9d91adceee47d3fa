// What the first pages of the wizards share: the pictures of their two folder buttons,
// the colours of their labels and the Outlook folder they show.
#pragma once

#include <span>
#include <string>

#include "addin/OutlookFolderChoice.h"
#include "outlook/outlook.h"
#include "win32/owners.h"
#include "win32/windows.h"

class FirstPageParts {
 public:
  // Buttons 231 (Windows folder) and 230 (Outlook folder) show the add-in's icon 232
  // and the icon outlookIcon over the button face; the bitmaps stay with their owners.
  static void SetFolderButtonPictures(HWND dlg, int outlookIcon,
                                      UniqueGdiObject<HBITMAP>& windowsFolder,
                                      UniqueGdiObject<HBITMAP>& outlookFolder);
  // The language text of "IDS_YES" or "IDS_NO".
  static std::string YesNo(bool yes);
  // WM_CTLCOLORSTATIC / WM_CTLCOLORBTN: the window colour for the listed controls;
  // null (not handled) for the others.
  static HBRUSH WindowColourFor(HDC dc, HWND ctrl, std::span<const int> ids);
  // The Outlook folder's full path into 228.
  static void ShowOutlookFolder(HWND dlg, const std::string& path);
  // The session's folder picker (errors logged under function); a folder of the
  // choice's kind replaces folder and shows in 228. False, with folder left alone,
  // when none was chosen.
  static bool PickOutlookFolder(HWND dlg, Outlook::_Application* app,
                                const OutlookFolderChoice& choice, Outlook::MAPIFolderPtr& folder,
                                const char* function);
  // A Windows folder the page can keep: it exists and its path fits MAX_PATH (a
  // longer path would be cut into another folder's path).
  static bool IsUsableFolder(const std::string& path);
  // A tooltip with the language text of textKey on the button; the tooltip window is
  // owned by dlg (destroyed with it). Null when it cannot be created.
  static HWND AttachTooltip(HWND dlg, int buttonId, const char* textKey);
  // The open-file dialog over the paths of 229 (up to 512 characters, files of the
  // filter); the paths chosen replace 229. False when none were chosen.
  static bool BrowseFiles(HWND dlg, const char* filter);
  // Whether the paths text (CMultiPath form) names at least one path and every path
  // exists; with messages, a missing path is shown to the user ("IDS_BAD_FNAME").
  static bool FilesExist(HWND dlg, const std::string& paths, bool messages);
  // The shell's folder browser titled with the text of titleKey, started at the text
  // of 229; true when a folder was chosen (and put into 229).
  static bool BrowseWindowsFolder(HWND dlg, const char* titleKey);
};
