// Property-set GUIDs as the mailbox file writes them:
// "{00062002-0000-0000-C000-000000000046}".
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "com/guid.h"

namespace kelvra::store {

class GuidText {
 public:
  // Upper-case digits, with braces.
  static std::string Of(const GUID& guid);
  // Braces optional, digits of either case.
  static std::optional<GUID> Parse(std::string_view text);
};

}  // namespace kelvra::store
