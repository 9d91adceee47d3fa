// How often the system asked whether a path exists (PathFileExistsA), so that tests can
// check what a search costs without timing it.
#pragma once

#include <atomic>

namespace kelvra::platform {

class ExistenceQueries {
 public:
  static void Count() { total_.fetch_add(1, std::memory_order_relaxed); }
  static unsigned long Total() { return total_.load(std::memory_order_relaxed); }

 private:
  static inline std::atomic<unsigned long> total_{0};
};

}  // namespace kelvra::platform
