#include "calendar/CategoryList.h"

#include <algorithm>

#include "addin/AsciiText.h"

CategoryList::CategoryList(const std::string& text, const std::string& separator) {
  const std::string delimiters = separator.empty() ? std::string(",") : separator;
  size_t start = text.find_first_not_of(delimiters);
  while (start != std::string::npos) {
    const size_t end = text.find_first_of(delimiters, start);
    std::string name = AsciiText::Uppercase(
        AsciiText::Trim(text.substr(start, end == std::string::npos ? end : end - start), " "));
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
