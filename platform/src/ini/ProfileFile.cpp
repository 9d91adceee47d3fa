#include "ini/ProfileFile.h"

#include <fstream>
#include <iterator>

#include "base/AsciiCase.h"

namespace kelvra::platform {
namespace {

constexpr std::string_view kBlanks = " \t";

std::string_view Trim(std::string_view text) {
  std::size_t first = text.find_first_not_of(kBlanks);
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

std::string_view Unquote(std::string_view value) {
  bool quoted = value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
                value.back() == value.front();
  return quoted ? value.substr(1, value.size() - 2) : value;
}

// "[name]" gives name; a line without the closing bracket names what follows "[".
std::string_view SectionName(std::string_view line) {
  std::size_t close = line.find(']');
  return Trim(line.substr(1, close == std::string_view::npos ? close : close - 1));
}

}  // namespace

std::optional<ProfileFile> ProfileFile::Read(const std::string& linuxPath) {
  std::ifstream in(linuxPath, std::ios::binary);
  if (!in) return std::nullopt;
  return ProfileFile(
      std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>()));
}

std::optional<std::string> ProfileFile::Find(std::string_view section, std::string_view key) const {
  bool inSection = false;
  std::size_t start = 0;
  while (start < text_.size()) {
    std::size_t end = text_.find('\n', start);
    if (end == std::string::npos) end = text_.size();
    std::string_view line = Trim(std::string_view(text_).substr(start, end - start));
    start = end + 1;
    if (!line.empty() && line.back() == '\r') line = Trim(line.substr(0, line.size() - 1));
    if (line.empty() || line.front() == ';') continue;
    if (line.front() == '[') {
      // Only the first section of the name is searched.
      if (inSection) return std::nullopt;
      inSection = EqualsIgnoringAsciiCase(SectionName(line), section);
      continue;
    }
    std::size_t equals = line.find('=');
    if (inSection && equals != std::string_view::npos &&
        EqualsIgnoringAsciiCase(Trim(line.substr(0, equals)), key))
      return std::string(Unquote(Trim(line.substr(equals + 1))));
  }
  return std::nullopt;
}

}  // namespace kelvra::platform
