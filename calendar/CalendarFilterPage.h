// The filter page of a calendar wizard: all-day and private events, a category rule, a
// label rule and a date window, filling a CvCalFilter. The export and import pages
// differ in their names and defaults: the page T gives IDD, kSection (its language
// section), its registry values
// (kFilterValue, kCategoriesValue, kLabelsValue), kDefaultMask and
// kDefaultMaskFrom12 (the default masks below and from Outlook 12 on),
// kLabelsOnlyIn10And11 (whether labels are offered only where Outlook 10 and 11 keep
// them) and kCategoriesFunction (the name its categories dialog failures are logged
// under).
#pragma once

#include <string>

#include "addin/AsciiText.h"
#include "addin/CDlgLabels.h"
#include "addin/CLang.h"
#include "addin/ChooseCategories.h"
#include "addin/GetEventLabelNames.h"
#include "addin/LinkCommands.h"
#include "addin/PageOptions.h"
#include "addin/PageText.h"
#include "addin/SetDlgItemFont.h"
#include "addin/WizardPage.h"
#include "calendar/CalendarFilterControls.h"
#include "calendar/CvCalFilter.h"
#include "outlook/outlook.h"
#include "resource.h"
#include "win32/owners.h"

template <class T>
class CalendarFilterPage : public WizardPage<T> {
 public:
  // Loads the filter from under *optionsKey (borrowed, may be null) over the defaults
  // of the application's Outlook version; the dates always start from the defaults.
  CalendarFilterPage(Outlook::_Application* app, HKEY* optionsKey, const char* helpTopic)
      : WizardPage<T>(helpTopic),
        m_app(app),
        m_optionsKey(optionsKey),
        m_outlookVersion(CalendarFilterControls::MajorVersion(app)) {
    SetDefaults();
    const PageOptions options(m_optionsKey);
    m_filter.mask = options.ReadDword(T::kFilterValue, m_filter.mask);
    m_filter.Categories = options.ReadString(T::kCategoriesValue, m_filter.Categories.c_str(),
                                             PageOptions::kAnyLength);
    m_filter.LabelMask = options.ReadDword(T::kLabelsValue, m_filter.LabelMask);
  }
  CalendarFilterPage(const CalendarFilterPage&) = delete;
  CalendarFilterPage& operator=(const CalendarFilterPage&) = delete;

  BEGIN_MSG_MAP(CalendarFilterPage)
    MESSAGE_HANDLER(WM_INITDIALOG, OnInitDialog)
    MESSAGE_HANDLER(WM_CTLCOLORSTATIC, OnCtlColor)
    MESSAGE_HANDLER(WM_CTLCOLOREDIT, OnCtlColor)
    COMMAND_HANDLER(IDOK, BN_CLICKED, OnLeave)
    COMMAND_HANDLER(IDBACK, BN_CLICKED, OnLeave)
    COMMAND_HANDLER(IDC_BTN_CATEGORIES, BN_CLICKED, OnClickedBtnCategories)
    COMMAND_HANDLER(IDC_BTN_LABELS, BN_CLICKED, OnClickedBtnLabels)
    COMMAND_HANDLER(IDC_BTN_DEFAULTS, BN_CLICKED, OnClickedBtnDefaults)
    CHAIN_MSG_MAP(WizardPage<T>)
  END_MSG_MAP()

  // The defaults of the Outlook version, dates from today (the local clock).
  void SetDefaults() {
    m_filter = CalendarFilterControls::Defaults(m_outlookVersion, T::kDefaultMask,
                                                T::kDefaultMaskFrom12, T::kLabelsOnlyIn10And11);
  }
  CvCalFilter GetFilter() const { return m_filter; }

  Outlook::_ApplicationPtr m_app;
  HKEY* m_optionsKey;
  int m_outlookVersion;
  CvCalFilter m_filter;

