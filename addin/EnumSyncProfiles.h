// The Kelvra application's synchronisation profiles, as its menus in Outlook list them.
#pragma once

#include <string>
#include <vector>

// Where the Kelvra application keeps its profiles, one subkey each (HKEY_CURRENT_USER).
inline constexpr const char* kProfilesKeyPath = "Software\\Ostrane\\Kelvra\\Profiles";

// Empties both lists, then appends the name and the key of every listed profile, in
// the registry's enumeration order: every subkey except "Defaults" (any case) whose
// "OK" is not 0 (a missing "OK" counts as 1) and whose "Key" is not empty. Reads only.
void EnumSyncProfiles(std::vector<std::string>& names, std::vector<std::string>& keys);
