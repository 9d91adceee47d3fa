// Which appointments a calendar run leaves out: the record the filter pages fill and
// the runs test each appointment against.
#pragma once

#include <string>

#include "atl/OleDateTime.h"
#include "win32/base.h"

struct CvCalFilter {
  // Bits of mask, each a reason to leave an appointment out.
  static constexpr DWORD kSkipAllDay = 1;
  // Personal, private and confidential appointments.
  static constexpr DWORD kSkipNotNormal = 2;
  // Those carrying one of the categories; those carrying none of them.
  static constexpr DWORD kExcludeCategories = 4;
  static constexpr DWORD kIncludeCategories = 8;
  // Those matching the label choice; those not matching it.
  static constexpr DWORD kExcludeLabels = 16;
  static constexpr DWORD kIncludeLabels = 32;
  // Those outside the date window.
  static constexpr DWORD kDates = 64;

  static constexpr DWORD kCategoryRules = kExcludeCategories | kIncludeCategories;
  static constexpr DWORD kLabelRules = kExcludeLabels | kIncludeLabels;

  // 0: no filtering.
  DWORD mask = 0;
  // Category names separated by the user's list separator.
  std::string Categories;
  // Bit n-1 stands for Outlook label n (1 to 10).
  DWORD LabelMask = 0;
  COleDateTime dateFrom;
  COleDateTime dateTo;
};