 private:
  static constexpr LocalizeRecord kLocalizeTable[] = {
      {LOCALIZE_FRAME, IDC_FRA_FILTER, "IDC_FRA_FILTER", 0},
      {LOCALIZE_CHECKBOX, IDC_CHK_IGNORE_ALLDAYS, "IDC_CHK_IGNORE_ALLDAYS", 0},
      {LOCALIZE_CHECKBOX, IDC_CHK_IGNORE_PRIVATES, "IDC_CHK_IGNORE_PRIVATES", 0},
      {LOCALIZE_CHECKBOX, IDC_CHK_CATEGORIES, "IDC_CHK_CATEGORIES", 0},
      {LOCALIZE_COMBO, IDC_CBO_LUDE_CATEGORIES, "IDC_CBO_LUDE_CATEGORIES", 0},
      {LOCALIZE_LABEL, IDC_LBL_CHK_CATEGORIES_END, "IDC_LBL_CHK_CATEGORIES_END", 0},
      {LOCALIZE_BUTTON, IDC_BTN_CATEGORIES, "IDC_BTN_CATEGORIES", 0},
      {LOCALIZE_EDIT, IDC_TXT_CATEGORIES, "IDC_TXT_CATEGORIES", 0},
      {LOCALIZE_CHECKBOX, IDC_CHK_LABELS, "IDC_CHK_LABELS", 0},
      {LOCALIZE_COMBO, IDC_CBO_LUDE_LABELS, "IDC_CBO_LUDE_LABELS", 0},
      {LOCALIZE_LABEL, IDC_LBL_CHK_LABELS_END, "IDC_LBL_CHK_LABELS_END", 0},
      {LOCALIZE_BUTTON, IDC_BTN_LABELS, "IDC_BTN_LABELS", 0},
      {LOCALIZE_EDIT, IDC_TXT_LABELS, "IDC_TXT_LABELS", 0},
      {LOCALIZE_CHECKBOX, IDC_CHK_DATES, "IDC_CHK_DATES", 0},
      {LOCALIZE_LABEL, IDC_LBL_START, "IDC_LBL_START", 0},
      {LOCALIZE_DATETIME, IDC_DTP_START, "IDC_DTP_START", 0},
      {LOCALIZE_LABEL, IDC_LBL_END, "IDC_LBL_END", 0},
      {LOCALIZE_DATETIME, IDC_DTP_END, "IDC_DTP_END", 0},
      {LOCALIZE_BUTTON, IDC_BTN_DEFAULTS, "IDC_BTN_DEFAULTS", 0},
      {LOCALIZE_LABEL, IDC_LBL_CLICK1, "IDC_LBL_CLICK1", 0},
      {LOCALIZE_LABEL, IDC_LBL_CLICK2, "IDC_LBL_CLICK2", 0},
      {LOCALIZE_LABEL, IDC_LBL_CLICK3, "IDC_LBL_CLICK3", 0},
      {LOCALIZE_BUTTON, IDHELP, "IDHELP", 0},
      {LOCALIZE_BUTTON, IDBACK, "IDBACK", 0},
      {LOCALIZE_BUTTON, IDOK, "IDOK", 0},
      {LOCALIZE_BUTTON, IDCANCEL, "IDCANCEL", 0},
  };

  bool LabelsOffered() const {
    return CalendarFilterControls::LabelsOffered(m_outlookVersion, T::kLabelsOnlyIn10And11);
  }

  LRESULT OnInitDialog(UINT message, WPARAM wParam, LPARAM lParam, BOOL& handled) {
    this->InitPage(message, wParam, lParam, handled, kLocalizeTable, T::kSection);
    m_boldFont.Reset(SetDlgItemFont(this->m_hWnd, IDC_LBL_CLICK2, TRUE, FALSE, FALSE));
    CalendarFilterControls::FillCombos(this->m_hWnd);
    CalendarFilterControls::Show(this->m_hWnd, m_filter, m_outlookVersion, LabelsOffered());
    return TRUE;
  }

  LRESULT OnCtlColor(UINT, WPARAM wParam, LPARAM lParam, BOOL& handled) {
    HBRUSH brush = CalendarFilterControls::WindowColourFor(reinterpret_cast<HDC>(wParam),
                                                           reinterpret_cast<HWND>(lParam));
    handled = brush != nullptr;
    return reinterpret_cast<LRESULT>(brush);
  }

  LRESULT OnLeave(WORD, WORD id, HWND, BOOL&) {
    const HWND dlg = this->m_hWnd;
    CalendarFilterControls::Read(dlg, m_filter, LabelsOffered());
    if (id == IDOK && !CalendarFilterControls::Validate(dlg, m_filter, LabelsOffered())) return 0;
    const PageOptions options(m_optionsKey);
    options.WriteDword(T::kFilterValue, m_filter.mask);
    options.WriteString(T::kCategoriesValue, m_filter.Categories);
    options.WriteDword(T::kLabelsValue, m_filter.LabelMask);
    this->EndDialog(id);
    return 0;
  }

  LRESULT OnClickedBtnCategories(WORD, WORD, HWND, BOOL&) {
    if (m_outlookVersion <= 9) return 0;
    ChooseCategories(this->m_hWnd, m_app, T::kCategoriesFunction);
    m_filter.Categories = AsciiText::Trim(GetDlgItemString(this->m_hWnd, IDC_TXT_CATEGORIES));
    return 0;
  }

  LRESULT OnClickedBtnLabels(WORD, WORD, HWND, BOOL&) {
    CDlgLabels labels(m_filter.LabelMask);
    if (labels.DoModal(GetActiveWindow()) != IDOK) return 0;
    m_filter.LabelMask = labels.m_labelMask;
    CheckDlgButton(this->m_hWnd, IDC_CHK_LABELS,
                   m_filter.LabelMask > 0 ? BST_CHECKED : BST_UNCHECKED);
    SetDlgItemTextA(this->m_hWnd, IDC_TXT_LABELS, GetEventLabelNames(m_filter.LabelMask).c_str());
    return 0;
  }

  LRESULT OnClickedBtnDefaults(WORD, WORD, HWND, BOOL&) {
    SetDefaults();
    CalendarFilterControls::Show(this->m_hWnd, m_filter, m_outlookVersion, LabelsOffered());
    return 0;
  }

  UniqueGdiObject<HFONT> m_boldFont;
};
