// Case folding as Windows applies it to file names and the CRT's "i" compares in the
// C locale: ASCII letters only, so results never depend on the machine's locale.
#pragma once

#include <cstddef>
#include <string_view>

namespace kelvra::platform {

inline constexpr unsigned char AsciiLower(unsigned char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<unsigned char>(c - 'A' + 'a') : c;
}

// Compares like _strnicmp: at most `limit` characters, lower-cased, as unsigned bytes.
inline int CompareIgnoringAsciiCase(std::string_view a, std::string_view b,
                                    std::size_t limit = std::string_view::npos) {
  for (std::size_t i = 0; i < limit; ++i) {
    const int ca = i < a.size() ? AsciiLower(static_cast<unsigned char>(a[i])) : 0;
    const int cb = i < b.size() ? AsciiLower(static_cast<unsigned char>(b[i])) : 0;
    if (ca != cb || ca == 0) return ca - cb;
  }
  return 0;
}

// Orders like a Windows folder listing, which folds to upper case: "_" comes after
// the letters there, where the lower-casing compare above puts it before them.
inline int CompareAsUpperCase(std::string_view a, std::string_view b) {
  const auto upper = [](char c) -> int {
    const auto u = static_cast<unsigned char>(c);
    return u >= 'a' && u <= 'z' ? u - 'a' + 'A' : u;
  };
  const std::size_t common = a.size() < b.size() ? a.size() : b.size();
  for (std::size_t i = 0; i < common; ++i) {
    const int ca = upper(a[i]);
    const int cb = upper(b[i]);
    if (ca != cb) return ca - cb;
  }
  return a.size() < b.size() ? -1 : (a.size() > b.size() ? 1 : 0);
}

inline bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && CompareIgnoringAsciiCase(a, b) == 0;
}

}  // namespace kelvra::platform
