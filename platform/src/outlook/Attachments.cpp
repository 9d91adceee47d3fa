#include "outlook/Attachments.h"

#include "outlook/Attachment.h"
#include "outlook/WrapperCall.h"

namespace Outlook {

using namespace kelvra::outlook;

long Attachments::GetCount() { return GetValue(this, &Attachments::get_Count); }

AttachmentPtr Attachments::Item(const _variant_t& index) {
  return FetchObject<AttachmentPtr>(
      this, [&](Attachment** attachment) { return raw_Item(index, attachment); });
}

}  // namespace Outlook
