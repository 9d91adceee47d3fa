// Whether the command bars offer the developer's debug item: the REG_DWORD
// "DebugButton" under HKEY_CURRENT_USER "Software\Ostrane\Kelvra" is set and not 0.
#pragma once

// False when the key or the value is missing or the value has another type.
bool IsDebugButtonEnabled();
