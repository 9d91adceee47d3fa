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

// What a UTF-16 code point is written as: a lone surrogate has no UTF-8 form.
char32_t Encodable(char32_t codePoint) {
  return codePoint >= 0xD800 && codePoint <= 0xDFFF ? kReplacementCharacter : codePoint;
}

std::size_t EncodedLength(char32_t codePoint) {
  return codePoint < 0x80 ? 1 : codePoint < 0x800 ? 2 : codePoint < 0x10000 ? 3 : 4;
}

char* WriteUtf8(char* out, char32_t codePoint) {
  const std::size_t length = EncodedLength(codePoint);
  if (length == 1) {
    *out = static_cast<char>(codePoint);
    return out + 1;
  }
  static constexpr unsigned char kLeadMarks[] = {0, 0, 0xC0, 0xE0, 0xF0};
  for (std::size_t i = length - 1; i > 0; --i) {
    out[i] = static_cast<char>(0x80 | (codePoint & 0x3F));
    codePoint >>= 6;
  }
  out[0] = static_cast<char>(kLeadMarks[length] | codePoint);
  return out + length;
}

}  // namespace

void Utf8Codec::Decode(std::string_view bytes, std::u16string& text) const {
  std::size_t position = 0;
  while (position < bytes.size()) AppendCodePoint(text, DecodeSequence(bytes, position));
}

void Utf8Codec::Encode(std::u16string_view text, std::string& bytes, Replacement&) const {
  // Every string an item hands out comes through here: size the output once.
  std::size_t length = 0;
  for (std::size_t position = 0; position < text.size();) {
    if (text[position] < 0x80) {  // ASCII runs need no decoding
      ++length;
      ++position;
      continue;
    }
    length += EncodedLength(Encodable(NextCodePoint(text, position)));
  }
  const std::size_t start = bytes.size();
  bytes.resize(start + length);
  char* out = bytes.data() + start;
  for (std::size_t position = 0; position < text.size();) {
    if (text[position] < 0x80) {
      *out++ = static_cast<char>(text[position++]);
      continue;
    }
    out = WriteUtf8(out, Encodable(NextCodePoint(text, position)));
  }
}

}  // namespace kelvra::platform
