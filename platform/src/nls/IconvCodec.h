// A code page converted by iconv itself: the stateful pages (UTF-7, ISO-2022-JP) and
// those with sequences longer than two bytes (GB18030, EUC-JP). Each thread converts
// with descriptors of its own.
#pragma once

#include <memory>
#include <string>

#include "nls/CodePageTraits.h"
#include "nls/TextCodec.h"

namespace kelvra::platform {

class IconvCodec : public TextCodec {
 public:
  // nullptr when iconv cannot convert the page.
  static std::unique_ptr<IconvCodec> Open(const CodePageTraits& traits);

  void Decode(std::string_view bytes, std::u16string& text) const override;
  void Encode(std::u16string_view text, std::string& bytes,
              Replacement& replacement) const override;

 private:
  explicit IconvCodec(const CodePageTraits& traits)
      : name_(traits.iconvName), defaultChar_(traits.defaultChar) {}

  std::string name_;
  char16_t defaultChar_;
};

}  // namespace kelvra::platform
