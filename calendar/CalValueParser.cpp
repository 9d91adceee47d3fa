#include "calendar/CalValueParser.h"

#include <climits>

#include "addin/AsciiText.h"

namespace {

bool AllDigits(std::string_view text) {
  for (const char c : text) {
    if (!AsciiText::IsDigit(c)) return false;
  }
  return true;
}

// Minutes per unit letter; 0 for a letter that is no unit (seconds are handled apart).
long long UnitMinutes(char unit) {
  switch (AsciiText::Upper(unit)) {
    case 'W':
      return 7 * 24 * 60;
    case 'D':
      return 24 * 60;
    case 'H':
      return 60;
    case 'M':
      return 1;
    default:
      return 0;
  }
}

}  // namespace

bool CalValueParser::IsDateForm(std::string_view text) {
  if (text.size() == 8) return AllDigits(text);
  if (text.size() != 15 && text.size() != 16) return false;
  if (text.size() == 16 && AsciiText::Upper(text[15]) != 'Z') return false;
  return AllDigits(text.substr(0, 8)) && AsciiText::Upper(text[8]) == 'T' &&
         AllDigits(text.substr(9, 6));
}

bool CalValueParser::ParsePeriod(std::string_view text, std::string* start, std::string* end,
                                 std::string* duration) {
  const std::size_t slash = text.find('/');
  if (slash == std::string_view::npos) return false;
  const std::string_view first = text.substr(0, slash);
  const std::string_view second = text.substr(slash + 1);
  if (!IsDateForm(first) || second.empty() || second.front() == '-') return false;
  const char lead = AsciiText::Upper(second.front());
  const bool isDuration = lead == '+' || lead == 'P';
  int minutes = 0;
  if (isDuration ? !ParseDuration(second, minutes) : !IsDateForm(second)) return false;
  if (start) *start = first;
  if (end) *end = isDuration ? std::string() : std::string(second);
  if (duration) *duration = isDuration ? std::string(second) : std::string();
  return true;
}

bool CalValueParser::ParseDuration(std::string_view text, int& minutes) {
  std::size_t i = 0;
  const bool negative = !text.empty() && text[0] == '-';
  if (!text.empty() && (text[0] == '-' || text[0] == '+')) ++i;
  if (i >= text.size() || AsciiText::Upper(text[i]) != 'P') return false;
  ++i;
  long long total = 0;
  // Each component is capped well below the point where the sums could overflow; the
  // total is checked against the int range at the end.
  constexpr long long kComponentLimit = 1LL << 40;
  while (i < text.size()) {
    if (AsciiText::Upper(text[i]) == 'T') {
      ++i;
      continue;
    }
    const std::size_t digits = i;
    while (i < text.size() && AsciiText::IsDigit(text[i])) ++i;
    long long number = 0;
    if (i == digits || i >= text.size() ||
        !AsciiText::ParseUnsigned(text.substr(digits, i - digits), kComponentLimit, number)) {
      return false;
    }
    const char unit = text[i++];
    if (AsciiText::Upper(unit) == 'S') {
      total += number / 60;
    } else if (UnitMinutes(unit) != 0) {
      total += number * UnitMinutes(unit);
    } else {
      return false;
    }
    if (total > kComponentLimit * 16) return false;
  }
  if (total > INT_MAX) return false;
  minutes = static_cast<int>(negative ? -total : total);
  return true;
}
