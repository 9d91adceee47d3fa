// Small text steps of the calendar reader: ASCII case, blanks and plain numbers. The
// file's text is 8-bit; only ASCII letters change case.
#pragma once

#include <string>
#include <string_view>

class CalText {
 public:
  static bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }
  static bool IsDigit(char c) { return c >= '0' && c <= '9'; }
  static char Upper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c; }

  static std::string Trim(std::string_view text);
  static void ToUpper(std::string& text);
  static bool IEquals(std::string_view left, std::string_view right);
  static bool IStartsWith(std::string_view text, std::string_view start);
  // Digits only, at least one, the number at most max; false otherwise (number kept).
  static bool ParseUnsigned(std::string_view digits, long long max, long long& number);
};
