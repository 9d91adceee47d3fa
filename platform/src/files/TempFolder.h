// The folder GetTempPathA answers: the Windows view of the system temp folder unless a
// test chose another one.
#pragma once

#include <string>

namespace kelvra::platform {

class TempFolder {
 public:
  // A Windows folder ending in "\".
  static std::string WindowsPath();
  static void Set(const std::string& windowsFolder);
  static void Reset();
};

}  // namespace kelvra::platform
