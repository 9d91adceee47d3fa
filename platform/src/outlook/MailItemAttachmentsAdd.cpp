// Attachments.Add, which only the attachments of a new mail take.
#include "outlook/Attachment.h"
#include "outlook/Attachments.h"
#include "outlook/WrapperCall.h"

namespace Outlook {

using namespace kelvra::outlook;

AttachmentPtr Attachments::Add(const _variant_t& source, const _variant_t& type,
                               const _variant_t& position, const _variant_t& displayName) {
  return FetchObject<AttachmentPtr>(this, [&](Attachment** attachment) {
    return raw_Add(source, type, position, displayName, attachment);
  });
}

HRESULT STDMETHODCALLTYPE Attachments::raw_Add(VARIANT, VARIANT, VARIANT, VARIANT,
                                               Attachment** attachment) {
  if (attachment != nullptr) *attachment = nullptr;
  return E_NOTIMPL;
}

}  // namespace Outlook
