#include "outlook/StoreDistListItem.h"

#include "outlook/CallGate.h"
#include "outlook/ObjectCache.h"
#include "outlook/OutParam.h"
#include "store/Item.h"

namespace kelvra::outlook {

namespace {

ObjectCache<StoreDistListItem>& Cache() {
  static auto* cache = new ObjectCache<StoreDistListItem>;
  return *cache;
}

}  // namespace

Outlook::_DistListItem* StoreDistListItem::Acquire(store::ItemPtr item) {
  const void* key = item.get();
  return Cache().Acquire(key, [&] { return new StoreDistListItem(std::move(item)); });
}

StoreDistListItem::~StoreDistListItem() { Cache().Forget(item_.get(), this); }

STDMETHODIMP StoreDistListItem::get_DLName(BSTR* name) {
  const HRESULT entered = CallGate::Enter("DistListItem.DLName");
  if (FAILED(entered)) return entered;
  return HandOutText(name, item_->GetText("DLName"));
}

STDMETHODIMP StoreDistListItem::get_Class(Outlook::OlObjectClass* value) {
  const HRESULT entered = CallGate::Enter("DistListItem.Class");
  if (FAILED(entered)) return entered;
  return HandOutValue(value, Outlook::olDistributionList);
}

STDMETHODIMP StoreDistListItem::get_MessageClass(BSTR* value) {
  const HRESULT entered = CallGate::Enter("DistListItem.MessageClass");
  if (FAILED(entered)) return entered;
  return HandOutText(value, item_->MessageClass());
}

}  // namespace kelvra::outlook
