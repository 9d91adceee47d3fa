// A registry script read into keys and values, ready to be applied or removed.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "win32/registry.h"

namespace kelvra::atl {

struct ScriptValue {
  std::string name;  // empty: the key's default value
  DWORD type = REG_SZ;
  std::string data;  // as stored (strings with their NUL)
};

struct ScriptKey {
  enum class Flag { kNone, kForceRemove, kNoRemove, kDelete };
  std::string name;
  Flag flag = Flag::kNone;
  std::vector<ScriptValue> values;
  std::vector<ScriptKey> subkeys;
};

struct ScriptRoot {
  HKEY root;
  std::vector<ScriptKey> keys;
};

class RegistryScript {
 public:
  // The script with its replacements made (keys upper case); nullopt when it is
  // malformed or names a replacement that is missing. Text is UTF-8.
  static std::optional<std::vector<ScriptRoot>> Parse(
      std::string_view text, const std::map<std::string, std::string>& replacements);
};

}  // namespace kelvra::atl
