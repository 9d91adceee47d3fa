// Small edits of the registry through its public calls, for registration code: keys
// created on the way, every handle closed. Results are Windows error codes.
#pragma once

#include <string>

#include "win32/registry.h"

namespace kelvra::com {

class RegistryEdit {
 public:
  // Creates the key (and the missing levels above it).
  static LONG CreateKey(HKEY root, const std::string& path);
  // Creates the key and sets a value of it (an empty name is the default value).
  static LONG SetValue(HKEY root, const std::string& path, const std::string& name, DWORD type,
                       const std::string& data);
  static LONG SetString(HKEY root, const std::string& path, const std::string& name,
                        const std::string& text);
  // A missing value or key is no failure.
  static LONG DeleteValue(HKEY root, const std::string& path, const std::string& name);
  // The key and everything below it; a missing key is no failure.
  static LONG DeleteTree(HKEY root, const std::string& path);
  // The key when it exists and has no subkeys; a missing key is no failure.
  static LONG DeleteIfLeaf(HKEY root, const std::string& path);
  static bool Exists(HKEY root, const std::string& path);
};

// The HRESULT of a registry error code.
HRESULT RegistryResult(LONG error);

}  // namespace kelvra::com
