// MAPI memory blocks: each buffer carries the chain of blocks allocated "more" to it,
// and every live block is counted so that tests can see what a caller left behind.
#pragma once

#include <cstddef>

namespace kelvra::mapi {

class MapiMemory {
 public:
  static std::size_t LiveBlocks();
};

}  // namespace kelvra::mapi
