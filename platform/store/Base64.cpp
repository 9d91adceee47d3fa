#include "store/Base64.h"

namespace kelvra::store {

namespace {

constexpr char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

int SextetOf(char c) {
  if (c >= 'A' && c <= 'Z') return c - 'A';
  if (c >= 'a' && c <= 'z') return c - 'a' + 26;
  if (c >= '0' && c <= '9') return c - '0' + 52;
  if (c == '+') return 62;
  if (c == '/') return 63;
  return -1;
}

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

}  // namespace

std::string Base64::Encode(const Bytes& bytes) {
  std::string text;
  text.reserve((bytes.size() + 2) / 3 * 4);
  for (std::size_t i = 0; i < bytes.size(); i += 3) {
    const std::size_t left = bytes.size() - i;
    const std::uint32_t group = (static_cast<std::uint32_t>(bytes[i]) << 16) |
                                (left > 1 ? static_cast<std::uint32_t>(bytes[i + 1]) << 8 : 0) |
                                (left > 2 ? static_cast<std::uint32_t>(bytes[i + 2]) : 0);
    text.push_back(kAlphabet[(group >> 18) & 63]);
    text.push_back(kAlphabet[(group >> 12) & 63]);
    text.push_back(left > 1 ? kAlphabet[(group >> 6) & 63] : '=');
    text.push_back(left > 2 ? kAlphabet[group & 63] : '=');
  }
  return text;
}

std::optional<Bytes> Base64::Decode(std::string_view text) {
  std::string compact;
  compact.reserve(text.size());
  for (const char c : text) {
    if (!IsBlank(c)) compact.push_back(c);
  }
  if (compact.size() % 4 != 0) return std::nullopt;
  Bytes bytes;
  bytes.reserve(compact.size() / 4 * 3);
  for (std::size_t i = 0; i < compact.size(); i += 4) {
    const bool last = i + 4 == compact.size();
    const int padding = last ? (compact[i + 3] == '=') + (compact[i + 2] == '=') : 0;
    if (padding == 1 && compact[i + 2] == '=') return std::nullopt;
    std::uint32_t group = 0;
    for (int k = 0; k < 4 - padding; ++k) {
      const int sextet = SextetOf(compact[i + k]);
      if (sextet < 0) return std::nullopt;
      group |= static_cast<std::uint32_t>(sextet) << (18 - 6 * k);
    }
    bytes.push_back(static_cast<std::uint8_t>(group >> 16));
    if (padding < 2) bytes.push_back(static_cast<std::uint8_t>(group >> 8));
    if (padding < 1) bytes.push_back(static_cast<std::uint8_t>(group));
  }
  return bytes;
}

}  // namespace kelvra::store
