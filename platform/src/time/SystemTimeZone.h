// The process-wide system time zone behind GetTimeZoneInformation: the machine's
// zone unless a test set a record or made it unreadable.
#pragma once

#include <mutex>
#include <optional>

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

 private:
  SystemTimeZone() = default;
  static TIME_ZONE_INFORMATION MachineZone();

  std::mutex mutex_;
  bool overridden_ = false;
  std::optional<TIME_ZONE_INFORMATION> zone_;
};

}  // namespace kelvra::platform
