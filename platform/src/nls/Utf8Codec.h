// UTF-8, written here rather than through iconv because Windows replaces each bad
// sequence with U+FFFD where iconv only stops.
#pragma once

#include "nls/TextCodec.h"

namespace kelvra::platform {

class Utf8Codec : public TextCodec {
 public:
  void Decode(std::string_view bytes, std::u16string& text) const override;
  // A lone surrogate becomes U+FFFD; nothing is ever replaced by the default character.
  void Encode(std::u16string_view text, std::string& bytes,
              Replacement& replacement) const override;
};

}  // namespace kelvra::platform
