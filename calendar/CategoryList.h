// The category names of a calendar filter and of an appointment, as the calendar runs
// compare them: split at any character of the user's list separator, each trimmed of
// blanks and upper-cased. The splitting stops at the first name that is empty after
// trimming (empty stretches between separators are no names).
#pragma once

#include <string>
#include <vector>

class CategoryList {
 public:
  CategoryList(const std::string& text, const std::string& separator);

  bool empty() const { return m_names.empty(); }
  // Whether any name of other is one of these.
  bool SharesAny(const CategoryList& other) const;

 private:
  std::vector<std::string> m_names;
};
