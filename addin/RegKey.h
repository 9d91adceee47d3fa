// Owner of an open registry key: closed when the owner goes.
#pragma once

#include "win32/registry.h"

class RegKey {
 public:
  RegKey() = default;
  ~RegKey() { Close(); }
  RegKey(const RegKey&) = delete;
  RegKey& operator=(const RegKey&) = delete;

  // Each closes a key already held first; the result is the registry's error code.
  LONG Open(HKEY root, const char* path, REGSAM access);
  LONG Create(HKEY root, const char* path, REGSAM access);
  void Close();

  HKEY Get() const { return m_key; }
  // The handle's own slot, lent to callers that read and write under the key and
  // never close it.
  HKEY* Address() { return &m_key; }
  explicit operator bool() const { return m_key != nullptr; }

 private:
  HKEY m_key = nullptr;
};
