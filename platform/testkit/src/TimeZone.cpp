#include "testkit/TimeZone.h"

#include "time/SystemTimeZone.h"

namespace testkit {

using kelvra::platform::SystemTimeZone;

void SetSystemTimeZone(const TIME_ZONE_INFORMATION& zone) { SystemTimeZone::Instance().Set(zone); }

void SetSystemTimeZoneInvalid() { SystemTimeZone::Instance().SetInvalid(); }

void ResetSystemTimeZone() { SystemTimeZone::Instance().Reset(); }

}  // namespace testkit
