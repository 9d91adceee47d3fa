#include "ZoneNames.h"

#include "testkit/Registry.h"
#include "testkit/ZoneList.h"

namespace host {
namespace {

std::string ZoneKey(const std::string& windowsId) {
  return std::string(testkit::kTimeZonesKey) + "\\" + windowsId;
}

bool IsWindowsZone(const std::string& id) {
  return !id.empty() && id.find('\\') == std::string::npos &&
         testkit::KeyExists(HKEY_LOCAL_MACHINE, ZoneKey(id));
}

}  // namespace

std::string WindowsZoneId(const std::string& name) {
  if (IsWindowsZone(name)) return name;
  const std::string mapped = testkit::WindowsZoneForIana(name);
  return IsWindowsZone(mapped) ? mapped : std::string();
}

std::string ZoneDisplayName(const std::string& windowsId) {
  if (!IsWindowsZone(windowsId)) return "";
  return testkit::ReadString(HKEY_LOCAL_MACHINE, ZoneKey(windowsId), "Display").value_or("");
}

bool IsZoneDisplayName(const std::string& name) {
  for (const std::string& id : testkit::SubKeyNames(HKEY_LOCAL_MACHINE, testkit::kTimeZonesKey))
    if (ZoneDisplayName(id) == name) return true;
  return false;
}

std::string ZoneNamesAccepted() {
  return "a Windows zone id of the zone list (\"W. Europe Standard Time\") or an IANA name "
         "(\"Europe/Berlin\") is expected";
}

}  // namespace host
