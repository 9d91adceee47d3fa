#include "store/GuidText.h"

#include <cstdio>

#include "store/HexText.h"

namespace kelvra::store {

std::string GuidText::Of(const GUID& g) {
  char text[40];
  std::snprintf(text, sizeof text, "{%08X-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}",
                static_cast<unsigned>(g.Data1), g.Data2, g.Data3, g.Data4[0], g.Data4[1],
                g.Data4[2], g.Data4[3], g.Data4[4], g.Data4[5], g.Data4[6], g.Data4[7]);
  return text;
}

std::optional<GUID> GuidText::Parse(std::string_view text) {
  if (text.size() == 38 && text.front() == '{' && text.back() == '}') {
    text = text.substr(1, 36);
  }
  if (text.size() != 36 || text[8] != '-' || text[13] != '-' || text[18] != '-' ||
      text[23] != '-') {
    return std::nullopt;
  }
  std::string digits;
  for (const char c : text) {
    if (c != '-') digits.push_back(c);
  }
  const auto bytes = HexText::Parse(digits);
  if (!bytes || bytes->size() != 16) return std::nullopt;
  const Bytes& b = *bytes;
  GUID guid{};
  guid.Data1 = (DWORD{b[0]} << 24) | (DWORD{b[1]} << 16) | (DWORD{b[2]} << 8) | b[3];
  guid.Data2 = static_cast<WORD>((b[4] << 8) | b[5]);
  guid.Data3 = static_cast<WORD>((b[6] << 8) | b[7]);
  for (int i = 0; i < 8; ++i) guid.Data4[i] = b[8 + i];
  return guid;
}

}  // namespace kelvra::store
