#include "store/Base64.h"

#include "atl/Base64.h"

namespace kelvra::store {

namespace {

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
  const int size = static_cast<int>(bytes.size());
  int length = Base64EncodeGetRequiredLength(size, ATL_BASE64_FLAG_NOCRLF);
  std::string text(static_cast<std::size_t>(length), '\0');
  Base64Encode(bytes.data(), size, text.data(), &length, ATL_BASE64_FLAG_NOCRLF);
  text.resize(static_cast<std::size_t>(length));
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
