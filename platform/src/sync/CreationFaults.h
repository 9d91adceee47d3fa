// Failures tests inject into object creation: the next n events or threads cannot be
// made, common controls cannot be initialised.
#pragma once

#include <atomic>

namespace kelvra::platform {

class CreationFaults {
 public:
  static CreationFaults& Instance();

  void FailEvents(int count) { events_ = count; }
  void FailThreads(int count) { threads_ = count; }
  void FailCommonControls(bool fail) { commonControls_ = fail; }

  // True (and one failure used up) when this creation is to fail.
  bool TakeEventFailure() { return Take(events_); }
  bool TakeThreadFailure() { return Take(threads_); }
  bool CommonControlsFail() const { return commonControls_; }

 private:
  CreationFaults() = default;
  static bool Take(std::atomic<int>& counter);

  std::atomic<int> events_{0};
  std::atomic<int> threads_{0};
  std::atomic<bool> commonControls_{false};
};

}  // namespace kelvra::platform
