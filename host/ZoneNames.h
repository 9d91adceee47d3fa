// The time zones the command line names, one way for --timezone and for
// import-calendar --zone: a Windows zone id of the zone list, or an IANA name mapped
// to one.
#pragma once

#include <string>

namespace host {

// The Windows zone id the name stands for; "" when the zone list knows it neither as a
// Windows id nor as an IANA name. Needs the zone list in the registry.
std::string WindowsZoneId(const std::string& name);
// The display name the zone list gives a Windows zone id; "" for an unknown id.
std::string ZoneDisplayName(const std::string& windowsId);
// Whether a zone of the list shows that display name.
bool IsZoneDisplayName(const std::string& name);
// What an unknown zone's usage error says is accepted.
std::string ZoneNamesAccepted();

}  // namespace host
