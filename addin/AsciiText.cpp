#include "addin/AsciiText.h"

#include <type_traits>

namespace {

template <typename Char>
bool InSet(Char c, std::string_view set) {
  const auto code = static_cast<std::make_unsigned_t<Char>>(c);
  return code < 0x80 && set.find(static_cast<char>(code)) != std::string_view::npos;
}

template <typename Char>
std::basic_string<Char> TrimView(std::basic_string_view<Char> text, std::string_view set) {
  std::size_t first = 0;
  std::size_t last = text.size();
  while (first < last && InSet(text[first], set)) ++first;
  while (last > first && InSet(text[last - 1], set)) --last;
  return std::basic_string<Char>(text.substr(first, last - first));
}

}  // namespace

std::string AsciiText::Trim(std::string_view text, std::string_view set) {
  return TrimView(text, set);
}

std::basic_string<WCHAR> AsciiText::Trim(std::basic_string_view<WCHAR> text, std::string_view set) {
  return TrimView(text, set);
}

void AsciiText::ToUpper(std::string& text) {
  for (char& c : text) c = Upper(c);
}

std::string AsciiText::Uppercase(std::string text) {
  ToUpper(text);
  return text;
}

bool AsciiText::IEquals(std::string_view left, std::string_view right) {
  if (left.size() != right.size()) return false;
  for (std::size_t i = 0; i < left.size(); ++i) {
    if (Upper(left[i]) != Upper(right[i])) return false;
  }
  return true;
}

bool AsciiText::IEquals(std::basic_string_view<WCHAR> left, std::string_view right) {
  if (left.size() != right.size()) return false;
  for (std::size_t i = 0; i < left.size(); ++i) {
    if (left[i] > 0x7F || Upper(static_cast<char>(left[i])) != Upper(right[i])) return false;
  }
  return true;
}

bool AsciiText::IStartsWith(std::string_view text, std::string_view start) {
  return text.size() >= start.size() && IEquals(text.substr(0, start.size()), start);
}

bool AsciiText::ParseUnsigned(std::string_view digits, long long max, long long& number) {
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
