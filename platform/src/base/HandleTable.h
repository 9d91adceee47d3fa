// The process-wide table of kernel handles. Handle values are never reused, so a
// handle closed twice or kept after its close is reported instead of reaching
// another object.
#pragma once

#include <cstdint>
#include <memory>
#include <mutex>
#include <unordered_map>

#include "base/KernelObject.h"
#include "win32/base.h"

namespace kelvra::platform {

class HandleTable {
 public:
  static HandleTable& Instance();

  HANDLE Add(std::shared_ptr<KernelObject> object);
  // The object, or null for an unknown handle.
  std::shared_ptr<KernelObject> Find(HANDLE handle) const;
  // The object when it is of kind T, else null.
  template <class T>
  std::shared_ptr<T> FindAs(HANDLE handle) const {
    return std::dynamic_pointer_cast<T>(Find(handle));
  }
  // Drops the handle; false for an unknown one.
  bool Close(HANDLE handle);

 private:
  HandleTable() = default;

  mutable std::mutex mutex_;
  std::unordered_map<std::uintptr_t, std::shared_ptr<KernelObject>> objects_;
  std::uintptr_t next_ = 0x1000;
};

}  // namespace kelvra::platform
