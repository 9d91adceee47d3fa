// The process-wide system time zone behind GetTimeZoneInformation: the machine's
// zone unless a test set a record or made it unreadable.
#pragma once

#include <mutex>
#include <optional>
#include <string>

#include "win32/time.h"

namespace kelvra::platform {

class SystemTimeZone {
 public:
  static SystemTimeZone& Instance();

  // Nothing when the zone cannot be read.
  std::optional<TIME_ZONE_INFORMATION> Get();
  void Set(const TIME_ZONE_INFORMATION& zone);
  void SetInvalid();
  void Reset();

  // The record of a zone of the zone list named by its Windows id or by an IANA name
  // the list maps; nothing for a name the list does not know.
  static std::optional<TIME_ZONE_INFORMATION> ZoneNamed(const std::string& name);

 private:
  SystemTimeZone() = default;
  static TIME_ZONE_INFORMATION MachineZone();

  std::mutex mutex_;
  bool overridden_ = false;
  std::optional<TIME_ZONE_INFORMATION> zone_;
};

}  // namespace kelvra::platform
