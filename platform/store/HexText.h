// Binary values as hex text, the way entry ids travel in BSTRs and in the
// mailbox file: upper-case pairs on output, either case on input.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "store/Value.h"

namespace kelvra::store {

class HexText {
 public:
  static std::string Of(const Bytes& bytes);
  static std::u16string WideOf(const Bytes& bytes);
  // Nothing for an odd length or a character that is not a hex digit.
  static std::optional<Bytes> Parse(std::string_view text);
  static std::optional<Bytes> Parse(std::u16string_view text);
};

}  // namespace kelvra::store
