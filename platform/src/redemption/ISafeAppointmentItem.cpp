#include "outlook/WrapperCall.h"
#include "redemption/SafeAppointmentItem.h"

namespace Redemption {

using namespace kelvra::outlook;

void ISafeAppointmentItem::PutItem(IDispatch* item) {
  Call(this, &ISafeAppointmentItem::put_Item, item);
}

_bstr_t ISafeAppointmentItem::GetBody() { return GetText(this, &ISafeAppointmentItem::get_Body); }

_variant_t ISafeAppointmentItem::GetFields(long tag) {
  return FetchVariant(this, [&](VARIANT* value) { return get_Fields(tag, value); });
}

ISafeRecipientsPtr ISafeAppointmentItem::GetRecipients() {
  return GetObject<ISafeRecipientsPtr>(this, &ISafeAppointmentItem::get_Recipients);
}

long ISafeAppointmentItem::GetIDsFromNames(const _bstr_t& guid, const _variant_t& id) {
  long tag = 0;
  RaiseIfFailed(this, raw_GetIDsFromNames(guid, id, &tag));
  return tag;
}

}  // namespace Redemption
