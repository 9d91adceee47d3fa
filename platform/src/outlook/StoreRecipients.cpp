#include "outlook/StoreRecipients.h"

#include "outlook/CallGate.h"
#include "outlook/IndexArgument.h"
#include "outlook/OutParam.h"
#include "outlook/StoreRecipient.h"
#include "store/Item.h"

namespace kelvra::outlook {

StoreRecipients* StoreRecipients::Create(store::ItemPtr item) {
  auto* recipients = new StoreRecipients(std::move(item));
  recipients->AddRef();
  return recipients;
}

Outlook::Recipients* StoreRecipients::CreateOutlook(store::ItemPtr item) {
  return Create(std::move(item));
}

Redemption::ISafeRecipients* StoreRecipients::CreateSafe(store::ItemPtr item) {
  return Create(std::move(item));
}

STDMETHODIMP StoreRecipients::get_Count(long* count) {
  const HRESULT entered = CallGate::Enter("Recipients.Count");
  if (FAILED(entered)) return entered;
  return HandOutValue(count, static_cast<long>(item_->Recipients().size()));
}

template <class Itf>
HRESULT StoreRecipients::ItemAs(const VARIANT& index, Itf** recipient) {
  const HRESULT entered = CallGate::Enter("Recipients.Item");
  if (FAILED(entered)) return entered;
  if (recipient == nullptr) return E_POINTER;
  *recipient = nullptr;
  std::size_t position = 0;
  const HRESULT valid = IndexArgument::Position(index, item_->Recipients().size(), &position);
  if (FAILED(valid)) return valid;
  *recipient = StoreRecipient::Create(item_, position);
  return S_OK;
}

STDMETHODIMP StoreRecipients::raw_Item(VARIANT index, Outlook::Recipient** recipient) {
  return ItemAs(index, recipient);
}

STDMETHODIMP StoreRecipients::raw_Item(VARIANT index, Redemption::ISafeRecipient** recipient) {
  return ItemAs(index, recipient);
}

STDMETHODIMP StoreRecipients::raw_Add(BSTR name, Outlook::Recipient** recipient) {
  const HRESULT entered = CallGate::Enter("Recipients.Add");
  if (FAILED(entered)) return entered;
  if (recipient == nullptr) return E_POINTER;
  const std::u16string text = TextOf(name);
  item_->AddRecipient(store::Recipient{store::kRecipientRequired, text, text});
  *recipient = StoreRecipient::Create(item_, item_->Recipients().size() - 1);
  return S_OK;
}

}  // namespace kelvra::outlook
