// Write faults a test arms for the next WriteFile.
#pragma once

#include <cstddef>
#include <optional>

namespace kelvra::platform {

class WriteFaults {
 public:
  static void InjectShortWrite(std::size_t maxBytes);
  // The armed limit, disarmed by taking it.
  static std::optional<std::size_t> TakeShortWrite();
  static void Reset();
};

}  // namespace kelvra::platform
