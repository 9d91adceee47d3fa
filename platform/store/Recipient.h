// A recipient of an item: type (organizer 0, required 1, optional 2, resource
// 3), display name and address.
#pragma once

#include <cstdint>
#include <string>

namespace kelvra::store {

inline constexpr std::int32_t kRecipientRequired = 1;

struct Recipient {
  std::int32_t type = kRecipientRequired;
  std::u16string name;
  std::u16string address;
  bool operator==(const Recipient&) const = default;
};

}  // namespace kelvra::store
