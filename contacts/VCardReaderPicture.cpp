#include "contacts/VCardReaderPicture.h"

#include <cstddef>
#include <initializer_list>

#include "atl/Base64.h"

namespace {

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
  const int length = static_cast<int>(text.size());
  int size = Base64DecodeGetRequiredLength(length);
  data.assign(static_cast<std::size_t>(size), 0);
  const bool decoded = Base64Decode(text.data(), length, data.data(), &size);
  data.resize(decoded ? static_cast<std::size_t>(size) : 0);
  return decoded;
}

const char* VCardReaderPicture::DetectExtension(const std::vector<unsigned char>& data) {
  if (StartsWith(data, {'B', 'M'})) return "BMP";
  if (StartsWith(data, {0xFF, 0xD8, 0xFF})) return "JPG";
  if (StartsWith(data, {'G', -1, 'F'})) return "GIF";
  if (StartsWith(data, {-1, -1, '*'})) return "TIF";
  if (StartsWith(data, {0x89, 'P', 'N', 'G'})) return "PNG";
  return nullptr;
}
