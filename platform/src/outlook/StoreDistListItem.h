// An Outlook distribution list over a store item. One live object per item.
#pragma once

#include "outlook/DistListItem.h"
#include "outlook/IStoreItem.h"
#include "outlook/StandInObject.h"
#include "store/Nodes.h"

namespace kelvra::outlook {

class StoreDistListItem : public StandInObject<Outlook::_DistListItem, IStoreItem> {
 public:
  // The item's live object, or a new one; with a reference for the caller.
  static Outlook::_DistListItem* Acquire(store::ItemPtr item);

  STDMETHODIMP get_DLName(BSTR* name) override;
  STDMETHODIMP get_Class(Outlook::OlObjectClass* value) override;
  STDMETHODIMP get_MessageClass(BSTR* value) override;

  store::ItemPtr StoreNode() override { return item_; }

 private:
  explicit StoreDistListItem(store::ItemPtr item) : item_(std::move(item)) {}
  ~StoreDistListItem() override;

  store::ItemPtr item_;
};

}  // namespace kelvra::outlook
