#include "sync/NamedObjects.h"

#include <algorithm>

#include "thread/SyncHub.h"
#include "thread/ThreadQueues.h"

namespace kelvra::platform {
namespace {

void AbandonOnThreadEnd(DWORD thread) { NamedObjects::Instance().AbandonMutexes(thread); }

}  // namespace

NamedObjects& NamedObjects::Instance() {
  static NamedObjects* objects = [] {
    auto* made = new NamedObjects;  // threads end while the process exits
    ThreadQueues::SetMutexesEndHook(&AbandonOnThreadEnd);
    return made;
  }();
  return *objects;
}

std::shared_ptr<Waitable> NamedObjects::FindLocked(const std::string& name) {
  auto it = names_.find(name);
  if (it == names_.end()) return nullptr;
  std::shared_ptr<Waitable> object = it->second.lock();
  if (!object) names_.erase(it);
  return object;
}

void NamedObjects::AddLocked(const std::string& name, const std::shared_ptr<Waitable>& object) {
  names_[name] = object;
}

void NamedObjects::TrackMutexLocked(const std::shared_ptr<MutexObject>& mutex) {
  std::erase_if(mutexes_, [](const std::weak_ptr<MutexObject>& m) { return m.expired(); });
  mutexes_.push_back(mutex);
}

void NamedObjects::AbandonMutexes(DWORD thread) {
  std::lock_guard lock(SyncHub::Instance().mutex());
  for (const auto& weak : mutexes_)
    if (auto mutex = weak.lock()) mutex->Abandon(thread);
  SyncHub::Instance().NotifyAllLocked();
}

}  // namespace kelvra::platform
