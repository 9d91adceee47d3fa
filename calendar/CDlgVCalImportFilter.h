// The filter page of the import-events wizard, shown when the first page was left
// with "Next >": which events the run leaves out. Unlike the export page it offers the
// label rule with every Outlook (it reads labels from the summaries).
#pragma once

#include "addin/LinkCommands.h"
#include "calendar/CalendarFilterPage.h"
#include "resource.h"

class CDlgVCalImportFilter : public CalendarFilterPage<CDlgVCalImportFilter> {
 public:
  enum { IDD = IDD_VCAL_IMPORT_FILTER };
  static constexpr const char* kSection = "IDD_VCAL_IMPORT_FILTER";
  static constexpr const char* kFilterValue = "Appointments.Import.Filter";
  static constexpr const char* kCategoriesValue = "Appointments.Import.Filter.Categories";
  static constexpr const char* kLabelsValue = "Appointments.Import.Filter.SubjectLabels";
  // All-day events, category exclude and label exclude; from Outlook 12 on without the
  // category rule. The date window is not on by default.
  static constexpr DWORD kDefaultMask = 21;
  static constexpr DWORD kDefaultMaskFrom12 = 17;
  static constexpr bool kLabelsOnlyIn10And11 = false;
  static constexpr const char* kCategoriesFunction = "CDlgVCalImportFilter::OnClickedBtnCategories";

  CDlgVCalImportFilter(Outlook::_Application* app, HKEY* optionsKey)
      : CalendarFilterPage(app, optionsKey, help_topics::kImportEvents) {}
};
