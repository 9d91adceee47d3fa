// What the first pages of the two contact wizards share: the pictures of their two
// folder buttons, the filter summary and the colours of their labels.
#pragma once

#include <span>
#include <string>

#include "addin/GdiObject.h"
#include "outlook/outlook.h"
#include "win32/windows.h"

class FirstPageParts {
 public:
  // Buttons 231 (Windows folder) and 230 (Outlook folder) show the add-in's icons 232
  // and 235 over the button face; the bitmaps stay with their owners.
  static void SetFolderButtonPictures(HWND dlg, GdiObject<HBITMAP>& windowsFolder,
                                      GdiObject<HBITMAP>& outlookFolder);
  // 234: whether private contacts go too; 312: the category rule with its names, or
  // noRule when the mask has none.
  static void ShowFilterSummary(HWND dlg, DWORD mask, const std::string& categories,
                                const std::string& noRule);
  // The language text of "IDS_YES" or "IDS_NO".
  static std::string YesNo(bool yes);
  // WM_CTLCOLORSTATIC / WM_CTLCOLORBTN: the window colour for the listed controls;
  // null (not handled) for the others.
  static HBRUSH WindowColourFor(HDC dc, HWND ctrl, std::span<const int> ids);
  // The Outlook folder's full path into 228.
  static void ShowOutlookFolder(HWND dlg, const std::string& path);
  // The session's folder picker (errors logged under function); a contacts folder
  // chosen replaces folder and shows in 228. False, with folder left alone, when none
  // was chosen.
  static bool PickOutlookFolder(HWND dlg, Outlook::_Application* app,
                                Outlook::MAPIFolderPtr& folder, const char* function);
};
