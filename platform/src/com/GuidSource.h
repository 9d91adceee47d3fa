// Where CoCreateGuid takes its GUIDs from: the machine's random source, a seeded
// generator, or a fixed sequence that repeats. Process-wide.
#pragma once

#include <cstdint>
#include <mutex>
#include <optional>
#include <random>
#include <vector>

#include "com/guid.h"

namespace kelvra::com {

class GuidSource {
 public:
  static GuidSource& Instance();

  GUID Next();
  // Not empty.
  void UseSequence(std::vector<GUID> guids);
  void UseSeed(std::uint64_t seed);
  void UseRandom();

 private:
  GuidSource() = default;
  GUID Drawn();

  std::mutex mutex_;
  std::vector<GUID> sequence_;
  std::size_t next_ = 0;
  std::optional<std::mt19937_64> seeded_;
};

}  // namespace kelvra::com
