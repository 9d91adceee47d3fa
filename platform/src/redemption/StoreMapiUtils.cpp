#include "redemption/StoreMapiUtils.h"

#include <optional>

#include "outlook/CallGate.h"
#include "outlook/OutParam.h"
#include "redemption/BinaryArrays.h"
#include "redemption/ItemProperties.h"
#include "redemption/NamedPropertyTags.h"
#include "redemption/StoreAddressEntry.h"
#include "redemption/StoreItemArgument.h"
#include "store/CurrentMailbox.h"
#include "store/HexText.h"
#include "store/Item.h"
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

namespace kelvra::redemption {

STDMETHODIMP StoreMapiUtils::raw_GetIDsFromNames(IUnknown* item, BSTR guid, VARIANT id,
                                                 VARIANT_BOOL create, long* tag) {
  const HRESULT entered = outlook::CallGate::Enter("MAPIUtils.GetIDsFromNames");
  if (FAILED(entered)) return entered;
  if (tag == nullptr) return E_POINTER;
  *tag = 0;
  const store::ItemPtr node = StoreItemArgument::Of(item);
  if (node == nullptr) return E_INVALIDARG;
  return NamedPropertyTags::Lookup(*node, guid, id, create != VARIANT_FALSE, tag);
}

STDMETHODIMP StoreMapiUtils::raw_HrGetOneProp(IUnknown* item, long tag, VARIANT* value) {
  const HRESULT entered = outlook::CallGate::Enter("MAPIUtils.HrGetOneProp");
  if (FAILED(entered)) return entered;
  if (value == nullptr) return E_POINTER;
  VariantInit(value);
  const store::ItemPtr node = StoreItemArgument::Of(item);
  if (node == nullptr) return E_INVALIDARG;
  return ItemProperties::Read(*node, static_cast<std::uint32_t>(tag), value);
}

STDMETHODIMP StoreMapiUtils::raw_HrSetOneProp(IUnknown* item, long tag, VARIANT value,
                                              VARIANT_BOOL save) {
  const HRESULT entered = outlook::CallGate::Enter("MAPIUtils.HrSetOneProp");
  if (FAILED(entered)) return entered;
  const store::ItemPtr node = StoreItemArgument::Of(item);
  if (node == nullptr) return E_INVALIDARG;
  const HRESULT written = ItemProperties::Write(*node, static_cast<std::uint32_t>(tag), value);
  if (FAILED(written)) return written;
  if (save != VARIANT_FALSE && !node->Save()) return E_FAIL;
  return S_OK;
}

STDMETHODIMP StoreMapiUtils::raw_HrArrayToString(VARIANT array, BSTR* text) {
  const HRESULT entered = outlook::CallGate::Enter("MAPIUtils.HrArrayToString");
  if (FAILED(entered)) return entered;
  if (text == nullptr) return E_POINTER;
  *text = nullptr;
  const std::optional<store::Bytes> bytes = BinaryArrays::FromVariant(array);
  if (!bytes.has_value()) return DISP_E_TYPEMISMATCH;
  return outlook::HandOutText(text, store::HexText::WideOf(*bytes));
}

STDMETHODIMP StoreMapiUtils::raw_HrStringToArray(BSTR text, VARIANT* array) {
  const HRESULT entered = outlook::CallGate::Enter("MAPIUtils.HrStringToArray");
  if (FAILED(entered)) return entered;
  if (array == nullptr) return E_POINTER;
  VariantInit(array);
  const std::optional<store::Bytes> bytes = store::HexText::Parse(outlook::TextOf(text));
  if (!bytes.has_value()) return E_INVALIDARG;
  return BinaryArrays::ToVariant(*bytes, array);
}

}  // namespace kelvra::redemption
