#include "outlook/WrapperCall.h"
#include "redemption/AddressEntry.h"
#include "redemption/MAPIUtils.h"

namespace Redemption {

using namespace kelvra::outlook;

IAddressEntryPtr IMAPIUtils::GetAddressEntryFromID(const _variant_t& entryId) {
  return FetchObject<IAddressEntryPtr>(
      this, [&](IAddressEntry** entry) { return raw_GetAddressEntryFromID(entryId, entry); });
}

}  // namespace Redemption
