// The Win32 registry calls over the process-wide Registry.
#include <cstring>

#include "registry/Registry.h"
#include "win32/registry.h"

using kelvra::platform::Registry;
using kelvra::platform::RegistryValue;

namespace {

std::string_view Name(LPCSTR name) { return name != nullptr ? name : ""; }

// Hands out a value's type and bytes the way RegQueryValueExA and RegEnumValueA do.
LONG CopyData(const RegistryValue& value, LPDWORD type, LPBYTE data, LPDWORD dataSize) {
  auto size = static_cast<DWORD>(value.data.size());
  if (type != nullptr) *type = value.type;
  if (data == nullptr) {
    if (dataSize != nullptr) *dataSize = size;
    return ERROR_SUCCESS;
  }
  if (*dataSize < size) {
    *dataSize = size;
    return ERROR_MORE_DATA;
  }
  std::memcpy(data, value.data.data(), size);
  *dataSize = size;
  return ERROR_SUCCESS;
}

// Copies a name with its NUL; the length is left alone when it does not fit.
LONG CopyName(const std::string& name, LPSTR buffer, LPDWORD length) {
  if (name.size() + 1 > *length) return ERROR_MORE_DATA;
  std::memcpy(buffer, name.c_str(), name.size() + 1);
  *length = static_cast<DWORD>(name.size());
  return ERROR_SUCCESS;
}

}  // namespace

LONG WINAPI RegOpenKeyExA(HKEY key, LPCSTR subKey, DWORD, REGSAM access, PHKEY result) {
  if (result == nullptr) return ERROR_INVALID_PARAMETER;
  *result = nullptr;
  return Registry::Instance().Open(key, Name(subKey), access, *result);
}

LONG WINAPI RegCreateKeyExA(HKEY key, LPCSTR subKey, DWORD, LPSTR, DWORD, REGSAM access,
                            LPSECURITY_ATTRIBUTES, PHKEY result, LPDWORD disposition) {
  if (result == nullptr || subKey == nullptr) return ERROR_INVALID_PARAMETER;
  *result = nullptr;
  bool created = false;
  LONG status = Registry::Instance().Create(key, subKey, access, *result, created);
  if (status == ERROR_SUCCESS && disposition != nullptr)
    *disposition = created ? REG_CREATED_NEW_KEY : REG_OPENED_EXISTING_KEY;
  return status;
}

LONG WINAPI RegCloseKey(HKEY key) { return Registry::Instance().Close(key); }

LONG WINAPI RegQueryValueExA(HKEY key, LPCSTR valueName, LPDWORD, LPDWORD type, LPBYTE data,
                             LPDWORD dataSize) {
  if (data != nullptr && dataSize == nullptr) return ERROR_INVALID_PARAMETER;
  RegistryValue value;
  LONG status = Registry::Instance().QueryValue(key, Name(valueName), value);
  return status != ERROR_SUCCESS ? status : CopyData(value, type, data, dataSize);
}

LONG WINAPI RegSetValueExA(HKEY key, LPCSTR valueName, DWORD, DWORD type, const BYTE* data,
                           DWORD dataSize) {
  if (data == nullptr && dataSize > 0) return ERROR_INVALID_PARAMETER;
  std::string bytes =
      data != nullptr ? std::string(reinterpret_cast<const char*>(data), dataSize) : "";
  return Registry::Instance().SetValue(key, Name(valueName), type, std::move(bytes));
}

LONG WINAPI RegDeleteValueA(HKEY key, LPCSTR valueName) {
  return Registry::Instance().DeleteValue(key, Name(valueName));
}

LONG WINAPI RegEnumKeyExA(HKEY key, DWORD index, LPSTR name, LPDWORD nameLength, LPDWORD,
                          LPSTR keyClass, LPDWORD classLength, FILETIME* lastWriteTime) {
  if (name == nullptr || nameLength == nullptr) return ERROR_INVALID_PARAMETER;
  std::string found;
  LONG status = Registry::Instance().EnumKey(key, index, found);
  if (status == ERROR_SUCCESS) status = CopyName(found, name, nameLength);
  if (status != ERROR_SUCCESS) return status;
  // Keys have no class and no recorded write time here.
  if (keyClass != nullptr && classLength != nullptr && *classLength > 0) keyClass[0] = '\0';
  if (classLength != nullptr) *classLength = 0;
  if (lastWriteTime != nullptr) *lastWriteTime = FILETIME{0, 0};
  return ERROR_SUCCESS;
}

LONG WINAPI RegEnumValueA(HKEY key, DWORD index, LPSTR name, LPDWORD nameLength, LPDWORD,
                          LPDWORD type, LPBYTE data, LPDWORD dataSize) {
  if (name == nullptr || nameLength == nullptr || (data != nullptr && dataSize == nullptr))
    return ERROR_INVALID_PARAMETER;
  RegistryValue value;
  LONG status = Registry::Instance().EnumValue(key, index, value);
  if (status == ERROR_SUCCESS) status = CopyName(value.name, name, nameLength);
  return status != ERROR_SUCCESS ? status : CopyData(value, type, data, dataSize);
}

LONG WINAPI RegDeleteKeyA(HKEY key, LPCSTR subKey) {
  if (subKey == nullptr) return ERROR_INVALID_PARAMETER;
  return Registry::Instance().DeleteKey(key, subKey, false);
}

LONG WINAPI RegDeleteTreeA(HKEY key, LPCSTR subKey) {
  if (subKey == nullptr) return Registry::Instance().EmptyKey(key);
  return Registry::Instance().DeleteKey(key, subKey, true);
}
