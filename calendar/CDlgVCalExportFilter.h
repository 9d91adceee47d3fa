// The filter page of the export-events wizard, shown when the first page was left
// with "Next >": which appointments the run leaves out.
#pragma once

#include "addin/CLang.h"
#include "addin/LinkCommands.h"
#include "calendar/CalendarFilterPage.h"
#include "resource.h"

class CDlgVCalExportFilter : public CalendarFilterPage<CDlgVCalExportFilter> {
 public:
  enum { IDD = IDD_VCAL_EXPORT_FILTER };
  static constexpr const char* kSection = "IDD_VCAL_EXPORT_FILTER";
  static constexpr const char* kFilterValue = "Appointments.Export.Filter";
  static constexpr const char* kCategoriesValue = "Appointments.Export.Filter.Categories";
  static constexpr const char* kLabelsValue = "Appointments.Export.Filter.Labels";
  // All-day events, category exclude, label exclude and the dates; from Outlook 12 on
  // without the category rule.
  static constexpr DWORD kDefaultMask = 85;
  static constexpr DWORD kDefaultMaskFrom12 = 81;
  static constexpr bool kLabelsOnlyIn10And11 = true;
  static constexpr const char* kCategoriesFunction = "CDlgVCalExportFilter::OnClickedBtnCategories";
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

  CDlgVCalExportFilter(Outlook::_Application* app, HKEY* optionsKey)
      : CalendarFilterPage(app, optionsKey, help_topics::kExportEvents) {}
};
