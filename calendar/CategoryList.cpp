#include "calendar/CategoryList.h"

#include <algorithm>
#include <cctype>

namespace {

std::string TrimmedUpper(const std::string& token) {
  const size_t first = token.find_first_not_of(' ');
  if (first == std::string::npos) return std::string();
  std::string name = token.substr(first, token.find_last_not_of(' ') + 1 - first);
  for (char& c : name) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return name;
}

}  // namespace

CategoryList::CategoryList(const std::string& text, const std::string& separator) {
  const std::string delimiters = separator.empty() ? std::string(",") : separator;
  size_t start = text.find_first_not_of(delimiters);
  while (start != std::string::npos) {
    const size_t end = text.find_first_of(delimiters, start);
    std::string name = TrimmedUpper(text.substr(start, end == std::string::npos ? end : end - start));
    if (name.empty()) break;
    m_names.push_back(std::move(name));
    if (end == std::string::npos) break;
    start = text.find_first_not_of(delimiters, end);
  }
}

bool CategoryList::SharesAny(const CategoryList& other) const {
  return std::any_of(other.m_names.begin(), other.m_names.end(), [this](const std::string& name) {
    return std::find(m_names.begin(), m_names.end(), name) != m_names.end();
  });
}
