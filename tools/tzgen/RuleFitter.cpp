#include "RuleFitter.h"

#include <algorithm>
#include <vector>

namespace tzgen {
namespace {

constexpr std::int64_t kDay = 86400;

struct Civil {
  int year, month, day;
};

Civil CivilFromDays(std::int64_t days) {
  days += 719468;
  const std::int64_t era = (days >= 0 ? days : days - 146096) / 146097;
  const std::int64_t doe = days - era * 146097;
  const std::int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const std::int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const std::int64_t mp = (5 * doy + 2) / 153;
  const int day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  const int month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  return {static_cast<int>(yoe + era * 400 + (month <= 2)), month, day};
}

std::int64_t FloorDiv(std::int64_t a, std::int64_t b) { return a / b - (a % b < 0); }

int DaysInMonth(int year, int month) {
  return static_cast<int>(DaysFromCivil(month == 12 ? year + 1 : year, month % 12 + 1, 1) -
                          DaysFromCivil(year, month, 1));
}

int Weekday(std::int64_t days) { return static_cast<int>(((days % 7) + 11) % 7); }

// The rules that give this change in its year: the week it falls in, and "last" too
// when it falls in the month's last seven days.
std::vector<WindowsRule> Candidates(const Transition& change) {
  const std::int64_t wall = change.utc + change.offsetBefore;
  const std::int64_t days = FloorDiv(wall, kDay);
  const std::int64_t seconds = wall - days * kDay;
  const Civil date = CivilFromDays(days);
  WindowsRule rule{date.month,
                   Weekday(days),
                   (date.day - 1) / 7 + 1,
                   static_cast<int>(seconds / 3600),
                   static_cast<int>(seconds / 60 % 60),
                   static_cast<int>(seconds % 60)};
  std::vector<WindowsRule> rules{rule};
  if (rule.week < 5 && date.day + 7 > DaysInMonth(date.year, date.month)) {
    rule.week = 5;
    rules.insert(rules.begin(), rule);
  }
  return rules;
}

// The first second of the new offset in UTC, when the rule applies in that year.
std::int64_t ChangeInYear(const WindowsRule& rule, int year, int offsetBefore) {
  const std::int64_t first = DaysFromCivil(year, rule.month, 1);
  std::int64_t day = first + (rule.weekday - Weekday(first) + 7) % 7;
  for (int n = 1; n < rule.week && day + 7 < first + DaysInMonth(year, rule.month); ++n) day += 7;
  return day * kDay + rule.hour * 3600 + rule.minute * 60 + rule.second - offsetBefore;
}

std::string ChangesText(std::size_t count, int year) {
  return std::to_string(count) + " offset changes in " + std::to_string(year);
}

}  // namespace

RuleFitter::RuleFitter(const TransitionProbe& probe, int firstYear, int lastYear)
    : probe_(probe), firstYear_(firstYear), lastYear_(lastYear) {}

WindowsZoneRules RuleFitter::Fit() const {
  const auto changes = probe_.InYear(firstYear_);
  const std::int64_t yearEnd = DaysFromCivil(firstYear_ + 1, 1, 1) * kDay - 1;
  if (changes.empty()) {
    for (int year = firstYear_ + 1; year <= lastYear_; ++year) {
      const auto later = probe_.InYear(year);
      if (!later.empty()) {
        return FixedOffset(probe_.OffsetAt(yearEnd), ChangesText(later.size(), year));
      }
    }
    return FixedOffset(probe_.OffsetAt(yearEnd), "");
  }
  const bool seasonal = changes.size() == 2 && changes[0].offsetAfter == changes[1].offsetBefore &&
                        changes[1].offsetAfter == changes[0].offsetBefore;
  if (!seasonal) {
    return FixedOffset(probe_.OffsetAt(yearEnd), ChangesText(changes.size(), firstYear_));
  }
  const bool firstIsDaylight = changes[0].offsetAfter > changes[0].offsetBefore;
  return Seasonal(changes[firstIsDaylight ? 0 : 1], changes[firstIsDaylight ? 1 : 0]);
}

WindowsZoneRules RuleFitter::FixedOffset(int offsetSeconds, std::string mismatch) const {
  WindowsZoneRules rules;
  rules.bias = -offsetSeconds / 60;
  if (mismatch.empty() && offsetSeconds % 60 != 0) mismatch = "offset not in whole minutes";
  rules.mismatch = std::move(mismatch);
  return rules;
}

WindowsZoneRules RuleFitter::Seasonal(const Transition& toDaylight,
                                      const Transition& toStandard) const {
  const int standardOffset = toDaylight.offsetBefore;
  const int daylightOffset = toDaylight.offsetAfter;
  WindowsZoneRules rules;
  rules.bias = -standardOffset / 60;
  rules.daylightBias = -(daylightOffset - standardOffset) / 60;
  const auto daylights = Candidates(toDaylight);
  const auto standards = Candidates(toStandard);
  rules.daylight = daylights.front();
  rules.standard = standards.front();
  if (standardOffset % 60 != 0 || daylightOffset % 60 != 0) {
    rules.mismatch = "offset not in whole minutes";
    return rules;
  }
  for (const auto& daylight : daylights) {
    for (const auto& standard : standards) {
      if (Reproduces(daylight, standard, standardOffset, daylightOffset)) {
        rules.daylight = daylight;
        rules.standard = standard;
        return rules;
      }
    }
  }
  rules.mismatch =
      "the rules of " + std::to_string(firstYear_) + " miss the offset changes of a later year";
  return rules;
}

bool RuleFitter::Reproduces(const WindowsRule& daylight, const WindowsRule& standard,
                            int standardOffset, int daylightOffset) const {
  for (int year = firstYear_; year <= lastYear_; ++year) {
    std::vector<Transition> expected{
        {ChangeInYear(daylight, year, standardOffset), standardOffset, daylightOffset},
        {ChangeInYear(standard, year, daylightOffset), daylightOffset, standardOffset}};
    std::sort(expected.begin(), expected.end(),
              [](const Transition& a, const Transition& b) { return a.utc < b.utc; });
    const auto actual = probe_.InYear(year);
    if (actual.size() != expected.size()) return false;
    for (std::size_t i = 0; i < actual.size(); ++i) {
      if (actual[i].utc != expected[i].utc || actual[i].offsetBefore != expected[i].offsetBefore ||
          actual[i].offsetAfter != expected[i].offsetAfter) {
        return false;
      }
    }
  }
  return true;
}

}  // namespace tzgen
