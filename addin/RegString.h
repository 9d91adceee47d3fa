// String values under the add-in's options key.
#pragma once

#include <string>

// The text of the value under HKEY_CURRENT_USER (HKEY_LOCAL_MACHINE with fromMachine),
// or def when the key or a non-empty string value is missing or does not fit.
std::string ReadRegString(const char* name, const char* def, bool fromMachine);
// Stores text as REG_SZ under an existing key of HKEY_CURRENT_USER; the key is not
// created here, and a failure stores nothing without a word.
void WriteRegString(const char* name, const char* text);
