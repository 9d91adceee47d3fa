#include "contacts/ContactFilterControls.h"

#include "addin/AsciiText.h"
#include "addin/CLang.h"
#include "addin/GetOutlookVersion.h"
#include "addin/PageText.h"
#include "contacts/ContactFilter.h"
#include "resource.h"

namespace {

// Items of combo 220.
constexpr int kExclude = 0;
constexpr int kInclude = 1;

constexpr DWORD kCategoryRules =
    ContactFilter::kExcludeCategories | ContactFilter::kIncludeCategories;

bool IsChecked(HWND dlg, int id) { return IsDlgButtonChecked(dlg, id) == BST_CHECKED; }

void Check(HWND dlg, int id, bool on) { CheckDlgButton(dlg, id, on ? BST_CHECKED : BST_UNCHECKED); }

}  // namespace

void ContactFilterControls::Show(HWND dlg, DWORD mask, const std::string& categories) {
  for (const char* key : {"IDS_EXCLUDE", "IDS_INCLUDE"})
    SendDlgItemMessageA(dlg, IDC_CBO_LUDE_CATEGORIES, CB_ADDSTRING, 0,
                        reinterpret_cast<LPARAM>(g_Lang.GetText(key).c_str()));
  const bool include = (mask & ContactFilter::kIncludeCategories) != 0;
  SendDlgItemMessageA(dlg, IDC_CBO_LUDE_CATEGORIES, CB_SETCURSEL, include ? kInclude : kExclude, 0);
  Check(dlg, IDC_CHK_IGNORE_PRIVATES, (mask & ContactFilter::kSkipNotNormal) != 0);
  Check(dlg, IDC_CHK_CATEGORIES, (mask & kCategoryRules) != 0);
  SetDlgItemTextA(dlg, IDC_TXT_CATEGORIES, categories.c_str());
  if (GetOutlookVersion() == 9) ShowWindow(GetDlgItem(dlg, IDC_BTN_CATEGORIES), SW_HIDE);
}

bool ContactFilterControls::Read(HWND dlg, DWORD& mask, std::string& categories) {
  DWORD chosen = IsChecked(dlg, IDC_CHK_IGNORE_PRIVATES) ? ContactFilter::kSkipNotNormal : 0;
  if (IsChecked(dlg, IDC_CHK_CATEGORIES)) {
    const LRESULT rule = SendDlgItemMessageA(dlg, IDC_CBO_LUDE_CATEGORIES, CB_GETCURSEL, 0, 0);
    chosen |=
        rule == kExclude ? ContactFilter::kExcludeCategories : ContactFilter::kIncludeCategories;
  }
  const std::string names = AsciiText::Trim(GetDlgItemString(dlg, IDC_TXT_CATEGORIES));
  if ((chosen & kCategoryRules) != 0 && names.empty()) {
    MessageBoxA(dlg, g_Lang.GetText("IDS_EMPTY_CATEGORIES").c_str(),
                g_Lang.GetText("IDS_APP_TITLE").c_str(), MB_OK);
    return false;
  }
  mask = chosen;
  categories = names;
  return true;
}

void ContactFilterControls::ShowSummary(HWND dlg, DWORD mask, const std::string& categories,
                                        const std::string& noRule) {
  SetDlgItemTextA(
      dlg, IDC_LBL_PRIVATES,
      g_Lang.GetText((mask & ContactFilter::kSkipNotNormal) == 0 ? "IDS_YES" : "IDS_NO").c_str());
  std::string rule = noRule;
  if ((mask & ContactFilter::kExcludeCategories) != 0)
    rule = g_Lang.GetText("IDS_EXCLUDE") + " \"" + categories + "\"";
  else if ((mask & ContactFilter::kIncludeCategories) != 0)
    rule = g_Lang.GetText("IDS_INCLUDE") + " \"" + categories + "\"";
  SetDlgItemTextA(dlg, IDC_LBL_TXT_CATEGORIES, rule.c_str());
}
