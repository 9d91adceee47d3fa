// The part of every wait that looks at kernel objects: handles resolved to waitable
// objects, and the test whether (and which of) them end the wait.
#pragma once

#include <memory>
#include <optional>
#include <vector>

#include "sync/Waitable.h"

namespace kelvra::platform {

class WaitEngine {
 public:
  // The objects, or nullopt (error 6) when a handle is not a waitable object; 87 for
  // a count of 0 or above 64 where objects are required.
  static std::optional<std::vector<std::shared_ptr<Waitable>>> Resolve(DWORD count,
                                                                       const HANDLE* handles);
  // Under the hub's lock: when the objects end the wait, takes them and sets result to
  // WAIT_OBJECT_0 + i or WAIT_ABANDONED + i.
  static bool TryAcquireLocked(const std::vector<std::shared_ptr<Waitable>>& objects, bool waitAll,
                               DWORD thread, DWORD& result);
};

}  // namespace kelvra::platform
