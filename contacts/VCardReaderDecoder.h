// The bytes of a .vcf file as the reader's text: UTF-8 with a byte-order mark and UTF-16
// of either byte order are brought to the ANSI code page, other files are taken as
// ANSI text as they stand.
#pragma once

#include <cstddef>
#include <string>

#include "win32/base.h"

class VCardReaderDecoder {
 public:
  struct Result {
    std::string text;
    // The bytes were converted: the text is ANSI, whatever its CHARSET parameters say.
    bool converted = false;
    // NUL characters, each replaced by a blank.
    int nulCount = 0;
  };

  static Result Decode(const unsigned char* data, std::size_t size);
  // Logs under function that the named file held NUL characters, when the result says
  // it did; a null file name logs nothing.
  static void LogNuls(const Result& result, const char* function, const char* fileName);

 private:
  enum class Form { kAnsi, kUtf8, kUtf16Le, kUtf16Be };

  static Form _Detect(const unsigned char* data, std::size_t size, std::size_t& markSize);
  static bool _FromUtf8(Result& result);
  static bool _FromUtf16(const unsigned char* data, std::size_t size, bool bigEndian,
                         Result& result);
  static bool _WideToAnsi(const std::basic_string<WCHAR>& wide, Result& result);
  static void _AddMissingLineFeeds(std::string& text);
};
