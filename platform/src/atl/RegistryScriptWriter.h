// Applies a read registry script to the registry, or removes what it names.
#pragma once

#include <string>
#include <vector>

#include "atl/RegistryScript.h"

namespace kelvra::atl {

class RegistryScriptWriter {
 public:
  // The first registry failure as an HRESULT; what was written before it stays.
  static HRESULT Register(const std::vector<ScriptRoot>& roots);
  // Keys and values already missing are no failure.
  static HRESULT Unregister(const std::vector<ScriptRoot>& roots);

 private:
  static LONG RegisterKey(HKEY root, const std::string& parent, const ScriptKey& key);
  static LONG UnregisterKey(HKEY root, const std::string& parent, const ScriptKey& key);
};

}  // namespace kelvra::atl
