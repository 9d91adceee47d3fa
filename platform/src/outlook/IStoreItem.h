// The stand-in's own interface on its item objects: the store item behind them, so
// that Redemption's views can be pointed at an Outlook item.
#pragma once

#include "com/unknwn.h"
#include "store/Nodes.h"

namespace kelvra::outlook {

KELVRA_INTERFACE_IID(IStoreItem, 0x4B3E7C01, 0x5C21, 0x4D8B, 0x9E, 0x6F, 0x3A, 0x1B, 0x2C, 0x4D,
                     0x5E, 0x6F)

struct IStoreItem : IUnknown {
  virtual store::ItemPtr StoreNode() = 0;
};

}  // namespace kelvra::outlook
