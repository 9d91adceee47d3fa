#include "outlook/ItemObjects.h"

#include "outlook/StoreAppointmentItem.h"
#include "outlook/StoreContactItem.h"
#include "outlook/StoreDistListItem.h"
#include "store/Item.h"
#include "store/ItemType.h"

namespace kelvra::outlook {

HRESULT ItemObjects::HandOut(const store::ItemPtr& item, IDispatch** object) {
  switch (item->ItemType()) {
    case store::itemtype::kContact:
      *object = StoreContactItem::Acquire(item);
      return S_OK;
    case store::itemtype::kAppointment:
      *object = StoreAppointmentItem::Acquire(item);
      return S_OK;
    case store::itemtype::kDistributionList:
      *object = StoreDistListItem::Acquire(item);
      return S_OK;
    default:
      return E_NOTIMPL;
  }
}

}  // namespace kelvra::outlook
