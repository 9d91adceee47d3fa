// Orders names as the index compares them: ASCII letters without case, then bytes.
#pragma once

#include <string_view>

namespace nocase_detail {

struct FoldTable {
  unsigned char bytes[256];
  constexpr FoldTable() : bytes() {
    for (int i = 0; i < 256; ++i)
      bytes[i] = static_cast<unsigned char>(i >= 'A' && i <= 'Z' ? i + ('a' - 'A') : i);
  }
};
inline constexpr FoldTable kFolded{};

}  // namespace nocase_detail

struct NoCaseLess {
  using is_transparent = void;
  bool operator()(std::string_view a, std::string_view b) const {
    const std::size_t n = a.size() < b.size() ? a.size() : b.size();
    for (std::size_t i = 0; i < n; ++i) {
      const unsigned char x = Fold(a[i]);
      const unsigned char y = Fold(b[i]);
      if (x != y) return x < y;
    }
    return a.size() < b.size();
  }
  static unsigned char Fold(char c) {
    return nocase_detail::kFolded.bytes[static_cast<unsigned char>(c)];
  }
};
