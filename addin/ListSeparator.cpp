#include "addin/ListSeparator.h"

#include "win32/nls.h"

namespace {

constexpr int kSeparatorChars = 256;

}  // namespace

std::string GetListSeparator() {
  char buf[kSeparatorChars] = "";
  if (GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SLIST, buf, kSeparatorChars) == 0) return ";";
  return buf;
}

std::basic_string<WCHAR> GetListSeparatorW() {
  WCHAR buf[kSeparatorChars] = {};
  if (GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SLIST, buf, kSeparatorChars) == 0) return u";";
  return buf;
}
