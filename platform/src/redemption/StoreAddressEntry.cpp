#include "redemption/StoreAddressEntry.h"

#include "outlook/CallGate.h"
#include "outlook/OutParam.h"

namespace kelvra::redemption {

Redemption::IAddressEntry* StoreAddressEntry::Create(std::u16string smtpAddress) {
  auto* entry = new StoreAddressEntry(std::move(smtpAddress));
  entry->AddRef();
  return entry;
}

STDMETHODIMP StoreAddressEntry::get_SMTPAddress(BSTR* address) {
  const HRESULT entered = outlook::CallGate::Enter("AddressEntry.SMTPAddress");
  if (FAILED(entered)) return entered;
  return outlook::HandOutText(address, smtpAddress_);
}

}  // namespace kelvra::redemption
