// How the stand-in converts one Windows code page.
#pragma once

#include "win32/base.h"

namespace kelvra::platform {

enum class CodePageKind {
  kUtf8,        // our own codec
  kSingleByte,  // tables built from iconv
  kDoubleByte,  // tables built from iconv, lead byte + trail byte
  kStream,      // iconv itself: stateful pages and those with longer sequences
};

struct CodePageTraits {
  UINT number;
  const char* iconvName;
  CodePageKind kind;
  // What undecodable bytes become.
  char16_t defaultChar;
  // Windows gives the undefined bytes 0x80..0x9F of its ANSI pages the C1 control of
  // the same value, both ways.
  bool controlsForUndefined;
};

// The iconv name of the UTF-32 side of every descriptor.
inline constexpr const char* kIconvUtf32 = "UTF-32LE";

}  // namespace kelvra::platform
