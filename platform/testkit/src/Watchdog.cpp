#include "testkit/Watchdog.h"

#include <cstdio>
#include <cstdlib>

#include "thread/ThreadQueues.h"

namespace testkit {

Watchdog::Watchdog(std::string what, std::chrono::milliseconds limit)
    : what_(std::move(what)), limit_(limit), thread_([this] { Watch(); }) {}

Watchdog::~Watchdog() {
  {
    std::lock_guard lock(mutex_);
    finished_ = true;
  }
  done_.notify_all();
  thread_.join();
}

void Watchdog::Watch() {
  std::unique_lock lock(mutex_);
  if (done_.wait_for(lock, limit_, [this] { return finished_; })) return;
  std::fprintf(stderr, "watchdog: %s has not ended after %lld ms: a deadlock?\n", what_.c_str(),
               static_cast<long long>(limit_.count()));
  for (const std::string& line : kelvra::platform::ThreadQueues::Describe())
    std::fprintf(stderr, "watchdog:   %s\n", line.c_str());
  std::fflush(stderr);
  std::abort();
}

}  // namespace testkit
