// Static, button, edit and combo box controls.
#include <strings.h>

#include <algorithm>
#include <cstring>
#include <functional>

#include "win32/dialog.h"
#include "window/ControlProcs.h"
#include "window/WindowManager.h"
#include "window/WindowTable.h"

namespace kelvra::platform {
namespace {

WindowTable& Table() { return WindowTable::Instance(); }

bool IsAutoRadio(LONG_PTR style) { return (style & BS_TYPEMASK) == BS_AUTORADIOBUTTON; }

bool StartsGroup(HWND wnd) {
  auto state = Table().Get(wnd);
  return state && (state->style & WS_GROUP) != 0;
}

// The controls of the dialog group that holds the control, as Windows forms it: a group
// begins at a sibling with WS_GROUP and runs up to the next one. The siblings form a
// ring, so controls before the first WS_GROUP belong to the last group, and without any
// WS_GROUP all siblings are one group.
std::vector<HWND> DialogGroup(HWND control, HWND parent) {
  const std::vector<HWND> siblings = Table().Children(parent);
  const auto self = std::find(siblings.begin(), siblings.end(), control);
  if (self == siblings.end()) return {};
  const std::size_t count = siblings.size();
  std::size_t first = static_cast<std::size_t>(self - siblings.begin());
  for (std::size_t k = 0; k < count && !StartsGroup(siblings[first]); ++k)
    first = (first + count - 1) % count;
  std::vector<HWND> group{siblings[first]};
  for (std::size_t i = (first + 1) % count; i != first && !StartsGroup(siblings[i]);
       i = (i + 1) % count)
    group.push_back(siblings[i]);
  return group;
}

// A click checks the auto radio button and clears the other auto radio buttons of its
// group. Windows walks the group as GetNextDlgGroupItem does, which passes over hidden
// and disabled controls: those keep their check.
void CheckAutoRadio(HWND wnd, HWND parent) {
  for (HWND other : DialogGroup(wnd, parent)) {
    Table().With(other, [&](WindowState& s) {
      if (other == wnd)
        s.control.check = BST_CHECKED;
      else if (IsAutoRadio(s.style) && s.visible && s.enabled)
        s.control.check = BST_UNCHECKED;
    });
  }
}

// The state change a click makes on an automatic button.
void ClickState(HWND wnd) {
  auto state = Table().Get(wnd);
  if (!state) return;
  switch (state->style & BS_TYPEMASK) {
    case BS_AUTOCHECKBOX:
      Table().With(wnd, [](WindowState& s) {
        s.control.check = s.control.check == BST_CHECKED ? BST_UNCHECKED : BST_CHECKED;
      });
      break;
    case BS_AUTO3STATE:
      Table().With(wnd, [](WindowState& s) { s.control.check = (s.control.check + 1) % 3; });
      break;
    case BS_AUTORADIOBUTTON:
      CheckAutoRadio(wnd, state->parent);
      break;
    default:
      break;
  }
}

LRESULT SwapImage(HWND wnd, LPARAM image) {
  LRESULT previous = 0;
  Table().With(wnd, [&](WindowState& s) {
    previous = reinterpret_cast<LRESULT>(s.control.image);
    s.control.image = reinterpret_cast<HANDLE>(image);
  });
  return previous;
}

LRESULT Image(HWND wnd) {
  auto state = Table().Get(wnd);
  return state ? reinterpret_cast<LRESULT>(state->control.image) : 0;
}

int Compare(const std::string& a, const std::string& b) { return strcasecmp(a.c_str(), b.c_str()); }

bool StartsWith(const std::string& item, const std::string& prefix) {
  return item.size() >= prefix.size() &&
         strncasecmp(item.c_str(), prefix.c_str(), prefix.size()) == 0;
}

// The first item from after start (wrapping round) that match accepts; CB_ERR when none.
LRESULT FindItem(const ControlData& data, WPARAM start,
                 const std::function<bool(const std::string&)>& match) {
  const int count = static_cast<int>(data.items.size());
  const int first = static_cast<int>(start) < 0 || static_cast<int>(start) >= count
                        ? 0
                        : static_cast<int>(start) + 1;
  for (int k = 0; k < count; ++k) {
    const int i = (first + k) % count;
    if (match(data.items[i])) return i;
  }
  return CB_ERR;
}

LRESULT Insert(WindowState& s, int index, const char* text) {
  std::string item = text != nullptr ? text : "";
  const int count = static_cast<int>(s.control.items.size());
  if (index < 0 || index > count) index = count;
  if ((s.style & CBS_SORT) != 0) {
    index = 0;
    while (index < count && Compare(s.control.items[index], item) <= 0) ++index;
  }
  s.control.items.insert(s.control.items.begin() + index, item);
  s.control.itemData.insert(s.control.itemData.begin() + index, 0);
  if (s.control.selection >= index) ++s.control.selection;
  return index;
}

LRESULT Select(WindowState& s, int index) {
  if (index < 0 || index >= static_cast<int>(s.control.items.size())) {
    s.control.selection = -1;
    s.text.clear();
    return CB_ERR;
  }
  s.control.selection = index;
  s.text = s.control.items[index];
  return index;
}

LRESULT ComboMessage(WindowState& s, UINT msg, WPARAM wParam, LPARAM lParam, bool& handled) {
  const int index = static_cast<int>(wParam);
  const bool valid = index >= 0 && index < static_cast<int>(s.control.items.size());
  const char* text = reinterpret_cast<const char*>(lParam);
  handled = true;
  switch (msg) {
    case CB_ADDSTRING:
      return Insert(s, -1, text);
    case CB_INSERTSTRING:
      return Insert(s, index, text);
    case CB_DELETESTRING:
      if (!valid) return CB_ERR;
      s.control.items.erase(s.control.items.begin() + index);
      s.control.itemData.erase(s.control.itemData.begin() + index);
      if (s.control.selection == index)
        Select(s, -1);
      else if (s.control.selection > index)
        --s.control.selection;
      return static_cast<LRESULT>(s.control.items.size());
    case CB_RESETCONTENT:
      s.control.items.clear();
      s.control.itemData.clear();
      Select(s, -1);
      return 0;  // CB_OKAY
    case CB_GETCOUNT:
      return static_cast<LRESULT>(s.control.items.size());
    case CB_GETCURSEL:
      return s.control.selection;
    case CB_SETCURSEL:
      return Select(s, index);
    case CB_GETLBTEXTLEN:
      return valid ? static_cast<LRESULT>(s.control.items[index].size()) : CB_ERR;
    case CB_GETLBTEXT:
      if (!valid || lParam == 0) return CB_ERR;
      std::memcpy(reinterpret_cast<char*>(lParam), s.control.items[index].c_str(),
                  s.control.items[index].size() + 1);
      return static_cast<LRESULT>(s.control.items[index].size());
    case CB_GETITEMDATA:
      return valid ? s.control.itemData[index] : CB_ERR;
    case CB_SETITEMDATA:
      if (!valid) return CB_ERR;
      s.control.itemData[index] = lParam;
      return TRUE;
    case CB_FINDSTRINGEXACT:
      return text == nullptr ? CB_ERR : FindItem(s.control, wParam, [&](const std::string& i) {
        return Compare(i, text) == 0;
      });
    case CB_FINDSTRING:
      return text == nullptr ? CB_ERR : FindItem(s.control, wParam, [&](const std::string& i) {
        return StartsWith(i, text);
      });
    case CB_SELECTSTRING: {
      if (text == nullptr) return CB_ERR;
      const LRESULT found =
          FindItem(s.control, wParam, [&](const std::string& i) { return StartsWith(i, text); });
      return found == CB_ERR ? CB_ERR : Select(s, static_cast<int>(found));
    }
    case CB_LIMITTEXT:
    case CB_SHOWDROPDOWN:
      return TRUE;
    default:
      handled = false;
      return 0;
  }
}

}  // namespace

void ControlProcs::NotifyParent(HWND control, WORD code) {
  auto state = Table().Get(control);
  if (!state || state->parent == nullptr) return;
  WindowManager::Send(state->parent, WM_COMMAND, MAKELONG(static_cast<WORD>(state->id), code),
                      reinterpret_cast<LPARAM>(control));
}

LRESULT CALLBACK ControlProcs::Static(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case STM_SETIMAGE:
      return SwapImage(wnd, lParam);
    case STM_SETICON:
      return SwapImage(wnd, static_cast<LPARAM>(wParam));
    case STM_GETIMAGE:
    case STM_GETICON:
      return Image(wnd);
    default:
      return DefWindowProcA(wnd, msg, wParam, lParam);
  }
}

