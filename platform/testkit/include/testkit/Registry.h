// Controls over the stand-in's registry and readers of its contents.
//
// Paths are relative to a root key (HKEY_CLASSES_ROOT, HKEY_CURRENT_USER,
// HKEY_LOCAL_MACHINE) and name several levels separated by "\"; names compare without
// regard to case.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "win32/registry.h"

namespace testkit {

// Empties the three trees and lifts every denial. Handles still open stay valid
// handles whose key is gone (ERROR_KEY_DELETED). The user's date and time formats,
// kept in the registry on Windows, go back to their defaults (testkit/Locale.h).
void ResetRegistry();

// Opening or creating the key at path, or any key below it, with an access mask that
// holds any of these rights fails with ERROR_ACCESS_DENIED and gives no handle; so
// does deleting it when the rights hold DELETE. READ_CONTROL, part of both KEY_READ and
// KEY_WRITE, is ignored when other rights are named: denying KEY_WRITE still lets the
// key be opened with KEY_READ.
void DenyAccess(HKEY root, const std::string& path, REGSAM rights);
void ClearDenials();

// Writes the whole registry to a Linux file, or replaces it with one written so.
// Format: a first line "KELVRA REGISTRY 1"; then each key as "[ROOT\path]" followed
// by its values as "\"name\"=type:hexbytes" (type in decimal, every byte as two hex
// digits, so binary data and NULs come back exactly); in names, control bytes, bytes
// above 0x7E and % " \ [ ] are written %XX. LoadRegistry leaves the registry as it was
// and returns false for a missing or malformed file.
bool SaveRegistry(const std::string& linuxPath);
bool LoadRegistry(const std::string& linuxPath);

struct RegValue {
  DWORD type = 0;
  std::string data;
};

bool KeyExists(HKEY root, const std::string& path);
std::optional<RegValue> ReadValue(HKEY root, const std::string& path, const std::string& name);
// The value's data up to its first NUL, when it is a REG_SZ or REG_EXPAND_SZ.
std::optional<std::string> ReadString(HKEY root, const std::string& path, const std::string& name);
// The value when it is a REG_DWORD of four bytes.
std::optional<DWORD> ReadDword(HKEY root, const std::string& path, const std::string& name);
// Subkey names with the case they were created with, in enumeration order.
std::vector<std::string> SubKeyNames(HKEY root, const std::string& path);

// Sets a value, creating the missing keys, without handles or access checks.
void WriteValue(HKEY root, const std::string& path, const std::string& name, DWORD type,
                const std::string& data);
// A REG_SZ with its NUL; a REG_DWORD.
void WriteString(HKEY root, const std::string& path, const std::string& name,
                 const std::string& text);
void WriteDword(HKEY root, const std::string& path, const std::string& name, DWORD value);

// Handles opened and not yet closed, for checking that code closes its keys.
std::size_t OpenKeyCount();

}  // namespace testkit
