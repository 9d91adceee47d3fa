#include "store/HexText.h"

namespace kelvra::store {

namespace {

constexpr char kDigits[] = "0123456789ABCDEF";

int DigitValue(char32_t c) {
  if (c >= '0' && c <= '9') return static_cast<int>(c - '0');
  if (c >= 'A' && c <= 'F') return static_cast<int>(c - 'A' + 10);
  if (c >= 'a' && c <= 'f') return static_cast<int>(c - 'a' + 10);
  return -1;
}

template <class Text>
std::optional<Bytes> ParseDigits(Text text) {
  if (text.size() % 2 != 0) return std::nullopt;
  Bytes bytes;
  bytes.reserve(text.size() / 2);
  for (std::size_t i = 0; i < text.size(); i += 2) {
    const int high = DigitValue(static_cast<char32_t>(text[i]));
    const int low = DigitValue(static_cast<char32_t>(text[i + 1]));
    if (high < 0 || low < 0) return std::nullopt;
    bytes.push_back(static_cast<std::uint8_t>(high * 16 + low));
  }
  return bytes;
}

}  // namespace

std::string HexText::Of(const Bytes& bytes) {
  std::string text;
  text.reserve(bytes.size() * 2);
  for (const std::uint8_t byte : bytes) {
    text.push_back(kDigits[byte >> 4]);
    text.push_back(kDigits[byte & 0x0F]);
  }
  return text;
}

std::u16string HexText::WideOf(const Bytes& bytes) {
  const std::string text = Of(bytes);
  return std::u16string(text.begin(), text.end());
}

std::optional<Bytes> HexText::Parse(std::string_view text) { return ParseDigits(text); }

std::optional<Bytes> HexText::Parse(std::u16string_view text) { return ParseDigits(text); }

}  // namespace kelvra::store