LRESULT CALLBACK ControlProcs::Button(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case BM_GETCHECK: {
      auto state = Table().Get(wnd);
      return state ? state->control.check : 0;
    }
    case BM_SETCHECK:
      Table().With(wnd, [&](WindowState& s) { s.control.check = static_cast<UINT>(wParam); });
      return 0;
    case BM_CLICK: {
      auto state = Table().Get(wnd);
      if (!state || !state->enabled) return 0;
      ClickState(wnd);
      NotifyParent(wnd, BN_CLICKED);
      return 0;
    }
    case BM_SETIMAGE:
      return SwapImage(wnd, lParam);
    case BM_GETIMAGE:
      return Image(wnd);
    case BM_SETSTYLE:
      Table().With(wnd, [&](WindowState& s) { s.style = (s.style & ~0xFFFF) | LOWORD(wParam); });
      return 0;
    case BM_GETSTATE:
    case BM_SETSTATE:
      return 0;
    default:
      return DefWindowProcA(wnd, msg, wParam, lParam);
  }
}

LRESULT CALLBACK ControlProcs::Edit(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_SETTEXT: {
      const LRESULT result = DefWindowProcA(wnd, msg, wParam, lParam);
      auto state = Table().Get(wnd);
      if (state && (state->style & ES_MULTILINE) == 0) NotifyParent(wnd, EN_CHANGE);
      return result;
    }
    case EM_LIMITTEXT:
      Table().With(wnd, [&](WindowState& s) { s.control.limit = static_cast<UINT>(wParam); });
      return 0;
    case EM_GETLIMITTEXT: {
      auto state = Table().Get(wnd);
      return state && state->control.limit != 0 ? state->control.limit : 30000;
    }
    case EM_SETREADONLY:
      Table().With(wnd, [&](WindowState& s) {
        s.style = wParam ? (s.style | ES_READONLY) : (s.style & ~ES_READONLY);
      });
      return TRUE;
    case EM_SETSEL:
      return 0;
    default:
      return DefWindowProcA(wnd, msg, wParam, lParam);
  }
}

LRESULT CALLBACK ControlProcs::ComboBox(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  bool handled = false;
  LRESULT result = 0;
  Table().With(wnd,
               [&](WindowState& s) { result = ComboMessage(s, msg, wParam, lParam, handled); });
  return handled ? result : DefWindowProcA(wnd, msg, wParam, lParam);
}

}  // namespace kelvra::platform
