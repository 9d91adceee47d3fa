// The encodings the contact pages offer: the Names of the converter's encodings list.
// Without a converter, or with an empty list, there are none; the pages then keep an
// empty name, which writes in the ANSI code page without a CHARSET.
#pragma once

#include <string>
#include <vector>

#include "win32/windows.h"

class EncodingNames {
 public:
  // In list order.
  static std::vector<std::string> All();
  // The first Name, or "" when there is none.
  static std::string First();
  // The name when it is one of the Names (case-sensitive), else the first Name.
  static std::string KnownOrFirst(const std::string& name);
  // Fills the combo with the Names and selects the last item equal to name; without
  // one, the first item when firstWhenNone, else none.
  static void FillCombo(HWND dlg, int combo, const std::string& name, bool firstWhenNone);
  // The text of the combo's selected item; current when nothing is selected (an empty
  // list), so that the page keeps the name it had.
  static std::string ReadCombo(HWND dlg, int combo, const std::string& current);
};
