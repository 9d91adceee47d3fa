// The entries a FindFirstFileA search found: their names are taken and ordered at its
// start, and what is known of each (attributes, times, size) is read as it is handed
// out, so a search that stops after a few entries never reads the rest.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "base/KernelObject.h"
#include "base/PosixOwners.h"
#include "win32/files.h"

namespace kelvra::platform {

class FolderSearch : public KernelObject {
 public:
  // names is already in the order they are handed out; folder is the
  // open folder they stand in.
  FolderSearch(UniqueFd folder, std::vector<std::string> names);

  // The next entry; false past the last one. An entry that has gone since the search
  // began is passed over.
  bool Next(WIN32_FIND_DATAA& data);

 private:
  bool EntryData(const std::string& name, WIN32_FIND_DATAA& data) const;

  UniqueFd folder_;
  std::vector<std::string> names_;
  std::size_t next_ = 0;
};

}  // namespace kelvra::platform
