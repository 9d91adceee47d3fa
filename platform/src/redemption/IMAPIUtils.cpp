#include "outlook/WrapperCall.h"
#include "redemption/AddressEntry.h"
#include "redemption/MAPIUtils.h"

namespace Redemption {

using namespace kelvra::outlook;

IAddressEntryPtr IMAPIUtils::GetAddressEntryFromID(const _variant_t& entryId) {
  return FetchObject<IAddressEntryPtr>(
      this, [&](IAddressEntry** entry) { return raw_GetAddressEntryFromID(entryId, entry); });
}

long IMAPIUtils::GetIDsFromNames(IUnknown* item, const _bstr_t& guid, const _variant_t& id,
                                 VARIANT_BOOL create) {
  long tag = 0;
  RaiseIfFailed(this, raw_GetIDsFromNames(item, guid, id, create, &tag));
  return tag;
}

_variant_t IMAPIUtils::HrGetOneProp(IUnknown* item, long tag) {
  return FetchVariant(this, [&](VARIANT* value) { return raw_HrGetOneProp(item, tag, value); });
}

HRESULT IMAPIUtils::HrSetOneProp(IUnknown* item, long tag, const _variant_t& value,
                                 VARIANT_BOOL save) {
  return raw_HrSetOneProp(item, tag, value, save);
}

_bstr_t IMAPIUtils::HrArrayToString(const _variant_t& array) {
  return FetchText(this, [&](BSTR* text) { return raw_HrArrayToString(array, text); });
}

_variant_t IMAPIUtils::HrStringToArray(const _bstr_t& text) {
  return FetchVariant(this, [&](VARIANT* array) { return raw_HrStringToArray(text, array); });
}

}  // namespace Redemption
