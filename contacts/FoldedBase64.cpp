#include "contacts/FoldedBase64.h"

namespace {

constexpr char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
constexpr char kLineBreak[] = "\r\n ";

}  // namespace

void FoldedBase64::Append(const unsigned char* data, std::size_t size, std::string& text) {
  const std::size_t encoded = (size + 2) / 3 * 4;
  const std::size_t breaks = encoded == 0 ? 0 : (encoded - 1) / kLineLength;
  const std::size_t start = text.size();
  text.resize(start + encoded + breaks * (sizeof kLineBreak - 1));
  char* out = text.data() + start;
  std::size_t column = 0;
  auto put = [&](char c) {
    if (column == kLineLength) {
      for (const char* p = kLineBreak; *p; ++p) *out++ = *p;
      column = 0;
    }
    *out++ = c;
    ++column;
  };
  std::size_t i = 0;
  for (; i + 3 <= size; i += 3) {
    const unsigned group = data[i] << 16 | data[i + 1] << 8 | data[i + 2];
    put(kAlphabet[group >> 18]);
    put(kAlphabet[group >> 12 & 0x3F]);
    put(kAlphabet[group >> 6 & 0x3F]);
    put(kAlphabet[group & 0x3F]);
  }
  if (i < size) {
    const bool two = i + 1 < size;
    const unsigned group = data[i] << 16 | (two ? data[i + 1] << 8 : 0);
    put(kAlphabet[group >> 18]);
    put(kAlphabet[group >> 12 & 0x3F]);
    put(two ? kAlphabet[group >> 6 & 0x3F] : '=');
    put('=');
  }
}
