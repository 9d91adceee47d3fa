#include "contacts/EncodingNames.h"

#include <algorithm>

#include "contacts/DovantCharConverter.h"

std::vector<std::string> EncodingNames::All() {
  std::vector<std::string> names;
  if (g_CharConverter == nullptr) return names;
  for (const auto& entry : g_CharConverter->GetEncodingsList().GetList())
    names.push_back(entry->Name);
  return names;
}

std::string EncodingNames::First() {
  const std::vector<std::string> names = All();
  return names.empty() ? std::string() : names.front();
}

std::string EncodingNames::KnownOrFirst(const std::string& name) {
  const std::vector<std::string> names = All();
  if (std::find(names.begin(), names.end(), name) != names.end()) return name;
  return names.empty() ? std::string() : names.front();
}

void EncodingNames::FillCombo(HWND dlg, int combo, const std::string& name, bool firstWhenNone) {
  const std::vector<std::string> names = All();
  LRESULT selected = firstWhenNone && !names.empty() ? 0 : CB_ERR;
  for (size_t i = 0; i < names.size(); ++i) {
    SendDlgItemMessageA(dlg, combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(names[i].c_str()));
    if (names[i] == name) selected = static_cast<LRESULT>(i);
  }
  if (selected != CB_ERR) SendDlgItemMessageA(dlg, combo, CB_SETCURSEL, selected, 0);
}

std::string EncodingNames::ReadCombo(HWND dlg, int combo, const std::string& current) {
  const LRESULT selected = SendDlgItemMessageA(dlg, combo, CB_GETCURSEL, 0, 0);
  if (selected == CB_ERR) return current;
  const LRESULT length = SendDlgItemMessageA(dlg, combo, CB_GETLBTEXTLEN, selected, 0);
  if (length == CB_ERR) return current;
  std::vector<char> text(static_cast<size_t>(length) + 1, '\0');
  SendDlgItemMessageA(dlg, combo, CB_GETLBTEXT, selected, reinterpret_cast<LPARAM>(text.data()));
  return text.data();
}
