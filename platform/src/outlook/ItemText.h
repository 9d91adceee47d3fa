// An item's property read as the object model hands text out: binary values (entry
// ids) as upper-case hex.
#pragma once

#include <string>
#include <string_view>

#include "store/Nodes.h"

namespace kelvra::outlook {

class ItemText {
 public:
  static std::u16string Of(const store::Item& item, std::string_view name);
};

}  // namespace kelvra::outlook
