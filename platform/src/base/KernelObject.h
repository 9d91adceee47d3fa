// Anything a kernel HANDLE stands for: a file, a search, an event, a mutex, a thread or
// a process. Owned by the handle table; the handle's close destroys it once no call
// that is still using it holds it.
#pragma once

namespace kelvra::platform {

class KernelObject {
 public:
  KernelObject() = default;
  KernelObject(const KernelObject&) = delete;
  KernelObject& operator=(const KernelObject&) = delete;
  virtual ~KernelObject() = default;
};

}  // namespace kelvra::platform
