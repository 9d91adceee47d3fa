#include "sync/MutexObject.h"

namespace kelvra::platform {

DWORD MutexObject::Acquire(DWORD thread) {
  owner_ = thread;
  ++count_;
  if (!abandoned_) return WAIT_OBJECT_0;
  abandoned_ = false;
  return WAIT_ABANDONED;
}

bool MutexObject::Release(DWORD thread) {
  if (owner_ != thread || count_ == 0) return false;
  if (--count_ == 0) owner_ = 0;
  return true;
}

void MutexObject::Abandon(DWORD thread) {
  if (owner_ != thread) return;
  owner_ = 0;
  count_ = 0;
  abandoned_ = true;
}

}  // namespace kelvra::platform
