// The values a wizard page keeps under the engine's options key. The key is borrowed:
// a page never opens or closes it, and with no key (null pointer or null handle)
// every read gives its default and every write stores nothing.
#pragma once

#include <string>

#include "win32/windows.h"

class PageOptions {
 public:
  // No limit on a text's size.
  static constexpr DWORD kAnyLength = 0;

  explicit PageOptions(HKEY* optionsKey) : m_key(optionsKey) {}

  // The REG_DWORD value, or def when it is missing or of another type.
  DWORD ReadDword(const char* name, DWORD def) const;
  // The text of a REG_SZ value (also REG_EXPAND_SZ, never expanded, with
  // expandable), up to its first NUL; def when the value is missing, of another type,
  // or larger than maxBytes (its NUL included) unless maxBytes is kAnyLength.
  std::string ReadString(const char* name, const char* def, DWORD maxBytes,
                         bool expandable = false) const;
  // A REG_BINARY value of exactly size bytes into data; false (data untouched) for a
  // missing value or one of another type or size.
  bool ReadBinary(const char* name, void* data, DWORD size) const;
  void WriteDword(const char* name, DWORD value) const;
  void WriteBinary(const char* name, const void* data, DWORD size) const;
  // Stored as REG_SZ with its NUL.
  void WriteString(const char* name, const std::string& text) const;

 private:
  HKEY Key() const { return m_key != nullptr ? *m_key : nullptr; }

  HKEY* m_key;
};
