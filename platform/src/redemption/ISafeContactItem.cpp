#include "outlook/WrapperCall.h"
#include "redemption/Attachments.h"
#include "redemption/SafeContactItem.h"

namespace Redemption {

using namespace kelvra::outlook;

void ISafeContactItem::PutItem(IDispatch* item) { Call(this, &ISafeContactItem::put_Item, item); }

#define KELVRA_DEFINE_TEXT_GET(Name) \
  _bstr_t ISafeContactItem::Get##Name() { return GetText(this, &ISafeContactItem::get_##Name); }

KELVRA_REDEMPTION_SAFE_CONTACT_TEXT_PROPERTIES(KELVRA_DEFINE_TEXT_GET)

IAttachmentsPtr ISafeContactItem::GetAttachments() {
  return GetObject<IAttachmentsPtr>(this, &ISafeContactItem::get_Attachments);
}

}  // namespace Redemption
