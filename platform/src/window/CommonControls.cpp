// Progress bar, date-time picker and tooltip controls.
#include <algorithm>

#include "win32/commctrl.h"
#include "win32/time.h"
#include "window/ControlProcs.h"
#include "window/WindowTable.h"

namespace kelvra::platform {
namespace {

WindowTable& Table() { return WindowTable::Instance(); }

LRESULT Range(const ControlData& c) {
  return MAKELONG(static_cast<WORD>(c.low), static_cast<WORD>(c.high));
}

void Clamp(ControlData& c) {
  c.position = std::clamp(c.position, std::min(c.low, c.high), std::max(c.low, c.high));
}

LRESULT ProgressMessage(ControlData& c, UINT msg, WPARAM wParam, LPARAM lParam, bool& handled) {
  handled = true;
  const LRESULT previousPosition = c.position;
  switch (msg) {
    case PBM_SETRANGE: {
      const LRESULT previous = Range(c);
      c.low = LOWORD(lParam);
      c.high = HIWORD(lParam);
      Clamp(c);
      return previous;
    }
    case PBM_SETRANGE32: {
      const LRESULT previous = Range(c);
      c.low = static_cast<int>(wParam);
      c.high = static_cast<int>(lParam);
      Clamp(c);
      return previous;
    }
    case PBM_SETPOS:
      c.position = static_cast<int>(wParam);
      Clamp(c);
      return previousPosition;
    case PBM_DELTAPOS:
      c.position += static_cast<int>(wParam);
      Clamp(c);
      return previousPosition;
    case PBM_SETSTEP: {
      const LRESULT previous = c.step;
      c.step = static_cast<int>(wParam);
      return previous;
    }
    case PBM_STEPIT:
      c.position += c.step;
      if (c.position > c.high) c.position = c.low;  // the bar starts over, as on Windows
      return previousPosition;
    case PBM_GETRANGE:
      if (lParam != 0) *reinterpret_cast<PBRANGE*>(lParam) = PBRANGE{c.low, c.high};
      return wParam ? c.low : c.high;
    case PBM_GETPOS:
      return c.position;
    default:
      handled = false;
      return 0;
  }
}

LRESULT DateTimeMessage(WindowState& s, UINT msg, WPARAM wParam, LPARAM lParam, bool& handled) {
  handled = true;
  ControlData& c = s.control;
  switch (msg) {
    case DTM_GETSYSTEMTIME:
      if (lParam == 0) return GDT_ERROR;
      if (!c.timeValid) return GDT_NONE;
      *reinterpret_cast<SYSTEMTIME*>(lParam) = c.time;
      return GDT_VALID;
    case DTM_SETSYSTEMTIME:
      if (wParam == static_cast<WPARAM>(GDT_NONE)) {
        if ((s.style & DTS_SHOWNONE) == 0) return FALSE;
        c.timeValid = false;
        return TRUE;
      }
      if (wParam != GDT_VALID || lParam == 0) return FALSE;
      c.time = *reinterpret_cast<const SYSTEMTIME*>(lParam);
      c.timeValid = true;
      return TRUE;
    case DTM_SETFORMATA:
      return TRUE;
    default:
      handled = false;
      return 0;
  }
}

std::string ToolText(const TOOLINFOA& info) {
  const auto text = reinterpret_cast<ULONG_PTR>(info.lpszText);
  if (info.lpszText == nullptr || text == static_cast<ULONG_PTR>(-1) ||
      IS_INTRESOURCE(info.lpszText))
    return "";
  return info.lpszText;
}

bool SameTool(const ToolEntry& tool, const TOOLINFOA& info) {
  return tool.owner == info.hwnd && tool.id == info.uId;
}

LRESULT TooltipMessage(ControlData& c, UINT msg, WPARAM wParam, LPARAM lParam, bool& handled) {
  handled = true;
  const auto* info = reinterpret_cast<const TOOLINFOA*>(lParam);
  switch (msg) {
    case TTM_ADDTOOLA:
      if (info == nullptr) return FALSE;
      c.tools.push_back(ToolEntry{info->hwnd, info->uId, info->uFlags, ToolText(*info)});
      return TRUE;
    case TTM_DELTOOLA:
      if (info != nullptr)
        std::erase_if(c.tools, [&](const ToolEntry& t) { return SameTool(t, *info); });
      return 0;
    case TTM_UPDATETIPTEXTA:
      for (ToolEntry& tool : c.tools)
        if (info != nullptr && SameTool(tool, *info)) tool.text = ToolText(*info);
      return 0;
    case TTM_ACTIVATE:
      c.active = wParam != 0;
      return 0;
    case TTM_GETTOOLCOUNT:
      return static_cast<LRESULT>(c.tools.size());
    case TTM_SETMAXTIPWIDTH:
      return -1;
    default:
      handled = false;
      return 0;
  }
}

}  // namespace

LRESULT CALLBACK ControlProcs::Progress(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  bool handled = false;
  LRESULT result = 0;
  Table().With(wnd, [&](WindowState& s) {
    result = ProgressMessage(s.control, msg, wParam, lParam, handled);
  });
  return handled ? result : DefWindowProcA(wnd, msg, wParam, lParam);
}

LRESULT CALLBACK ControlProcs::DateTime(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_CREATE) {
    SYSTEMTIME now{};
    GetLocalTime(&now);
    Table().With(wnd, [&](WindowState& s) { s.control.time = now; });
    return 0;
  }
  bool handled = false;
  LRESULT result = 0;
  Table().With(wnd,
               [&](WindowState& s) { result = DateTimeMessage(s, msg, wParam, lParam, handled); });
  return handled ? result : DefWindowProcA(wnd, msg, wParam, lParam);
}

LRESULT CALLBACK ControlProcs::Tooltip(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  bool handled = false;
  LRESULT result = 0;
  Table().With(wnd, [&](WindowState& s) {
    result = TooltipMessage(s.control, msg, wParam, lParam, handled);
  });
  return handled ? result : DefWindowProcA(wnd, msg, wParam, lParam);
}

}  // namespace kelvra::platform
