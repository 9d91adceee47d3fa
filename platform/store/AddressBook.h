// The Exchange address book: entry ids of address entries and the SMTP
// addresses they resolve to.
#pragma once

#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "store/Value.h"

namespace kelvra::store {

struct AddressEntry {
  Bytes entryId;
  std::u16string name;
  std::u16string smtpAddress;
  bool operator==(const AddressEntry&) const = default;
};

class AddressBook {
 public:
  // Replaces an entry with the same id.
  void Add(AddressEntry entry);
  std::optional<AddressEntry> Find(const Bytes& entryId) const;
  // In the order first added.
  std::vector<AddressEntry> Entries() const;

 private:
  mutable std::mutex mutex_;
  std::vector<AddressEntry> entries_;
};

}  // namespace kelvra::store
