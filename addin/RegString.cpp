#include "addin/RegString.h"

#include <cstring>

#include "addin/Application.h"
#include "addin/OptionsKeyPath.h"
#include "addin/RegKey.h"

namespace {

// Longer values read as missing rather than cut.
constexpr DWORD kValueBytes = 4096;

}  // namespace

std::string ReadRegString(const char* name, const char* def, bool fromMachine) {
  std::string fallback = def ? def : "";
  RegKey key;
  if (key.Open(fromMachine ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER,
               OptionsKeyPath(g_hInstance).c_str(), KEY_READ) != ERROR_SUCCESS)
    return fallback;
  char data[kValueBytes];
  DWORD type = 0;
  DWORD size = sizeof data;
  if (RegQueryValueExA(key.Get(), name, nullptr, &type, reinterpret_cast<BYTE*>(data), &size) !=
          ERROR_SUCCESS ||
      (type != REG_SZ && type != REG_EXPAND_SZ) || size == 0 || size > sizeof data)
    return fallback;
  // The stored bytes need not end with a NUL: the size says where the text ends.
  std::string text(data, size);
  return text.substr(0, text.find('\0'));
}

void WriteRegString(const char* name, const char* text) {
  RegKey key;
  if (key.Open(HKEY_CURRENT_USER, OptionsKeyPath(g_hInstance).c_str(), KEY_WRITE) != ERROR_SUCCESS)
    return;
  const char* value = text ? text : "";
  RegSetValueExA(key.Get(), name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value),
                 static_cast<DWORD>(std::strlen(value) + 1));
}
