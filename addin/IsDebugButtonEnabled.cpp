#include "addin/IsDebugButtonEnabled.h"

#include "addin/RegKey.h"

bool IsDebugButtonEnabled() {
  RegKey key;
  if (key.Open(HKEY_CURRENT_USER, "Software\\Ostrane\\Kelvra", KEY_READ) != ERROR_SUCCESS) {
    return false;
  }
  DWORD type = 0;
  DWORD value = 0;
  DWORD size = sizeof value;
  if (RegQueryValueExA(key.Get(), "DebugButton", nullptr, &type, reinterpret_cast<BYTE*>(&value),
                       &size) != ERROR_SUCCESS) {
    return false;
  }
  return type == REG_DWORD && size == sizeof value && value != 0;
}
