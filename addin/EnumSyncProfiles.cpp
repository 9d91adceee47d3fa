#include "addin/EnumSyncProfiles.h"

#include "addin/RegKey.h"
#include "win32/crt.h"

namespace {

// Subkey names longer than this end the enumeration, as on Windows.
constexpr DWORD kNameChars = 256;
constexpr DWORD kValueBytes = 4096;

// A REG_DWORD value; fallback when it is missing or of another type.
DWORD ReadDword(HKEY key, const char* name, DWORD fallback) {
  DWORD value = 0;
  DWORD type = 0;
  DWORD size = sizeof value;
  if (RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(&value), &size) !=
          ERROR_SUCCESS ||
      type != REG_DWORD || size != sizeof value)
    return fallback;
  return value;
}

// A REG_SZ or REG_EXPAND_SZ value (never expanded); "" when missing, too long or of
// another type.
std::string ReadText(HKEY key, const char* name) {
  char data[kValueBytes];
  DWORD type = 0;
  DWORD size = sizeof data;
  if (RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(data), &size) !=
          ERROR_SUCCESS ||
      (type != REG_SZ && type != REG_EXPAND_SZ) || size > sizeof data)
    return "";
  std::string text(data, size);
  return text.substr(0, text.find('\0'));
}

}  // namespace

void EnumSyncProfiles(std::vector<std::string>& names, std::vector<std::string>& keys) {
  names.clear();
  keys.clear();
  RegKey profiles;
  if (profiles.Open(HKEY_CURRENT_USER, kProfilesKeyPath, KEY_READ) != ERROR_SUCCESS) return;
  for (DWORD index = 0;; ++index) {
    char subkey[kNameChars];
    DWORD chars = kNameChars;
    if (RegEnumKeyExA(profiles.Get(), index, subkey, &chars, nullptr, nullptr, nullptr, nullptr) !=
        ERROR_SUCCESS)
      break;
    if (_stricmp(subkey, "Defaults") == 0) continue;
    RegKey profile;
    const std::string path = std::string(kProfilesKeyPath) + "\\" + subkey;
    if (profile.Open(HKEY_CURRENT_USER, path.c_str(), KEY_READ) != ERROR_SUCCESS) continue;
    std::string key = ReadText(profile.Get(), "Key");
    if (ReadDword(profile.Get(), "OK", 1) == 0 || key.empty()) continue;
    names.push_back(ReadText(profile.Get(), "Name"));
    keys.push_back(std::move(key));
  }
}
