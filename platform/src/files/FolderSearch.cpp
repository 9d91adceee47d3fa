#include "files/FolderSearch.h"

#include <utility>

namespace kelvra::platform {

FolderSearch::FolderSearch(std::vector<WIN32_FIND_DATAA> entries) : entries_(std::move(entries)) {}

const WIN32_FIND_DATAA* FolderSearch::Next() {
  return next_ < entries_.size() ? &entries_[next_++] : nullptr;
}

}  // namespace kelvra::platform
