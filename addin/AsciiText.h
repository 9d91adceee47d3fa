// Small text steps shared by the readers and the pages: ASCII case, blanks and plain
// numbers. Text is 8-bit or UTF-16; only ASCII letters change case and only the ASCII
// characters of a set are trimmed.
#pragma once

#include <string>
#include <string_view>

#include "win32/base.h"

class AsciiText {
 public:
  // What the readers take for blanks around a value.
  static constexpr std::string_view kBlanks = " \t\r\n";
  // What isspace takes for white space in the "C" locale.
  static constexpr std::string_view kWhiteSpace = " \t\r\n\v\f";

  // The characters of kBlanks, compared directly: the readers ask for every character.
  static bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }
  static bool IsDigit(char c) { return c >= '0' && c <= '9'; }
  static char Upper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c; }

  // The text without the characters of the set at either end.
  static std::string Trim(std::string_view text, std::string_view set = kBlanks);
  static std::basic_string<WCHAR> Trim(std::basic_string_view<WCHAR> text,
                                       std::string_view set = kBlanks);
  static void ToUpper(std::string& text);
  static std::string Uppercase(std::string text);
  static bool IEquals(std::string_view left, std::string_view right);
  // UTF-16 text against ASCII text, without regard to case.
  static bool IEquals(std::basic_string_view<WCHAR> left, std::string_view right);
  static bool IStartsWith(std::string_view text, std::string_view start);
  // Digits only, at least one, the number at most max; false otherwise (number kept).
  static bool ParseUnsigned(std::string_view digits, long long max, long long& number);
};
