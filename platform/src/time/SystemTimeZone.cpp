#include "time/SystemTimeZone.h"

#include <unistd.h>

#include <cstdlib>
#include <string>

#include "time/ZoneListData.h"

namespace kelvra::platform {

namespace {

// Zone names are ASCII.
void CopyName(const std::string& name, WCHAR (&target)[32]) {
  std::size_t i = 0;
  for (; i < name.size() && i < 31; ++i) target[i] = static_cast<WCHAR>(name[i]);
  target[i] = u'\0';
}

// The IANA name of the machine's zone: TZ (":Europe/Berlin" or "Europe/Berlin"), else
// where /etc/localtime points inside a zoneinfo folder; "" when neither tells.
std::string MachineZoneName() {
  if (const char* tz = std::getenv("TZ"); tz != nullptr && *tz != '\0') {
    return tz[0] == ':' ? tz + 1 : tz;
  }
  char target[512];
  const ssize_t length = readlink("/etc/localtime", target, sizeof target - 1);
  if (length <= 0) return "";
  const std::string path(target, static_cast<std::size_t>(length));
  const std::string marker = "zoneinfo/";
  const std::size_t at = path.find(marker);
  return at == std::string::npos ? "" : path.substr(at + marker.size());
}

TIME_ZONE_INFORMATION RecordOf(const ZoneListEntry& entry) {
  TIME_ZONE_INFORMATION zone{};
  zone.Bias = entry.bias;
  zone.StandardBias = entry.standardBias;
  zone.DaylightBias = entry.daylightBias;
  zone.StandardDate = entry.standardDate;
  zone.DaylightDate = entry.daylightDate;
  CopyName(entry.standardName, zone.StandardName);
  CopyName(entry.daylightName, zone.DaylightName);
  return zone;
}

}  // namespace

SystemTimeZone& SystemTimeZone::Instance() {
  static SystemTimeZone instance;
  return instance;
}

// The machine's zone is taken from the zone list, so that it has a twin there; a zone
// the list cannot name counts as UTC.
TIME_ZONE_INFORMATION SystemTimeZone::MachineZone() {
  static const TIME_ZONE_INFORMATION machine = [] {
    const ZoneListData& list = ZoneListData::Instance();
    const ZoneListEntry* entry = list.FindZone(list.WindowsZoneForIana(MachineZoneName()));
    if (entry == nullptr) entry = list.FindZone("UTC");
    if (entry != nullptr) return RecordOf(*entry);
    TIME_ZONE_INFORMATION utc{};
    CopyName("Coordinated Universal Time", utc.StandardName);
    CopyName("Coordinated Universal Time", utc.DaylightName);
    return utc;
  }();
  return machine;
}

std::optional<TIME_ZONE_INFORMATION> SystemTimeZone::ZoneNamed(const std::string& name) {
  const ZoneListData& list = ZoneListData::Instance();
  const ZoneListEntry* entry = list.FindZone(name);
  if (entry == nullptr) entry = list.FindZone(list.WindowsZoneForIana(name));
  if (entry == nullptr) return std::nullopt;
  return RecordOf(*entry);
}

std::optional<TIME_ZONE_INFORMATION> SystemTimeZone::Get() {
  std::lock_guard lock(mutex_);
  if (!overridden_) return MachineZone();
  return zone_;
}

void SystemTimeZone::Set(const TIME_ZONE_INFORMATION& zone) {
  std::lock_guard lock(mutex_);
  overridden_ = true;
  zone_ = zone;
}

void SystemTimeZone::SetInvalid() {
  std::lock_guard lock(mutex_);
  overridden_ = true;
  zone_.reset();
}

void SystemTimeZone::Reset() {
  std::lock_guard lock(mutex_);
  overridden_ = false;
  zone_.reset();
}

}  // namespace kelvra::platform
