// Counts the stand-in's Outlook and Redemption objects that are alive, so that tests
// can check that callers release what they take.
#pragma once

#include <cstddef>

namespace kelvra::outlook {

class LiveObjects {
 public:
  static std::size_t Count();

 protected:
  LiveObjects();
  LiveObjects(const LiveObjects&) = delete;
  LiveObjects& operator=(const LiveObjects&) = delete;
  ~LiveObjects();
};

}  // namespace kelvra::outlook
