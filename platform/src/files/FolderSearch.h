// The entries a FindFirstFileA search found, taken at its start and handed out in order.
#pragma once

#include <cstddef>
#include <vector>

#include "base/KernelObject.h"
#include "win32/files.h"

namespace kelvra::platform {

class FolderSearch : public KernelObject {
 public:
  // entries is not empty and already in the order they are handed out.
  explicit FolderSearch(std::vector<WIN32_FIND_DATAA> entries);

  const WIN32_FIND_DATAA& First() const { return entries_.front(); }
  // The next entry, or null past the last one.
  const WIN32_FIND_DATAA* Next();

 private:
  std::vector<WIN32_FIND_DATAA> entries_;
  std::size_t next_ = 1;
};

}  // namespace kelvra::platform
