#include "addin/PageOptions.h"

#include <algorithm>
#include <vector>

DWORD PageOptions::ReadDword(const char* name, DWORD def) const {
  if (Key() == nullptr) return def;
  DWORD type = 0;
  DWORD value = 0;
  DWORD size = sizeof value;
  if (RegQueryValueExA(Key(), name, nullptr, &type, reinterpret_cast<BYTE*>(&value), &size) !=
          ERROR_SUCCESS ||
      type != REG_DWORD || size != sizeof value)
    return def;
  return value;
}

std::string PageOptions::ReadString(const char* name, const char* def, DWORD maxBytes,
                                    bool expandable) const {
  const std::string fallback = def != nullptr ? def : "";
  if (Key() == nullptr) return fallback;
  DWORD type = 0;
  DWORD size = 0;
  if (RegQueryValueExA(Key(), name, nullptr, &type, nullptr, &size) != ERROR_SUCCESS)
    return fallback;
  if (type != REG_SZ && !(expandable && type == REG_EXPAND_SZ)) return fallback;
  if (maxBytes != kAnyLength && size > maxBytes) return fallback;
  std::vector<char> data(size + 1, '\0');
  if (RegQueryValueExA(Key(), name, nullptr, &type, reinterpret_cast<BYTE*>(data.data()), &size) !=
      ERROR_SUCCESS)
    return fallback;
  // The stored bytes need not end with a NUL; the extra one ends the text anyway.
  return std::string(data.data());
}

void PageOptions::WriteDword(const char* name, DWORD value) const {
  if (Key() == nullptr) return;
  RegSetValueExA(Key(), name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
}

void PageOptions::WriteString(const char* name, const std::string& text) const {
  if (Key() == nullptr) return;
  RegSetValueExA(Key(), name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                 static_cast<DWORD>(text.size() + 1));
}

bool PageOptions::ReadBinary(const char* name, void* data, DWORD size) const {
  if (Key() == nullptr) return false;
  DWORD type = 0;
  DWORD stored = 0;
  if (RegQueryValueExA(Key(), name, nullptr, &type, nullptr, &stored) != ERROR_SUCCESS ||
      type != REG_BINARY || stored != size)
    return false;
  std::vector<BYTE> bytes(size);
  if (RegQueryValueExA(Key(), name, nullptr, &type, bytes.data(), &stored) != ERROR_SUCCESS)
    return false;
  std::copy(bytes.begin(), bytes.end(), static_cast<BYTE*>(data));
  return true;
}

void PageOptions::WriteBinary(const char* name, const void* data, DWORD size) const {
  if (Key() == nullptr) return;
  RegSetValueExA(Key(), name, 0, REG_BINARY, static_cast<const BYTE*>(data), size);
}
