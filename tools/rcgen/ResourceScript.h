// What the generator keeps of a resource script.
#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "RcError.h"

namespace rcgen {

struct StringEntry {
  std::string text;
  SourceLocation where;
};

struct VersionValue {
  std::string block;  // "040904b0"
  std::string name;
  std::string value;
};

struct VersionInfo {
  std::array<std::uint16_t, 4> fileVersion{};
  std::array<std::uint16_t, 4> productVersion{};
  std::uint32_t fileFlagsMask = 0;
  std::uint32_t fileFlags = 0;
  std::uint32_t fileOS = 0;
  std::uint32_t fileType = 0;
  std::uint32_t fileSubtype = 0;
  std::vector<VersionValue> values;
};

struct ResourceScript {
  std::map<std::uint16_t, StringEntry> strings;
  std::optional<VersionInfo> version;
};

}  // namespace rcgen
