// Everything written with OutputDebugStringA, kept for tests to read.
#pragma once

#include <string>
#include <vector>

namespace kelvra::platform {

class DebugOutputLog {
 public:
  static void Append(const char* text);
  static std::vector<std::string> Entries();
  static void Clear();
};

}  // namespace kelvra::platform
