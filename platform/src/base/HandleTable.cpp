#include "base/HandleTable.h"

#include <utility>

namespace kelvra::platform {

HandleTable& HandleTable::Instance() {
  static HandleTable* table = new HandleTable;  // outlives objects closed at exit
  return *table;
}

HANDLE HandleTable::Add(std::shared_ptr<KernelObject> object) {
  std::lock_guard lock(mutex_);
  const std::uintptr_t value = next_;
  next_ += 4;  // multiples of four, as Windows hands them out
  objects_.emplace(value, std::move(object));
  return reinterpret_cast<HANDLE>(value);
}

std::shared_ptr<KernelObject> HandleTable::Find(HANDLE handle) const {
  std::lock_guard lock(mutex_);
  const auto it = objects_.find(reinterpret_cast<std::uintptr_t>(handle));
  return it == objects_.end() ? nullptr : it->second;
}

bool HandleTable::Close(HANDLE handle) {
  std::shared_ptr<KernelObject> closed;  // destroyed outside the lock
  std::lock_guard lock(mutex_);
  const auto it = objects_.find(reinterpret_cast<std::uintptr_t>(handle));
  if (it == objects_.end()) return false;
  closed = std::move(it->second);
  objects_.erase(it);
  return true;
}

}  // namespace kelvra::platform

BOOL WINAPI CloseHandle(HANDLE handle) {
  if (kelvra::platform::HandleTable::Instance().Close(handle)) return TRUE;
  SetLastError(ERROR_INVALID_HANDLE);
  return FALSE;
}
