#include "testkit/Registry.h"

#include <cstring>

#include "nls/LocaleSettings.h"
#include "registry/Registry.h"

namespace testkit {

using kelvra::platform::LocaleSettings;
using kelvra::platform::Registry;

void ResetRegistry() {
  Registry::Instance().Reset();
  LocaleSettings::Instance().ResetDateTimePictures();
}

void DenyAccess(HKEY root, const std::string& path, REGSAM rights) {
  Registry::Instance().Deny(root, path, rights);
}

void ClearDenials() { Registry::Instance().ClearDenials(); }

bool SaveRegistry(const std::string& linuxPath) { return Registry::Instance().Save(linuxPath); }

bool LoadRegistry(const std::string& linuxPath) { return Registry::Instance().Load(linuxPath); }

bool KeyExists(HKEY root, const std::string& path) {
  return Registry::Instance().KeyExists(root, path);
}

std::optional<RegValue> ReadValue(HKEY root, const std::string& path, const std::string& name) {
  auto value = Registry::Instance().ReadValue(root, path, name);
  if (!value) return std::nullopt;
  return RegValue{value->type, value->data};
}

std::optional<std::string> ReadString(HKEY root, const std::string& path, const std::string& name) {
  auto value = ReadValue(root, path, name);
  if (!value || (value->type != REG_SZ && value->type != REG_EXPAND_SZ)) return std::nullopt;
  return value->data.substr(0, value->data.find('\0'));
}

std::optional<DWORD> ReadDword(HKEY root, const std::string& path, const std::string& name) {
  auto value = ReadValue(root, path, name);
  if (!value || value->type != REG_DWORD || value->data.size() != sizeof(DWORD))
    return std::nullopt;
  DWORD number = 0;
  std::memcpy(&number, value->data.data(), sizeof number);
  return number;
}

std::vector<std::string> SubKeyNames(HKEY root, const std::string& path) {
  return Registry::Instance().SubKeyNames(root, path);
}

void WriteValue(HKEY root, const std::string& path, const std::string& name, DWORD type,
                const std::string& data) {
  Registry::Instance().Write(root, path, name, type, data);
}

void WriteString(HKEY root, const std::string& path, const std::string& name,
                 const std::string& text) {
  WriteValue(root, path, name, REG_SZ, std::string(text.c_str(), text.size() + 1));
}

void WriteDword(HKEY root, const std::string& path, const std::string& name, DWORD value) {
  WriteValue(root, path, name, REG_DWORD,
             std::string(reinterpret_cast<const char*>(&value), sizeof value));
}

std::size_t OpenKeyCount() { return Registry::Instance().OpenHandleCount(); }

}  // namespace testkit
