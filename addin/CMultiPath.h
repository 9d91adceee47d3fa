// A list of file paths typed or chosen as one text: one path, or several in double
// quotes separated by blanks.
#pragma once

#include <string>
#include <vector>

class CMultiPath {
 public:
  CMultiPath() = default;
  virtual ~CMultiPath() = default;

  // Replaces the list with the paths of text; with check, only existing ones are taken.
  void Parse(const char* text, bool check);
  // Takes the path trimmed of white space and then of double quotes; an empty result
  // is refused, and with check so is a path that does not exist.
  bool Add(const char* path, bool check);
  // True when every path exists; otherwise index is that of the first missing one
  // (-1 for an empty list).
  bool AllExist(int& index) const;

  int GetCount() const { return static_cast<int>(m_paths.size()); }
  const std::string& GetAt(int i) const { return m_paths.at(static_cast<size_t>(i)); }

 private:
  std::vector<std::string> m_paths;
};
