// The argument checks every index operation shares.
#pragma once

#include <string_view>

#include "sharestore/common/CLog.h"

inline bool IsEmptyText(const char* text) { return text == nullptr || *text == '\0'; }

// The base file's lines end at CR or LF, and nothing escapes them.
inline bool HoldsLineBreak(std::string_view text) {
  return text.find_first_of("\r\n") != std::string_view::npos;
}

// -1 with an assertion (line 0) under tag.
inline int BadArgument(const char* tag) {
  g_Log.Assert(false, tag, 0);
  return -1;
}
