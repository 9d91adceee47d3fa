#include "redemption/StoreSafeContactItem.h"

#include "com/comdef.h"
#include "outlook/CallGate.h"
#include "outlook/IStoreItem.h"
#include "outlook/ItemText.h"
#include "outlook/OutParam.h"
#include "outlook/StoreAttachments.h"

namespace kelvra::redemption {

using outlook::CallGate;

STDMETHODIMP StoreSafeContactItem::put_Item(IDispatch* item) {
  const HRESULT entered = CallGate::Enter("SafeContactItem.Item");
  if (FAILED(entered)) return entered;
  if (item == nullptr) {
    item_.reset();
    return S_OK;
  }
  outlook::IStoreItem* source = nullptr;
  if (FAILED(
          item->QueryInterface(__uuidof(outlook::IStoreItem), reinterpret_cast<void**>(&source)))) {
    return E_INVALIDARG;
  }
  item_ = source->StoreNode();
  source->Release();
  return S_OK;
}

HRESULT StoreSafeContactItem::GetText(const char* member, std::string_view name, BSTR* value) {
  const HRESULT entered = CallGate::Enter(member);
  if (FAILED(entered)) return entered;
  if (item_ == nullptr) return E_FAIL;
  return outlook::HandOutText(value, outlook::ItemText::Of(*item_, name));
}

STDMETHODIMP StoreSafeContactItem::get_Attachments(Redemption::IAttachments** attachments) {
  const HRESULT entered = CallGate::Enter("SafeContactItem.Attachments");
  if (FAILED(entered)) return entered;
  if (item_ == nullptr) return E_FAIL;
  return outlook::HandOutObject(attachments,
                                [&] { return outlook::StoreAttachments::CreateSafe(item_); });
}

}  // namespace kelvra::redemption
