#include "redemption/StoreMapiUtils.h"

#include <optional>

#include "outlook/CallGate.h"
#include "outlook/OutParam.h"
#include "redemption/ItemProperties.h"
#include "redemption/StoreAddressEntry.h"
#include "redemption/StoreItemArgument.h"
#include "store/CurrentMailbox.h"
#include "store/GuidText.h"
#include "store/HexText.h"
#include "store/Item.h"
#include "store/Mailbox.h"
#include "store/MapiProperty.h"
#include "store/NamedPropertyIds.h"
#include "store/Utf.h"

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

namespace {

std::optional<std::int32_t> IdOf(const VARIANT& id) {
  switch (id.vt) {
    case VT_I2:
      return id.iVal;
    case VT_I4:
      return id.lVal;
    case VT_UI4:
      return static_cast<std::int32_t>(id.ulVal);
    default:
      return std::nullopt;
  }
}

}  // namespace

STDMETHODIMP StoreMapiUtils::raw_GetIDsFromNames(IUnknown* item, BSTR guid, VARIANT id,
                                                 VARIANT_BOOL create, long* tag) {
  const HRESULT entered = outlook::CallGate::Enter("MAPIUtils.GetIDsFromNames");
  if (FAILED(entered)) return entered;
  if (tag == nullptr) return E_POINTER;
  *tag = 0;
  const store::ItemPtr node = StoreItemArgument::Of(item);
  if (node == nullptr) return E_INVALIDARG;
  const std::optional<GUID> set = store::GuidText::Parse(store::Utf::ToUtf8(outlook::TextOf(guid)));
  const std::optional<std::int32_t> number = IdOf(id);
  if (!set.has_value()) return E_INVALIDARG;
  if (!number.has_value()) return DISP_E_TYPEMISMATCH;
  const store::NamedPropertyKey key{*set, *number};
  std::optional<std::uint16_t> found = store::NamedPropertyIds::Find(key);
  if (!found.has_value() && (create != VARIANT_FALSE || node->GetNamed(key).has_value())) {
    found = store::NamedPropertyIds::FindOrAssign(key);
    if (!found.has_value()) return E_OUTOFMEMORY;
  }
  if (found.has_value()) *tag = static_cast<long>(static_cast<ULONG>(*found) << 16);
  return S_OK;
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

}  // namespace kelvra::redemption
