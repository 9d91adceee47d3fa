// Conversion between UTF-16 and the bytes of one code page, with the Windows rules
// for what does not convert.
#pragma once

#include <string>
#include <string_view>

namespace kelvra::platform {

// What the encoder writes for a character the code page cannot hold, and whether it
// had to.
struct Replacement {
  std::string bytes = "?";
  bool used = false;
};

class TextCodec {
 public:
  virtual ~TextCodec() = default;

  // Appends the text of the bytes; bytes that do not decode become the code page's
  // default character (U+FFFD in UTF-8).
  virtual void Decode(std::string_view bytes, std::u16string& text) const = 0;
  // Appends the bytes of the text.
  virtual void Encode(std::u16string_view text, std::string& bytes,
                      Replacement& replacement) const = 0;
  // True when the byte opens a two-byte character.
  virtual bool IsLeadByte(unsigned char) const { return false; }
};

inline constexpr char32_t kReplacementCharacter = 0xFFFD;

inline bool IsHighSurrogate(char16_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
inline bool IsLowSurrogate(char16_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

inline void AppendCodePoint(std::u16string& text, char32_t codePoint) {
  if (codePoint < 0x10000) {
    text.push_back(static_cast<char16_t>(codePoint));
    return;
  }
  codePoint -= 0x10000;
  text.push_back(static_cast<char16_t>(0xD800 + (codePoint >> 10)));
  text.push_back(static_cast<char16_t>(0xDC00 + (codePoint & 0x3FF)));
}

// The code point that starts at position, advancing it; a lone surrogate comes back
// as itself.
inline char32_t NextCodePoint(std::u16string_view text, std::size_t& position) {
  const char16_t unit = text[position++];
  if (IsHighSurrogate(unit) && position < text.size() && IsLowSurrogate(text[position])) {
    return 0x10000 + ((static_cast<char32_t>(unit) - 0xD800) << 10) + (text[position++] - 0xDC00);
  }
  return unit;
}

}  // namespace kelvra::platform
