#include "sharestore/common/FileTimeText.h"

#include <cstdint>

namespace {

bool ParseHex32(std::string_view text, DWORD& value) {
  if (text.empty()) return false;
  std::uint64_t v = 0;
  for (const char c : text) {
    int digit = 0;
    if (c >= '0' && c <= '9')
      digit = c - '0';
    else if (c >= 'a' && c <= 'f')
      digit = c - 'a' + 10;
    else if (c >= 'A' && c <= 'F')
      digit = c - 'A' + 10;
    else
      return false;
    v = v * 16 + static_cast<std::uint64_t>(digit);
    if (v > 0xFFFFFFFFu) return false;
  }
  value = static_cast<DWORD>(v);
  return true;
}

}  // namespace

void AppendFileTime(std::string& out, const FILETIME& time) {
  static const char kDigits[] = "0123456789abcdef";
  char text[17];
  for (int i = 0; i < 8; ++i) {
    text[7 - i] = kDigits[(time.dwLowDateTime >> (4 * i)) & 15];
    text[16 - i] = kDigits[(time.dwHighDateTime >> (4 * i)) & 15];
  }
  text[8] = '-';
  out.append(text, sizeof text);
}

bool ParseFileTime(std::string_view text, FILETIME& time) {
  const std::size_t dash = text.find('-');
  if (dash == std::string_view::npos) {
    time.dwHighDateTime = 0;
    return ParseHex32(text, time.dwLowDateTime);
  }
  return ParseHex32(text.substr(0, dash), time.dwLowDateTime) &&
         ParseHex32(text.substr(dash + 1), time.dwHighDateTime);
}
