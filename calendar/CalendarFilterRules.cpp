#include "calendar/CalendarFilterRules.h"

#include "addin/CLogTimer.h"
#include "addin/ListSeparator.h"
#include "calendar/CategoryList.h"

namespace {

// The include or exclude bit of a rule: a match is left out by the one, no match by the other.
bool RuleLeavesOut(DWORD mask, bool match, DWORD exclude, DWORD include) {
  return match ? (mask & exclude) != 0 : (mask & include) != 0;
}

}  // namespace

bool CalendarFilterRules::CategoriesLeaveOut(const CvCalFilter& filter, const std::string& carried,
                                             const char* function) {
  if ((filter.mask & CvCalFilter::kCategoryRules) == 0) return false;
  if (filter.Categories.empty()) {
    g_LogTimer.War(function, 0, "filter.Categories empty");
    return false;
  }
  const std::string separator = GetListSeparator();
  const CategoryList names(carried, separator);
  const bool match = !names.empty() && CategoryList(filter.Categories, separator).SharesAny(names);
  return RuleLeavesOut(filter.mask, match, CvCalFilter::kExcludeCategories,
                       CvCalFilter::kIncludeCategories);
}

bool CalendarFilterRules::DatesLeaveOut(const CvCalFilter& filter, const COleDateTime& start,
                                        const COleDateTime& end, const SeriesWindow::Rule* series) {
  if ((filter.mask & CvCalFilter::kDates) == 0) return false;
  if (start >= filter.dateTo) return true;
  if (series == nullptr) return end <= filter.dateFrom;
  if (start.GetStatus() != COleDateTime::valid) return false;
  const COleDateTimeSpan duration =
      end.GetStatus() == COleDateTime::valid ? end - start : COleDateTimeSpan(0, 0, 0, 0);
  return !SeriesWindow::HasOccurrenceIn(*series, start, duration, filter.dateFrom, filter.dateTo);
}

bool CalendarFilterRules::LabelsLeaveOut(const CvCalFilter& filter,
                                         const std::function<bool()>& labelled,
                                         const char* function, const char* noLabels) {
  if ((filter.mask & CvCalFilter::kLabelRules) == 0) return false;
  if (filter.LabelMask == 0) {
    g_LogTimer.War(function, 0, "%s", noLabels);
    return false;
  }
  return RuleLeavesOut(filter.mask, labelled(), CvCalFilter::kExcludeLabels,
                       CvCalFilter::kIncludeLabels);
}
