#include "outlook/WrapperCall.h"
#include "redemption/Attachment.h"

namespace Redemption {

using namespace kelvra::outlook;

long IAttachment::GetType() { return GetValue(this, &IAttachment::get_Type); }

_bstr_t IAttachment::GetFileName() { return GetText(this, &IAttachment::get_FileName); }

void IAttachment::SaveAsFile(_bstr_t path) { Call(this, &IAttachment::raw_SaveAsFile, path); }

_variant_t IAttachment::GetFields(long tag) {
  return FetchVariant(this, [&](VARIANT* value) { return get_Fields(tag, value); });
}

}  // namespace Redemption
