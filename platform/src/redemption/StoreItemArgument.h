// The store item behind an item argument (any interface of one of the stand-in's
// Outlook items); null for another object or NULL.
#pragma once

#include "com/unknwn.h"
#include "store/Nodes.h"

namespace kelvra::redemption {

class StoreItemArgument {
 public:
  static store::ItemPtr Of(IUnknown* item);
};

}  // namespace kelvra::redemption
