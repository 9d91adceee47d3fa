// Base64 as a vCard folds it: the PHOTO value's continuation lines open with a blank.
#pragma once

#include <cstddef>
#include <string>

class FoldedBase64 {
 public:
  // Characters of encoded text a line holds, the opening blank not counted.
  static constexpr std::size_t kLineLength = 76;

  // Appends the Base64 form of the bytes (RFC 4648 alphabet, "=" padding) in lines of
  // kLineLength characters joined by CR LF and a blank; no line end after the last.
  // False, with the text as it was, when the encoder fails.
  static bool Append(const unsigned char* data, std::size_t size, std::string& text);
};
