#include "files/Wildcard.h"

#include "base/AsciiCase.h"

namespace kelvra::platform {

bool MatchesWildcard(std::string_view pattern, std::string_view name) {
  if (pattern == "*.*") return true;
  std::size_t p = 0;
  std::size_t n = 0;
  std::size_t starAt = std::string_view::npos;  // last "*" seen, to fall back to
  std::size_t starName = 0;                     // where the name stood then
  while (n < name.size()) {
    if (p < pattern.size() && pattern[p] == '*') {
      starAt = p++;
      starName = n;
    } else if (p < pattern.size() &&
               (pattern[p] == '?' || AsciiLower(static_cast<unsigned char>(pattern[p])) ==
                                         AsciiLower(static_cast<unsigned char>(name[n])))) {
      ++p;
      ++n;
    } else if (starAt != std::string_view::npos) {
      p = starAt + 1;  // let the last "*" take one more character
      n = ++starName;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == '*') ++p;
  return p == pattern.size();
}

}  // namespace kelvra::platform
