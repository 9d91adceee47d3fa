// The category and label rules of a calendar filter, as both calendar runs apply them.
#pragma once

#include <functional>
#include <string>

#include "atl/OleDateTime.h"
#include "calendar/CvCalFilter.h"
#include "calendar/SeriesWindow.h"

class CalendarFilterRules {
 public:
  // Whether the category rule of the mask leaves out an item carrying these categories
  // (the user's list separator between them). Without filter categories the rule is
  // skipped with a warning under function.
  static bool CategoriesLeaveOut(const CvCalFilter& filter, const std::string& carried,
                                 const char* function);
  // Whether the label rule leaves out an item; labelled is asked only when the rule
  // applies. Without labels the rule is skipped with the warning noLabels.
  // Whether the date rule of the mask leaves out an item from start to end (a time
  // that could not be had is not compared) or, with a rule, the series whose first
  // occurrence that is: a series is kept when one of its occurrences overlaps the
  // window.
  static bool DatesLeaveOut(const CvCalFilter& filter, const COleDateTime& start,
                            const COleDateTime& end, const SeriesWindow::Rule* series);
  static bool LabelsLeaveOut(const CvCalFilter& filter, const std::function<bool()>& labelled,
                             const char* function, const char* noLabels);
};
