// A deadlock fails the test instead of hanging it: when the guarded scope has not ended
// within the limit, the watchdog prints the message and what each thread of the window
// manager is waiting for, and aborts the test program.
#pragma once

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>

namespace testkit {

class Watchdog {
 public:
  explicit Watchdog(std::string what = "test",
                    std::chrono::milliseconds limit = std::chrono::seconds(30));
  ~Watchdog();
  Watchdog(const Watchdog&) = delete;
  Watchdog& operator=(const Watchdog&) = delete;

 private:
  void Watch();

  std::string what_;
  std::chrono::milliseconds limit_;
  std::mutex mutex_;
  std::condition_variable done_;
  bool finished_ = false;
  std::thread thread_;
};

}  // namespace testkit
