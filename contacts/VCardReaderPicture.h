// The picture of a PHOTO property: its Base64 text decoded and its image type told
// from the first bytes.
#pragma once

#include <string_view>
#include <vector>

class VCardReaderPicture {
 public:
  // RFC 4648 alphabet; blanks, tabs and line ends are ignored, "=" padding is
  // optional. False on any other character or a dangling single character.
  static bool DecodeBase64(std::string_view text, std::vector<unsigned char>& data);
  // "BMP", "JPG", "GIF", "TIF" or "PNG"; null when the data starts with none of their
  // signatures (or is too short to hold one).
  static const char* DetectExtension(const std::vector<unsigned char>& data);
};
