#include "support/TempDir.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace kelvra::test {

TempDir::TempDir() {
  std::string pattern = (std::filesystem::temp_directory_path() / "kelvra-XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
  linux_ = pattern;
}

TempDir::~TempDir() {
  std::error_code ignored;
  std::filesystem::remove_all(linux_, ignored);
}

std::string TempDir::windows() const {
  std::string path = "Z:" + linux_;
  for (char& c : path)
    if (c == '/') c = '\\';
  return path;
}

void TempDir::write(const std::string& name, const std::string& bytes) const {
  std::ofstream out(linuxPath(name), std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!out) throw std::runtime_error("cannot write " + linuxPath(name));
}

std::string TempDir::read(const std::string& name) const {
  std::ifstream in(linuxPath(name), std::ios::binary);
  if (!in) throw std::runtime_error("cannot read " + linuxPath(name));
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool TempDir::exists(const std::string& name) const {
  return std::filesystem::exists(linuxPath(name));
}

}  // namespace kelvra::test
