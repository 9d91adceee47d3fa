#include "VCardInputFiles.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string_view>

namespace host {
namespace {

namespace fs = std::filesystem;

bool IsVcf(const fs::path& path) {
  std::string extension = path.extension().string();
  std::transform(extension.begin(), extension.end(), extension.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return extension == ".vcf";
}

std::vector<std::string> FilesOf(const std::string& path) {
  std::error_code error;
  if (!fs::is_directory(path, error)) return {path};
  std::vector<std::string> files;
  for (const fs::directory_entry& entry : fs::directory_iterator(path, error))
    if (entry.is_regular_file(error) && IsVcf(entry.path())) files.push_back(entry.path().string());
  std::sort(files.begin(), files.end());
  return files;
}

// UTF-16 text of ASCII letters reads the same once its zero bytes are gone.
bool HoldsCard(const std::string& file) {
  std::ifstream in(file, std::ios::binary);
  std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  std::erase(text, '\0');
  const std::string_view begin = "BEGIN:VCARD";
  return std::search(text.begin(), text.end(), begin.begin(), begin.end(), [](char a, char b) {
           return std::toupper(static_cast<unsigned char>(a)) == b;
         }) != text.end();
}

}  // namespace

std::vector<std::string> VCardFilesWithoutCards(const std::vector<std::string>& linuxPaths) {
  std::vector<std::string> empty;
  for (const std::string& path : linuxPaths)
    for (const std::string& file : FilesOf(path))
      if (!HoldsCard(file)) empty.push_back(file);
  return empty;
}

}  // namespace host
