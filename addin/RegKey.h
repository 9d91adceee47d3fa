// An open registry key, opened or created by path: closed when the owner goes.
#pragma once

#include "win32/owners.h"
#include "win32/registry.h"

class RegKey {
 public:
  // Each closes a key already held first; the result is the registry's error code.
  LONG Open(HKEY root, const char* path, REGSAM access);
  LONG Create(HKEY root, const char* path, REGSAM access);
  void Close() { m_key.Reset(); }

  HKEY Get() const { return m_key.Get(); }
  // The handle's own slot, lent to callers that read and write under the key and
  // never close it.
  HKEY* Address() { return m_key.Address(); }
  explicit operator bool() const { return static_cast<bool>(m_key); }

 private:
  UniqueRegKey m_key;
};
