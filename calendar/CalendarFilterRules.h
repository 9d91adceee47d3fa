// The category and label rules of a calendar filter, as both calendar runs apply them.
#pragma once

#include <functional>
#include <string>

#include "calendar/CvCalFilter.h"

class CalendarFilterRules {
 public:
  // Whether the category rule of the mask leaves out an item carrying these categories
  // (the user's list separator between them). Without filter categories the rule is
  // skipped with a warning under function.
  static bool CategoriesLeaveOut(const CvCalFilter& filter, const std::string& carried,
                                 const char* function);
  // Whether the label rule leaves out an item; labelled is asked only when the rule
  // applies. Without labels the rule is skipped with the warning noLabels.
  static bool LabelsLeaveOut(const CvCalFilter& filter, const std::function<bool()>& labelled,
                             const char* function, const char* noLabels);
};
