#include "calendar/CalText.h"

std::string CalText::Trim(std::string_view text) {
  std::size_t first = 0;
  std::size_t last = text.size();
  while (first < last && IsBlank(text[first])) ++first;
  while (last > first && IsBlank(text[last - 1])) --last;
  return std::string(text.substr(first, last - first));
}

void CalText::ToUpper(std::string& text) {
  for (char& c : text) c = Upper(c);
}

bool CalText::IEquals(std::string_view left, std::string_view right) {
  if (left.size() != right.size()) return false;
  for (std::size_t i = 0; i < left.size(); ++i) {
    if (Upper(left[i]) != Upper(right[i])) return false;
  }
  return true;
}

bool CalText::IStartsWith(std::string_view text, std::string_view start) {
  return text.size() >= start.size() && IEquals(text.substr(0, start.size()), start);
}

bool CalText::ParseUnsigned(std::string_view digits, long long max, long long& number) {
  if (digits.empty()) return false;
  long long value = 0;
  for (const char c : digits) {
    if (!IsDigit(c)) return false;
    value = value * 10 + (c - '0');
    if (value > max) return false;
  }
  number = value;
  return true;
}
