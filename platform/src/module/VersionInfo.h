// A module's version resource, and the block GetFileVersionInfoA hands to callers.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "win32/base.h"
#include "win32/module.h"
#include "win32/resources.h"

namespace kelvra::platform {

class VersionInfo {
 public:
  explicit VersionInfo(const resources::VersionResource& resource);

  // The self-contained block: a header, the fixed part, then the string values.
  std::vector<char> Block() const;

  // Finds a sub-block ("\" or "\StringFileInfo\<block>\<name>") inside a block made by
  // block(). False when the block is not one or the sub-block is missing.
  static bool Query(const void* block, std::string_view subBlock, const void** value, UINT* length);

 private:
  struct Value {
    std::string block;
    std::string name;
    std::string value;
  };

  VS_FIXEDFILEINFO fixed_;
  std::vector<Value> values_;
};

}  // namespace kelvra::platform
