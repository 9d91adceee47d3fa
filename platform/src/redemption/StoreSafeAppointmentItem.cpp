#include "redemption/StoreSafeAppointmentItem.h"

#include "outlook/CallGate.h"
#include "outlook/OutParam.h"
#include "outlook/StoreRecipients.h"
#include "redemption/ItemProperties.h"
#include "redemption/NamedPropertyTags.h"
#include "redemption/StoreItemArgument.h"
#include "store/Item.h"

namespace kelvra::redemption {

using outlook::CallGate;

STDMETHODIMP StoreSafeAppointmentItem::put_Item(IDispatch* item) {
  const HRESULT entered = CallGate::Enter("SafeAppointmentItem.Item");
  if (FAILED(entered)) return entered;
  if (item == nullptr) {
    item_.reset();
    return S_OK;
  }
  store::ItemPtr node = StoreItemArgument::Of(item);
  if (node == nullptr) return E_INVALIDARG;
  item_ = std::move(node);
  return S_OK;
}

STDMETHODIMP StoreSafeAppointmentItem::get_Body(BSTR* body) {
  const HRESULT entered = CallGate::Enter("SafeAppointmentItem.Body");
  if (FAILED(entered)) return entered;
  if (item_ == nullptr) return E_FAIL;
  return outlook::HandOutText(body, item_->GetText("Body"));
}

STDMETHODIMP StoreSafeAppointmentItem::get_Fields(long tag, VARIANT* value) {
  const HRESULT entered = CallGate::Enter("SafeAppointmentItem.Fields");
  if (FAILED(entered)) return entered;
  if (value == nullptr) return E_POINTER;
  VariantInit(value);
  if (item_ == nullptr) return E_FAIL;
  return ItemProperties::Read(*item_, static_cast<std::uint32_t>(tag), value);
}

STDMETHODIMP StoreSafeAppointmentItem::get_Recipients(Redemption::ISafeRecipients** recipients) {
  const HRESULT entered = CallGate::Enter("SafeAppointmentItem.Recipients");
  if (FAILED(entered)) return entered;
  if (recipients == nullptr) return E_POINTER;
  *recipients = nullptr;
  if (item_ == nullptr) return E_FAIL;
  *recipients = outlook::StoreRecipients::CreateSafe(item_);
  return S_OK;
}

STDMETHODIMP StoreSafeAppointmentItem::raw_GetIDsFromNames(BSTR guid, VARIANT id, long* tag) {
  const HRESULT entered = CallGate::Enter("SafeAppointmentItem.GetIDsFromNames");
  if (FAILED(entered)) return entered;
  if (tag == nullptr) return E_POINTER;
  *tag = 0;
  if (item_ == nullptr) return E_FAIL;
  return NamedPropertyTags::Lookup(*item_, guid, id, false, tag);
}

}  // namespace kelvra::redemption
