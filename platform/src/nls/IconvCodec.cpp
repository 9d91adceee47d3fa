#include "nls/IconvCodec.h"

#include "nls/IconvDescriptor.h"

namespace kelvra::platform {
namespace {

void AppendUtf32(std::string& bytes, char32_t codePoint) {
  for (int shift = 0; shift < 32; shift += 8)
    bytes.push_back(static_cast<char>((codePoint >> shift) & 0xFF));
}

void AppendFromUtf32(std::u16string& text, std::string_view bytes) {
  for (std::size_t i = 0; i + 4 <= bytes.size(); i += 4) {
    char32_t codePoint = 0;
    for (std::size_t k = 0; k < 4; ++k)
      codePoint |= static_cast<char32_t>(static_cast<unsigned char>(bytes[i + k])) << (8 * k);
    AppendCodePoint(text, codePoint);
  }
}

}  // namespace

std::unique_ptr<IconvCodec> IconvCodec::Open(const CodePageTraits& traits) {
  if (!IconvDescriptor(kIconvUtf32, traits.iconvName).IsOpen() ||
      !IconvDescriptor(traits.iconvName, kIconvUtf32).IsOpen()) {
    return nullptr;
  }
  return std::unique_ptr<IconvCodec>(new IconvCodec(traits));
}

void IconvCodec::Decode(std::string_view bytes, std::u16string& text) const {
  IconvDescriptor& decoder = IconvDescriptor::ForThread(kIconvUtf32, name_.c_str());
  std::string utf32;
  std::size_t position = 0;
  for (;;) {
    const auto outcome = decoder.Convert(bytes, position, utf32);
    if (outcome == IconvDescriptor::Outcome::kDone) break;
    AppendUtf32(utf32, defaultChar_);
    // A bad byte is skipped and decoding goes on; a sequence cut off by the end is one
    // default character.
    if (outcome == IconvDescriptor::Outcome::kIncomplete) break;
    ++position;
  }
  decoder.Flush(utf32);
  AppendFromUtf32(text, utf32);
}

void IconvCodec::Encode(std::u16string_view text, std::string& bytes,
                        Replacement& replacement) const {
  std::string utf32;
  for (std::size_t position = 0; position < text.size();)
    AppendUtf32(utf32, NextCodePoint(text, position));
  IconvDescriptor& encoder = IconvDescriptor::ForThread(name_.c_str(), kIconvUtf32);
  std::size_t position = 0;
  while (encoder.Convert(utf32, position, bytes) != IconvDescriptor::Outcome::kDone) {
    // Leave any shifted state first, so that the replacement reads as itself.
    encoder.Flush(bytes);
    bytes += replacement.bytes;
    replacement.used = true;
    position += 4;
  }
  encoder.Flush(bytes);
}

}  // namespace kelvra::platform
