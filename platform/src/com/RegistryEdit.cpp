#include "com/RegistryEdit.h"

#include "win32/owners.h"

namespace kelvra::com {

namespace {

bool Missing(LONG error) { return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND; }

}  // namespace

LONG RegistryEdit::CreateKey(HKEY root, const std::string& path) {
  UniqueRegKey key;
  return RegCreateKeyExA(root, path.c_str(), 0, nullptr, 0, KEY_READ | KEY_WRITE, nullptr,
                         key.Put(), nullptr);
}

LONG RegistryEdit::SetValue(HKEY root, const std::string& path, const std::string& name, DWORD type,
                            const std::string& data) {
  UniqueRegKey key;
  const LONG created = RegCreateKeyExA(root, path.c_str(), 0, nullptr, 0, KEY_READ | KEY_WRITE,
                                       nullptr, key.Put(), nullptr);
  if (created != ERROR_SUCCESS) return created;
  return RegSetValueExA(key.Get(), name.c_str(), 0, type,
                        reinterpret_cast<const BYTE*>(data.data()),
                        static_cast<DWORD>(data.size()));
}

LONG RegistryEdit::SetString(HKEY root, const std::string& path, const std::string& name,
                             const std::string& text) {
  return SetValue(root, path, name, REG_SZ, std::string(text.c_str(), text.size() + 1));
}

LONG RegistryEdit::DeleteValue(HKEY root, const std::string& path, const std::string& name) {
  UniqueRegKey key;
  LONG result = RegOpenKeyExA(root, path.c_str(), 0, KEY_SET_VALUE, key.Put());
  if (result == ERROR_SUCCESS) result = RegDeleteValueA(key.Get(), name.c_str());
  return Missing(result) ? ERROR_SUCCESS : result;
}

LONG RegistryEdit::DeleteTree(HKEY root, const std::string& path) {
  const LONG result = RegDeleteTreeA(root, path.c_str());
  return Missing(result) ? ERROR_SUCCESS : result;
}

LONG RegistryEdit::DeleteIfLeaf(HKEY root, const std::string& path) {
  UniqueRegKey key;
  LONG result = RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, key.Put());
  if (Missing(result)) return ERROR_SUCCESS;
  if (result != ERROR_SUCCESS) return result;
  char name[256];
  DWORD length = sizeof name;
  result = RegEnumKeyExA(key.Get(), 0, name, &length, nullptr, nullptr, nullptr, nullptr);
  if (result == ERROR_SUCCESS || result == ERROR_MORE_DATA) return ERROR_SUCCESS;
  result = RegDeleteKeyA(root, path.c_str());
  return Missing(result) ? ERROR_SUCCESS : result;
}

bool RegistryEdit::Exists(HKEY root, const std::string& path) {
  UniqueRegKey key;
  return RegOpenKeyExA(root, path.c_str(), 0, KEY_QUERY_VALUE, key.Put()) == ERROR_SUCCESS;
}

HRESULT RegistryResult(LONG error) { return HRESULT_FROM_WIN32(static_cast<DWORD>(error)); }

}  // namespace kelvra::com
