// File-name patterns of FindFirstFileA.
#pragma once

#include <string_view>

namespace kelvra::platform {

// "*" matches any run of characters, "?" exactly one; letters match without regard to
// ASCII case. "*.*" matches every name, with or without a dot.
bool MatchesWildcard(std::string_view pattern, std::string_view name);

}  // namespace kelvra::platform
