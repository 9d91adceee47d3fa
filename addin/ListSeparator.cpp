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

std::basic_string<WCHAR> JoinCategoryNames(
    std::basic_string_view<WCHAR> categories, std::basic_string_view<WCHAR> separator, WCHAR joiner,
    const std::function<std::basic_string<WCHAR>(std::basic_string_view<WCHAR>)>& escape) {
  std::basic_string<WCHAR> joined;
  for (size_t start = 0;;) {
    const size_t end =
        separator.empty() ? std::basic_string_view<WCHAR>::npos : categories.find(separator, start);
    joined += escape(categories.substr(start, end == categories.npos ? end : end - start));
    if (end == categories.npos) return joined;
    joined += joiner;
    start = end + separator.size();
  }
}
