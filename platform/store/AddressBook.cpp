#include "store/AddressBook.h"

#include <algorithm>

namespace kelvra::store {

void AddressBook::Add(AddressEntry entry) {
  std::lock_guard lock(mutex_);
  const auto found = std::find_if(entries_.begin(), entries_.end(), [&](const AddressEntry& e) {
    return e.entryId == entry.entryId;
  });
  if (found != entries_.end()) {
    *found = std::move(entry);
  } else {
    entries_.push_back(std::move(entry));
  }
}

std::optional<AddressEntry> AddressBook::Find(const Bytes& entryId) const {
  std::lock_guard lock(mutex_);
  const auto found = std::find_if(entries_.begin(), entries_.end(),
                                  [&](const AddressEntry& e) { return e.entryId == entryId; });
  if (found == entries_.end()) return std::nullopt;
  return *found;
}

std::vector<AddressEntry> AddressBook::Entries() const {
  std::lock_guard lock(mutex_);
  return entries_;
}

}  // namespace kelvra::store
