#include "addin/LangFormat.h"

std::string FormatLangText(std::string_view text, std::initializer_list<LangArg> args) {
  std::string out;
  out.reserve(text.size() + 16 * args.size());
  const LangArg* next = args.begin();
  for (size_t i = 0; i < text.size(); ++i) {
    char c = text[i];
    char spec = i + 1 < text.size() ? text[i + 1] : '\0';
    if (c == '%' && spec == '%') {
      out += '%';
      ++i;
    } else if (c == '%' && (spec == 'd' || spec == 's') && next != args.end()) {
      out += next->Text();
      ++next;
      ++i;
    } else {
      out += c;
    }
  }
  return out;
}
