#include "testkit/DialogPrinter.h"

#include <cctype>
#include <cstdio>
#include <string_view>

#include "window/WindowTable.h"

namespace testkit {

using kelvra::platform::WindowState;
using kelvra::platform::WindowTable;

namespace {

std::string Quoted(std::string_view text) {
  std::string out = "\"";
  for (char c : text) {
    if (c == '\r') continue;
    if (c == '\n') {
      out += "\\n";
    } else {
      if (c == '"') out += '\\';
      out += c;
    }
  }
  return out + "\"";
}

bool SameClass(const std::string& a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (std::tolower(static_cast<unsigned char>(a[i])) !=
        std::tolower(static_cast<unsigned char>(b[i])))
      return false;
  return true;
}

std::string CheckMark(UINT check) {
  return check == BST_CHECKED ? "[x] " : check == BST_INDETERMINATE ? "[-] " : "[ ] ";
}

std::string ButtonLine(const WindowState& s) {
  switch (s.style & BS_TYPEMASK) {
    case BS_CHECKBOX:
    case BS_AUTOCHECKBOX:
    case BS_3STATE:
    case BS_AUTO3STATE:
      return "check " + CheckMark(s.control.check) + Quoted(s.text);
    case BS_RADIOBUTTON:
    case BS_AUTORADIOBUTTON:
      return "radio " + CheckMark(s.control.check) + Quoted(s.text);
    case BS_GROUPBOX:
      return "group " + Quoted(s.text);
    default:
      return "button " + Quoted(s.text);
  }
}

std::string ComboLine(const WindowState& s) {
  const auto& items = s.control.items;
  const bool selected =
      s.control.selection >= 0 && static_cast<std::size_t>(s.control.selection) < items.size();
  std::string line =
      "combo " + Quoted(selected ? items[static_cast<std::size_t>(s.control.selection)] : s.text);
  line += " (" + std::to_string(items.size()) + (items.size() == 1 ? " item" : " items");
  for (std::size_t i = 0; i < items.size(); ++i) line += (i == 0 ? ": " : ", ") + Quoted(items[i]);
  return line + ")";
}

std::string DateLine(const WindowState& s) {
  if (!s.control.timeValid) return "date (none)";
  const SYSTEMTIME& t = s.control.time;
  char text[32];
  std::snprintf(text, sizeof text, "%04u-%02u-%02u %02u:%02u", t.wYear, t.wMonth, t.wDay, t.wHour,
                t.wMinute);
  return std::string("date ") + text;
}

// One control's kind, text and state; "" for windows a reader would not see as controls.
std::string ControlLine(const WindowState& s) {
  if (SameClass(s.className, "Button")) return ButtonLine(s);
  if (SameClass(s.className, "Edit")) return "edit " + Quoted(s.text);
  if (SameClass(s.className, "Static")) return "label " + Quoted(s.text);
  if (SameClass(s.className, "ComboBox")) return ComboLine(s);
  if (SameClass(s.className, PROGRESS_CLASSA))
    return "progress " + std::to_string(s.control.position) + " of " +
           std::to_string(s.control.low) + "-" + std::to_string(s.control.high);
  if (SameClass(s.className, DATETIMEPICK_CLASSA)) return DateLine(s);
  if (SameClass(s.className, TOOLTIPS_CLASSA)) return "";
  return s.className + " " + Quoted(s.text);
}

}  // namespace

std::string DescribeDialog(HWND dlg) {
  const WindowTable& table = WindowTable::Instance();
  std::optional<WindowState> dialog = table.Get(dlg);
  if (!dialog) return "";
  std::string text =
      "dialog " + std::to_string(dialog->templateId) + " " + Quoted(dialog->text) + "\n";
  for (HWND child : table.Children(dlg)) {
    std::optional<WindowState> s = table.Get(child);
    if (!s) continue;
    std::string line = ControlLine(*s);
    if (line.empty()) continue;
    if (!s->visible)
      line += " (hidden)";
    else if (!s->enabled)
      line += " (disabled)";
    text += "  " + std::to_string(static_cast<short>(s->id)) + " " + line + "\n";
  }
  return text;
}

}  // namespace testkit
