#include "calendar/CalendarFilterControls.h"

#include <algorithm>
#include <cstdlib>
#include <string>

#include "addin/AsciiText.h"
#include "addin/CLang.h"
#include "addin/FirstPageParts.h"
#include "addin/GetEventLabelNames.h"
#include "addin/PageText.h"
#include "resource.h"
#include "win32/commctrl.h"

namespace {

// Items of combos 220 and 221.
constexpr int kExclude = 0;
constexpr int kInclude = 1;

constexpr DWORD kDefaultLabels = 0x180;  // labels 8 and 9
constexpr int kDaysBefore = 14;
constexpr int kDaysAfter = 60;

bool IsChecked(HWND dlg, int id) { return IsDlgButtonChecked(dlg, id) == BST_CHECKED; }

void Check(HWND dlg, int id, bool on) { CheckDlgButton(dlg, id, on ? BST_CHECKED : BST_UNCHECKED); }

void Enable(HWND dlg, int id, bool on) { EnableWindow(GetDlgItem(dlg, id), on ? TRUE : FALSE); }

bool ComboIncludes(HWND dlg, int id) {
  return SendDlgItemMessageA(dlg, id, CB_GETCURSEL, 0, 0) != kExclude;
}

void SetPicker(HWND dlg, int id, const COleDateTime& date) {
  SYSTEMTIME time{};
  if (!date.GetAsSystemTime(time)) return;
  SendDlgItemMessageA(dlg, id, DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&time));
}

COleDateTime ReadPicker(HWND dlg, int id) {
  SYSTEMTIME time{};
  if (SendDlgItemMessageA(dlg, id, DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&time)) !=
      GDT_VALID) {
    COleDateTime invalid;
    invalid.SetStatus(COleDateTime::invalid);
    return invalid;
  }
  return COleDateTime(time);
}

// The user is told why the page stays; the focus goes where the fix is.
bool Refuse(HWND dlg, const char* key, int focus) {
  MessageBoxA(dlg, g_Lang.GetText(key).c_str(), g_Lang.GetText("IDS_APP_TITLE").c_str(), MB_OK);
  SetFocus(GetDlgItem(dlg, focus));
  return false;
}

}  // namespace

int CalendarFilterControls::MajorVersion(Outlook::_Application* app) {
  if (app == nullptr) return 9;
  const _bstr_t version = app->GetVersion();
  const char* text = version;
  if (text == nullptr || std::string(text).find('.') == std::string::npos) return 9;
  return std::atoi(text);
}

CvCalFilter CalendarFilterControls::Defaults(int outlookVersion, DWORD mask, DWORD maskFrom12,
                                             bool labelsOnlyIn10And11) {
  CvCalFilter filter;
  const bool from12 = outlookVersion >= 12;
  filter.mask = from12 ? maskFrom12 : mask;
  filter.Categories = from12 ? "" : "Holiday";
  filter.LabelMask = kDefaultLabels;
  if (labelsOnlyIn10And11 && outlookVersion <= 9) {
    filter.LabelMask = 0;
    filter.mask &= ~CvCalFilter::kLabelRules;
  }
  const COleDateTime now = COleDateTime::GetCurrentTime();
  const COleDateTime today(now.GetYear(), now.GetMonth(), now.GetDay(), 0, 0, 0);
  filter.dateFrom = today - COleDateTimeSpan(kDaysBefore, 0, 0, 0);
  filter.dateTo = today + COleDateTimeSpan(kDaysAfter, 0, 0, 0);
  return filter;
}

bool CalendarFilterControls::LabelsOffered(int outlookVersion, bool onlyIn10And11) {
  return !onlyIn10And11 || outlookVersion == 10 || outlookVersion == 11;
}

void CalendarFilterControls::FillCombos(HWND dlg) {
  for (const int combo : {IDC_CBO_LUDE_CATEGORIES, IDC_CBO_LUDE_LABELS})
    for (const char* key : {"IDS_EXCLUDE", "IDS_INCLUDE"})
      SendDlgItemMessageA(dlg, combo, CB_ADDSTRING, 0,
                          reinterpret_cast<LPARAM>(g_Lang.GetText(key).c_str()));
}

