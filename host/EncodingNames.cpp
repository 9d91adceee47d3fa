#include "EncodingNames.h"

#include <algorithm>
#include <cctype>
#include <fstream>

namespace host {
namespace {

bool EqualNoCase(const std::string& a, const std::string& b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) ==
                  std::tolower(static_cast<unsigned char>(y));
         });
}

}  // namespace

std::string EncodingName(const std::string& nameOrCharset, const std::string& encodingsFile) {
  std::ifstream in(encodingsFile);
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    const std::size_t bar = line.find('|');
    if (bar == std::string::npos) continue;
    const std::string name = line.substr(0, bar);
    const std::string charset = line.substr(bar + 1, line.find('|', bar + 1) - bar - 1);
    if (EqualNoCase(name, nameOrCharset) || EqualNoCase(charset, nameOrCharset)) return name;
  }
  return EqualNoCase(nameOrCharset, "UTF-8") ? "UTF-8" : "";
}

}  // namespace host
