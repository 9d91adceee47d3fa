// The Windows zone list of the stand-in, as the host seeds it.
#pragma once

#include <cstddef>
#include <string>

namespace testkit {

// The registry key under HKEY_LOCAL_MACHINE that holds one subkey per Windows zone.
inline constexpr const char* kTimeZonesKey =
    "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Time Zones";

// Writes every zone of the generated list into the registry under kTimeZonesKey\<id>:
// "Display", "Dlt", "Std" (REG_SZ), "Index" (REG_DWORD) and "TZI" (REG_BINARY, 44
// bytes). Returns the number of zones written: 0 when the data file is missing.
std::size_t SeedZoneList();

// The Windows zone id of an IANA zone name ("Europe/Paris" -> "W. Europe Standard
// Time"); "" when the list does not know the name.
std::string WindowsZoneForIana(const std::string& iana);

}  // namespace testkit