void CalendarFilterControls::Show(HWND dlg, const CvCalFilter& filter, int outlookVersion,
                                  bool labelsOffered) {
  const DWORD mask = filter.mask;
  Check(dlg, IDC_CHK_IGNORE_ALLDAYS, (mask & CvCalFilter::kSkipAllDay) != 0);
  Check(dlg, IDC_CHK_IGNORE_PRIVATES, (mask & CvCalFilter::kSkipNotNormal) != 0);
  Check(dlg, IDC_CHK_CATEGORIES, (mask & CvCalFilter::kCategoryRules) != 0);
  SendDlgItemMessageA(dlg, IDC_CBO_LUDE_CATEGORIES, CB_SETCURSEL,
                      (mask & CvCalFilter::kIncludeCategories) != 0 ? kInclude : kExclude, 0);
  SetDlgItemTextA(dlg, IDC_TXT_CATEGORIES, filter.Categories.c_str());
  Check(dlg, IDC_CHK_DATES, (mask & CvCalFilter::kDates) != 0);
  SetPicker(dlg, IDC_DTP_START, filter.dateFrom);
  SetPicker(dlg, IDC_DTP_END, filter.dateTo);

  Check(dlg, IDC_CHK_LABELS, labelsOffered && (mask & CvCalFilter::kLabelRules) != 0);
  SendDlgItemMessageA(dlg, IDC_CBO_LUDE_LABELS, CB_SETCURSEL,
                      (mask & CvCalFilter::kIncludeLabels) != 0 ? kInclude : kExclude, 0);
  SetDlgItemTextA(dlg, IDC_TXT_LABELS, GetEventLabelNames(filter.LabelMask).c_str());
  for (const int id : {IDC_CHK_LABELS, IDC_CBO_LUDE_LABELS, IDC_LBL_CHK_LABELS_END, IDC_BTN_LABELS,
                       IDC_TXT_LABELS})
    Enable(dlg, id, labelsOffered);
  if (outlookVersion <= 9) ShowWindow(GetDlgItem(dlg, IDC_BTN_CATEGORIES), SW_HIDE);
}

void CalendarFilterControls::Read(HWND dlg, CvCalFilter& filter, bool labelsOffered) {
  DWORD mask = 0;
  if (IsChecked(dlg, IDC_CHK_IGNORE_ALLDAYS)) mask |= CvCalFilter::kSkipAllDay;
  if (IsChecked(dlg, IDC_CHK_IGNORE_PRIVATES)) mask |= CvCalFilter::kSkipNotNormal;
  if (IsChecked(dlg, IDC_CHK_CATEGORIES))
    mask |= ComboIncludes(dlg, IDC_CBO_LUDE_CATEGORIES) ? CvCalFilter::kIncludeCategories
                                                        : CvCalFilter::kExcludeCategories;
  if (labelsOffered && IsChecked(dlg, IDC_CHK_LABELS))
    mask |= ComboIncludes(dlg, IDC_CBO_LUDE_LABELS) ? CvCalFilter::kIncludeLabels
                                                    : CvCalFilter::kExcludeLabels;
  if (IsChecked(dlg, IDC_CHK_DATES)) {
    mask |= CvCalFilter::kDates;
    filter.dateFrom = ReadPicker(dlg, IDC_DTP_START);
    filter.dateTo = ReadPicker(dlg, IDC_DTP_END);
  }
  filter.mask = mask;
  filter.Categories = AsciiText::Trim(GetDlgItemString(dlg, IDC_TXT_CATEGORIES));
}

bool CalendarFilterControls::Validate(HWND dlg, const CvCalFilter& filter, bool labelsOffered) {
  if (filter.Categories.empty() && IsChecked(dlg, IDC_CHK_CATEGORIES))
    return Refuse(dlg, "IDS_EMPTY_CATEGORIES", IDC_TXT_CATEGORIES);
  if (labelsOffered && filter.LabelMask == 0 && IsChecked(dlg, IDC_CHK_LABELS))
    return Refuse(dlg, "IDS_EMPTY_LABELS", IDC_BTN_LABELS);
  if ((filter.mask & CvCalFilter::kDates) != 0 &&
      !(filter.dateTo.GetStatus() == COleDateTime::valid &&
        filter.dateFrom.GetStatus() == COleDateTime::valid && filter.dateTo > filter.dateFrom))
    return Refuse(dlg, "IDS_BAD_DATES", IDC_DTP_END);
  return true;
}

HBRUSH CalendarFilterControls::WindowColourFor(HDC dc, HWND ctrl) {
  static constexpr int kIds[] = {IDC_CBO_LUDE_CATEGORIES,
                                 IDC_CBO_LUDE_LABELS,
                                 IDC_PANEL,
                                 IDC_FRA_FILTER,
                                 IDC_CHK_CATEGORIES,
                                 IDC_CHK_IGNORE_ALLDAYS,
                                 IDC_CHK_IGNORE_PRIVATES,
                                 IDC_CHK_LABELS,
                                 IDC_CHK_DATES,
                                 IDC_TXT_LABELS,
                                 IDC_LBL_CHK_CATEGORIES_END,
                                 IDC_LBL_CHK_LABELS_END,
                                 IDC_LBL_START,
                                 IDC_LBL_END,
                                 IDC_LBL_CLICK1,
                                 IDC_LBL_CLICK2,
                                 IDC_LBL_CLICK3};
  return FirstPageParts::WindowColourFor(dc, ctrl, kIds);
}
