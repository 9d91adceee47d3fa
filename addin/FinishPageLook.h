// What the finish pages share: the status text, the bold title, the two labels that
// act as links (underlined, blue, hand cursor) and the red counts.
#pragma once

#include "win32/owners.h"
#include "win32/windows.h"

class FinishPageLook {
 public:
  enum Link { kNoLink, kWhySkipped, kOpenFolder };

  // A count into a label ("%d").
  static void ShowCount(HWND dlg, int id, int count);
  // The point of a mouse message's lParam, in the page's client coordinates.
  static POINT ClientPoint(LPARAM lParam);

  // After the page was localised: the status text into 256 (the completion text
  // chosen by failed and skipped, with the text of processKey put into it), the fonts,
  // and the links' rectangles; failures and skipped items show red.
  void Init(HWND dlg, int failed, int skipped, const char* processKey);
  // WM_CTLCOLORSTATIC and WM_CTLCOLORBTN of the page: the window colour's brush, with
  // the text colour of the counts and links set on dc.
  HBRUSH OnCtlColor(HDC dc, HWND ctrl) const;
  // The link under a point in the page's client coordinates.
  Link LinkAt(POINT client) const;
  // WM_SETCURSOR with the window under the mouse: the hand cursor over a link; false
  // (nothing set) elsewhere.
  bool SetLinkCursor(HWND under) const;

 private:
  HWND m_dlg = nullptr;
  bool m_failedRed = false;
  bool m_skippedRed = false;
  UniqueGdiObject<HFONT> m_boldFont;
  UniqueGdiObject<HFONT> m_linkFont;
  // In client coordinates, which stay true however the user moves the page.
  RECT m_whySkipped{};
  RECT m_openFolder{};
};
