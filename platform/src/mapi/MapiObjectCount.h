// Counts the stand-in's MAPI objects (sessions, stores, folders, tables, messages)
// that are alive, so that tests can check that a caller releases what it opens.
#pragma once

#include <cstddef>

namespace kelvra::mapi {

class MapiObjectCount {
 public:
  static std::size_t Live();

 protected:
  MapiObjectCount();
  MapiObjectCount(const MapiObjectCount&) = delete;
  MapiObjectCount& operator=(const MapiObjectCount&) = delete;
  ~MapiObjectCount();
};

}  // namespace kelvra::mapi
