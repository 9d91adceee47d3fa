#include "sync/CreationFaults.h"

namespace kelvra::platform {

CreationFaults& CreationFaults::Instance() {
  static CreationFaults faults;
  return faults;
}

bool CreationFaults::Take(std::atomic<int>& counter) {
  int left = counter.load();
  while (left > 0) {
    if (counter.compare_exchange_weak(left, left - 1)) return true;
  }
  return false;
}

}  // namespace kelvra::platform
