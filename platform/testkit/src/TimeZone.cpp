#include "testkit/TimeZone.h"

#include "nls/LocaleSettings.h"
#include "time/SystemTimeZone.h"

namespace testkit {

using kelvra::platform::LocaleSettings;
using kelvra::platform::SystemTimeZone;

void SetSystemTimeZone(const TIME_ZONE_INFORMATION& zone) { SystemTimeZone::Instance().Set(zone); }

bool SetSystemTimeZone(const std::string& name) {
  const std::optional<TIME_ZONE_INFORMATION> zone = SystemTimeZone::ZoneNamed(name);
  if (!zone) return false;
  SystemTimeZone::Instance().Set(*zone);
  return true;
}

void SetSystemTimeZoneInvalid() { SystemTimeZone::Instance().SetInvalid(); }

void ResetSystemTimeZone() {
  SystemTimeZone::Instance().Reset();
  LocaleSettings::Instance().ResetDateTimePictures();
}

}  // namespace testkit
