// The filter page of the export-events wizard, shown when the first page was left
// with "Next >": which appointments the run leaves out.
#pragma once

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

  CDlgVCalExportFilter(Outlook::_Application* app, HKEY* optionsKey)
      : CalendarFilterPage(app, optionsKey, help_topics::kExportEvents) {}
};
