#include "addin/GetExistingFolder.h"

#include <vector>

#include "win32/files.h"

namespace {

std::string Clean(const std::string& text) {
  std::string path = text;
  size_t first = path.find_first_not_of('"');
  path = first == std::string::npos ? std::string() : path.substr(first);
  path.erase(path.find_last_not_of('"') + 1);
  first = path.find_first_not_of(' ');
  path = first == std::string::npos ? std::string() : path.substr(first);
  path.erase(path.find_last_not_of(' ') + 1);
  if (!path.empty() && path.back() == '\\') path.pop_back();
  return path;
}

}  // namespace

std::string GetExistingFolder(const char* path) {
  std::string given = path ? path : "";
  std::string cleaned = Clean(given);
  if (PathIsDirectoryA(cleaned.c_str())) return given;
  bool unc = PathIsUNCA(cleaned.c_str());
  if (unc && PathIsUNCServerA(cleaned.c_str())) return cleaned;
  std::vector<char> buf(cleaned.begin(), cleaned.end());
  buf.push_back('\0');
  while (PathRemoveFileSpecA(buf.data())) {
    if (PathIsDirectoryA(buf.data()) || (unc && PathIsUNCServerA(buf.data()))) return buf.data();
  }
  return std::string();
}
