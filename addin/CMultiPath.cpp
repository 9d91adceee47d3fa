#include "addin/CMultiPath.h"

#include "addin/AsciiText.h"
#include "win32/crt.h"

namespace {

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
  std::string p = AsciiText::Trim(AsciiText::Trim(path ? path : "", AsciiText::kWhiteSpace), "\"");
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
