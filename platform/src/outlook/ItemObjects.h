// The object-model object of a store item, by the item's type.
#pragma once

#include "com/dispatch.h"
#include "store/Nodes.h"

namespace kelvra::outlook {

class ItemObjects {
 public:
  // The item's live object (or a new one) with a reference for the caller;
  // E_NOTIMPL for an item type that has no object here.
  static HRESULT HandOut(const store::ItemPtr& item, IDispatch** object);
};

}  // namespace kelvra::outlook
