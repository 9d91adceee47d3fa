#include "addin/TakePhysicalLine.h"

#include <cstddef>
#include <cstring>

std::string_view TakePhysicalLine(const char*& cursor, const char* end) {
  const auto* feed =
      static_cast<const char*>(std::memchr(cursor, '\n', static_cast<std::size_t>(end - cursor)));
  const char* lineEnd = feed ? feed : end;
  if (feed && lineEnd > cursor && lineEnd[-1] == '\r') --lineEnd;
  const std::string_view line(cursor, static_cast<std::size_t>(lineEnd - cursor));
  cursor = feed ? feed + 1 : end;
  return line;
}
