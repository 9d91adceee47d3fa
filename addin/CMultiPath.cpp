#include "addin/CMultiPath.h"

#include "win32/crt.h"

namespace {

std::string TrimChars(const std::string& text, const char* chars) {
  size_t first = text.find_first_not_of(chars);
  if (first == std::string::npos) return std::string();
  return text.substr(first, text.find_last_not_of(chars) - first + 1);
}

bool Exists(const std::string& path) { return _access(path.c_str(), 0) == 0; }

}  // namespace

void CMultiPath::Parse(const char* text, bool check) {
  m_paths.clear();
  if (!text || !*text) return;
  std::string all = text;
  if (all.find('"') == std::string::npos) {
    Add(text, check);
    return;
  }
  std::string run;
  bool quoted = false;
  auto flush = [&] {
    if (!run.empty()) Add(run.c_str(), check);
    run.clear();
  };
  for (char c : all) {
    if (quoted) {
      if (c == '"') {
        flush();
        quoted = false;
      } else {
        run += c;
      }
    } else if (c == '"' || c == ' ' || c == '\t') {
      flush();
      quoted = c == '"';
    } else {
      run += c;
    }
  }
  flush();
}

bool CMultiPath::Add(const char* path, bool check) {
  std::string p = TrimChars(TrimChars(path ? path : "", " \t\r\n\v\f"), "\"");
  if (p.empty() || (check && !Exists(p))) return false;
  m_paths.push_back(p);
  return true;
}

bool CMultiPath::AllExist(int& index) const {
  index = -1;
  if (m_paths.empty()) return false;
  for (size_t i = 0; i < m_paths.size(); ++i) {
    if (!Exists(m_paths[i])) {
      index = static_cast<int>(i);
      return false;
    }
  }
  return true;
}
