#include "nls/Utf8Codec.h"

namespace kelvra::platform {
namespace {

struct SequenceShape {
  std::size_t length;  // 0 = the byte never starts a sequence
  unsigned char secondLow;
  unsigned char secondHigh;
};

// The second byte's range excludes overlong forms, surrogates and values beyond
// U+10FFFF; the later bytes are always 80..BF.
SequenceShape ShapeOf(unsigned char lead) {
  if (lead >= 0xC2 && lead <= 0xDF) return {2, 0x80, 0xBF};
  if (lead == 0xE0) return {3, 0xA0, 0xBF};
  if (lead == 0xED) return {3, 0x80, 0x9F};
  if (lead >= 0xE1 && lead <= 0xEF) return {3, 0x80, 0xBF};
  if (lead == 0xF0) return {4, 0x90, 0xBF};
  if (lead >= 0xF1 && lead <= 0xF3) return {4, 0x80, 0xBF};
  if (lead == 0xF4) return {4, 0x80, 0x8F};
  return {0, 0, 0};
}

// Decodes the sequence at position; an invalid one yields U+FFFD and consumes its
// longest valid beginning (at least one byte).
char32_t DecodeSequence(std::string_view bytes, std::size_t& position) {
  const auto lead = static_cast<unsigned char>(bytes[position++]);
  if (lead < 0x80) return lead;
  const SequenceShape shape = ShapeOf(lead);
  if (shape.length == 0) return kReplacementCharacter;
  char32_t codePoint = lead & (0xFF >> (shape.length + 1));
  for (std::size_t i = 1; i < shape.length; ++i) {
    if (position == bytes.size()) return kReplacementCharacter;
    const auto next = static_cast<unsigned char>(bytes[position]);
    const unsigned char low = i == 1 ? shape.secondLow : 0x80;
    const unsigned char high = i == 1 ? shape.secondHigh : 0xBF;
    if (next < low || next > high) return kReplacementCharacter;
    codePoint = (codePoint << 6) | (next & 0x3F);
    ++position;
  }
  return codePoint;
}

void AppendUtf8(std::string& bytes, char32_t codePoint) {
  if (codePoint < 0x80) {
    bytes.push_back(static_cast<char>(codePoint));
  } else if (codePoint < 0x800) {
    bytes.push_back(static_cast<char>(0xC0 | (codePoint >> 6)));
    bytes.push_back(static_cast<char>(0x80 | (codePoint & 0x3F)));
  } else if (codePoint < 0x10000) {
    bytes.push_back(static_cast<char>(0xE0 | (codePoint >> 12)));
    bytes.push_back(static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F)));
    bytes.push_back(static_cast<char>(0x80 | (codePoint & 0x3F)));
  } else {
    bytes.push_back(static_cast<char>(0xF0 | (codePoint >> 18)));
    bytes.push_back(static_cast<char>(0x80 | ((codePoint >> 12) & 0x3F)));
    bytes.push_back(static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F)));
    bytes.push_back(static_cast<char>(0x80 | (codePoint & 0x3F)));
  }
}

}  // namespace

void Utf8Codec::Decode(std::string_view bytes, std::u16string& text) const {
  std::size_t position = 0;
  while (position < bytes.size()) AppendCodePoint(text, DecodeSequence(bytes, position));
}

void Utf8Codec::Encode(std::u16string_view text, std::string& bytes, Replacement&) const {
  bytes.reserve(bytes.size() + text.size());
  std::size_t position = 0;
  while (position < text.size()) {
    if (text[position] < 0x80) {  // ASCII runs need no decoding
      bytes.push_back(static_cast<char>(text[position++]));
      continue;
    }
    const char32_t codePoint = NextCodePoint(text, position);
    const bool loneSurrogate = codePoint >= 0xD800 && codePoint <= 0xDFFF;
    AppendUtf8(bytes, loneSurrogate ? kReplacementCharacter : codePoint);
  }
}

}  // namespace kelvra::platform
