#include "addin/PageText.h"

#include <vector>

std::string GetDlgItemString(HWND dlg, int id) {
  HWND control = GetDlgItem(dlg, id);
  if (control == nullptr) return std::string();
  const int length = GetWindowTextLengthA(control);
  if (length <= 0) return std::string();
  std::vector<char> text(static_cast<size_t>(length) + 1, '\0');
  GetWindowTextA(control, text.data(), length + 1);
  return std::string(text.data());
}
