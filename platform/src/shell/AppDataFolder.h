// The user's application-data folder that SHGetFolderPathA(CSIDL_APPDATA) answers.
#pragma once

#include <string>

#include "win32/base.h"

namespace kelvra::platform {

class AppDataFolder {
 public:
  // S_OK and the Windows folder, or E_FAIL while a test makes it fail. The default
  // folder, under drive C:, is created when first asked for.
  static HRESULT Get(std::string& windowsFolder);
  // True when linuxPath lies inside the folder (without creating it). Folders made
  // there are the user's own, as a profile's ACL keeps them on Windows.
  static bool Contains(const std::string& linuxPath);
  static void Set(const std::string& windowsFolder);
  static void Fail(bool fail);
  static void Reset();
};

}  // namespace kelvra::platform
