// The C runtime's case-insensitive compares and _snprintf.
#include <cerrno>
#include <climits>
#include <cstdarg>
#include <cstring>
#include <vector>

#include "base/AsciiCase.h"
#include "win32/crt.h"

namespace {

// What the runtime answers for a NULL argument.
constexpr int kCompareError = INT_MAX;

}  // namespace

int _stricmp(const char* a, const char* b) {
  if (a == nullptr || b == nullptr) {
    errno = EINVAL;
    return kCompareError;
  }
  return kelvra::platform::CompareIgnoringAsciiCase(a, b);
}

int _strnicmp(const char* a, const char* b, std::size_t count) {
  if (a == nullptr || b == nullptr) {
    errno = EINVAL;
    return kCompareError;
  }
  return kelvra::platform::CompareIgnoringAsciiCase(a, b, count);
}

int _snprintf(char* buffer, std::size_t count, const char* format, ...) {
  va_list args;
  va_start(args, format);
  va_list again;
  va_copy(again, args);
  const int length = std::vsnprintf(nullptr, 0, format, args);
  va_end(args);
  if (length < 0 || buffer == nullptr) {
    va_end(again);
    return length < 0 || count == 0 ? length : -1;
  }
  std::vector<char> text(static_cast<std::size_t>(length) + 1);
  std::vsnprintf(text.data(), text.size(), format, again);
  va_end(again);
  const auto size = static_cast<std::size_t>(length);
  if (size < count) {
    std::memcpy(buffer, text.data(), size + 1);
    return length;
  }
  std::memcpy(buffer, text.data(), count);  // no terminating NUL: the caller adds it
  return size == count ? length : -1;
}
