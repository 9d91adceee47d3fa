#include "contacts/ContactFilterCheck.h"

#include <algorithm>

#include "addin/AsciiText.h"
#include "addin/CLogTimer.h"
#include "addin/ListSeparator.h"

bool ContactFilterCheck::Accepts(const ContactFilter& filter,
                                 const std::function<long()>& sensitivity,
                                 const std::function<std::string()>& categories,
                                 const char* function) {
  if (filter.mask == 0) return true;
  if ((filter.mask & ContactFilter::kSkipNotNormal) && sensitivity() != 0) return false;
  const DWORD categoryBits = ContactFilter::kExcludeCategories | ContactFilter::kIncludeCategories;
  if ((filter.mask & categoryBits) == 0) return true;
  const std::vector<std::string> wanted = SplitCategories(filter.categories);
  if (wanted.empty()) {
    g_LogTimer.War(function, 0, "filter.Categories empty");
    return true;
  }
  const std::vector<std::string> carried = SplitCategories(categories());
  const bool match = std::any_of(wanted.begin(), wanted.end(), [&](const std::string& name) {
    return std::find(carried.begin(), carried.end(), name) != carried.end();
  });
  if (match && (filter.mask & ContactFilter::kExcludeCategories)) return false;
  if (!match && (filter.mask & ContactFilter::kIncludeCategories)) return false;
  return true;
}

std::vector<std::string> ContactFilterCheck::SplitCategories(const std::string& text) {
  const std::string separator = GetListSeparator();
  std::vector<std::string> names;
  std::size_t start = 0;
  while (start <= text.size()) {
    std::size_t end = text.find(';', start);
    if (!separator.empty()) end = std::min(end, text.find(separator, start));
    const std::size_t stop = end == std::string::npos ? text.size() : end;
    std::string name = AsciiText::Trim(text.substr(start, stop - start), " \t");
    if (!name.empty()) names.push_back(std::move(name));
    if (end == std::string::npos) break;
    const bool atSeparator =
        !separator.empty() && text.compare(end, separator.size(), separator) == 0;
    start = end + (atSeparator ? separator.size() : 1);
  }
  return names;
}
