// A mutex: owned by one thread at a time, recursively; abandoned when its owner ends
// without releasing it.
#pragma once

#include "sync/Waitable.h"

namespace kelvra::platform {

class MutexObject : public Waitable {
 public:
  bool Signalled(DWORD thread) const override { return owner_ == 0 || owner_ == thread; }
  DWORD Acquire(DWORD thread) override;
  // False when the thread does not own it.
  bool Release(DWORD thread);
  // The owner ended: the next acquirer learns of it.
  void Abandon(DWORD thread);
  DWORD owner() const { return owner_; }

 private:
  DWORD owner_ = 0;
  int count_ = 0;
  bool abandoned_ = false;
};

}  // namespace kelvra::platform
