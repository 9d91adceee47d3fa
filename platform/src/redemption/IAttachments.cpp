#include "outlook/WrapperCall.h"
#include "redemption/Attachment.h"
#include "redemption/Attachments.h"

namespace Redemption {

using namespace kelvra::outlook;

long IAttachments::GetCount() { return GetValue(this, &IAttachments::get_Count); }

IAttachmentPtr IAttachments::Item(const _variant_t& index) {
  return FetchObject<IAttachmentPtr>(
      this, [&](IAttachment** attachment) { return raw_Item(index, attachment); });
}

}  // namespace Redemption
