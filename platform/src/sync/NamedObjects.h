// The process-wide namespace of named events and mutexes, and the mutexes whose owner
// may end without releasing them. Guarded by the sync hub's lock.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "sync/MutexObject.h"

namespace kelvra::platform {

class NamedObjects {
 public:
  static NamedObjects& Instance();

  // Under the hub's lock. Null when no live object has that name.
  std::shared_ptr<Waitable> FindLocked(const std::string& name);
  void AddLocked(const std::string& name, const std::shared_ptr<Waitable>& object);
  void TrackMutexLocked(const std::shared_ptr<MutexObject>& mutex);
  // The thread ended: mutexes it owns become abandoned.
  void AbandonMutexes(DWORD thread);

 private:
  NamedObjects() = default;

  std::map<std::string, std::weak_ptr<Waitable>> names_;
  std::vector<std::weak_ptr<MutexObject>> mutexes_;
};

}  // namespace kelvra::platform
