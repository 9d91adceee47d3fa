#include "com/RegistryEdit.h"

namespace kelvra::com {

namespace {

class OpenKey {
 public:
  OpenKey() = default;
  OpenKey(const OpenKey&) = delete;
  OpenKey& operator=(const OpenKey&) = delete;
  ~OpenKey() {
    if (key_ != nullptr) RegCloseKey(key_);
  }
  HKEY* Address() { return &key_; }
  HKEY get() const { return key_; }

 private:
  HKEY key_ = nullptr;
};

bool Missing(LONG error) { return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND; }

}  // namespace

LONG RegistryEdit::CreateKey(HKEY root, const std::string& path) {
  OpenKey key;
  return RegCreateKeyExA(root, path.c_str(), 0, nullptr, 0, KEY_READ | KEY_WRITE, nullptr,
                         key.Address(), nullptr);
}

LONG RegistryEdit::SetValue(HKEY root, const std::string& path, const std::string& name,
                            DWORD type, const std::string& data) {
  OpenKey key;
  const LONG created = RegCreateKeyExA(root, path.c_str(), 0, nullptr, 0, KEY_READ | KEY_WRITE,
                                       nullptr, key.Address(), nullptr);
  if (created != ERROR_SUCCESS) return created;
  return RegSetValueExA(key.get(), name.c_str(), 0, type,
                        reinterpret_cast<const BYTE*>(data.data()),
                        static_cast<DWORD>(data.size()));
}

LONG RegistryEdit::SetString(HKEY root, const std::string& path, const std::string& name,
                             const std::string& text) {
  return SetValue(root, path, name, REG_SZ, std::string(text.c_str(), text.size() + 1));
}

LONG RegistryEdit::DeleteValue(HKEY root, const std::string& path, const std::string& name) {
  OpenKey key;
  LONG result = RegOpenKeyExA(root, path.c_str(), 0, KEY_SET_VALUE, key.Address());
  if (result == ERROR_SUCCESS) result = RegDeleteValueA(key.get(), name.c_str());
  return Missing(result) ? ERROR_SUCCESS : result;
}

LONG RegistryEdit::DeleteTree(HKEY root, const std::string& path) {
  const LONG result = RegDeleteTreeA(root, path.c_str());
  return Missing(result) ? ERROR_SUCCESS : result;
}

LONG RegistryEdit::DeleteIfLeaf(HKEY root, const std::string& path) {
  OpenKey key;
  LONG result = RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, key.Address());
  if (Missing(result)) return ERROR_SUCCESS;
  if (result != ERROR_SUCCESS) return result;
  char name[256];
  DWORD length = sizeof name;
  result = RegEnumKeyExA(key.get(), 0, name, &length, nullptr, nullptr, nullptr, nullptr);
  if (result == ERROR_SUCCESS || result == ERROR_MORE_DATA) return ERROR_SUCCESS;
  result = RegDeleteKeyA(root, path.c_str());
  return Missing(result) ? ERROR_SUCCESS : result;
}

bool RegistryEdit::Exists(HKEY root, const std::string& path) {
  OpenKey key;
  return RegOpenKeyExA(root, path.c_str(), 0, KEY_QUERY_VALUE, key.Address()) == ERROR_SUCCESS;
}

HRESULT RegistryResult(LONG error) { return HRESULT_FROM_WIN32(static_cast<DWORD>(error)); }

}  // namespace kelvra::com
