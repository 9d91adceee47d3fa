// An event: manual-reset or auto-reset.
#pragma once

#include "sync/Waitable.h"

namespace kelvra::platform {

class EventObject : public Waitable {
 public:
  EventObject(bool manualReset, bool initialState) : manual_(manualReset), set_(initialState) {}

  bool Signalled(DWORD) const override { return set_; }
  DWORD Acquire(DWORD) override {
    if (!manual_) set_ = false;
    return WAIT_OBJECT_0;
  }
  void Set(bool state) { set_ = state; }

 private:
  bool manual_;
  bool set_;
};

}  // namespace kelvra::platform
