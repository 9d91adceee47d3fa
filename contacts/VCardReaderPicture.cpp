#include "contacts/VCardReaderPicture.h"

#include <cstddef>
#include <initializer_list>

namespace {

int Base64Digit(char c) {
  if (c >= 'A' && c <= 'Z') return c - 'A';
  if (c >= 'a' && c <= 'z') return c - 'a' + 26;
  if (c >= '0' && c <= '9') return c - '0' + 52;
  if (c == '+') return 62;
  if (c == '/') return 63;
  return -1;
}

bool IsIgnored(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

bool StartsWith(const std::vector<unsigned char>& data, std::initializer_list<int> signature) {
  if (data.size() < signature.size()) return false;
  std::size_t i = 0;
  for (const int byte : signature) {
    if (byte >= 0 && data[i] != byte) return false;
    ++i;
  }
  return true;
}

}  // namespace

bool VCardReaderPicture::DecodeBase64(std::string_view text, std::vector<unsigned char>& data) {
  data.clear();
  data.reserve(text.size() / 4 * 3);
  unsigned bits = 0;
  int count = 0;
  bool padding = false;
  for (const char c : text) {
    if (IsIgnored(c)) continue;
    if (c == '=') {
      padding = true;
      continue;
    }
    const int digit = Base64Digit(c);
    if (digit < 0 || padding) return false;
    bits = ((bits << 6) | static_cast<unsigned>(digit)) & 0xFFFFFFu;
    // Each digit after the first of a group of four completes one byte.
    switch (++count % 4) {
      case 2:
        data.push_back(static_cast<unsigned char>(bits >> 4));
        break;
      case 3:
        data.push_back(static_cast<unsigned char>(bits >> 2));
        break;
      case 0:
        data.push_back(static_cast<unsigned char>(bits));
        break;
      default:
        break;
    }
  }
  return count % 4 != 1;
}

const char* VCardReaderPicture::DetectExtension(const std::vector<unsigned char>& data) {
  if (StartsWith(data, {'B', 'M'})) return "BMP";
  if (StartsWith(data, {0xFF, 0xD8, 0xFF})) return "JPG";
  if (StartsWith(data, {'G', -1, 'F'})) return "GIF";
  if (StartsWith(data, {-1, -1, '*'})) return "TIF";
  if (StartsWith(data, {0x89, 'P', 'N', 'G'})) return "PNG";
  return nullptr;
}
