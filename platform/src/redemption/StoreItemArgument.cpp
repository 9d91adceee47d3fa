#include "redemption/StoreItemArgument.h"

#include "outlook/IStoreItem.h"

namespace kelvra::redemption {

store::ItemPtr StoreItemArgument::Of(IUnknown* item) {
  if (item == nullptr) return nullptr;
  outlook::IStoreItem* source = nullptr;
  if (FAILED(
          item->QueryInterface(__uuidof(outlook::IStoreItem), reinterpret_cast<void**>(&source)))) {
    return nullptr;
  }
  store::ItemPtr node = source->StoreNode();
  source->Release();
  return node;
}

}  // namespace kelvra::redemption
