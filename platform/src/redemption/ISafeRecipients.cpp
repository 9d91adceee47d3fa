#include "outlook/WrapperCall.h"
#include "redemption/SafeRecipients.h"

namespace Redemption {

using namespace kelvra::outlook;

long ISafeRecipients::GetCount() { return GetValue(this, &ISafeRecipients::get_Count); }

ISafeRecipientPtr ISafeRecipients::Item(const _variant_t& index) {
  return FetchObject<ISafeRecipientPtr>(
      this, [&](ISafeRecipient** recipient) { return raw_Item(index, recipient); });
}

}  // namespace Redemption
