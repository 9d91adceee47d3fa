#include "outlook/StoreRecipient.h"

#include <vector>

#include "outlook/CallGate.h"
#include "outlook/Enums.h"
#include "outlook/OutParam.h"
#include "store/Item.h"

namespace kelvra::outlook {

StoreRecipient* StoreRecipient::Create(store::ItemPtr item, std::size_t position) {
  auto* recipient = new StoreRecipient(std::move(item), position);
  recipient->AddRef();
  return recipient;
}

HRESULT StoreRecipient::Read(const char* member,
                             const std::function<HRESULT(const store::Recipient&)>& read) {
  const HRESULT entered = CallGate::Enter(member);
  if (FAILED(entered)) return entered;
  const std::vector<store::Recipient> recipients = item_->Recipients();
  if (position_ >= recipients.size()) return E_FAIL;
  return read(recipients[position_]);
}

STDMETHODIMP StoreRecipient::get_Type(long* value) {
  return Read("Recipient.Type", [&](const store::Recipient& recipient) {
    return HandOutValue(value, static_cast<long>(recipient.type));
  });
}

STDMETHODIMP StoreRecipient::put_Type(long value) {
  const HRESULT entered = CallGate::Enter("Recipient.Type");
  if (FAILED(entered)) return entered;
  if (value < Outlook::olOrganizer || value > Outlook::olResource) return E_INVALIDARG;
  std::vector<store::Recipient> recipients = item_->Recipients();
  if (position_ >= recipients.size()) return E_FAIL;
  recipients[position_].type = static_cast<std::int32_t>(value);
  item_->SetRecipients(std::move(recipients));
  return S_OK;
}

STDMETHODIMP StoreRecipient::get_Address(BSTR* value) {
  return Read("Recipient.Address", [&](const store::Recipient& recipient) {
    return HandOutText(value, recipient.address);
  });
}

STDMETHODIMP StoreRecipient::get_Name(BSTR* value) {
  return Read("Recipient.Name", [&](const store::Recipient& recipient) {
    return HandOutText(value, recipient.name);
  });
}

}  // namespace kelvra::outlook
