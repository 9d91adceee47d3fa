// The text of one INI file and the lookup of a key in it.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace kelvra::platform {

class ProfileFile {
 public:
  // Null when the file cannot be read.
  static std::optional<ProfileFile> Read(const std::string& linuxPath);
  explicit ProfileFile(std::string text) : text_(std::move(text)) {}

  // The value as written after the "=", blanks and one pair of quotes removed; null
  // when the section or the key is missing.
  std::optional<std::string> Find(std::string_view section, std::string_view key) const;

 private:
  std::string text_;
};

}  // namespace kelvra::platform
