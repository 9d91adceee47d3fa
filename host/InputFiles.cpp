#include "InputFiles.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string_view>

namespace host {
namespace {

namespace fs = std::filesystem;

std::string Lowercase(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return text;
}

std::vector<std::string> FilesOf(const std::string& path,
                                 const std::vector<std::string>& extensions) {
  std::error_code error;
  if (!fs::is_directory(path, error)) return {path};
  std::vector<std::string> files;
  for (const fs::directory_entry& entry : fs::directory_iterator(path, error)) {
    const std::string extension = Lowercase(entry.path().extension().string());
    if (entry.is_regular_file(error) &&
        std::find(extensions.begin(), extensions.end(), extension) != extensions.end())
      files.push_back(entry.path().string());
  }
  std::sort(files.begin(), files.end());
  return files;
}

// UTF-16 text of ASCII letters reads the same once its zero bytes are gone.
bool Holds(const std::string& file, std::string_view beginLine) {
  std::ifstream in(file, std::ios::binary);
  std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  std::erase(text, '\0');
  return std::search(text.begin(), text.end(), beginLine.begin(), beginLine.end(),
                     [](char a, char b) {
                       return std::toupper(static_cast<unsigned char>(a)) == b;
                     }) != text.end();
}

}  // namespace

std::vector<std::string> FilesWithout(const std::string& beginLine,
                                      const std::vector<std::string>& extensions,
                                      const std::vector<std::string>& linuxPaths) {
  std::vector<std::string> empty;
  for (const std::string& path : linuxPaths)
    for (const std::string& file : FilesOf(path, extensions))
      if (!Holds(file, beginLine)) empty.push_back(file);
  return empty;
}

}  // namespace host
