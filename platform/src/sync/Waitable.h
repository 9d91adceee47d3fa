// A kernel object a thread can wait for. Its state is guarded by the sync hub's lock.
#pragma once

#include <atomic>

#include "base/KernelObject.h"
#include "win32/sync.h"

namespace kelvra::platform {

class Waitable : public KernelObject {
 public:
  Waitable() { ++live_; }
  ~Waitable() override { --live_; }
  // Events, mutexes, threads and processes that still exist.
  static int Live() { return live_.load(); }

  // Under the hub's lock: whether a wait by that thread would end now.
  virtual bool Signalled(DWORD thread) const = 0;
  // Under the hub's lock, once Signalled: takes the object for the thread (clears an
  // auto-reset event, owns a mutex). WAIT_OBJECT_0 or WAIT_ABANDONED.
  virtual DWORD Acquire(DWORD thread) = 0;

 private:
  static inline std::atomic<int> live_{0};
};

// A thread or a process: signalled for ever once it has ended.
class TaskObject : public Waitable {
 public:
  bool Signalled(DWORD) const override { return ended_; }
  DWORD Acquire(DWORD) override { return WAIT_OBJECT_0; }

  // Under the hub's lock.
  bool ended() const { return ended_; }
  DWORD exitCode() const { return ended_ ? exitCode_ : static_cast<DWORD>(259); }
  void End(DWORD exitCode) {
    exitCode_ = exitCode;
    ended_ = true;
  }
  DWORD id() const { return id_; }
  void SetId(DWORD id) { id_ = id; }

 private:
  bool ended_ = false;
  DWORD exitCode_ = 0;
  DWORD id_ = 0;
};

}  // namespace kelvra::platform
