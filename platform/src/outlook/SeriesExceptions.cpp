#include "outlook/SeriesExceptions.h"

#include <algorithm>

#include "atl/OleSeconds.h"
#include "outlook/RecurrenceDays.h"
#include "store/Item.h"

namespace kelvra::outlook {

namespace {

using atl::OleSeconds;

std::int64_t SecondsOf(double date) { return OleSeconds::FromDate(date).value_or(0); }

bool Earlier(const store::RecurrenceException& a, const store::RecurrenceException& b) {
  return SecondsOf(a.originalDate) < SecondsOf(b.originalDate);
}

}  // namespace

bool SeriesExceptions::SameSecond(double a, double b) {
  const std::optional<std::int64_t> first = OleSeconds::FromDate(a);
  const std::optional<std::int64_t> second = OleSeconds::FromDate(b);
  return first.has_value() && second.has_value() && *first == *second;
}

std::vector<store::RecurrenceException> SeriesExceptions::Sorted(const store::Item& series) {
  std::vector<store::RecurrenceException> exceptions = series.Exceptions();
  std::stable_sort(exceptions.begin(), exceptions.end(), Earlier);
  return exceptions;
}

std::optional<store::RecurrenceException> SeriesExceptions::Find(const store::Item& series,
                                                                 double originalDate) {
  for (store::RecurrenceException& exception : series.Exceptions()) {
    if (SameSecond(exception.originalDate, originalDate)) return std::move(exception);
  }
  return std::nullopt;
}

void SeriesExceptions::Record(store::Item& series, store::RecurrenceException exception) {
  std::vector<store::RecurrenceException> exceptions = series.Exceptions();
  std::erase_if(exceptions, [&](const store::RecurrenceException& kept) {
    return SameSecond(kept.originalDate, exception.originalDate);
  });
  const auto place = std::upper_bound(exceptions.begin(), exceptions.end(), exception, Earlier);
  exceptions.insert(place, std::move(exception));
  series.SetExceptions(std::move(exceptions));
}

double SeriesExceptions::OriginalStart(const store::RecurrencePattern& pattern, std::int64_t day) {
  const std::int64_t timeOfDay =
      SecondsOf(pattern.startTime) - RecurrenceDays::DayOf(pattern.startTime) * 86400;
  return OleSeconds::ToDate(day * 86400 + timeOfDay);
}

double SeriesExceptions::StartOf(const store::RecurrenceException& exception) {
  const store::Value* moved = exception.changes.Find("Start");
  return moved != nullptr && moved->Type() == store::ValueType::Date ? moved->AsDate()
                                                                     : exception.originalDate;
}

bool SeriesExceptions::DayTaken(const store::Item& series, std::int64_t day, double ownOriginal) {
  const std::optional<store::RecurrencePattern> pattern = series.Recurrence();
  if (!pattern.has_value()) return false;
  const std::vector<store::RecurrenceException> exceptions = series.Exceptions();
  const auto changed = [&](double original) {
    return std::any_of(exceptions.begin(), exceptions.end(), [&](const auto& exception) {
      return SameSecond(exception.originalDate, original);
    });
  };
  const double original = OriginalStart(*pattern, day);
  if (!SameSecond(original, ownOriginal) && !changed(original) &&
      RecurrenceDays(*pattern).Contains(day)) {
    return true;
  }
  return std::any_of(exceptions.begin(), exceptions.end(), [&](const auto& exception) {
    return !exception.deleted && !SameSecond(exception.originalDate, ownOriginal) &&
           RecurrenceDays::DayOf(StartOf(exception)) == day;
  });
}

bool SeriesExceptions::IsOccurrence(const store::Item& series, double originalDate) {
  const std::optional<store::RecurrencePattern> pattern = series.Recurrence();
  if (!pattern.has_value()) return false;
  const std::int64_t day = RecurrenceDays::DayOf(originalDate);
  return SameSecond(OriginalStart(*pattern, day), originalDate) &&
         RecurrenceDays(*pattern).Contains(day);
}

}  // namespace kelvra::outlook
