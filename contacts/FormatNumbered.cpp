#include "contacts/FormatNumbered.h"

std::string FormatNumbered(std::string_view text, std::initializer_list<std::string_view> args) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    const char next = i + 1 < text.size() ? text[i + 1] : '\0';
    if (text[i] == '%' && next == '%') {
      out += '%';
      ++i;
      continue;
    }
    const size_t number = next >= '1' && next <= '9' ? static_cast<size_t>(next - '0') : 0;
    if (text[i] == '%' && number != 0 && number <= args.size()) {
      out += args.begin()[number - 1];
      ++i;
      continue;
    }
    out += text[i];
  }
  return out;
}
