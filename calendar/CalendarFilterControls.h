// The controls of the calendar filter pages and the filter record they show: checks
// 285 (all-day) and 286 (private), the category rule (284, combo 220, edit 290,
// button 10), the label rule (287, combo 221, edit 291, button 11) and the date window
// (288 with the pickers 292 and 293).
#pragma once

#include "calendar/CvCalFilter.h"
#include "outlook/outlook.h"
#include "win32/windows.h"

class CalendarFilterControls {
 public:
  // The number before the first "." of the application's version text; 9 when there
  // is no "." (or no application).
  static int MajorVersion(Outlook::_Application* app);
  // The default filter: below Outlook 12 mask and the categories "Holiday", from 12 on
  // maskFrom12 and no categories; labels 8 and 9 (none, and no label rule, up to
  // Outlook 9 where labels are offered only in 10 and 11); the window from today 00:00
  // minus 14 days to plus 60 days.
  static CvCalFilter Defaults(int outlookVersion, DWORD mask, DWORD maskFrom12,
                              bool labelsOnlyIn10And11);
  // Whether the label controls are in use: always, or only with Outlook 10 and 11.
  static bool LabelsOffered(int outlookVersion, bool onlyIn10And11);

  // The exclude and include items of the two combos.
  static void FillCombos(HWND dlg);
  // The controls from the filter; the label controls are disabled when not offered,
  // and the Categories... button hidden with Outlook 9.
  static void Show(HWND dlg, const CvCalFilter& filter, int outlookVersion, bool labelsOffered);
  // The mask, the categories (trimmed) and, when the date check is on, the window from
  // the controls; label rules only when offered.
  static void Read(HWND dlg, CvCalFilter& filter, bool labelsOffered);
  // False, after telling the user and moving the focus, when a category rule has no
  // categories, a label rule no labels, or the window ends at or before its start.
  static bool Validate(HWND dlg, const CvCalFilter& filter, bool labelsOffered);
  // WM_CTLCOLORSTATIC / WM_CTLCOLOREDIT: the window colour for the page's labels and
  // boxes; null (not handled) for the others.
  static HBRUSH WindowColourFor(HDC dc, HWND ctrl);
};
