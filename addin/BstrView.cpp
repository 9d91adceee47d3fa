#include "addin/BstrView.h"

std::basic_string_view<WCHAR> BstrView(const _bstr_t& text) {
  const WCHAR* chars = text;
  return chars ? std::basic_string_view<WCHAR>(chars, text.length())
               : std::basic_string_view<WCHAR>();
}
