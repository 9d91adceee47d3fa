// Marks a run as active for its lifetime. Runs dispatch messages while they wait, so a
// second wizard request can arrive in the middle of one; it must not enter.
#pragma once

#include <atomic>

class ExclusiveRun {
 public:
  explicit ExclusiveRun(std::atomic<bool>& active)
      : m_active(active), m_entered(!active.exchange(true)) {}
  ~ExclusiveRun() {
    if (m_entered) m_active.store(false);
  }
  ExclusiveRun(const ExclusiveRun&) = delete;
  ExclusiveRun& operator=(const ExclusiveRun&) = delete;

  // False when another run was already active.
  bool Entered() const { return m_entered; }

 private:
  std::atomic<bool>& m_active;
  bool m_entered;
};
