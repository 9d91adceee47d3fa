// UTF-8 (the mailbox file) to UTF-16 (the store) and back. Malformed input
// becomes U+FFFD, so that a lone surrogate in a BSTR can never make a file
// unwritable.
#pragma once

#include <string>
#include <string_view>

namespace kelvra::store {

class Utf {
 public:
  static std::u16string ToUtf16(std::string_view utf8);
  static std::string ToUtf8(std::u16string_view utf16);
};

}  // namespace kelvra::store
