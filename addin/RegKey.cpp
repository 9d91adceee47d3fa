#include "addin/RegKey.h"

LONG RegKey::Open(HKEY root, const char* path, REGSAM access) {
  Close();
  HKEY key = nullptr;
  LONG rc = RegOpenKeyExA(root, path, 0, access, &key);
  if (rc == ERROR_SUCCESS) m_key = key;
  return rc;
}

LONG RegKey::Create(HKEY root, const char* path, REGSAM access) {
  Close();
  HKEY key = nullptr;
  LONG rc = RegCreateKeyExA(root, path, 0, nullptr, 0, access, nullptr, &key, nullptr);
  if (rc == ERROR_SUCCESS) m_key = key;
  return rc;
}

void RegKey::Close() {
  if (m_key) RegCloseKey(m_key);
  m_key = nullptr;
}
