#include "outlook/SeriesOccurrences.h"

#include <algorithm>
#include <atomic>

#include "atl/OleSeconds.h"
#include "outlook/SeriesExceptions.h"
#include "store/Item.h"

namespace kelvra::outlook {

namespace {

// Days taken from the pattern at a time.
constexpr std::size_t kBatchDays = 64;

std::atomic<std::uint64_t> g_made{0};

std::int64_t SecondsOf(double date) { return atl::OleSeconds::FromDate(date).value_or(0); }

}  // namespace

SeriesOccurrences::SeriesOccurrences(const store::Item& series, std::int64_t firstDay,
                                     std::int64_t lastDay)
    : pattern_(series.Recurrence()), nextDay_(firstDay), lastDay_(lastDay) {
  if (!pattern_.has_value()) return;
  lastDay_ = std::min(lastDay_, RecurrenceDays(*pattern_).EndDay());
  for (const store::RecurrenceException& exception : series.Exceptions()) {
    excepted_.insert(SecondsOf(exception.originalDate));
    const std::int64_t day = RecurrenceDays::DayOf(SeriesExceptions::StartOf(exception));
    if (!exception.deleted && day >= firstDay && day <= lastDay &&
        SeriesExceptions::IsOccurrence(series, exception.originalDate)) {
      moved_.push_back(exception.originalDate);
    }
  }
}

std::optional<double> SeriesOccurrences::NextPlaced() {
  while (!pending_.empty() || Refill()) {
    const double original = SeriesExceptions::OriginalStart(*pattern_, pending_.front());
    pending_.pop_front();
    if (excepted_.contains(SecondsOf(original))) continue;
    ++g_made;
    return original;
  }
  return std::nullopt;
}

bool SeriesOccurrences::Refill() {
  if (!pattern_.has_value() || nextDay_ > lastDay_) return false;
  RecurrenceDays(*pattern_).ForEachFrom(nextDay_, lastDay_, [&](std::int64_t day) {
    pending_.push_back(day);
    return pending_.size() < kBatchDays;
  });
  nextDay_ = pending_.empty() ? lastDay_ + 1 : pending_.back() + 1;
  return !pending_.empty();
}

std::uint64_t SeriesOccurrences::Made() { return g_made; }

}  // namespace kelvra::outlook
