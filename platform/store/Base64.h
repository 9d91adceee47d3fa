// Attachment bytes in the mailbox file: Base64 with "=" padding, on one line.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "store/Value.h"

namespace kelvra::store {

class Base64 {
 public:
  static std::string Encode(const Bytes& bytes);
  // Blanks and line breaks are skipped (hand-made files wrap long data);
  // nothing for any other character outside the alphabet or a wrong length or
  // padding.
  static std::optional<Bytes> Decode(std::string_view text);
};

}  // namespace kelvra::store
