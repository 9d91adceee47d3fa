#include "outlook/MailItem.h"

#include "outlook/WrapperCall.h"

namespace Outlook {

using namespace kelvra::outlook;

AttachmentsPtr _MailItem::GetAttachments() {
  return GetObject<AttachmentsPtr>(this, &_MailItem::get_Attachments);
}

void _MailItem::Display(const _variant_t& modal) { Call(this, &_MailItem::raw_Display, modal); }

}  // namespace Outlook
