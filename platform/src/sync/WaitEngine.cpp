#include "sync/WaitEngine.h"

#include "base/HandleTable.h"

namespace kelvra::platform {

std::optional<std::vector<std::shared_ptr<Waitable>>> WaitEngine::Resolve(DWORD count,
                                                                          const HANDLE* handles) {
  std::vector<std::shared_ptr<Waitable>> objects;
  if (count > 64 || (count > 0 && handles == nullptr)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return std::nullopt;
  }
  for (DWORD i = 0; i < count; ++i) {
    auto object = HandleTable::Instance().FindAs<Waitable>(handles[i]);
    if (!object) {
      SetLastError(ERROR_INVALID_HANDLE);
      return std::nullopt;
    }
    objects.push_back(std::move(object));
  }
  return objects;
}

bool WaitEngine::TryAcquireLocked(const std::vector<std::shared_ptr<Waitable>>& objects,
                                  bool waitAll, DWORD thread, DWORD& result) {
  if (waitAll) {
    for (const auto& object : objects)
      if (!object->Signalled(thread)) return false;
    bool abandoned = false;
    for (const auto& object : objects) abandoned |= object->Acquire(thread) == WAIT_ABANDONED;
    result = abandoned ? WAIT_ABANDONED : WAIT_OBJECT_0;
    return true;
  }
  for (DWORD i = 0; i < objects.size(); ++i) {
    if (!objects[i]->Signalled(thread)) continue;
    result = objects[i]->Acquire(thread) + i;
    return true;
  }
  return false;
}

}  // namespace kelvra::platform
