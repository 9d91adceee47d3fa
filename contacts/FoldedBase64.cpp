#include "contacts/FoldedBase64.h"

#include "atl/Base64.h"

bool FoldedBase64::Append(const unsigned char* data, std::size_t size, std::string& text) {
  const int bytes = static_cast<int>(size);
  int length = Base64EncodeGetRequiredLength(bytes);
  std::string encoded(static_cast<std::size_t>(length < 0 ? 0 : length), '\0');
  if (length < 0 || !Base64Encode(data, bytes, encoded.data(), &length)) return false;
  encoded.resize(static_cast<std::size_t>(length));
  // Each continuation line of the property opens with a blank.
  text.reserve(text.size() + encoded.size() + encoded.size() / kLineLength);
  std::size_t from = 0;
  for (std::size_t at = encoded.find("\r\n"); at != std::string::npos;
       at = encoded.find("\r\n", from)) {
    text.append(encoded, from, at + 2 - from).push_back(' ');
    from = at + 2;
  }
  text.append(encoded, from, std::string::npos);
  return true;
}
