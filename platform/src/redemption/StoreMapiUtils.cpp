#include "redemption/StoreMapiUtils.h"

#include <optional>

#include "outlook/CallGate.h"
#include "outlook/OutParam.h"
#include "redemption/StoreAddressEntry.h"
#include "store/CurrentMailbox.h"
#include "store/HexText.h"
#include "store/Mailbox.h"

namespace kelvra::redemption {

STDMETHODIMP StoreMapiUtils::raw_GetAddressEntryFromID(VARIANT entryId,
                                                       Redemption::IAddressEntry** entry) {
  const HRESULT entered = outlook::CallGate::Enter("MAPIUtils.GetAddressEntryFromID");
  if (FAILED(entered)) return entered;
  if (entry == nullptr) return E_POINTER;
  *entry = nullptr;
  if (entryId.vt != VT_BSTR) return DISP_E_TYPEMISMATCH;
  const std::optional<store::Bytes> id = store::HexText::Parse(outlook::TextOf(entryId.bstrVal));
  if (!id.has_value()) return MAPI_E_NOT_FOUND;
  const std::optional<store::AddressEntry> found =
      store::CurrentMailbox::Get()->Addresses().Find(*id);
  if (!found.has_value()) return MAPI_E_NOT_FOUND;
  *entry = StoreAddressEntry::Create(found->smtpAddress);
  return S_OK;
}

}  // namespace kelvra::redemption
