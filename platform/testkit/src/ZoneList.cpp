#include "testkit/ZoneList.h"

#include "testkit/Registry.h"
#include "time/ZoneListData.h"

namespace testkit {

using kelvra::platform::ZoneListData;

std::size_t SeedZoneList() {
  const auto& zones = ZoneListData::Instance().zones();
  for (const auto& zone : zones) {
    const std::string key = std::string(kTimeZonesKey) + "\\" + zone.id;
    WriteString(HKEY_LOCAL_MACHINE, key, "Display", zone.display);
    WriteString(HKEY_LOCAL_MACHINE, key, "Dlt", zone.daylightName);
    WriteString(HKEY_LOCAL_MACHINE, key, "Std", zone.standardName);
    WriteDword(HKEY_LOCAL_MACHINE, key, "Index", zone.index);
    WriteValue(HKEY_LOCAL_MACHINE, key, "TZI", REG_BINARY, zone.Tzi());
  }
  return zones.size();
}

std::string WindowsZoneForIana(const std::string& iana) {
  return ZoneListData::Instance().WindowsZoneForIana(iana);
}

}  // namespace testkit
