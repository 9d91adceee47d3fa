#include "addin/RegKey.h"

// The key is taken only on success: a failed call need not leave null in its slot.
LONG RegKey::Open(HKEY root, const char* path, REGSAM access) {
  Close();
  HKEY key = nullptr;
  const LONG rc = RegOpenKeyExA(root, path, 0, access, &key);
  if (rc == ERROR_SUCCESS) m_key.Reset(key);
  return rc;
}

LONG RegKey::Create(HKEY root, const char* path, REGSAM access) {
  Close();
  HKEY key = nullptr;
  const LONG rc = RegCreateKeyExA(root, path, 0, nullptr, 0, access, nullptr, &key, nullptr);
  if (rc == ERROR_SUCCESS) m_key.Reset(key);
  return rc;
}
