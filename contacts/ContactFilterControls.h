// The filter part that both contact options dialogs share: check 286 (no private
// contacts), check 284 with combo 220 (exclude / include) and edit 290 (category
// names), and button 10, which opens Outlook's categories dialog.
#pragma once

#include <string>

#include "outlook/outlook.h"
#include "win32/windows.h"

class ContactFilterControls {
 public:
  // Fills the controls from the filter; button 10 is hidden under Outlook 2000, which
  // has no categories dialog to show.
  static void Show(HWND dlg, DWORD mask, const std::string& categories);
  // The filter the controls show. False, after telling the user, when a category
  // rule is chosen without categories; mask and categories are then left alone.
  static bool Read(HWND dlg, DWORD& mask, std::string& categories);
  // The first page's summary: 234, whether private contacts go too; 312, the
  // category rule with its names, or noRule when the mask has none.
  static void ShowSummary(HWND dlg, DWORD mask, const std::string& categories,
                          const std::string& noRule);
};
