#include "outlook/SeriesOccurrences.h"

#include <optional>
#include <set>

#include "atl/OleSeconds.h"
#include "outlook/RecurrenceDays.h"
#include "outlook/SeriesExceptions.h"
#include "store/Item.h"

namespace kelvra::outlook {

namespace {

std::int64_t SecondsOf(double date) { return atl::OleSeconds::FromDate(date).value_or(0); }

}  // namespace

std::vector<double> SeriesOccurrences::Between(const store::Item& series, std::int64_t firstDay,
                                               std::int64_t lastDay) {
  std::vector<double> starts;
  const std::optional<store::RecurrencePattern> pattern = series.Recurrence();
  if (!pattern.has_value()) return starts;
  const std::vector<store::RecurrenceException> exceptions = series.Exceptions();
  std::set<std::int64_t> excepted;
  for (const store::RecurrenceException& exception : exceptions) {
    excepted.insert(SecondsOf(exception.originalDate));
  }
  // Occurrences as the pattern places them, then the changed ones where they went.
  RecurrenceDays(*pattern).ForEach(lastDay, [&](std::int64_t day) {
    const double original = SeriesExceptions::OriginalStart(*pattern, day);
    if (day >= firstDay && !excepted.contains(SecondsOf(original))) starts.push_back(original);
    return true;
  });
  for (const store::RecurrenceException& exception : exceptions) {
    const std::int64_t day = RecurrenceDays::DayOf(SeriesExceptions::StartOf(exception));
    if (!exception.deleted && day >= firstDay && day <= lastDay &&
        SeriesExceptions::IsOccurrence(series, exception.originalDate)) {
      starts.push_back(exception.originalDate);
    }
  }
  return starts;
}

}  // namespace kelvra::outlook
